#include "frmMain.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Module1.h"
#include "switch_encoder.h"
#include "version.h"

namespace tessivar {
namespace {

constexpr wchar_t kClassName[] = L"TessivarForm";
constexpr int kFirstControlId = 100;  // a control's ID is this plus its tab position
constexpr UINT kCreateToolTipMessage = WM_APP + 1;
constexpr UINT kTwipsPerInch = 1440;
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

const wchar_t kEnableMessage[] =
    L"Please Click the company information in the bottom of the windows to Enable the Command"
    L"\r\n"
    L"请点击本窗口下部的公司信息使本按钮生效!";

int TwipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), static_cast<int>(kTwipsPerInch));
}

// The window's DPI where the system reports it per window, else the system DPI.
UINT DpiOf(HWND hwnd) {
    static const auto getDpiForWindow = GetProcAddressAs<decltype(&::GetDpiForWindow)>(
        GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (getDpiForWindow) {
        const UINT dpi = getDpiForWindow(hwnd);
        if (dpi != 0) return dpi;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// The form's outer size at `dpi`: its client area and the frame around it.
SIZE FormSizeAt(UINT dpi) {
    static const auto adjustForDpi = GetProcAddressAs<decltype(&::AdjustWindowRectExForDpi)>(
        GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi");
    RECT window{0, 0, TwipsToPixels(kClientWidthTwips, dpi),
                TwipsToPixels(kClientHeightTwips, dpi)};
    if (!adjustForDpi || !adjustForDpi(&window, kFormStyle, FALSE, kFormExStyle, dpi)) {
        AdjustWindowRectEx(&window, kFormStyle, FALSE, kFormExStyle);
    }
    return SIZE{window.right - window.left, window.bottom - window.top};
}

// A system metric (an icon size) at `dpi`, where the system can say.
int SystemMetricAt(int index, UINT dpi) {
    static const auto forDpi = GetProcAddressAs<decltype(&::GetSystemMetricsForDpi)>(
        GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, dpi) : GetSystemMetrics(index);
}

void CopyFaceName(wchar_t (&to)[LF_FACESIZE], const wchar_t* face) {
    std::size_t i = 0;
    for (; i + 1 < LF_FACESIZE && face[i] != L'\0'; ++i) to[i] = face[i];
    to[i] = L'\0';
}

int CALLBACK NoteFaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one is enough
}

bool FaceInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    CopyFaceName(wanted.lfFaceName, face);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

UniqueFont MakeFont(const FontDef& def, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(def.hundredthsOfPoint, static_cast<int>(dpi), 7200);
    font.lfWeight = def.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = def.charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    CopyFaceName(font.lfFaceName, def.face);
    return UniqueFont(CreateFontIndirectW(&font));
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), length,
                        nullptr, nullptr);
    return ansi;
}

// A non-negative number in decimal digits. (std::to_wstring would bring the
// C runtime's whole printf machinery into the executable.)
std::wstring DecimalText(unsigned value) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

bool IsArrowKey(WPARAM key) {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

// The absolute position of a control on the form, in twips.
POINT TwipsOnForm(std::size_t position) {
    POINT at{0, 0};
    for (int p = static_cast<int>(position); p != kOnForm;
         p = kControls[static_cast<std::size_t>(p)].container) {
        at.x += kControls[static_cast<std::size_t>(p)].left;
        at.y += kControls[static_cast<std::size_t>(p)].top;
    }
    return at;
}

struct WindowClassFor {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowClassFor ClassFor(const ControlDef& def, bool startsGroup) {
    const DWORD group = startsGroup ? WS_GROUP : 0;
    switch (def.kind) {
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX | WS_GROUP, 0};
        case ControlKind::Option:
            return {L"BUTTON", BS_RADIOBUTTON | group | ((def.flags & kSelected) ? WS_TABSTOP : 0u),
                    0};
        case ControlKind::Label: {
            DWORD style = SS_NOPREFIX | WS_GROUP;
            // A label sized to its text never wraps: a pixel's difference
            // between measuring and drawing would push its last word onto
            // an invisible second line.
            style |= (def.flags & kAlignRight)    ? SS_RIGHT
                     : (def.flags & kAlignCenter) ? SS_CENTER
                     : (def.flags & kAutoSize)    ? SS_LEFTNOWORDWRAP
                                                  : SS_LEFT;
            if (def.flags & kClickable) style |= SS_NOTIFY;
            return {L"STATIC", style, 0};
        }
        case ControlKind::TextBox: {
            DWORD style = ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP;
            if (def.flags & kReadOnly) style |= ES_READONLY;
            style |= (def.flags & kAlignCenter) ? ES_CENTER : ES_LEFT;
            return {L"EDIT", style, WS_EX_CLIENTEDGE};
        }
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0};
    }
    return {L"STATIC", 0, 0};
}

}  // namespace

