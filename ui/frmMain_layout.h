// frmMain's controls as data: one row per control, in tab order, so that the
// row number is the control's tab position (and its z-order).
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>

namespace tessivar {

enum class ControlKind { Frame, Option, Label, TextBox, Button };

enum class FontId { Arial9, Arial105, Heading, YouYuan, SimSun, Count };

struct FontDef {
    const wchar_t* face;
    int hundredthsOfPoint;
    bool bold;
    BYTE charset;
};

// Control flags.
enum : unsigned {
    kAutoSize = 1u << 0,     // label takes the size its caption needs
    kAlignRight = 1u << 1,   // right-aligned text
    kAlignCenter = 1u << 2,  // centred text
    kReadOnly = 1u << 3,     // text box the user cannot type in
    kClickable = 1u << 4,    // label that reports clicks
    kSelected = 1u << 5,     // option selected when the window opens
};

constexpr COLORREF kDefaultColour = CLR_INVALID;
constexpr int kOnForm = -1;

struct ControlDef {
    const wchar_t* name;
    int index;  // member of a control array, 0 for a single control
    ControlKind kind;
    const wchar_t* caption;
    int container;  // tab position of the enclosing frame, or kOnForm
    int left, top, width, height;  // twips, relative to the container
    FontId font;
    COLORREF foreColor;
    unsigned flags;
};

constexpr std::size_t kControlCount = 77;
constexpr int kClientWidthTwips = 10140;
constexpr int kClientHeightTwips = 7965;

extern const std::array<ControlDef, kControlCount> kControls;
extern const std::array<FontDef, static_cast<std::size_t>(FontId::Count)> kFonts;

// The heading's face when "TechnicBold" is not installed.
extern const FontDef kHeadingFallback;

extern const wchar_t kFormCaption[];
extern const wchar_t kCalculateToolTip[];

// Tab position of a control (name, member index), or -1 if there is none.
int PositionOf(const wchar_t* name, int index = 0);

}  // namespace tessivar
