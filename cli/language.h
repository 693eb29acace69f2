// The language of tessivar-cli's text output and help: the one that --lang
// names, else the user's. The JSON of --json is the same in every language.
#pragma once

#include <string_view>

#include "words.h"

namespace tessivar::cli {

// The language every output is written in; English until it is set, once,
// at the start.
Language OutputLanguage();
void SetOutputLanguage(Language language);

// The user's language where --lang does not say. On Windows the user's
// display language (GetUserDefaultUILanguage): Chinese for any Chinese one.
// Elsewhere the locale as GNU programs read it for their messages: the
// first of LC_ALL, LC_MESSAGES and LANG that is set and not empty; Chinese
// when it begins with "zh" ("zh_CN.UTF-8"), English for anything else,
// "C" and "POSIX" included.
Language UserLanguage();
// The same rule for the value of the first variable set (nullptr if none).
Language LanguageOfLocale(const char* locale);

// "--lang VALUE", wherever it stands among the arguments, taken out of them
// (argc and argv then hold the others, in their order); the last one counts.
struct LanguageOption {
    enum class Result { kAbsent, kChosen, kNoValue, kUnknownValue };
    Result result = Result::kAbsent;
    Language language = Language::kEnglish;  // kChosen
    std::string_view value;                  // kUnknownValue: as given
};
inline constexpr std::string_view kLanguageOption = "--lang";
LanguageOption TakeLanguageOption(int& argc, char** argv);

}  // namespace tessivar::cli
