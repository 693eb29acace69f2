// Building frmMain from its layout table: fonts, controls, icons and the
// tooltip, at the window's DPI.
#include "frmMain.h"

#include <commctrl.h>

#include "version.h"

namespace tessivar {
namespace {

constexpr int cmdCalculate = PositionOf(L"cmdCalculate");

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

UniqueFont MakeFont(const FontDef& def, Dpi dpi) {
    LOGFONTW font{};
    font.lfHeight = dpi.FontHeight(def.hundredthsOfPoint);
    font.lfWeight = def.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = def.charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    CopyFaceName(font.lfFaceName, def.face);
    return UniqueFont(CreateFontIndirectW(&font));
}

// The absolute position of a control on the form, in twips.
POINT TwipsOnForm(std::size_t position) {
    POINT at{0, 0};
    for (int p = static_cast<int>(position); p != kOnFormPosition;
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
            if (def.flags & kContactLine) style |= SS_NOTIFY;
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

void frmMain::CreateFonts() {
    const bool headingFaceInstalled =
        FaceInstalled(kFonts[static_cast<std::size_t>(FontId::Heading)].face);
    for (std::size_t i = 0; i < kFonts.size(); ++i) {
        const bool fallBack = static_cast<FontId>(i) == FontId::Heading && !headingFaceInstalled;
        fonts_[i] = MakeFont(fallBack ? kHeadingFallback : kFonts[i], dpi_);
    }
}

RECT frmMain::PlaceOf(std::size_t position, HDC measuring) const {
    const ControlDef& def = kControls[position];
    const POINT at = TwipsOnForm(position);
    RECT place{dpi_.FromTwips(at.x), dpi_.FromTwips(at.y), 0, 0};
    int width = dpi_.FromTwips(def.width);
    int height = dpi_.FromTwips(def.height);
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

void frmMain::CreateControls() {
    const ScreenDc measuring;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlDef& def = kControls[i];
        // Each frame's run of options starts a group for the dialog manager.
        const bool startsGroup = def.kind != ControlKind::Option || i == 0 ||
                                 kControls[i - 1].kind != ControlKind::Option ||
                                 kControls[i - 1].container != def.container;
        const WindowClassFor windowClass = ClassFor(def, startsGroup);
        // Created in place: moving 77 windows afterwards costs start-up time.
        const RECT place = PlaceOf(i, measuring.get());
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

void frmMain::MoveControls() {
    const ScreenDc measuring;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const RECT place = PlaceOf(i, measuring.get());
        SetWindowPos(controls_[i], nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void frmMain::LoadIcons() {
    const auto load = [this](int width, int height) {
        return UniqueIcon(static_cast<HICON>(LoadImageW(
            instance_, MAKEINTRESOURCEW(TESSIVAR_IDI_MAIN), IMAGE_ICON, width, height, 0)));
    };
    // The window keeps using the old icons until it has the new ones.
    UniqueIcon big = load(dpi_.Metric(SM_CXICON), dpi_.Metric(SM_CYICON));
    UniqueIcon small = load(dpi_.Metric(SM_CXSMICON), dpi_.Metric(SM_CYSMICON));
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void frmMain::CreateToolTip() {
    if (toolTip_ || !hwnd_) return;
    const HMODULE commonControls = LoadSystemLibrary(L"comctl32.dll");
    if (!commonControls) return;
    if (auto init = GetProcAddressAs<decltype(&::InitCommonControlsEx)>(commonControls,
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

}  // namespace tessivar
