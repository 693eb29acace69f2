// The program-wide state that outlives any one handler, and the shell call.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tessivar {

// Whether "Calculate Setting" calculates (non-zero) or asks the user to click
// the maker's contact details first (0). 0 at start; a contact click sets 1.
extern std::int16_t CalcEnabled;

// shell32.dll's ShellExecuteA. shell32 is loaded when the first call needs it
// rather than at start-up, which keeps the window quick to open; where it
// cannot be had the call returns SE_ERR_DLLNOTFOUND, as a failed request
// would. The first call also sets up COM on the calling thread for the shell.
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, INT nShowCmd);

// Undoes what the shell requests set up (COM on this thread); called once
// the window is gone, on the thread that made the requests.
void ReleaseShell();

}  // namespace tessivar
