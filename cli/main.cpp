// tessivar-cli: the window's calculation on the command line, and its
// inverse. "decode" reads switch values back into settings; "encode" computes
// them from settings given as options, through CalculateSwitches itself.
// The options, and the "settings" that decode --json writes, are the groups
// of kOptionGroups by name and their members by value, so that a reading's
// settings, given back to encode, write the same switch. "--NAME VALUE" sets
// the group for the channel(s) that --channel names, as the window does;
// "--ch1-NAME VALUE" and "--ch2-NAME VALUE" (the channel group's values as
// prefixes) set it for one channel, so one call gives both channels' values.
// "--station N" adds Switch 5.
//
// Everything is checked before anything is printed: on bad input the program
// writes one line to stderr, nothing to stdout, and exits with status 2.
// Output goes through console_out.h with the program's own number
// formatting, which keeps the Windows executable small (no iostreams, no
// printf); its words are in the language of language.h.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "cli_words.h"
#include "console_out.h"
#include "help_words.h"
#include "language.h"
#include "switch_decoder.h"
#include "switch_encoder.h"
#include "version.h"

namespace {

using std::string_view;
using tessivar::QuotedText;
using tessivar::SwitchNote;
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
        tessivar::cli::Write(stream_, text);
        return *this;
    }
    Out& operator<<(const tessivar::Words& words) {
        return *this << words[tessivar::cli::OutputLanguage()];
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
    // Something the user gave, as every error line shows it.
    Out& operator<<(const QuotedText& text) { return *this << text.view(); }
    // The words in the output's language, with each '%' in them replaced by
    // the next of the values, in order.
    template <typename... Values>
    Out& Fill(const tessivar::Words& words, const Values&... values) {
        const string_view pattern = words[tessivar::cli::OutputLanguage()];
        std::size_t at = 0;
        const auto next = [this, pattern, &at](const auto& value) {
            const std::size_t mark = pattern.find('%', at);
            if (mark == string_view::npos) return;  // more values than places
            *this << string_view(pattern.data() + at, mark - at) << value;
            at = mark + 1;
        };
        (next(values), ...);
        return *this << string_view(pattern.data() + at, pattern.size() - at);
    }

  private:
    std::FILE* stream_;
};

namespace words = tessivar::cli::words;

// A text of tessivar-cli's own.
const tessivar::Words& Text(words::Text text) {
    return words::kTexts[text];
}

tessivar::Language OutLanguage() {
    return tessivar::cli::OutputLanguage();
}

// The one line of a failure, on stderr; its parts follow.
Out Error() {
    return Out(stderr) << "tessivar-cli: " << Text(words::kError);
}

using tessivar::kOptionGroups;
using tessivar::OptionGroup;

namespace help = tessivar::cli::help;

struct Command {
    string_view name;
    string_view arguments;
    const tessivar::Words& purpose;
};
constexpr std::array<Command, 2> kCommands = {{
    {"decode", "SW1 [SW2 [SW3 [SW4 [SW5]]]]", help::kTexts[help::kDecodePurpose]},
    {"encode", "[--[ch1-|ch2-]NAME VALUE]... [--station N]", help::kTexts[help::kEncodePurpose]},
}};

constexpr const OptionGroup& kChannels = kOptionGroups[tessivar::kChannelGroup];

// An encode option: the group it sets, and for which channel.
struct Option {
    const OptionGroup* group = nullptr;  // nullptr: no such option
    int channel = -1;                    // -1: as --channel says; 0: CH1; 1: CH2
};

// encode's options are the groups of kOptionGroups: "--<name> <value>" picks
// the member with that value, "--<ch1|ch2>-<name> <value>" for one channel,
// the prefix being the channel group's member value. The option that `arg`
// names.
Option OptionOf(string_view arg) {
    Option option;
    if (!arg.starts_with("--")) return option;
    arg.remove_prefix(2);
    for (int c = 0; c < 2; ++c) {
        const string_view prefix = kChannels.members[static_cast<std::size_t>(c)].value;
        if (arg.size() > prefix.size() + 1 && arg.starts_with(prefix) &&
            arg[prefix.size()] == '-') {
            arg.remove_prefix(prefix.size() + 1);
            option.channel = c;
            break;
        }
    }
    const int group = tessivar::FindGroup(arg);
    if (group < 0 || (option.channel >= 0 && group == static_cast<int>(tessivar::kChannelGroup))) {
        return option;
    }
    option.group = &kOptionGroups[static_cast<std::size_t>(group)];
    return option;
}

