// frmMain's controls as data: one row per control, in tab order, so that the
// row number is the control's tab position (and its z-order). The table is
// known to the compiler: the count comes from the rows, each control names
// its container, and every name the code or the table uses is looked up
// when the program is built, so a misspelt name, a container that is not a
// frame, or a row moved out from under its frame fails to build. The option
// buttons' captions and initial selections, and their frames' captions, are
// those of kOptionGroups, filled in when the program is built.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <string_view>

#include "option_groups.h"
#include "texts.h"

namespace tessivar {

enum class ControlKind { Frame, Option, Label, TextBox, Button };

// Fonts by what they are for; their faces and sizes are in kFonts.
enum class FontId {
    Standard,      // group captions, options, switch rows, notes, version
    Large,         // the rates, the buttons and the maker's lines in English
    Heading,       // the window's heading
    MakerName,     // the maker's name in Chinese
    MakerAddress,  // the maker's address in Chinese
    Count
};

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
    kContactLine = 1u << 4,  // a line of the maker's contact block: a click is Label3_Click
    kSelected = 1u << 5,     // option selected when the window opens (from kOptionGroups)
};

constexpr COLORREF kDefaultColour = CLR_INVALID;

// A control by name (and index, for a member of a control array); the
// window itself has no name.
struct ControlRef {
    std::wstring_view name;
    int index = 0;
};
inline constexpr ControlRef kOnForm{};

// A row of the table below, as it is written.
struct ControlRow {
    const wchar_t* name;
    int index;  // member of a control array, 0 for a single control
    ControlKind kind;
    const wchar_t* caption;
    ControlRef container;          // the enclosing frame, or kOnForm
    int left, top, width, height;  // twips, relative to the container
    FontId font;
    COLORREF foreColor;
    unsigned flags;
};

// A control as the program uses it: the same, with its container resolved
// to a tab position when the program is built.
struct ControlDef {
    const wchar_t* name;
    int index;
    ControlKind kind;
    const wchar_t* caption;
    int container;  // tab position of the enclosing frame, or kOnFormPosition
    int left, top, width, height;
    FontId font;
    COLORREF foreColor;
    unsigned flags;
};

// In a row's caption column: the caption comes from kOptionGroups. Every
// option button has it, and so has every frame that holds option buttons.
inline constexpr const wchar_t* kFromGroups = nullptr;

// The position that stands for the window itself as a container.
inline constexpr int kOnFormPosition = -1;

constexpr SIZE kClientTwips{10140, 7965};

inline constexpr std::array<FontDef, static_cast<std::size_t>(FontId::Count)> kFonts = {{
    {L"Arial", 900, true, ANSI_CHARSET},
    {L"Arial", 1050, true, ANSI_CHARSET},
    {L"TechnicBold", 1425, true, SYMBOL_CHARSET},
    {L"幼圆", 1050, true, GB2312_CHARSET},
    {L"宋体", 1050, false, GB2312_CHARSET},
}};

// The heading's face where TechnicBold is not installed.
inline constexpr FontDef kHeadingFallback = {L"Arial", 1425, true, ANSI_CHARSET};

