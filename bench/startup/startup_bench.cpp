// Start-up time of Tessivar.exe against a bare Win32 window program: for
// each pair, the time from CreateProcess to the program's first visible
// top-level window, both programs started the same way, in alternating order.
//
//   startup_bench [--pairs N] TESSIVAR.EXE BARE_WINDOW.EXE
//
// Prints every pair and the medians; the figure of interest is the median
// of the per-pair ratios (Tessivar / bare).
//
// Under Wine nearly every window call is a round trip to the Wine server.
// Where waking a process on another CPU is slow (virtual machines), those
// wake-ups swamp both programs' own work, so measure with the whole of Wine
// on one CPU: `taskset -c 0 xvfb-run -a scripts/wine-run startup_bench.exe ...`
// with no Wine server running yet.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->processId && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// Milliseconds to the first visible window, or a negative value on failure.
double TimeToWindow(const std::wstring& exe) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    Search search{process.dwProcessId, nullptr};
    LARGE_INTEGER now = start;
    while (!search.found && Seconds(start, now) < 30) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        if (!search.found) Sleep(1);
    }
    const double elapsed = search.found ? Seconds(start, now) * 1000 : -1;
    if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int pairs = 10;
    std::vector<std::wstring> programs;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--pairs") == 0 && i + 1 < argc) {
            pairs = std::max(1, _wtoi(argv[++i]));
        } else {
            programs.push_back(argv[i]);
        }
    }
    if (programs.size() != 2) {
        std::fprintf(stderr, "usage: startup_bench [--pairs N] TESSIVAR.EXE BARE_WINDOW.EXE\n");
        return 2;
    }
    // One unmeasured start of each warms the file cache and Wine's own DLLs.
    if (TimeToWindow(programs[0]) < 0 || TimeToWindow(programs[1]) < 0) {
        std::fprintf(stderr, "startup_bench: a program did not show a window\n");
        return 1;
    }
    std::vector<double> tessivar, bare, ratios;
    std::printf("pair  Tessivar ms  bare ms  ratio\n");
    for (int pair = 0; pair < pairs; ++pair) {
        double t = 0, b = 0;
        if (pair % 2 == 0) {
            t = TimeToWindow(programs[0]);
            b = TimeToWindow(programs[1]);
        } else {
            b = TimeToWindow(programs[1]);
            t = TimeToWindow(programs[0]);
        }
        if (t < 0 || b <= 0) {
            std::fprintf(stderr, "startup_bench: pair %d failed\n", pair + 1);
            return 1;
        }
        tessivar.push_back(t);
        bare.push_back(b);
        ratios.push_back(t / b);
        std::printf("%4d  %11.1f  %7.1f  %5.2f\n", pair + 1, t, b, t / b);
    }
    std::printf("median Tessivar %.1f ms, bare window %.1f ms, median ratio %.2f over %d pairs\n",
                Median(tessivar), Median(bare), Median(ratios), pairs);
    return 0;
}
