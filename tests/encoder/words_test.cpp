// The checks that every table of words passes where it is compiled
// (words.h): each must tell a sound text from the faults a translator or a
// later edit makes, and the glossary (glossary.h) must pass its own.
#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "glossary.h"
#include "words.h"

namespace encoder_test {
namespace {

using tessivar::Words;
using tessivar::words_check::FollowsGlossary;
using tessivar::words_check::IsTranslated;
using tessivar::words_check::IsUtf8;
using tessivar::words_check::UsesTerm;
using tessivar::words_check::WidestLine;

TEST(Words, TranslatedTextsPassAndFaultsDoNot) {
    struct Case {
        Words words;
        bool translated;
        const char* what;
    };
    const Case cases[] = {
        {{"stop bits", "停止位"}, true, "a term"},
        {{"Usage:\n", "用法：\n"}, true, "one line ending in a line feed"},
        {{"two\n  lines", "两行\n  文字"}, true, "two lines"},
        {{"three\nshort\nlines", "两行\n文字"}, true, "fewer lines in Chinese"},
        {tessivar::SameInEveryLanguage("Format 5 (4C Binary)"), true, "a name of the module"},
        {{"stop bits", ""}, false, "the Chinese missing"},
        {{"", "停止位"}, false, "the English missing"},
        {{"stop bits", "stop bits"}, false, "the English copied"},
        {{"stop bits", "停止位\n"}, false, "a line feed added"},
        {{"stop bits\n", "停止位"}, false, "a line feed lost"},
        {{"one line", "两\n行"}, false, "one line made two"},
        {{"two\nlines", "一行"}, false, "two lines made one"},
        {{"stop bits", "停止\xE4\xBD"}, false, "a character cut short"},
        {{"停止位", "停止位"}, false, "Chinese in the English place"},
        {{"CH1", "CH1 ", true}, false, "a name written otherwise"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsTranslated(c.words), c.translated) << c.what;
    }
}

TEST(Words, Utf8IsCheckedByteForByte) {
    EXPECT_TRUE(IsUtf8("ASCII, 中文, é, \xF0\x9F\x99\x82"));
    for (const std::string_view bad : {"\x80", "\xC0\xAF", "\xC3", "\xE4\xB8", "\xED\xA0\x80",
                                       "\xF4\x90\x80\x80", "\xFF", "\xE0\x9F\xBF"}) {
        EXPECT_FALSE(IsUtf8(bad)) << testing::PrintToString(bad);
    }
}

TEST(Words, ColumnsCountChineseTwice) {
    EXPECT_EQ(WidestLine("abc"), 3u);
    EXPECT_EQ(WidestLine("用法：ab"), 8u);
    EXPECT_EQ(WidestLine("é"), 1u);
    EXPECT_EQ(WidestLine("ab\n用法用法\nc"), 8u);
    EXPECT_EQ(WidestLine("ab\ncd", 8), 10u);  // only the first line starts after the indent
    EXPECT_EQ(WidestLine("abcdefghij\nxy", 8), 18u);
    EXPECT_EQ(WidestLine("ａｂ"), 4u);  // full-width forms
}

TEST(Words, TermsAreFoundAsWords) {
    EXPECT_TRUE(UsesTerm("2 Stop Bits", "stop bit"));
    EXPECT_TRUE(UsesTerm("write during RUN enabled", "enable"));
    EXPECT_TRUE(UsesTerm("settings; more", "setting"));
    EXPECT_TRUE(UsesTerm("the switches", "switch"));
    EXPECT_TRUE(UsesTerm("(odd/even)", "even"));
    EXPECT_FALSE(UsesTerm("hexadecimal", "decimal"));
    EXPECT_FALSE(UsesTerm("optionally", "option"));
    EXPECT_FALSE(UsesTerm("evenly", "even"));
    EXPECT_TRUE(UsesTerm("baud rate", "rate"));
    EXPECT_FALSE(UsesTerm("separate", "rate"));
    EXPECT_FALSE(UsesTerm("stop", "stop bit"));
}

// A text that uses a term writes the glossary's Chinese for it; a name of
// the module's own is left alone.
TEST(Words, TextsFollowTheGlossary) {
    using tessivar::glossary::kGlossary;
    EXPECT_TRUE(
        FollowsGlossary({"2 stop bits, sum check on", "停止位2，和校验代码 有"}, kGlossary));
    EXPECT_TRUE(FollowsGlossary({"protocol 4", "通信协议4"}, kGlossary));
    EXPECT_FALSE(FollowsGlossary({"2 stop bits", "结束位2"}, kGlossary));
    EXPECT_FALSE(FollowsGlossary({"parity bit off", "校验位 无"}, kGlossary));
    EXPECT_FALSE(FollowsGlossary({"Switch 1: 19200 bps", "SW1：19200 bps"}, kGlossary));
    EXPECT_FALSE(FollowsGlossary({"write during RUN enabled", "RUN中写入 允許"}, kGlossary));
    EXPECT_TRUE(FollowsGlossary(tessivar::SameInEveryLanguage("Link Setting"), kGlossary));

    const std::array<Words, 3> table{{{"Switch 1", "开关1"}, {"stop bit", "结束位"}, {"a", "一"}}};
    EXPECT_EQ(tessivar::FirstUntranslated(table, kGlossary), 1u);
    EXPECT_EQ(tessivar::FirstUntranslated(std::span(table).first(1), kGlossary), 1u);
    const std::array<Words, 1> wide{{{"a", "很长的一行文字"}}};
    EXPECT_EQ(tessivar::FirstUntranslated(wide, kGlossary, 13), 0u);
    EXPECT_EQ(tessivar::FirstUntranslated(wide, kGlossary, 14), 1u);
}

// Every term translated and given once, the module's names alike in both.
TEST(Glossary, IsSound) {
    using namespace tessivar::glossary;
    EXPECT_TRUE(GlossaryIsSound());
    for (const Words& term : kGlossary) {
        EXPECT_TRUE(IsTranslated(term)) << term.en;
        EXPECT_FALSE(term.same) << term.en;
        EXPECT_EQ(term.en.find_first_of("\n"), std::string_view::npos) << term.en;
    }
    for (const Words& name : {kCH1, kCH2, kBps, kRun}) {
        EXPECT_TRUE(name.same && name.en == name.zh) << name.en;
    }
}

TEST(Languages, AreNamedOnce) {
    using tessivar::FindLanguage;
    using tessivar::Language;
    ASSERT_NE(FindLanguage("en"), nullptr);
    ASSERT_NE(FindLanguage("zh"), nullptr);
    EXPECT_EQ(FindLanguage("en")->language, Language::kEnglish);
    EXPECT_EQ(FindLanguage("zh")->language, Language::kChinese);
    EXPECT_EQ(FindLanguage("zh")->tag, "zh-CN");
    EXPECT_EQ(FindLanguage("zh")->name, "中文");
    for (const std::string_view other : {"", "EN", "zh-CN", "zh_CN", "fr", "english"}) {
        EXPECT_EQ(FindLanguage(other), nullptr) << other;
    }
    const Words words{"stop bit", "停止位"};
    EXPECT_EQ(words[Language::kEnglish], "stop bit");
    EXPECT_EQ(words[Language::kChinese], "停止位");
}

}  // namespace
}  // namespace encoder_test
