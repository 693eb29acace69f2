#include "frmMain.h"

#include <string_view>
#include <tuple>

#include "newer_functions.h"
#include "switch_encoder.h"
#include "version.h"

namespace tessivar {
namespace {

constexpr wchar_t kClassName[] = L"TessivarForm";
constexpr UINT kCreateToolTipMessage = WM_APP + 1;
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// The controls the handlers use, looked up in the layout when the program is
// built; the arrays the calculation reads have as many members as it takes.
template <typename Array>
constexpr std::size_t kSizeOf = std::tuple_size_v<Array>;
constexpr auto OptOperation =
    MembersOf<kSizeOf<decltype(SwitchSelection::OptOperation)>>(L"OptOperation");
constexpr auto optBaudRate =
    MembersOf<kSizeOf<decltype(SwitchSelection::optBaudRate)>>(L"optBaudRate");
constexpr auto optProtocol =
    MembersOf<kSizeOf<decltype(SwitchSelection::optProtocol)>>(L"optProtocol");
constexpr auto optCH = MembersOf<kSizeOf<decltype(SwitchSelection::optCH)>>(L"optCH");
constexpr auto txtSW = MembersOf<5>(L"txtSW");
constexpr int cmdCalculate = PositionOf(L"cmdCalculate");
constexpr int cmdExit = PositionOf(L"cmdExit");
constexpr int lblVersion = PositionOf(L"lblVersion");

// The form's outer size at a DPI: its client area and the frame around it.
SIZE FormSizeAt(Dpi dpi) {
    return dpi.WindowSize(kClientTwips, kFormStyle, kFormExStyle);
}

// The top-left corner that centres a window of `size` in `area`.
POINT CentredIn(const RECT& area, SIZE size) {
    return POINT{area.left + (area.right - area.left - size.cx) / 2,
                 area.top + (area.bottom - area.top - size.cy) / 2};
}

}  // namespace

frmMain::frmMain(HINSTANCE instance, ShellLibrary& shell) : instance_(instance), shell_(shell) {}

frmMain::~frmMain() {
    // The form before its owner, whose destruction would take it along.
    if (hwnd_) DestroyWindow(hwnd_);
}

bool frmMain::Load() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(instance_, kClassName, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance_;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground =
            reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        windowClass.lpszClassName = kClassName;
        if (!RegisterClassExW(&windowClass)) return false;
    }

