// The window's four events, driven by clicks as a user makes them: the enable
// message, the contact block's request to open the maker's web page (seen
// through the stand-in browser's log), the calculation, and Exit.
#include <array>

#include "app_test.h"

namespace harness {
namespace {

const wchar_t kEnableMessage[] =
    L"Please Click the company information in the bottom of the windows to Enable the Command"
    L"\r\n"
    L"\u8BF7\u70B9\u51FB\u672C\u7A97\u53E3\u4E0B\u90E8\u7684\u516C\u53F8\u4FE1\u606F\u4F7F\u672C"
    L"\u6309\u94AE\u751F\u6548!";

// Sets an environment variable for the programs started while it lives.
class ScopedEnv {
  public:
    ScopedEnv(const wchar_t* name, const wchar_t* value) : name_(name) {
        SetEnvironmentVariableW(name, value);
    }
    ~ScopedEnv() { SetEnvironmentVariableW(name_, nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const wchar_t* name_;
};

class EventsTest : public AppTest {
  protected:
    void SetUp() override {
        if (log_.available()) log_.Clear();
    }

    // The web address: the first word of the contact block's web line.
    std::string Address() const {
        const std::wstring line = TextAt(Label3Pos(3));
        return Narrow(line.substr(0, line.find(L' ')));
    }

    std::size_t Requests() const { return log_.Lines().size(); }
    bool WaitForRequests(std::size_t count) {
        return WaitFor(kForBrowser, [&] { return Requests() >= count; });
    }

    testing::AssertionResult ClickContact(int index) {
        if (auto clicked = Click(C(Label3Pos(index))); !clicked) return clicked;
        return Barrier();
    }
    // Starts the program so that the requests it makes can be counted: under
    // Wine each one starts the shell's browser, a process of its own.
    void StartCountingRequests() {
        std::wstring error;
        ASSERT_TRUE(app_.Start(TessivarExePath(), &error, true)) << Narrow(error);
        ASSERT_TRUE(BringToFront(app_.form())) << "the window did not come to the front";
    }
    // Whether the program has made exactly `expected` requests for the web
    // page so far. Once it has handled every input given (the barrier),
    // every request it made has started its browser; each of those logs
    // its request, and the log is read once all have.
    testing::AssertionResult MadeRequests(std::size_t expected) {
        if (auto handled = Barrier(); !handled) return handled;
        const int started = app_.ProcessesStarted();
        if (started < 0)
            return testing::AssertionFailure() << "the program's starts are not counted";
        WaitForRequests(static_cast<std::size_t>(started));
        const std::vector<std::string> lines = log_.Lines();
        if (static_cast<std::size_t>(started) == expected &&
            lines == std::vector<std::string>(expected, Address())) {
            return testing::AssertionSuccess();
        }
        testing::AssertionResult failure = testing::AssertionFailure();
        failure << started << " browsers started for " << expected
                << " expected requests; the requests logged:";
        for (const std::string& line : lines) failure << "\n  " << line;
        return failure;
    }

    // Clicks "Calculate Setting" and waits until the click has been handled;
    // fails if a message box came up instead.
    testing::AssertionResult Calculate() {
        if (auto clicked = Click(C(kCalculatePos)); !clicked) return clicked;
        return Barrier();
    }

    // Marks the four computed boxes, so that a calculation shows which of
    // them it wrote.
    void MarkSwitches() {
        for (int i = 0; i < 4; ++i) ASSERT_TRUE(SetText(C(TxtSWPos(i)), L"--"));
    }

    HWND WaitForMessageBox() {
        HWND box = nullptr;
        WaitFor(kForWindow, [&] { return (box = FindOwnedDialog(app_.form())) != nullptr; });
        return box;
    }

    BrowserLog log_;
};

#define REQUIRE_BROWSER_LOG()                                  \
    do {                                                       \
        if (!log_.available()) {                               \
            GTEST_SKIP() << "TESSIVAR_BROWSER_LOG is not set"; \
        }                                                      \
    } while (false)

TEST_F(EventsTest, CalculateBeforeAnyContactClickShowsTheEnableMessage) {
    StartApp();
    const auto before = Switches();
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt == 0 ? "first click" : "second click");
        ASSERT_TRUE(Click(C(kCalculatePos)));
        HWND box = WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no message box owned by the window";
        const MessageBoxContents contents = ReadMessageBox(box);
        EXPECT_EQ(contents.caption, L"Tessivar");
        EXPECT_EQ(contents.text, kEnableMessage);
        ASSERT_EQ(contents.buttons.size(), 1u);
        EXPECT_EQ(contents.buttonTexts[0], L"OK");
        EXPECT_EQ(GetDlgCtrlID(contents.buttons[0]), IDOK);
        EXPECT_FALSE(contents.hasIcon);
        EXPECT_FALSE(IsWindowEnabled(app_.form())) << "the message box is not modal";
        if (attempt == 0) {
            SaveBmp(CaptureSettled(box), CapturePath(L"enable-message.bmp"));
            ASSERT_TRUE(Click(contents.buttons[0]));
        } else {
            ASSERT_TRUE(BringToFront(box));
            ASSERT_TRUE(PressKey(VK_RETURN));
        }
        ASSERT_TRUE(WaitFor(kForWindow, [&] { return !IsWindow(box); }))
            << "the message box stayed";
        ASSERT_TRUE(Barrier());
        EXPECT_EQ(Switches(), before);
    }
    if (log_.available()) {
        EXPECT_EQ(Requests(), 0u);
    }
}

TEST_F(EventsTest, TelephoneLineClickEnablesTheCalculation) {
    REQUIRE_BROWSER_LOG();
    StartApp();
    ASSERT_TRUE(ClickContact(2));
    ASSERT_TRUE(WaitForRequests(1)) << "no request reached the browser";
    ASSERT_TRUE(Calculate()) << "the calculation is still disabled";
    const std::array<std::wstring, 5> expected{L"0B62", L"5", L"", L"", L"0"};
    EXPECT_EQ(Switches(), expected);
    EXPECT_EQ(FindOwnedDialog(app_.form()), nullptr);
    EXPECT_EQ(log_.Lines(), std::vector<std::string>{Address()});
    MoveMouseTo(POINT{0, 0});
    SaveBmp(CaptureSettled(app_.form()), CapturePath(L"window-calculated.bmp"));
}

TEST_F(EventsTest, EachChannelWritesOnlyItsOwnBoxes) {
    StartApp();
    ASSERT_TRUE(ClickContact(0));
    ASSERT_TRUE(Calculate());
    EXPECT_EQ(Switches(), (std::array<std::wstring, 5>{L"0B62", L"5", L"", L"", L"0"}));

    // "9600" (code 05) and "CH2": only Switch 3 and 4 change.
    ASSERT_TRUE(Choose(BaudRatePos(6)));
    ASSERT_TRUE(Choose(ChannelPos(1)));
    ASSERT_TRUE(Calculate());
    EXPECT_EQ(Switches(), (std::array<std::wstring, 5>{L"0B62", L"5", L"0562", L"5", L"0"}));

    // Back on "CH1" with "300" (code 00): Switch 3 and 4 keep the CH2 result.
    ASSERT_TRUE(Choose(BaudRatePos(1)));
    ASSERT_TRUE(Choose(ChannelPos(0)));
    ASSERT_TRUE(Calculate());
    EXPECT_EQ(Switches(), (std::array<std::wstring, 5>{L"0062", L"5", L"0562", L"5", L"0"}));

    // "CH1 CH2    Same Setting" with "Format 2": all four.
    ASSERT_TRUE(Choose(ProtocolPos(2)));
    ASSERT_TRUE(Choose(ChannelPos(2)));
    ASSERT_TRUE(Calculate());
    EXPECT_EQ(Switches(), (std::array<std::wstring, 5>{L"0062", L"2", L"0062", L"2", L"0"}));
}

TEST_F(EventsTest, FailingBrowserStillEnablesTheCalculation) {
    REQUIRE_BROWSER_LOG();
    ScopedEnv fail(L"TESSIVAR_BROWSER_FAIL", L"1");
    StartApp();
    ASSERT_TRUE(ClickContact(3));
    ASSERT_TRUE(WaitForRequests(1)) << "no request reached the browser";
    EXPECT_EQ(log_.Lines().front(), Address());
    ASSERT_TRUE(Calculate()) << "the calculation is still disabled";
    EXPECT_EQ(TextAt(TxtSWPos(0)), L"0B62");
    EXPECT_EQ(TextAt(TxtSWPos(1)), L"5");
    // Nothing is shown about the failure.
    for (HWND window : TopLevelWindows(app_.processId(), L"#32770")) {
        EXPECT_FALSE(IsWindowVisible(window)) << "a dialog: " << Narrow(Text(window));
    }
}

TEST_F(EventsTest, EveryContactClickRequestsThePageAgain) {
    REQUIRE_BROWSER_LOG();
    StartApp();
    const std::string address = Address();
    ASSERT_EQ(address.rfind("http://", 0), 0u) << address;
    // Three clicks, two of them on the same line: three requests.
    for (int index : {0, 3, 3}) ASSERT_TRUE(ClickContact(index));
    EXPECT_TRUE(WaitForRequests(3));
    EXPECT_EQ(log_.Lines(), std::vector<std::string>(3, address));
    // And every other line of the block does the same.
    for (int index : {1, 2, 4}) ASSERT_TRUE(ClickContact(index));
    EXPECT_TRUE(WaitForRequests(6));
    EXPECT_EQ(log_.Lines(), std::vector<std::string>(6, address));
}

// A double click is one click and one double click to the label: one
// request, as a click makes. It enables the calculation all the same.
TEST_F(EventsTest, DoubleClickOnAContactLineIsOneRequest) {
    REQUIRE_BROWSER_LOG();
    StartCountingRequests();
    ASSERT_TRUE(DoubleClick(C(Label3Pos(3))));
    EXPECT_TRUE(MadeRequests(1));
    ASSERT_TRUE(Calculate()) << "the calculation is still disabled";
    EXPECT_EQ(TextAt(TxtSWPos(0)), L"0B62");
    // Every other line of the block the same.
    std::size_t requests = 1;
    for (int index : {0, 1, 2, 4}) {
        SCOPED_TRACE(index);
        ASSERT_TRUE(DoubleClick(C(Label3Pos(index))));
        EXPECT_TRUE(MadeRequests(++requests));
    }
}

// Clicks on one line that are not a double click are a request each.
TEST_F(EventsTest, SeparateClicksOnOneLineAreARequestEach) {
    REQUIRE_BROWSER_LOG();
    StartCountingRequests();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(ClickContact(3));
    EXPECT_TRUE(MadeRequests(3));
}

TEST_F(EventsTest, ChangingOptionsWithoutCalculatingChangesNoBox) {
    StartApp();
    const auto fresh = Switches();
    ASSERT_TRUE(Choose(OptOperationPos(1)));
    ASSERT_TRUE(Choose(BaudRatePos(0)));
    ASSERT_TRUE(Barrier());
    EXPECT_EQ(Switches(), fresh);

    ASSERT_TRUE(ClickContact(4));
    ASSERT_TRUE(Calculate());
    const auto calculated = Switches();
    // "Linked" with "50": 0F for the rate, bits 0, 1, 5, 6 = 99 = 0x63.
    EXPECT_EQ(calculated, (std::array<std::wstring, 5>{L"0F63", L"5", L"", L"", L"0"}));
    // One member of every group, and the channel last.
    for (int position :
         {OptOperationPos(0), OptOperationPos(2), OptOperationPos(5), OptOperationPos(7),
          OptOperationPos(9), OptOperationPos(10), OptOperationPos(12), OptOperationPos(15),
          BaudRatePos(13), ProtocolPos(8), ChannelPos(2)}) {
        ASSERT_TRUE(Choose(position)) << Narrow(TextAt(position));
        ASSERT_TRUE(Barrier());
        EXPECT_EQ(Switches(), calculated) << "after " << Narrow(TextAt(position));
    }
}

TEST_F(EventsTest, CalculationNeverTouchesSwitch5) {
    StartApp();
    ASSERT_TRUE(ClickAndFocus(TxtSWPos(4)));
    ASSERT_TRUE(PressKey(VK_HOME));
    ASSERT_TRUE(PressKey(VK_END, true));
    ASSERT_TRUE(TypeText(L"17"));
    ASSERT_TRUE(WaitFor(kForInput, [&] { return TextAt(TxtSWPos(4)) == L"17"; }))
        << Narrow(TextAt(TxtSWPos(4)));
    ASSERT_TRUE(ClickContact(1));
    for (int channel = 0; channel < 3; ++channel) {
        ASSERT_TRUE(Choose(ChannelPos(channel)));
        ASSERT_TRUE(Calculate());
        EXPECT_EQ(TextAt(TxtSWPos(4)), L"17") << Narrow(TextAt(ChannelPos(channel)));
    }
}

// A full selection: bit k picks member 2k (0) or 2k+1 (1) of the eight
// transmission pairs; then the rate, protocol and channel indices. The
// expected texts were worked out by hand from the bit weights (2^k), the rate
// codes ("50" -> 0F, member i -> i - 1 otherwise) and the protocol numbers;
// "--" marks a box the calculation must leave alone.
struct Combination {
    const char* what;
    std::array<int, 8> bits;
    int rate;
    int protocol;
    int channel;
    std::array<const wchar_t*, 4> expected;
};

// clang-format off
const Combination kCombinations[] = {
    // all even members: 0 = 00; "300" = 00; "GX Connection"; CH1
    {"all first members", {0, 0, 0, 0, 0, 0, 0, 0}, 1, 0, 0, {L"0000", L"0", L"--", L"--"}},
    // all odd members: 255 = FF; "50" = 0F; "Link Setting"; CH2
    {"all second members", {1, 1, 1, 1, 1, 1, 1, 1}, 0, 8, 1, {L"--", L"--", L"0FFF", L"8"}},
    // "Linked" only: 1 = 01; "230400" = 0C; "Non Procedural"; both
    {"Linked only", {1, 0, 0, 0, 0, 0, 0, 0}, 13, 6, 2, {L"0C01", L"6", L"0C01", L"6"}},
    // bits 1,2,3,5,6: 2+4+8+32+64 = 110 = 6E; "9600" = 05; "Format 1"; CH1
    {"8, YES, EVEN, Check Sum YES, Write ENABLE", {0, 1, 1, 1, 0, 1, 1, 0}, 6, 1, 0,
     {L"056E", L"1", L"--", L"--"}},
    // bits 0,4,7: 1+16+128 = 145 = 91; "57600" = 0A; "Format 3"; CH2
    {"Linked, Stop 2, Change ENABLE", {1, 0, 0, 0, 1, 0, 0, 1}, 11, 3, 1,
     {L"--", L"--", L"0A91", L"3"}},
    // bits 5,6: 32+64 = 96 = 60; "19200" = 07; "Bi-directional"; both
    {"Check Sum YES, Write ENABLE", {0, 0, 0, 0, 0, 1, 1, 0}, 8, 7, 2,
     {L"0760", L"7", L"0760", L"7"}},
    // bits 1,5,6: 2+32+64 = 98 = 62; "38400" = 09; "Format 4"; CH1
    {"the initial options", {0, 1, 0, 0, 0, 1, 1, 0}, 10, 4, 0, {L"0962", L"4", L"--", L"--"}},
    // bits 1,2,4: 2+4+16 = 22 = 16; "1200" = 02; "Format 2"; CH2
    {"8, Parity YES, Stop 2", {0, 1, 1, 0, 1, 0, 0, 0}, 3, 2, 1, {L"--", L"--", L"0216", L"2"}},
    // bits 3,6: 8+64 = 72 = 48; "2400" = 03; "GX Connection"; CH1
    {"EVEN, Write ENABLE", {0, 0, 0, 1, 0, 0, 1, 0}, 4, 0, 0, {L"0348", L"0", L"--", L"--"}},
    // bits 0-3: 15 = 0F; "4800" = 04; "Format 5 (4C Binary)"; both
    {"low four bits", {1, 1, 1, 1, 0, 0, 0, 0}, 5, 5, 2, {L"040F", L"5", L"040F", L"5"}},
    // bits 4-7: 16+32+64+128 = 240 = F0; "14400" = 06; "Link Setting"; CH1
    {"high four bits", {0, 0, 0, 0, 1, 1, 1, 1}, 7, 8, 0, {L"06F0", L"8", L"--", L"--"}},
    // bit 7: 128 = 80; "28800" = 08; "Non Procedural"; CH2
    {"Change ENABLE only", {0, 0, 0, 0, 0, 0, 0, 1}, 9, 6, 1, {L"--", L"--", L"0880", L"6"}},
    // bits 0,2,5,7: 1+4+32+128 = 165 = A5; "600" = 01; "Format 1"; both
    {"Linked, Parity YES, Check Sum YES, Change ENABLE", {1, 0, 1, 0, 0, 1, 0, 1}, 2, 1, 2,
     {L"01A5", L"1", L"01A5", L"1"}},
    // bits 1,3,4,6: 2+8+16+64 = 90 = 5A; "115200" = 0B; "Bi-directional"; CH1
    {"8, EVEN, Stop 2, Write ENABLE", {0, 1, 0, 1, 1, 0, 1, 0}, 12, 7, 0,
     {L"0B5A", L"7", L"--", L"--"}},
};
// clang-format on

TEST_F(EventsTest, CombinationsGiveTheHandWorkedValues) {
    StartApp();
    ASSERT_TRUE(ClickContact(0));
    for (const auto& combination : kCombinations) {
        SCOPED_TRACE(combination.what);
        for (int k = 0; k < 8; ++k) {
            ASSERT_TRUE(Choose(OptOperationPos(2 * k + combination.bits[k])));
        }
        ASSERT_TRUE(Choose(BaudRatePos(combination.rate)));
        ASSERT_TRUE(Choose(ProtocolPos(combination.protocol)));
        ASSERT_TRUE(Choose(ChannelPos(combination.channel)));
        MarkSwitches();
        ASSERT_TRUE(Calculate());
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(TextAt(TxtSWPos(i)), combination.expected[i]) << "Switch " << i + 1;
        }
        EXPECT_EQ(TextAt(TxtSWPos(4)), L"0");
    }
}

TEST_F(EventsTest, CalculatedValueCanBeCopied) {
    StartApp();
    ASSERT_TRUE(ClickContact(2));
    ASSERT_TRUE(Calculate());
    std::wstring copied;
    EXPECT_TRUE(CopiesAs(TxtSWPos(0), L"0B62", &copied)) << Narrow(copied);
}

TEST_F(EventsTest, ClicksPostedWhileTheEnableMessageIsUpOpenNoSecondBox) {
    StartApp();
    ASSERT_TRUE(Click(C(kCalculatePos)));
    HWND box = WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message box owned by the window";
    // Clicks as automation tools make them: posted to the button, which the
    // box's own message loop delivers.
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(PostMessageW(C(kCalculatePos), BM_CLICK, 0, 0));
    auto visibleBoxes = [&] {
        std::size_t count = 0;
        for (HWND window : TopLevelWindows(app_.processId(), L"#32770")) {
            if (IsWindowVisible(window)) ++count;
        }
        return count;
    };
    // Posted messages are handled in order: once a character posted after
    // the clicks has reached the Switch 5 box, the clicks have been handled,
    // and any box they opened is up.
    const std::wstring before = TextAt(TxtSWPos(4));
    ASSERT_TRUE(PostMessageW(C(TxtSWPos(4)), WM_CHAR, L'7', 1));
    ASSERT_TRUE(WaitFor(kForInput, [&] { return TextAt(TxtSWPos(4)).size() == before.size() + 1; }))
        << "the posted messages were not handled";
    EXPECT_EQ(visibleBoxes(), 1u) << "a second box opened";
    EXPECT_FALSE(IsWindowEnabled(app_.form()));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor(kForWindow, [&] { return visibleBoxes() == 0; })) << "a message box stayed";
    EXPECT_TRUE(IsWindowEnabled(app_.form()));
    EXPECT_TRUE(Barrier()) << "the window takes no clicks after the box";
}

