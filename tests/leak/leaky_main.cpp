// Tessivar's window with a deliberate leak: one brush created, and never
// deleted, for every colour message. The leak check must fail on it; this is
// how we know it can.
#include <windows.h>

#include "Module1.h"
#include "frmMain.h"

namespace {

WNDPROC original = nullptr;

LRESULT CALLBACK LeakingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT) {
        CreateSolidBrush(RGB(1, 2, 3));  // the leak
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    tessivar::ShellLibrary shell;
    tessivar::frmMain form(instance, shell);
    if (!form.Load()) return 1;
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(form.hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LeakingProc)));
    form.Show();
    form.RunUntilClosed();
    return 0;
}
