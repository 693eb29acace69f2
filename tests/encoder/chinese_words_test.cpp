// The words in Chinese: the option groups' captions and members' names, a
// reading of every selection field by field, the notes and the errors, each
// compared with the words this file expects (the module family's Chinese
// terms, written out here), and none with an English word left in it but
// the module's own names (rates in bps, CH1, the protocols' names, EVEN as
// the window writes it, hexadecimal values).
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "switch_decoder.h"
#include "switch_encoder.h"

namespace encoder_test {
namespace {

using tessivar::DecodeError;
using tessivar::Language;
using tessivar::SwitchNote;
using tessivar::SwitchReading;

constexpr Language kZh = Language::kChinese;

// The runs of Latin letters that Chinese text may hold: the module's own
// names and the hexadecimal values' letters.
const std::set<std::string> kOwnLetters = {
    "bps",  "CH",          "GX",  "Connection", "Format", "C",       "Binary",
    "Bi",   "directional", "Non", "Procedural", "Link",   "Setting", "EVEN",
    "FFFF", "x",           "H",   "F",          "D",      "RUN"};

// The runs of letters in text outside double quotes (what the user typed)
// that are not the module's own.
std::string EnglishLeft(const std::string& text) {
    std::string left;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '"') quoted = !quoted;
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!letter || quoted) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() &&
               ((text[end] >= 'A' && text[end] <= 'Z') || (text[end] >= 'a' && text[end] <= 'z'))) {
            ++end;
        }
        const std::string run = text.substr(i, end - i);
        if (!kOwnLetters.contains(run)) left += run + " ";
        i = end;
    }
    return left;
}

std::size_t Group(const char* name) {
    const int g = tessivar::FindGroup(name);
    EXPECT_GE(g, 0) << name;
    return static_cast<std::size_t>(g);
}

// Each group's caption in Chinese, and its members' names (the module's own
// names stay as the window writes them).
TEST(ChineseWords, EveryGroupAndMember) {
    struct Expected {
        const char* group;
        const char* caption;
        std::vector<const char*> members;
    };
    const Expected expected[] = {
        {"operation", "动作设置", {"独立", "联动"}},
        {"data-bits", "数据位", {"7", "8"}},
        {"parity", "奇偶校验位", {"无", "有"}},
        {"odd-even", "奇数/偶数", {"奇数", "偶数"}},
        {"stop-bits", "停止位", {"1", "2"}},
        {"check-sum", "和校验代码", {"无", "有"}},
        {"write-during-run", "RUN中写入", {"禁止", "允许"}},
        {"change-setting", "设置更改", {"禁止", "允许"}},
        {"baud-rate",
         "传送速度",
         {"50", "300", "600", "1200", "2400", "4800", "9600", "14400", "19200", "28800", "38400",
          "57600", "115200", "230400"}},
        {"protocol",
         "通信协议设置",
         {"GX Connection", "Format 1", "Format 2", "Format 3", "Format 4", "Format 5 (4C Binary)",
          "Non Procedural", "Bi-directional", "Link Setting"}},
        {"channel", "通道选择", {"CH1", "CH2", "CH1和CH2相同设置"}},
    };
    ASSERT_EQ(std::size(expected), tessivar::kOptionGroups.size());
    for (const Expected& e : expected) {
        const tessivar::OptionGroup& group = tessivar::kOptionGroups[Group(e.group)];
        EXPECT_EQ(group.Caption()[kZh], e.caption) << e.group;
        ASSERT_EQ(group.members.size(), e.members.size()) << e.group;
        for (std::size_t m = 0; m < e.members.size(); ++m) {
            EXPECT_EQ(group.members[m].Name()[kZh], e.members[m]) << e.group << " " << m;
            EXPECT_EQ(EnglishLeft(std::string(group.members[m].Name()[kZh])), "") << e.group;
            // The English stays the window's, or its label.
            EXPECT_EQ(group.members[m].Name()[Language::kEnglish], group.members[m].Label());
        }
    }
}

