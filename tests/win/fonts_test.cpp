// Fonts of the controls. A font handle only means something in the process
// that made it, so this test builds frmMain in its own process (hidden) and
// asks each control for its font.
#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "expected_layout.h"
#include "expected_version.h"
#include "frmMain.h"
#include "harness.h"
#include "layout_checks.h"

namespace harness {
namespace {

constexpr int kDpi = 96;

struct ExpectedFont {
    const wchar_t* face;
    int height;     // LOGFONT height at 96 DPI: -(points * 96 / 72)
    int height144;  // the same at 144 DPI, rounded
    int weight;
    BYTE charset;
};

// 9 pt = 12 px, 10.5 pt = 14 px, 14.25 pt = 19 px at 96 DPI; 18, 21 and
// 28.5 (rounded up) at 144 DPI.
constexpr ExpectedFont kArial9{L"Arial", -12, -18, FW_BOLD, ANSI_CHARSET};
constexpr ExpectedFont kArial105{L"Arial", -14, -21, FW_BOLD, ANSI_CHARSET};
constexpr ExpectedFont kYouYuan{L"\u5E7C\u5706", -14, -21, FW_BOLD, GB2312_CHARSET};
constexpr ExpectedFont kSimSun{L"\u5B8B\u4F53", -14, -21, FW_NORMAL, GB2312_CHARSET};
constexpr int kHeadingHeight144 = -29;

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

    HWND C(int position) const { return GetDlgItem(form_.hwnd(), ControlId(position)); }

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

    tessivar::ShellLibrary shell_;
    tessivar::frmMain form_{GetModuleHandleW(nullptr), shell_};
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

// The face GDI actually draws a control's caption in, whatever face its font
// asks for; and how many of the caption's characters (blanks aside) that face
// has no glyph for.
struct DrawnIn {
    std::wstring face;
    int missing = 0;
};

DrawnIn FaceDrawnIn(HWND control) {
    DrawnIn drawn;
    const std::wstring text = Text(control);
    HDC dc = GetDC(control);
    HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    drawn.face = face;
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                     GGI_MARK_NONEXISTING_GLYPHS);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L' ' && glyphs[i] == 0xFFFF) ++drawn.missing;
    }
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return drawn;
}

// The heading and the two Chinese lines ask for faces that a Windows may
// lack (TechnicBold, YouYuan; ctest runs this once more in a prefix that maps
// YouYuan to nothing, as a stock Windows 10 or 11 has it). Whatever face GDI
// draws them in must exist and have every character: no empty boxes.
TEST_F(InProcessTest, SpecialLabelsAreDrawnInAFaceWithEveryCharacter) {
    const bool youYuanMapped = Installed(L"\u5E7C\u5706");
    if (!Env(L"TESSIVAR_STOCK_FONTS").empty()) {
        ASSERT_FALSE(youYuanMapped) << "this prefix was to have no face for YouYuan";
    }
    for (int position : {kLabel1Pos, Label3Pos(1), Label3Pos(4)}) {
        HWND label = C(position);
        const DrawnIn drawn = FaceDrawnIn(label);
        const std::string asked = Narrow(FontOfControl(label).lfFaceName);
        std::printf("%s(%d) asks for %s and is drawn in %s\n",
                    Narrow(kExpectedControls[static_cast<std::size_t>(position)].name).c_str(),
                    kExpectedControls[static_cast<std::size_t>(position)].index, asked.c_str(),
                    Narrow(drawn.face).c_str());
        SCOPED_TRACE(asked + " drawn in " + Narrow(drawn.face));
        EXPECT_TRUE(Installed(drawn.face.c_str()));
        EXPECT_EQ(drawn.missing, 0) << "characters without a glyph in " << Narrow(Text(label));
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

// What a move between monitors changes: the window's rectangles, fonts and
// icons.
struct Geometry {
    RECT window{};
    std::vector<RECT> controls;
    std::vector<LONG> fontHeights;
    SIZE bigIcon{};
    SIZE smallIcon{};
};

Geometry GeometryOf(HWND form) {
    Geometry g;
    GetWindowRect(form, &g.window);
    for (const auto& c : kExpectedControls) {
        HWND control = GetDlgItem(form, ControlId(c.position));
        g.controls.push_back(RectInParent(control));
        g.fontHeights.push_back(FontOfControl(control).lfHeight);
    }
    g.bigIcon = IconSize(reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, ICON_BIG, 0)));
    g.smallIcon = IconSize(reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, ICON_SMALL, 0)));
    return g;
}

TEST_F(InProcessTest, FollowsAMoveToADenserMonitorAndBack) {
    HWND form = form_.hwnd();
    const Geometry at96 = GeometryOf(form);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(form, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(form, GWL_EXSTYLE));

    const RECT suggested = MoveToDpi(form, 144);
    // The client area of 10140 x 7965 twips, 1014 x 797 pixels at 144 DPI
    // (796.5 rounded up), with the frame at 144 DPI, taken in one step at the
    // suggested place.
    RECT expected{0, 0, 1014, 797};
    AdjustWindowRectExForDpi(&expected, style, FALSE, exStyle, 144);
    EXPECT_NEAR(suggested.right - suggested.left, expected.right - expected.left, 1);
    EXPECT_NEAR(suggested.bottom - suggested.top, expected.bottom - expected.top, 1);
    RECT window{};
    GetWindowRect(form, &window);
    EXPECT_TRUE(EqualRect(&window, &suggested));
    ExpectControlRects(form, 144);
    std::vector<HFONT> fonts144;
    for (const auto& c : kExpectedControls) {
        HWND control = C(c.position);
        fonts144.push_back(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        const ExpectedFont* font = FontOf(c);
        if (font == nullptr && c.position != kLabel1Pos) continue;
        EXPECT_EQ(FontOfControl(control).lfHeight, font ? font->height144 : kHeadingHeight144)
            << Narrow(c.name) << "(" << c.index << ")";
    }
    const Geometry at144 = GeometryOf(form);
    EXPECT_EQ(at144.bigIcon.cx, 48);
    EXPECT_EQ(at144.smallIcon.cx, 24);

    MoveToDpi(form, 96);
    const Geometry back = GeometryOf(form);
    EXPECT_TRUE(EqualRect(&back.window, &at96.window));
    for (std::size_t i = 0; i < back.controls.size(); ++i) {
        EXPECT_TRUE(EqualRect(&back.controls[i], &at96.controls[i]))
            << Narrow(kExpectedControls[i].name) << "(" << kExpectedControls[i].index << ")";
    }
    EXPECT_EQ(back.fontHeights, at96.fontHeights);
    EXPECT_EQ(back.bigIcon.cx, at96.bigIcon.cx);
    EXPECT_EQ(back.smallIcon.cx, at96.smallIcon.cx);
    // The fonts made for 144 DPI are gone with it.
    for (HFONT font : fonts144) EXPECT_EQ(GetObjectType(font), 0u);
}

TEST_F(InProcessTest, VersionLabelIsSetOnLoad) {
    EXPECT_EQ(Text(C(kVersionPos)), kVersionLabel);
}

}  // namespace
}  // namespace harness
