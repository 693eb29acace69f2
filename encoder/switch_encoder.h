// Turns the selected state of the window's option buttons into the texts of
// the QJ71C24's Switch 1 to Switch 4. Standard library only: no window system,
// no heap, no exceptions.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "option_groups.h"

namespace tessivar {

// The selected state of every option button, indexed as the window numbers
// them. OptOperation holds eight pairs: pair k is members 2k and 2k+1 and
// gives bit k of the transmission byte. optBaudRate is the rate, optProtocol
// the protocol number, optCH 0 = CH1, 1 = CH2, 2 = both with one setting.
// Each has as many members as its groups in kOptionGroups.
struct SwitchSelection {
    std::array<bool, 2 * kPairGroupCount> OptOperation{};
    std::array<bool, kOptionGroups[kBaudRateGroup].members.size()> optBaudRate{};
    std::array<bool, kOptionGroups[kProtocolGroup].members.size()> optProtocol{};
    std::array<bool, kOptionGroups[kChannelGroup].members.size()> optCH{};
};

// The selection with member chosen[g] of each group kOptionGroups[g]
// selected, and no other: pair k's member m is OptOperation(2k + m), the
// other groups' members are their option buttons. A group whose chosen
// member is past its last has none selected.
using GroupChoices = std::array<std::uint8_t, kOptionGroups.size()>;
constexpr SwitchSelection SelectionOf(const GroupChoices& chosen) {
    SwitchSelection selection;
    for (std::size_t g = 0; g < kOptionGroups.size(); ++g) {
        const std::size_t member = chosen[g];
        if (member >= kOptionGroups[g].members.size()) continue;
        switch (kOptionGroups[g].kind) {
            case GroupKind::kTransmissionBit:
                selection.OptOperation[2 * kOptionGroups[g].bit + member] = true;
                break;
            case GroupKind::kBaudRate:
                selection.optBaudRate[member] = true;
                break;
            case GroupKind::kProtocol:
                selection.optProtocol[member] = true;
                break;
            case GroupKind::kChannel:
                selection.optCH[member] = true;
                break;
        }
    }
    return selection;
}

// The window's initial selection: each group's `initial` member.
constexpr GroupChoices InitialChoices() {
    GroupChoices chosen{};
    for (std::size_t g = 0; g < kOptionGroups.size(); ++g) chosen[g] = kOptionGroups[g].initial;
    return chosen;
}

// One text for one switch box: switch n goes to txtSW(n - 1). The characters
// are stored in the write itself, so text() is valid as long as the write is,
// and a copy carries its own.
class SwitchWrite {
  public:
    // The longest text: a two-digit rate code and a two-digit transmission
    // code.
    static constexpr std::size_t kMaxText = 4;
    using Characters = std::array<char, kMaxText>;

    int number = 0;  // switch number, 1..5

    constexpr SwitchWrite() = default;
    // The text is the characters up to the first '\0', if there is one.
    constexpr SwitchWrite(int switchNumber, const Characters& characters)
        : number(switchNumber), characters_(characters) {}

    constexpr std::string_view text() const {
        std::size_t length = 0;
        while (length < kMaxText && characters_[length] != '\0') ++length;
        return {characters_.data(), length};
    }

  private:
    // Padded with '\0' instead of carrying a length.
    Characters characters_{};
};

// Switch 5's value for a station number from 0 to kMaxStation: the number
// in four upper-case hexadecimal digits, as Switch 1 and 3 are written
// ("0012" for station 18).
constexpr SwitchWrite StationWrite(unsigned station) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return SwitchWrite(5, {'0', '0', kDigits[station / 16 % 16], kDigits[station % 16]});
}

// The station number that a person typed: decimal digits with blanks
// (spaces, tabs) around them, from 0 to kMaxStation; nothing for any other
// text. Blanks alone are no number either.
constexpr std::optional<std::uint8_t> ParseStation(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    unsigned number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + static_cast<unsigned>(c - '0');
        if (number > kMaxStation) return std::nullopt;
    }
    return static_cast<std::uint8_t>(number);
}

class SwitchWrites;

// Fills SettingBit[0..7] with the eight transmission bits (elements 8..15 are
// left alone) and returns the writes for the selected channel(s), in the
// order the caller applies them. Any combination of flags has a result.
SwitchWrites CalculateSwitches(const SwitchSelection& selection,
                               std::array<std::int16_t, 16>& SettingBit);

// The writes of one calculation, in the order the caller applies them: a
// read-only list held in place. Eight writes at most, when all three channel
// flags are set (two for CH1, two for CH2, four for both).
class SwitchWrites {
  public:
    static constexpr std::size_t kCapacity = 8;

    constexpr const SwitchWrite* begin() const { return writes_.data(); }
    constexpr const SwitchWrite* end() const { return writes_.data() + size_; }
    constexpr std::size_t size() const { return size_; }
    constexpr bool empty() const { return size_ == 0; }
    // index < size()
    constexpr const SwitchWrite& operator[](std::size_t index) const { return writes_[index]; }

  private:
    friend SwitchWrites CalculateSwitches(const SwitchSelection& selection,
                                          std::array<std::int16_t, 16>& SettingBit);

    // Only CalculateSwitches adds, and never more than kCapacity writes.
    constexpr void Add(int switchNumber, const SwitchWrite::Characters& text) {
        writes_[size_++] = SwitchWrite(switchNumber, text);
    }

    std::array<SwitchWrite, kCapacity> writes_{};
    std::size_t size_ = 0;
};

}  // namespace tessivar
