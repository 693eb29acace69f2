// Building frmMain from its layout table: fonts, controls, icons and the
// tooltip, at the window's DPI.
#include "frmMain.h"

#include <commctrl.h>

#include "version.h"

namespace tessivar {
namespace {

constexpr int cmdCalculate = PositionOf(L"cmdCalculate");
constexpr int lblVersion = PositionOf(L"lblVersion");
// The density the layout was drawn for.
constexpr Dpi kLayoutDpi(96);

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

UniqueFont MakeFont(const FontDef& def, int height) {
    LOGFONTW font{};
    font.lfHeight = height;
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

// The width of `text` in the font selected into `dc`, as a static control
// measures it.
int TextWidth(HDC dc, const wchar_t* text) {
    RECT extent{0, 0, 0, 0};
    DrawTextW(dc, text, -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return extent.right;
}

// The left edge, in twips on the form, of the nearest control to the right
// of `position` in the same container and on the same line, or -1.
int NeighbourOnTheRight(std::size_t position) {
    const ControlDef& def = kControls[position];
    int nearest = -1;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlDef& other = kControls[i];
        if (i == position || other.container != def.container || other.left <= def.left) continue;
        if (other.top >= def.top + def.height || def.top >= other.top + other.height) continue;
        if (nearest < 0 || other.left < kControls[static_cast<std::size_t>(nearest)].left) {
            nearest = static_cast<int>(i);
        }
    }
    return nearest < 0 ? -1 : TwipsOnForm(static_cast<std::size_t>(nearest)).x;
}

// The width, in pixels at `dpi`, that the control at `position` leaves its
// caption, in the font selected into `dc`; as the classic controls lay out
// their captions:
// - a label draws from its left edge; one sized to its text may grow up to
//   its container's inner edge;
// - an option button draws its circle, 12 * dpi / 96 + 1 pixels wide, then
//   half a digit's width of space, its caption one pixel further on, and
//   the focus rectangle one pixel around it; the caption ends where the
//   control beside it begins, at the latest;
// - a push button keeps its two-pixel edge, a frame 8 pixels before its
//   caption and 7 after it, a text box its edge and margins.
int CaptionRoom(std::size_t position, Dpi dpi, HDC dc) {
    const ControlDef& def = kControls[position];
    const int width = dpi.FromTwips(def.width);
    const int digit = TextWidth(dc, L"0");
    switch (def.kind) {
        case ControlKind::Label: {
            if (!(def.flags & kAutoSize)) return width;
            const int left = dpi.FromTwips(TwipsOnForm(position).x);
            if (def.container == kOnFormPosition) return dpi.FromTwips(kClientTwips.cx) - left;
            const auto frame = static_cast<std::size_t>(def.container);
            return dpi.FromTwips(TwipsOnForm(frame).x) + dpi.FromTwips(kControls[frame].width) - 2 -
                   left;
        }
        case ControlKind::Option: {
            const int textLeft = static_cast<int>(12 * dpi.value() / 96 + 1) + digit / 2 + 1;
            int room = width - textLeft - 1;
            if (const int neighbour = NeighbourOnTheRight(position); neighbour >= 0) {
                const int gap =
                    dpi.FromTwips(neighbour) - dpi.FromTwips(TwipsOnForm(position).x) - textLeft;
                if (gap < room) room = gap;
            }
            return room;
        }
        case ControlKind::Button:
            return width - 4;
        case ControlKind::Frame:
            return width - 15;
        case ControlKind::TextBox:
            return width - 4 - digit;
    }
    return width;
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

// The layout was drawn at 96 DPI, where every font has its own size. At
// other densities a font is made as large as the density asks, but no larger
// than lets each of its captions keep the room its control gives it: text
// does not grow exactly with the density (a size rounds to whole pixels, and
// glyphs to whole pixels again), and a caption that fills its box at 96 DPI
// would otherwise wrap or be cut. A caption already over its room at 96 DPI
// may be over by no more pixels than there.
void frmMain::CreateFonts() {
    const bool headingFaceInstalled =
        FaceInstalled(kFonts[static_cast<std::size_t>(FontId::Heading)].face);
    const ScreenDc measuring;
    for (std::size_t i = 0; i < kFonts.size(); ++i) {
        const bool fallBack = static_cast<FontId>(i) == FontId::Heading && !headingFaceInstalled;
        const FontDef& def = fallBack ? kHeadingFallback : kFonts[i];
        int height = dpi_.FontHeight(def.hundredthsOfPoint);
        fonts_[i] = MakeFont(def, height);
        if (dpi_ == kLayoutDpi) continue;
        const UniqueFont asDrawn = MakeFont(def, kLayoutDpi.FontHeight(def.hundredthsOfPoint));
        while (height < -1 && !CaptionsFit(static_cast<FontId>(i), fonts_[i].get(), asDrawn.get(),
                                           measuring.get())) {
            fonts_[i] = MakeFont(def, ++height);
        }
    }
}

bool frmMain::CaptionsFit(FontId font, HFONT candidate, HFONT asDrawn, HDC measuring) const {
    wchar_t version[kVersionLabelSize];
    for (std::size_t p = 0; p < kControls.size(); ++p) {
        const ControlDef& def = kControls[p];
        if (def.font != font) continue;
        const wchar_t* caption = def.caption;
        if (static_cast<int>(p) == lblVersion) caption = FormatVersionLabel(version);
        if (caption == nullptr || caption[0] == L'\0') continue;
        HGDIOBJ old = SelectObject(measuring, asDrawn);
        const int overAsDrawn =
            TextWidth(measuring, caption) - CaptionRoom(p, kLayoutDpi, measuring);
        SelectObject(measuring, candidate);
        const int over = TextWidth(measuring, caption) - CaptionRoom(p, dpi_, measuring);
        SelectObject(measuring, old);
        if (over > (overAsDrawn > 0 ? overAsDrawn : 0)) return false;
    }
    return true;
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
