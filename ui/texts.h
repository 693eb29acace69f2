// Every text the window shows that is not a control's caption in the layout
// table, and the maker's details that the contact block's captions and the
// shell request are made of. Wide where they are shown.
#pragma once

#include <array>
#include <cstddef>

#include "version.h"

namespace tessivar {

inline constexpr wchar_t kFormCaption[] = L"TESSIVAR";
// The caption of the message box: the application title of the version block.
inline constexpr wchar_t kApplicationTitle[] = L"" TESSIVAR_TITLE;
inline constexpr wchar_t kCalculateToolTip[] = L"Click the Company name to Enable the Command";
inline constexpr wchar_t kEnableMessage[] =
    L"Please Click the company information in the bottom of the windows to Enable the Command"
    L"\r\n"
    L"请点击本窗口下部的公司信息使本按钮生效!";
// For user32's wsprintfW: major, minor and revision in decimal.
inline constexpr wchar_t kVersionLabelFormat[] = L"Version %u.%u.%u";

// The maker (fictional), line by line as the contact block shows it.
inline constexpr wchar_t kMakerName[] = L"Kestrel Automation Co., Ltd. ";
inline constexpr wchar_t kMakerNameChinese[] = L"    红隼自动化有限公司";
inline constexpr wchar_t kMakerTelephone[] = L"Tel. 0755-5550123 5550124 Fax. 5550125";
inline constexpr wchar_t kMakerAddress[] = L"    深圳市南山区科园路88号 ZIP:518057";
// The maker's web page, in ASCII: handed to the shell as it stands, and shown
// at the start of the web line.
inline constexpr char kWebAddress[] = "http://www.kestrel.example/";

// An ASCII text followed by a wide one, joined into one wide text when the
// program is built.
template <std::size_t A, std::size_t B>
consteval std::array<wchar_t, A - 1 + B> Joined(const char (&ascii)[A], const wchar_t (&wide)[B]) {
    std::array<wchar_t, A - 1 + B> text{};
    for (std::size_t i = 0; i + 1 < A; ++i) text[i] = static_cast<wchar_t>(ascii[i]);
    for (std::size_t i = 0; i < B; ++i) text[A - 1 + i] = wide[i];
    return text;
}
inline constexpr auto kMakerWebLine = Joined(kWebAddress, L" info@kestrel.example");

}  // namespace tessivar
