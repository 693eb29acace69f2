// A window-less Windows program linked without ASLR and DEP, so that the
// hardening check can show it tells such a file apart.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return 0;
}
