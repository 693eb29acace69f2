// The words of tessivar-cli's own lines, in both languages: the start of an
// error line and of a note, a switch's name before its value, and the error
// messages about the command line. Each '%' is where the program puts a
// number or what the user gave (shown as QuotedText shows it). Checked when
// this is compiled, with the translation and the glossary's terms (words.h).
// What the decoder says (readings, notes, its errors) is the decoder's.
#pragma once

#include <array>
#include <cstddef>

#include "glossary.h"
#include "words.h"

namespace tessivar::cli::words {

enum Text : std::size_t {
    kError,            // after "tessivar-cli: " on stderr
    kNote,             // after "tessivar-cli: " on stderr (encode), after "  " (decode)
    kSwitch,           // a switch's name: "Switch %"
    kChannelOf,        // after a switch's name in decode: " (%) ", the channel
    kValueFollows,     // ": " between a switch (and its value) and what follows
    kInParentheses,    // " (%)": the station's reading after encode's Switch 5
    kNoCommand,        //
    kUnknownCommand,   // the command given
    kSixthValue,       // the value given
    kNoStation,        // after the option: no value follows it; the highest station
    kUnknownOption,    // the command, the option
    kUnknownArgument,  // the command, the argument
    kNotAValue,        // after the option: the value given
    kNoValue,          // after the option
    kGiveOneOf,        // after kNotAValue or kNoValue, before the values
    kNoSwitchValue,    // decode's arguments
    kTextCount
};

inline constexpr std::array<Words, kTextCount> kTexts{{
    {"error: ", "错误："},
    {"note: ", "注意："},
    {"Switch %", "开关%"},
    {" (%) ", "（%）"},
    {": ", "："},
    {" (%)", "（%）"},
    {"no command; give decode or encode (see tessivar-cli --help)",
     "没有命令；请给出decode或encode（参见tessivar-cli --help）"},
    {"unknown command %; give decode or encode", "未知命令%；请给出decode或encode"},
    {"decode: % is a sixth switch value; give at most five (Switch 1 to 5)",
     "decode：%是第六个开关值；最多给出五个（开关1至开关5）"},
    {": no value; give 0 to % in decimal", "：没有值；请给出十进制0至%"},
    {"%: unknown option % (see tessivar-cli --help)", "%：未知选项%（参见tessivar-cli --help）"},
    {"%: unknown argument % (see tessivar-cli --help)", "%：未知参数%（参见tessivar-cli --help）"},
    {" %: not a value it takes", " %：不是该选项可取的值"},
    {": no value", "：没有值"},
    {"; give one of ", "；请给出以下之一："},
    {"decode: no switch value; give 1 to 5 of them (%)", "decode：没有开关值；请给出1至5个（%）"},
}};

static_assert(FirstUntranslated(kTexts, glossary::kGlossary) == kTexts.size(),
              "a line of tessivar-cli is untranslated or breaks the glossary");

}  // namespace tessivar::cli::words
