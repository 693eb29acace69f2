// The few functions of Windows versions newer than 7 that the program uses
// where the system has them, declared once. The program is built for
// Windows 7, so the SDK does not declare these; each type here is checked
// against the SDK's own declaration in newer_functions_check.cpp, a unit
// built for Windows 10. Look them up with GetProcAddressAs.
#pragma once

#include <windows.h>

namespace tessivar::newer {

// user32, Windows 10 1607 and later: per-monitor DPI.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND hwnd);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle,
                                                 UINT dpi);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int index, UINT dpi);
// Sent before a move to a monitor of another DPI (Windows 10 1703 and later).
constexpr UINT kWmGetDpiScaledSize = 0x02E4;

// kernel32, Windows 8 (and Windows 7 with update KB2533623).
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD flags);
constexpr DWORD kLoadLibrarySearchSystem32 = 0x00000800;

}  // namespace tessivar::newer
