// On Windows: UTF-16 for a console, the UTF-8 bytes for anything else.
// Whether stdout or stderr is a console is asked once, of its handle
// (GetConsoleMode succeeds only for one). Text for a console is gathered
// until its line ends or the buffer is full, and only whole characters are
// converted: the program writes some texts a byte at a time, and a
// character cut between two writes would show as two wrong ones.
#include <windows.h>

#include <cstring>

#include "console_out.h"

namespace tessivar::cli {

namespace {

struct Stream {
    DWORD which;  // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE
    bool asked = false;
    bool console = false;
    bool failed = false;
    HANDLE handle = nullptr;
    std::size_t held = 0;
    char text[256] = {};
};

Stream g_stdout{STD_OUTPUT_HANDLE};
Stream g_stderr{STD_ERROR_HANDLE};

// How many of the first `size` bytes of text end in a whole character: all
// of them, less the start of a character whose last bytes are still to come.
std::size_t WholeCharacters(const char* text, std::size_t size) {
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto c = static_cast<unsigned char>(text[size - back]);
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

// Writes the held text to the console; with `all`, a character still cut
// short too (as U+FFFD).
void Drain(Stream& stream, bool all) {
    const std::size_t whole = all ? stream.held : WholeCharacters(stream.text, stream.held);
    // UTF-16 never takes more code units than UTF-8 takes bytes.
    wchar_t wide[sizeof stream.text];
    const int count = whole == 0
                          ? 0
                          : MultiByteToWideChar(CP_UTF8, 0, stream.text, static_cast<int>(whole),
                                                wide, static_cast<int>(sizeof stream.text));
    if (whole != 0 && count == 0) stream.failed = true;
    for (int at = 0; at < count;) {
        DWORD written = 0;
        if (!WriteConsoleW(stream.handle, wide + at, static_cast<DWORD>(count - at), &written,
                           nullptr) ||
            written == 0) {
            stream.failed = true;
            break;
        }
        at += static_cast<int>(written);
    }
    std::memmove(stream.text, stream.text + whole, stream.held - whole);
    stream.held -= whole;
}

}  // namespace

void Write(std::FILE* stream, std::string_view text) {
    Stream* const out = stream == stdout ? &g_stdout : stream == stderr ? &g_stderr : nullptr;
    if (out != nullptr && !out->asked) {
        out->asked = true;
        out->handle = GetStdHandle(out->which);
        DWORD mode = 0;
        out->console = out->handle != nullptr && out->handle != INVALID_HANDLE_VALUE &&
                       GetConsoleMode(out->handle, &mode);
    }
    if (out == nullptr || !out->console) {
        std::fwrite(text.data(), 1, text.size(), stream);
        return;
    }
    for (const char c : text) {
        out->text[out->held++] = c;
        if (c == '\n' || out->held == sizeof out->text) Drain(*out, false);
    }
}

bool FinishWriting() {
    bool ok = true;
    for (Stream* stream : {&g_stdout, &g_stderr}) {
        if (stream->console && stream->held != 0) Drain(*stream, true);
        ok = ok && !stream->failed;
    }
    return ok;
}

}  // namespace tessivar::cli
