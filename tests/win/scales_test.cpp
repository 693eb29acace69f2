// Captions at every screen density. Each caption that is whole on one line at
// 96 DPI stays whole at 120, 144, 168 and 192 DPI, at the density the window
// starts at and after a move to a monitor of another one: no label wraps or
// loses a line, no option's caption reaches the edge of its button or runs
// into the control beside it, no button or frame cuts its caption.
//
// Each caption is measured in the font its control carries, against the room
// the control leaves it. A font handle only means something in the process
// that made it, so this test builds frmMain in its own process, at the
// screen's density; ctest runs it at 96 DPI and in copies of the prefix set
// to each of the other densities.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <string>

#include "expected_layout.h"
#include "frmMain.h"
#include "harness.h"
#include "layout_checks.h"

namespace harness {
namespace {

constexpr UINT kDensities[] = {96, 120, 144, 168, 192};

// A caption in its control's font, and the room the control leaves it, in
// pixels.
struct Measured {
    SIZE text{};
    int roomWidth = 0;
    int roomHeight = 0;
    // How many pixels the caption needs beyond its room, if any.
    int Over() const { return std::max<int>(0, text.cx - roomWidth); }
};

// Where a control of `form` stands in its parent.
RECT PlaceOf(HWND form, int position) {
    return RectInParent(GetDlgItem(form, ControlId(position)));
}

// The left edge of the nearest control to the right of `c` in the same
// container and on the same line (by the 96 DPI layout), or INT_MAX.
int NeighbourLeft(HWND form, const ExpectedControl& c) {
    int left = INT_MAX;
    for (const auto& other : kExpectedControls) {
        if (other.container != c.container || other.position == c.position) continue;
        const bool sameLine = other.y < c.y + c.height && c.y < other.y + other.height;
        if (!sameLine || other.x <= c.x) continue;
        left = std::min<int>(left, PlaceOf(form, other.position).left);
    }
    return left;
}

// Measures control `c` of `form`, a window at `dpi`, as the classic controls
// lay out their captions:
// - a label draws its text from its left edge and wraps what does not fit;
// - an option button draws its circle (12 * dpi / 96 + 1 pixels wide), then
//   half a digit's width of space, and its caption one pixel further on,
//   with the focus rectangle one pixel around it; the caption must also
//   end before the control beside it begins;
// - a push button draws a two-pixel edge around its centred caption;
// - a frame draws its caption from 8 pixels in, keeping 7 at the right;
// - a text box keeps its margins.
Measured Measure(HWND form, const ExpectedControl& c, UINT dpi) {
    HWND control = GetDlgItem(form, ControlId(c.position));
    Measured m;
    const std::wstring text = Text(control);
    if (text.empty()) {
        m.roomWidth = m.roomHeight = 1;
        return m;
    }
    RECT client{};
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &m.text);
    int digit = 0;
    GetCharWidthW(dc, L'0', L'0', &digit);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);

    m.roomWidth = client.right;
    m.roomHeight = client.bottom;
    switch (c.kind) {
        case Kind::Label:
            break;
        case Kind::Option: {
            const int textLeft = static_cast<int>(12 * dpi / 96 + 1) + digit / 2 + 1;
            m.roomWidth = client.right - textLeft - 1;
            const int neighbour = NeighbourLeft(form, c);
            if (neighbour != INT_MAX) {
                m.roomWidth = std::min<int>(m.roomWidth,
                                            neighbour - PlaceOf(form, c.position).left - textLeft);
            }
            break;
        }
        case Kind::Button:
            m.roomWidth -= 4;
            m.roomHeight -= 4;
            break;
        case Kind::Frame:
            m.roomWidth -= 15;
            m.roomHeight = m.text.cy;  // the caption stands on the frame's top edge
            break;
        case Kind::TextBox: {
            const auto margins = static_cast<DWORD>(SendMessageW(control, EM_GETMARGINS, 0, 0));
            m.roomWidth -= LOWORD(margins) + HIWORD(margins);
            break;
        }
    }
    return m;
}

std::string Describe(const ExpectedControl& c, const std::wstring& text) {
    return Narrow(c.name) + "(" + std::to_string(c.index) + ") \"" + Narrow(text) + "\"";
}

using Captions = std::array<Measured, kExpectedControls.size()>;

Captions MeasureAll(HWND form, UINT dpi) {
    Captions all;
    for (const auto& c : kExpectedControls) {
        all[static_cast<std::size_t>(c.position)] = Measure(form, c, dpi);
    }
    return all;
}

// Every caption of `form`, a window at `dpi`, that was whole at 96 DPI
// (`at96`) is whole, and none is further over its room than at 96 DPI; the
// heading, sized to its text, stays within the window.
void ExpectEveryCaptionWhole(HWND form, UINT dpi, const Captions& at96) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
    for (const auto& c : kExpectedControls) {
        const Measured m = Measure(form, c, dpi);
        const Measured& was = at96[static_cast<std::size_t>(c.position)];
        const std::wstring text = Text(GetDlgItem(form, ControlId(c.position)));
        EXPECT_LE(m.Over(), was.Over())
            << Describe(c, text) << " needs " << m.text.cx << " pixels and has " << m.roomWidth
            << "; at 96 DPI it needed " << was.text.cx << " and had " << was.roomWidth;
        EXPECT_LE(m.text.cy, m.roomHeight) << Describe(c, text) << " is cut at the bottom";
    }
    RECT client{};
    GetClientRect(form, &client);
    const RECT heading = PlaceOf(form, kLabel1Pos);
    EXPECT_LE(heading.right, client.right) << "the heading runs out of the window";
}

class ScalesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(form_.Load());
        ASSERT_NE(form_.hwnd(), nullptr);
    }

    tessivar::ShellLibrary shell_;
    tessivar::frmMain form_{GetModuleHandleW(nullptr), shell_};
};

// The captions as the window shows them at 96 DPI, where it was drawn; the
// window goes back to the screen's density afterwards.
Captions At96(HWND form, UINT screen) {
    if (screen == 96) return MeasureAll(form, 96);
    MoveToDpi(form, 96);
    const Captions at96 = MeasureAll(form, 96);
    MoveToDpi(form, screen);
    return at96;
}

TEST_F(ScalesTest, EveryCaptionIsWholeAtTheScreensDensity) {
    const int expected = ExpectedDpi();
    ASSERT_EQ(ScreenDpi(), expected) << "the screen is not at the density asked for";
    const auto screen = static_cast<UINT>(expected);
    const Captions at96 = At96(form_.hwnd(), screen);
    ExpectEveryCaptionWhole(form_.hwnd(), screen, at96);
}

TEST_F(ScalesTest, EveryCaptionStaysWholeAfterAMoveToAnotherDensity) {
    const auto screen = static_cast<UINT>(ScreenDpi());
    const Captions at96 = At96(form_.hwnd(), screen);
    for (const UINT dpi : kDensities) {
        if (dpi == screen) continue;
        MoveToDpi(form_.hwnd(), dpi);
        ExpectEveryCaptionWhole(form_.hwnd(), dpi, at96);
    }
    MoveToDpi(form_.hwnd(), screen);
    ExpectEveryCaptionWhole(form_.hwnd(), screen, at96);
}

}  // namespace
}  // namespace harness
