// A stand-in comctl32.dll for the planted-DLL test. Loaded into a process, it
// leaves an empty file named after itself plus ".loaded" in its own folder,
// and refuses to stay (DllMain fails). It exports nothing.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    const wchar_t suffix[] = L".loaded";
    wchar_t path[MAX_PATH + sizeof suffix / sizeof suffix[0]];
    const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return FALSE;
    for (DWORD i = 0; i < sizeof suffix / sizeof suffix[0]; ++i) path[length + i] = suffix[i];
    HANDLE marker =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    return FALSE;
}
