// The main window as it opens, seen from outside: its frame, size and place,
// every control's kind, caption, position and style, and the initial state.
#include <regex>
#include <set>

#include "app_test.h"
#include "layout_checks.h"

namespace harness {
namespace {

class LayoutTest : public AppTest {
  protected:
    void SetUp() override { StartApp(); }
};

TEST_F(LayoutTest, WindowIsAFixedDialogWithCloseBoxOnly) {
    HWND form = app_.form();
    EXPECT_TRUE(SameClass(form, L"TessivarForm"));
    EXPECT_EQ(Text(form), L"TESSIVAR");
    const LONG style = GetWindowLongW(form, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(form, GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU) << "no close box";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the window can be resized";
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(GetMenu(form), nullptr);
}

TEST_F(LayoutTest, WindowIsNotInTheTaskbar) {
    HWND form = app_.form();
    // The taskbar lists unowned windows and those marked WS_EX_APPWINDOW.
    EXPECT_FALSE(GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    HWND owner = GetWindow(form, GW_OWNER);
    ASSERT_NE(owner, nullptr) << "an unowned window shows in the taskbar";
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_FALSE(GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(LayoutTest, ClientAreaIs676By531) {
    ExpectClientSize(app_.form(), 96);
}

TEST_F(LayoutTest, WindowIsCentredOnTheWorkArea) {
    HWND form = app_.form();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(form, MONITOR_DEFAULTTONEAREST), &monitor));
    RECT window{};
    ASSERT_TRUE(GetWindowRect(form, &window));
    const RECT& work = monitor.rcWork;
    // Odd differences round either way.
    EXPECT_LE(std::abs((window.left - work.left) - (work.right - window.right)), 1)
        << "left gap " << window.left - work.left << ", right gap " << work.right - window.right;
    EXPECT_LE(std::abs((window.top - work.top) - (work.bottom - window.bottom)), 1)
        << "top gap " << window.top - work.top << ", bottom gap " << work.bottom - window.bottom;
}

TEST_F(LayoutTest, WindowHasExactlyTheSeventySevenControls) {
    std::set<int> ids;
    for (HWND child = GetWindow(app_.form(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ids.insert(GetDlgCtrlID(child));
    }
    std::set<int> expected;
    for (int position = 0; position < kControlCount; ++position)
        expected.insert(ControlId(position));
    EXPECT_EQ(ids, expected);
}

TEST_F(LayoutTest, EveryControlHasItsKindCaptionAndState) {
    for (const auto& c : kExpectedControls) {
        SCOPED_TRACE(Describe(c));
        HWND control = C(c.position);
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(IsWindowVisible(control));
        EXPECT_TRUE(IsWindowEnabled(control));
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        const LONG type = style & BS_TYPEMASK;
        switch (c.kind) {
            case Kind::Frame:
                EXPECT_TRUE(SameClass(control, L"Button")) << Narrow(ClassName(control));
                EXPECT_EQ(type, BS_GROUPBOX);
                break;
            case Kind::Option:
                EXPECT_TRUE(SameClass(control, L"Button")) << Narrow(ClassName(control));
                EXPECT_TRUE(type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) << type;
                break;
            case Kind::Button:
                EXPECT_TRUE(SameClass(control, L"Button")) << Narrow(ClassName(control));
                // Not a default button: Enter clicks nothing.
                EXPECT_EQ(type, BS_PUSHBUTTON);
                break;
            case Kind::Label:
                EXPECT_TRUE(SameClass(control, L"Static")) << Narrow(ClassName(control));
                break;
            case Kind::TextBox:
                EXPECT_TRUE(SameClass(control, L"Edit")) << Narrow(ClassName(control));
                EXPECT_EQ((style & ES_READONLY) != 0, c.readOnly);
                EXPECT_FALSE(style & ES_MULTILINE);
                break;
        }
        if (c.caption != nullptr) {
            EXPECT_EQ(Text(control), c.caption);
        }
    }
}

TEST_F(LayoutTest, EveryControlStandsWhereTheLayoutPutsIt) {
    ExpectControlRects(app_.form(), 96);
}

TEST_F(LayoutTest, ControlsOfOneContainerDoNotOverlap) {
    ExpectNoOverlapWithinContainers(app_);
}

TEST_F(LayoutTest, ContactBlockLinesHaveTheirForms) {
    auto line = [&](int i) { return TextAt(Label3Pos(i)); };
    auto hasChinese = [](const std::wstring& text) {
        for (wchar_t ch : text) {
            if (ch >= 0x4E00 && ch <= 0x9FFF) return true;
        }
        return false;
    };
    // 0: the company name in English and one blank.
    EXPECT_TRUE(std::regex_match(line(0), std::wregex(L"[A-Za-z][ -~]*[^ ] "))) << Narrow(line(0));
    // 1: four blanks, then the company name in Chinese.
    EXPECT_TRUE(std::regex_match(line(1), std::wregex(L"    [^ ].*"))) << Narrow(line(1));
    EXPECT_TRUE(hasChinese(line(1))) << Narrow(line(1));
    // 2: telephone numbers and fax.
    EXPECT_TRUE(std::regex_match(line(2), std::wregex(L"Tel\\. [0-9()+-]*[0-9][0-9()+-]* "
                                                      L"[0-9()+-]*[0-9][0-9()+-]* Fax\\. "
                                                      L"[0-9()+-]*[0-9][0-9()+-]*")))
        << Narrow(line(2));
    // 3: web address under .example, a blank, e-mail address under .example.
    EXPECT_TRUE(std::regex_match(
        line(3), std::wregex(L"http://[A-Za-z0-9.-]+\\.example(/[^ ]*)? [^ @]+@[A-Za-z0-9.-]+"
                             L"\\.example")))
        << Narrow(line(3));
    // 4: four blanks, the postal address in Chinese, " ZIP:" and six digits.
    EXPECT_TRUE(std::regex_match(line(4), std::wregex(L"    [^ ].* ZIP:[0-9]{6}")))
        << Narrow(line(4));
    EXPECT_TRUE(hasChinese(line(4))) << Narrow(line(4));
}

TEST_F(LayoutTest, ContactBlockLabelsReportClicks) {
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(GetWindowLongW(C(Label3Pos(i)), GWL_STYLE) & SS_NOTIFY)
            << "Label3(" << i << ")";
    }
}

TEST_F(LayoutTest, TextAlignment) {
    for (int i = 0; i < 5; ++i) {
        const LONG title = GetWindowLongW(C(Text1Pos(i)), GWL_STYLE);
        EXPECT_EQ(title & (ES_CENTER | ES_RIGHT), ES_LEFT) << "Text1(" << i << ")";
        const LONG value = GetWindowLongW(C(TxtSWPos(i)), GWL_STYLE);
        EXPECT_EQ(value & (ES_CENTER | ES_RIGHT), ES_CENTER) << "txtSW(" << i << ")";
    }
    EXPECT_EQ(GetWindowLongW(C(kVersionPos), GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
}

TEST_F(LayoutTest, InitialSelectionsOnePerGroup) {
    std::set<int> selected{BaudRatePos(switch_tables::kInitialRate),
                           ProtocolPos(switch_tables::kInitialProtocol),
                           ChannelPos(switch_tables::kInitialChannel)};
    for (int k = 0; k < 8; ++k) {
        selected.insert(OptOperationPos(
            2 * k + (switch_tables::kInitialOdd[static_cast<std::size_t>(k)] ? 1 : 0)));
    }
    for (const auto& group : OptionGroups()) {
        for (int member : group.members) {
            EXPECT_EQ(CheckedAt(member), selected.count(member) == 1)
                << group.caption << ", " << Narrow(TextAt(member));
        }
    }
}

TEST_F(LayoutTest, NoBoxHasALengthLimit) {
    for (int i = 0; i < 5; ++i) {
        for (int position : {Text1Pos(i), TxtSWPos(i)}) {
            DWORD_PTR limit = 0;
            ASSERT_TRUE(SendMessageTimeoutW(C(position), EM_GETLIMITTEXT, 0, 0, SMTO_ABORTIFHUNG,
                                            static_cast<UINT>(kForAnswer.limit.count()), &limit));
            // The edit control's largest limit, which EM_SETLIMITTEXT(0) sets.
            EXPECT_GE(limit, 0x7FFFFFFEu)
                << Narrow(kExpectedControls[position].name) << "(" << i << ")";
        }
    }
}

}  // namespace
}  // namespace harness
