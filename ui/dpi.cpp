#include "dpi.h"

#include "newer_functions.h"
#include "win32.h"

namespace tessivar {
namespace {

// user32's per-monitor functions, or nullptr where the system lacks them.
struct PerMonitorFunctions {
    newer::GetDpiForWindowFn getDpiForWindow = nullptr;
    newer::AdjustWindowRectExForDpiFn adjustWindowRectExForDpi = nullptr;
    newer::GetSystemMetricsForDpiFn getSystemMetricsForDpi = nullptr;
};

// Looked up on first use and kept: user32 is loaded for the life of the
// process, and only the user-interface thread asks.
const PerMonitorFunctions& PerMonitor() {
    static bool resolved = false;
    static PerMonitorFunctions functions;
    if (!resolved) {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        functions.getDpiForWindow =
            newer::LookUp<newer::GetDpiForWindowFn>(user32, "GetDpiForWindow");
        functions.adjustWindowRectExForDpi =
            newer::LookUp<newer::AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi");
        functions.getSystemMetricsForDpi =
            newer::LookUp<newer::GetSystemMetricsForDpiFn>(user32, "GetSystemMetricsForDpi");
        resolved = true;
    }
    return functions;
}

}  // namespace

Dpi Dpi::OfSystem() {
    const int dpi = GetDeviceCaps(ScreenDc().get(), LOGPIXELSY);
    return Dpi(dpi > 0 ? static_cast<UINT>(dpi) : 96);
}

Dpi Dpi::OfWindow(HWND window) {
    if (const auto getDpiForWindow = PerMonitor().getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) return Dpi(dpi);
    }
    return OfSystem();
}

int Dpi::FromTwips(int twips) const {
    return MulDiv(twips, static_cast<int>(dpi_), kTwipsPerInch);
}

int Dpi::FontHeight(int hundredthsOfPoint) const {
    return -MulDiv(hundredthsOfPoint, static_cast<int>(dpi_), kHundredthsOfPointPerInch);
}

int Dpi::Metric(int index) const {
    const auto forDpi = PerMonitor().getSystemMetricsForDpi;
    return forDpi ? forDpi(index, dpi_) : GetSystemMetrics(index);
}

SIZE Dpi::WindowSize(SIZE clientTwips, DWORD style, DWORD exStyle) const {
    RECT window{0, 0, FromTwips(clientTwips.cx), FromTwips(clientTwips.cy)};
    const auto adjustForDpi = PerMonitor().adjustWindowRectExForDpi;
    if (!adjustForDpi || !adjustForDpi(&window, style, FALSE, exStyle, dpi_)) {
        AdjustWindowRectEx(&window, style, FALSE, exStyle);
    }
    return SIZE{window.right - window.left, window.bottom - window.top};
}

}  // namespace tessivar