std::string Words(const SwitchReading& reading, Language language) {
    char words[tessivar::kMaxReadingText];
    const std::size_t length = tessivar::DescribeReading(reading, words, sizeof words, language);
    EXPECT_LT(length + 1, sizeof words) << "words cut short: " << words;
    return std::string(words, length);
}

// Every window selection read back in Chinese: each field's words in order,
// the protocol, and no English word.
TEST(ChineseWords, EveryFieldOfEverySelection) {
    struct BitWords {
        const char* group;
        const char* clear;
        const char* set;
    };
    const BitWords bits[] = {
        {"data-bits", "数据位7", "数据位8"},
        {"parity", "奇偶校验位无", "奇偶校验位有"},
        {"odd-even", "奇数", "偶数"},
        {"stop-bits", "停止位1", "停止位2"},
        {"check-sum", "和校验代码无", "和校验代码有"},
        {"write-during-run", "RUN中写入禁止", "RUN中写入允许"},
        {"change-setting", "设置更改禁止", "设置更改允许"},
        {"operation", "独立动作", "联动动作"},
    };
    const tessivar::OptionGroup& rates = tessivar::kOptionGroups[tessivar::kBaudRateGroup];
    const tessivar::OptionGroup& protocols = tessivar::kOptionGroups[tessivar::kProtocolGroup];
    std::array<std::int16_t, 16> settingBit{};
    int failures = 0;
    for (std::uint8_t channel = 0; channel < 2; ++channel) {
        for (unsigned state = 0; state < 256; ++state) {
            for (std::uint8_t rate = 0; rate < rates.members.size(); ++rate) {
                const std::uint8_t protocol = static_cast<std::uint8_t>((state + rate) % 9);
                tessivar::GroupChoices chosen{};
                std::string expected = std::string(rates.members[rate].caption) + " bps";
                for (std::size_t b = 0; b < std::size(bits); ++b) {
                    const bool set = (state >> b) & 1;
                    chosen[Group(bits[b].group)] = set ? 1 : 0;
                    expected += "，";
                    expected += set ? bits[b].set : bits[b].clear;
                }
                chosen[Group("baud-rate")] = rate;
                chosen[Group("protocol")] = protocol;
                chosen[Group("channel")] = channel;
                const std::string expectedProto = "通信协议" + std::to_string(protocol) + "，" +
                                                  std::string(protocols.members[protocol].caption);
                const tessivar::SwitchWrites writes =
                    tessivar::CalculateSwitches(tessivar::SelectionOf(chosen), settingBit);
                const tessivar::SwitchReadings readings =
                    tessivar::DecodeWrites({writes.begin(), writes.size()});
                const auto& word = readings[2 * channel];
                const auto& proto = readings[2 * channel + 1];
                ASSERT_TRUE(word && proto);
                const std::string read = Words(*word, kZh);
                const std::string readProto = Words(*proto, kZh);
                if (read == expected && readProto == expectedProto && EnglishLeft(read).empty() &&
                    EnglishLeft(readProto).empty()) {
                    continue;
                }
                ADD_FAILURE() << "expected \"" << expected << "\" and \"" << expectedProto
                              << "\", read \"" << read << "\" and \"" << readProto << "\"";
                if (++failures == 10) return;
            }
        }
    }
}

TEST(ChineseWords, StationInDecimal) {
    for (unsigned station = 0; station <= tessivar::kMaxStation; ++station) {
        char text[8];
        std::snprintf(text, sizeof text, "%X", station);
        const SwitchReading r = tessivar::DecodeSwitch(text, 5);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(Words(r, kZh), "站号为十进制" + std::to_string(station));
    }
}

