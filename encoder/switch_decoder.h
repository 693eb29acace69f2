// Reads the texts of the QJ71C24's Switch 1 to Switch 4 back into what they
// set: the inverse of CalculateSwitches. Standard library only: no heap, no
// exceptions; every result is returned by value.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "option_groups.h"

namespace tessivar {

// Called only where TransmissionMaskOf fails: it is not constexpr, so
// reaching it stops the build.
inline void NoSuchTransmissionGroup() {}

// The mask of the transmission-byte bit that member 1 of the group called
// `name` sets.
consteval std::uint8_t TransmissionMaskOf(std::string_view name) {
    for (const OptionGroup& group : kOptionGroups) {
        if (group.name == name && group.kind == GroupKind::kTransmissionBit) {
            return static_cast<std::uint8_t>(1u << group.bit);
        }
    }
    NoSuchTransmissionGroup();
    return 0;
}

// The bits of the transmission byte (the low byte of Switch 1 and Switch 3);
// bit k is set by the odd member of pair k of OptOperation.
enum TransmissionBit : std::uint8_t {
    kLinkedOperation = TransmissionMaskOf("operation"),  // else independent
    kEightDataBits = TransmissionMaskOf("data-bits"),    // else 7
    kParityOn = TransmissionMaskOf("parity"),
    kEvenParity = TransmissionMaskOf("odd-even"),  // else odd
    kTwoStopBits = TransmissionMaskOf("stop-bits"),
    kSumCheckOn = TransmissionMaskOf("check-sum"),
    kWriteDuringRunEnabled = TransmissionMaskOf("write-during-run"),
    kSettingChangeEnabled = TransmissionMaskOf("change-setting"),
};

enum class DecodeError : std::uint8_t {
    kNone,
    kNoSuchSwitch,  // the switch number is not 1 to 4
    kNotANumber,    // not 1 to 4 hexadecimal digits, with an optional 0x or H
    kRateCode,      // Switch 1 or 3: the high byte is not a rate code
    kProtocol,      // Switch 2 or 4: the value is not a protocol number
};

// A valid value that the module treats specially.
enum class SwitchNote : std::uint8_t {
    kLinkedOnCH1,          // Switch 1: linked operation is set on the CH2 side only
    kEvenWithoutParity,    // Switch 1 or 3: EVEN has no effect with parity off
    kTransmissionIgnored,  // Switch 2 or 4: GX Connection with a transmission byte not 00
};

// What one switch text sets. The fields for the other kind of switch (rate
// and transmission for Switch 2 and 4, protocol for Switch 1 and 3) are 0.
struct SwitchReading {
    static constexpr std::size_t kMaxNotes = 2;

    int number = 0;         // 1..4, as asked for
    std::string_view text;  // as given: the caller's characters
    DecodeError error = DecodeError::kNone;
    std::uint16_t value = 0;  // the word the text spells, when it is a number

    std::uint32_t baudRate = 0;     // Switch 1 and 3: bits per second
    std::uint8_t transmission = 0;  // Switch 1 and 3: the TransmissionBit set
    std::uint8_t protocol = 0;      // Switch 2 and 4: 0..8

    std::array<SwitchNote, kMaxNotes> notes{};
    std::size_t noteCount = 0;

    bool ok() const { return error == DecodeError::kNone; }
    // Switch 1 and 2 configure CH1, Switch 3 and 4 CH2.
    int channel() const { return number <= 2 ? 1 : 2; }
    bool setsRate() const { return number == 1 || number == 3; }
    bool has(TransmissionBit bit) const { return (transmission & bit) != 0; }
    // The protocol in words: the caption of its optProtocol member.
    std::string_view protocolName() const {
        return kOptionGroups[kProtocolGroup].members[protocol].Label();
    }
    // The member of group kOptionGroups[group] that the reading sets, or -1
    // when its switch does not set that group or the reading has an error.
    // Every switch sets its channel: Switch 1 and 2 "ch1", 3 and 4 "ch2".
    int member(std::size_t group) const;
};

// Reads one switch text: 1 to 4 hexadecimal digits in either case, followed
// by H or h or preceded by 0x or 0X (not both), with blanks (spaces, tabs)
// around them. The notes of one switch alone are added; see DecodeSwitches.
SwitchReading DecodeSwitch(std::string_view text, int switchNumber);

// Switch 1 to 4 at indices 0 to 3; empty where no text is given.
using SwitchTexts = std::array<std::optional<std::string_view>, 4>;
using SwitchReadings = std::array<std::optional<SwitchReading>, 4>;

// Reads every given switch, and adds the notes that need both switches of a
// channel: GX Connection on a channel whose transmission byte is not 00.
SwitchReadings DecodeSwitches(const SwitchTexts& texts);

// The note in words, naming its switch (one line, no full stop).
std::string_view NoteText(SwitchNote note, int switchNumber);

// The longest line DescribeReading writes, with its terminating '\0'.
inline constexpr std::size_t kMaxReadingText = 160;

// Writes what a reading without an error sets, in words, into buffer as a
// '\0'-terminated line without a newline, cut short to fit size; returns its
// length. Switch 1 and 3: "19200 bps, 7 data bits, parity on, even, ...,
// independent operation"; Switch 2 and 4: "protocol 4, Format 4". Writes ""
// for a reading with an error.
std::size_t DescribeReading(const SwitchReading& reading, char* buffer, std::size_t size);

// A text that the user gave, as every message that shows it writes it: in
// double quotes, only its first kShown characters (then "...") when longer,
// and control characters, which would break the message's one line, as '?'.
class QuotedText {
  public:
    static constexpr std::size_t kShown = 24;

    constexpr explicit QuotedText(std::string_view text) {
        Put('"');
        for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            Put(c < 0x20 || c == 0x7F ? '?' : text[i]);
        }
        if (text.size() > kShown) {
            for (int i = 0; i < 3; ++i) Put('.');
        }
        Put('"');
    }
    constexpr std::string_view view() const { return {characters_.data(), length_}; }

  private:
    constexpr void Put(char c) { characters_[length_++] = c; }

    std::array<char, kShown + 5> characters_{};  // the text, two quotes, "..."
    std::size_t length_ = 0;
};

// The longest message DescribeError writes, with its terminating '\0'.
inline constexpr std::size_t kMaxErrorMessage = 160;

// Writes the reading's error in words (which switch, which text, what is
// accepted) into buffer as a '\0'-terminated line without a newline, cut
// short to fit size; returns its length. The text is shown as QuotedText
// writes it. Writes "" for a reading without an error.
std::size_t DescribeError(const SwitchReading& reading, char* buffer, std::size_t size);

}  // namespace tessivar
