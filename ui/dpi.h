// Screen density: one value type that owns every conversion the window
// makes from its layout (twips, points) to pixels, and the system metrics
// and window sizes that depend on it. user32's per-monitor functions are
// used where the system has them (Windows 10 1607 and later), looked up
// once; elsewhere the system-wide values stand in.
#pragma once

#include <windows.h>

namespace tessivar {

class Dpi {
  public:
    static constexpr int kTwipsPerInch = 1440;
    static constexpr int kHundredthsOfPointPerInch = 7200;

    explicit constexpr Dpi(UINT dotsPerInch) : dpi_(dotsPerInch) {}

    // The system DPI: that of the primary monitor when the user signed in.
    static Dpi OfSystem();
    // The window's DPI where the system reports it per window, else the
    // system DPI.
    static Dpi OfWindow(HWND window);

    constexpr UINT value() const { return dpi_; }
    constexpr bool operator==(const Dpi&) const = default;

    int FromTwips(int twips) const;
    // A LOGFONT height (negative: the character height) for a point size.
    int FontHeight(int hundredthsOfPoint) const;
    // A system metric (an icon size) at this DPI, where the system can say.
    int Metric(int index) const;
    // The outer size of a window whose client area is `clientTwips`, with
    // the frame that its styles give it at this DPI.
    SIZE WindowSize(SIZE clientTwips, DWORD style, DWORD exStyle) const;

  private:
    UINT dpi_;
};

}  // namespace tessivar
