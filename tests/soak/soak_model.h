// What a user expects the window to show after each step of the soak test,
// kept apart from the window itself: the selected member of every option
// group, where the keyboard focus is, whether the calculation is enabled,
// and the text of every switch box. The switch values are worked out from
// the transmission bits, the rate codes and the channel writes of
// switch_tables.h.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "../switch_tables.h"
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
    {"OptOperation", 0, 2},  // switch_tables::kPairs in order
    {"OptOperation", 2, 2},
    {"OptOperation", 4, 2},
    {"OptOperation", 6, 2},
    {"OptOperation", 8, 2},
    {"OptOperation", 10, 2},
    {"OptOperation", 12, 2},
    {"OptOperation", 14, 2},
    {"optBaudRate", 0, static_cast<int>(switch_tables::kRates.size())},
    {"optProtocol", 0, static_cast<int>(switch_tables::kProtocols.size())},
    {"optCH", 0, static_cast<int>(switch_tables::kChannels.size())},
}};

// The tab position (control ID - harness::kFirstControlId) of a member of a
// group.
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

// What the window opens with: the member selected in every group.
constexpr std::array<int, kGroupCount> InitialSelection() {
    std::array<int, kGroupCount> selected{};
    for (int k = 0; k < kPairGroups; ++k) {
        selected[static_cast<std::size_t>(k)] =
            switch_tables::kInitialOdd[static_cast<std::size_t>(k)] ? 1 : 0;
    }
    selected[kRateGroup] = switch_tables::kInitialRate;
    selected[kProtocolGroup] = switch_tables::kInitialProtocol;
    selected[kChannelGroup] = switch_tables::kInitialChannel;
    return selected;
}
inline constexpr std::array<int, kGroupCount> kInitialSelection = InitialSelection();

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
        for (int position = 0; position < harness::kControlCount; ++position) {
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
                byte += static_cast<int>(switch_tables::kPairWeight[static_cast<std::size_t>(k)]);
            }
        }
        return byte;
    }

    static std::wstring TwoHexDigits(int value) {
        const wchar_t* const digits = L"0123456789ABCDEF";
        return std::wstring{digits[(value / 16) % 16], digits[value % 16]};
    }

    std::wstring SwitchWord() const {
        const char* rate =
            switch_tables::kRates[static_cast<std::size_t>(selected[kRateGroup])].code;
        return std::wstring(rate, rate + 2) + TwoHexDigits(TransmissionByte());
    }

    std::wstring ProtocolText() const {
        return std::wstring(1, static_cast<wchar_t>(L'0' + selected[kProtocolGroup]));
    }

    // "Calculate Setting" once the calculation is enabled.
    void Calculate() {
        for (const switch_tables::Target& write :
             switch_tables::kChannelTargets[static_cast<std::size_t>(selected[kChannelGroup])]) {
            switches[static_cast<std::size_t>(write.number - 1)] =
                write.word ? SwitchWord() : ProtocolText();
        }
    }
};

}  // namespace soak
