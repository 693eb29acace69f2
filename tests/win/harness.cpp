#include "harness.h"

#include "expected_layout.h"

#include <commctrl.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <sstream>

namespace harness {

namespace {

// GetProcAddress with the export's own type, through void (*)() so that no
// cast-function-type warning is needed.
template <typename Fn>
Fn ExportAs(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result,
                     const Wait& wait = kForAnswer) {
    const auto start = std::chrono::steady_clock::now();
    const bool answered = SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                              static_cast<UINT>(wait.limit.count()), result) != 0;
    NoteWait(wait, std::chrono::steady_clock::now() - start);
    return answered;
}

const Wait& ForText(std::size_t length) {
    return length >= kLongText ? kForLongText : kForAnswer;
}

bool IsExtendedKey(WORD vk) {
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_INSERT:
        case VK_DELETE:
            return true;
        default:
            return false;
    }
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags =
        (up ? KEYEVENTF_KEYUP : 0u) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0u);
    return input;
}

bool Send(std::vector<INPUT>& inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

struct EnumState {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<EnumState*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == state->processId &&
        (state->className == nullptr || SameClass(window, state->className))) {
        state->found->push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

// The tests measure the program in physical pixels: a test process that the
// system scales for DPI would see other windows' coordinates scaled too.
struct DpiAware {
    DpiAware() {
        using SetContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        if (auto set = ExportAs<SetContext>(user32, "SetProcessDpiAwarenessContext")) {
            if (set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2) ||
                set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE)) {
                return;
            }
        }
        SetProcessDPIAware();
    }
};
const DpiAware kDpiAware;

// The slowest wait of each kind so far, printed when the program ends so
// that the limits can be checked against what a run needed.
class SlowestWaits : public testing::Environment {
  public:
    static SlowestWaits& Instance() {
        static SlowestWaits* const instance = [] {
            auto* environment = new SlowestWaits;  // owned by GoogleTest
            testing::AddGlobalTestEnvironment(environment);
            return environment;
        }();
        return *instance;
    }

    void Note(const Wait& wait, std::chrono::steady_clock::duration took) {
        std::lock_guard<std::mutex> lock(mutex_);
        for (Entry& entry : entries_) {
            if (entry.wait == &wait) {
                entry.slowest = std::max(entry.slowest, took);
                ++entry.count;
                return;
            }
        }
        entries_.push_back(Entry{&wait, took, 1});
    }

    void TearDown() override {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const Entry& entry : entries_) {
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(entry.slowest);
            std::printf("harness: slowest wait for %s: %lld ms of %lld ms (%zu waits)\n",
                        entry.wait->what, static_cast<long long>(ms.count()),
                        static_cast<long long>(entry.wait->limit.count()), entry.count);
        }
    }

  private:
    struct Entry {
        const Wait* wait;
        std::chrono::steady_clock::duration slowest;
        std::size_t count;
    };
    std::mutex mutex_;
    std::vector<Entry> entries_;
};
// A test program that dies leaves what it printed up to then: its standard
// output is unbuffered, as its standard error is, rather than held back in
// a buffer that a crash would lose.
[[maybe_unused]] const int kUnbufferedOutput = std::setvbuf(stdout, nullptr, _IONBF, 0);

// Registered before the tests run, as GoogleTest requires of environments.
[[maybe_unused]] const SlowestWaits& kSlowestWaits = SlowestWaits::Instance();

}  // namespace

void NoteWait(const Wait& wait, std::chrono::steady_clock::duration took) {
    SlowestWaits::Instance().Note(wait, took);
}

// --- Text and paths -------------------------------------------------------

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring Env(const wchar_t* name) {
    const DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    const DWORD got = GetEnvironmentVariableW(name, value.data(), n);
    value.resize(got);
    return value;
}

std::wstring WindowsPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    // Wine converts Linux paths itself where it can; drive Z: is its
    // standard mapping of the Linux root otherwise.
    using DosName = WCHAR*(CDECL*)(const char*);
    if (auto toDos =
            ExportAs<DosName>(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")) {
        if (WCHAR* dos = toDos(Narrow(path).c_str())) {
            std::wstring result(dos);
            HeapFree(GetProcessHeap(), 0, dos);
            return result;
        }
    }
    std::wstring result = L"Z:" + path;
    std::replace(result.begin(), result.end(), L'/', L'\\');
    return result;
}