// What --help shows after a member's value: its name for people, where it
// is more than the value in other letters ("true = YES", but not
// "odd = ODD"); in Chinese, every name that is translated ("true = 有",
// "odd = 奇数").
string_view ShownLabel(const tessivar::OptionMember& member) {
    if (!member.own && OutLanguage() != tessivar::Language::kEnglish) {
        return member.Name()[OutLanguage()];
    }
    const string_view label = member.Label();
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    bool same = label.size() == member.value.size();
    for (std::size_t i = 0; same && i < label.size(); ++i) {
        same = lower(label[i]) == lower(member.value[i]);
    }
    return same ? string_view() : label;
}

// One line per group: the option, then its values with their names for
// people, wrapped to 80 columns under the first.
// Where the values of the option lines start: "  --" before the longest
// name, two blanks after it.
constexpr std::size_t OptionColumn() {
    std::size_t column = 0;
    for (const OptionGroup& group : kOptionGroups) column = std::max(column, group.name.size());
    return column + 6;
}
// The first line of --station holds the text before the largest station,
// its two digits and the first line after it; the others start under the
// values.
constexpr bool StationLinesFit(tessivar::Language language) {
    using tessivar::words_check::WidestLine;
    const string_view before = help::kTexts[help::kStationBefore][language];
    const string_view after = help::kTexts[help::kStationAfter][language];
    const string_view rest = after.substr(after.find('\n') + 1);
    return WidestLine(after.substr(0, after.find('\n')), OptionColumn() + WidestLine(before) + 2) <=
               80 &&
           OptionColumn() + WidestLine(rest) <= 80;
}
static_assert(StationLinesFit(tessivar::Language::kEnglish) &&
                  StationLinesFit(tessivar::Language::kChinese),
              "the lines of --station are too wide under the values");

void ShowOptions(Out& out) {
    const std::size_t column = OptionColumn();
    constexpr std::size_t kWidth = 80;
    for (const OptionGroup& group : kOptionGroups) {
        out << "  --" << group.name;
        std::size_t at = 4 + group.name.size();
        for (; at < column; ++at) out << ' ';
        for (std::size_t m = 0; m < group.members.size(); ++m) {
            const string_view value = group.members[m].value;
            const string_view label = ShownLabel(group.members[m]);
            const bool initial = m == group.initial;
            const std::size_t length =
                value.size() + (initial ? 1 : 0) +
                (label.empty() ? 0 : 3 + tessivar::words_check::WidestLine(label));
            if (m > 0) {
                out << ',';
                ++at;
                if (at + 1 + length + 1 > kWidth) {
                    out << '\n';
                    for (at = 0; at < column; ++at) out << ' ';
                } else {
                    out << ' ';
                    ++at;
                }
            }
            out << value << (initial ? "*" : "");
            if (!label.empty()) out << " = " << label;
            at += length;
        }
        out << '\n';
    }
    // Switch 5, which is no option group of the window's.
    const auto indent = [&out, column] {
        for (std::size_t at = 0; at < column; ++at) out << ' ';
    };
    out << "  --" << tessivar::kStationName;
    for (std::size_t at = 4 + tessivar::kStationName.size(); at < column; ++at) out << ' ';
    out << help::kTexts[help::kStationBefore] << tessivar::kMaxStation;
    // The lines after the first start under the values.
    const string_view after = help::kTexts[help::kStationAfter][tessivar::cli::OutputLanguage()];
    for (std::size_t at = 0; at < after.size();) {
        const std::size_t end = after.find('\n', at) + 1;
        if (at > 0) indent();
        out << string_view(after.data() + at, end - at);  // not substr, which may throw
        at = end;
    }
}

// The values that the group's option takes, for an error line.
void ShowAccepted(Out& out, const OptionGroup& group) {
    for (std::size_t m = 0; m < group.members.size(); ++m) {
        out << (m == 0 ? "" : ", ") << group.members[m].value;
    }
}

