#include "frmMain.h"

#include <commctrl.h>

#include <string_view>
#include <tuple>

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
constexpr auto Label3 = MembersOf<5>(L"Label3");
constexpr int cmdCalculate = PositionOf(L"cmdCalculate");
constexpr int cmdExit = PositionOf(L"cmdExit");
constexpr int lblVersion = PositionOf(L"lblVersion");

int TwipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), static_cast<int>(kTwipsPerInch));
}

// The system DPI: that of the primary monitor when the user signed in.
UINT ScreenDpi() {
    const int dpi = GetDeviceCaps(ScreenDc().get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// The window's DPI where the system reports it per window, else the system DPI.
UINT DpiOf(HWND hwnd) {
    const auto getDpiForWindow = GetProcAddressAs<decltype(&::GetDpiForWindow)>(
        GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (getDpiForWindow) {
        const UINT dpi = getDpiForWindow(hwnd);
        if (dpi != 0) return dpi;
    }
    return ScreenDpi();
}

// The form's outer size at `dpi`: its client area and the frame around it.
SIZE FormSizeAt(UINT dpi) {
    const auto adjustForDpi = GetProcAddressAs<decltype(&::AdjustWindowRectExForDpi)>(
        GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi");
    RECT window{0, 0, TwipsToPixels(kClientWidthTwips, dpi),
                TwipsToPixels(kClientHeightTwips, dpi)};
    if (!adjustForDpi || !adjustForDpi(&window, kFormStyle, FALSE, kFormExStyle, dpi)) {
        AdjustWindowRectEx(&window, kFormStyle, FALSE, kFormExStyle);
    }
    return SIZE{window.right - window.left, window.bottom - window.top};
}

// The top-left corner that centres a window of `size` in `area`.
POINT CentredIn(const RECT& area, SIZE size) {
    return POINT{area.left + (area.right - area.left - size.cx) / 2,
                 area.top + (area.bottom - area.top - size.cy) / 2};
}

// A system metric (an icon size) at `dpi`, where the system can say.
int SystemMetricAt(int index, UINT dpi) {
    const auto forDpi = GetProcAddressAs<decltype(&::GetSystemMetricsForDpi)>(
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
    EnumFontFamiliesExW(ScreenDc().get(), &wanted, NoteFaceFound, reinterpret_cast<LPARAM>(&found),
                        0);
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

// The controls tell the form nothing about their creation and destruction
// (WS_EX_NOPARENTNOTIFY): it has no use for it, and it saves a message each.
WindowClassFor ClassFor(const ControlDef& def, bool startsGroup) {
    const DWORD group = startsGroup ? WS_GROUP : 0;
    switch (def.kind) {
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX | WS_GROUP, WS_EX_NOPARENTNOTIFY};
        case ControlKind::Option:
            return {L"BUTTON", BS_RADIOBUTTON | group | ((def.flags & kSelected) ? WS_TABSTOP : 0u),
                    WS_EX_NOPARENTNOTIFY};
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
            return {L"STATIC", style, WS_EX_NOPARENTNOTIFY};
        }
        case ControlKind::TextBox: {
            DWORD style = ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP;
            if (def.flags & kReadOnly) style |= ES_READONLY;
            style |= (def.flags & kAlignCenter) ? ES_CENTER : ES_LEFT;
            return {L"EDIT", style, WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY};
        }
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, WS_EX_NOPARENTNOTIFY};
    }
    return {L"STATIC", 0, WS_EX_NOPARENTNOTIFY};
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
    // The DPI comes first, so that the form is created at its final size,
    // centred on the primary monitor's work area, and never resized or moved.
    UINT dpi = ScreenDpi();
    SIZE size = FormSizeAt(dpi);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    POINT at = CentredIn(work, size);
    if (!CreateWindowExW(kFormExStyle, kClassName, kFormCaption, kFormStyle, at.x, at.y, size.cx,
                         size.cy, owner_, nullptr, instance_, this)) {
        return false;
    }
    // A primary monitor whose DPI changed since sign-in differs from the
    // system DPI; there the form is laid out for the monitor it is on.
    if (const UINT windowDpi = DpiOf(hwnd_); windowDpi != dpi) {
        dpi = windowDpi;
        size = FormSizeAt(dpi);
        at = CentredIn(work, size);
        SetWindowPos(hwnd_, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    headingFaceInstalled_ = FaceInstalled(kFonts[static_cast<std::size_t>(FontId::Heading)].face);
    CreateFonts(dpi);
    CreateControls(dpi);
    LoadIcons(dpi);

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

bool frmMain::PreTranslateMessage(MSG& msg) {
    if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
    if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) {
        // No button has a default or cancel role; the dialog manager takes
        // Execute for Enter.
        if (msg.wParam == VK_RETURN || msg.wParam == VK_EXECUTE || msg.wParam == VK_ESCAPE) {
            return true;
        }
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
    // user32's own formatter: decimal numbers, no C runtime, no heap.
    wchar_t version[32];
    wsprintfW(version, L"Version %u.%u.%u", unsigned{TESSIVAR_VERSION_MAJOR},
              unsigned{TESSIVAR_VERSION_MINOR}, unsigned{TESSIVAR_VERSION_REVISION});
    SetWindowTextW(Control(lblVersion), version);
}

void frmMain::cmdCalculate_Click() {
    // Clicks that reach the button while the enable message is up (posted
    // by automation and accessibility tools) would open further boxes
    // nested in it, and closing the newest would free the window behind the
    // others; the box already showing is the answer to them.
    if (enableMessageShowing_) return;
    if (CalcEnabled == 0) {
        enableMessageShowing_ = true;
        MessageBoxW(hwnd_, kEnableMessage, L"" TESSIVAR_TITLE, MB_OK);
        enableMessageShowing_ = false;
        return;
    }
    SwitchSelection selection;
    for (std::size_t i = 0; i < OptOperation.size(); ++i) {
        selection.OptOperation[i] = IsSelected(OptOperation[i]);
    }
    for (std::size_t i = 0; i < optBaudRate.size(); ++i) {
        selection.optBaudRate[i] = IsSelected(optBaudRate[i]);
    }
    for (std::size_t i = 0; i < optProtocol.size(); ++i) {
        selection.optProtocol[i] = IsSelected(optProtocol[i]);
    }
    for (std::size_t i = 0; i < optCH.size(); ++i) selection.optCH[i] = IsSelected(optCH[i]);
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
    ShellExecuteA(nullptr, "Open", kWebAddress, "", nullptr, 1);
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
    const ScreenDc measuring;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlDef& def = kControls[i];
        // Each frame's run of options starts a group for the dialog manager.
        const bool startsGroup = def.kind != ControlKind::Option || i == 0 ||
                                 kControls[i - 1].kind != ControlKind::Option ||
                                 kControls[i - 1].container != def.container;
        const WindowClassFor windowClass = ClassFor(def, startsGroup);
        // Created in place: moving 77 windows afterwards costs start-up time.
        const RECT place = PlaceOf(i, dpi, measuring.get());
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
}

void frmMain::MoveControls(UINT dpi) {
    const ScreenDc measuring;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const RECT place = PlaceOf(i, dpi, measuring.get());
        SetWindowPos(controls_[i], nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
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
    tool.uId = reinterpret_cast<UINT_PTR>(Control(cmdCalculate));
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
    // A group's members have consecutive indices; the arrows step through
    // them in index order (not tab order, which differs for "230400") and
    // wrap round at either end.
    int first = from.index;
    int count = 0;
    for (const ControlDef& def : kControls) {
        if (def.kind != ControlKind::Option || def.container != from.container) continue;
        first = def.index < first ? def.index : first;
        ++count;
    }
    const int targetIndex = first + (from.index - first + (forward ? 1 : count - 1)) % count;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlDef& def = kControls[i];
        if (def.kind == ControlKind::Option && def.container == from.container &&
            def.index == targetIndex && static_cast<int>(i) != position) {
            SetFocus(controls_[i]);
            SelectOption(static_cast<int>(i));
            return true;
        }
    }
    return false;
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