frmMain::frmMain(HINSTANCE instance) : instance_(instance) {}

frmMain::~frmMain() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (owner_) DestroyWindow(owner_);
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

    // An owned window stays out of the taskbar; the owner itself is never shown.
    owner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_,
                             nullptr);
    if (!CreateWindowExW(kFormExStyle, kClassName, kFormCaption, kFormStyle, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, instance_,
                         this)) {
        return false;
    }

    const UINT dpi = DpiOf(hwnd_);
    headingFaceInstalled_ = FaceInstalled(kFonts[static_cast<std::size_t>(FontId::Heading)].face);
    CreateFonts(dpi);
    CreateControls(dpi);
    const SIZE size = FormSizeAt(dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LoadIcons(dpi);

    Form_Load();
    return true;
}

void frmMain::Show() {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
    // The tooltip is only needed once the user points at the button, so the
    // common controls library is loaded after the window is on the screen.
    PostMessageW(hwnd_, kCreateToolTipMessage, 0, 0);
}

bool frmMain::PreTranslateMessage(MSG& msg) {
    if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
    if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) {
        // No button has a default or cancel role.
        if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) return true;
        const int position = PositionOfWindow(msg.hwnd);
        if (msg.message == WM_KEYDOWN && IsArrowKey(msg.wParam) && position >= 0 &&
            kControls[static_cast<std::size_t>(position)].kind == ControlKind::Option) {
            MoveInOptionGroup(position, msg.wParam == VK_RIGHT || msg.wParam == VK_DOWN);
            return true;
        }
    }
    return IsDialogMessageW(hwnd_, &msg) != FALSE;
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
        if (form->owner_) DestroyWindow(form->owner_);
        form->owner_ = nullptr;
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
        case WM_GETDPISCALEDSIZE:
            // The system asks before a move to a monitor of another DPI; the
            // answer makes the rectangle it then suggests exact.
            *reinterpret_cast<SIZE*>(lParam) = FormSizeAt(LOWORD(wParam));
            return TRUE;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
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

void frmMain::Form_Load() {
    const std::wstring version = L"Version " + DecimalText(TESSIVAR_VERSION_MAJOR) + L"." +
                                 DecimalText(TESSIVAR_VERSION_MINOR) + L"." +
                                 DecimalText(TESSIVAR_VERSION_REVISION);
    SetWindowTextW(Control(L"lblVersion"), version.c_str());
}

void frmMain::cmdCalculate_Click() {
    if (CalcEnabled == 0) {
        MessageBoxW(hwnd_, kEnableMessage, L"" TESSIVAR_TITLE, MB_OK);
        return;
    }
    SwitchSelection selection;
    for (std::size_t i = 0; i < selection.OptOperation.size(); ++i) {
        selection.OptOperation[i] = IsSelected(L"OptOperation", static_cast<int>(i));
    }
    for (std::size_t i = 0; i < selection.optBaudRate.size(); ++i) {
        selection.optBaudRate[i] = IsSelected(L"optBaudRate", static_cast<int>(i));
    }
    for (std::size_t i = 0; i < selection.optProtocol.size(); ++i) {
        selection.optProtocol[i] = IsSelected(L"optProtocol", static_cast<int>(i));
    }
    for (std::size_t i = 0; i < selection.optCH.size(); ++i) {
        selection.optCH[i] = IsSelected(L"optCH", static_cast<int>(i));
    }
    for (const SwitchWrite& write : CalculateSwitches(selection, SettingBit)) {
        // At most four hex digits, widened into a terminated buffer.
        const std::string_view digits = write.text();
        wchar_t text[SwitchWrite::kMaxText + 1] = {};
        std::copy(digits.begin(), digits.end(), text);
        SetWindowTextW(Control(L"txtSW", write.number - 1), text);
    }
}

