#include "win32.h"

#include "newer_functions.h"

namespace tessivar {

HMODULE LoadSystemLibrary(const wchar_t* name) {
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    // The system folder search flag exists where AddDllDirectory does (the
    // way its documentation says to tell); elsewhere (Windows 7 without
    // KB2533623) the full path in the system folder does the same.
    if (newer::LookUp<newer::AddDllDirectoryFn>(kernel32, "AddDllDirectory")) {
        return LoadLibraryExW(name, nullptr, newer::kLoadLibrarySearchSystem32);
    }
    wchar_t path[MAX_PATH];
    const UINT folder = GetSystemDirectoryW(path, MAX_PATH);
    if (folder == 0 || folder >= MAX_PATH) return nullptr;
    UINT at = folder;
    path[at++] = L'\\';
    for (const wchar_t* c = name; *c != L'\0'; ++c) {
        if (at + 1 >= MAX_PATH) return nullptr;
        path[at++] = *c;
    }
    path[at] = L'\0';
    // The DLLs it loads in turn are then looked for in its own folder first,
    // not in the program's.
    return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void RestrictDllSearchToSystemFolder() {
    const auto setDefaultDllDirectories = newer::LookUp<newer::SetDefaultDllDirectoriesFn>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefaultDllDirectories) setDefaultDllDirectories(newer::kLoadLibrarySearchSystem32);
}

}  // namespace tessivar
