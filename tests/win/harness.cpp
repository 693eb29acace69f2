#include "harness.h"

#include "expected_layout.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace harness {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

// GetProcAddress with the export's own type, through void (*)() so that no
// cast-function-type warning is needed.
template <typename Fn>
Fn ExportAs(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               result) != 0;
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

}  // namespace

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
                         &copied)) {
        return {};
    }
    text.resize(std::min<std::size_t>(static_cast<std::size_t>(copied), text.size() - 1));
    return text;
}

bool SetText(HWND window, const std::wstring& text) {
    DWORD_PTR result = 0;
    return SendWithTimeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                           &result) &&
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
    return WaitFor([&] { return GetForegroundWindow() == window; }, 5s);
}

bool MoveMouseTo(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs(1);
    inputs[0].type = INPUT_MOUSE;
    // Normalised coordinates, rounded up so that they map back onto the pixel.
    inputs[0].mi.dx = (screen.x * 65536 + width - 1) / width;
    inputs[0].mi.dy = (screen.y * 65536 + height - 1) / height;
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return Send(inputs);
}

bool ClickAt(POINT screen) {
    // Two clicks close together in place and time make a double click, which
    // controls treat differently (an edit box then keeps its focus where it
    // was, a label reports a double click). Each click here is a click of
    // its own, so a repeat waits until it can no longer pair up.
    static POINT lastPoint{-1000, -1000};
    static std::chrono::steady_clock::time_point lastTime{};
    const std::chrono::milliseconds doubleClickTime(GetDoubleClickTime() + 50);
    if (std::abs(screen.x - lastPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
        std::abs(screen.y - lastPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK)) {
        std::this_thread::sleep_until(lastTime + doubleClickTime);
    }
    // The pointer must be where the click is meant to land: on a busy
    // machine the move can be overtaken by the display's report of an
    // earlier pointer position, so it is made again until it holds.
    for (int attempt = 0;; ++attempt) {
        if (!MoveMouseTo(screen)) return false;
        POINT at{};
        if (WaitFor(
                [&] { return GetCursorPos(&at) && at.x == screen.x && at.y == screen.y; }, 1s)) {
            break;
        }
        if (attempt == 2) return false;
    }
    std::vector<INPUT> inputs(2);
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    const bool sent = Send(inputs);
    lastPoint = screen;
    lastTime = std::chrono::steady_clock::now();
    return sent;
}

bool Click(HWND control) {
    HWND top = GetAncestor(control, GA_ROOT);
    BringToFront(top);
    RECT rect{};
    GetWindowRect(control, &rect);
    if (ClickAt(Centre(rect))) return true;
    // The system refused synthetic input: deliver the click to the control.
    if (SameClass(control, L"Button")) return PostMessageW(control, BM_CLICK, 0, 0) != 0;
    const LPARAM at = MAKELPARAM((rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2);
    return PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at) &&
           PostMessageW(control, WM_LBUTTONUP, 0, at);
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
    WaitFor([&] {
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
}

bool App::Start(const std::wstring& exePath, std::wstring* error) {
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
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        return fail(L"CreateProcessW failed with error " + std::to_wstring(GetLastError()));
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;

    WaitFor([&] {
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

bool App::Running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool App::WaitForExit(std::chrono::milliseconds timeout) const {
    if (process_ == nullptr) return true;
    return WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

void App::Kill() {
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 10000);
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