void frmMain::cmdExit_Click() {
    DestroyWindow(hwnd_);
}

void frmMain::Label3_Click(std::int16_t /*Index*/) {
    CalcEnabled = 1;
    // The page requested is the web address the contact block shows: the
    // first word of its third line.
    std::wstring address = WindowText(Control(L"Label3", 3));
    address = address.substr(0, address.find(L' '));
    ShellExecuteA(nullptr, "Open", ToAnsi(address).c_str(), "", nullptr, 1);
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
            if (position == PositionOf(L"cmdCalculate")) cmdCalculate_Click();
            if (position == PositionOf(L"cmdExit")) cmdExit_Click();
            break;
        case ControlKind::Label:
            // A quick second click arrives as a double click; it is a click all the same.
            if ((code == STN_CLICKED || code == STN_DBLCLK) && (def.flags & kClickable)) {
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

void frmMain::OnDpiChanged(UINT dpi, const RECT& suggested) {
    // The old fonts stay alive until every control has its new one.
    const auto oldFonts = std::move(fonts_);
    CreateFonts(dpi);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        SendMessageW(
            controls_[i], WM_SETFONT,
            reinterpret_cast<WPARAM>(fonts_[static_cast<std::size_t>(kControls[i].font)].get()),
            FALSE);
    }
    MoveControls(dpi);
    LoadIcons(dpi);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// ---------------------------------------------------------------------------
// Building the window

void frmMain::CreateFonts(UINT dpi) {
    for (std::size_t i = 0; i < kFonts.size(); ++i) {
        const bool fallBack = static_cast<FontId>(i) == FontId::Heading && !headingFaceInstalled_;
        fonts_[i] = MakeFont(fallBack ? kHeadingFallback : kFonts[i], dpi);
    }
}

RECT frmMain::PlaceOf(std::size_t position, UINT dpi, HDC measuring) const {
    const ControlDef& def = kControls[position];
    const POINT at = TwipsOnForm(position);
    RECT place{TwipsToPixels(at.x, dpi), TwipsToPixels(at.y, dpi), 0, 0};
    int width = TwipsToPixels(def.width, dpi);
    int height = TwipsToPixels(def.height, dpi);
    if (def.flags & kAutoSize) {
        HGDIOBJ old = SelectObject(measuring, fonts_[static_cast<std::size_t>(def.font)].get());
        RECT text{0, 0, 0, 0};
        DrawTextW(measuring, def.caption, -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(measuring, old);
        width = text.right;
        height = text.bottom;
    }
    place.right = place.left + width;
    place.bottom = place.top + height;
    return place;
}

void frmMain::CreateControls(UINT dpi) {
    HDC measuring = GetDC(nullptr);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlDef& def = kControls[i];
        // Each frame's run of options starts a group for the dialog manager.
        const bool startsGroup = def.kind != ControlKind::Option || i == 0 ||
                                 kControls[i - 1].kind != ControlKind::Option ||
                                 kControls[i - 1].container != def.container;
        const WindowClassFor windowClass = ClassFor(def, startsGroup);
        // Created in place: moving 77 windows afterwards costs start-up time.
        const RECT place = PlaceOf(i, dpi, measuring);
        controls_[i] = CreateWindowExW(
            windowClass.exStyle, windowClass.className, def.caption,
            WS_CHILD | WS_VISIBLE | windowClass.style, place.left, place.top,
            place.right - place.left, place.bottom - place.top, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(i))),
            instance_, nullptr);
        SendMessageW(controls_[i], WM_SETFONT,
                     reinterpret_cast<WPARAM>(fonts_[static_cast<std::size_t>(def.font)].get()),
                     FALSE);
        if (def.kind == ControlKind::Option && (def.flags & kSelected)) {
            SendMessageW(controls_[i], BM_SETCHECK, BST_CHECKED, 0);
        }
        if (def.kind == ControlKind::TextBox) SendMessageW(controls_[i], EM_SETLIMITTEXT, 0, 0);
    }
    ReleaseDC(nullptr, measuring);
}