int Help() {
    Out out(stdout);
    out << help::kTexts[help::kUsage];
    for (const Command& command : kCommands) {
        out << "  tessivar-cli " << command.name << " [--json] " << command.arguments << '\n';
    }
    out << "  tessivar-cli --help | --version\n\n";
    for (const Command& command : kCommands) {
        out << command.name << "  " << command.purpose << '\n';
    }
    ShowOptions(out);
    out << '\n'
        << help::kTexts[help::kJson] << help::kTexts[help::kEncodeNotes]
        << help::kTexts[help::kLanguage] << help::kTexts[help::kBadInput];
    return 0;
}

void PrintWords(Out& out, const SwitchReading& r) {
    char reading[tessivar::kMaxReadingText];
    tessivar::DescribeReading(r, reading, sizeof reading, OutLanguage());
    out.Fill(Text(words::kSwitch), r.number);
    if (r.channel() > 0) {
        out.Fill(Text(words::kChannelOf),
                 kChannels.members[static_cast<std::size_t>(r.channel() - 1)].caption);
    } else {
        out << ' ';
    }
    out.Hex4(r.value) << Text(words::kValueFollows) << string_view(reading) << '\n';
}

// A reading as JSON: its switch and text, the protocol's name for people,
// what it sets as "settings" (each group the switch sets, channel included,
// by name, with its member's value as the group's type says), and the notes.
void PrintJson(Out& out, const SwitchReading& r) {
    out << "{\"switch\": " << r.number << ", \"text\": ";
    out.Json(r.text);
    if (r.setsProtocol()) {
        out << ", \"protocol-name\": ";
        out.Json(r.protocolName());
    }
    out << ", \"settings\": {";
    string_view separator;
    for (std::size_t g = 0; g < kOptionGroups.size(); ++g) {
        const int member = r.member(g);
        if (member < 0) continue;
        const OptionGroup& group = kOptionGroups[g];
        const string_view value = group.members[static_cast<std::size_t>(member)].value;
        out << separator;
        out.Json(group.name) << ": ";
        // Numbers and booleans are written as they stand (option_groups.h
        // checks that they are digits, or false and true).
        if (group.type == tessivar::ValueType::kWord) {
            out.Json(value);
        } else {
            out << value;
        }
        separator = ", ";
    }
    if (r.setsStation()) {
        out << separator;
        out.Json(tessivar::kStationName) << ": " << std::uint32_t{r.station};
    }
    out << "}, \"notes\": [";
    for (std::size_t i = 0; i < r.noteCount; ++i) {
        out << (i == 0 ? "" : ", ");
        // In English whatever the language of the text: scripts read it.
        out.Json(NoteText(r.notes[i], r.number, tessivar::Language::kEnglish));
    }
    out << "]}";
}

int Decode(const tessivar::SwitchTexts& texts, bool json) {
    const tessivar::SwitchReadings readings = tessivar::DecodeSwitches(texts);
    for (const auto& reading : readings) {
        if (reading && !reading->ok()) {
            char message[tessivar::kMaxErrorMessage];
            tessivar::DescribeError(*reading, message, sizeof message, OutLanguage());
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
                out << "  " << Text(words::kNote)
                    << NoteText(reading->notes[i], reading->number, OutLanguage()) << '\n';
            }
        }
        first = false;
    }
    if (json) out << "]}\n";
    return 0;
}

// What encode was given: the options for the channel(s) that --channel
// names, those of each channel, and the station.
struct EncodeRequest {
    tessivar::GroupChoices chosen = tessivar::InitialChoices();
    // Per channel (CH1, CH2): which groups a --chN- option set, and to what.
    std::array<std::array<bool, kOptionGroups.size()>, 2> own{};
    std::array<tessivar::GroupChoices, 2> ownChoice{};
    bool channelGiven = false;
    std::optional<std::uint8_t> station;

    // Whether a --chN- option was given for channel c (0: CH1, 1: CH2).
    bool SetsOwn(std::size_t c) const {
        for (const bool set : own[c]) {
            if (set) return true;
        }
        return false;
    }
};