std::wstring TessivarExePath() {
    return WindowsPath(Env(L"TESSIVAR_EXE"));
}

// --- Windows and controls -------------------------------------------------

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    const int n = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<std::size_t>(n > 0 ? n : 0));
}

bool SameClass(HWND window, const wchar_t* className) {
    const std::wstring name = ClassName(window);
    return CompareStringOrdinal(name.c_str(), -1, className, -1, TRUE) == CSTR_EQUAL;
}

std::wstring Text(HWND window) {
    DWORD_PTR length = 0;
    if (!SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, &length)) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                         &copied, ForText(text.size()))) {
        return {};
    }
    text.resize(std::min<std::size_t>(static_cast<std::size_t>(copied), text.size() - 1));
    return text;
}

bool SetText(HWND window, const std::wstring& text) {
    DWORD_PTR result = 0;
    return SendWithTimeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result,
                           ForText(text.size())) &&
           result != 0;
}

bool IsChecked(HWND option) {
    DWORD_PTR state = 0;
    return SendWithTimeout(option, BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

RECT RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT Centre(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className) {
    std::vector<HWND> found;
    EnumState state{processId, className, &found};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
    return found;
}

HWND FindOwnedDialog(HWND owner) {
    DWORD pid = 0;
    GetWindowThreadProcessId(owner, &pid);
    for (HWND window : TopLevelWindows(pid, L"#32770")) {
        if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

HWND FocusedWindow(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(threadId, &info)) return nullptr;
    return info.hwndFocus;
}

bool Sync(HWND window) {
    DWORD_PTR result = 0;
    return SendWithTimeout(window, WM_NULL, 0, 0, &result);
}

// --- Input ----------------------------------------------------------------

bool BringToFront(HWND window) {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return WaitFor(kForWindow, [&] { return GetForegroundWindow() == window; });
}

// --- Watching the mouse -----------------------------------------------------

namespace {

// A window's class and process, which the hook records: no message is sent.
std::string ClassAndProcess(HWND window) {
    if (window == nullptr) return "no window";
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return Narrow(ClassName(window)) + " (process " + std::to_string(pid) + ")";
}

// Every mouse event the system handles, as a low-level hook sees it on its
// way to a window: where it happened, whether a program made it (the
// harness's own presses and releases carry its tags; SetCursorPos shows as a
// move set by a program), and what lay under it.
class MouseWatch {
  public:
    static MouseWatch& Instance() {
        static MouseWatch watch;
        return watch;
    }

    // Starts the hook's thread once; false if the hook could not be set.
    bool Ready() { return ready_; }

    std::size_t Count() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_.size();
    }
    std::vector<MouseEvent> Since(std::size_t mark) const {
        std::lock_guard<std::mutex> lock(mutex_);
        if (mark >= events_.size()) return {};
        return std::vector<MouseEvent>(events_.begin() + static_cast<std::ptrdiff_t>(mark),
                                       events_.end());
    }

    // Waits, as long as kForPointer allows, until done(events since mark)
    // holds; wakes with every event the hook sees. Returns its last value.
    template <typename Done>
    bool WaitUntil(std::size_t mark, Done&& done) {
        const auto start = std::chrono::steady_clock::now();
        std::unique_lock<std::mutex> lock(mutex_);
        auto since = [&] {
            return std::vector<MouseEvent>(
                events_.begin() + static_cast<std::ptrdiff_t>(std::min(mark, events_.size())),
                events_.end());
        };
        // Some conditions also ask the system (where the pointer is), which
        // changes without an event; the wait looks again now and then.
        bool result = false;
        while (!(result = done(since()))) {
            if (std::chrono::steady_clock::now() - start >= kForPointer.limit) break;
            changed_.wait_for(lock, 15ms);
        }
        lock.unlock();
        NoteWait(kForPointer, std::chrono::steady_clock::now() - start);
        return result;
    }

  private:
    MouseWatch() {
        HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, started] {
            // The hook runs on this thread while it waits for messages; the
            // system gives each event to it before any window sees it.
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
            hook_ = SetWindowsHookExW(WH_MOUSE_LL, HookProc, GetModuleHandleW(nullptr), 0);
            threadId_ = GetCurrentThreadId();
            ready_ = hook_ != nullptr;
            SetEvent(started);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
            if (hook_) UnhookWindowsHookEx(hook_);
        });
        WaitForSingleObject(started, INFINITE);
        CloseHandle(started);
    }
    ~MouseWatch() {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        if (thread_.joinable()) thread_.join();
    }

    static LRESULT CALLBACK HookProc(int code, WPARAM message, LPARAM lParam) {
        if (code == HC_ACTION) {
            const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
            MouseEvent event;
            event.message = static_cast<UINT>(message);
            event.point = info->pt;
            event.injected = (info->flags & LLMHF_INJECTED) != 0;
            event.tag = info->dwExtraInfo;
            event.window = WindowFromPoint(info->pt);
            event.root = event.window != nullptr ? GetAncestor(event.window, GA_ROOT) : nullptr;
            event.foreground = GetForegroundWindow();
            event.windowClass = ClassAndProcess(event.window);
            event.foregroundClass = ClassAndProcess(event.foreground);
            MouseWatch& watch = Instance();
            {
                std::lock_guard<std::mutex> lock(watch.mutex_);
                watch.events_.push_back(event);
            }
            watch.changed_.notify_all();
        }
        return CallNextHookEx(nullptr, code, message, lParam);
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<MouseEvent> events_;
    std::thread thread_;
    DWORD threadId_ = 0;
    HHOOK hook_ = nullptr;
    bool ready_ = false;
};

// Tags that mark the harness's own input in the hook's view.
ULONG_PTR NextTag() {
    static ULONG_PTR tag = 0x7E550000;
    return ++tag;
}

// A window for a person: its class, its text while it is still there, and
// its process.
std::string Describe(HWND window, const std::string& classAndProcess) {
    if (window == nullptr || !IsWindow(window)) return classAndProcess;
    return "\"" + Narrow(Text(window)) + "\" " + classAndProcess;
}
std::string Describe(HWND window) {
    return Describe(window, ClassAndProcess(window));
}

const char* MessageName(UINT message) {
    switch (message) {
        case WM_MOUSEMOVE:
            return "move";
        case WM_LBUTTONDOWN:
            return "press";
        case WM_LBUTTONUP:
            return "release";
        default:
            return "other";
    }
}

}  // namespace

std::vector<MouseEvent> MouseEventsSince(std::size_t mark) {
    return MouseWatch::Instance().Since(mark);
}

std::size_t MouseEventMark() {
    return MouseWatch::Instance().Count();
}

std::string DescribeMouseEvents(const std::vector<MouseEvent>& events) {
    std::ostringstream out;
    for (const MouseEvent& e : events) {
        out << "  " << MessageName(e.message) << " at (" << e.point.x << ", " << e.point.y << ")"
            << (!e.injected  ? " reported by the display"
                : e.tag != 0 ? " by the harness"
                             : " set by a program")
            << " over " << Describe(e.window, e.windowClass);
        if (e.foreground != e.root) {
            out << ", " << Describe(e.foreground, e.foregroundClass) << " in front";
        }
        out << "\n";
    }
    return out.str();
}

namespace {

// An absolute pointer position as SendInput takes it: normalised, rounded up
// so that it maps back onto the pixel.
void SetPoint(MOUSEINPUT& input, POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    input.dx = (screen.x * 65536 + width - 1) / width;
    input.dy = (screen.y * 65536 + height - 1) / height;
    input.dwFlags |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
}

bool IsAt(const MouseEvent& event, POINT screen) {
    return event.point.x == screen.x && event.point.y == screen.y;
}

}  // namespace

testing::AssertionResult MoveMouseTo(POINT screen) {
    MouseWatch& watch = MouseWatch::Instance();
    POINT at{};
    if (GetCursorPos(&at) && at.x == screen.x && at.y == screen.y) {
        return testing::AssertionSuccess();
    }
    const std::size_t mark = watch.Count();
    if (!SetCursorPos(screen.x, screen.y)) {
        return testing::AssertionFailure() << "the system refused the move";
    }
    // Under Wine on X, the move is carried out on the X display too, and
    // the X server reports it back to the program whose window lies under
    // the pointer, as it reports a real mouse; that program's display driver
    // turns the report into a move of its own when it next reads its X
    // events, which is late when it was busy (starting the browser, say). An
    // unawaited report would put the pointer back where it was between a
    // later move and its press, or between the press and the release. So
    // the move is done only once the display has reported it: the reports
    // come in order, so every earlier one has been handled by then. Over no
    // window there is no one to report it.
    HWND over = WindowFromPoint(screen);
    const bool reported = over != nullptr && over != GetDesktopWindow() && watch.Ready();
    const bool done = watch.WaitUntil(mark, [&](const std::vector<MouseEvent>& events) {
        if (!GetCursorPos(&at) || at.x != screen.x || at.y != screen.y) return false;
        if (!reported) return true;
        for (const MouseEvent& e : events) {
            if (!e.injected && IsAt(e, screen)) return true;
        }
        return false;
    });
    if (done) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "the pointer did not settle at (" << screen.x << ", " << screen.y << "): it is at ("
           << at.x << ", " << at.y << "); the mouse events since the move:\n"
           << DescribeMouseEvents(MouseEventsSince(mark));
}

namespace {

// One or two left clicks at a point, all in one go: each press and release
// carries the point. Succeeds once the low-level hook has seen every press
// and release at the point, with no move between them.
testing::AssertionResult ClicksAt(POINT screen, int clicks) {
    MouseWatch& watch = MouseWatch::Instance();
    if (!watch.Ready()) {
        return testing::AssertionFailure() << "no low-level mouse hook: cannot see clicks arrive";
    }
    // Two clicks close together in place and time make a double click, which
    // controls treat differently (an edit box then keeps its focus where it
    // was, a label reports a double click). The clicks asked for here are
    // clicks of their own, so a repeat waits until it can no longer pair up
    // with the last one.
    static POINT lastPoint{-1000, -1000};
    static std::chrono::steady_clock::time_point lastTime{};
    const std::chrono::milliseconds doubleClickTime(GetDoubleClickTime() + 50);
    if (std::abs(screen.x - lastPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(screen.y - lastPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK)) {
        std::this_thread::sleep_until(lastTime + doubleClickTime);
    }
    if (auto moved = MoveMouseTo(screen); !moved) return moved;

    const std::size_t mark = watch.Count();
    // Press, release, press, release: sent together, the second press
    // comes well within the double-click time of the first.
    std::vector<INPUT> inputs(2 * static_cast<std::size_t>(clicks));
    std::vector<ULONG_PTR> tags;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        tags.push_back(NextTag());
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        inputs[i].mi.dwExtraInfo = tags[i];
        // The presses and the releases carry the point themselves.
        SetPoint(inputs[i].mi, screen);
    }
    if (!Send(inputs)) return testing::AssertionFailure() << "the system refused the click";
    lastPoint = screen;
    lastTime = std::chrono::steady_clock::now();

    // The click is made once the system has handled every half at the point,
    // with no other move between them (one would make a button let go).
    std::vector<MouseEvent> events;
    std::vector<std::ptrdiff_t> seen(tags.size(), -1);
    watch.WaitUntil(mark, [&](const std::vector<MouseEvent>& all) {
        events = all;
        for (std::size_t i = 0; i < events.size(); ++i) {
            for (std::size_t t = 0; t < tags.size(); ++t) {
                if (events[i].tag == tags[t]) seen[t] = static_cast<std::ptrdiff_t>(i);
            }
        }
        return std::find(seen.begin(), seen.end(), -1) == seen.end();
    });
    std::string problem;
    if (std::find(seen.begin(), seen.end(), -1) != seen.end()) {
        problem = "was not seen whole";
    } else {
        for (std::ptrdiff_t at : seen) {
            if (!IsAt(events[static_cast<std::size_t>(at)], screen)) problem = "went astray";
        }
        for (std::ptrdiff_t i = seen.front() + 1; problem.empty() && i < seen.back(); ++i) {
            if (!IsAt(events[static_cast<std::size_t>(i)], screen))
                problem = "was broken by a move";
        }
    }
    if (problem.empty()) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "the " << (clicks == 2 ? "double click" : "click") << " at (" << screen.x << ", "
           << screen.y << ") " << problem << "; the mouse events since the press:\n"
           << DescribeMouseEvents(events);
}

}  // namespace

testing::AssertionResult ClickAt(POINT screen) {
    return ClicksAt(screen, 1);
}

testing::AssertionResult DoubleClickAt(POINT screen) {
    return ClicksAt(screen, 2);
}

namespace {

testing::AssertionResult ClicksOn(HWND control, int clicks) {
    HWND top = GetAncestor(control, GA_ROOT);
    if (!BringToFront(top)) {
        return testing::AssertionFailure() << Describe(top) << " did not come to the front; "
                                           << Describe(GetForegroundWindow()) << " is there";
    }
    RECT rect{};
    GetWindowRect(control, &rect);
    const POINT centre = Centre(rect);
    const std::size_t mark = MouseEventMark();
    testing::AssertionResult clicked = ClicksAt(centre, clicks);
    if (!clicked) return clicked << "(clicking " << Describe(control) << ")";
    for (const MouseEvent& e : MouseEventsSince(mark)) {
        if (e.message == WM_LBUTTONDOWN || e.message == WM_LBUTTONUP) {
            if (e.root != top) {
                return testing::AssertionFailure()
                       << "the " << MessageName(e.message) << " for " << Describe(control)
                       << " reached " << Describe(e.window, e.windowClass)
                       << "; the mouse events:\n"
                       << DescribeMouseEvents(MouseEventsSince(mark));
            }
        }
    }
    return testing::AssertionSuccess();
}

}  // namespace

testing::AssertionResult Click(HWND control) {
    return ClicksOn(control, 1);
}

testing::AssertionResult DoubleClick(HWND control) {
    return ClicksOn(control, 2);
}

bool PressKey(WORD virtualKey, bool shift) {
    std::vector<INPUT> inputs;
    if (shift) inputs.push_back(KeyInput(VK_SHIFT, false));
    inputs.push_back(KeyInput(virtualKey, false));
    inputs.push_back(KeyInput(virtualKey, true));
    if (shift) inputs.push_back(KeyInput(VK_SHIFT, true));
    return Send(inputs);
}

bool PressChord(WORD modifier, WORD virtualKey) {
    std::vector<INPUT> inputs{KeyInput(modifier, false), KeyInput(virtualKey, false),
                              KeyInput(virtualKey, true), KeyInput(modifier, true)};
    return Send(inputs);
}

bool TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t ch : text) {
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(ch);
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0u);
            inputs.push_back(input);
        }
    }
    return inputs.empty() || Send(inputs);
}

