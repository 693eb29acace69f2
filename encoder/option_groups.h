// The window's eleven groups of option buttons as data, written once for
// every program that shows or takes them: the window's layout reads their
// captions and initial selections, the console program its option names and
// values, the web page its fieldsets, and the calculation and the reading of
// switch values the rate codes. Standard library only, all constexpr.
//
// Each group has a name and each member a value, one vocabulary for people
// and scripts: "--<name> <value>" is the console program's encode option,
// "<name>": <value> the key and value of its JSON, <name>=<value> a part of
// the web page's address fragment.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tessivar {

// What choosing a member of the group sets.
enum class GroupKind : std::uint8_t {
    kTransmissionBit,  // one bit of the transmission byte: member 0 clears it, member 1 sets it
    kBaudRate,         // the communication rate
    kProtocol,         // the protocol number: the member's index
    kChannel,          // optCH: 0 = CH1, 1 = CH2, 2 = both with the same setting
};

// How the members' values are written in JSON: as strings, numbers or
// booleans (false for member 0, true for member 1).
enum class ValueType : std::uint8_t { kWord, kNumber, kBoolean };

struct OptionMember {
    std::string_view caption;  // the window's caption, as it shows it
    std::string_view value;    // the member in the shared vocabulary
    std::string_view label;    // for people, where the window's caption has a slip; else empty
    std::uint32_t number;      // kBaudRate: bits per second; otherwise 0

    // What the member is called in words for people.
    constexpr std::string_view Label() const { return label.empty() ? caption : label; }
};

struct OptionGroup {
    std::string_view name;     // the vocabulary's key
    std::string_view caption;  // the window's group caption
    GroupKind kind;
    ValueType type;
    std::uint8_t bit;      // kTransmissionBit: bit k, 0..7, of OptOperation(2k) and (2k + 1)
    std::uint8_t initial;  // the member the window opens with
    std::span<const OptionMember> members;
};

namespace option_data {

inline constexpr std::array<OptionMember, 2> kOperation{{
    {"Independant", "independent", "Independent", 0},
    {"Linked", "linked", "", 0},
}};
inline constexpr std::array<OptionMember, 2> kDataBits{{{"7", "7", "", 0}, {"8", "8", "", 0}}};
inline constexpr std::array<OptionMember, 2> kNoYes{
    {{"NO", "false", "", 0}, {"YES", "true", "", 0}}};
inline constexpr std::array<OptionMember, 2> kOddEven{
    {{"ODD", "odd", "", 0}, {"EVEN", "even", "", 0}}};
inline constexpr std::array<OptionMember, 2> kStopBits{{{"1", "1", "", 0}, {"2", "2", "", 0}}};
inline constexpr std::array<OptionMember, 2> kDisableEnable{
    {{"DISABLE", "false", "", 0}, {"ENABLE", "true", "", 0}}};
// In optBaudRate's order; the rate codes follow from it (RateCodeOf).
inline constexpr std::array<OptionMember, 14> kBaudRate{{
    {"50", "50", "", 50},
    {"300", "300", "", 300},
    {"600", "600", "", 600},
    {"1200", "1200", "", 1200},
    {"2400", "2400", "", 2400},
    {"4800", "4800", "", 4800},
    {"9600", "9600", "", 9600},
    {"14400", "14400", "", 14400},
    {"19200", "19200", "", 19200},
    {"28800", "28800", "", 28800},
    {"38400", "38400", "", 38400},
    {"57600", "57600", "", 57600},
    {"115200", "115200", "", 115200},
    {"230400", "230400", "", 230400},
}};
// The index is the protocol number.
inline constexpr std::array<OptionMember, 9> kProtocol{{
    {"GX Connection", "0", "", 0},
    {"Format 1", "1", "", 0},
    {"Format 2", "2", "", 0},
    {"Format 3", "3", "", 0},
    {"Format 4", "4", "", 0},
    {"Format 5 (4C Binary)", "5", "", 0},
    {"Non Procedural", "6", "", 0},
    {"Bi-directional", "7", "", 0},
    {"Link Setting", "8", "", 0},
}};
inline constexpr std::array<OptionMember, 3> kChannel{{
    {"CH1", "ch1", "", 0},
    {"CH2", "ch2", "", 0},
    {"CH1 CH2    Same Setting", "both", "CH1 and CH2, same setting", 0},
}};

}  // namespace option_data

