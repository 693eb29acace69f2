// tessivar-cli: the window's calculation on the command line, and its
// inverse. "decode" reads switch values back into settings; "encode" computes
// them from settings given as options, through CalculateSwitches itself.
//
// Everything is checked before anything is printed: on bad input the program
// writes one line to stderr, nothing to stdout, and exits with status 2.
// Output goes through fwrite with the program's own number formatting, which
// keeps the Windows executable small (no iostreams, no printf).
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "switch_decoder.h"
#include "switch_encoder.h"
#include "version.h"

namespace {

using std::string_view;
using tessivar::QuotedText;
using tessivar::SwitchReading;

constexpr int kBadInput = 2;

#define TESSIVAR_CLI_TEXT(x) #x
#define TESSIVAR_CLI_NUMBER(x) TESSIVAR_CLI_TEXT(x)
constexpr string_view kVersion =
    "tessivar-cli " TESSIVAR_CLI_NUMBER(TESSIVAR_VERSION_MAJOR) "." TESSIVAR_CLI_NUMBER(
        TESSIVAR_VERSION_MINOR) "." TESSIVAR_CLI_NUMBER(TESSIVAR_VERSION_REVISION) "\n";

// Writes text and numbers to a stream.
class Out {
  public:
    explicit Out(std::FILE* stream) : stream_(stream) {}

    Out& operator<<(string_view text) {
        std::fwrite(text.data(), 1, text.size(), stream_);
        return *this;
    }
    Out& operator<<(char c) { return *this << string_view(&c, 1); }
    Out& operator<<(std::uint32_t number) {
        char digits[10];
        std::size_t count = sizeof digits;
        do {
            digits[--count] = static_cast<char>('0' + number % 10);
            number /= 10;
        } while (number != 0);
        return *this << string_view(digits + count, sizeof digits - count);
    }
    Out& operator<<(int number) { return *this << static_cast<std::uint32_t>(number); }
    Out& Hex4(unsigned word) {
        constexpr string_view kDigits = "0123456789ABCDEF";
        for (int shift = 12; shift >= 0; shift -= 4) *this << kDigits[(word >> shift) & 15];
        return *this;
    }
    // A JSON string: the text in quotes, with quotes, backslashes and control
    // characters escaped.
    Out& Json(string_view text) {
        *this << '"';
        for (const char c : text) {
            if (c == '"' || c == '\\') {
                *this << '\\' << c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                *this << "\\u";
                Hex4(static_cast<unsigned char>(c));
            } else {
                *this << c;
            }
        }
        return *this << '"';
    }
    Out& Bool(bool value) { return *this << (value ? string_view("true") : "false"); }
    // Something the user gave, as every error line shows it.
    Out& operator<<(const QuotedText& text) { return *this << text.view(); }

