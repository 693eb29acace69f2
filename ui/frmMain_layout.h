// frmMain's controls as data: one row per control, in tab order, so that the
// row number is the control's tab position (and its z-order). The table is
// known to the compiler, so the code names controls by compile-time lookups:
// a misspelt name or a missing member fails to build.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <string_view>

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
    int container;                 // tab position of the enclosing frame, or kOnForm
    int left, top, width, height;  // twips, relative to the container
    FontId font;
    COLORREF foreColor;
    unsigned flags;
};

constexpr std::size_t kControlCount = 77;
constexpr int kClientWidthTwips = 10140;
constexpr int kClientHeightTwips = 7965;

inline constexpr wchar_t kFormCaption[] = L"TESSIVAR";
inline constexpr wchar_t kCalculateToolTip[] = L"Click the Company name to Enable the Command";

// The maker's web page, in ASCII: handed to the shell as it stands, and shown
// at the start of the contact block's web line.
inline constexpr char kWebAddress[] = "http://www.kestrel.example/";

// An ASCII text followed by a wide one, joined into one wide text when the
// program is built.
template <std::size_t A, std::size_t B>
consteval std::array<wchar_t, A - 1 + B> Joined(const char (&ascii)[A], const wchar_t (&wide)[B]) {
    std::array<wchar_t, A - 1 + B> text{};
    for (std::size_t i = 0; i + 1 < A; ++i) text[i] = static_cast<wchar_t>(ascii[i]);
    for (std::size_t i = 0; i < B; ++i) text[A - 1 + i] = wide[i];
    return text;
}
inline constexpr auto kWebLine = Joined(kWebAddress, L" info@kestrel.example");

inline constexpr std::array<FontDef, static_cast<std::size_t>(FontId::Count)> kFonts = {{
    {L"Arial", 900, true, ANSI_CHARSET},
    {L"Arial", 1050, true, ANSI_CHARSET},
    {L"TechnicBold", 1425, true, SYMBOL_CHARSET},
    {L"幼圆", 1050, true, GB2312_CHARSET},
    {L"宋体", 1050, false, GB2312_CHARSET},
}};

inline constexpr FontDef kHeadingFallback = {L"Arial", 1425, true, ANSI_CHARSET};