// Every note on every switch it is given for: in Chinese, naming its switch
// or both of the pair, with its own words, no English word, and not the
// English text.
TEST(ChineseWords, EveryNote) {
    using enum SwitchNote;
    struct Case {
        SwitchNote note;
        int number;
        const char* start;
        std::vector<const char*> parts;
    };
    const Case cases[] = {
        {kLinkedOnCH1, 1, "开关1：", {"联动动作", "独立动作", "CH2", "（开关3）"}},
        {kEvenWithoutParity, 1, "开关1：", {"奇偶校验位为无", "偶数", "无效"}},
        {kEvenWithoutParity, 3, "开关3：", {"奇偶校验位为无", "偶数", "无效"}},
        {kTransmissionIgnored,
         2,
         "开关2：",
         {"GX Connection", "CH1", "编程工具", "开关1的传送设置"}},
        {kTransmissionIgnored,
         4,
         "开关4：",
         {"GX Connection", "CH2", "编程工具", "开关3的传送设置"}},
        {kFormat5SevenBits, 2, "开关1和开关2：", {"Format 5 (4C Binary)", "8位数据位", "最高位"}},
        {kFormat5SevenBits, 4, "开关3和开关4：", {"Format 5 (4C Binary)", "8位数据位", "最高位"}},
        {kSumCheckSevenBits,
         2,
         "开关1和开关2：",
         {"Bi-directional", "和校验代码为有", "8位数据位"}},
        {kSumCheckSevenBits,
         4,
         "开关3和开关4：",
         {"Bi-directional", "和校验代码为有", "8位数据位"}},
    };
    for (const Case& c : cases) {
        const std::string zh(tessivar::NoteText(c.note, c.number, kZh));
        EXPECT_TRUE(zh.starts_with(c.start)) << zh;
        for (const char* part : c.parts) EXPECT_NE(zh.find(part), std::string::npos) << zh;
        EXPECT_EQ(EnglishLeft(zh), "") << zh;
        EXPECT_NE(zh, tessivar::NoteText(c.note, c.number, Language::kEnglish));
    }
}

// Every error in Chinese: the switch, what was typed, what is accepted, and
// no English word outside the quotes.
TEST(ChineseWords, EveryError) {
    struct Case {
        const char* text;
        int number;
        DecodeError error;
        const char* expected;
    };
    const Case cases[] = {
        {"0B62", 6, DecodeError::kNoSuchSwitch, "开关6：没有此开关；请给出1至5"},
        {"0xG", 1, DecodeError::kNotANumber,
         "开关1：\"0xG\"不是开关值；请给出1至4位十六进制数字（0至FFFF），可在前面加0x或在后面加H"},
        {"1062", 3, DecodeError::kRateCode,
         "开关3：\"1062\"的传送速度代码为10，不是00至0C（300至230400 bps）或0F（50 bps）之一"},
        {"9", 4, DecodeError::kProtocol, "开关4：\"9\"不是通信协议编号；请给出0至8"},
        {"20", 5, DecodeError::kStation,
         "开关5：\"20\"为十进制32，超过了最大站号；请给出十六进制0至1F（站号0至31）"},
    };
    for (const Case& c : cases) {
        const SwitchReading r = tessivar::DecodeSwitch(c.text, c.number);
        ASSERT_EQ(r.error, c.error) << c.text;
        char message[tessivar::kMaxErrorMessage];
        tessivar::DescribeError(r, message, sizeof message, kZh);
        EXPECT_STREQ(message, c.expected);
        EXPECT_EQ(EnglishLeft(message), "") << message;
    }
    char message[tessivar::kMaxErrorMessage];
    tessivar::DescribeStationError("32", message, sizeof message, kZh);
    EXPECT_STREQ(message, "\"32\"：不是站号；请给出十进制0至31");
    // The longest: 24 characters of four bytes typed, shown whole.
    std::string typed;
    for (int i = 0; i < 30; ++i) typed += "\xF0\x9D\x84\x9E";
    const SwitchReading r = tessivar::DecodeSwitch(typed, 1);
    const std::size_t length = tessivar::DescribeError(r, message, sizeof message, kZh);
    EXPECT_LT(length + 1, sizeof message);
    EXPECT_TRUE(std::string(message).ends_with("在后面加H")) << message;
}

}  // namespace
}  // namespace encoder_test
