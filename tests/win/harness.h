// Drives the real Tessivar.exe from another process, as a user would: starts
// it, finds its window and controls, clicks and types with SendInput, reads
// texts and option states, finds message boxes and tooltips, and captures the
// window's pixels.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace harness {

using namespace std::chrono_literals;

// Long enough for a slow start under Wine; every wait polls, so a fast
// machine never waits this long.
constexpr std::chrono::milliseconds kTimeout = 20s;

// Polls pred until it holds or the timeout runs out; returns its last value.
template <typename Pred>
bool WaitFor(Pred&& pred, std::chrono::milliseconds timeout = kTimeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (pred()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return pred();
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
// A left click at a point on the screen. False if the input was refused.
bool ClickAt(POINT screen);
// A left click at the centre of a control, its top-level window brought to
// the front first. Falls back to BM_CLICK only where the system refuses
// synthetic input altogether.
bool Click(HWND control);
// Moves the pointer without clicking.
bool MoveMouseTo(POINT screen);
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
    // failure, error says why.
    bool Start(const std::wstring& exePath, std::wstring* error);

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

    bool Running() const;
    // Waits for the process to end by itself.
    bool WaitForExit(std::chrono::milliseconds timeout = kTimeout) const;
    // Ends the process at once.
    void Kill();

  private:
    HANDLE process_ = nullptr;
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
