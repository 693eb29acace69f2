// What a user expects the window to show after each step of the soak test,
// kept apart from the window itself: the selected member of every option
// group, where the keyboard focus is, whether the calculation is enabled,
// and the text of every switch box. The switch values are worked out from
// the transmission bits, the rate codes and the channel writes written out
// here as plain data.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "expected_layout.h"

namespace soak {

// The option groups in the order of their frames: the eight transmission
// pairs (group k gives bit k), then the rate, the protocol and the channel.
constexpr int kPairGroups = 8;
constexpr int kRateGroup = 8;
constexpr int kProtocolGroup = 9;
constexpr int kChannelGroup = 10;
constexpr int kGroupCount = 11;

struct GroupInfo {
    const char* name;  // the option array and the members it holds
    int firstIndex;    // index in that array of member 0 of the group
    int members;
};
inline constexpr std::array<GroupInfo, kGroupCount> kGroups{{
    {"OptOperation", 0, 2},   // "Operation Setting"
    {"OptOperation", 2, 2},   // "Data Bit"
    {"OptOperation", 4, 2},   // "Parity Bit"
    {"OptOperation", 6, 2},   // "Odd/Even"
    {"OptOperation", 8, 2},   // "Stop Bit"
    {"OptOperation", 10, 2},  // "Check Sum"
    {"OptOperation", 12, 2},  // "Write During RUN"
    {"OptOperation", 14, 2},  // "Change Setting"
    {"optBaudRate", 0, 14},
    {"optProtocol", 0, 9},
    {"optCH", 0, 3},
}};

// The tab position (control ID - 100) of a member of a group.
constexpr int MemberPosition(int group, int member) {
    return group < kPairGroups       ? harness::OptOperationPos(2 * group + member)
           : group == kRateGroup     ? harness::BaudRatePos(member)
           : group == kProtocolGroup ? harness::ProtocolPos(member)
                                     : harness::ChannelPos(member);
}

struct Member {
    int group = -1;
    int member = -1;
};

// The option at a tab position; group -1 for any other control.
inline Member MemberAt(int position) {
    for (int g = 0; g < kGroupCount; ++g) {
        for (int m = 0; m < kGroups[static_cast<std::size_t>(g)].members; ++m) {
            if (MemberPosition(g, m) == position) return Member{g, m};
        }
    }
    return Member{};
}

// What the window opens with: "Independant", "8", "NO", "ODD", "1", "YES",
// "ENABLE", "DISABLE"; "115200"; "Format 5 (4C Binary)"; "CH1".
inline constexpr std::array<int, kGroupCount> kInitialSelection{0, 1, 0, 0, 0, 1, 1, 0, 12, 5, 0};

// The text each rate member puts before the transmission code.
inline const std::array<const char*, 14> kRateCodes{
    "0F",  // 50
    "00",  // 300
    "01",  // 600
    "02",  // 1200
    "03",  // 2400
    "04",  // 4800
    "05",  // 9600
    "06",  // 14400
    "07",  // 19200
    "08",  // 28800
    "09",  // 38400
    "0A",  // 57600
    "0B",  // 115200
    "0C",  // 230400
};

// What the odd member of transmission pair k adds to the transmission byte.
inline constexpr std::array<int, kPairGroups> kPairWeights{1, 2, 4, 8, 16, 32, 64, 128};

// The switches written by each channel choice, in order: 'W' marks the
// switch word (rate code and transmission code), 'P' the protocol digit.
struct ChannelWrite {
    int switchNumber;
    char what;
};
inline const std::array<std::vector<ChannelWrite>, 3> kChannelWrites{{
    {{1, 'W'}, {2, 'P'}},                      // "CH1"
    {{3, 'W'}, {4, 'P'}},                      // "CH2"
    {{1, 'W'}, {3, 'W'}, {2, 'P'}, {4, 'P'}},  // "CH1 CH2    Same Setting"
}};

// Keyboard stops that are not options: the ten boxes and the two buttons.
inline std::vector<int> FixedStops() {
    std::vector<int> stops;
    for (int i = 0; i < 5; ++i) stops.push_back(harness::Text1Pos(i));
    for (int i = 0; i < 5; ++i) stops.push_back(harness::TxtSWPos(i));
    stops.push_back(harness::kCalculatePos);
    stops.push_back(harness::kExitPos);
    return stops;
}

struct Model {
    std::array<int, kGroupCount> selected = kInitialSelection;
    bool calcEnabled = false;
    std::array<std::wstring, 5> switches{L"", L"", L"", L"", L"0"};
    int focus = -1;  // tab position of the focused control

    void Select(int group, int member) { selected[static_cast<std::size_t>(group)] = member; }

    // The controls Tab stops at, in tab order: the selected member of every
    // group, the boxes and the buttons.
    std::vector<int> TabStops() const {
        std::vector<int> stops = FixedStops();
        for (int g = 0; g < kGroupCount; ++g) {
            stops.push_back(MemberPosition(g, selected[static_cast<std::size_t>(g)]));
        }
        std::vector<int> ordered;
        for (int position = 0; position < 77; ++position) {
            for (int stop : stops) {
                if (stop == position) ordered.push_back(position);
            }
        }
        return ordered;
    }

    // Where Tab (or Shift+Tab) goes from a control: the next stop after it
    // in tab order, round to the first after the last.
    int NextStop(int from, bool backwards) const {
        const std::vector<int> stops = TabStops();
        if (!backwards) {
            for (int stop : stops) {
                if (stop > from) return stop;
            }
            return stops.front();
        }
        for (auto it = stops.rbegin(); it != stops.rend(); ++it) {
            if (*it < from) return *it;
        }
        return stops.back();
    }

    // An arrow key on a focused option selects and focuses the next (or
    // previous) member of its group in index order, round at either end.
    // Elsewhere arrows select nothing and keep the focus where it is.
    void Arrow(bool forward) {
        const Member at = MemberAt(focus);
        if (at.group < 0) return;
        const int count = kGroups[static_cast<std::size_t>(at.group)].members;
        const int to = (at.member + (forward ? 1 : count - 1)) % count;
        Select(at.group, to);
        focus = MemberPosition(at.group, to);
    }

    int TransmissionByte() const {
        int byte = 0;
        for (int k = 0; k < kPairGroups; ++k) {
            if (selected[static_cast<std::size_t>(k)] == 1) {
                byte += kPairWeights[static_cast<std::size_t>(k)];
            }
        }
        return byte;
    }

    static std::wstring TwoHexDigits(int value) {
        const wchar_t* const digits = L"0123456789ABCDEF";
        return std::wstring{digits[(value / 16) % 16], digits[value % 16]};
    }

    std::wstring SwitchWord() const {
        const char* rate = kRateCodes[static_cast<std::size_t>(selected[kRateGroup])];
        return std::wstring(rate, rate + 2) + TwoHexDigits(TransmissionByte());
    }

    std::wstring ProtocolText() const {
        return std::wstring(1, static_cast<wchar_t>(L'0' + selected[kProtocolGroup]));
    }

    // "Calculate Setting" once the calculation is enabled.
    void Calculate() {
        for (const ChannelWrite& write :
             kChannelWrites[static_cast<std::size_t>(selected[kChannelGroup])]) {
            switches[static_cast<std::size_t>(write.switchNumber - 1)] =
                write.what == 'W' ? SwitchWord() : ProtocolText();
        }
    }
};

}  // namespace soak