  private:
    std::FILE* stream_;
};

// The one line of a failure, on stderr; its parts follow.
Out Error() {
    return Out(stderr) << "tessivar-cli: error: ";
}

// encode's options, one per group of option buttons in the window, in the
// order of the transmission bits (0 to 7), then rate, protocol, channel.
// The value chosen is an index into the choices ('|' between them) or, for
// the rate, into the rates of kOptionGroups; it is the window's member index within the
// group, and `initial` is the window's initial selection.
struct Option {
    string_view name;
    string_view choices;  // empty: one of kRates
    string_view shown;    // what --help shows for the value, when not the choices
    unsigned initial;
    string_view caption;  // the window's caption for the group
};
constexpr std::size_t kPairs = 8;
constexpr std::size_t kRate = 8, kProtocol = 9, kChannel = 10;
constexpr std::array<Option, 11> kOptions = {{
    {"--operation", "independent|linked", "", 0, "Operation Setting"},
    {"--data-bit", "7|8", "", 1, "Data Bit"},
    {"--parity-bit", "no|yes", "", 0, "Parity Bit"},
    {"--odd-even", "odd|even", "", 0, "Odd/Even"},
    {"--stop-bit", "1|2", "", 0, "Stop Bit"},
    {"--check-sum", "no|yes", "", 1, "Check Sum"},
    {"--write-during-run", "disable|enable", "", 1, "Write During RUN"},
    {"--change-setting", "disable|enable", "", 0, "Change Setting"},
    {"--baud-rate", "", "BPS", 12, "Baud rate: 50, 300, 600, ... 115200, 230400"},
    {"--protocol", "0|1|2|3|4|5|6|7|8", "0-8", 5, "Protocol number"},
    {"--channel", "ch1|ch2|both", "", 0, "CH1, CH2, or both with the same setting"},
}};

constexpr const tessivar::OptionGroup& kRates = tessivar::kOptionGroups[tessivar::kBaudRateGroup];

struct Command {
    string_view name;
    string_view arguments;
    string_view purpose;
};
constexpr std::array<Command, 2> kCommands = {{
    {"decode", "SW1 [SW2 [SW3 [SW4]]]",
     "reads Switch 1 to 4 back into settings; - leaves one out. A value is 1 to 4\n"
     "        hexadecimal digits, optionally with 0x before or H after."},
    {"encode", "[OPTION VALUE]...",
     "computes the switch values as the window's \"Calculate Setting\" does.\n"
     "        Options (each defaults to the window's initial selection):"},
}};

// The text up to the first '|', or all of it. (Not substr, which can throw:
// its exception machinery alone would grow the executable fivefold.)
string_view FirstWord(string_view words) {
    return string_view(words.data(), std::min(words.find('|'), words.size()));
}

// The choice'th word of the option's choices (the last one for any beyond).
string_view Choice(const Option& option, unsigned choice) {
    string_view rest = option.choices;
    for (; choice > 0 && rest.find('|') != string_view::npos; --choice) {
        rest.remove_prefix(rest.find('|') + 1);
    }
    return FirstWord(rest);
}

// The index of the value among the option's choices, if it is one.
std::optional<unsigned> FindChoice(const Option& option, string_view value) {
    if (option.choices.empty()) {
        std::uint32_t bps = 0;
        for (const char c : value) {
            if (c < '0' || c > '9' || bps > 1000000) return std::nullopt;
            bps = bps * 10 + static_cast<std::uint32_t>(c - '0');
        }
        for (unsigned i = 0; i < kRates.members.size(); ++i) {
            if (!value.empty() && kRates.members[i].number == bps) return i;
        }
        return std::nullopt;
    }
    string_view rest = option.choices;
    for (unsigned i = 0;; ++i) {
        const std::size_t bar = rest.find('|');
        if (FirstWord(rest) == value) return i;
        if (bar == string_view::npos) return std::nullopt;
        rest.remove_prefix(bar + 1);
    }
}

void ShowAccepted(Out& out, const Option& option) {
    if (option.choices.empty()) {
        for (unsigned i = 0; i < kRates.members.size(); ++i) {
            out << (i == 0 ? "" : ", ") << kRates.members[i].number;
        }
    } else {
        out << option.choices;
    }
}

int Help() {
    Out out(stdout);
    out << "Usage:\n";
    for (const Command& command : kCommands) {
        out << "  tessivar-cli " << command.name << " [--json] " << command.arguments << '\n';
    }
    out << "  tessivar-cli --help | --version\n\n";
    for (const Command& command : kCommands) {
        out << command.name << "  " << command.purpose << '\n';
    }
    for (const Option& option : kOptions) {
        string_view value = option.shown.empty() ? option.choices : option.shown;
        out << "  " << option.name << ' ' << value;
        for (std::size_t n = option.name.size() + value.size(); n < 38; ++n) out << ' ';
        out << option.caption << "; default ";
        if (option.choices.empty()) {
            out << kRates.members[option.initial].number;
        } else {
            out << Choice(option, option.initial);
        }
        out << '\n';
    }
    out << "\n--json  prints one JSON object instead of text.\n"
           "Bad input: one line on stderr and exit status 2.\n";
    return 0;
}

void PrintWords(Out& out, const SwitchReading& r) {
    char words[tessivar::kMaxReadingText];
    tessivar::DescribeReading(r, words, sizeof words);
    out << "Switch " << r.number << " (CH" << r.channel() << ") ";
    out.Hex4(r.value) << ": " << string_view(words) << '\n';
}

void PrintJson(Out& out, const SwitchReading& r) {
    using namespace tessivar;
    out << "{\"switch\": " << r.number << ", \"channel\": \"CH" << r.channel() << "\", \"text\": ";
    out.Json(r.text);
    if (r.setsRate()) {
        out << ", \"baud_rate\": " << r.baudRate
            << ", \"operation\": " << (r.has(kLinkedOperation) ? "\"linked\"" : "\"independent\"")
            << ", \"data_bits\": " << (r.has(kEightDataBits) ? "8" : "7") << ", \"parity\": ";
        out.Bool(r.has(kParityOn))
            << ", \"odd_even\": " << (r.has(kEvenParity) ? "\"even\"" : "\"odd\"")
            << ", \"stop_bits\": " << (r.has(kTwoStopBits) ? "2" : "1") << ", \"check_sum\": ";
        out.Bool(r.has(kSumCheckOn)) << ", \"write_during_run\": ";
        out.Bool(r.has(kWriteDuringRunEnabled)) << ", \"change_setting\": ";
        out.Bool(r.has(kSettingChangeEnabled));
    } else {
        out << ", \"protocol\": " << int{r.protocol} << ", \"protocol_name\": ";
        out.Json(r.protocolName());
    }
    out << ", \"notes\": [";
    for (std::size_t i = 0; i < r.noteCount; ++i) {
        out << (i == 0 ? "" : ", ");
        out.Json(NoteText(r.notes[i], r.number));
    }
    out << "]}";
}

int Decode(const tessivar::SwitchTexts& texts, bool json) {
    const tessivar::SwitchReadings readings = tessivar::DecodeSwitches(texts);
    for (const auto& reading : readings) {
        if (reading && !reading->ok()) {
            char message[tessivar::kMaxErrorMessage];
            tessivar::DescribeError(*reading, message, sizeof message);
            Error() << string_view(message) << '\n';
            return kBadInput;
        }
    }
    Out out(stdout);
    if (json) out << "{\"switches\": [";
    bool first = true;
    for (const auto& reading : readings) {
        if (!reading) continue;
        if (json) {
            out << (first ? "" : ", ");
            PrintJson(out, *reading);
        } else {
            PrintWords(out, *reading);
            for (std::size_t i = 0; i < reading->noteCount; ++i) {
                out << "  note: " << NoteText(reading->notes[i], reading->number) << '\n';
            }
        }
        first = false;
    }
    if (json) out << "]}\n";
    return 0;
}

int Encode(const std::array<unsigned, kOptions.size()>& chosen, bool json) {
    tessivar::SwitchSelection selection;
    for (std::size_t k = 0; k < kPairs; ++k) selection.OptOperation[2 * k + chosen[k]] = true;
    selection.optBaudRate[chosen[kRate]] = true;
    selection.optProtocol[chosen[kProtocol]] = true;
    selection.optCH[chosen[kChannel]] = true;
    std::array<std::int16_t, 16> settingBit{};
    const tessivar::SwitchWrites writes = tessivar::CalculateSwitches(selection, settingBit);

    Out out(stdout);
    if (json) out << "{\"writes\": [";
    for (std::size_t i = 0; i < writes.size(); ++i) {
        if (json) {
            out << (i == 0 ? "" : ", ") << "{\"switch\": " << writes[i].number << ", \"text\": ";
            out.Json(writes[i].text()) << '}';
        } else {
            out << "Switch " << writes[i].number << ": " << writes[i].text() << '\n';
        }
    }
    if (json) out << "]}\n";
    return 0;
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        Error() << "no command; give decode or encode (see tessivar-cli --help)\n";
        return kBadInput;
    }
    const string_view command = argv[1];
    if (command == "--help") return Help();
    if (command == "--version") {
        Out(stdout) << kVersion;
        return 0;
    }
    const bool decode = command == kCommands[0].name;
    if (!decode && command != kCommands[1].name) {
        Error() << "unknown command " << QuotedText(command) << "; give decode or encode\n";
        return kBadInput;
    }

