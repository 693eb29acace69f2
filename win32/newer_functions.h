// The few functions of Windows versions newer than 7 that the program uses
// where the system has them, declared once. The program is built for
// Windows 7, so the SDK does not declare these; each type here is checked
// against the SDK's own declaration in newer_functions_check.cpp, a unit
// built for Windows 10. Look them up with newer::LookUp.
#pragma once

#include <windows.h>

#include "win32.h"

namespace tessivar::newer {

// A newer function where the system has it, else nullptr. Test builds made
// with TESSIVAR_WITHOUT_NEWER_FUNCTIONS find none, as on Windows 7 SP1
// without updates, so that the paths taken there run under the tests too;
// the product is never built so.
template <typename Fn>
Fn LookUp(HMODULE module, const char* name) {
#ifdef TESSIVAR_WITHOUT_NEWER_FUNCTIONS
    static_cast<void>(module);
    static_cast<void>(name);
    return nullptr;
#else
    return GetProcAddressAs<Fn>(module, name);
#endif
}

// user32, Windows 10 1607 and later: per-monitor DPI.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND hwnd);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle,
                                                 UINT dpi);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int index, UINT dpi);
// Sent before a move to a monitor of another DPI (Windows 10 1703 and later).
constexpr UINT kWmGetDpiScaledSize = 0x02E4;

// kernel32, Windows 8 (and Windows 7 with update KB2533623). Where
// kernel32 has AddDllDirectory, LoadLibraryExW takes the LOAD_LIBRARY_SEARCH
// flags too: they came together.
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD flags);
using AddDllDirectoryFn = void*(WINAPI*)(PCWSTR newDirectory);  // returns a DLL_DIRECTORY_COOKIE
constexpr DWORD kLoadLibrarySearchSystem32 = 0x00000800;

}  // namespace tessivar::newer
