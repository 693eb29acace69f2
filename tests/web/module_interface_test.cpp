// The module's C interface, compiled natively from the same source and
// called as the page calls it: input in the module's buffer, answers as
// lines of tab-separated fields. The browser suite runs the WebAssembly
// build of it; this checks the answers' format and every refusal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern "C" {
unsigned char* TessivarInput();
std::uint32_t TessivarInputSize();
const char* TessivarOutput();
std::int32_t TessivarDescribe();
std::int32_t TessivarSetLanguage(std::uint32_t index);
std::int32_t TessivarPageWords();
std::int32_t TessivarCalculateAll(const unsigned char* members, std::uint32_t count,
                                  const char* station, std::uint32_t stationLength);
std::int32_t TessivarDecode(const char* texts, std::uint32_t size, const unsigned char* lengths,
                            std::uint32_t count);
}

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;

std::string Answer(std::int32_t length) {
    return length < 0 ? "refused" : std::string(TessivarOutput(), static_cast<std::size_t>(length));
}

// The window's initial selection, and one away from it in every group: 7
// data bits, parity on, even, 2 stop bits, sum check on, write during RUN
// disabled, setting change enabled, linked; 9600 bps, Bi-directional.
const std::vector<unsigned char> kInitial = {0, 1, 0, 0, 0, 1, 1, 0, 12, 5, 0};
const std::vector<unsigned char> kOther = {1, 0, 1, 1, 1, 1, 0, 1, 6, 7, 1};

std::string CalculateAll(std::vector<unsigned char> members, const char* station,
                         std::uint32_t count = 0) {
    unsigned char* input = TessivarInput();
    std::memcpy(input, members.data(), members.size());
    char* text = reinterpret_cast<char*>(input) + 512;
    std::uint32_t length = kNone;
    if (station != nullptr) {
        length = static_cast<std::uint32_t>(std::strlen(station));
        std::memcpy(text, station, length);
    }
    return Answer(TessivarCalculateAll(
        input, count != 0 ? count : static_cast<std::uint32_t>(members.size()), text, length));
}

std::vector<unsigned char> Both(const std::vector<unsigned char>& ch1,
                                const std::vector<unsigned char>& ch2) {
    std::vector<unsigned char> both = ch1;
    both.insert(both.end(), ch2.begin(), ch2.end());
    return both;
}

TEST(ModuleInterface, CalculateAllWritesBothChannelsTheStationAndTheNotes) {
    EXPECT_EQ(CalculateAll(Both(kInitial, kOther), "18"),
              "1\tw\t0B62\n"
              "1\tr\tCH1\t0B62\t115200 bps, 8 data bits, parity off, odd, 1 stop bit, sum check "
              "on, write during RUN enabled, setting change disabled, independent operation\n"
              "2\tw\t5\n"
              "2\tr\tCH1\t0005\tprotocol 5, Format 5 (4C Binary)\n"
              "3\tw\t05BD\n"
              "3\tr\tCH2\t05BD\t9600 bps, 7 data bits, parity on, even, 2 stop bits, sum check "
              "on, write during RUN disabled, setting change enabled, linked operation\n"
              "4\tw\t7\n"
              "4\tr\tCH2\t0007\tprotocol 7, Bi-directional\n"
              "4\tn\tSwitch 3 and 4: Bi-directional with the sum check on needs 8 data bits; "
              "with 7 data bits the module drops the top bit of every byte\n"
              "5\tw\t0012\n"
              "5\tr\t\t0012\tstation 18 in decimal\n");
    // The channel entries say nothing: each half is its own channel. No
    // station, or blanks, give no Switch 5.
    std::vector<unsigned char> ch1 = kOther;
    ch1[10] = 2;
    std::vector<unsigned char> ch2 = kInitial;
    ch2[10] = 0;
    const std::string swapped = CalculateAll(Both(ch1, ch2), nullptr);
    EXPECT_EQ(swapped.find("1\tw\t05BD\n"), 0u) << swapped;
    EXPECT_NE(swapped.find("\n1\tn\tSwitch 1: linked operation"), std::string::npos) << swapped;
    EXPECT_NE(swapped.find("\n3\tw\t0B62\n"), std::string::npos) << swapped;
    EXPECT_EQ(swapped.find("\n5\t"), std::string::npos) << swapped;
    EXPECT_EQ(CalculateAll(Both(ch1, ch2), " \t"), swapped);
    EXPECT_NE(CalculateAll(Both(kInitial, kInitial), " 0 ").find("\n5\tw\t0000\n"),
              std::string::npos);
}

