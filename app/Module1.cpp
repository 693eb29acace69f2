#include "Module1.h"

#include <objbase.h>
#include <shellapi.h>

#include "win32.h"

namespace tessivar {

std::int16_t CalcEnabled = 0;

namespace {

// What the first request sets up, kept for the life of the process: COM on
// this (the user-interface) thread, apartment-threaded and without OLE1 DDE,
// as the shell asks of its callers, and shell32's ShellExecuteA. Start-up
// needs neither, so both wait for the first click on the contact block.
bool shellLoaded = false;
decltype(&::ShellExecuteA) shellExecute = nullptr;
decltype(&::CoUninitialize) coUninitialize = nullptr;  // set while COM is to be undone

void LoadShellOnce() {
    if (shellLoaded) return;
    shellLoaded = true;
    if (HMODULE ole32 = LoadSystemLibrary(L"ole32.dll")) {
        const auto coInitializeEx =
            GetProcAddressAs<decltype(&::CoInitializeEx)>(ole32, "CoInitializeEx");
        // S_FALSE (already initialised on this thread) is to be balanced too;
        // a failure such as RPC_E_CHANGED_MODE is not.
        if (coInitializeEx &&
            SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
            coUninitialize = GetProcAddressAs<decltype(&::CoUninitialize)>(ole32, "CoUninitialize");
        }
    }
    if (HMODULE shell32 = LoadSystemLibrary(L"shell32.dll")) {
        shellExecute = GetProcAddressAs<decltype(&::ShellExecuteA)>(shell32, "ShellExecuteA");
    }
}

}  // namespace

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, INT nShowCmd) {
    LoadShellOnce();
    constexpr INT_PTR kDllNotFound = 32;  // SE_ERR_DLLNOTFOUND
    if (!shellExecute) return reinterpret_cast<HINSTANCE>(kDllNotFound);
    return shellExecute(hwnd, lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd);
}

void ReleaseShell() {
    if (coUninitialize) coUninitialize();
    coUninitialize = nullptr;
}

}  // namespace tessivar