    bool json = false;
    tessivar::SwitchTexts texts;
    std::size_t switches = 0;
    std::array<unsigned, kOptions.size()> chosen{};
    for (std::size_t i = 0; i < kOptions.size(); ++i) chosen[i] = kOptions[i].initial;

    for (int i = 2; i < argc; ++i) {
        const string_view arg = argv[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--help") {
            return Help();
        } else if (decode && (arg.size() < 3 || !arg.starts_with("--"))) {
            if (switches == texts.size()) {
                Error() << "decode: " << QuotedText(arg)
                        << " is a fifth switch value; give at most four"
                        << " (Switch 1 to 4)\n";
                return kBadInput;
            }
            if (arg != "-") texts[switches] = arg;
            ++switches;
        } else {
            const Option* option = nullptr;
            for (const Option& o : kOptions) {
                if (!decode && o.name == arg) option = &o;
            }
            if (option == nullptr) {
                Error() << command << ": unknown "
                        << (arg.starts_with("--") ? "option" : "argument") << ' ' << QuotedText(arg)
                        << " (see tessivar-cli --help)\n";
                return kBadInput;
            }
            const std::optional<unsigned> choice =
                i + 1 < argc ? FindChoice(*option, argv[i + 1]) : std::nullopt;
            if (!choice) {
                Out error = Error();
                error << option->name;
                if (i + 1 < argc) {
                    error << ' ' << QuotedText(argv[i + 1]) << ": not a value it takes";
                } else {
                    error << ": no value";
                }
                error << "; give one of ";
                ShowAccepted(error, *option);
                error << '\n';
                return kBadInput;
            }
            chosen[static_cast<std::size_t>(option - kOptions.data())] = *choice;
            ++i;
        }
    }
    if (!decode) return Encode(chosen, json);
    bool any = false;
    for (const auto& text : texts) any = any || text.has_value();
    if (!any) {
        Error() << "decode: no switch value; give 1 to 4 of them (SW1 [SW2 [SW3 [SW4]]])\n";
        return kBadInput;
    }
    return Decode(texts, json);
}

}  // namespace

int main(int argc, char** argv) {
    const int status = Run(argc, argv);
    // Output that could not be written is a failure too (a full disk, a
    // closed pipe).
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) return status == 0 ? 1 : status;
    return status;
}