// The writes, in the order they are printed (at most the window's eight,
// when --channel both and no --chN- option, and Switch 5): the window's own for
// "--NAME" options alone; with "--chN-" options, Switch 1 and 2 for CH1
// (when --channel names it, or a --ch1- option was given), then Switch 3 and
// 4 likewise; then Switch 5.
std::size_t ComputeWrites(
    const EncodeRequest& request,
    std::array<tessivar::SwitchWrite, tessivar::SwitchWrites::kCapacity + 1>& writes) {
    std::array<std::int16_t, 16> settingBit{};
    std::size_t count = 0;
    const auto add = [&](const tessivar::GroupChoices& chosen) {
        for (const tessivar::SwitchWrite& write :
             tessivar::CalculateSwitches(tessivar::SelectionOf(chosen), settingBit)) {
            writes[count++] = write;
        }
    };
    if (!request.SetsOwn(0) && !request.SetsOwn(1)) {
        add(request.chosen);
    } else {
        const std::size_t named = request.chosen[tessivar::kChannelGroup];  // 0, 1 or 2 = both
        for (std::size_t c = 0; c < 2; ++c) {
            const bool byChannel = request.channelGiven && (named == c || named == 2);
            if (!byChannel && !request.SetsOwn(c)) continue;
            tessivar::GroupChoices chosen = request.chosen;
            for (std::size_t g = 0; g < chosen.size(); ++g) {
                if (request.own[c][g]) chosen[g] = request.ownChoice[c][g];
            }
            chosen[tessivar::kChannelGroup] = static_cast<std::uint8_t>(c);
            add(chosen);
        }
    }
    if (request.station) writes[count++] = tessivar::StationWrite(*request.station);
    return count;
}

