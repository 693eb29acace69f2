#include "language.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tessivar::cli {

namespace {
Language g_language = Language::kEnglish;
}  // namespace

Language OutputLanguage() {
    return g_language;
}

void SetOutputLanguage(Language language) {
    g_language = language;
}

Language LanguageOfLocale(const char* locale) {
    return locale != nullptr && std::string_view(locale).starts_with("zh") ? Language::kChinese
                                                                           : Language::kEnglish;
}

Language UserLanguage() {
#ifdef _WIN32
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? Language::kChinese
                                                                     : Language::kEnglish;
#else
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return LanguageOfLocale(value);
    }
    return Language::kEnglish;
#endif
}

LanguageOption TakeLanguageOption(int& argc, char** argv) {
    LanguageOption option;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] != kLanguageOption) {
            argv[kept++] = argv[i];
            continue;
        }
        if (i + 1 == argc) {
            option.result = LanguageOption::Result::kNoValue;
            break;
        }
        const std::string_view value = argv[++i];
        const LanguageName* name = FindLanguage(value);
        if (name == nullptr) {
            option.result = LanguageOption::Result::kUnknownValue;
            option.value = value;
            break;
        }
        option.result = LanguageOption::Result::kChosen;
        option.language = name->language;
    }
    if (option.result == LanguageOption::Result::kChosen ||
        option.result == LanguageOption::Result::kAbsent) {
        argc = kept;
        argv[argc] = nullptr;
    }
    return option;
}

}  // namespace tessivar::cli