void frmMain::MoveControls(UINT dpi) {
    HDC measuring = GetDC(nullptr);
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const RECT place = PlaceOf(i, dpi, measuring);
        SetWindowPos(controls_[i], nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ReleaseDC(nullptr, measuring);
}

void frmMain::LoadIcons(UINT dpi) {
    // The window keeps using the old icons until it has the new ones.
    UniqueIcon big(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(TESSIVAR_IDI_MAIN),
                                                 IMAGE_ICON, SystemMetricAt(SM_CXICON, dpi),
                                                 SystemMetricAt(SM_CYICON, dpi), 0)));
    UniqueIcon small(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(TESSIVAR_IDI_MAIN),
                                                   IMAGE_ICON, SystemMetricAt(SM_CXSMICON, dpi),
                                                   SystemMetricAt(SM_CYSMICON, dpi), 0)));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void frmMain::CreateToolTip() {
    if (toolTip_ || !hwnd_) return;
    commonControls_.reset(LoadSystemLibrary(L"comctl32.dll"));
    if (!commonControls_) return;
    if (auto init = GetProcAddressAs<decltype(&::InitCommonControlsEx)>(commonControls_.get(),
                                                                        "InitCommonControlsEx")) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
        init(&controls);
    }
    toolTip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_, nullptr);
    if (!toolTip_) return;
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the library
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd_;
    tool.uId = reinterpret_cast<UINT_PTR>(Control(L"cmdCalculate"));
    tool.lpszText = const_cast<wchar_t*>(kCalculateToolTip);
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// ---------------------------------------------------------------------------
// Option groups

void frmMain::SelectOption(int position) {
    const int container = kControls[static_cast<std::size_t>(position)].container;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].kind != ControlKind::Option || kControls[i].container != container) {
            continue;
        }
        const bool selected = static_cast<int>(i) == position;
        SendMessageW(controls_[i], BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
        // Only the selected member is reached by Tab.
        LONG_PTR style = GetWindowLongPtrW(controls_[i], GWL_STYLE);
        style = selected ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(controls_[i], GWL_STYLE, style);
    }
}

bool frmMain::MoveInOptionGroup(int position, bool forward) {
    const ControlDef& from = kControls[static_cast<std::size_t>(position)];
    // Members in index order (not tab order, which differs for "230400"); the
    // arrows step through them and wrap round at either end.
    std::vector<int> members;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].kind == ControlKind::Option && kControls[i].container == from.container) {
            members.push_back(static_cast<int>(i));
        }
    }
    std::sort(members.begin(), members.end(), [](int a, int b) {
        return kControls[static_cast<std::size_t>(a)].index <
               kControls[static_cast<std::size_t>(b)].index;
    });
    const auto self = std::find(members.begin(), members.end(), position);
    if (self == members.end()) return false;
    const std::size_t count = members.size();
    const std::size_t at = static_cast<std::size_t>(self - members.begin());
    const int target = members[(at + (forward ? 1 : count - 1)) % count];
    if (target < 0 || target == position) return false;
    SetFocus(controls_[static_cast<std::size_t>(target)]);
    SelectOption(target);
    return true;
}

bool frmMain::IsSelected(const wchar_t* name, int index) const {
    return SendMessageW(Control(name, index), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND frmMain::Control(const wchar_t* name, int index) const {
    const int position = PositionOf(name, index);
    return position < 0 ? nullptr : controls_[static_cast<std::size_t>(position)];
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