// --- Message boxes --------------------------------------------------------

MessageBoxContents ReadMessageBox(HWND box) {
    MessageBoxContents contents;
    contents.caption = Text(box);
    for (HWND child : Children(box)) {
        if (GetParent(child) != box || !IsWindowVisible(child)) continue;
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (SameClass(child, L"Static")) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                DWORD_PTR icon = 0;
                SendWithTimeout(child, STM_GETICON, 0, 0, &icon);
                if (icon != 0) contents.hasIcon = true;
            } else {
                const std::wstring text = Text(child);
                if (!text.empty()) {
                    if (!contents.text.empty()) contents.text += L"\n";
                    contents.text += text;
                }
            }
        } else if (SameClass(child, L"Button")) {
            contents.buttons.push_back(child);
            contents.buttonTexts.push_back(Text(child));
        }
    }
    return contents;
}

// --- Tooltips -------------------------------------------------------------

std::vector<Tool> EnumTools(HANDLE process, HWND tooltip) {
    std::vector<Tool> tools;
    constexpr std::size_t kTextChars = 1024;
    const std::size_t bytes = sizeof(TOOLINFOW) + kTextChars * sizeof(wchar_t);
    void* remote =
        VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr) return tools;
    auto* remoteBytes = static_cast<unsigned char*>(remote);
    auto* remoteText = reinterpret_cast<wchar_t*>(remoteBytes + sizeof(TOOLINFOW));

    auto readBack = [&](TOOLINFOW* info, std::wstring* text) {
        std::vector<wchar_t> buffer(kTextChars, L'\0');
        SIZE_T got = 0;
        if (!ReadProcessMemory(process, remote, info, sizeof *info, &got)) return false;
        if (!ReadProcessMemory(process, remoteText, buffer.data(), kTextChars * sizeof(wchar_t),
                               &got)) {
            return false;
        }
        buffer.back() = L'\0';
        *text = buffer.data();
        return true;
    };
    auto writeOut = [&](const TOOLINFOW& info) {
        const std::vector<wchar_t> empty(kTextChars, L'\0');
        SIZE_T put = 0;
        return WriteProcessMemory(process, remote, &info, sizeof info, &put) &&
               WriteProcessMemory(process, remoteText, empty.data(), kTextChars * sizeof(wchar_t),
                                  &put);
    };

    DWORD_PTR count = 0;
    SendWithTimeout(tooltip, TTM_GETTOOLCOUNT, 0, 0, &count);
    for (DWORD_PTR i = 0; i < count; ++i) {
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.lpszText = remoteText;
        if (!writeOut(info)) break;
        DWORD_PTR ok = 0;
        if (!SendWithTimeout(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote), &ok) ||
            !ok) {
            continue;
        }
        Tool tool;
        if (!readBack(&info, &tool.text)) break;
        tool.flags = info.uFlags;
        tool.window = info.hwnd;
        tool.id = info.uId;
        tool.rect = info.rect;
        if (tool.text.empty()) {
            // Some versions fill the text only on TTM_GETTEXT.
            TOOLINFOW query{};
            query.cbSize = sizeof query;
            query.hwnd = tool.window;
            query.uId = tool.id;
            query.lpszText = remoteText;
            if (writeOut(query)) {
                SendWithTimeout(tooltip, TTM_GETTEXTW, kTextChars, reinterpret_cast<LPARAM>(remote),
                                &ok);
                readBack(&query, &tool.text);
            }
        }
        tools.push_back(tool);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return tools;
}