    // Without its owner the form would show in the taskbar.
    owner_.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 instance_, nullptr));
    if (!owner_) return false;
    // The DPI comes first, so that the form is created at its final size,
    // centred on the primary monitor's work area, and never resized or moved.
    dpi_ = Dpi::OfSystem();
    SIZE size = FormSizeAt(dpi_);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    POINT at = CentredIn(work, size);
    if (!CreateWindowExW(kFormExStyle, kClassName, kFormCaption, kFormStyle, at.x, at.y, size.cx,
                         size.cy, owner_.get(), nullptr, instance_, this)) {
        return false;
    }
    // A primary monitor whose DPI changed since sign-in differs from the
    // system DPI; there the form is laid out for the monitor it is on.
    if (const Dpi windowDpi = Dpi::OfWindow(hwnd_); windowDpi != dpi_) {
        dpi_ = windowDpi;
        size = FormSizeAt(dpi_);
        at = CentredIn(work, size);
        SetWindowPos(hwnd_, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    CreateFonts();
    CreateControls();
    LoadIcons();

    Form_Load();
    return true;
}

void frmMain::Show() {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
    // The tooltip is only needed once the user points at the button, so the
    // common controls library is loaded after the window is on the screen.
    PostMessageW(hwnd_, kCreateToolTipMessage, 0, 0);
}

void frmMain::RunUntilClosed() {
    MSG msg;
    while (hwnd_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

LRESULT CALLBACK frmMain::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form =
            static_cast<frmMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<frmMain*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        form->hwnd_ = nullptr;
        form->toolTip_ = nullptr;
        form->controls_.fill(nullptr);
        // The window can be destroyed by a message sent from elsewhere, which
        // GetMessage handles without returning; a posted message wakes the
        // message loop so that it sees the window is gone.
        PostMessageW(nullptr, WM_NULL, 0, 0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return form->HandleMessage(message, wParam, lParam);
}

LRESULT frmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int position = PositionOfWindow(reinterpret_cast<HWND>(lParam));
            if (position >= 0) OnCommand(position, HIWORD(wParam));
            return 0;  // also swallows IDOK and IDCANCEL from dialog navigation
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return OnControlColour(message, reinterpret_cast<HDC>(wParam),
                                   reinterpret_cast<HWND>(lParam));
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case newer::kWmGetDpiScaledSize:
            // The system asks before a move to a monitor of another DPI; the
            // answer makes the rectangle it then suggests exact.
            *reinterpret_cast<SIZE*>(lParam) = FormSizeAt(Dpi(LOWORD(wParam)));
            return TRUE;
        case WM_DPICHANGED:
            OnDpiChanged(Dpi(HIWORD(wParam)), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case kCreateToolTipMessage:
            CreateToolTip();
            return 0;
        default:
            return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------
// The window's events

const wchar_t* FormatVersionLabel(wchar_t (&text)[kVersionLabelSize]) {
    // user32's own formatter: decimal numbers, no C runtime, no heap.
    wsprintfW(text, kVersionLabelFormat, unsigned{TESSIVAR_VERSION_MAJOR},
              unsigned{TESSIVAR_VERSION_MINOR}, unsigned{TESSIVAR_VERSION_REVISION});
    return text;
}

void frmMain::Form_Load() {
    wchar_t version[kVersionLabelSize];
    SetWindowTextW(Control(lblVersion), FormatVersionLabel(version));
}

void frmMain::cmdCalculate_Click() {
    // Clicks that reach the button while the enable message is up (posted
    // by automation and accessibility tools) would open further boxes
    // nested in it, and closing the newest would free the window behind the
    // others; the box already showing is the answer to them.
    if (enableMessageShowing_) return;
    if (CalcEnabled == 0) {
        enableMessageShowing_ = true;
        MessageBoxW(hwnd_, kEnableMessage, kApplicationTitle, MB_OK);
        enableMessageShowing_ = false;
        return;
    }
    SwitchSelection selection;
    const auto read = [this](auto& selected, const auto& members) {
        for (std::size_t i = 0; i < members.size(); ++i) selected[i] = IsSelected(members[i]);
    };
    read(selection.OptOperation, OptOperation);
    read(selection.optBaudRate, optBaudRate);
    read(selection.optProtocol, optProtocol);
    read(selection.optCH, optCH);
    for (const SwitchWrite& write : CalculateSwitches(selection, SettingBit)) {
        // Hexadecimal or decimal digits, at most four.
        const std::string_view digits = write.text();
        wchar_t text[8] = {};
        for (std::size_t i = 0; i < digits.size() && i + 1 < std::size(text); ++i) {
            text[i] = static_cast<wchar_t>(digits[i]);
        }
        SetWindowTextW(Control(txtSW[static_cast<std::size_t>(write.number - 1)]), text);
    }
}

void frmMain::cmdExit_Click() {
    DestroyWindow(hwnd_);
}

void frmMain::Label3_Click(std::int16_t /*Index*/) {
    CalcEnabled = 1;
    // The program's own web address, never the label's text: another
    // program can change what a window shows.
    shell_.ShellExecuteA(nullptr, "Open", kWebAddress, "", nullptr, 1);
}

// ---------------------------------------------------------------------------
// Messages

void frmMain::OnCommand(int position, UINT code) {
    const ControlDef& def = kControls[static_cast<std::size_t>(position)];
    switch (def.kind) {
        case ControlKind::Option:
            if (code == BN_CLICKED || code == BN_DOUBLECLICKED) SelectOption(position);
            break;
        case ControlKind::Button:
            if (code != BN_CLICKED) break;
            if (position == cmdCalculate) cmdCalculate_Click();
            if (position == cmdExit) cmdExit_Click();
            break;
        case ControlKind::Label:
            // A double click is a press (STN_CLICKED) and a second press
            // (STN_DBLCLK): the click it makes is the first alone, so that
            // a double click opens the page once.
            if (code == STN_CLICKED && (def.flags & kContactLine)) {
                Label3_Click(static_cast<std::int16_t>(def.index));
            }
            break;
        default:
            break;
    }
}

void frmMain::OnActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        focusBeforeDeactivation_ = (focus && IsChild(hwnd_, focus)) ? focus : nullptr;
        return;
    }
    HWND focus = focusBeforeDeactivation_ && IsWindow(focusBeforeDeactivation_)
                     ? focusBeforeDeactivation_
                     : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (focus) SetFocus(focus);
}

LRESULT frmMain::OnControlColour(UINT message, HDC dc, HWND control) {
    const int position = PositionOfWindow(control);
    if (position < 0) {
        return DefWindowProcW(hwnd_, message, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    }
    const ControlDef& def = kControls[static_cast<std::size_t>(position)];
    const int background = def.kind == ControlKind::TextBox ? COLOR_WINDOW : COLOR_BTNFACE;
    SetTextColor(
        dc, def.foreColor != kDefaultColour
                ? def.foreColor
                : GetSysColor(def.kind == ControlKind::TextBox ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));  // system-owned
}

void frmMain::OnDpiChanged(Dpi dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The old fonts stay alive until every control has its new one.
    const auto oldFonts = std::move(fonts_);
    CreateFonts();
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        SendMessageW(
            controls_[i], WM_SETFONT,
            reinterpret_cast<WPARAM>(fonts_[static_cast<std::size_t>(kControls[i].font)].get()),
            FALSE);
    }
    MoveControls();
    LoadIcons();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

bool frmMain::IsSelected(int position) const {
    return SendMessageW(Control(position), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND frmMain::Control(int position) const {
    return controls_[static_cast<std::size_t>(position)];
}

int frmMain::PositionOfWindow(HWND control) const {
    if (!control || !hwnd_) return -1;
    const int position = GetDlgCtrlID(control) - kFirstControlId;
    if (position < 0 || position >= static_cast<int>(kControls.size()) ||
        controls_[static_cast<std::size_t>(position)] != control) {
        return -1;
    }
    return position;
}

}  // namespace tessivar
