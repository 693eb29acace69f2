// A DLL left beside Tessivar.exe under the name of one the program loads at
// run time (comctl32.dll, for the tooltip) must never be loaded. The program
// is copied into a fresh folder with a stand-in comctl32.dll that marks its
// loading, and run with the search order Windows itself follows.
#include "app_test.h"

#include <commctrl.h>

namespace harness {
namespace {

class PlantedDllTest : public AppTest {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        wchar_t unique[MAX_PATH];
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        // A unique name, made as a file and taken over as the folder.
        ASSERT_NE(GetTempFileNameW(temp, L"tsv", 0, unique), 0u);
        ASSERT_TRUE(DeleteFileW(unique));
        ASSERT_TRUE(CreateDirectoryW(unique, nullptr));
        folder_ = unique;
        exe_ = folder_ + L"\\Tessivar.exe";
        dll_ = folder_ + L"\\comctl32.dll";
    }

    void TearDown() override {
        app_.Kill();
        if (folder_.empty()) return;
        for (const std::wstring& file : {exe_, dll_, Marker()}) DeleteFileW(file.c_str());
        EXPECT_TRUE(RemoveDirectoryW(folder_.c_str()))
            << "the folder stayed: " << Narrow(folder_) << ", error " << GetLastError();
    }

    // Written by the stand-in when it is loaded.
    std::wstring Marker() const { return dll_ + L".loaded"; }
    bool PlantedDllLoaded() const {
        return GetFileAttributesW(Marker().c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // Whether the form's tooltip has a tool on "Calculate Setting".
    bool CalculateHasToolTip() const {
        HWND calculate = C(kCalculatePos);
        for (HWND tooltip : TopLevelWindows(app_.processId(), TOOLTIPS_CLASSW)) {
            if (GetWindow(tooltip, GW_OWNER) != app_.form()) continue;
            for (const Tool& tool : EnumTools(app_.process(), tooltip)) {
                if (((tool.flags & TTF_IDISHWND) != 0 &&
                     reinterpret_cast<HWND>(tool.id) == calculate) ||
                    tool.window == calculate) {
                    return true;
                }
            }
        }
        return false;
    }

    std::wstring folder_;
    std::wstring exe_;
    std::wstring dll_;
};

TEST_F(PlantedDllTest, ComctlBesideTheProgramIsNeverLoaded) {
    // Under Wine the test runs with native comctl32 put first (Wine reads
    // that when a process starts, from its Unix environment, so ctest sets
    // it); without it Wine's builtin one always wins and this would prove
    // nothing.
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr) {
        ASSERT_NE(Env(L"WINEDLLOVERRIDES").find(L"comctl32=n"), std::wstring::npos)
            << "WINEDLLOVERRIDES does not put native comctl32 first: "
            << Narrow(Env(L"WINEDLLOVERRIDES"));
    }
    const std::wstring planted = WindowsPath(Env(L"TESSIVAR_PLANTED_DLL"));
    ASSERT_FALSE(planted.empty()) << "TESSIVAR_PLANTED_DLL is not set";
    ASSERT_TRUE(CopyFileW(TessivarExePath().c_str(), exe_.c_str(), TRUE))
        << Narrow(TessivarExePath()) << ", error " << GetLastError();
    ASSERT_TRUE(CopyFileW(planted.c_str(), dll_.c_str(), TRUE))
        << Narrow(planted) << ", error " << GetLastError();

    std::wstring error;
    ASSERT_TRUE(app_.Start(exe_, &error)) << Narrow(error);

    // The tooltip is made shortly after the window shows, once comctl32 is
    // loaded; a planted DLL shows itself when that load happens.
    WaitFor(kForWindow, [&] { return PlantedDllLoaded() || CalculateHasToolTip(); });
    EXPECT_FALSE(PlantedDllLoaded()) << "the comctl32.dll beside the program was loaded";
    EXPECT_TRUE(CalculateHasToolTip()) << "no tooltip on \"Calculate Setting\"";
}

}  // namespace
}  // namespace harness
