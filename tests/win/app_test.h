// The fixture shared by the tests that run Tessivar.exe: one fresh copy of
// the program per test, and the small steps a user takes with it.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "../switch_tables.h"
#include "expected_layout.h"
#include "harness.h"

namespace harness {

// The option groups: every frame that holds option buttons, by tab position.
struct OptionGroup {
    const char* caption;
    std::vector<int> members;
};

inline std::vector<OptionGroup> OptionGroups() {
    using namespace switch_tables;
    std::vector<OptionGroup> groups;
    for (int k = 0; k < 8; ++k) {
        groups.push_back({kPairs[static_cast<std::size_t>(k)].frame.text,
                          {OptOperationPos(2 * k), OptOperationPos(2 * k + 1)}});
    }
    OptionGroup rates{kRateFrame.text, {}};
    for (int i = 0; i < static_cast<int>(kRates.size()); ++i) {
        rates.members.push_back(BaudRatePos(i));
    }
    OptionGroup protocols{kProtocolFrame.text, {}};
    for (int i = 0; i < static_cast<int>(kProtocols.size()); ++i) {
        protocols.members.push_back(ProtocolPos(i));
    }
    OptionGroup channels{kChannelFrame.text, {}};
    for (int i = 0; i < static_cast<int>(kChannels.size()); ++i) {
        channels.members.push_back(ChannelPos(i));
    }
    groups.push_back(rates);
    groups.push_back(protocols);
    groups.push_back(channels);
    return groups;
}

class AppTest : public ::testing::Test {
  protected:
    // Starts the program; tests that need to set the environment first call
    // it themselves.
    void StartApp() {
        std::wstring error;
        ASSERT_TRUE(app_.Start(TessivarExePath(), &error)) << Narrow(error);
        ASSERT_TRUE(BringToFront(app_.form())) << "the window did not come to the front";
    }

    HWND C(int position) const { return app_.Control(position); }
    std::wstring TextAt(int position) const { return Text(C(position)); }
    bool CheckedAt(int position) const { return IsChecked(C(position)); }

    // The selected state of every option button, by tab position.
    std::vector<std::pair<int, bool>> OptionStates() const {
        std::vector<std::pair<int, bool>> states;
        for (const auto& group : OptionGroups()) {
            for (int member : group.members) states.emplace_back(member, CheckedAt(member));
        }
        return states;
    }

    std::array<std::wstring, 5> Switches() const {
        std::array<std::wstring, 5> texts;
        for (int i = 0; i < 5; ++i) texts[static_cast<std::size_t>(i)] = TextAt(TxtSWPos(i));
        return texts;
    }

    // Clicks a control and waits until it has the focus.
    testing::AssertionResult ClickAndFocus(int position) {
        if (auto clicked = Click(C(position)); !clicked) return clicked;
        if (WaitFor(kForInput, [&] { return app_.FocusedPosition() == position; })) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << "the click on " << Narrow(TextAt(position)) << " reached it, but the focus is at "
               << app_.FocusedPosition();
    }

    // Clicks an option button (if it is not selected yet) and waits until
    // the program shows it selected.
    testing::AssertionResult Choose(int position) {
        if (CheckedAt(position)) return testing::AssertionSuccess();
        const std::size_t mark = MouseEventMark();
        if (auto clicked = Click(C(position)); !clicked) return clicked;
        if (WaitFor(kForInput, [&] { return CheckedAt(position); }))
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << "the click on \"" << Narrow(TextAt(position))
               << "\" reached it, but the option is not selected; mouse events:\n"
               << DescribeMouseEvents(MouseEventsSince(mark));
    }

    // Waits until everything sent to the program so far has been handled:
    // clicks one of the read-only "Switch n" title boxes, which has no
    // handler, and waits for it to take the focus. Input reaches the program
    // in order, so the earlier clicks and keys are done by then. Fails while
    // a modal message box keeps the window from taking clicks.
    testing::AssertionResult Barrier() {
        const int target = app_.FocusedPosition() == Text1Pos(0) ? Text1Pos(1) : Text1Pos(0);
        if (auto clicked = Click(C(target)); !clicked) return clicked << "(the barrier)";
        if (WaitFor(kForInput, [&] { return app_.FocusedPosition() == target; })) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << "the barrier's click arrived, but its box did not take the focus (focus at "
               << app_.FocusedPosition()
               << (IsWindowEnabled(app_.form()) ? ")" : ", window disabled)");
    }

    // Presses Tab (or Shift+Tab) `count` times from `start` and returns the
    // focused control's position after each press.
    std::vector<int> TabRing(int start, std::size_t count, bool shift) {
        std::vector<int> visited;
        for (int current = start; visited.size() < count;) {
            current = TabFrom(current, shift);
            visited.push_back(current);
        }
        return visited;
    }

    // Selects the whole text of a box with the keyboard, copies it with
    // Ctrl+C, and waits until the clipboard holds `expected`; `copied` gets
    // what it last held.
    testing::AssertionResult CopiesAs(int position, const std::wstring& expected,
                                      std::wstring* copied) {
        if (!WaitFor(kForScreen, [] { return OpenClipboard(nullptr) != FALSE; })) {
            return testing::AssertionFailure() << "the clipboard stayed in use";
        }
        EmptyClipboard();
        CloseClipboard();
        if (auto focused = ClickAndFocus(position); !focused) return focused;
        if (!PressKey(VK_HOME) || !PressKey(VK_END, true) || !PressChord(VK_CONTROL, 'C')) {
            return testing::AssertionFailure() << "the keys were refused";
        }
        if (WaitFor(kForScreen, [&] {
                if (!OpenClipboard(nullptr)) return false;
                if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                        *copied = text;
                        GlobalUnlock(data);
                    }
                }
                CloseClipboard();
                return *copied == expected;
            })) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "the clipboard holds \"" << Narrow(*copied) << "\"";
    }

    // Presses a key and waits for the focus to move away from where it is.
    int TabFrom(int current, bool shift) {
        PressKey(VK_TAB, shift);
        WaitFor(kForInput, [&] { return app_.FocusedPosition() != current; });
        return app_.FocusedPosition();
    }

    App app_;
};

}  // namespace harness
