// Checks of the window's geometry at a given screen density, shared by the
// 96 DPI and the 144 DPI runs. The expected rectangles are the hand-made
// 96 DPI ones scaled by dpi / 96; at 96 DPI they must match exactly, at other
// densities each edge may be off by one pixel of rounding.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "expected_layout.h"
#include "harness.h"

namespace harness {

// The screen's density, and the one ctest set up for the test
// (TESSIVAR_EXPECTED_DPI), by default the screen's.
inline int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

inline int ExpectedDpi() {
    const std::wstring value = Env(L"TESSIVAR_EXPECTED_DPI");
    return value.empty() ? ScreenDpi() : std::stoi(value);
}

// Moves a window of this process to a monitor of `dpi` as the system does:
// it asks the window for its size there, then suggests a rectangle of that
// size. Returns the suggested rectangle.
inline RECT MoveToDpi(HWND form, UINT dpi) {
    RECT window{};
    GetWindowRect(form, &window);
    SIZE size{window.right - window.left, window.bottom - window.top};
    SendMessageW(form, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size));
    RECT suggested{window.left, window.top, window.left + size.cx, window.top + size.cy};
    SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return suggested;
}

inline RECT ExpectedRect(const ExpectedControl& c) {
    return RECT{c.x, c.y, c.x + c.width, c.y + c.height};
}

inline RECT ContainerRect96(int container) {
    if (container == kForm) return RECT{0, 0, kClientWidth96, kClientHeight96};
    return ExpectedRect(kExpectedControls[static_cast<std::size_t>(container)]);
}

inline bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

inline int Scale(int pixels96, int dpi) {
    return pixels96 * dpi / 96;
}

inline std::string Describe(const ExpectedControl& c) {
    return Narrow(c.name) + "(" + std::to_string(c.index) + ") at tab position " +
           std::to_string(c.position);
}

inline void ExpectClientSize(HWND form, int dpi) {
    RECT client{};
    ASSERT_TRUE(GetClientRect(form, &client));
    const int tolerance = dpi == 96 ? 0 : 1;
    // 10140 x 7965 twips.
    EXPECT_NEAR(client.right, kClientWidth96 * dpi / 96.0, tolerance + 0.5);
    EXPECT_NEAR(client.bottom, kClientHeight96 * dpi / 96.0, tolerance + 0.5);
}

// Every fixed-size control where the layout puts it; labels sized to their
// text at least start where the layout says.
inline void ExpectControlRects(HWND form, int dpi) {
    const int tolerance = dpi == 96 ? 0 : 1;
    for (const auto& c : kExpectedControls) {
        HWND control = GetDlgItem(form, ControlId(c.position));
        ASSERT_NE(control, nullptr) << Describe(c);
        const RECT actual = RectInParent(control);
        SCOPED_TRACE(Describe(c));
        EXPECT_LE(std::abs(actual.left - Scale(c.x, dpi)), tolerance) << "left " << actual.left;
        EXPECT_LE(std::abs(actual.top - Scale(c.y, dpi)), tolerance) << "top " << actual.top;
        if (c.sizedToText) {
            EXPECT_GT(actual.right - actual.left, 0);
            EXPECT_GT(actual.bottom - actual.top, 0);
            continue;
        }
        EXPECT_LE(std::abs(actual.right - Scale(c.x + c.width, dpi)), tolerance)
            << "right " << actual.right;
        EXPECT_LE(std::abs(actual.bottom - Scale(c.y + c.height, dpi)), tolerance)
            << "bottom " << actual.bottom;
    }
}

// What holds between the hand-made rectangles holds on the screen: controls
// of one container that stand apart do not overlap, and a control that lies
// inside its container stays inside it.
inline void ExpectNoOverlapWithinContainers(const App& app) {
    RECT client{};
    GetClientRect(app.form(), &client);
    auto actualRect = [&](int position) {
        if (position == kForm) return client;
        return RectInParent(app.Control(position));
    };
    for (std::size_t i = 0; i < kExpectedControls.size(); ++i) {
        const auto& a = kExpectedControls[i];
        const RECT actualA = actualRect(a.position);
        if (Contains(ContainerRect96(a.container), ExpectedRect(a))) {
            EXPECT_TRUE(Contains(actualRect(a.container), actualA))
                << Describe(a) << " leaves its container";
        }
        for (std::size_t j = i + 1; j < kExpectedControls.size(); ++j) {
            const auto& b = kExpectedControls[j];
            if (a.container != b.container) continue;
            if (Overlap(ExpectedRect(a), ExpectedRect(b))) continue;  // overlap by design
            EXPECT_FALSE(Overlap(actualA, actualRect(b.position)))
                << Describe(a) << " overlaps " << Describe(b);
        }
    }
}

}  // namespace harness
