// The web page's own words, in both languages: its title, headings, labels,
// buttons, the announcements of its copy buttons and its printed sheet. The
// page's markup holds none of them (but the two messages shown where the
// module cannot run, which are in both languages there); the module hands
// the page those of the language it asks for (tessivar_page_words), and the
// option groups' and the readings' words come from their own tables. Each
// '%' is where the page puts a number, a name or a value.
// Checked when this is compiled, with the translation and the glossary's
// terms (words.h): a text missing in one language stops the build.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "glossary.h"
#include "words.h"

namespace tessivar::page {

struct PageText {
    std::string_view key;  // the page's name for it: data-words="key" in the markup
    Words words;
};

inline constexpr std::array<PageText, 27> kPageTexts{{
    {"title", {"Tessivar: QJ71C24 switch settings", "Tessivar：QJ71C24开关设置"}},
    {"titled", {"%: Tessivar", "%：Tessivar"}},
    {"intro",
     {"The switch settings of a MELSEC-Q QJ71C24 serial communication module. Choose the "
      "options of each channel and the station number to get the values of Switch 1 to "
      "Switch 5, or type values to read them back. Everything happens on this page; nothing "
      "is sent anywhere.",
      "MELSEC-Q QJ71C24串行通信模块的开关设置。选择各通道的选项和站号，即可得到开关1至开关5"
      "的值；也可输入值，将其读回为设置。所有计算都在本页面中进行，不会发送任何数据。"}},
    {"language", {"Language", "语言"}},
    {"calculate", {"Calculate", "计算"}},
    {"module-title", {"Module (title of the printed sheet)", "模块（打印记录表的标题）"}},
    {"module-example", {"e.g. Slot 3, QJ71C24N, CH1 to HMI", "例如：插槽3，QJ71C24N，CH1连接HMI"}},
    {"station", {"Station number", "站号"}},
    {"station-hint", {"0 to 31. If 1:1 network, set as 0", "0至31。1:1网络时设为0"}},
    {"switch", {"Switch %", "开关%"}},
    {"copy", {"Copy", "复制"}},
    {"copy-switch", {"Copy Switch %", "复制开关%"}},
    {"copied", {"% % copied", "已复制%：%"}},
    {"not-copied",
     {"% % was not copied: this browser lets the page copy nothing here; select the value and "
      "copy it yourself",
      "%：%未能复制：此浏览器不允许本页面在此复制；请自行选中该值并复制"}},
    {"read", {"Read values", "读取值"}},
    {"read-intro",
     {"Type a value in each box, in hexadecimal (Switch 5 too: 12 is station 18), or paste a "
      "column of values into the first.",
      "在各输入框中输入十六进制值（开关5也是如此：12即站号18），或将一列值粘贴到第一个输入框"
      "中。"}},
    {"reading", {"% %: %", "% %：%"}},
    {"named", {"%: %", "%：%"}},
    {"and", {", ", "，"}},
    {"then", {". ", "。"}},
    {"sheet", {"Commissioning sheet", "调试记录表"}},
    {"sheet-switches", {"Switch settings", "开关设置"}},
    {"sheet-switch", {"Switch", "开关"}},
    {"sheet-value", {"Value", "值"}},
    {"sheet-setting", {"Setting", "设置"}},
    {"printed", {"Printed %, Tessivar %", "打印日期：%，Tessivar %"}},
    {"version", {"Version %", "版本%"}},
}};

// The text whose key is `key`, or nullptr.
constexpr const Words* FindPageText(std::string_view key) {
    for (const PageText& text : kPageTexts) {
        if (text.key == key) return &text.words;
    }
    return nullptr;
}

constexpr bool PageTextsAreTranslated() {
    for (std::size_t i = 0; i < kPageTexts.size(); ++i) {
        if (FirstUntranslated({&kPageTexts[i].words, 1}, glossary::kGlossary, 400) != 1) {
            return false;
        }
        for (std::size_t k = 0; k < i; ++k) {
            if (kPageTexts[k].key == kPageTexts[i].key) return false;
        }
    }
    return true;
}
static_assert(FindPageText("version") != nullptr &&
                  words_check::Count(FindPageText("version")->en, '%') == 1,
              "the version's text holds its number");
static_assert(PageTextsAreTranslated(),
              "a text of the page is untranslated, breaks the glossary or has a key twice");

}  // namespace tessivar::page
