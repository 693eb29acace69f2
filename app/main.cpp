// Start-up: one frmMain, shown centred, with dialog-style keyboard navigation
// until the window is gone. Each copy of the program has its own window.
#include <windows.h>

#include "Module1.h"
#include "frmMain.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    tessivar::CalcEnabled = 0;
    tessivar::frmMain form(instance);
    if (!form.Load()) return 1;
    form.Show();
    form.RunUntilClosed();
    return 0;
}
