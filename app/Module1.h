// The program-wide state that outlives any one handler, and the shell call.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tessivar {

// Whether "Calculate Setting" calculates (non-zero) or asks the user to click
// the maker's contact details first (0). 0 at start; a contact click sets 1.
extern std::int16_t CalcEnabled;

// shell32.dll's ShellExecuteA. shell32 is loaded when the first call needs it
// rather than at start-up, which keeps the window quick to open; a missing
// export returns 0 (an error value) just as a failed request would.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, INT nShowCmd);

}  // namespace tessivar
