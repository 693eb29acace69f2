// Checks the built executables as files: a GUI or console program for its
// architecture, ASLR and DEP on, no section both writable and executable,
// only Windows' own DLLs imported, and the 32-bit ones within 48 KiB.
//
//   pe_check_test [gtest flags] ARCH=PATH...     ARCH is i686 or x86_64, for a
//                                                GUI program; ARCH:console=PATH
//                                                for a console program
//   pe_check_test --unhardened=PATH              a file built without ASLR/DEP
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "pe_image.h"

namespace tessivar::pe {
namespace {

struct Target {
    std::string arch;
    std::uint16_t subsystem;
    std::string path;
};

std::vector<Target> targets;
std::string unhardenedSample;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// What keeps an image from having ASLR and DEP; empty when it has both.
std::vector<std::string> HardeningProblems(const Image& image) {
    std::vector<std::string> problems;
    if (!(image.dllCharacteristics & kDynamicBase)) problems.push_back("no DYNAMIC_BASE");
    if (!(image.dllCharacteristics & kNxCompat)) problems.push_back("no NX_COMPAT");
    // Without relocations the loader cannot move the image, whatever the flag says.
    if (image.relocationsSize == 0) problems.push_back("no base relocations");
    if (image.pe32plus && !(image.dllCharacteristics & kHighEntropyVa)) {
        problems.push_back("no HIGH_ENTROPY_VA");
    }
    for (const Section& s : image.sections) {
        if ((s.characteristics & kSectionWrite) && (s.characteristics & kSectionExecute)) {
            problems.push_back("section " + s.name + " is writable and executable");
        }
    }
    return problems;
}

std::string Join(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
    return text;
}

TEST(Executables, AreGuiOrConsoleProgramsForTheirArchitecture) {
    ASSERT_FALSE(targets.empty()) << "no executables given";
    for (const Target& target : targets) {
        SCOPED_TRACE(target.path);
        const Image image = ReadImage(target.path);
        EXPECT_EQ(image.subsystem, target.subsystem);
        if (target.arch == "i686") {
            EXPECT_EQ(image.machine, kMachineI386);
            EXPECT_FALSE(image.pe32plus);
        } else {
            EXPECT_EQ(image.machine, kMachineAmd64);
            EXPECT_TRUE(image.pe32plus);
        }
        std::cout << target.path << ": " << image.fileSize << " bytes ("
                  << (image.fileSize + 1023) / 1024 << " KiB), imports " << Join(image.imports)
                  << '\n';
    }
}

// The 32-bit programs are small programs of their own; a change that pulls
// the C++ runtime's exception or string machinery back in shows up here
// first.
TEST(Executables, ProductFitsIn48KiB) {
    constexpr std::uintmax_t kBudget = 48 * 1024;
    int checked = 0;
    for (const Target& target : targets) {
        if (target.arch != "i686") continue;
        SCOPED_TRACE(target.path);
        EXPECT_LE(ReadImage(target.path).fileSize, kBudget);
        ++checked;
    }
    if (checked == 0) GTEST_SKIP() << "no 32-bit product given";
}

TEST(Executables, HaveAslrAndDepAndNoWritableCode) {
    ASSERT_FALSE(targets.empty()) << "no executables given";
    for (const Target& target : targets) {
        SCOPED_TRACE(target.path);
        EXPECT_EQ(Join(HardeningProblems(ReadImage(target.path))), "");
    }
}

TEST(Executables, ImportOnlyWindowsOwnDlls) {
    // DLLs that every Windows since 7 has in its system folder.
    const std::set<std::string> windows = {"kernel32.dll", "user32.dll",   "gdi32.dll",
                                           "msvcrt.dll",   "advapi32.dll", "shell32.dll",
                                           "comctl32.dll", "ntdll.dll"};
    ASSERT_FALSE(targets.empty()) << "no executables given";
    for (const Target& target : targets) {
        SCOPED_TRACE(target.path);
        const Image image = ReadImage(target.path);
        EXPECT_FALSE(image.imports.empty());
        for (const std::string& dll : image.imports) {
            EXPECT_EQ(windows.count(Lower(dll)), 1u) << dll << " is not one of Windows' own DLLs";
        }
    }
}

// The same checks find the faults in a program linked without ASLR and DEP.
TEST(HardeningCheck, ReportsAnUnhardenedProgram) {
    ASSERT_FALSE(unhardenedSample.empty()) << "no --unhardened sample given";
    const std::vector<std::string> problems = HardeningProblems(ReadImage(unhardenedSample));
    EXPECT_NE(std::find(problems.begin(), problems.end(), "no DYNAMIC_BASE"), problems.end())
        << Join(problems);
    EXPECT_NE(std::find(problems.begin(), problems.end(), "no NX_COMPAT"), problems.end())
        << Join(problems);
}

TEST(HardeningCheck, RejectsWhatIsNotAPeFile) {
    ASSERT_FALSE(targets.empty());
    // The test's own source file is text, not an image.
    EXPECT_THROW(ReadImage(__FILE__), std::runtime_error);
}

}  // namespace
}  // namespace tessivar::pe

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    using tessivar::pe::targets;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::string unhardened = "--unhardened=";
        if (arg.rfind(unhardened, 0) == 0) {
            tessivar::pe::unhardenedSample = arg.substr(unhardened.size());
        } else if (const auto eq = arg.find('='); eq != std::string::npos) {
            std::string arch = arg.substr(0, eq);
            std::uint16_t subsystem = tessivar::pe::kSubsystemWindowsGui;
            const std::string console = ":console";
            if (arch.size() > console.size() &&
                arch.compare(arch.size() - console.size(), console.size(), console) == 0) {
                arch.resize(arch.size() - console.size());
                subsystem = tessivar::pe::kSubsystemWindowsCui;
            }
            targets.push_back({arch, subsystem, arg.substr(eq + 1)});
        } else {
            std::cerr << "unknown argument " << arg << '\n';
            return 2;
        }
    }
    return RUN_ALL_TESTS();
}
