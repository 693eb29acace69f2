// tessivar-cli.exe's Chinese as a console shows it, and as a pipe gets it.
// The test gives itself a new console, sets the console's code page to one
// that has no Chinese (437, 1252) or another (936, 65001), runs the program
// with the console as its stdout and stderr, and reads the characters back
// from the screen buffer (ReadConsoleOutputCharacterW): every line of the
// help must be there as the words' table writes it. Redirected to a pipe,
// the same text must come as UTF-8. The program's path is in TESSIVAR_CLI.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "help_words.h"

namespace {

using tessivar::Language;
namespace help = tessivar::cli::help;

std::wstring Wide(std::string_view utf8) {
    std::wstring wide(utf8.size(), L'\0');
    const int count = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                          static_cast<int>(utf8.size()), wide.data(),
                                          static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(count));
    return wide;
}

// The lines of text, without their line feeds.
std::vector<std::wstring> Lines(std::string_view utf8) {
    std::vector<std::wstring> lines;
    std::wstring text = Wide(utf8);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The help's own lines in the language (not those that list the options).
std::vector<std::wstring> HelpLines(Language language) {
    std::vector<std::wstring> lines;
    for (const help::Text text : {help::kUsage, help::kDecodePurpose, help::kEncodePurpose,
                                  help::kJson, help::kLanguage, help::kBadInput}) {
        std::string paragraph(help::kTexts[text][language]);
        if (text == help::kDecodePurpose) paragraph = "decode  " + paragraph;
        if (text == help::kEncodePurpose) paragraph = "encode  " + paragraph;
        for (std::wstring& line : Lines(paragraph)) lines.push_back(std::move(line));
    }
    return lines;
}

std::wstring ProgramPath() {
    const char* path = std::getenv("TESSIVAR_CLI");
    return path == nullptr ? std::wstring() : Wide(path);
}

// Runs the program with these handles as its stdin, stdout and stderr, and
// waits for it to end; its exit status.
DWORD RunProgram(const std::wstring& arguments, HANDLE input, HANDLE output) {
    std::wstring command = L"\"" + ProgramPath() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start the program, error " << GetLastError();
        return 255;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 255;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}

// A new console of this process, cleared, with a screen buffer wide and long
// enough that nothing the program writes wraps or scrolls away.
class Console {
  public:
    static constexpr SHORT kColumns = 160;
    static constexpr SHORT kRows = 200;

    explicit Console(UINT codePage) {
        FreeConsole();
        ok_ = AllocConsole() != FALSE;
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        output_ =
            CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
        input_ =
            CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        &inherit, OPEN_EXISTING, 0, nullptr);
        ok_ = ok_ && output_ != INVALID_HANDLE_VALUE && input_ != INVALID_HANDLE_VALUE &&
              SetConsoleOutputCP(codePage) && SetConsoleCP(codePage) &&
              SetConsoleScreenBufferSize(output_, {kColumns, kRows});
        DWORD written = 0;
        ok_ = ok_ &&
              FillConsoleOutputCharacterW(output_, L' ', kColumns * kRows, {0, 0}, &written) &&
              SetConsoleCursorPosition(output_, {0, 0});
    }
    ~Console() {
        if (output_ != INVALID_HANDLE_VALUE) CloseHandle(output_);
        if (input_ != INVALID_HANDLE_VALUE) CloseHandle(input_);
        FreeConsole();
    }
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    bool ok() const { return ok_; }
    HANDLE input() const { return input_; }
    HANDLE output() const { return output_; }

    // The rows from the top down to the cursor's, without their trailing
    // blanks.
    std::vector<std::wstring> Rows() const {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        GetConsoleScreenBufferInfo(output_, &info);
        std::vector<std::wstring> rows;
        for (SHORT y = 0; y <= info.dwCursorPosition.Y && y < kRows; ++y) {
            std::wstring row(static_cast<std::size_t>(kColumns), L' ');
            DWORD read = 0;
            ReadConsoleOutputCharacterW(output_, row.data(), kColumns, {0, y}, &read);
            row.resize(read);
            row.erase(row.find_last_not_of(L' ') + 1);
            rows.push_back(row);
        }
        return rows;
    }

  private:
    bool ok_ = false;
    HANDLE output_ = INVALID_HANDLE_VALUE;
    HANDLE input_ = INVALID_HANDLE_VALUE;
};

