// The web page's interface to the switch calculation and to the reading of
// switch values: a few C functions exported from the WebAssembly module.
//
// The page's script writes its input into the module's input buffer and
// passes pointers into it with their lengths; every answer is UTF-8 text in
// the output buffer, one record a line, fields separated by tabs (no field
// holds either). Each function checks every pointer, length and index it is
// given against the buffers and the option groups, and refuses with -1
// rather than read or write outside them.
//
// The functions:
//   tessivar_input, tessivar_input_size, tessivar_output: the buffers.
//   tessivar_describe: the version, the option groups and Switch 5's range.
//   tessivar_calculate: the window's calculation, one selection and its
//     channel choice; the writes only.
//   tessivar_calculate_all: both channels' settings and the station number
//     at once: every value with its reading and the notes (the page's
//     Calculate part).
//   tessivar_decode: the texts of Switch 1 to 4 or 5 read back (the page's
//     Read values part).
// A reading is written the same way by the last two: lines that start with
// the switch number, then "r" (the value in words), "n" (a note) or "e" (an
// error); see tessivar_decode.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "option_groups.h"
#include "switch_decoder.h"
#include "switch_encoder.h"
#include "version.h"

namespace {

using std::string_view;
using namespace tessivar;

constexpr std::size_t kInputSize = 1024;
constexpr std::size_t kOutputSize = 4096;
unsigned char g_input[kInputSize];
char g_output[kOutputSize];

// The page's working array, as the window keeps its own for its whole life.
std::array<std::int16_t, 16> g_settingBit{};

// A length the page passes for a Read values box left empty: no text given.
constexpr std::uint32_t kNotGiven = 0xFFFFFFFF;

// Whether [at, at + size) lies inside the input buffer.
bool InInput(const void* at, std::size_t size) {
    const auto begin = reinterpret_cast<std::uintptr_t>(g_input);
    const auto where = reinterpret_cast<std::uintptr_t>(at);
    return where >= begin && where - begin <= kInputSize && size <= kInputSize - (where - begin);
}

#define TESSIVAR_WEB_TEXT(x) #x
#define TESSIVAR_WEB_NUMBER(x) TESSIVAR_WEB_TEXT(x)
constexpr string_view kVersion =
    "Version " TESSIVAR_WEB_NUMBER(TESSIVAR_VERSION_MAJOR) "." TESSIVAR_WEB_NUMBER(
        TESSIVAR_VERSION_MINOR) "." TESSIVAR_WEB_NUMBER(TESSIVAR_VERSION_REVISION);

// Writes the answer into the output buffer; an answer that does not fit is
// refused whole, never cut short.
class Output {
  public:
    Output& operator<<(string_view text) {
        for (const char c : text) Put(c);
        return *this;
    }
    Output& operator<<(char c) {
        Put(c);
        return *this;
    }
    Output& operator<<(unsigned number) {
        char digits[10];
        std::size_t count = 0;
        do {
            digits[count++] = static_cast<char>('0' + number % 10);
            number /= 10;
        } while (number != 0);
        while (count > 0) Put(digits[--count]);
        return *this;
    }
    Output& Hex4(unsigned word) {
        constexpr string_view kDigits = "0123456789ABCDEF";
        for (int shift = 12; shift >= 0; shift -= 4) Put(kDigits[(word >> shift) & 15]);
        return *this;
    }
    // The length written, or -1 when the answer did not fit.
    std::int32_t Finish() const { return overflow_ ? -1 : static_cast<std::int32_t>(length_); }

  private:
    void Put(char c) {
        if (length_ < kOutputSize) {
            g_output[length_++] = c;
        } else {
            overflow_ = true;
        }
    }

