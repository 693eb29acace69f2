// Long random use of the real Tessivar.exe: clicks on every kind of control,
// Tab, Shift+Tab and the arrow keys, typing and pasting into Switch 5 (once a
// 100,000-character text, and characters outside the Basic Multilingual
// Plane), each step followed by a check of the whole window against what
// the user expects: the program runs, every option group has exactly its
// expected member selected, the focus is where the keys put it, and every
// switch box shows what the calculation (or the user) put there.
//
// The steps come from a seed, so a run can be repeated exactly. The short
// form, 1,000 steps, runs with the other window tests (scripts/test). The
// full run, 10,000 steps:
//
//   TESSIVAR_SOAK_ACTIONS=10000 scripts/test -R win_soak
//
// or, with the win64 build already made (build/win64), on one line:
//
//   TESSIVAR_SOAK_ACTIONS=10000 xvfb-run -a -s '-screen 0 1280x1024x24' bash -c
//     'source scripts/wine-env && wine_start_server &&
//      ctest --test-dir build/win64 -R win_soak --output-on-failure'
//
// TESSIVAR_SOAK_SEED picks another sequence. A failure names the seed and
// the step; the same seed with at least that many steps repeats it.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app_test.h"
#include "soak_model.h"

namespace harness {
namespace {

constexpr std::uint64_t kDefaultSeed = 20240917;
constexpr std::uint64_t kDefaultActions = 1000;
// The step that pastes the long text, early enough for the short run.
constexpr std::uint64_t kLongPasteStep = 100;
// In UTF-16 units, which is what the edit box counts as characters.
constexpr std::size_t kLongPasteUnits = 100000;

// A small generator of its own, so that a seed gives the same steps with
// every compiler and standard library (splitmix64).
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }

  private:
    std::uint64_t state_;
};

std::uint64_t EnvNumber(const wchar_t* name, std::uint64_t fallback) {
    const std::wstring text = Env(name);
    if (text.empty()) return fallback;
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(text.c_str(), &end, 0);
    return end != nullptr && *end == L'\0' ? value : fallback;
}

void AppendCodePoint(std::wstring& text, std::uint32_t c) {
    if (c < 0x10000) {
        text += static_cast<wchar_t>(c);
    } else {
        c -= 0x10000;
        text += static_cast<wchar_t>(0xD800 + (c >> 10));
        text += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    }
}

bool IsSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// One printable character: mostly digits and ASCII (station numbers), with
// Latin, Cyrillic, CJK and characters beyond U+FFFF (two UTF-16 units).
void AppendRandomCharacter(Random& random, std::wstring& text) {
    const int kind = random.Below(100);
    if (kind < 30) {
        AppendCodePoint(text, static_cast<std::uint32_t>(random.Between('0', '9')));
    } else if (kind < 60) {
        AppendCodePoint(text, static_cast<std::uint32_t>(random.Between(0x20, 0x7E)));
    } else if (kind < 70) {
        static const std::uint32_t kOthers[] = {0xE9, 0xFC, 0xDF, 0x3A9, 0x416, 0x44F, 0x20AC};
        AppendCodePoint(text, kOthers[random.Below(7)]);
    } else if (kind < 85) {
        AppendCodePoint(text, static_cast<std::uint32_t>(random.Between(0x4E00, 0x9FA5)));
    } else {
        static const std::uint32_t kFirst[] = {0x1F600, 0x1D400, 0x20000, 0x1F300};
        AppendCodePoint(text,
                        kFirst[random.Below(4)] + static_cast<std::uint32_t>(random.Below(64)));
    }
}

std::wstring RandomText(Random& random, int minCharacters, int maxCharacters) {
    std::wstring text;
    const int count = random.Between(minCharacters, maxCharacters);
    for (int i = 0; i < count; ++i) AppendRandomCharacter(random, text);
    return text;
}

