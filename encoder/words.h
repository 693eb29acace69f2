// The words that the console program and the web page show, in English and
// Simplified Chinese side by side: each text is a Words, written beside the
// English it translates, in the table that holds it. A table is checked when
// it is compiled (AllTranslated): a text missing in either language, an
// English text copied into the Chinese place, or a term of the glossary
// written otherwise than the glossary writes it (glossary.h) stops the build.
// Standard library only, all constexpr; nothing allocates.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tessivar {

enum class Language : std::uint8_t { kEnglish, kChinese };

inline constexpr std::array<Language, 2> kLanguages{Language::kEnglish, Language::kChinese};

// How each language is named: `code` in the console program's --lang and the
// page's address, `tag` in <html lang>, `name` in its own language, as a
// control offering it says.
struct LanguageName {
    Language language;
    std::string_view code;
    std::string_view tag;
    std::string_view name;
};
inline constexpr std::array<LanguageName, 2> kLanguageNames{{
    {Language::kEnglish, "en", "en", "English"},
    {Language::kChinese, "zh", "zh-CN", "中文"},
}};

constexpr const LanguageName& NameOf(Language language) {
    return kLanguageNames[static_cast<std::size_t>(language)];
}
// The language whose code is `code`, or nullptr.
constexpr const LanguageName* FindLanguage(std::string_view code) {
    for (const LanguageName& name : kLanguageNames) {
        if (name.code == code) return &name;
    }
    return nullptr;
}
static_assert(NameOf(Language::kEnglish).language == Language::kEnglish &&
              NameOf(Language::kChinese).language == Language::kChinese);

// One text in every language. `same` marks a name that is the module's own
// ("CH1", "Format 5 (4C Binary)", "bps"), written alike in both.
struct Words {
    std::string_view en;
    std::string_view zh;
    bool same = false;

    constexpr std::string_view operator[](Language language) const {
        return language == Language::kChinese ? zh : en;
    }
};

// A name that no language translates.
constexpr Words SameInEveryLanguage(std::string_view name) {
    return {name, name, true};
}

namespace words_check {

// Whether text is well-formed UTF-8 (no overlong forms, no surrogates, at
// most U+10FFFF).
constexpr bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07u;
        } else {
            return false;
        }
        if (text.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) ||
            (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
            return false;
        }
        i += length;
    }
    return true;
}

constexpr bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// The columns that the longest line of text takes in a terminal: the wide
// characters of East Asian scripts (CJK ideographs, kana, Hangul, the
// full-width forms and CJK punctuation) two, every other character one.
// The first line starts after `indent` columns written before it.
constexpr std::size_t WidestLine(std::string_view text, std::size_t indent = 0) {
    std::size_t widest = indent;
    std::size_t columns = indent;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (length > text.size() - i) length = text.size() - i;
        char32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
        for (std::size_t k = 1; k < length; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        }
        i += length;
        if (code == U'\n') {
            columns = 0;
            continue;
        }
        const bool wide =
            (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
            (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
            (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
            (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x20000 && code <= 0x3FFFD);
        columns += wide ? 2 : 1;
        if (columns > widest) widest = columns;
    }
    return widest;
}

constexpr std::size_t LineFeeds(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += c == '\n' ? 1 : 0;
    return count;
}

constexpr std::size_t Count(std::string_view text, char c) {
    std::size_t count = 0;
    for (const char k : text) count += k == c ? 1 : 0;
    return count;
}

// Whether both languages are there: the English in ASCII, the Chinese in
// UTF-8 with at least one character beyond ASCII (so not the English
// copied), both ending in a line feed or neither, a text of one line one
// line in both, and as many places '%' for what a message fills in (a
// number, a value) in both; or, for a name of the module's own, one name in
// both.
constexpr bool IsTranslated(const Words& words) {
    if (words.en.empty() || !IsAscii(words.en)) return false;
    if (words.same) return words.zh == words.en;
    const bool ends = words.en.ends_with('\n');
    return !words.zh.empty() && IsUtf8(words.zh) && !IsAscii(words.zh) &&
           words.zh.ends_with('\n') == ends && Count(words.en, '%') == Count(words.zh, '%') &&
           (LineFeeds(words.zh) > (ends ? 1 : 0)) == (LineFeeds(words.en) > (ends ? 1 : 0));
}

constexpr char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr bool IsLetter(char c) {
    return (Lower(c) >= 'a' && Lower(c) <= 'z');
}

// Whether English text uses the term: it holds the term, in any case, as a
// word of its own or with a plural or past ending ("settings", "enabled";
// not "decimal" in "hexadecimal", nor "option" in "optionally").
constexpr bool UsesTerm(std::string_view text, std::string_view term) {
    if (term.empty() || term.size() > text.size()) return false;
    for (std::size_t at = 0; at + term.size() <= text.size(); ++at) {
        if (at > 0 && IsLetter(text[at - 1])) continue;
        bool match = true;
        for (std::size_t k = 0; match && k < term.size(); ++k) {
            match = Lower(text[at + k]) == Lower(term[k]);
        }
        if (!match) continue;
        std::size_t end = at + term.size();
        std::size_t letters = 0;
        while (end + letters < text.size() && IsLetter(text[end + letters])) ++letters;
        const std::string_view ending = text.substr(end, letters);
        for (const std::string_view allowed : {"", "s", "es", "d", "ed"}) {
            if (ending.size() == allowed.size()) {
                bool same = true;
                for (std::size_t k = 0; same && k < ending.size(); ++k) {
                    same = Lower(ending[k]) == allowed[k];
                }
                if (same) return true;
            }
        }
    }
    return false;
}

// Whether the Chinese of words writes every term of the glossary that its
// English uses as the glossary writes it.
constexpr bool FollowsGlossary(const Words& words, std::span<const Words> glossary) {
    if (words.same) return true;
    for (const Words& term : glossary) {
        if (term.same) continue;
        if (UsesTerm(words.en, term.en) && words.zh.find(term.zh) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace words_check

// The index of the first text of the table that is not translated, or
// breaks the glossary, or has a line wider than `columns` in either
// language; table.size() when there is none.
constexpr std::size_t FirstUntranslated(std::span<const Words> table,
                                        std::span<const Words> glossary, std::size_t columns = 80) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Words& words = table[i];
        if (!words_check::IsTranslated(words) || !words_check::FollowsGlossary(words, glossary) ||
            words_check::WidestLine(words.en) > columns ||
            words_check::WidestLine(words.zh) > columns) {
            return i;
        }
    }
    return table.size();
}

}  // namespace tessivar
