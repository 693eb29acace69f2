// The words of tessivar-cli --help, in both languages. The lines that list
// the options are made from the option groups' table; these are the rest.
// Each text is one paragraph, lines broken within 80 columns of a terminal
// (a Chinese character takes two): checked when this is compiled, with the
// translation and the glossary's terms (words.h).
#pragma once

#include <array>
#include <cstddef>

#include "glossary.h"
#include "words.h"

namespace tessivar::cli::help {

// Where a command's purpose starts: after its name, "decode  ".
inline constexpr std::size_t kPurposeColumn = 8;

enum Text : std::size_t {
    kUsage,
    kDecodePurpose,  // after "decode  "; no line feed at the end
    kEncodePurpose,  // after "encode  "; no line feed at the end
    kStationBefore,  // "--station" then this, kMaxStation and kStationAfter
    kStationAfter,   // its lines after the first start under the values
    kJson,
    kEncodeNotes,
    kLanguage,
    kBadInput,
    kTextCount
};

inline constexpr std::array<Words, kTextCount> kTexts{{
    {"Usage:\n", "用法：\n"},
    {"reads Switch 1 to 5 back into settings; - leaves one out. A value is\n"
     "        1 to 4 hexadecimal digits, optionally with 0x before or H after;\n"
     "        Switch 5 too: 12 is station 18.",
     "将开关1至开关5的值读回为设置；用 - 跳过其中一个。每个值为1至4位\n"
     "        十六进制数字，可在前面加0x或在后面加H；开关5也是如此：\n"
     "        12即站号18。"},
    {"computes the switch values as the window's \"Calculate Setting\" does,\n"
     "        from one option per group of its option buttons; * marks the default,\n"
     "        the window's initial selection. --NAME sets the channel(s) that\n"
     "        --channel names; --ch1-NAME and --ch2-NAME (every NAME but channel)\n"
     "        set one channel and add its values:",
     "按窗口中\"Calculate Setting\"（计算设置）按钮的方法计算开关值，\n"
     "        每组选项按钮取一个选项；* 表示默认值，即窗口打开时的初始选择。\n"
     "        --NAME设置--channel所指的通道；--ch1-NAME和--ch2-NAME（除channel\n"
     "        以外的每个NAME）只设置一个通道，并加上该通道的值："},
    {"N = Switch 5, the station number: 0 to ", "N = 开关5，站号：0至"},
    {" in decimal\n"
     "(0 on a 1:1 network); written in hexadecimal,\n"
     "with the decimal beside it: 0012 is station 18\n",
     "，十进制\n"
     "（1:1网络时设为0）；以十六进制写出，\n"
     "旁边注明十进制：0012即站号18\n"},
    {"--json  prints one JSON object instead of text. In decode's, the \"settings\"\n"
     "        of each switch are these options: \"--NAME VALUE\" for each of them\n"
     "        gives an encode that writes that switch again.\n",
     "--json  输出一个JSON对象而不是文字。decode的JSON中，各开关的\"settings\"\n"
     "        （设置）即上述选项：对其中每一项给出\"--NAME VALUE\"，\n"
     "        所得的encode会再次写出该开关的值。\n"},
    {"encode prints the notes on what it computed on stderr, as decode does on\n"
     "stdout; they stop nothing.\n",
     "encode将所计算结果的注意事项输出到stderr，decode则将其输出到stdout；\n"
     "注意事项不会阻止任何操作。\n"},
    {"--lang  en or zh: text and help in English or Simplified Chinese, wherever\n"
     "        it stands. Without it, the user's language: on Windows the display\n"
     "        language, elsewhere the first set of LC_ALL, LC_MESSAGES and LANG\n"
     "        (zh... is Chinese). The JSON of --json is the same in both.\n",
     "--lang  en或zh：文字输出和帮助使用英文或简体中文，可放在任何参数位置。\n"
     "        未指定时使用用户的语言：Windows上为显示语言，其他系统上为\n"
     "        LC_ALL、LC_MESSAGES、LANG中第一个已设置的变量（zh开头即为中文）。\n"
     "        --json输出的JSON在两种语言下完全相同。\n"},
    {"Bad input: one line on stderr and exit status 2.\n",
     "输入有误时：在stderr上输出一行错误信息，退出状态为2。\n"},
}};

static_assert(FirstUntranslated(kTexts, glossary::kGlossary) == kTexts.size(),
              "a text of the help is untranslated, breaks the glossary or is too wide");
static_assert(words_check::WidestLine(kTexts[kDecodePurpose].en, kPurposeColumn) <= 80 &&
                  words_check::WidestLine(kTexts[kDecodePurpose].zh, kPurposeColumn) <= 80 &&
                  words_check::WidestLine(kTexts[kEncodePurpose].en, kPurposeColumn) <= 80 &&
                  words_check::WidestLine(kTexts[kEncodePurpose].zh, kPurposeColumn) <= 80,
              "a command's purpose is too wide after its name");

}  // namespace tessivar::cli::help
