#include "Module1.h"

#include <shellapi.h>

#include "win32.h"

namespace tessivar {

std::int16_t CalcEnabled = 0;

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, INT nShowCmd) {
    using Fn = decltype(&::ShellExecuteA);
    // Loaded once and kept for the life of the process, like an import.
    static const Fn shellExecute = [] {
        HMODULE shell32 = LoadSystemLibrary(L"shell32.dll");
        return shell32 ? GetProcAddressAs<Fn>(shell32, "ShellExecuteA") : nullptr;
    }();
    constexpr INT_PTR kDllNotFound = 32;  // SE_ERR_DLLNOTFOUND
    if (!shellExecute) return reinterpret_cast<HINSTANCE>(kDllNotFound);
    return shellExecute(hwnd, lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd);
}

}  // namespace tessivar