std::string Narrow(const std::wstring& wide) {
    std::string text;
    for (const wchar_t c : wide) {
        if (c < 0x80) {
            text.push_back(static_cast<char>(c));
        } else {
            char buffer[8];
            const int count = WideCharToMultiByte(CP_UTF8, 0, &c, 1, buffer, 8, nullptr, nullptr);
            text.append(buffer, static_cast<std::size_t>(count));
        }
    }
    return text;
}

std::string Shown(const std::vector<std::wstring>& rows) {
    std::string shown;
    for (const std::wstring& row : rows) shown += "  |" + Narrow(row) + "|\n";
    return shown;
}

class ChineseConsole : public testing::TestWithParam<UINT> {};

// The help in Chinese: each of its lines is a row of the console, as the
// words' table writes it, whatever the code page.
TEST_P(ChineseConsole, ShowsTheHelpAsWritten) {
    ASSERT_FALSE(ProgramPath().empty()) << "TESSIVAR_CLI is not set";
    Console console(GetParam());
    ASSERT_TRUE(console.ok()) << "cannot make a console with code page " << GetParam() << ", error "
                              << GetLastError();
    EXPECT_EQ(RunProgram(L"--lang zh --help", console.input(), console.output()), 0u);
    const std::vector<std::wstring> rows = console.Rows();
    const std::vector<std::wstring> expected = HelpLines(Language::kChinese);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), expected.front()) << "the console shows:\n" << Shown(rows);
    for (const std::wstring& line : expected) {
        bool found = false;
        for (const std::wstring& row : rows) found = found || row == line;
        EXPECT_TRUE(found) << "no row reads \"" << Narrow(line) << "\"; the console shows:\n"
                           << Shown(rows);
    }
}

// An error line goes to the console through stderr, as one row.
TEST_P(ChineseConsole, ShowsAnErrorLine) {
    Console console(GetParam());
    ASSERT_TRUE(console.ok());
    EXPECT_EQ(RunProgram(L"--lang fr", console.input(), console.output()), 2u);
    const std::vector<std::wstring> rows = console.Rows();
    ASSERT_EQ(rows.size(), 2u) << Shown(rows);  // the line, then the cursor's empty row
    EXPECT_EQ(rows[0],
              L"tessivar-cli: error: --lang \"fr\": not a value it takes; give one of en, zh");
    EXPECT_EQ(rows[1], L"");
}

INSTANTIATE_TEST_SUITE_P(CodePages, ChineseConsole, testing::Values(437u, 1252u, 936u, 65001u),
                         [](const testing::TestParamInfo<UINT>& info) {
                             return "cp" + std::to_string(info.param);
                         });

// Redirected, the program writes UTF-8: the whole output is valid UTF-8 and
// holds every line of the help as the words' table writes it.
TEST(RedirectedOutput, IsUtf8) {
    ASSERT_FALSE(ProgramPath().empty()) << "TESSIVAR_CLI is not set";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, &inherit, 0));
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr);
    // The help is smaller than the pipe's buffer: the program never waits
    // for this side to read.
    const DWORD status = RunProgram(L"--help --lang zh", input, write);
    CloseHandle(write);
    CloseHandle(input);
    std::string bytes;
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(read, buffer, sizeof buffer, &count, nullptr) && count > 0) {
        bytes.append(buffer, count);
    }
    CloseHandle(read);
    EXPECT_EQ(status, 0u);
    EXPECT_TRUE(tessivar::words_check::IsUtf8(bytes)) << bytes;
    // msvcrt writes a line feed as CR LF in text mode, as it did before.
    std::string text;
    for (const char c : bytes) {
        if (c != '\r') text.push_back(c);
    }
    const std::vector<std::wstring> lines = Lines(text);
    for (const std::wstring& line : HelpLines(Language::kChinese)) {
        bool found = false;
        for (const std::wstring& got : lines) found = found || got == line;
        EXPECT_TRUE(found) << "no line reads \"" << Narrow(line) << "\" in:\n" << text;
    }
}

}  // namespace