// In the order of the transmission bits (0 to 7), then rate, protocol and
// channel.
inline constexpr std::array<OptionGroup, 11> kOptionGroups{{
    {"operation", "Operation Setting", GroupKind::kTransmissionBit, ValueType::kWord, 0, 0,
     option_data::kOperation},
    {"data-bits", "Data Bit", GroupKind::kTransmissionBit, ValueType::kNumber, 1, 1,
     option_data::kDataBits},
    {"parity", "Parity Bit", GroupKind::kTransmissionBit, ValueType::kBoolean, 2, 0,
     option_data::kNoYes},
    {"odd-even", "Odd/Even", GroupKind::kTransmissionBit, ValueType::kWord, 3, 0,
     option_data::kOddEven},
    {"stop-bits", "Stop Bit", GroupKind::kTransmissionBit, ValueType::kNumber, 4, 0,
     option_data::kStopBits},
    {"check-sum", "Check Sum", GroupKind::kTransmissionBit, ValueType::kBoolean, 5, 1,
     option_data::kNoYes},
    {"write-during-run", "Write During RUN", GroupKind::kTransmissionBit, ValueType::kBoolean, 6, 1,
     option_data::kDisableEnable},
    {"change-setting", "Change Setting", GroupKind::kTransmissionBit, ValueType::kBoolean, 7, 0,
     option_data::kDisableEnable},
    {"baud-rate", "Baud Rate", GroupKind::kBaudRate, ValueType::kNumber, 0, 12,
     option_data::kBaudRate},
    {"protocol", "Protocol Setting", GroupKind::kProtocol, ValueType::kNumber, 0, 5,
     option_data::kProtocol},
    {"channel", "Channel Selection", GroupKind::kChannel, ValueType::kWord, 0, 0,
     option_data::kChannel},
}};

// Where each kind of group is in kOptionGroups.
inline constexpr std::size_t kFirstPairGroup = 0;  // groups 0..7: the transmission bits
inline constexpr std::size_t kBaudRateGroup = 8;
inline constexpr std::size_t kProtocolGroup = 9;
inline constexpr std::size_t kChannelGroup = 10;
inline constexpr std::size_t kPairGroupCount = kBaudRateGroup - kFirstPairGroup;

// The rate code of optBaudRate member `member`: 0F for member 0 (50 bps),
// member - 1 for the members from 1 (300 bps) to 13 (230400 bps).
constexpr unsigned RateCodeOf(std::size_t member) {
    return member == 0 ? 0x0Fu : static_cast<unsigned>(member) - 1;
}
// The optBaudRate member whose rate code is `code`, or -1 for a code that is
// no rate.
constexpr int RateMemberOf(unsigned code) {
    for (std::size_t i = 0; i < option_data::kBaudRate.size(); ++i) {
        if (RateCodeOf(i) == code) return static_cast<int>(i);
    }
    return -1;
}

// Switch 5 is the station number, typed in decimal; it is not one of the
// window's option groups, but has a name in the same vocabulary:
// "--station N", "station": N, station=N.
inline constexpr std::string_view kStationName = "station";
inline constexpr unsigned kMaxStation = 31;  // stations 0 to 31; 0 on a 1:1 network

// The index of the group called `name`, or -1.
constexpr int FindGroup(std::string_view name) {
    for (std::size_t i = 0; i < kOptionGroups.size(); ++i) {
        if (kOptionGroups[i].name == name) return static_cast<int>(i);
    }
    return -1;
}
// The index of the member of `group` whose value is `value`, or -1.
constexpr int FindMember(const OptionGroup& group, std::string_view value) {
    for (std::size_t i = 0; i < group.members.size(); ++i) {
        if (group.members[i].value == value) return static_cast<int>(i);
    }
    return -1;
}

// Whether every value of the group is written in JSON as its type says:
// digits for a number, false and true for a boolean's members 0 and 1.
constexpr bool ValuesAreOfTheirType(const OptionGroup& group) {
    if (group.type == ValueType::kBoolean) {
        return group.members.size() == 2 && group.members[0].value == "false" &&
               group.members[1].value == "true";
    }
    for (const OptionMember& member : group.members) {
        if (member.value.empty()) return false;
        for (const char c : member.value) {
            if (group.type == ValueType::kNumber && (c < '0' || c > '9')) return false;
        }
    }
    return true;
}

// What the code above and every reader of the table take for granted: the
// groups stand where the constants say, transmission group k sets bit k and
// has two members, every initial selection is a member, a group's names and
// values are unique and written as its type says, and the rate codes and
// members are one to one.
constexpr bool OptionGroupsAreConsistent() {
    for (std::size_t g = 0; g < kOptionGroups.size(); ++g) {
        const OptionGroup& group = kOptionGroups[g];
        const bool pair = g >= kFirstPairGroup && g < kFirstPairGroup + kPairGroupCount;
        if (pair != (group.kind == GroupKind::kTransmissionBit)) return false;
        if (pair && (group.bit != g - kFirstPairGroup || group.members.size() != 2)) return false;
        if (group.initial >= group.members.size() || !ValuesAreOfTheirType(group)) return false;
        if (FindGroup(group.name) != static_cast<int>(g)) return false;
        for (std::size_t m = 0; m < group.members.size(); ++m) {
            if (FindMember(group, group.members[m].value) != static_cast<int>(m)) return false;
        }
    }
    for (std::size_t m = 0; m < option_data::kBaudRate.size(); ++m) {
        if (RateMemberOf(RateCodeOf(m)) != static_cast<int>(m)) return false;
    }
    return kOptionGroups[kBaudRateGroup].kind == GroupKind::kBaudRate &&
           kOptionGroups[kProtocolGroup].kind == GroupKind::kProtocol &&
           kOptionGroups[kChannelGroup].kind == GroupKind::kChannel;
}
static_assert(OptionGroupsAreConsistent());

}  // namespace tessivar
