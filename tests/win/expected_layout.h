// What the main window must look like, written out by hand: every control in
// tab order with its kind, caption, container and client-area rectangle in
// pixels at 96 DPI. The designer's layout is in twips relative to each
// control's container; the comment on each row sums the twips up to the
// client area and divides by 15 (twips per pixel at 96 DPI). Every value in
// the layout is a multiple of 15, so the pixels are exact. The captions of
// the option groups and their frames are those of switch_tables.h.
#pragma once

#include <array>
#include <cstddef>

#include "../switch_tables.h"
#include "expected_version.h"

namespace harness {

using switch_tables::kChannelFrame;
using switch_tables::kChannels;
using switch_tables::kPairs;
using switch_tables::kProtocolFrame;
using switch_tables::kProtocols;
using switch_tables::kRateFrame;
using switch_tables::kRates;

enum class Kind { Frame, Option, Label, TextBox, Button };

struct ExpectedControl {
    int position;  // tab position; the control's ID is ControlId(position)
    const wchar_t* name;
    int index;
    Kind kind;
    const wchar_t* caption;   // nullptr where the caption is not fixed
    int container;            // tab position of the enclosing frame, -1 for the window
    int x, y, width, height;  // client-area pixels at 96 DPI
    bool sizedToText;         // width and height follow the caption's font
    bool readOnly;            // text boxes only
};

constexpr int kForm = -1;
constexpr int kClientWidth96 = 676;   // 10140 / 15
constexpr int kClientHeight96 = 531;  // 7965 / 15

// Containers: Frame1 (1) at 240,720; Frame4 (40) at 6600,720; Frame2(k) at
// Frame1 + 120,180+720k = 360,900+720k; Frame3 at Frame1 + 3420,180 =
// 3660,900; Frame5 at Frame1 + 3360,3060 = 3600,3780; Frame7 at Frame4 +
// 180,180 = 6780,900; Frame6 at Frame4 + 180,1380 = 6780,2100.
// clang-format off
inline constexpr auto kExpectedControls = std::to_array<ExpectedControl>({
    // 1080,180; sized to its text
    {0, L"Label1", 0, Kind::Label, L"MELSEC-Q Tessivar", kForm, 72, 12, 524, 20, true, false},
    // 240,720 6255x6015
    {1, L"Frame1", 0, Kind::Frame, L"", kForm, 16, 48, 417, 401, false, false},
    // Frame2(0) 360,900 3195x675; its options at top 900+300=1200
    {2, L"Frame2", 0, Kind::Frame, kPairs[0].frame.wide, 1, 24, 60, 213, 45, false, false},
    {3, L"OptOperation", 0, Kind::Option, kPairs[0].members[0].wide, 2, 44, 80, 93, 21, false, false},   // 360+300=660; 1395x315
    {4, L"OptOperation", 1, Kind::Option, kPairs[0].members[1].wide, 2, 156, 80, 77, 21, false, false},  // 360+1980=2340; 1155
    // Frame2(1) top 900+720=1620; options at 1920
    {5, L"Frame2", 1, Kind::Frame, kPairs[1].frame.wide, 1, 24, 108, 213, 45, false, false},
    {6, L"OptOperation", 2, Kind::Option, kPairs[1].members[0].wide, 5, 88, 128, 41, 21, false, false},   // 360+960=1320; 615
    {7, L"OptOperation", 3, Kind::Option, kPairs[1].members[1].wide, 5, 156, 128, 65, 21, false, false},  // 975
    // Frame2(2) top 2340; options at 2640
    {8, L"Frame2", 2, Kind::Frame, kPairs[2].frame.wide, 1, 24, 156, 213, 45, false, false},
    {9, L"OptOperation", 4, Kind::Option, kPairs[2].members[0].wide, 8, 88, 176, 41, 21, false, false},    // 615
    {10, L"OptOperation", 5, Kind::Option, kPairs[2].members[1].wide, 8, 156, 176, 57, 21, false, false},  // 855
    // Frame2(3) top 3060; options at 3360
    {11, L"Frame2", 3, Kind::Frame, kPairs[3].frame.wide, 1, 24, 204, 213, 45, false, false},
    {12, L"OptOperation", 6, Kind::Option, kPairs[3].members[0].wide, 11, 88, 224, 49, 21, false, false},   // 735
    {13, L"OptOperation", 7, Kind::Option, kPairs[3].members[1].wide, 11, 156, 224, 65, 21, false, false},  // 975
    // Frame2(4) top 3780; options at 4080
    {14, L"Frame2", 4, Kind::Frame, kPairs[4].frame.wide, 1, 24, 252, 213, 45, false, false},
    {15, L"OptOperation", 8, Kind::Option, kPairs[4].members[0].wide, 14, 88, 272, 49, 21, false, false},   // 735
    {16, L"OptOperation", 9, Kind::Option, kPairs[4].members[1].wide, 14, 156, 272, 57, 21, false, false},  // 855
    // Frame2(5) top 4500; options at 4800
    {17, L"Frame2", 5, Kind::Frame, kPairs[5].frame.wide, 1, 24, 300, 213, 45, false, false},
    {18, L"OptOperation", 10, Kind::Option, kPairs[5].members[0].wide, 17, 88, 320, 49, 21, false, false},   // 735
    {19, L"OptOperation", 11, Kind::Option, kPairs[5].members[1].wide, 17, 156, 320, 73, 21, false, false},  // 1095
    // Frame2(6) top 5220; options at 5520
    {20, L"Frame2", 6, Kind::Frame, kPairs[6].frame.wide, 1, 24, 348, 213, 45, false, false},
    {21, L"OptOperation", 12, Kind::Option, kPairs[6].members[0].wide, 20, 88, 368, 69, 21, false, false},   // 1035
    {22, L"OptOperation", 13, Kind::Option, kPairs[6].members[1].wide, 20, 156, 368, 73, 21, false, false},  // 1095
    // Frame2(7) top 5940; options at 6240
    {23, L"Frame2", 7, Kind::Frame, kPairs[7].frame.wide, 1, 24, 396, 213, 45, false, false},
    {24, L"OptOperation", 14, Kind::Option, kPairs[7].members[0].wide, 23, 88, 416, 69, 21, false, false},   // 1035
    {25, L"OptOperation", 15, Kind::Option, kPairs[7].members[1].wide, 23, 156, 416, 73, 21, false, false},  // 1095
    // Frame3 3660,900 2595x2835; rate i at left 3660+300=3960 (even) or
    // 3660+1380=5040 (odd), top 900+480+300*(i div 2) = 1380+300*(i div 2)
    {26, L"Frame3", 0, Kind::Frame, kRateFrame.wide, 1, 244, 60, 173, 189, false, false},
    {27, L"optBaudRate", 0, Kind::Option, kRates[0].caption.wide, 26, 264, 92, 49, 21, false, false},     // 735
    {28, L"optBaudRate", 1, Kind::Option, kRates[1].caption.wide, 26, 336, 92, 49, 21, false, false},     // 735
    {29, L"optBaudRate", 2, Kind::Option, kRates[2].caption.wide, 26, 264, 112, 49, 21, false, false},    // 1680; 735
    {30, L"optBaudRate", 3, Kind::Option, kRates[3].caption.wide, 26, 336, 112, 61, 21, false, false},    // 915
    {31, L"optBaudRate", 4, Kind::Option, kRates[4].caption.wide, 26, 264, 132, 61, 21, false, false},    // 1980
    {32, L"optBaudRate", 5, Kind::Option, kRates[5].caption.wide, 26, 336, 132, 61, 21, false, false},
    {33, L"optBaudRate", 6, Kind::Option, kRates[6].caption.wide, 26, 264, 152, 61, 21, false, false},    // 2280
    {34, L"optBaudRate", 7, Kind::Option, kRates[7].caption.wide, 26, 336, 152, 61, 21, false, false},
    {35, L"optBaudRate", 8, Kind::Option, kRates[8].caption.wide, 26, 264, 172, 61, 21, false, false},    // 2580
    {36, L"optBaudRate", 9, Kind::Option, kRates[9].caption.wide, 26, 336, 172, 61, 21, false, false},
    {37, L"optBaudRate", 10, Kind::Option, kRates[10].caption.wide, 26, 264, 192, 61, 21, false, false},  // 2880
    {38, L"optBaudRate", 11, Kind::Option, kRates[11].caption.wide, 26, 336, 192, 73, 21, false, false},  // 1095
    {39, L"optBaudRate", 12, Kind::Option, kRates[12].caption.wide, 26, 264, 212, 73, 21, false, false},  // 3180
    // Frame4 6600,720 3315x6015
    {40, L"Frame4", 0, Kind::Frame, L"", kForm, 440, 48, 221, 401, false, false},
    // Frame5 3600,3780 2655x2835; protocol i at 3600+240=3840, 3780+300+240i = 4080+240i, 2055x255
    {41, L"Frame5", 0, Kind::Frame, kProtocolFrame.wide, 1, 240, 252, 177, 189, false, false},
    {42, L"optProtocol", 0, Kind::Option, kProtocols[0].wide, 41, 256, 272, 137, 17, false, false},
    {43, L"optProtocol", 1, Kind::Option, kProtocols[1].wide, 41, 256, 288, 137, 17, false, false},
    {44, L"optProtocol", 2, Kind::Option, kProtocols[2].wide, 41, 256, 304, 137, 17, false, false},
    {45, L"optProtocol", 3, Kind::Option, kProtocols[3].wide, 41, 256, 320, 137, 17, false, false},
    {46, L"optProtocol", 4, Kind::Option, kProtocols[4].wide, 41, 256, 336, 137, 17, false, false},
    {47, L"optProtocol", 5, Kind::Option, kProtocols[5].wide, 41, 256, 352, 137, 17, false, false},
    {48, L"optProtocol", 6, Kind::Option, kProtocols[6].wide, 41, 256, 368, 137, 17, false, false},
    {49, L"optProtocol", 7, Kind::Option, kProtocols[7].wide, 41, 256, 384, 137, 17, false, false},
    {50, L"optProtocol", 8, Kind::Option, kProtocols[8].wide, 41, 256, 400, 137, 17, false, false},
    // Frame6 6780,2100 3015x2835; row i at top 2100+420+360i = 2520+360i, height 315;
    // Text1 at 6780+180=6960 width 1035, txtSW at 6780+1440=8220 width 1095
    {51, L"Frame6", 0, Kind::Frame, L"Switch Setting", 40, 452, 140, 201, 189, false, false},
    {52, L"Text1", 0, Kind::TextBox, L"Switch 1", 51, 464, 168, 69, 21, false, true},
    {53, L"Text1", 1, Kind::TextBox, L"Switch 2", 51, 464, 192, 69, 21, false, true},
    {54, L"Text1", 2, Kind::TextBox, L"Switch 3", 51, 464, 216, 69, 21, false, true},
    {55, L"Text1", 3, Kind::TextBox, L"Switch 4", 51, 464, 240, 69, 21, false, true},
    {56, L"Text1", 4, Kind::TextBox, L"Switch 5", 51, 464, 264, 69, 21, false, true},
    {57, L"txtSW", 0, Kind::TextBox, L"", 51, 548, 168, 73, 21, false, true},
    {58, L"txtSW", 1, Kind::TextBox, L"", 51, 548, 192, 73, 21, false, true},
    {59, L"txtSW", 2, Kind::TextBox, L"", 51, 548, 216, 73, 21, false, true},
    {60, L"txtSW", 3, Kind::TextBox, L"", 51, 548, 240, 73, 21, false, true},
    {61, L"txtSW", 4, Kind::TextBox, L"0", 51, 548, 264, 73, 21, false, false},
    // 6960, 2100+2280=4380 (2760x225) and 6960, 2100+2520=4620 (1920x225); sized to text
    {62, L"Label2", 0, Kind::Label, L"Switch 5 is station number(0-31)", 51, 464, 292, 184, 15, true, false},
    {63, L"Label2", 1, Kind::Label, L"If 1:1 network, set as 0", 51, 464, 308, 128, 15, true, false},
    // Frame7 6780,900 2955x1155; CH1 at 6780+300=7080, 900+360=1260; CH2 at
    // 6780+1620=8400; both at 7080, 900+720=1620
    {64, L"Frame7", 0, Kind::Frame, kChannelFrame.wide, 40, 452, 60, 197, 77, false, false},
    {65, L"optCH", 0, Kind::Option, kChannels[0].wide, 64, 472, 84, 57, 17, false, false},
    {66, L"optCH", 1, Kind::Option, kChannels[1].wide, 64, 560, 84, 57, 17, false, false},
    {67, L"optCH", 2, Kind::Option, kChannels[2].wide, 64, 472, 108, 157, 17, false, false},
    // 6600+180=6780, 720+4500=5220, 2955x435; exit at 720+5100=5820
    {68, L"cmdCalculate", 0, Kind::Button, L"Calculate Setting", 40, 452, 348, 197, 29, false, false},
    {69, L"cmdExit", 0, Kind::Button, L"Exit", 40, 452, 388, 197, 29, false, false},
    // The contact block on the window: 240,6840 4755x315; 5040,6840 4755x315;
    // 240,7200 4755x315; 240,7560 5115x315
    {70, L"Label3", 0, Kind::Label, nullptr, kForm, 16, 456, 317, 21, false, false},
    {71, L"Label3", 1, Kind::Label, nullptr, kForm, 336, 456, 317, 21, false, false},
    {72, L"Label3", 2, Kind::Label, nullptr, kForm, 16, 480, 317, 21, false, false},
    {73, L"Label3", 3, Kind::Label, nullptr, kForm, 16, 504, 341, 21, false, false},
    // The rate that stands apart in the tab order: i = 13, left 5040, top 1380+1800=3180
    {74, L"optBaudRate", 13, Kind::Option, kRates[13].caption.wide, 26, 336, 212, 73, 21, false, false},
    // 5100,7140 5055x315
    {75, L"Label3", 4, Kind::Label, nullptr, kForm, 340, 476, 337, 21, false, false},
    // 8640,7620 1275x255
    {76, L"lblVersion", 0, Kind::Label, kVersionLabel, kForm, 576, 508, 85, 17, false, false},
});
// clang-format on

// The controls' IDs follow their tab positions from kFirstControlId on, one
// for every row above.
constexpr int kFirstControlId = 100;
constexpr int kControlCount = static_cast<int>(kExpectedControls.size());
constexpr int ControlId(int position) {
    return kFirstControlId + position;
}

// Row i describes the control at tab position i, so that a position indexes
// the table.
constexpr bool RowsFollowTabPositions() {
    for (std::size_t i = 0; i < kExpectedControls.size(); ++i) {
        if (kExpectedControls[i].position != static_cast<int>(i)) return false;
    }
    return true;
}
static_assert(RowsFollowTabPositions());

// Tab positions by control name and member index.
constexpr int OptOperationPos(int i) {
    return i % 2 == 0 ? 3 + 3 * (i / 2) : 4 + 3 * (i / 2);
}
constexpr int BaudRatePos(int i) {
    return i < 13 ? 27 + i : 74;
}
constexpr int ProtocolPos(int i) {
    return 42 + i;
}
constexpr int ChannelPos(int i) {
    return 65 + i;
}
constexpr int Frame2Pos(int k) {
    return 2 + 3 * k;
}
constexpr int Text1Pos(int i) {
    return 52 + i;
}
constexpr int TxtSWPos(int i) {
    return 57 + i;
}
constexpr int Label2Pos(int i) {
    return 62 + i;
}
constexpr int Label3Pos(int i) {
    return i < 4 ? 70 + i : 75;
}
constexpr int kLabel1Pos = 0;
constexpr int kFrame3Pos = 26;
constexpr int kFrame5Pos = 41;
constexpr int kFrame6Pos = 51;
constexpr int kFrame7Pos = 64;
constexpr int kCalculatePos = 68;
constexpr int kExitPos = 69;
constexpr int kVersionPos = 76;

}  // namespace harness