TEST(ModuleInterface, CalculateAllSaysWhyAStationIsRefusedAndWritesTheRest) {
    for (const char* station : {"32", "1F", "-1", "18 bis", "\xEF\xBC\x91"}) {
        const std::string answer = CalculateAll(Both(kInitial, kInitial), station);
        SCOPED_TRACE(answer);
        EXPECT_EQ(answer.find("5\tw"), std::string::npos);
        EXPECT_NE(answer.find("4\tw\t5\n"), std::string::npos);
        const std::string error = "\n5\te\t\"" + std::string(station) +
                                  "\": not a station number; give 0 to 31 in decimal\n";
        EXPECT_EQ(answer.size() - answer.rfind(error), error.size());
    }
}

TEST(ModuleInterface, CalculateAllRefusesWhatIsNotTwoSelectionsInTheBuffer) {
    const std::vector<unsigned char> both = Both(kInitial, kInitial);
    EXPECT_EQ(CalculateAll(both, "1", 21), "refused");
    EXPECT_EQ(CalculateAll(both, "1", 23), "refused");
    EXPECT_EQ(CalculateAll(kInitial, "1"), "refused");
    std::vector<unsigned char> ch2 = kInitial;
    for (std::size_t g = 0; g < ch2.size(); ++g) {
        const unsigned char pastTheLast[] = {2, 2, 2, 2, 2, 2, 2, 2, 14, 9, 3};
        ch2 = kInitial;
        ch2[g] = pastTheLast[g];
        EXPECT_EQ(CalculateAll(Both(kInitial, ch2), "1"), "refused") << "group " << g;
        EXPECT_EQ(CalculateAll(Both(ch2, kInitial), "1"), "refused") << "group " << g;
    }
    unsigned char* input = TessivarInput();
    const std::uint32_t size = TessivarInputSize();
    std::memcpy(input + size - 22, both.data(), 22);
    EXPECT_NE(Answer(TessivarCalculateAll(input + size - 22, 22, nullptr, kNone)), "refused");
    EXPECT_EQ(Answer(TessivarCalculateAll(input + size - 21, 22, nullptr, kNone)), "refused");
    std::memcpy(input, both.data(), 22);
    const char* station = reinterpret_cast<const char*>(input) + size - 1;
    EXPECT_NE(Answer(TessivarCalculateAll(input, 22, station, 1)), "refused");
    EXPECT_EQ(Answer(TessivarCalculateAll(input, 22, station, 2)), "refused");
    EXPECT_EQ(Answer(TessivarCalculateAll(input, 22, station - size, 1)), "refused");
}

// Texts at input + 64, their lengths at input.
std::string Decode(const std::vector<const char*>& texts, std::uint32_t count) {
    unsigned char* input = TessivarInput();
    char* at = reinterpret_cast<char*>(input) + 64;
    std::uint32_t size = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::uint32_t length = kNone;
        if (texts[i] != nullptr) {
            length = static_cast<std::uint32_t>(std::strlen(texts[i]));
            std::memcpy(at + size, texts[i], length);
            size += length;
        }
        for (int b = 0; b < 4; ++b) input[4 * i + b] = static_cast<unsigned char>(length >> 8 * b);
    }
    return Answer(TessivarDecode(at, size, input, count));
}

TEST(ModuleInterface, DecodeTakesFourOrFiveValues) {
    EXPECT_EQ(Decode({nullptr, "7", nullptr, nullptr, "12"}, 5),
              "2\tr\tCH1\t0007\tprotocol 7, Bi-directional\n"
              "5\tr\t\t0012\tstation 18 in decimal\n");
    EXPECT_EQ(Decode({"0B60", "5", nullptr, nullptr, "20"}, 5),
              "1\tr\tCH1\t0B60\t115200 bps, 7 data bits, parity off, odd, 1 stop bit, sum check "
              "on, write during RUN enabled, setting change disabled, independent operation\n"
              "2\tr\tCH1\t0005\tprotocol 5, Format 5 (4C Binary)\n"
              "2\tn\tSwitch 1 and 2: Format 5 (4C Binary) needs 8 data bits; with 7 data bits "
              "the module drops the top bit of every byte\n"
              "5\te\tSwitch 5: \"20\" is 32 in decimal, past the last station number; give 0 "
              "to 1F in hexadecimal (station 0 to 31)\n");
    EXPECT_EQ(Decode({nullptr, "7", nullptr, nullptr}, 4),
              "2\tr\tCH1\t0007\tprotocol 7, Bi-directional\n");
    EXPECT_EQ(Decode({nullptr, "7", nullptr, nullptr, nullptr, nullptr}, 6), "refused");
    EXPECT_EQ(Decode({nullptr, "7", nullptr}, 3), "refused");
}

