// Checks the 32-bit programs' static imports against the list of the
// functions they may import (static_imports.txt), each recorded with the
// oldest Windows that has it. An import not on the list fails, and so does
// anything newer than Windows 7 SP1, the oldest system the programs run on:
// a statically imported function that the system lacks stops the program
// before it starts. Newer functions are looked up at run time instead.
//
//   static_imports_test [gtest flags] --list=PATH PROGRAM...
//       [--newer-sample=PATH]      a program that calls two Windows 8
//                                  functions directly, which must fail
//       [--without-newer=PATH]     the test build that finds no newer
//                                  function: it must not look one up
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "pe_image.h"

namespace tessivar::pe {
namespace {

std::string listPath;
std::vector<std::string> programs;
std::string newerSample;
std::string withoutNewer;

// The Windows versions a list entry may name, oldest first.
const std::vector<std::string> kWindows = {"2000", "XP", "Vista", "7", "7 SP1", "8", "8.1", "10"};
const std::string kOldestSupported = "7 SP1";

int Rank(const std::string& windows) {
    const auto at = std::find(kWindows.begin(), kWindows.end(), windows);
    return at == kWindows.end() ? -1 : static_cast<int>(at - kWindows.begin());
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "kernel32.dll GetLastError": how an import is known, whatever the case of
// the DLL's name.
std::string Key(const std::string& dll, const std::string& function) {
    return Lower(dll) + " " + function;
}

struct ImportList {
    std::map<std::string, std::string> windows;  // by Key
    std::vector<std::string> errors;             // lines that say nothing sound
};

ImportList ParseList(std::istream& in) {
    ImportList list;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string dll, function, windows, word;
        if (!(words >> dll)) continue;
        words >> function;
        while (words >> word) windows += (windows.empty() ? "" : " ") + word;
        const std::string where = "line " + std::to_string(number) + ": ";
        if (function.empty() || windows.empty()) {
            list.errors.push_back(where + "not DLL FUNCTION WINDOWS: " + line);
        } else if (Rank(windows) < 0) {
            list.errors.push_back(where + "no such Windows: " + windows);
        } else if (!list.windows.emplace(Key(dll, function), windows).second) {
            list.errors.push_back(where + dll + " " + function + " is listed twice");
        }
    }
    return list;
}

ImportList ReadList(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        ImportList list;
        list.errors.push_back("cannot read " + path);
        return list;
    }
    return ParseList(in);
}

// What is wrong with a program's imports, one line each; empty when all are
// listed and none is newer than Windows 7 SP1.
std::vector<std::string> ImportProblems(const Image& image, const ImportList& list) {
    std::vector<std::string> problems;
    for (const ImportedFunction& f : image.importedFunctions) {
        const auto entry = list.windows.find(Key(f.dll, f.name));
        if (entry == list.windows.end()) {
            problems.push_back(f.dll + " " + f.name +
                               " is not in the list: record it there with the oldest Windows "
                               "that has it, or look it up at run time");
        } else if (Rank(entry->second) > Rank(kOldestSupported)) {
            problems.push_back(f.dll + " " + f.name + " needs Windows " + entry->second +
                               ": look it up at run time instead");
        }
    }
    return problems;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "  " + line + "\n";
    return text;
}

TEST(ImportList, RecordsOnlyWhatWindows7Sp1Has) {
    const ImportList list = ReadList(listPath);
    EXPECT_EQ(Lines(list.errors), "");
    ASSERT_FALSE(list.windows.empty()) << "no entries in " << listPath;
    for (const auto& [function, windows] : list.windows) {
        EXPECT_LE(Rank(windows), Rank(kOldestSupported))
            << function << " is listed as needing Windows " << windows
            << ", newer than Windows 7 SP1: look it up at run time instead";
    }
}

TEST(Programs, ImportOnlyListedFunctionsOfWindows7Sp1) {
    ASSERT_FALSE(programs.empty()) << "no programs given";
    const ImportList list = ReadList(listPath);
    for (const std::string& program : programs) {
        SCOPED_TRACE(program);
        const Image image = ReadImage(program);
        EXPECT_EQ(image.machine, kMachineI386) << "the list is for the 32-bit programs";
        EXPECT_FALSE(image.importedFunctions.empty());
        EXPECT_EQ(Lines(ImportProblems(image, list)), "");
        std::cout << program << ": " << image.importedFunctions.size() << " functions imported\n";
    }
}

// The list is what the programs import, nothing more: an entry left behind
// by a call that has gone would let it come back unseen.
TEST(Programs, ImportEveryListedFunction) {
    ASSERT_FALSE(programs.empty()) << "no programs given";
    std::set<std::string> imported;
    for (const std::string& program : programs) {
        for (const ImportedFunction& f : ReadImage(program).importedFunctions) {
            imported.insert(Key(f.dll, f.name));
        }
    }
    for (const auto& entry : ReadList(listPath).windows) {
        EXPECT_EQ(imported.count(entry.first), 1u)
            << entry.first << " is listed, but no program imports it: remove it from the list";
    }
}

// The check turns down a program that calls Windows 8 functions directly:
// unlisted as they are, and as newer than Windows 7 SP1 once listed.
TEST(ImportCheck, TurnsDownDirectCallsToWindows8Functions) {
    ASSERT_FALSE(newerSample.empty()) << "no --newer-sample given";
    const Image sample = ReadImage(newerSample);
    const ImportList list = ReadList(listPath);
    std::string withWindows8;
    for (const auto& [function, windows] : list.windows)
        withWindows8 += function + " " + windows + "\n";
    withWindows8 +=
        "kernel32.dll GetSystemTimePreciseAsFileTime 8\n"
        "kernel32.dll SetDefaultDllDirectories 8\n";
    std::istringstream in(withWindows8);
    const ImportList recorded = ParseList(in);
    for (const char* function : {"GetSystemTimePreciseAsFileTime", "SetDefaultDllDirectories"}) {
        SCOPED_TRACE(function);
        const std::vector<std::string> unlisted = ImportProblems(sample, list);
        EXPECT_EQ(std::count_if(unlisted.begin(), unlisted.end(),
                                [&](const std::string& p) {
                                    return p.find(std::string(" ") + function +
                                                  " is not in the list") != std::string::npos;
                                }),
                  1)
            << Lines(unlisted);
        const std::vector<std::string> newer = ImportProblems(sample, recorded);
        EXPECT_EQ(std::count_if(newer.begin(), newer.end(),
                                [&](const std::string& p) {
                                    return p.find(std::string(" ") + function +
                                                  " needs Windows 8") != std::string::npos;
                                }),
                  1)
            << Lines(newer);
    }
}

// The test build that stands for Windows 7 SP1 without updates looks up no
// newer function: their names, which the product passes to GetProcAddress,
// are not in it at all.
TEST(WithoutNewerBuild, LooksUpNoNewerFunction) {
    if (withoutNewer.empty()) GTEST_SKIP() << "no --without-newer given";
    ASSERT_FALSE(programs.empty());
    const auto contents = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string product = contents(programs.front());
    const std::string test = contents(withoutNewer);
    ASSERT_FALSE(test.empty()) << "cannot read " << withoutNewer;
    for (const char* name :
         {"GetDpiForWindow", "AdjustWindowRectExForDpi", "GetSystemMetricsForDpi",
          "SetDefaultDllDirectories", "AddDllDirectory"}) {
        EXPECT_NE(product.find(name), std::string::npos)
            << programs.front() << " does not look up " << name;
        EXPECT_EQ(test.find(name), std::string::npos) << withoutNewer << " looks up " << name;
    }
}

}  // namespace
}  // namespace tessivar::pe

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    namespace pe = tessivar::pe;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto option = [&](const std::string& name, std::string* value) {
            if (arg.rfind(name, 0) != 0) return false;
            *value = arg.substr(name.size());
            return true;
        };
        if (option("--list=", &pe::listPath) || option("--newer-sample=", &pe::newerSample) ||
            option("--without-newer=", &pe::withoutNewer)) {
            continue;
        }
        if (arg.rfind("--", 0) == 0) {
            std::cerr << "unknown argument " << arg << '\n';
            return 2;
        }
        pe::programs.push_back(arg);
    }
    if (pe::listPath.empty()) {
        std::cerr << "no --list given\n";
        return 2;
    }
    return RUN_ALL_TESTS();
}