namespace layout {

using K = ControlKind;
using F = FontId;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRust = RGB(192, 64, 0);
constexpr COLORREF kTeal = RGB(0, 128, 128);
constexpr COLORREF kDefault = kDefaultColour;

// clang-format off
inline constexpr auto kRows = std::to_array<ControlRow>({
    // name          idx kind       caption                      container          left  top width height font          colour    flags
    {L"Label1",        0, K::Label,  L"MELSEC-Q Tessivar",        kOnForm,          1080,  180, 7860,  300, F::Heading,      kRed,     kAutoSize},
    {L"Frame1",        0, K::Frame,  L"",                         kOnForm,           240,  720, 6255, 6015, F::Standard,     kDefault, 0},

    // Transmission settings: pair k is OptOperation(2k) (bit 0) and OptOperation(2k+1) (bit 1).
    {L"Frame2",        0, K::Frame,  kFromGroups,                 {L"Frame1"},       120,  180, 3195,  675, F::Standard,     kBlue,    0},
    {L"OptOperation",  0, K::Option, kFromGroups,                 {L"Frame2", 0},    300,  300, 1395,  315, F::Standard,     kDefault, 0},
    {L"OptOperation",  1, K::Option, kFromGroups,                 {L"Frame2", 0},   1980,  300, 1155,  315, F::Standard,     kDefault, 0},
    {L"Frame2",        1, K::Frame,  kFromGroups,                 {L"Frame1"},       120,  900, 3195,  675, F::Standard,     kBlue,    0},
    {L"OptOperation",  2, K::Option, kFromGroups,                 {L"Frame2", 1},    960,  300,  615,  315, F::Standard,     kDefault, 0},
    {L"OptOperation",  3, K::Option, kFromGroups,                 {L"Frame2", 1},   1980,  300,  975,  315, F::Standard,     kDefault, 0},
    {L"Frame2",        2, K::Frame,  kFromGroups,                 {L"Frame1"},       120, 1620, 3195,  675, F::Standard,     kBlue,    0},
    {L"OptOperation",  4, K::Option, kFromGroups,                 {L"Frame2", 2},    960,  300,  615,  315, F::Standard,     kDefault, 0},
    {L"OptOperation",  5, K::Option, kFromGroups,                 {L"Frame2", 2},   1980,  300,  855,  315, F::Standard,     kDefault, 0},
    {L"Frame2",        3, K::Frame,  kFromGroups,                 {L"Frame1"},       120, 2340, 3195,  675, F::Standard,     kBlue,    0},
    {L"OptOperation",  6, K::Option, kFromGroups,                 {L"Frame2", 3},    960,  300,  735,  315, F::Standard,     kDefault, 0},
    {L"OptOperation",  7, K::Option, kFromGroups,                 {L"Frame2", 3},   1980,  300,  975,  315, F::Standard,     kDefault, 0},
    {L"Frame2",        4, K::Frame,  kFromGroups,                 {L"Frame1"},       120, 3060, 3195,  675, F::Standard,     kBlue,    0},
    {L"OptOperation",  8, K::Option, kFromGroups,                 {L"Frame2", 4},    960,  300,  735,  315, F::Standard,     kDefault, 0},
    {L"OptOperation",  9, K::Option, kFromGroups,                 {L"Frame2", 4},   1980,  300,  855,  315, F::Standard,     kDefault, 0},
    {L"Frame2",        5, K::Frame,  kFromGroups,                 {L"Frame1"},       120, 3780, 3195,  675, F::Standard,     kBlue,    0},
    {L"OptOperation", 10, K::Option, kFromGroups,                 {L"Frame2", 5},    960,  300,  735,  315, F::Standard,     kDefault, 0},
    {L"OptOperation", 11, K::Option, kFromGroups,                 {L"Frame2", 5},   1980,  300, 1095,  315, F::Standard,     kDefault, 0},
    {L"Frame2",        6, K::Frame,  kFromGroups,                 {L"Frame1"},       120, 4500, 3195,  675, F::Standard,     kBlue,    0},
    {L"OptOperation", 12, K::Option, kFromGroups,                 {L"Frame2", 6},    960,  300, 1035,  315, F::Standard,     kDefault, 0},
    {L"OptOperation", 13, K::Option, kFromGroups,                 {L"Frame2", 6},   1980,  300, 1095,  315, F::Standard,     kDefault, 0},
    {L"Frame2",        7, K::Frame,  kFromGroups,                 {L"Frame1"},       120, 5220, 3195,  675, F::Standard,     kBlue,    0},
    {L"OptOperation", 14, K::Option, kFromGroups,                 {L"Frame2", 7},    960,  300, 1035,  315, F::Standard,     kDefault, 0},
    {L"OptOperation", 15, K::Option, kFromGroups,                 {L"Frame2", 7},   1980,  300, 1095,  315, F::Standard,     kDefault, 0},

    // Communication rate, two columns; "230400" comes much later in the tab order.
    {L"Frame3",        0, K::Frame,  kFromGroups,                 {L"Frame1"},      3420,  180, 2595, 2835, F::Standard,     kBlue,    0},
    {L"optBaudRate",   0, K::Option, kFromGroups,                 {L"Frame3"},       300,  480,  735,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",   1, K::Option, kFromGroups,                 {L"Frame3"},      1380,  480,  735,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",   2, K::Option, kFromGroups,                 {L"Frame3"},       300,  780,  735,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",   3, K::Option, kFromGroups,                 {L"Frame3"},      1380,  780,  915,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",   4, K::Option, kFromGroups,                 {L"Frame3"},       300, 1080,  915,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",   5, K::Option, kFromGroups,                 {L"Frame3"},      1380, 1080,  915,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",   6, K::Option, kFromGroups,                 {L"Frame3"},       300, 1380,  915,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",   7, K::Option, kFromGroups,                 {L"Frame3"},      1380, 1380,  915,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",   8, K::Option, kFromGroups,                 {L"Frame3"},       300, 1680,  915,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",   9, K::Option, kFromGroups,                 {L"Frame3"},      1380, 1680,  915,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",  10, K::Option, kFromGroups,                 {L"Frame3"},       300, 1980,  915,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",  11, K::Option, kFromGroups,                 {L"Frame3"},      1380, 1980, 1095,  315, F::Large,        kDefault, 0},
    {L"optBaudRate",  12, K::Option, kFromGroups,                 {L"Frame3"},       300, 2280, 1095,  315, F::Large,        kDefault, 0},

    {L"Frame4",        0, K::Frame,  L"",                         kOnForm,          6600,  720, 3315, 6015, F::Standard,     kDefault, 0},

    // Protocol, one column; the index is the protocol number.
    {L"Frame5",        0, K::Frame,  kFromGroups,                 {L"Frame1"},      3360, 3060, 2655, 2835, F::Standard,     kBlue,    0},
    {L"optProtocol",   0, K::Option, kFromGroups,                 {L"Frame5"},       240,  300, 2055,  255, F::Standard,     kDefault, 0},
    {L"optProtocol",   1, K::Option, kFromGroups,                 {L"Frame5"},       240,  540, 2055,  255, F::Standard,     kDefault, 0},
    {L"optProtocol",   2, K::Option, kFromGroups,                 {L"Frame5"},       240,  780, 2055,  255, F::Standard,     kDefault, 0},
    {L"optProtocol",   3, K::Option, kFromGroups,                 {L"Frame5"},       240, 1020, 2055,  255, F::Standard,     kDefault, 0},
    {L"optProtocol",   4, K::Option, kFromGroups,                 {L"Frame5"},       240, 1260, 2055,  255, F::Standard,     kDefault, 0},
    {L"optProtocol",   5, K::Option, kFromGroups,                 {L"Frame5"},       240, 1500, 2055,  255, F::Standard,     kDefault, 0},
    {L"optProtocol",   6, K::Option, kFromGroups,                 {L"Frame5"},       240, 1740, 2055,  255, F::Standard,     kDefault, 0},
    {L"optProtocol",   7, K::Option, kFromGroups,                 {L"Frame5"},       240, 1980, 2055,  255, F::Standard,     kDefault, 0},
    {L"optProtocol",   8, K::Option, kFromGroups,                 {L"Frame5"},       240, 2220, 2055,  255, F::Standard,     kDefault, 0},

    // The switch rows: a title box and a value box each, then two notes.
    {L"Frame6",        0, K::Frame,  L"Switch Setting",           {L"Frame4"},       180, 1380, 3015, 2835, F::Standard,     kRust,    0},
    {L"Text1",         0, K::TextBox, L"Switch 1",                 {L"Frame6"},       180,  420, 1035,  315, F::Standard,     kDefault, kReadOnly},
    {L"Text1",         1, K::TextBox, L"Switch 2",                 {L"Frame6"},       180,  780, 1035,  315, F::Standard,     kDefault, kReadOnly},
    {L"Text1",         2, K::TextBox, L"Switch 3",                 {L"Frame6"},       180, 1140, 1035,  315, F::Standard,     kDefault, kReadOnly},
    {L"Text1",         3, K::TextBox, L"Switch 4",                 {L"Frame6"},       180, 1500, 1035,  315, F::Standard,     kDefault, kReadOnly},
    {L"Text1",         4, K::TextBox, L"Switch 5",                 {L"Frame6"},       180, 1860, 1035,  315, F::Standard,     kDefault, kReadOnly},
    {L"txtSW",         0, K::TextBox, L"",                         {L"Frame6"},      1440,  420, 1095,  315, F::Standard,     kRed,     kReadOnly | kAlignCenter},
    {L"txtSW",         1, K::TextBox, L"",                         {L"Frame6"},      1440,  780, 1095,  315, F::Standard,     kRed,     kReadOnly | kAlignCenter},
    {L"txtSW",         2, K::TextBox, L"",                         {L"Frame6"},      1440, 1140, 1095,  315, F::Standard,     kRed,     kReadOnly | kAlignCenter},
    {L"txtSW",         3, K::TextBox, L"",                         {L"Frame6"},      1440, 1500, 1095,  315, F::Standard,     kRed,     kReadOnly | kAlignCenter},
    {L"txtSW",         4, K::TextBox, L"0",                        {L"Frame6"},      1440, 1860, 1095,  315, F::Standard,     kRed,     kAlignCenter},
    {L"Label2",        0, K::Label,  L"Switch 5 is station number(0-31)", {L"Frame6"},       180, 2280, 2760,  225, F::Standard,     kDefault, kAutoSize},
    {L"Label2",        1, K::Label,  L"If 1:1 network, set as 0", {L"Frame6"},       180, 2520, 1920,  225, F::Standard,     kDefault, kAutoSize},

    {L"Frame7",        0, K::Frame,  kFromGroups,                 {L"Frame4"},       180,  180, 2955, 1155, F::Standard,     kBlue,    0},
    {L"optCH",         0, K::Option, kFromGroups,                 {L"Frame7"},       300,  360,  855,  255, F::Standard,     kDefault, 0},
    {L"optCH",         1, K::Option, kFromGroups,                 {L"Frame7"},      1620,  360,  855,  255, F::Standard,     kDefault, 0},
    {L"optCH",         2, K::Option, kFromGroups,                 {L"Frame7"},       300,  720, 2355,  255, F::Standard,     kDefault, 0},

    {L"cmdCalculate",  0, K::Button, L"Calculate Setting",        {L"Frame4"},       180, 4500, 2955,  435, F::Large,        kDefault, 0},
    {L"cmdExit",       0, K::Button, L"Exit",                     {L"Frame4"},       180, 5100, 2955,  435, F::Large,        kDefault, 0},

    // The maker's contact block (fictional maker).
    {L"Label3",        0, K::Label,  kMakerName,                  kOnForm,           240, 6840, 4755,  315, F::Large,        kTeal,    kContactLine},
    {L"Label3",        1, K::Label,  kMakerNameChinese,           kOnForm,          5040, 6840, 4755,  315, F::MakerName,    kTeal,    kContactLine},
    {L"Label3",        2, K::Label,  kMakerTelephone,             kOnForm,           240, 7200, 4755,  315, F::Large,        kTeal,    kContactLine},
    {L"Label3",        3, K::Label,  kMakerWebLine.data(),        kOnForm,           240, 7560, 5115,  315, F::Large,        kTeal,    kContactLine},
    {L"optBaudRate",  13, K::Option, kFromGroups,                 {L"Frame3"},      1380, 2280, 1095,  315, F::Large,        kDefault, 0},
    {L"Label3",        4, K::Label,  kMakerAddress,               kOnForm,          5100, 7140, 5055,  315, F::MakerAddress, kTeal,    kContactLine},

    {L"lblVersion",    0, K::Label,  L"Label4",                   kOnForm,          8640, 7620, 1275,  255, F::Standard,     kDefault, kAlignRight},
});
// clang-format on

// The captions of kOptionGroups, wide, each ending in '\0', one after another:
// every group's caption followed by its members' captions, group by group.
// Where the caption of group `group` (member -1) or of its member `member`
// starts; past the last group, the length of them all.
consteval std::size_t GroupCaptionAt(std::size_t group, int member = -1) {
    std::size_t at = 0;
    for (std::size_t g = 0; g < kOptionGroups.size(); ++g) {
        if (g == group && member < 0) return at;
        at += kOptionGroups[g].caption.size() + 1;
        for (std::size_t m = 0; m < kOptionGroups[g].members.size(); ++m) {
            if (g == group && static_cast<int>(m) == member) return at;
            at += kOptionGroups[g].members[m].caption.size() + 1;
        }
    }
    return at;
}

// Called only where a caption of kOptionGroups is not ASCII, which the
// widening below would garble: it is not constexpr, so reaching it stops the
// build.
inline void CaptionNotAscii() {}

using GroupCaptions = std::array<wchar_t, GroupCaptionAt(kOptionGroups.size())>;

consteval void Widen(std::string_view caption, GroupCaptions& text, std::size_t at) {
    for (const char c : caption) {
        if (static_cast<unsigned char>(c) >= 0x80) CaptionNotAscii();
        text[at++] = static_cast<wchar_t>(c);
    }
}

consteval GroupCaptions WidenGroupCaptions() {
    GroupCaptions text{};
    for (std::size_t g = 0; g < kOptionGroups.size(); ++g) {
        Widen(kOptionGroups[g].caption, text, GroupCaptionAt(g));
        for (std::size_t m = 0; m < kOptionGroups[g].members.size(); ++m) {
            Widen(kOptionGroups[g].members[m].caption, text,
                  GroupCaptionAt(g, static_cast<int>(m)));
        }
    }
    return text;
}
inline constexpr auto kGroupCaptions = WidenGroupCaptions();

}  // namespace layout

inline constexpr std::size_t kControlCount = layout::kRows.size();
// A control's ID is this plus its tab position.
inline constexpr int kFirstControlId = 100;

// Called only where a compile-time lookup fails: it is not constexpr, so
// reaching it stops the build.
inline void NoSuchControl() {}

// The tab position of control `name` (member `index` of a control array).
consteval int PositionOf(std::wstring_view name, int index = 0) {
    for (std::size_t i = 0; i < layout::kRows.size(); ++i) {
        if (layout::kRows[i].index == index && name == layout::kRows[i].name) {
            return static_cast<int>(i);
        }
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
    for (const ControlRow& row : layout::kRows) {
        if (name == row.name && row.index >= static_cast<int>(N)) NoSuchControl();
    }
    return positions;
}

// Called only where the layout and kOptionGroups disagree: it is not
// constexpr, so reaching it stops the build.
inline void NotAsTheOptionGroupsSay() {}

// An option button's place in kOptionGroups.
struct GroupMember {
    std::size_t group;
    std::size_t member;
};

// The group and member of option button `name`(`index`), by what the group
// sets: OptOperation(2k + m) is member m of the group of transmission bit k;
// optBaudRate, optProtocol and optCH are numbered as their group's members.
consteval GroupMember GroupMemberOf(std::wstring_view name, int index) {
    for (std::size_t g = 0; g < kOptionGroups.size(); ++g) {
        const OptionGroup& group = kOptionGroups[g];
        int member = -1;
        switch (group.kind) {
            case GroupKind::kTransmissionBit:
                if (name == L"OptOperation" && index / 2 == group.bit) member = index % 2;
                break;
            case GroupKind::kBaudRate:
                if (name == L"optBaudRate") member = index;
                break;
            case GroupKind::kProtocol:
                if (name == L"optProtocol") member = index;
                break;
            case GroupKind::kChannel:
                if (name == L"optCH") member = index;
                break;
        }
        if (member >= 0 && static_cast<std::size_t>(member) < group.members.size()) {
            return {g, static_cast<std::size_t>(member)};
        }
    }
    NotAsTheOptionGroupsSay();
    return {};
}

// The first option button that the frame at tab position `frame` holds, or
// nullptr.
consteval const ControlRow* FirstOptionIn(int frame) {
    for (const ControlRow& row : layout::kRows) {
        if (row.kind == ControlKind::Option &&
            PositionOf(row.container.name, row.container.index) == frame) {
            return &row;
        }
    }
    return nullptr;
}

// The group whose option buttons the frame at tab position `frame` holds.
consteval std::size_t GroupOfFrame(int frame) {
    const ControlRow* option = FirstOptionIn(frame);
    if (option == nullptr) NotAsTheOptionGroupsSay();
    return GroupMemberOf(option->name, option->index).group;
}

// The rows with every container resolved by name, and the option groups'
// captions and initial selections filled in. A container must be a frame
// that comes before the control, as a frame is created before what it holds.
// The captions of option buttons and of the frames that hold them, and the
// buttons' initial states, come only from kOptionGroups; the buttons of a
// frame are members of one group.
consteval std::array<ControlDef, kControlCount> ResolveContainers() {
    std::array<ControlDef, kControlCount> controls{};
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const ControlRow& row = layout::kRows[i];
        int container = kOnFormPosition;
        if (!row.container.name.empty()) {
            container = PositionOf(row.container.name, row.container.index);
            if (layout::kRows[static_cast<std::size_t>(container)].kind != ControlKind::Frame ||
                container >= static_cast<int>(i)) {
                NoSuchControl();
            }
        }
        const wchar_t* caption = row.caption;
        unsigned flags = row.flags;
        if (flags & kSelected) NotAsTheOptionGroupsSay();
        if (row.kind == ControlKind::Option) {
            const GroupMember option = GroupMemberOf(row.name, row.index);
            if (row.caption != kFromGroups || GroupOfFrame(container) != option.group) {
                NotAsTheOptionGroupsSay();
            }
            caption = &layout::kGroupCaptions[layout::GroupCaptionAt(
                option.group, static_cast<int>(option.member))];
            if (option.member == kOptionGroups[option.group].initial) flags |= kSelected;
        } else if (row.kind == ControlKind::Frame && FirstOptionIn(static_cast<int>(i))) {
            if (row.caption != kFromGroups) NotAsTheOptionGroupsSay();
            caption =
                &layout::kGroupCaptions[layout::GroupCaptionAt(GroupOfFrame(static_cast<int>(i)))];
        } else if (row.caption == kFromGroups) {
            NotAsTheOptionGroupsSay();
        }
        controls[i] = ControlDef{row.name, row.index, row.kind,   caption,  container,     row.left,
                                 row.top,  row.width, row.height, row.font, row.foreColor, flags};
    }
    return controls;
}
// Defined once, in frmMain_layout.cpp, so that its captions are in the
// program once.
extern const std::array<ControlDef, kControlCount> kControls;

}  // namespace tessivar
