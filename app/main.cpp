// Start-up: one frmMain, shown centred, with dialog-style keyboard navigation
// until the window is gone. Each copy of the program has its own window.
#include <windows.h>

#include "Module1.h"
#include "frmMain.h"
#include "win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Before anything can load a DLL by name: a DLL of the same name left in
    // the program's folder (a download folder, say) must never be picked up.
    tessivar::RestrictDllSearchToSystemFolder();
    tessivar::CalcEnabled = 0;
    // The shell request's COM outlives the window, whose contact clicks use it.
    tessivar::ShellLibrary shell;
    tessivar::frmMain form(instance, shell);
    if (!form.Load()) return 1;
    form.Show();
    form.RunUntilClosed();
    return 0;
}
