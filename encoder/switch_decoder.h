// Reads the texts of the QJ71C24's Switch 1 to Switch 4 back into what they
// set: the inverse of CalculateSwitches. Standard library only: no heap, no
// exceptions; every result is returned by value.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tessivar {

// The rates in bits per second, in the window's order of optBaudRate: member
// 0 (50 bps) has the rate code 0F, member i from 1 to 13 the code i - 1.
inline constexpr std::array<std::uint32_t, 14> kBaudRates = {
    50, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 28800, 38400, 57600, 115200, 230400};

// The protocols' captions, indexed by protocol number.
inline constexpr std::array<std::string_view, 9> kProtocolNames = {
    "GX Connection",        "Format 1",       "Format 2",       "Format 3",    "Format 4",
    "Format 5 (4C Binary)", "Non Procedural", "Bi-directional", "Link Setting"};

// The bits of the transmission byte (the low byte of Switch 1 and Switch 3);
// bit k is set by the odd member of pair k of OptOperation.
enum TransmissionBit : std::uint8_t {
    kLinkedOperation = 1,  // else independent
    kEightDataBits = 2,    // else 7
    kParityOn = 4,
    kEvenParity = 8,  // else odd
    kTwoStopBits = 16,
    kSumCheckOn = 32,
    kWriteDuringRunEnabled = 64,
    kSettingChangeEnabled = 128,
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
    std::string_view protocolName() const { return kProtocolNames[protocol]; }
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

// The longest message DescribeError writes, with its terminating '\0'.
inline constexpr std::size_t kMaxErrorMessage = 160;

// Writes the reading's error in words (which switch, which text, what is
// accepted) into buffer as a '\0'-terminated line without a newline, cut
// short to fit size; returns its length. A text of more than 24 characters
// is shown by its start. Writes "" for a reading without an error.
std::size_t DescribeError(const SwitchReading& reading, char* buffer, std::size_t size);

}  // namespace tessivar
