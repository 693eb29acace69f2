// The Win32 base layer of the window program: owning handles, typed look-ups
// of optional exports, and loading Windows' own DLLs from the system folder.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace tessivar {

namespace detail {
struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
}  // namespace detail

using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, detail::FontDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, detail::IconDeleter>;
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, detail::WindowDeleter>;

// The screen's device context, released when it goes out of scope.
class ScreenDc {
  public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// GetProcAddress with the export's real type, taken from its declaration
// (GetProcAddressAs<decltype(&::InitCommonControlsEx)>, or one of the types
// in newer_functions.h), so that a wrong calling convention or argument
// list fails to build; nullptr where the system lacks the export. The detour
// through void (*)() is the portable way to change a function pointer's
// type without a cast-function-type warning.
template <typename Fn>
Fn GetProcAddressAs(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Loads one of Windows' own DLLs from the system folder only, never from the
// program's folder or the current directory, where a planted copy could be.
//
// The rule for every DLL the program loads on demand (comctl32 for the
// tooltip, ole32 and shell32 for the shell request): loaded here when first
// needed, and kept until the process ends. Nothing frees them: their windows,
// COM and the shell may still be running code in them until then, and a
// system DLL costs nothing to keep.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Makes the system folder the only place the loader looks for DLLs that the
// program or the libraries it loads ask for by name. Where the system lacks
// the call (Windows 7 without its update), LoadSystemLibrary still loads by
// full path.
void RestrictDllSearchToSystemFolder();

}  // namespace tessivar
