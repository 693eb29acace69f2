#include "Module1.h"

#include <objbase.h>
#include <shellapi.h>

#include "win32.h"

namespace tessivar {

std::int16_t CalcEnabled = 0;

namespace {

// COM as the shell asks its callers to have it: apartment-threaded, without
// OLE1 DDE, on this (the user-interface) thread. Set up before the first
// request rather than at start-up, which does not need it.
bool comInitialised = false;

void InitialiseComOnce() {
    static bool tried = false;
    if (tried) return;
    tried = true;
    HMODULE ole32 = LoadSystemLibrary(L"ole32.dll");  // kept for the life of the process
    if (!ole32) return;
    const auto coInitializeEx =
        GetProcAddressAs<decltype(&::CoInitializeEx)>(ole32, "CoInitializeEx");
    // S_FALSE (already initialised on this thread) is to be balanced too;
    // a failure such as RPC_E_CHANGED_MODE is not.
    comInitialised =
        coInitializeEx &&
        SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

}  // namespace

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, INT nShowCmd) {
    InitialiseComOnce();
    // Loaded on the first call and kept for the life of the process, like
    // an import.
    static bool loaded = false;
    static decltype(&::ShellExecuteA) shellExecute = nullptr;
    if (!loaded) {
        loaded = true;
        if (HMODULE shell32 = LoadSystemLibrary(L"shell32.dll")) {
            shellExecute = GetProcAddressAs<decltype(&::ShellExecuteA)>(shell32, "ShellExecuteA");
        }
    }
    constexpr INT_PTR kDllNotFound = 32;  // SE_ERR_DLLNOTFOUND
    if (!shellExecute) return reinterpret_cast<HINSTANCE>(kDllNotFound);
    return shellExecute(hwnd, lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd);
}

void ReleaseShell() {
    if (!comInitialised) return;
    comInitialised = false;
    if (HMODULE ole32 = GetModuleHandleW(L"ole32.dll")) {
        if (const auto coUninitialize =
                GetProcAddressAs<decltype(&::CoUninitialize)>(ole32, "CoUninitialize")) {
            coUninitialize();
        }
    }
}

}  // namespace tessivar
