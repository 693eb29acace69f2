// The program-wide state that outlives any one handler, and the shell
// request.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tessivar {

// Whether "Calculate Setting" calculates (non-zero) or asks the user to click
// the maker's contact details first (0). 0 at start; a contact click sets 1.
extern std::int16_t CalcEnabled;

// shell32's ShellExecuteA, with what the shell asks of its callers: COM on
// the calling thread, apartment-threaded and without OLE1 DDE. Neither is
// needed to open the window, so both are set up on the first request; COM
// is released when this object goes, on the thread that made the requests.
// One lives in wWinMain, for as long as the window.
class ShellLibrary {
  public:
    // shell32's and ole32's own types, checked against their declarations
    // in Module1.cpp.
    using ShellExecuteAFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    using CoUninitializeFn = void(WINAPI*)();

    ShellLibrary() = default;
    ~ShellLibrary();
    ShellLibrary(const ShellLibrary&) = delete;
    ShellLibrary& operator=(const ShellLibrary&) = delete;

    // Where shell32 cannot be had the request returns SE_ERR_DLLNOTFOUND,
    // as a failed one would.
    HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                            LPCSTR lpDirectory, INT nShowCmd);

  private:
    void LoadOnce();

    bool loaded_ = false;
    ShellExecuteAFn shellExecute_ = nullptr;
    CoUninitializeFn coUninitialize_ = nullptr;  // set while COM is to be released
};

}  // namespace tessivar