TEST_F(EventsTest, TheExecuteKeyPressesNoButton) {
    StartApp();
    // Tab from the channel group reaches "Calculate Setting", then "Exit".
    ASSERT_TRUE(ClickAndFocus(ChannelPos(0)));
    ASSERT_EQ(TabFrom(ChannelPos(0), false), kCalculatePos);
    ASSERT_TRUE(PressKey(VK_EXECUTE));
    // Keys arrive in order: the focus moving on shows Execute was handled,
    // and a message box would have taken the Tab instead.
    ASSERT_EQ(TabFrom(kCalculatePos, false), kExitPos) << "the enable message came up";
    EXPECT_EQ(FindOwnedDialog(app_.form()), nullptr);
    ASSERT_TRUE(PressKey(VK_EXECUTE));
    EXPECT_TRUE(Barrier()) << "the window is gone";
    EXPECT_TRUE(app_.Running());
}

TEST_F(EventsTest, TheRequestIsTheProgramsAddressWhateverTheLabelShows) {
    REQUIRE_BROWSER_LOG();
    StartApp();
    const std::string address = Address();
    // Another program rewrites the web line the user is about to click.
    ASSERT_TRUE(SetText(C(Label3Pos(3)), L"http://elsewhere.example/ mail@elsewhere.example"));
    ASSERT_TRUE(ClickContact(3));
    ASSERT_TRUE(WaitForRequests(1)) << "no request reached the browser";
    EXPECT_EQ(log_.Lines(), std::vector<std::string>{address});
}

TEST_F(EventsTest, ExitEndsTheProgram) {
    StartApp();
    HWND form = app_.form();
    ASSERT_TRUE(Click(C(kExitPos)));
    EXPECT_TRUE(app_.WaitForExit()) << "the program still runs";
    EXPECT_FALSE(IsWindow(form));
}

}  // namespace
}  // namespace harness
