// Built for Windows 10, where the SDK declares the newer functions: each of
// the program's own declarations must match the SDK's exactly.
#include "newer_functions.h"

#include <type_traits>

namespace tessivar::newer {

static_assert(std::is_same_v<GetDpiForWindowFn, decltype(&::GetDpiForWindow)>);
static_assert(std::is_same_v<AdjustWindowRectExForDpiFn, decltype(&::AdjustWindowRectExForDpi)>);
static_assert(std::is_same_v<GetSystemMetricsForDpiFn, decltype(&::GetSystemMetricsForDpi)>);
static_assert(kWmGetDpiScaledSize == WM_GETDPISCALEDSIZE);
static_assert(std::is_same_v<SetDefaultDllDirectoriesFn, decltype(&::SetDefaultDllDirectories)>);
static_assert(std::is_same_v<AddDllDirectoryFn, decltype(&::AddDllDirectory)>);
static_assert(kLoadLibrarySearchSystem32 == LOAD_LIBRARY_SEARCH_SYSTEM32);

}  // namespace tessivar::newer
