// frmMain's keyboard: Tab and Shift+Tab through the dialog manager, the
// arrow keys within an option group, and no default or cancel button.
#include "frmMain.h"

namespace tessivar {
namespace {

bool IsArrowKey(WPARAM key) {
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

bool IsOptionIn(std::size_t position, int container) {
    return kControls[position].kind == ControlKind::Option &&
           kControls[position].container == container;
}

}  // namespace

bool frmMain::PreTranslateMessage(MSG& msg) {
    if (!hwnd_ || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
    if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) {
        // No button has a default or cancel role; the dialog manager takes
        // Execute for Enter. Key messages carry virtual keys, character
        // messages characters: Enter's and Escape's characters have the
        // keys' codes, but Execute's code is the character '+', which the
        // Switch 5 box takes as any other.
        const bool keyDown = msg.message == WM_KEYDOWN;
        if (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE ||
            (keyDown && msg.wParam == VK_EXECUTE)) {
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

void frmMain::SelectOption(int position) {
    const int container = kControls[static_cast<std::size_t>(position)].container;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (!IsOptionIn(i, container)) continue;
        const bool selected = static_cast<int>(i) == position;
        SendMessageW(controls_[i], BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
        // Only the selected member is reached by Tab.
        LONG_PTR style = GetWindowLongPtrW(controls_[i], GWL_STYLE);
        style = selected ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(controls_[i], GWL_STYLE, style);
    }
}

bool frmMain::MoveInOptionGroup(int position, bool forward) {
    const int container = kControls[static_cast<std::size_t>(position)].container;
    const int index = kControls[static_cast<std::size_t>(position)].index;
    // A group's members have consecutive indices; the arrows step through
    // them in index order (not tab order, which differs for "230400") and
    // wrap round at either end.
    int first = index;
    int count = 0;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (!IsOptionIn(i, container)) continue;
        first = kControls[i].index < first ? kControls[i].index : first;
        ++count;
    }
    const int targetIndex = first + (index - first + (forward ? 1 : count - 1)) % count;
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (IsOptionIn(i, container) && kControls[i].index == targetIndex &&
            static_cast<int>(i) != position) {
            SetFocus(controls_[i]);
            SelectOption(static_cast<int>(i));
            return true;
        }
    }
    return false;
}

}  // namespace tessivar