TEST(ModuleInterface, DescribeEndsWithTheStation) {
    const std::string answer = Answer(TessivarDescribe());
    EXPECT_EQ(answer.substr(answer.rfind('\n', answer.size() - 2) + 1), "s\tstation\t31\n");
}

// The page's words as key and text.
std::map<std::string, std::string> PageWords() {
    std::map<std::string, std::string> words;
    std::istringstream lines(Answer(TessivarPageWords()));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t tab = line.find('\t');
        EXPECT_NE(tab, std::string::npos) << line;
        words[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return words;
}

bool HasLatinWord(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (std::isalpha(static_cast<unsigned char>(text[i])) &&
            std::isalpha(static_cast<unsigned char>(text[i + 1]))) {
            return true;
        }
    }
    return false;
}

// The language the page asks for: every answer's words after it in that
// language, the page's own words for the same keys in both, English again
// when asked, and an index that is no language refused.
TEST(ModuleInterface, AnswersInTheLanguageSet) {
    const std::map<std::string, std::string> english = PageWords();
    ASSERT_EQ(TessivarSetLanguage(1), 0);
    const std::map<std::string, std::string> chinese = PageWords();
    ASSERT_EQ(chinese.size(), english.size());
    for (const auto& [key, text] : english) {
        ASSERT_TRUE(chinese.contains(key)) << key;
        EXPECT_NE(chinese.at(key), text) << key;
        EXPECT_EQ(std::count(text.begin(), text.end(), '%'),
                  std::count(chinese.at(key).begin(), chinese.at(key).end(), '%'))
            << key;
    }
    EXPECT_EQ(chinese.at("switch"), "开关%");
    EXPECT_EQ(Decode({"0B60", "5", nullptr, nullptr, "20"}, 5),
              "1\tr\tCH1\t0B60\t115200 bps，数据位7，奇偶校验位无，奇数，停止位1，和校验代码有，"
              "RUN中写入允许，设置更改禁止，独立动作\n"
              "2\tr\tCH1\t0005\t通信协议5，Format 5 (4C Binary)\n"
              "2\tn\t开关1和开关2：Format 5 (4C Binary)需要8位数据位；数据位为7时，模块会丢弃每个"
              "字节的最高位\n"
              "5\te\t开关5：\"20\"为十进制32，超过了最大站号；请给出十六进制0至1F（站号0至31）\n");
    EXPECT_NE(CalculateAll(Both(kInitial, kInitial), "32")
                  .find("5\te\t\"32\"：不是站号；请给出十进制0至31\n"),
              std::string::npos);
    // Every caption and label in Chinese but the module's own names; the
    // languages offered, each in its own words.
    std::istringstream lines(Answer(TessivarDescribe()));
    int groups = 0;
    std::string group;
    std::vector<std::string> languages;
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
        if (fields[0] == "v") {
            EXPECT_TRUE(fields[1].starts_with("版本")) << line;
        } else if (fields[0] == "l") {
            languages.push_back(fields[1] + " " + fields[2] + " " + fields[3]);
        } else if (fields[0] == "g") {
            ++groups;
            group = fields[1];
            // RUN (RUN中写入) is the module's own.
            std::string caption = fields[2];
            if (const auto run = caption.find("RUN"); run != std::string::npos)
                caption.erase(run, 3);
            EXPECT_FALSE(HasLatinWord(caption)) << line;
        } else if (fields[0] == "m") {
            // The protocols, CH1 and CH2 (CH1和CH2相同设置 holds them), and numbers
            // are the module's own.
            const bool own = group == "protocol" || fields[2].starts_with("CH") ||
                             std::isdigit(static_cast<unsigned char>(fields[2][0]));
            EXPECT_TRUE(own || !HasLatinWord(fields[2])) << line;
        }
    }
    EXPECT_EQ(groups, 11);
    EXPECT_EQ(languages, (std::vector<std::string>{"en en English", "zh zh-CN 中文"}));
    EXPECT_EQ(TessivarSetLanguage(2), -1);
    EXPECT_EQ(PageWords().at("switch"), "开关%");
    ASSERT_EQ(TessivarSetLanguage(0), 0);
    EXPECT_EQ(PageWords(), english);
    EXPECT_TRUE(Answer(TessivarDescribe()).starts_with("v\tVersion "));
}

}  // namespace
