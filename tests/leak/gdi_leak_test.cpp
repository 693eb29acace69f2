// GDI objects over long use, counted by Wine itself. Run through
// with-gdi-trace, which turns on Wine's GDI trace and sends it (this
// program's stderr and Tessivar's) to the file named by TESSIVAR_GDI_TRACE.
// GetGuiResources cannot be used: under Wine it always answers 0.
//
// The test enables the calculation, calculates and repaints once, then 100
// times more, and compares the object counts; then it closes the window and
// checks what the program still holds. The same run on a build that leaks a
// brush per colour message must fail, or the check proves nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "expected_layout.h"
#include "gdi_trace.h"
#include "harness.h"

namespace {

using namespace harness;

// A single round shows the leaking build's leak plainly (some eighty brushes:
// each repaint asks for colours for dozens of controls), and a leak of one
// object a round would show as a hundred here. A hundred rounds leave a wide
// margin for a leak that only some rounds make, at a tenth of the time a
// thousand took.
constexpr int kRepetitions = 100;

// Marker lines are numbered, so that each run finds its own.
int runNumber = 0;

std::string MarkName(const char* name) {
    return name + std::to_string(runNumber);
}

void Mark(const char* name) {
    std::fprintf(stderr, "tessivar-mark %s\n", MarkName(name).c_str());
    std::fflush(stderr);
}

// A calculation as the button's click does it, and a full repaint of the
// window and every control. Both are synchronous: they return once the
// program has handled them. False if the program did not answer, as when
// the calculation is still disabled and its message box is up.
bool CalculateAndRepaint(const App& app) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(app.Control(kCalculatePos), BM_CLICK, 0, 0, SMTO_NORMAL,
                             static_cast<UINT>(kForAnswer.limit.count()), &ignored)) {
        return false;
    }
    RedrawWindow(app.form(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return SendMessageTimeoutW(app.form(), WM_NULL, 0, 0, SMTO_NORMAL,
                               static_cast<UINT>(kForAnswer.limit.count()), &ignored) != 0;
}

// Enables the calculation with a click on the contact block and proves it
// with a first calculation.
testing::AssertionResult EnableAndCalculate(const App& app) {
    if (auto clicked = Click(app.Control(Label3Pos(2))); !clicked) return clicked;
    // Input arrives in order, but after anything posted: a second click
    // that visibly moves the focus proves the first one was handled before
    // Calculate is clicked.
    const int target = app.FocusedPosition() == Text1Pos(0) ? Text1Pos(1) : Text1Pos(0);
    if (auto clicked = Click(app.Control(target)); !clicked) return clicked;
    if (!WaitFor(kForInput, [&] { return app.FocusedPosition() == target; })) {
        return testing::AssertionFailure() << "the click after the contact click was not handled";
    }
    PostMessageW(app.Control(kCalculatePos), BM_CLICK, 0, 0);
    HWND box = nullptr;
    WaitFor(kForInput, [&] {
        box = FindOwnedDialog(app.form());
        return box != nullptr || Text(app.Control(TxtSWPos(0))) == L"0B62";
    });
    if (box != nullptr) {
        return testing::AssertionFailure() << "the contact click did not enable the calculation";
    }
    if (!CalculateAndRepaint(app)) {
        return testing::AssertionFailure() << "the program did not calculate and repaint";
    }
    return testing::AssertionSuccess();
}

std::vector<std::string> ReadTrace() {
    std::vector<std::string> lines;
    std::ifstream in(Narrow(WindowsPath(Env(L"TESSIVAR_GDI_TRACE"))));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The trace up to the marker `last`, which the filter writes a moment after
// this program does.
std::vector<std::string> TraceUpTo(const std::string& last) {
    std::vector<std::string> lines;
    WaitFor(kForScreen, [&] {
        lines = ReadTrace();
        for (const std::string& line : lines) {
            if (line.find("tessivar-mark " + last) != std::string::npos) return true;
        }
        return false;
    });
    return lines;
}

struct Counts {
    leak::Snapshot first, after, end;
};

// Drives one copy of the program and reads its counts from the trace.
Counts UseAndClose(const std::wstring& exe, int repetitions) {
    Counts run;
    ++runNumber;
    App app;
    std::wstring error;
    EXPECT_TRUE(app.Start(exe, &error)) << Narrow(error);
    if (!app.form()) return run;
    EXPECT_TRUE(BringToFront(app.form()));
    EXPECT_TRUE(EnableAndCalculate(app)) << "the calculation could not be enabled";
    Mark("first");
    int done = 0;
    while (done < repetitions && CalculateAndRepaint(app)) ++done;
    EXPECT_EQ(done, repetitions) << "the program stopped answering";
    Mark("after");
    PostMessageW(app.Control(kExitPos), BM_CLICK, 0, 0);
    EXPECT_TRUE(app.WaitForExit());
    Mark("exited");
    const auto marks = leak::SnapshotsAtMarks(TraceUpTo(MarkName("exited")), app.processId());
    const auto at = [&](const char* name) {
        const auto it = marks.find(MarkName(name));
        return it == marks.end() ? leak::Snapshot{} : it->second;
    };
    run.first = at("first");
    run.after = at("after");
    run.end = at("exited");
    return run;
}

// Fonts that a process holds without creating any: a bare window program's
// fonts once it has closed its window.
int FontsOfABareProgram() {
    const std::wstring exe = WindowsPath(Env(L"TESSIVAR_BARE_WINDOW_EXE"));
    ++runNumber;
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        return -1;
    }
    HWND window = nullptr;
    WaitFor(kForWindow, [&] {
        for (HWND w : TopLevelWindows(process.dwProcessId)) {
            if (IsWindowVisible(w)) window = w;
        }
        return window != nullptr;
    });
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    const bool exited =
        WaitForSingleObject(process.hProcess, static_cast<DWORD>(kForExit.limit.count())) ==
        WAIT_OBJECT_0;
    if (!exited) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    Mark("exited");
    const auto marks = leak::SnapshotsAtMarks(TraceUpTo(MarkName("exited")), process.dwProcessId);
    return window && exited ? marks.at(MarkName("exited")).liveFonts : -1;
}

class GdiObjects : public ::testing::Test {
  protected:
    // One long run serves every check of the real program.
    static void SetUpTestSuite() { counts = UseAndClose(TessivarExePath(), kRepetitions); }
    static Counts counts;
};
Counts GdiObjects::counts;

TEST_F(GdiObjects, StayFlatOverAHundredCalculationsAndRepaints) {
    ASSERT_FALSE(Env(L"TESSIVAR_GDI_TRACE").empty()) << "run through with-gdi-trace";
    ASSERT_GT(counts.first.liveObjects, 0) << "no GDI trace of the program was found";
    std::printf("Tessivar: %d GDI objects after the first calculation, %d after %d more\n",
                counts.first.liveObjects, counts.after.liveObjects, kRepetitions);
    EXPECT_EQ(counts.after.liveObjects, counts.first.liveObjects);
    EXPECT_EQ(counts.after.liveFonts, counts.first.liveFonts);
}

TEST_F(GdiObjects, WindowReleasesItsFontsWhenDestroyed) {
    ASSERT_GT(counts.first.liveObjects, 0) << "no GDI trace of the program was found";
    const int bare = FontsOfABareProgram();
    ASSERT_GE(bare, 0) << "the bare window program did not run";
    std::printf(
        "fonts: %d held with the window, %d once it is destroyed, %d in a bare program; "
        "%d GDI objects in all at the end, %d with the window\n",
        counts.first.liveFonts, counts.end.liveFonts, bare, counts.end.liveObjects,
        counts.first.liveObjects);
    // The window's five fonts, at least, came and went with it.
    EXPECT_GE(counts.first.liveFonts - counts.end.liveFonts, 5);
    EXPECT_EQ(counts.end.liveFonts, bare);
    EXPECT_LT(counts.end.liveObjects, counts.first.liveObjects);
}

TEST(LeakCheck, CatchesABrushLeakedPerColourMessage) {
    const std::wstring leaky = WindowsPath(Env(L"TESSIVAR_LEAKY_EXE"));
    ASSERT_FALSE(leaky.empty());
    const Counts run = UseAndClose(leaky, kRepetitions);
    ASSERT_GT(run.first.liveObjects, 0) << "no GDI trace of the leaking program was found";
    std::printf("leaking build: %d GDI objects after the first calculation, %d after %d more\n",
                run.first.liveObjects, run.after.liveObjects, kRepetitions);
    // Each repaint asks for colours for dozens of controls: the rounds that
    // the real program passes show at least one leaked object each.
    EXPECT_GE(run.after.liveObjects - run.first.liveObjects, kRepetitions);
}

}  // namespace