// --- Pixels ---------------------------------------------------------------

Image CaptureClient(HWND window) {
    Image image;
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    image.width = client.right - client.left;
    image.height = client.bottom - client.top;
    if (image.width <= 0 || image.height <= 0) return Image{};

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib != nullptr) {
        HGDIOBJ previous = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, image.width, image.height, screen, origin.x, origin.y,
               SRCCOPY | CAPTUREBLT);
        GdiFlush();
        const auto* source = static_cast<const std::uint32_t*>(bits);
        image.pixels.assign(source, source + static_cast<std::size_t>(image.width) *
                                                 static_cast<std::size_t>(image.height));
        for (auto& p : image.pixels) p &= 0x00FFFFFFu;
        SelectObject(memory, previous);
        DeleteObject(dib);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (image.pixels.empty()) return Image{};
    return image;
}

Image CaptureSettled(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sync(window);
    Image last = CaptureClient(window);
    WaitFor(kForScreen, [&] {
        std::this_thread::sleep_for(100ms);
        Image next = CaptureClient(window);
        const bool same = next == last;
        last = std::move(next);
        return same;
    });
    return last;
}

bool SaveBmp(const Image& image, const std::wstring& path) {
    if (image.width <= 0 || image.height <= 0) return false;
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);

    const std::size_t rowBytes = (static_cast<std::size_t>(image.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t dataBytes = rowBytes * static_cast<std::size_t>(image.height);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + dataBytes);
    header.biSize = sizeof header;
    header.biWidth = image.width;
    header.biHeight = image.height;  // bottom row first
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(dataBytes);

    std::vector<unsigned char> data(dataBytes, 0);
    for (int y = 0; y < image.height; ++y) {
        unsigned char* row =
            data.data() + rowBytes * static_cast<std::size_t>(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t p = image.At(x, y);
            row[3 * x + 0] = static_cast<unsigned char>(Blue(p));
            row[3 * x + 1] = static_cast<unsigned char>(Green(p));
            row[3 * x + 2] = static_cast<unsigned char>(Red(p));
        }
    }

    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof file, &written, nullptr) &&
              WriteFile(out, &header, sizeof header, &written, nullptr) &&
              WriteFile(out, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(out);
    return ok;
}

