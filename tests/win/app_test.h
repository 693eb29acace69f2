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
    // Clicks whose effect the test waits for are tried this often.
    static constexpr int kClickAttempts = 3;

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

    // Clicks a control and waits until it has the focus; a click that goes
    // astray on a busy display is made again, as a person would.
    bool ClickAndFocus(int position) {
        for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
            if (!Click(C(position))) return false;
            if (WaitFor([&] { return app_.FocusedPosition() == position; }, 5s)) return true;
        }
        return false;
    }

    // Clicks an option button (if it is not selected yet) and waits until
    // the program shows it selected. Under Xvfb a synthetic click now and
    // then goes astray while a browser request is being started; a person
    // would click again, and so does this (clicking an option twice is
    // harmless).
    bool Choose(int position) {
        for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
            if (CheckedAt(position)) return true;
            if (!Click(C(position))) return false;
            if (WaitFor([&] { return CheckedAt(position); }, 5s)) return true;
        }
        return false;
    }

    // Waits until everything sent to the program so far has been handled:
    // clicks one of the read-only "Switch n" title boxes, which has no
    // handler, and waits for it to take the focus. Input reaches the program
    // in order, so the earlier clicks and keys are done by then. Fails while
    // a modal message box keeps the window from taking clicks.
    bool Barrier() {
        const int target = app_.FocusedPosition() == Text1Pos(0) ? Text1Pos(1) : Text1Pos(0);
        for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
            if (!Click(C(target))) return false;
            if (WaitFor([&] { return app_.FocusedPosition() == target; }, 5s)) return true;
        }
        return false;
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
    bool CopiesAs(int position, const std::wstring& expected, std::wstring* copied) {
        if (!OpenClipboard(nullptr)) return false;
        EmptyClipboard();
        CloseClipboard();
        if (!ClickAndFocus(position) || !PressKey(VK_HOME) || !PressKey(VK_END, true) ||
            !PressChord(VK_CONTROL, 'C')) {
            return false;
        }
        return WaitFor([&] {
            if (!OpenClipboard(nullptr)) return false;
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                    *copied = text;
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
            return *copied == expected;
        });
    }

    // Presses a key and waits for the focus to move away from where it is.
    int TabFrom(int current, bool shift) {
        PressKey(VK_TAB, shift);
        WaitFor([&] { return app_.FocusedPosition() != current; }, 5s);
        return app_.FocusedPosition();
    }

    App app_;
};

}  // namespace harness
