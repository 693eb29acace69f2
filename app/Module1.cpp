#include "Module1.h"

#include <objbase.h>
#include <shellapi.h>

#include <type_traits>

#include "win32.h"

namespace tessivar {

static_assert(std::is_same_v<decltype(&::ShellExecuteA), ShellLibrary::ShellExecuteAFn>);
static_assert(std::is_same_v<decltype(&::CoUninitialize), ShellLibrary::CoUninitializeFn>);

std::int16_t CalcEnabled = 0;

ShellLibrary::~ShellLibrary() {
    if (coUninitialize_) coUninitialize_();
}

void ShellLibrary::LoadOnce() {
    if (loaded_) return;
    loaded_ = true;
    if (HMODULE ole32 = LoadSystemLibrary(L"ole32.dll")) {
        const auto coInitializeEx =
            GetProcAddressAs<decltype(&::CoInitializeEx)>(ole32, "CoInitializeEx");
        // S_FALSE (already initialised on this thread) is to be balanced too;
        // a failure such as RPC_E_CHANGED_MODE is not.
        if (coInitializeEx &&
            SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
            coUninitialize_ = GetProcAddressAs<CoUninitializeFn>(ole32, "CoUninitialize");
        }
    }
    if (HMODULE shell32 = LoadSystemLibrary(L"shell32.dll")) {
        shellExecute_ = GetProcAddressAs<ShellExecuteAFn>(shell32, "ShellExecuteA");
    }
}

HINSTANCE ShellLibrary::ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile,
                                      LPCSTR lpParameters, LPCSTR lpDirectory, INT nShowCmd) {
    LoadOnce();
    constexpr INT_PTR kDllNotFound = 32;  // SE_ERR_DLLNOTFOUND
    if (!shellExecute_) return reinterpret_cast<HINSTANCE>(kDllNotFound);
    return shellExecute_(hwnd, lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd);
}

}  // namespace tessivar