std::wstring CapturePath(const std::wstring& name) {
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    return std::wstring(directory) + L"\\captures\\" + name;
}

// --- The program ----------------------------------------------------------

App::~App() {
    Kill();
    if (process_ != nullptr) CloseHandle(process_);
    if (job_ != nullptr) CloseHandle(job_);
}

bool App::Start(const std::wstring& exePath, std::wstring* error, bool countStarts) {
    auto fail = [&](const std::wstring& why) {
        if (error != nullptr) *error = why;
        return false;
    };
    if (exePath.empty()) return fail(L"TESSIVAR_EXE is not set");
    if (GetFileAttributesW(exePath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return fail(L"no such program: " + exePath);
    }
    std::wstring commandLine = L"\"" + exePath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (countStarts && (job_ = CreateJobObjectW(nullptr, nullptr)) == nullptr) {
        return fail(L"CreateJobObjectW failed with error " + std::to_wstring(GetLastError()));
    }
    // In the job before it runs a single instruction.
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        countStarts ? CREATE_SUSPENDED : 0u, nullptr, nullptr, &startup, &info)) {
        return fail(L"CreateProcessW failed with error " + std::to_wstring(GetLastError()));
    }
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    if (countStarts) {
        const bool joined = AssignProcessToJobObject(job_, process_) != FALSE;
        const DWORD why = GetLastError();
        ResumeThread(info.hThread);
        if (!joined) {
            CloseHandle(info.hThread);
            return fail(L"AssignProcessToJobObject failed with error " + std::to_wstring(why));
        }
    }
    CloseHandle(info.hThread);

    WaitFor(kForWindow, [&] {
        if (!Running()) return true;
        for (HWND window : TopLevelWindows(processId_, L"TessivarForm")) {
            if (Text(window) == L"TESSIVAR" && IsWindowVisible(window)) {
                form_ = window;
                controls_.clear();
                return true;
            }
        }
        return false;
    });
    if (form_ == nullptr) {
        return fail(Running() ? L"the window \"TESSIVAR\" did not appear"
                              : L"the program ended before showing its window");
    }
    threadId_ = GetWindowThreadProcessId(form_, nullptr);
    return true;
}

