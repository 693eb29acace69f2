#include "win32.h"

#include "newer_functions.h"

namespace tessivar {

HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (HMODULE module = LoadLibraryExW(name, nullptr, newer::kLoadLibrarySearchSystem32))
        return module;
    // Systems without the search flags reject it as an invalid parameter;
    // there the full path in the system folder does the same.
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
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
    return LoadLibraryW(path);
}

void RestrictDllSearchToSystemFolder() {
    const auto setDefaultDllDirectories = newer::LookUp<newer::SetDefaultDllDirectoriesFn>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefaultDllDirectories) setDefaultDllDirectories(newer::kLoadLibrarySearchSystem32);
}

}  // namespace tessivar