namespace layout {

using K = ControlKind;
using F = FontId;

// Tab positions of the frames, which the rows below use as containers.
constexpr int kFrame1 = 1;
constexpr int kFrame2_0 = 2, kFrame2_1 = 5, kFrame2_2 = 8, kFrame2_3 = 11;
constexpr int kFrame2_4 = 14, kFrame2_5 = 17, kFrame2_6 = 20, kFrame2_7 = 23;
constexpr int kFrame3 = 26;
constexpr int kFrame4 = 40;
constexpr int kFrame5 = 41;
constexpr int kFrame6 = 51;
constexpr int kFrame7 = 64;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRust = RGB(192, 64, 0);
constexpr COLORREF kTeal = RGB(0, 128, 128);
constexpr COLORREF kDefault = kDefaultColour;

// clang-format off
inline constexpr std::array<ControlDef, kControlCount> kControls = {{
    // name            idx kind       caption                      container   left  top   width height font        colour    flags
    {L"Label1",         0, K::Label,  L"MELSEC-Q Tessivar",        kOnForm,    1080,  180, 7860,  300, F::Heading,  kRed,     kAutoSize},
    {L"Frame1",         0, K::Frame,  L"",                         kOnForm,     240,  720, 6255, 6015, F::Arial9,   kDefault, 0},

    // Transmission settings: pair k is OptOperation(2k) (bit 0) and OptOperation(2k+1) (bit 1).
    {L"Frame2",         0, K::Frame,  L"Operation Setting",        kFrame1,     120,  180, 3195,  675, F::Arial9,   kBlue,    0},
    {L"OptOperation",   0, K::Option, L"Independant",              kFrame2_0,   300,  300, 1395,  315, F::Arial9,   kDefault, kSelected},
    {L"OptOperation",   1, K::Option, L"Linked",                   kFrame2_0,  1980,  300, 1155,  315, F::Arial9,   kDefault, 0},
    {L"Frame2",         1, K::Frame,  L"Data Bit",                 kFrame1,     120,  900, 3195,  675, F::Arial9,   kBlue,    0},
    {L"OptOperation",   2, K::Option, L"7",                        kFrame2_1,   960,  300,  615,  315, F::Arial9,   kDefault, 0},
    {L"OptOperation",   3, K::Option, L"8",                        kFrame2_1,  1980,  300,  975,  315, F::Arial9,   kDefault, kSelected},
    {L"Frame2",         2, K::Frame,  L"Parity Bit",               kFrame1,     120, 1620, 3195,  675, F::Arial9,   kBlue,    0},
    {L"OptOperation",   4, K::Option, L"NO",                       kFrame2_2,   960,  300,  615,  315, F::Arial9,   kDefault, kSelected},
    {L"OptOperation",   5, K::Option, L"YES",                      kFrame2_2,  1980,  300,  855,  315, F::Arial9,   kDefault, 0},
    {L"Frame2",         3, K::Frame,  L"Odd/Even",                 kFrame1,     120, 2340, 3195,  675, F::Arial9,   kBlue,    0},
    {L"OptOperation",   6, K::Option, L"ODD",                      kFrame2_3,   960,  300,  735,  315, F::Arial9,   kDefault, kSelected},
    {L"OptOperation",   7, K::Option, L"EVEN",                     kFrame2_3,  1980,  300,  975,  315, F::Arial9,   kDefault, 0},
    {L"Frame2",         4, K::Frame,  L"Stop Bit",                 kFrame1,     120, 3060, 3195,  675, F::Arial9,   kBlue,    0},
    {L"OptOperation",   8, K::Option, L"1",                        kFrame2_4,   960,  300,  735,  315, F::Arial9,   kDefault, kSelected},
    {L"OptOperation",   9, K::Option, L"2",                        kFrame2_4,  1980,  300,  855,  315, F::Arial9,   kDefault, 0},
    {L"Frame2",         5, K::Frame,  L"Check Sum",                kFrame1,     120, 3780, 3195,  675, F::Arial9,   kBlue,    0},
    {L"OptOperation",  10, K::Option, L"NO",                       kFrame2_5,   960,  300,  735,  315, F::Arial9,   kDefault, 0},
    {L"OptOperation",  11, K::Option, L"YES",                      kFrame2_5,  1980,  300, 1095,  315, F::Arial9,   kDefault, kSelected},
    {L"Frame2",         6, K::Frame,  L"Write During RUN",         kFrame1,     120, 4500, 3195,  675, F::Arial9,   kBlue,    0},
    {L"OptOperation",  12, K::Option, L"DISABLE",                  kFrame2_6,   960,  300, 1035,  315, F::Arial9,   kDefault, 0},
    {L"OptOperation",  13, K::Option, L"ENABLE",                   kFrame2_6,  1980,  300, 1095,  315, F::Arial9,   kDefault, kSelected},
    {L"Frame2",         7, K::Frame,  L"Change Setting",           kFrame1,     120, 5220, 3195,  675, F::Arial9,   kBlue,    0},
    {L"OptOperation",  14, K::Option, L"DISABLE",                  kFrame2_7,   960,  300, 1035,  315, F::Arial9,   kDefault, kSelected},
    {L"OptOperation",  15, K::Option, L"ENABLE",                   kFrame2_7,  1980,  300, 1095,  315, F::Arial9,   kDefault, 0},

    // Communication rate, two columns; "230400" comes much later in the tab order.
    {L"Frame3",         0, K::Frame,  L"Baud Rate",                kFrame1,    3420,  180, 2595, 2835, F::Arial9,   kBlue,    0},
    {L"optBaudRate",    0, K::Option, L"50",                       kFrame3,     300,  480,  735,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",    1, K::Option, L"300",                      kFrame3,    1380,  480,  735,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",    2, K::Option, L"600",                      kFrame3,     300,  780,  735,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",    3, K::Option, L"1200",                     kFrame3,    1380,  780,  915,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",    4, K::Option, L"2400",                     kFrame3,     300, 1080,  915,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",    5, K::Option, L"4800",                     kFrame3,    1380, 1080,  915,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",    6, K::Option, L"9600",                     kFrame3,     300, 1380,  915,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",    7, K::Option, L"14400",                    kFrame3,    1380, 1380,  915,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",    8, K::Option, L"19200",                    kFrame3,     300, 1680,  915,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",    9, K::Option, L"28800",                    kFrame3,    1380, 1680,  915,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",   10, K::Option, L"38400",                    kFrame3,     300, 1980,  915,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",   11, K::Option, L"57600",                    kFrame3,    1380, 1980, 1095,  315, F::Arial105, kDefault, 0},
    {L"optBaudRate",   12, K::Option, L"115200",                   kFrame3,     300, 2280, 1095,  315, F::Arial105, kDefault, kSelected},

    {L"Frame4",         0, K::Frame,  L"",                         kOnForm,    6600,  720, 3315, 6015, F::Arial9,   kDefault, 0},

    // Protocol, one column; the index is the protocol number.
    {L"Frame5",         0, K::Frame,  L"Protocol Setting",         kFrame1,    3360, 3060, 2655, 2835, F::Arial9,   kBlue,    0},
    {L"optProtocol",    0, K::Option, L"GX Connection",            kFrame5,     240,  300, 2055,  255, F::Arial9,   kDefault, 0},
    {L"optProtocol",    1, K::Option, L"Format 1",                 kFrame5,     240,  540, 2055,  255, F::Arial9,   kDefault, 0},
    {L"optProtocol",    2, K::Option, L"Format 2",                 kFrame5,     240,  780, 2055,  255, F::Arial9,   kDefault, 0},
    {L"optProtocol",    3, K::Option, L"Format 3",                 kFrame5,     240, 1020, 2055,  255, F::Arial9,   kDefault, 0},
    {L"optProtocol",    4, K::Option, L"Format 4",                 kFrame5,     240, 1260, 2055,  255, F::Arial9,   kDefault, 0},
    {L"optProtocol",    5, K::Option, L"Format 5 (4C Binary)",     kFrame5,     240, 1500, 2055,  255, F::Arial9,   kDefault, kSelected},
    {L"optProtocol",    6, K::Option, L"Non Procedural",           kFrame5,     240, 1740, 2055,  255, F::Arial9,   kDefault, 0},
    {L"optProtocol",    7, K::Option, L"Bi-directional",           kFrame5,     240, 1980, 2055,  255, F::Arial9,   kDefault, 0},
    {L"optProtocol",    8, K::Option, L"Link Setting",             kFrame5,     240, 2220, 2055,  255, F::Arial9,   kDefault, 0},

    // The switch rows: a title box and a value box each, then two notes.
    {L"Frame6",         0, K::Frame,  L"Switch Setting",           kFrame4,     180, 1380, 3015, 2835, F::Arial9,   kRust,    0},
    {L"Text1",          0, K::TextBox, L"Switch 1",                kFrame6,     180,  420, 1035,  315, F::Arial9,   kDefault, kReadOnly},
    {L"Text1",          1, K::TextBox, L"Switch 2",                kFrame6,     180,  780, 1035,  315, F::Arial9,   kDefault, kReadOnly},
    {L"Text1",          2, K::TextBox, L"Switch 3",                kFrame6,     180, 1140, 1035,  315, F::Arial9,   kDefault, kReadOnly},
    {L"Text1",          3, K::TextBox, L"Switch 4",                kFrame6,     180, 1500, 1035,  315, F::Arial9,   kDefault, kReadOnly},
    {L"Text1",          4, K::TextBox, L"Switch 5",                kFrame6,     180, 1860, 1035,  315, F::Arial9,   kDefault, kReadOnly},
    {L"txtSW",          0, K::TextBox, L"",                        kFrame6,    1440,  420, 1095,  315, F::Arial9,   kRed,     kReadOnly | kAlignCenter},
    {L"txtSW",          1, K::TextBox, L"",                        kFrame6,    1440,  780, 1095,  315, F::Arial9,   kRed,     kReadOnly | kAlignCenter},
    {L"txtSW",          2, K::TextBox, L"",                        kFrame6,    1440, 1140, 1095,  315, F::Arial9,   kRed,     kReadOnly | kAlignCenter},
    {L"txtSW",          3, K::TextBox, L"",                        kFrame6,    1440, 1500, 1095,  315, F::Arial9,   kRed,     kReadOnly | kAlignCenter},
    {L"txtSW",          4, K::TextBox, L"0",                       kFrame6,    1440, 1860, 1095,  315, F::Arial9,   kRed,     kAlignCenter},
    {L"Label2",         0, K::Label,  L"Switch 5 is station number(0-31)", kFrame6, 180, 2280, 2760, 225, F::Arial9, kDefault, kAutoSize},
    {L"Label2",         1, K::Label,  L"If 1:1 network, set as 0", kFrame6,     180, 2520, 1920,  225, F::Arial9,   kDefault, kAutoSize},

    {L"Frame7",         0, K::Frame,  L"Channel Selection",        kFrame4,     180,  180, 2955, 1155, F::Arial9,   kBlue,    0},
    {L"optCH",          0, K::Option, L"CH1",                      kFrame7,     300,  360,  855,  255, F::Arial9,   kDefault, kSelected},
    {L"optCH",          1, K::Option, L"CH2",                      kFrame7,    1620,  360,  855,  255, F::Arial9,   kDefault, 0},
    {L"optCH",          2, K::Option, L"CH1 CH2    Same Setting",  kFrame7,     300,  720, 2355,  255, F::Arial9,   kDefault, 0},

    {L"cmdCalculate",   0, K::Button, L"Calculate Setting",        kFrame4,     180, 4500, 2955,  435, F::Arial105, kDefault, 0},
    {L"cmdExit",        0, K::Button, L"Exit",                     kFrame4,     180, 5100, 2955,  435, F::Arial105, kDefault, 0},

    // The maker's contact block (fictional maker).
    {L"Label3",         0, K::Label,  L"Kestrel Automation Co., Ltd. ", kOnForm, 240, 6840, 4755, 315, F::Arial105, kTeal,  kClickable},
    {L"Label3",         1, K::Label,  L"    红隼自动化有限公司",   kOnForm,    5040, 6840, 4755,  315, F::YouYuan,  kTeal,    kClickable},
    {L"Label3",         2, K::Label,  L"Tel. 0755-5550123 5550124 Fax. 5550125", kOnForm, 240, 7200, 4755, 315, F::Arial105, kTeal, kClickable},
    {L"Label3",         3, K::Label,  kWebLine.data(),                                   kOnForm, 240, 7560, 5115, 315, F::Arial105, kTeal, kClickable},
    {L"optBaudRate",   13, K::Option, L"230400",                   kFrame3,    1380, 2280, 1095,  315, F::Arial105, kDefault, 0},
    {L"Label3",         4, K::Label,  L"    深圳市南山区科园路88号 ZIP:518057", kOnForm, 5100, 7140, 5055, 315, F::SimSun, kTeal, kClickable},

    {L"lblVersion",     0, K::Label,  L"Label4",                   kOnForm,    8640, 7620, 1275,  255, F::Arial9,   kDefault, kAlignRight},
}};
// clang-format on

}  // namespace layout

using layout::kControls;

// Called only where a compile-time lookup finds no such control: it is not
// constexpr, so reaching it stops the build.
inline void NoSuchControl() {}

// The tab position of control `name` (member `index` of a control array).
consteval int PositionOf(std::wstring_view name, int index = 0) {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].index == index && name == kControls[i].name) return static_cast<int>(i);
    }
    NoSuchControl();
    return -1;
}

// The tab positions of a control array's members 0..N-1, by index; the
// array must have exactly N members.
template <std::size_t N>
consteval std::array<int, N> MembersOf(std::wstring_view name) {
    std::array<int, N> positions{};
    for (std::size_t i = 0; i < N; ++i) positions[i] = PositionOf(name, static_cast<int>(i));
    for (const ControlDef& def : kControls) {
        if (name == def.name && def.index >= static_cast<int>(N)) NoSuchControl();
    }
    return positions;
}

}  // namespace tessivar
