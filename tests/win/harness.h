// Drives the real Tessivar.exe from another process, as a user would: starts
// it, finds its window and controls, clicks and types with SendInput, reads
// texts and option states, finds message boxes and tooltips, and captures the
// window's pixels.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace harness {

using namespace std::chrono_literals;

// What a wait waits for, and the longest it may take. Every wait polls, so
// a quick machine never waits long; a limit only decides when a wait is
// given up as a failure. Each lies more than ten times beyond the slowest
// wait of its kind in three whole runs on a 2-core machine with both cores
// busy (the figure beside each, in 2026-12); every test program prints its
// own slowest waits at its end, beside their limits.
struct Wait {
    const char* what;
    std::chrono::milliseconds limit;
};
// A window of the program coming up, going away or changing state: the
// program started and its window shown, a message box opened or closed
// (slowest seen: 4.1 s).
inline constexpr Wait kForWindow{"a window to come up or go", 60s};
// The program acting on input it has been given: a click or a key handled,
// an option selected, the focus moved, a text typed or pasted (5.3 s, the
// first paste into Switch 5 in a run).
inline constexpr Wait kForInput{"the program to act on input", 60s};
// The display reporting the pointer where the harness put it, and the
// system handing the harness's own click to its hook (1.6 s).
inline constexpr Wait kForPointer{"the pointer to get where it was put", 30s};
// The stand-in browser logging a request: the shell starts it through Wine
// (1.3 s).
inline constexpr Wait kForBrowser{"the browser to be asked for the page", 60s};
// The program ending, after Exit, the close box or the harness's own kill
// (0.3 s).
inline constexpr Wait kForExit{"the program to end", 30s};
// The window painted and still, the clipboard free, a tooltip shown
// (0.5 s).
inline constexpr Wait kForScreen{"the screen or the clipboard to settle", 30s};
// A text of thousands of characters set, read, typed onto or pasted into
// Switch 5: Wine's edit box takes time in proportion to its length (3.2 s,
// for a box filled up to the edit box's default limit; 0.4 s for a paste of
// 100,000 characters).
inline constexpr Wait kForLongText{"the program to handle a long text", 120s};
// Texts from this many characters on are long.
inline constexpr std::size_t kLongText = 1000;
// One message sent to a window of the program and answered: a text read or
// set, an option's state asked for (1.8 s).
inline constexpr Wait kForAnswer{"the program to answer a message", 30s};

// Notes how long a wait of this kind took; the slowest of each kind is
// printed when the test program ends.
void NoteWait(const Wait& wait, std::chrono::steady_clock::duration took);

// Polls pred until it holds or the wait's limit runs out; returns its last
// value.
template <typename Pred>
bool WaitFor(const Wait& wait, Pred&& pred) {
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = start + wait.limit;
    for (;;) {
        if (pred()) {
            NoteWait(wait, std::chrono::steady_clock::now() - start);
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            const bool last = pred();
            NoteWait(wait, std::chrono::steady_clock::now() - start);
            return last;
        }
        std::this_thread::sleep_for(15ms);
    }
}

// --- Text and paths -------------------------------------------------------

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& text);
// An environment variable, empty when unset.
std::wstring Env(const wchar_t* name);
// A path as the Windows side can open it: a Linux path (starting with '/')
// is reached through Wine's drive Z:.
std::wstring WindowsPath(const std::wstring& path);
// Tessivar.exe, from the environment variable TESSIVAR_EXE.
std::wstring TessivarExePath();

// --- Windows and controls -------------------------------------------------

std::wstring ClassName(HWND window);
// The text as the control itself reports it (WM_GETTEXT, which is
// marshalled across processes), so edit boxes give what the user typed.
std::wstring Text(HWND window);
bool SetText(HWND window, const std::wstring& text);
bool IsChecked(HWND option);
bool SameClass(HWND window, const wchar_t* className);
// The control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND control);
POINT Centre(const RECT& rect);
bool Overlap(const RECT& a, const RECT& b);
// Top-level windows of one process, optionally of one class.
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className = nullptr);
// The dialog owned by owner, as MessageBoxW makes it; nullptr if none.
HWND FindOwnedDialog(HWND owner);
// The window with the keyboard focus in the given GUI thread.
HWND FocusedWindow(DWORD threadId);
// A round trip through the window's message queue: returns once every
// message sent or posted before it has been handled.
bool Sync(HWND window);

// --- Input ----------------------------------------------------------------

// Makes window the foreground window, so that keys go to it.
bool BringToFront(HWND window);
// A left click at a point on the screen, the press and the release each
// carrying the point. Succeeds once a low-level mouse hook has seen both
// reach that point; otherwise says what the mouse did instead.
testing::AssertionResult ClickAt(POINT screen);
// A left click at the centre of a control, its top-level window brought to
// the front first; fails, with what happened, unless the press and the
// release reached that point over the control's own window.
testing::AssertionResult Click(HWND control);
// A double click, the same way: two clicks at one point, the second press
// well within the system's double-click time of the first.
testing::AssertionResult DoubleClickAt(POINT screen);
testing::AssertionResult DoubleClick(HWND control);