int Encode(const EncodeRequest& request, bool json) {
    std::array<tessivar::SwitchWrite, tessivar::SwitchWrites::kCapacity + 1> writes{};
    const std::size_t count = ComputeWrites(request, writes);
    // What the module makes of the values: a note stops nothing, since the
    // user may have reasons, as the window computes such values too.
    const tessivar::SwitchReadings readings = tessivar::DecodeWrites({writes.data(), count});

    Out out(stdout);
    if (json) out << "{\"writes\": [";
    for (std::size_t i = 0; i < count; ++i) {
        const tessivar::SwitchWrite& write = writes[i];
        const bool station = write.number == tessivar::kStationSwitch;
        if (json) {
            out << (i == 0 ? "" : ", ") << "{\"switch\": " << write.number << ", \"text\": ";
            out.Json(write.text());
            if (station) {
                out << ", ";
                out.Json(tessivar::kStationName) << ": " << std::uint32_t{*request.station};
            }
            out << '}';
        } else {
            out.Fill(Text(words::kSwitch), write.number)
                << Text(words::kValueFollows) << write.text();
            if (station) {
                char reading[tessivar::kMaxReadingText];
                tessivar::DescribeReading(*readings[tessivar::kStationSwitch - 1], reading,
                                          sizeof reading, OutLanguage());
                out.Fill(Text(words::kInParentheses), string_view(reading));
            }
            out << '\n';
        }
    }
    if (json) out << "], \"notes\": [";
    bool first = true;
    for (const auto& reading : readings) {
        for (std::size_t n = 0; reading && n < reading->noteCount; ++n) {
            const SwitchNote note = reading->notes[n];
            if (json) {
                // In English whatever the language of the text: scripts read it.
                out << (first ? "" : ", ");
                out.Json(NoteText(note, reading->number, tessivar::Language::kEnglish));
            } else {
                Out(stderr) << "tessivar-cli: " << Text(words::kNote)
                            << NoteText(note, reading->number, OutLanguage()) << '\n';
            }
            first = false;
        }
    }
    if (json) out << "]}\n";
    return 0;
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        Error() << Text(words::kNoCommand) << '\n';
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
        Error().Fill(Text(words::kUnknownCommand), QuotedText(command)) << '\n';
        return kBadInput;
    }

    bool json = false;
    tessivar::SwitchTexts texts;
    std::size_t switches = 0;
    EncodeRequest request;

    for (int i = 2; i < argc; ++i) {
        const string_view arg = argv[i];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--help") {
            return Help();
        } else if (decode && (arg.size() < 3 || !arg.starts_with("--"))) {
            if (switches == texts.size()) {
                Error().Fill(Text(words::kSixthValue), QuotedText(arg)) << '\n';
                return kBadInput;
            }
            if (arg != "-") texts[switches] = arg;
            ++switches;
        } else if (!decode && arg.size() == 2 + tessivar::kStationName.size() &&
                   arg.starts_with("--") && arg.ends_with(tessivar::kStationName)) {
            const string_view given = i + 1 < argc ? string_view(argv[i + 1]) : string_view();
            request.station = tessivar::ParseStation(given);
            if (!request.station) {
                Out error = Error();
                error << arg;
                if (i + 1 < argc) {
                    char message[tessivar::kMaxErrorMessage];
                    tessivar::DescribeStationError(given, message, sizeof message, OutLanguage());
                    error << ' ' << string_view(message);
                } else {
                    error.Fill(Text(words::kNoStation), tessivar::kMaxStation);
                }
                error << '\n';
                return kBadInput;
            }
            ++i;
        } else {
            const Option option = decode ? Option() : OptionOf(arg);
            const OptionGroup* group = option.group;
            if (group == nullptr) {
                Error().Fill(
                    Text(arg.starts_with("--") ? words::kUnknownOption : words::kUnknownArgument),
                    command, QuotedText(arg))
                    << '\n';
                return kBadInput;
            }
            const int member = i + 1 < argc ? tessivar::FindMember(*group, argv[i + 1]) : -1;
            if (member < 0) {
                Out error = Error();
                error << arg;
                if (i + 1 < argc) {
                    error.Fill(Text(words::kNotAValue), QuotedText(argv[i + 1]));
                } else {
                    error << Text(words::kNoValue);
                }
                error << Text(words::kGiveOneOf);
                ShowAccepted(error, *group);
                error << '\n';
                return kBadInput;
            }
            const auto g = static_cast<std::size_t>(group - kOptionGroups.data());
            if (option.channel < 0) {
                request.chosen[g] = static_cast<std::uint8_t>(member);
                request.channelGiven = request.channelGiven || g == tessivar::kChannelGroup;
            } else {
                const auto c = static_cast<std::size_t>(option.channel);
                request.own[c][g] = true;
                request.ownChoice[c][g] = static_cast<std::uint8_t>(member);
            }
            ++i;
        }
    }
    if (!decode) return Encode(request, json);
    bool any = false;
    for (const auto& text : texts) any = any || text.has_value();
    if (!any) {
        Error().Fill(Text(words::kNoSwitchValue), kCommands[0].arguments) << '\n';
        return kBadInput;
    }
    return Decode(texts, json);
}

// Takes --lang out of the arguments and sets the language of the output:
// the one it names, else the user's. 0, or kBadInput after the error line.
int ChooseLanguage(int& argc, char** argv) {
    namespace cli = tessivar::cli;
    cli::SetOutputLanguage(cli::UserLanguage());
    const cli::LanguageOption option = cli::TakeLanguageOption(argc, argv);
    using Result = cli::LanguageOption::Result;
    if (option.result == Result::kChosen) cli::SetOutputLanguage(option.language);
    if (option.result == Result::kChosen || option.result == Result::kAbsent) return 0;
    Out error = Error();
    error << cli::kLanguageOption;
    if (option.result == Result::kUnknownValue) {
        error.Fill(Text(words::kNotAValue), QuotedText(option.value));
    } else {
        error << Text(words::kNoValue);
    }
    error << Text(words::kGiveOneOf);
    for (std::size_t i = 0; i < tessivar::kLanguageNames.size(); ++i) {
        error << (i == 0 ? "" : ", ") << tessivar::kLanguageNames[i].code;
    }
    error << '\n';
    return kBadInput;
}

}  // namespace

int main(int argc, char** argv) {
    int status = ChooseLanguage(argc, argv);
    if (status == 0) status = Run(argc, argv);
    // Output that could not be written is a failure too (a full disk, a
    // closed pipe, a console gone).
    if (!tessivar::cli::FinishWriting() || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        return status == 0 ? 1 : status;
    }
    return status;
}
