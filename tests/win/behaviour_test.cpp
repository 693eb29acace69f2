// The window as the user works it with mouse and keyboard: option groups,
// keyboard navigation, the text boxes, the tooltip and the close box.
#include "app_test.h"

#include <commctrl.h>

#include <algorithm>

namespace harness {
namespace {

class BehaviourTest : public AppTest {
  protected:
    void SetUp() override { StartApp(); }

    // Focuses a control through the keyboard, Tab by Tab from the Switch 5
    // box, so that no button gets clicked on the way.
    ::testing::AssertionResult TabTo(int position) {
        if (!ClickAndFocus(TxtSWPos(4))) {
            return ::testing::AssertionFailure() << "the Switch 5 box did not take the focus";
        }
        int current = TxtSWPos(4);
        std::string path = std::to_string(current);
        for (int step = 0; step < 30 && current != position; ++step) {
            current = TabFrom(current, false);
            path += " " + std::to_string(current);
        }
        if (current == position) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "Tab went " << path;
    }
};

TEST_F(BehaviourTest, ClickingEveryMemberSelectsOnlyItAndTouchesNoOtherGroup) {
    const auto groups = OptionGroups();
    for (const auto& group : groups) {
        for (int member : group.members) {
            SCOPED_TRACE(std::string(group.caption) + ", " + Narrow(TextAt(member)));
            const auto before = OptionStates();
            ASSERT_TRUE(Click(C(member)));
            ASSERT_TRUE(WaitFor(kForInput, [&] { return CheckedAt(member); }))
                << "not selected by a click";
            ASSERT_TRUE(Barrier());
            for (const auto& [position, wasChecked] : before) {
                const bool inGroup = std::find(group.members.begin(), group.members.end(),
                                               position) != group.members.end();
                const bool expected = inGroup ? position == member : wasChecked;
                EXPECT_EQ(CheckedAt(position), expected) << Narrow(TextAt(position));
            }
        }
    }
}

TEST_F(BehaviourTest, ClickingTheSelectedOptionKeepsItSelected) {
    for (const auto& group : OptionGroups()) {
        int selected = -1;
        for (int member : group.members) {
            if (CheckedAt(member)) selected = member;
        }
        ASSERT_NE(selected, -1) << group.caption;
        ASSERT_TRUE(Click(C(selected)));
        ASSERT_TRUE(Barrier());
        for (int member : group.members) {
            EXPECT_EQ(CheckedAt(member), member == selected) << group.caption;
        }
    }
}

TEST_F(BehaviourTest, TabVisitsTheStopsInOrder) {
    // From the first stop, "Independant": the selected option of each group,
    // the ten boxes, the two buttons, and round again.
    const std::vector<int> expected{OptOperationPos(3),  OptOperationPos(4),
                                    OptOperationPos(6),  OptOperationPos(8),
                                    OptOperationPos(11), OptOperationPos(13),
                                    OptOperationPos(14), BaudRatePos(12),
                                    ProtocolPos(5),      Text1Pos(0),
                                    Text1Pos(1),         Text1Pos(2),
                                    Text1Pos(3),         Text1Pos(4),
                                    TxtSWPos(0),         TxtSWPos(1),
                                    TxtSWPos(2),         TxtSWPos(3),
                                    TxtSWPos(4),         ChannelPos(0),
                                    kCalculatePos,       kExitPos,
                                    OptOperationPos(0)};
    ASSERT_TRUE(ClickAndFocus(OptOperationPos(0)));
    EXPECT_EQ(TabRing(OptOperationPos(0), expected.size(), false), expected);

    // Shift+Tab walks the same ring backwards.
    std::vector<int> reversed(expected.rbegin() + 1, expected.rend());
    reversed.push_back(OptOperationPos(0));
    EXPECT_EQ(TabRing(OptOperationPos(0), reversed.size(), true), reversed);
}

TEST_F(BehaviourTest, With230400SelectedTheRateStopComesAfterExit) {
    ASSERT_TRUE(Choose(BaudRatePos(13)));
    EXPECT_FALSE(CheckedAt(BaudRatePos(12)));
    const std::vector<int> expected{OptOperationPos(3),  OptOperationPos(4),  OptOperationPos(6),
                                    OptOperationPos(8),  OptOperationPos(11), OptOperationPos(13),
                                    OptOperationPos(14), ProtocolPos(5),      Text1Pos(0),
                                    Text1Pos(1),         Text1Pos(2),         Text1Pos(3),
                                    Text1Pos(4),         TxtSWPos(0),         TxtSWPos(1),
                                    TxtSWPos(2),         TxtSWPos(3),         TxtSWPos(4),
                                    ChannelPos(0),       kCalculatePos,       kExitPos,
                                    BaudRatePos(13),     OptOperationPos(0)};
    ASSERT_TRUE(ClickAndFocus(OptOperationPos(0)));
    EXPECT_EQ(TabRing(OptOperationPos(0), expected.size(), false), expected);
}

TEST_F(BehaviourTest, ArrowKeysMoveTheSelectionWithinItsGroup) {
    struct Step {
        WORD key;
        int from;
        int to;
    };
    const Step steps[] = {
        {VK_RIGHT, OptOperationPos(0), OptOperationPos(1)},  // "Independant" -> "Linked"
        {VK_LEFT, OptOperationPos(1), OptOperationPos(0)},
        {VK_DOWN, OptOperationPos(10), OptOperationPos(11)},  // Check Sum "NO" -> "YES"
        {VK_UP, OptOperationPos(11), OptOperationPos(10)},
        {VK_DOWN, ProtocolPos(5), ProtocolPos(6)},  // "Format 5 (4C Binary)" -> "Non Procedural"
        {VK_UP, ProtocolPos(6), ProtocolPos(5)},
        {VK_UP, ProtocolPos(5), ProtocolPos(4)},
        {VK_RIGHT, ChannelPos(0), ChannelPos(1)},     // "CH1" -> "CH2"
        {VK_DOWN, ChannelPos(1), ChannelPos(2)},      // -> "CH1 CH2    Same Setting"
        {VK_DOWN, BaudRatePos(11), BaudRatePos(12)},  // "57600" -> "115200"
        {VK_DOWN, BaudRatePos(12), BaudRatePos(13)},  // -> "230400", far away in tab order
        {VK_UP, BaudRatePos(13), BaudRatePos(12)},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(Narrow(TextAt(step.from)) + " -> " + Narrow(TextAt(step.to)));
        ASSERT_TRUE(Choose(step.from));
        ASSERT_TRUE(ClickAndFocus(step.from));
        const auto before = OptionStates();
        ASSERT_TRUE(PressKey(step.key));
        EXPECT_TRUE(WaitFor(kForInput, [&] { return CheckedAt(step.to); }))
            << "selection did not move";
        EXPECT_TRUE(WaitFor(kForInput, [&] { return app_.FocusedPosition() == step.to; }))
            << "focus did not move";
        ASSERT_TRUE(Barrier());
        for (const auto& [position, wasChecked] : before) {
            const bool expected =
                position == step.to ? true : (position == step.from ? false : wasChecked);
            EXPECT_EQ(CheckedAt(position), expected) << Narrow(TextAt(position));
        }
    }
}

TEST_F(BehaviourTest, EnterAndEscapeDoNothing) {
    const auto switches = Switches();
    const auto options = OptionStates();
    for (int position : {kCalculatePos, kExitPos, TxtSWPos(4), OptOperationPos(0)}) {
        SCOPED_TRACE(Narrow(TextAt(position)));
        ASSERT_TRUE(TabTo(position));
        for (WORD key : {VK_RETURN, VK_ESCAPE}) {
            ASSERT_TRUE(PressKey(key));
            // The barrier fails if a message box took over the window.
            ASSERT_TRUE(Barrier()) << "key " << key;
            EXPECT_EQ(FindOwnedDialog(app_.form()), nullptr);
            EXPECT_TRUE(app_.Running());
            EXPECT_TRUE(IsWindowVisible(app_.form()));
            ASSERT_TRUE(TabTo(position));
        }
    }
    EXPECT_EQ(Switches(), switches);
    EXPECT_EQ(OptionStates(), options);
}

TEST_F(BehaviourTest, OnlyTheSwitch5BoxTakesTyping) {
    for (int i = 0; i < 5; ++i) {
        for (int position : {Text1Pos(i), TxtSWPos(i)}) {
            if (position == TxtSWPos(4)) continue;
            SCOPED_TRACE(Narrow(kExpectedControls[position].name) + "(" + std::to_string(i) + ")");
            const std::wstring before = TextAt(position);
            ASSERT_TRUE(ClickAndFocus(position)) << "a read-only box still takes the focus";
            ASSERT_TRUE(PressKey(VK_END));
            ASSERT_TRUE(TypeText(L"7"));
            ASSERT_TRUE(PressKey(VK_BACK));
            ASSERT_TRUE(PressKey(VK_DELETE));
            ASSERT_TRUE(Barrier());
            EXPECT_EQ(TextAt(position), before);
        }
    }
    ASSERT_TRUE(ClickAndFocus(TxtSWPos(4)));
    ASSERT_TRUE(PressKey(VK_END));
    ASSERT_TRUE(TypeText(L"31"));
    EXPECT_TRUE(WaitFor(kForInput, [&] { return TextAt(TxtSWPos(4)) == L"031"; }))
        << Narrow(TextAt(TxtSWPos(4)));
    ASSERT_TRUE(PressKey(VK_HOME));
    ASSERT_TRUE(PressKey(VK_DELETE));
    EXPECT_TRUE(WaitFor(kForInput, [&] { return TextAt(TxtSWPos(4)) == L"31"; }))
        << Narrow(TextAt(TxtSWPos(4)));
}

// The number of characters an edit box takes before anything sets its limit,
// asked of one made here.
std::size_t DefaultEditLimit() {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 100, 20, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    if (edit == nullptr) return 0;
    const auto limit = static_cast<std::size_t>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    DestroyWindow(edit);
    return limit;
}

TEST_F(BehaviourTest, Switch5TakesTypingBeyondTheEditControlsDefaultLimit) {
    // A box filled up to the default limit, and two more characters typed.
    const std::size_t limit = DefaultEditLimit();
    ASSERT_GT(limit, 0u);
    ASSERT_LT(limit, 100000u) << "the system's edit box has no default limit to go beyond";
    const std::wstring full(limit, L'9');
    ASSERT_TRUE(SetText(C(TxtSWPos(4)), full));
    ASSERT_TRUE(ClickAndFocus(TxtSWPos(4)));
    ASSERT_TRUE(PressKey(VK_END));
    ASSERT_TRUE(TypeText(L"12"));
    EXPECT_TRUE(WaitFor(kForLongText, [&] { return TextAt(TxtSWPos(4)).size() == limit + 2; }))
        << TextAt(TxtSWPos(4)).size() << " characters, the default limit being " << limit;
    EXPECT_EQ(TextAt(TxtSWPos(4)).substr(limit), L"12");
}

TEST_F(BehaviourTest, EveryPrintableCharacterCanBeTypedIntoSwitch5) {
    // Every printable ASCII character, '+' among them (whose code is also
    // the Execute key's), and some beyond ASCII.
    std::wstring typed;
    for (wchar_t c = 0x20; c < 0x7F; ++c) typed += c;
    typed += L"\u00E9\u00B0\u4E2D\u20AC";
    ASSERT_TRUE(ClickAndFocus(TxtSWPos(4)));
    ASSERT_TRUE(PressKey(VK_HOME));
    ASSERT_TRUE(PressKey(VK_END, true));
    ASSERT_TRUE(TypeText(typed));
    // And '+' from the keypad, as a key.
    ASSERT_TRUE(PressKey(VK_ADD));
    EXPECT_TRUE(WaitFor(kForInput, [&] { return TextAt(TxtSWPos(4)) == typed + L"+"; }))
        << Narrow(TextAt(TxtSWPos(4)));
}

TEST_F(BehaviourTest, ReadOnlyTextCanBeSelectedAndCopied) {
    std::wstring copied;
    EXPECT_TRUE(CopiesAs(Text1Pos(2), L"Switch 3", &copied)) << Narrow(copied);
}

TEST_F(BehaviourTest, CalculateButtonHasItsToolTip) {
    HWND tooltip = nullptr;
    // The tooltip is made shortly after the window shows.
    ASSERT_TRUE(WaitFor(kForWindow, [&] {
        for (HWND window : TopLevelWindows(app_.processId(), TOOLTIPS_CLASSW)) {
            if (GetWindow(window, GW_OWNER) == app_.form()) tooltip = window;
        }
        return tooltip != nullptr;
    })) << "no tooltip window owned by the form";
    HWND calculate = C(kCalculatePos);
    std::vector<Tool> tools;
    ASSERT_TRUE(WaitFor(kForWindow, [&] {
        tools = EnumTools(app_.process(), tooltip);
        return !tools.empty();
    }));
    int onCalculate = 0;
    for (const auto& tool : tools) {
        const bool forCalculate =
            ((tool.flags & TTF_IDISHWND) != 0 && reinterpret_cast<HWND>(tool.id) == calculate) ||
            tool.window == calculate;
        if (forCalculate) {
            ++onCalculate;
            EXPECT_EQ(tool.text, L"Click the Company name to Enable the Command");
        }
    }
    EXPECT_EQ(onCalculate, 1) << tools.size() << " tools in all";

    // Resting the pointer on the button shows it.
    RECT rect{};
    GetWindowRect(calculate, &rect);
    ASSERT_TRUE(MoveMouseTo(Centre(rect)));
    EXPECT_TRUE(WaitFor(kForScreen, [&] { return IsWindowVisible(tooltip) != FALSE; }));
    MoveMouseTo(POINT{0, 0});
}

TEST_F(BehaviourTest, CloseBoxEndsTheProgram) {
    HWND form = app_.form();
    RECT window{};
    ASSERT_TRUE(GetWindowRect(form, &window));
    // Find the close box by asking the window what lies under each point of
    // its title bar, from the right.
    POINT closeBox{-1, -1};
    for (int y = window.top; y < window.top + 48 && closeBox.x < 0; ++y) {
        for (int x = window.right - 1; x > window.right - 80; --x) {
            DWORD_PTR hit = 0;
            SendMessageTimeoutW(form, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                                static_cast<UINT>(kForAnswer.limit.count()), &hit);
            if (hit == HTCLOSE) {
                closeBox = POINT{x - 2, y + 2};
                break;
            }
        }
    }
    ASSERT_GE(closeBox.x, 0) << "no close box in the title bar";
    ASSERT_TRUE(BringToFront(form));
    ASSERT_TRUE(ClickAt(closeBox));
    EXPECT_TRUE(app_.WaitForExit()) << "the program still runs";
    EXPECT_FALSE(IsWindow(form));
}

}  // namespace
}  // namespace harness
