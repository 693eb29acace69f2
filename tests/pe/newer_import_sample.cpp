// Calls two functions of Windows 8 directly, so that the linker imports them
// by name: the import check must turn this program down.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    return static_cast<int>(now.dwLowDateTime & 1);
}