    std::size_t length_ = 0;
    bool overflow_ = false;
};

string_view KindName(GroupKind kind) {
    switch (kind) {
        case GroupKind::kTransmissionBit:
            return "bit";
        case GroupKind::kBaudRate:
            return "rate";
        case GroupKind::kProtocol:
            return "protocol";
        case GroupKind::kChannel:
            break;
    }
    return "channel";
}

std::uint32_t ReadLength(const unsigned char* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

// A reading's lines, as tessivar_decode describes them.
void WriteReading(Output& out, const SwitchReading& reading) {
    const auto number = static_cast<unsigned>(reading.number);
    if (!reading.ok()) {
        char message[kMaxErrorMessage];
        DescribeError(reading, message, sizeof message);
        out << number << "\te\t" << string_view(message) << '\n';
        return;
    }
    char words[kMaxReadingText];
    DescribeReading(reading, words, sizeof words);
    out << number << "\tr\t";
    if (reading.channel() > 0) {
        const auto channel = static_cast<std::size_t>(reading.channel() - 1);
        out << kOptionGroups[kChannelGroup].members[channel].caption;
    }
    out << '\t';
    out.Hex4(reading.value) << '\t' << string_view(words) << '\n';
    for (std::size_t n = 0; n < reading.noteCount; ++n) {
        out << number << "\tn\t" << NoteText(reading.notes[n], reading.number) << '\n';
    }
}

// The members of one selection at members[0..kOptionGroups.size()), each
// checked against its group; false for one past its group's last member.
bool ReadChoices(const unsigned char* members, GroupChoices& chosen) {
    for (std::size_t g = 0; g < kOptionGroups.size(); ++g) {
        // SelectionOf leaves a group past its last member unselected; the
        // page never sends one, so it is refused rather than computed.
        if (members[g] >= kOptionGroups[g].members.size()) return false;
        chosen[g] = members[g];
    }
    return true;
}

}  // namespace

// The host build compiles the same functions for its tests, as plain C
// functions.
#if defined(__wasm__)
#define TESSIVAR_EXPORT(name) __attribute__((export_name(name)))
#else
#define TESSIVAR_EXPORT(name)
#endif

extern "C" {

TESSIVAR_EXPORT("tessivar_input") unsigned char* TessivarInput() {
    return g_input;
}
TESSIVAR_EXPORT("tessivar_input_size") std::uint32_t TessivarInputSize() {
    return kInputSize;
}
TESSIVAR_EXPORT("tessivar_output") const char* TessivarOutput() {
    return g_output;
}

// What the page shows: "v", the version text; then for each option group
// "g", its name, its caption, its kind (bit, rate, protocol or channel) and
// its initial member's index, followed by one "m" line per member with its
// value and its label; last "s", the station number's name ("station") and
// its highest value (31): Switch 5 takes 0 to that.
TESSIVAR_EXPORT("tessivar_describe") std::int32_t TessivarDescribe() {
    Output out;
    out << "v\t" << kVersion << '\n';
    for (const OptionGroup& group : kOptionGroups) {
        out << "g\t" << group.name << '\t' << group.caption << '\t' << KindName(group.kind) << '\t'
            << unsigned{group.initial} << '\n';
        for (const OptionMember& member : group.members) {
            out << "m\t" << member.value << '\t' << member.Label() << '\n';
        }
    }
    out << "s\t" << kStationName << '\t' << kMaxStation << '\n';
    return out.Finish();
}

// members: one member index per option group, in the groups' order, at most
// count bytes in the input buffer. Writes one line per switch write, in the
// order the boxes take them: the switch number and its text.
TESSIVAR_EXPORT("tessivar_calculate")
std::int32_t TessivarCalculate(const unsigned char* members, std::uint32_t count) {
    GroupChoices chosen{};
    if (count != kOptionGroups.size() || !InInput(members, count) ||
        !ReadChoices(members, chosen)) {
        return -1;
    }
    const SwitchSelection selection = SelectionOf(chosen);
    Output out;
    for (const SwitchWrite& write : CalculateSwitches(selection, g_settingBit)) {
        out << static_cast<unsigned>(write.number) << '\t' << write.text() << '\n';
    }
    return out.Finish();
}

// Both channels' settings and the station number, as the page's Calculate
// part keeps them: members holds count = 2 x 11 bytes, CH1's selection
// (one member index per option group, in the groups' order, as
// tessivar_calculate takes it) then CH2's. The channel group's entry of each
// half is checked as every other but not used: the half says the channel.
// station: the text typed for Switch 5, stationLength bytes of UTF-8 in the
// input buffer, a decimal number from 0 to 31 with blanks around it allowed;
// kNotGiven (0xFFFFFFFF), or a text of blanks only, for no Switch 5.
//
// Writes, for Switch 1 to 4 in order and then Switch 5 when a station is
// given, each line starting with the switch number:
//   "w" and the value the switch box shows ("0B62", "5", "0012"; Switch 5
//       in four hexadecimal digits),
//   then the value's reading as tessivar_decode writes it: an "r" line and
//       an "n" line for each note (Switch 2 and 4 carry the notes of their
//       channel's pair);
// or, for a station text that is no station number, one line "5", "e" and
// why, to show beside the box, with no "w" line:
//   5\te\t"32": not a station number; give 0 to 31 in decimal
// The other switches are computed and written all the same.
TESSIVAR_EXPORT("tessivar_calculate_all")
std::int32_t TessivarCalculateAll(const unsigned char* members, std::uint32_t count,
                                  const char* station, std::uint32_t stationLength) {
    constexpr std::size_t kGroups = kOptionGroups.size();
    if (count != 2 * kGroups || !InInput(members, count)) return -1;
    const bool stationGiven = stationLength != kNotGiven;
    if (stationGiven && !InInput(station, stationLength)) return -1;

    // CH1's two writes, then CH2's, then Switch 5's: at most five.
    std::array<SwitchWrite, kSwitchCount> writes{};
    std::size_t written = 0;
    for (std::size_t c = 0; c < 2; ++c) {
        GroupChoices chosen{};
        if (!ReadChoices(members + c * kGroups, chosen)) return -1;
        chosen[kChannelGroup] = static_cast<std::uint8_t>(c);
        for (const SwitchWrite& write : CalculateSwitches(SelectionOf(chosen), g_settingBit)) {
            writes[written++] = write;
        }
    }
    const string_view stationText = stationGiven ? string_view(station, stationLength) : "";
    bool blank = true;
    for (const char c : stationText) blank = blank && (c == ' ' || c == '\t');
    const std::optional<std::uint8_t> number = ParseStation(stationText);
    if (number) writes[written++] = StationWrite(*number);

    Output out;
    const SwitchReadings readings = DecodeWrites({writes.data(), written});
    for (std::size_t i = 0; i < written; ++i) {
        out << static_cast<unsigned>(writes[i].number) << "\tw\t" << writes[i].text() << '\n';
        const auto& reading = readings[static_cast<std::size_t>(writes[i].number - 1)];
        if (reading) WriteReading(out, *reading);
    }
    if (!number && !blank) {
        char message[kMaxErrorMessage];
        DescribeStationError(stationText, message, sizeof message);
        out << static_cast<unsigned>(kStationSwitch) << "\te\t" << string_view(message) << '\n';
    }
    return out.Finish();
}

// texts: the texts of Switch 1 to 4, or 1 to 5, one after another, size
// bytes in the input buffer; lengths: count (4 or 5) lengths, four bytes
// each, little-endian, kNotGiven for a switch without a text. Writes for
// each switch given, in switch order, either "e" and the error message, or
// "r", the channel, the value in four digits and what it sets in words
// ("CH1", "0B62", "115200 bps, ..."), followed by an "n" line for each note;
// each line starts with the switch number. Switch 5 is read in hexadecimal
// like the others and has no channel: "5\tr\t\t0012\tstation 18 in decimal".
// The notes of a channel's pair come with its protocol switch (2 or 4) and
// name both switches.
TESSIVAR_EXPORT("tessivar_decode")
std::int32_t TessivarDecode(const char* texts, std::uint32_t size, const unsigned char* lengths,
                            std::uint32_t count) {
    SwitchTexts given;
    if ((count != given.size() && count != given.size() - 1) ||
        !InInput(lengths, 4 * std::size_t{count}) || !InInput(texts, size)) {
        return -1;
    }
    std::size_t offset = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t length = ReadLength(lengths + 4 * i);
        if (length == kNotGiven) continue;
        if (length > size - offset) return -1;
        given[i] = string_view(texts + offset, length);
        offset += length;
    }
    if (offset != size) return -1;

    Output out;
    for (const auto& reading : DecodeSwitches(given)) {
        if (reading) WriteReading(out, *reading);
    }
    return out.Finish();
}

}  // extern "C"