HWND App::Control(int position) const {
    if (position < 0) return nullptr;
    const auto at = static_cast<std::size_t>(position);
    if (at >= controls_.size()) controls_.resize(at + 1, nullptr);
    if (controls_[at] == nullptr) controls_[at] = GetDlgItem(form_, ControlId(position));
    return controls_[at];
}

int App::PositionOf(HWND control) const {
    if (control == nullptr || GetParent(control) != form_) return -1;
    const int id = GetDlgCtrlID(control);
    return id >= ControlId(0) && id < ControlId(kControlCount) ? id - kFirstControlId : -1;
}

int App::FocusedPosition() const {
    return PositionOf(FocusedWindow(threadId_));
}

int App::ProcessesStarted() const {
    if (job_ == nullptr) return -1;
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting,
                                   sizeof accounting, nullptr)) {
        return -1;
    }
    // The program itself is the first.
    return static_cast<int>(accounting.TotalProcesses) - 1;
}

bool App::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool App::WaitForExit() const {
    if (process_ == nullptr) return true;
    const auto start = std::chrono::steady_clock::now();
    const bool ended =
        WaitForSingleObject(process_, static_cast<DWORD>(kForExit.limit.count())) == WAIT_OBJECT_0;
    NoteWait(kForExit, std::chrono::steady_clock::now() - start);
    return ended;
}

void App::Kill() {
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForExit();
    }
}

// --- The stand-in browser's log -------------------------------------------

BrowserLog::BrowserLog() : path_(WindowsPath(Env(L"TESSIVAR_BROWSER_LOG"))) {}

void BrowserLog::Clear() const {
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

std::vector<std::string> BrowserLog::Lines() const {
    std::vector<std::string> lines;
    HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lines;
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        content.append(buffer, got);
    }
    CloseHandle(file);
    // Only whole lines: the stand-in may be writing the last one right now.
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = content.find('\n', start);
        if (end == std::string::npos) break;
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

}  // namespace harness