// A mouse event as the system handled it.
struct MouseEvent {
    UINT message = 0;  // WM_MOUSEMOVE, WM_LBUTTONDOWN, ...
    POINT point{};
    bool injected = false;  // made by a program, not by the display
    ULONG_PTR tag = 0;      // the harness's own tag, else what its maker gave
    // What lay under the point and what was in front, as the hook saw them
    // (the windows may be gone by the time anyone asks, as a message box
    // is once its OK button has been clicked).
    HWND window = nullptr;
    HWND root = nullptr;  // the window's top-level window
    HWND foreground = nullptr;
    std::string windowClass;  // with its process
    std::string foregroundClass;
};
std::size_t MouseEventMark();
std::vector<MouseEvent> MouseEventsSince(std::size_t mark);
std::string DescribeMouseEvents(const std::vector<MouseEvent>& events);
// Moves the pointer without clicking, and waits until the system and the
// display agree that it is there.
testing::AssertionResult MoveMouseTo(POINT screen);
// A key press; shift held down around it when asked.
bool PressKey(WORD virtualKey, bool shift = false);
// A key chord held while another is pressed (Ctrl+C and the like).
bool PressChord(WORD modifier, WORD virtualKey);
// Types text one character at a time as Unicode key events.
bool TypeText(const std::wstring& text);

// --- Message boxes --------------------------------------------------------

struct MessageBoxContents {
    std::wstring caption;
    std::wstring text;          // the static text other than the icon
    std::vector<HWND> buttons;  // visible buttons
    std::vector<std::wstring> buttonTexts;
    bool hasIcon = false;  // a visible icon static showing an icon
};
MessageBoxContents ReadMessageBox(HWND box);

// --- Tooltips -------------------------------------------------------------

struct Tool {
    UINT flags = 0;
    HWND window = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    std::wstring text;
};
// Every tool of a tooltip window of another process. The TOOLINFOW and the
// text buffer live in that process's memory, where the control writes them.
std::vector<Tool> EnumTools(HANDLE process, HWND tooltip);

// --- Pixels ---------------------------------------------------------------

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first

    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    bool operator==(const Image& other) const {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
};
inline int Red(std::uint32_t p) {
    return static_cast<int>((p >> 16) & 0xFF);
}
inline int Green(std::uint32_t p) {
    return static_cast<int>((p >> 8) & 0xFF);
}
inline int Blue(std::uint32_t p) {
    return static_cast<int>(p & 0xFF);
}

// The client area of window as it is on the screen.
Image CaptureClient(HWND window);
// Captures until two captures in a row agree (painting has settled).
Image CaptureSettled(HWND window);
// Writes a 24-bit BMP for a person to look at; the directory is created.
bool SaveBmp(const Image& image, const std::wstring& path);
// Where captures go: the directory "captures" under the current directory.
std::wstring CapturePath(const std::wstring& name);

// --- The program ----------------------------------------------------------

// One running copy of Tessivar.exe. Ends the process, if it still runs, when
// the object goes.
class App {
  public:
    App() = default;
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Starts the program and waits until its main window is visible. On
    // failure, error says why. With countStarts, the program runs in a job
    // of its own, which every process it starts joins, so that
    // ProcessesStarted can count them.
    bool Start(const std::wstring& exePath, std::wstring* error, bool countStarts = false);

    HWND form() const { return form_; }
    HANDLE process() const { return process_; }
    DWORD processId() const { return processId_; }
    DWORD threadId() const { return threadId_; }

    // The control at a tab position (ID ControlId(position)). The form's controls
    // live as long as the form, so each is looked up once: under Wine every
    // GetDlgItem on another process's window asks the server about each
    // child in turn, milliseconds a call.
    HWND Control(int position) const;
    // The tab position of a control of the form, or -1.
    int PositionOf(HWND control) const;
    // The tab position of the focused control, or -1.
    int FocusedPosition() const;

    // How many processes the program has started so far (the shell's
    // browser for each request to open a web page, under Wine), or -1 when
    // it was not started to count them. Creating a process is done when
    // the call that does it returns, so once the program has handled an
    // input, the processes it started for it are counted.
    int ProcessesStarted() const;

    bool Running() const;
    // Waits for the process to end by itself.
    bool WaitForExit() const;
    // Ends the process at once.
    void Kill();

  private:
    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr;
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
    HWND form_ = nullptr;
    mutable std::vector<HWND> controls_;
};

// The request log written by the stand-in browser (TESSIVAR_BROWSER_LOG):
// one line per argument it was given.
class BrowserLog {
  public:
    BrowserLog();
    // False when the test runs without the stand-in.
    bool available() const { return !path_.empty(); }
    // Empties the log.
    void Clear() const;
    std::vector<std::string> Lines() const;

  private:
    std::wstring path_;
};

}  // namespace harness
