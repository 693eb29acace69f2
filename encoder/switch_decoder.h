// Reads the texts of the QJ71C24's Switch 1 to Switch 5 back into what they
// set: the inverse of CalculateSwitches and StationWrite. Standard library only: no heap, no
// exceptions; every result is returned by value.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "option_groups.h"
#include "switch_encoder.h"

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
    kNoSuchSwitch,  // the switch number is not 1 to 5
    kNotANumber,    // not 1 to 4 hexadecimal digits, with an optional 0x or H
    kRateCode,      // Switch 1 or 3: the high byte is not a rate code
    kProtocol,      // Switch 2 or 4: the value is not a protocol number
    kStation,       // Switch 5: the value is past the last station number
};

// The switches the module has: Switch 1 to 4 for the two channels, Switch 5
// for the station number.
inline constexpr int kSwitchCount = 5;
inline constexpr int kStationSwitch = 5;

// A valid value that the module treats specially. The notes of Switch 2 or 4
// belong to the channel's pair of switches, the word and the protocol read
// together, and their texts name both switches.
enum class SwitchNote : std::uint8_t {
    kLinkedOnCH1,          // Switch 1: linked operation is set on the CH2 side only
    kEvenWithoutParity,    // Switch 1 or 3: EVEN has no effect with parity off
    kTransmissionIgnored,  // Switch 2 or 4: GX Connection with a transmission byte not 00
    kFormat5SevenBits,     // Switch 2 or 4: MC protocol format 5 (binary) with 7 data bits
    kSumCheckSevenBits,    // Switch 2 or 4: bidirectional, sum check on, 7 data bits
};

// What one switch text sets. The fields for the other kinds of switch (rate
// and transmission for Switch 1 and 3, protocol for Switch 2 and 4, station
// for Switch 5) are 0.
struct SwitchReading {
    static constexpr std::size_t kMaxNotes = 2;

    int number = 0;         // 1..5, as asked for
    std::string_view text;  // as given: the caller's characters
    DecodeError error = DecodeError::kNone;
    std::uint16_t value = 0;  // the word the text spells, when it is a number

    std::uint32_t baudRate = 0;     // Switch 1 and 3: bits per second
    std::uint8_t transmission = 0;  // Switch 1 and 3: the TransmissionBit set
    std::uint8_t protocol = 0;      // Switch 2 and 4: 0..8
    std::uint8_t station = 0;       // Switch 5: 0..kMaxStation

    std::array<SwitchNote, kMaxNotes> notes{};
    std::size_t noteCount = 0;

    bool ok() const { return error == DecodeError::kNone; }
    // Switch 1 and 2 configure CH1, Switch 3 and 4 CH2; Switch 5, the
    // station number, is the module's own: channel 0.
    int channel() const { return number == kStationSwitch ? 0 : number <= 2 ? 1 : 2; }
    bool setsRate() const { return number == 1 || number == 3; }
    bool setsProtocol() const { return number == 2 || number == 4; }
    bool setsStation() const { return number == kStationSwitch; }
    bool has(TransmissionBit bit) const { return (transmission & bit) != 0; }
    // The protocol in words: the caption of its optProtocol member.
    std::string_view protocolName() const {
        return kOptionGroups[kProtocolGroup].members[protocol].Label();
    }
    // The member of group kOptionGroups[group] that the reading sets, or -1
    // when its switch does not set that group or the reading has an error.
    // Every switch but Switch 5 sets its channel: Switch 1 and 2 "ch1", 3 and
    // 4 "ch2".
    int member(std::size_t group) const;
};

// Reads one switch text: 1 to 4 hexadecimal digits in either case, followed
// by H or h or preceded by 0x or 0X (not both), with blanks (spaces, tabs)
// around them. Switch 5 is hexadecimal too, as the module takes every
// switch: "12" is station 18. The notes of one switch alone are added; see
// DecodeSwitches.
SwitchReading DecodeSwitch(std::string_view text, int switchNumber);

// Switch 1 to 5 at indices 0 to 4; empty where no text is given.
using SwitchTexts = std::array<std::optional<std::string_view>, kSwitchCount>;
using SwitchReadings = std::array<std::optional<SwitchReading>, kSwitchCount>;

// Reads every given switch, and adds to Switch 2 and 4 the notes that need
// both switches of a channel: GX Connection with a transmission byte not 00,
// Format 5 with 7 data bits, Bi-directional with the sum check on and 7 data
// bits.
SwitchReadings DecodeSwitches(const SwitchTexts& texts);

// What the module makes of computed values: the writes applied in order to
// five boxes that start empty, then read as DecodeSwitches reads them; the
// notes of a calculation. The readings' texts are the writes' own
// characters, valid as long as the writes are.
SwitchReadings DecodeWrites(std::span<const SwitchWrite> writes);

// The note in words, naming the switch or the pair of switches it belongs to
// (one line, no full stop).
std::string_view NoteText(SwitchNote note, int switchNumber);

// The longest line DescribeReading writes, with its terminating '\0'.
inline constexpr std::size_t kMaxReadingText = 160;

// Writes what a reading without an error sets, in words, into buffer as a
// '\0'-terminated line without a newline, cut short to fit size; returns its
// length. Switch 1 and 3: "19200 bps, 7 data bits, parity on, even, ...,
// independent operation"; Switch 2 and 4: "protocol 4, Format 4"; Switch 5:
// "station 18 in decimal", since its value is read in hexadecimal. Writes ""
// for a reading with an error.
std::size_t DescribeReading(const SwitchReading& reading, char* buffer, std::size_t size);

// A text that the user gave, as every message that shows it writes it: in
// double quotes, only its first kShown characters (then "...") when longer.
// The characters are counted as UTF-8 code points and each is kept whole, so
// a cut never leaves a broken character. What would break the message's one
// line, or is no character at all, is shown as '?': control characters (C0,
// DEL and C1), the line and paragraph separators U+2028 and U+2029, and each
// byte that is not part of a well-formed UTF-8 character.
class QuotedText {
  public:
    static constexpr std::size_t kShown = 24;

    explicit QuotedText(std::string_view text);
    constexpr std::string_view view() const { return {characters_.data(), length_}; }

  private:
    void Put(char c) { characters_[length_++] = c; }

    // The characters, two quotes and "...".
    std::array<char, 4 * kShown + 5> characters_{};
    std::size_t length_ = 0;
};

// The longest message DescribeError writes, with its terminating '\0'.
inline constexpr std::size_t kMaxErrorMessage = 160;

// Writes the reading's error in words (which switch, which text, what is
// accepted) into buffer as a '\0'-terminated line without a newline, cut
// short to fit size; returns its length. The text is shown as QuotedText
// writes it. Writes "" for a reading without an error.
std::size_t DescribeError(const SwitchReading& reading, char* buffer, std::size_t size);

// Writes why a station number typed for Switch 5 (text, which ParseStation
// did not take) is refused, as one '\0'-terminated line without a newline,
// cut short to fit size, for the caller to put after the box's name:
// "\"32\": not a station number; give 0 to 31 in decimal". Returns its length.
std::size_t DescribeStationError(std::string_view text, char* buffer, std::size_t size);

}  // namespace tessivar