// The text for the log: ASCII as it is, everything else as \uXXXX, long
// texts cut short.
std::string Printable(const std::wstring& text, std::size_t limit = 24) {
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
        const wchar_t c = text[i];
        if (c >= 0x20 && c < 0x7F && c != L'\\' && c != L'"') {
            out += static_cast<char>(c);
        } else {
            char escaped[12];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    if (text.size() > limit) out += "...";
    return "\"" + out + "\" (" + std::to_string(text.size()) + " units)";
}

std::string ControlName(int position) {
    if (position < 0 || position >= static_cast<int>(kExpectedControls.size())) {
        return "nothing (" + std::to_string(position) + ")";
    }
    const ExpectedControl& c = kExpectedControls[static_cast<std::size_t>(position)];
    return Narrow(c.name) + "(" + std::to_string(c.index) + ")";
}

enum class Kind {
    ClickOption,
    ClickContact,
    ClickCalculate,
    Tab,
    ShiftTab,
    Arrow,
    TypeSwitch5,
    PasteSwitch5,
    EraseSwitch5,
    TryReadOnly,
    ClickInert,
    PasteLong,
};

const char* KindName(Kind kind) {
    switch (kind) {
        case Kind::ClickOption:
            return "click option";
        case Kind::ClickContact:
            return "click contact";
        case Kind::ClickCalculate:
            return "click Calculate Setting";
        case Kind::Tab:
            return "Tab";
        case Kind::ShiftTab:
            return "Shift+Tab";
        case Kind::Arrow:
            return "arrow key";
        case Kind::TypeSwitch5:
            return "type into Switch 5";
        case Kind::PasteSwitch5:
            return "paste into Switch 5";
        case Kind::EraseSwitch5:
            return "Backspace in Switch 5";
        case Kind::TryReadOnly:
            return "type into a read-only box";
        case Kind::ClickInert:
            return "click a label";
        case Kind::PasteLong:
            return "paste the long text into Switch 5";
    }
    return "?";
}

struct Action {
    Kind kind = Kind::Tab;
    int target = -1;       // tab position of the control clicked
    soak::Member option;   // for ClickOption
    WORD key = 0;          // for Arrow
    bool replace = false;  // select everything before typing or pasting
    std::wstring text;
    int count = 0;  // Backspace presses
    // Where in the control the click lands, in thousandths of its inner
    // width and height, so that repeated clicks rarely pair into a double
    // click and every part of a control gets clicked.
    int across = 500;
    int down = 500;

    std::string Describe() const {
        std::string d = KindName(kind);
        if (target >= 0) d += " " + ControlName(target);
        if (kind == Kind::Arrow) {
            d += key == VK_LEFT    ? " Left"
                 : key == VK_RIGHT ? " Right"
                 : key == VK_UP    ? " Up"
                                   : " Down";
        }
        if (kind == Kind::TypeSwitch5 || kind == Kind::PasteSwitch5 || kind == Kind::PasteLong) {
            d += replace ? " replacing all: " : " at the end: ";
            d += Printable(text);
        }
        if (kind == Kind::EraseSwitch5) d += " x" + std::to_string(count);
        return d;
    }
};

struct Weighted {
    Kind kind;
    int weight;
};
// Contact clicks start a browser process under Wine, so they are few.
const Weighted kWeights[] = {
    {Kind::ClickOption, 30}, {Kind::ClickContact, 1}, {Kind::ClickCalculate, 12},
    {Kind::Tab, 9},          {Kind::ShiftTab, 7},     {Kind::Arrow, 14},
    {Kind::TypeSwitch5, 9},  {Kind::PasteSwitch5, 6}, {Kind::EraseSwitch5, 3},
    {Kind::TryReadOnly, 4},  {Kind::ClickInert, 2},
};

// The next step; it depends only on the generator and the expected state,
// so a seed always gives the same steps up to a given one.
Action NextAction(Random& random, std::uint64_t step, const soak::Model& model) {
    Action action;
    action.across = random.Below(1001);
    action.down = random.Below(1001);
    if (step == kLongPasteStep) {
        action.kind = Kind::PasteLong;
        action.target = TxtSWPos(4);
        while (action.text.size() < kLongPasteUnits - 1) AppendRandomCharacter(random, action.text);
        // Exactly the length asked for, ending on a whole character.
        action.text.resize(kLongPasteUnits - 1);
        if (IsSurrogate(action.text.back())) action.text.back() = L'7';
        action.text += L'9';
        return action;
    }
    int total = 0;
    for (const auto& w : kWeights) total += w.weight;
    int pick = random.Below(total);
    for (const auto& w : kWeights) {
        if (pick < w.weight) {
            action.kind = w.kind;
            break;
        }
        pick -= w.weight;
    }
    switch (action.kind) {
        case Kind::ClickOption: {
            action.option.group = random.Below(soak::kGroupCount);
            action.option.member =
                random.Below(soak::kGroups[static_cast<std::size_t>(action.option.group)].members);
            action.target = soak::MemberPosition(action.option.group, action.option.member);
            break;
        }
        case Kind::ClickContact:
            action.target = Label3Pos(random.Below(5));
            break;
        case Kind::ClickCalculate:
            action.target = kCalculatePos;
            break;
        case Kind::Arrow: {
            static const WORD kKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
            action.key = kKeys[random.Below(4)];
            break;
        }
        case Kind::TypeSwitch5:
            action.target = TxtSWPos(4);
            action.replace = random.Below(4) == 0;
            action.text = RandomText(random, 1, 8);
            break;
        case Kind::PasteSwitch5:
            action.target = TxtSWPos(4);
            action.replace = random.Below(3) == 0;
            action.text = RandomText(random, 1, 40);
            break;
        case Kind::EraseSwitch5: {
            action.target = TxtSWPos(4);
            // Backspace only over whole BMP characters: how an edit box
            // treats half of a surrogate pair is its own affair.
            const std::wstring& text = model.switches[4];
            int erasable = 0;
            while (erasable < 3 && static_cast<std::size_t>(erasable) < text.size() &&
                   !IsSurrogate(text[text.size() - 1 - static_cast<std::size_t>(erasable)])) {
                ++erasable;
            }
            if (erasable == 0) {
                action.kind = Kind::TypeSwitch5;
                action.text = RandomText(random, 1, 3);
            } else {
                action.count = random.Between(1, erasable);
            }
            break;
        }
        case Kind::TryReadOnly: {
            const int box = random.Below(9);
            action.target = box < 5 ? Text1Pos(box) : TxtSWPos(box - 5);
            action.text = RandomText(random, 1, 3);
            break;
        }
        case Kind::ClickInert: {
            static const int kInert[] = {kLabel1Pos, Label2Pos(0), Label2Pos(1), kVersionPos};
            action.target = kInert[random.Below(4)];
            break;
        }
        default:
            break;
    }
    return action;
}

// A window-less owner for the clipboard: with no owner, SetClipboardData
// fails on Windows.
class ClipboardOwner {
  public:
    ClipboardOwner()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~ClipboardOwner() {
        if (window_) DestroyWindow(window_);
    }
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;

    bool Put(const std::wstring& text) const {
        if (!WaitFor(kForScreen, [&] { return OpenClipboard(window_) != FALSE; })) return false;
        bool ok = EmptyClipboard() != FALSE;
        if (ok) {
            const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
            void* data = memory ? GlobalLock(memory) : nullptr;
            ok = data != nullptr;
            if (ok) {
                std::memcpy(data, text.c_str(), bytes);
                GlobalUnlock(memory);
                ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
            }
            if (!ok && memory) GlobalFree(memory);
        }
        CloseClipboard();
        return ok;
    }

  private:
    HWND window_;
};

std::string DescribeDifference(const std::wstring& actual, const std::wstring& expected) {
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    const std::size_t from = at > 8 ? at - 8 : 0;
    return "differs from unit " + std::to_string(at) + ": shows " +
           Printable(actual.substr(from), 32) + " from unit " + std::to_string(from) + " (length " +
           std::to_string(actual.size()) + "), expected " + Printable(expected.substr(from), 32) +
           " (length " + std::to_string(expected.size()) + ")";
}

class SoakTest : public AppTest {
  protected:
    void SetUp() override {
        if (log_.available()) log_.Clear();
        StartApp();
    }

    POINT PointIn(int position, const Action& action) const {
        RECT rect{};
        GetWindowRect(C(position), &rect);
        // Inside the control, clear of its border and of its neighbours.
        constexpr int kInset = 4;
        const int width = rect.right - rect.left - 2 * kInset;
        const int height = rect.bottom - rect.top - 2 * kInset;
        return POINT{rect.left + kInset + width * action.across / 1000,
                     rect.top + kInset + height * action.down / 1000};
    }

    // Clicks a point of a control; on failure clickProblem_ says why.
    bool ClickIn(int position, const Action& action) {
        clickProblem_.clear();
        if (!BringToFront(app_.form())) {
            clickProblem_ = "the window did not come to the front";
            return false;
        }
        const testing::AssertionResult clicked = ClickAt(PointIn(position, action));
        if (!clicked) clickProblem_ = clicked.message();
        return static_cast<bool>(clicked);
    }

    std::string Refused(const char* what) const {
        return clickProblem_.empty() ? std::string("the ") + what + " was refused"
                                     : "the click failed: " + clickProblem_;
    }

    // Keeps the pointer off the "Calculate Setting" button, so that its
    // tooltip never stands in the way of the next click.
    static void ParkPointer() { MoveMouseTo(POINT{4, 4}); }

    // Puts the caret at the end of the focused box, or selects all of it
    // (Home, then Shift+End: Wine's edit box has no Ctrl+A).
    static bool ToEndOrSelectAll(bool selectAll) {
        return selectAll ? PressKey(VK_HOME) && PressKey(VK_END, true) : PressKey(VK_END);
    }

    // Sends the step's input and updates the expected state to match.
    // Returns what went wrong, or an empty text.
    std::string Perform(const Action& action, soak::Model& model) {
        switch (action.kind) {
            case Kind::ClickOption:
                if (!ClickIn(action.target, action)) return Refused("click");
                model.Select(action.option.group, action.option.member);
                model.focus = action.target;
                return {};
            case Kind::ClickContact:
                if (!ClickIn(action.target, action)) return Refused("click");
                model.calcEnabled = true;
                ++contactClicks_;
                return {};
            case Kind::ClickCalculate:
                return PerformCalculate(action, model);
            case Kind::Tab:
            case Kind::ShiftTab: {
                const bool backwards = action.kind == Kind::ShiftTab;
                if (!PressKey(VK_TAB, backwards)) return "the key was refused";
                model.focus = model.NextStop(model.focus, backwards);
                return {};
            }
            case Kind::Arrow:
                if (!PressKey(action.key)) return "the key was refused";
                model.Arrow(action.key == VK_RIGHT || action.key == VK_DOWN);
                return {};
            case Kind::TypeSwitch5:
                if (!ClickIn(action.target, action) || !ToEndOrSelectAll(action.replace) ||
                    !TypeText(action.text)) {
                    return Refused("input");
                }
                model.focus = action.target;
                model.switches[4] = action.replace ? action.text : model.switches[4] + action.text;
                return {};
            case Kind::PasteSwitch5:
            case Kind::PasteLong:
                if (!clipboard_.Put(action.text)) return "the test could not fill the clipboard";
                if (!ClickIn(action.target, action) || !ToEndOrSelectAll(action.replace) ||
                    !PressChord(VK_CONTROL, 'V')) {
                    return Refused("input");
                }
                model.focus = action.target;
                model.switches[4] = action.replace ? action.text : model.switches[4] + action.text;
                return {};
            case Kind::EraseSwitch5:
                if (!ClickIn(action.target, action) || !PressKey(VK_END)) {
                    return Refused("input");
                }
                for (int i = 0; i < action.count; ++i) {
                    if (!PressKey(VK_BACK)) return "the key was refused";
                }
                model.focus = action.target;
                model.switches[4].resize(model.switches[4].size() -
                                         static_cast<std::size_t>(action.count));
                return {};
            case Kind::TryReadOnly:
                // Typing, Backspace, Delete and a paste: a read-only box keeps its text.
                if (!clipboard_.Put(action.text) || !ClickIn(action.target, action) ||
                    !PressKey(VK_END) || !TypeText(action.text) || !PressKey(VK_BACK) ||
                    !PressKey(VK_HOME) || !PressKey(VK_DELETE) || !PressChord(VK_CONTROL, 'V')) {
                    return Refused("input");
                }
                model.focus = action.target;
                return {};
            case Kind::ClickInert:
                if (!ClickIn(action.target, action)) return Refused("click");
                return {};
        }
        return "unknown step";
    }

    std::string PerformCalculate(const Action& action, soak::Model& model) {
        if (!ClickIn(action.target, action)) return Refused("click");
        ParkPointer();
        model.focus = kCalculatePos;
        if (model.calcEnabled) {
            model.Calculate();
            return {};
        }
        // Not enabled yet: the enable message comes up, and OK closes it.
        HWND box = nullptr;
        if (!WaitFor(kForWindow, [&] { return (box = FindOwnedDialog(app_.form())) != nullptr; })) {
            return "no message box came up while the calculation was not enabled";
        }
        ++messageBoxes_;
        const MessageBoxContents contents = ReadMessageBox(box);
        if (contents.caption != L"Tessivar" || contents.buttonTexts.size() != 1 ||
            contents.buttonTexts[0] != L"OK") {
            return "the message box is not the enable message: caption " +
                   Printable(contents.caption) + ", " + std::to_string(contents.buttons.size()) +
                   " buttons";
        }
        if (auto clicked = Click(contents.buttons[0]); !clicked) {
            return std::string("the click on OK failed: ") + clicked.message();
        }
        ParkPointer();
        if (!WaitFor(kForWindow, [&] { return !IsWindow(box); }))
            return "OK did not close the message box";
        return {};
    }

    // Waits until the program has handled all the input sent so far: one
    // more Tab (or Shift+Tab), whose effect on the focus the model knows, is
    // handled after everything before it. The direction is the one that
    // takes the focus somewhere it was not before the step, so that the
    // wait cannot end before the step itself has been handled.
    std::string Barrier(soak::Model& model, int focusBefore, const Wait& wait) {
        const int forward = model.NextStop(model.focus, false);
        const bool backwards = forward == focusBefore;
        const int target = backwards ? model.NextStop(model.focus, true) : forward;
        if (!PressKey(VK_TAB, backwards)) return "the key was refused";
        const int expectedBefore = model.focus;
        model.focus = target;
        if (WaitFor(wait, [&] { return app_.FocusedPosition() == target; })) return {};
        const int now = app_.FocusedPosition();
        if (HWND box = FindOwnedDialog(app_.form())) {
            return "a message box came up: " + Printable(ReadMessageBox(box).text, 60);
        }
        return "the focus is on " + ControlName(now) + " after " +
               (backwards ? "Shift+Tab" : "Tab") + "; expected " + ControlName(target) +
               " (Tab from " + ControlName(expectedBefore) + ")";
    }

    // The whole window against the model.
    std::string Check(const soak::Model& model) {
        if (!app_.Running()) return "the program has ended";
        if (!IsWindow(app_.form()) || !IsWindowVisible(app_.form())) {
            return "the window is gone";
        }
        if (HWND box = FindOwnedDialog(app_.form())) {
            return "a message box is open: " + Printable(ReadMessageBox(box).text, 60);
        }
        std::string problems;
        for (int g = 0; g < soak::kGroupCount; ++g) {
            const soak::GroupInfo& group = soak::kGroups[static_cast<std::size_t>(g)];
            std::vector<int> selected;
            for (int m = 0; m < group.members; ++m) {
                if (CheckedAt(soak::MemberPosition(g, m))) selected.push_back(m);
            }
            const int expected = model.selected[static_cast<std::size_t>(g)];
            if (selected.size() != 1 || selected[0] != expected) {
                problems += "; group " + ControlName(soak::MemberPosition(g, 0)) + ": ";
                if (selected.empty()) problems += "nothing";
                for (std::size_t i = 0; i < selected.size(); ++i) {
                    problems +=
                        (i ? " and " : "") + ControlName(soak::MemberPosition(g, selected[i]));
                }
                problems += " selected, expected " + ControlName(soak::MemberPosition(g, expected));
            }
        }
        const int focus = app_.FocusedPosition();
        if (focus != model.focus) {
            problems += "; the focus is on " + ControlName(focus) + ", expected " +
                        ControlName(model.focus);
        }
        for (int i = 0; i < 5; ++i) {
            const std::wstring text = TextAt(TxtSWPos(i));
            const std::wstring& expected = model.switches[static_cast<std::size_t>(i)];
            if (text != expected) {
                problems +=
                    "; Switch " + std::to_string(i + 1) + " " + DescribeDifference(text, expected);
            }
        }
        return problems.empty() ? problems : problems.substr(2);
    }

    BrowserLog log_;
    ClipboardOwner clipboard_;
    std::string clickProblem_;
    int contactClicks_ = 0;
    int messageBoxes_ = 0;
};

TEST_F(SoakTest, RandomUseKeepsTheWindowAsTheUserLeftIt) {
    const std::uint64_t seed = EnvNumber(L"TESSIVAR_SOAK_SEED", kDefaultSeed);
    const std::uint64_t actions = EnvNumber(L"TESSIVAR_SOAK_ACTIONS", kDefaultActions);
    std::printf("soak: seed %llu, %llu steps\n", static_cast<unsigned long long>(seed),
                static_cast<unsigned long long>(actions));
    std::fflush(stdout);
    RecordProperty("seed", std::to_string(seed));
    RecordProperty("steps", std::to_string(actions));

    soak::Model model;
    // Where the program puts the focus when it opens is its own choice; from
    // there on, the model follows every key and click.
    ASSERT_TRUE(WaitFor(kForInput, [&] { return app_.FocusedPosition() >= 0; }))
        << "no control has the focus at start";
    model.focus = app_.FocusedPosition();
    {
        const std::string problem = Check(model);
        ASSERT_TRUE(problem.empty()) << "before the first step: " << problem;
    }

    Random random(seed);
    std::deque<std::string> recent;
    std::map<std::string, int> counts;
    const auto started = std::chrono::steady_clock::now();
    double slowestMs = 0;
    std::string slowest;
    for (std::uint64_t step = 0; step < actions; ++step) {
        const Action action = NextAction(random, step, model);
        std::string description = "#" + std::to_string(step) + " " + action.Describe();
        if (action.kind == Kind::Tab || action.kind == Kind::ShiftTab ||
            action.kind == Kind::Arrow) {
            description += " on " + ControlName(model.focus);
        }
        const auto stepStarted = std::chrono::steady_clock::now();
        const int focusBefore = model.focus;
        std::string problem = Perform(action, model);
        if (problem.empty()) {
            problem = Barrier(model, focusBefore,
                              action.kind == Kind::PasteLong ? kForLongText : kForInput);
        }
        if (problem.empty()) problem = Check(model);
        if (!problem.empty()) {
            std::string before;
            for (const auto& line : recent) before += "\n    " + line;
            FAIL() << "step " << step << " of " << actions << " failed (seed " << seed
                   << "): " << description << "\n  " << problem
                   << "\n  repeat with TESSIVAR_SOAK_SEED=" << seed
                   << " TESSIVAR_SOAK_ACTIONS=" << step + 1 << "\n  the steps before it:" << before;
        }
        const double ms = std::chrono::duration<double, std::milli>(
                              std::chrono::steady_clock::now() - stepStarted)
                              .count();
        if (ms > slowestMs) {
            slowestMs = ms;
            slowest = description;
        }
        ++counts[KindName(action.kind)];
        recent.push_back(description);
        if (recent.size() > 8) recent.pop_front();
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    // Every click on the contact block asked for the page once.
    if (log_.available()) {
        EXPECT_TRUE(WaitFor(kForBrowser, [&] {
            return log_.Lines().size() >= static_cast<std::size_t>(contactClicks_);
        }));
        EXPECT_EQ(log_.Lines().size(), static_cast<std::size_t>(contactClicks_))
            << "requests to open the web page for " << contactClicks_ << " contact clicks";
    }

    std::printf("soak: %llu steps in %.1f s (%.0f ms a step; slowest %.0f ms: %s)\n",
                static_cast<unsigned long long>(actions), seconds,
                actions ? 1000.0 * seconds / static_cast<double>(actions) : 0.0, slowestMs,
                slowest.c_str());
    std::printf("soak: %d enable messages closed; Switch 5 ends with %zu units\n", messageBoxes_,
                model.switches[4].size());
    for (const auto& [kind, count] : counts) std::printf("  %5d  %s\n", count, kind.c_str());
    std::fflush(stdout);
}

}  // namespace
}  // namespace harness
