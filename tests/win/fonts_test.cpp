// Fonts of the controls. A font handle only means something in the process
// that made it, so this test builds frmMain in its own process (hidden) and
// asks each control for its font.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "expected_layout.h"
#include "frmMain.h"
#include "harness.h"

namespace harness {
namespace {

constexpr int kDpi = 96;

struct ExpectedFont {
    const wchar_t* face;
    int height;  // LOGFONT height at 96 DPI: -(points * 96 / 72)
    int weight;
    BYTE charset;
};

// 9 pt = 12 px, 10.5 pt = 14 px, 14.25 pt = 19 px at 96 DPI.
constexpr ExpectedFont kArial9{L"Arial", -12, FW_BOLD, ANSI_CHARSET};
constexpr ExpectedFont kArial105{L"Arial", -14, FW_BOLD, ANSI_CHARSET};
constexpr ExpectedFont kYouYuan{L"\u5E7C\u5706", -14, FW_BOLD, GB2312_CHARSET};
constexpr ExpectedFont kSimSun{L"\u5B8B\u4F53", -14, FW_NORMAL, GB2312_CHARSET};

bool SameName(const std::wstring& a, const wchar_t* b) {
    return a == b;
}

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool Installed(const wchar_t* face) {
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

// The font each control carries; the heading is checked on its own.
const ExpectedFont* FontOf(const ExpectedControl& c) {
    const std::wstring name = c.name;
    if (name == L"Label1" || name == L"Frame1" || name == L"Frame4") return nullptr;
    if (name == L"optBaudRate" || name == L"cmdCalculate" || name == L"cmdExit") return &kArial105;
    if (name == L"Label3") {
        if (c.index == 1) return &kYouYuan;
        if (c.index == 4) return &kSimSun;
        return &kArial105;
    }
    return &kArial9;
}

LOGFONTW FontOfControl(HWND control) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (handle != nullptr) GetObjectW(handle, sizeof font, &font);
    return font;
}

class InProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        ASSERT_EQ(dpi, kDpi) << "these sizes are for a 96 DPI screen";
        ASSERT_TRUE(form_.Load());
        ASSERT_NE(form_.hwnd(), nullptr);
    }

    HWND C(int position) const { return GetDlgItem(form_.hwnd(), 100 + position); }

    // The size a caption needs in the control's own font.
    SIZE TextSize(HWND control) const {
        const std::wstring text = Text(control);
        HDC dc = GetDC(control);
        HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, previous);
        ReleaseDC(control, dc);
        return size;
    }

    tessivar::frmMain form_{GetModuleHandleW(nullptr)};
};

TEST_F(InProcessTest, EveryCaptionHasItsFaceSizeWeightAndCharacterSet) {
    for (const auto& c : kExpectedControls) {
        const ExpectedFont* expected = FontOf(c);
        if (expected == nullptr) continue;
        SCOPED_TRACE(Narrow(c.name) + "(" + std::to_string(c.index) + ")");
        const LOGFONTW font = FontOfControl(C(c.position));
        EXPECT_TRUE(SameName(font.lfFaceName, expected->face)) << Narrow(font.lfFaceName);
        EXPECT_EQ(font.lfHeight, expected->height);
        EXPECT_EQ(font.lfWeight, expected->weight);
        EXPECT_EQ(font.lfCharSet, expected->charset);
        EXPECT_FALSE(font.lfItalic);
        EXPECT_FALSE(font.lfUnderline) << "the contact block has no underline";
    }
}

TEST_F(InProcessTest, HeadingIsBoldWithReadableGlyphs) {
    HWND heading = C(kLabel1Pos);
    const LOGFONTW font = FontOfControl(heading);
    EXPECT_EQ(font.lfHeight, -19);
    EXPECT_GE(font.lfWeight, FW_BOLD);
    if (Installed(L"TechnicBold")) {
        EXPECT_TRUE(SameName(font.lfFaceName, L"TechnicBold")) << Narrow(font.lfFaceName);
        EXPECT_EQ(font.lfCharSet, SYMBOL_CHARSET);
    } else {
        // A stand-in face that exists, with ANSI glyphs: a symbol character
        // set without its font would draw the heading as symbols.
        EXPECT_TRUE(Installed(font.lfFaceName)) << Narrow(font.lfFaceName);
        EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
        HDC dc = GetDC(heading);
        HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(heading, WM_GETFONT, 0, 0)));
        EXPECT_EQ(GetTextCharset(dc), ANSI_CHARSET);
        const std::wstring text = Text(heading);
        std::vector<WORD> glyphs(text.size());
        GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
        for (std::size_t i = 0; i < text.size(); ++i) {
            EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for '" << static_cast<char>(text[i]) << "'";
        }
        SelectObject(dc, previous);
        ReleaseDC(heading, dc);
    }
}

TEST_F(InProcessTest, ChineseLinesHaveGlyphsForEveryCharacter) {
    for (int index : {1, 4}) {
        SCOPED_TRACE("Label3(" + std::to_string(index) + ")");
        HWND line = C(Label3Pos(index));
        const std::wstring text = Text(line);
        HDC dc = GetDC(line);
        HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(line, WM_GETFONT, 0, 0)));
        std::vector<WORD> glyphs(text.size());
        GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS);
        int chinese = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] < 0x4E00 || text[i] > 0x9FFF) continue;
            ++chinese;
            EXPECT_NE(glyphs[i], 0xFFFF) << "no glyph for U+" << std::hex << int{text[i]};
        }
        EXPECT_GT(chinese, 0);
        SelectObject(dc, previous);
        ReleaseDC(line, dc);
    }
}

TEST_F(InProcessTest, LabelsSizedToTheirTextFitIt) {
    for (int position : {kLabel1Pos, Label2Pos(0), Label2Pos(1)}) {
        HWND label = C(position);
        SCOPED_TRACE(Narrow(Text(label)));
        RECT client{};
        GetClientRect(label, &client);
        const SIZE needed = TextSize(label);
        EXPECT_NEAR(client.right, needed.cx, 2);
        EXPECT_NEAR(client.bottom, needed.cy, 2);
    }
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    SIZE size{};
    if (!GetIconInfo(icon, &info)) return size;
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    size.cx = mask.bmWidth;
    // Without a colour bitmap the mask holds both halves.
    size.cy = info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2;
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

TEST_F(InProcessTest, WindowCarriesTheProgramsIconInBothSizes) {
    auto big = reinterpret_cast<HICON>(SendMessageW(form_.hwnd(), WM_GETICON, ICON_BIG, 0));
    auto small = reinterpret_cast<HICON>(SendMessageW(form_.hwnd(), WM_GETICON, ICON_SMALL, 0));
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    const SIZE bigSize = IconSize(big);
    const SIZE smallSize = IconSize(small);
    EXPECT_EQ(bigSize.cx, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(bigSize.cy, GetSystemMetrics(SM_CYICON));
    EXPECT_EQ(smallSize.cx, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(smallSize.cy, GetSystemMetrics(SM_CYSMICON));
}

TEST_F(InProcessTest, VersionLabelIsSetOnLoad) {
    EXPECT_EQ(Text(C(kVersionPos)), L"Version 1.0.4");
}

}  // namespace
}  // namespace harness
