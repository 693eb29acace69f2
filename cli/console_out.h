// Where tessivar-cli's text goes. Its text is UTF-8. On Windows, a console
// shows text in its code page, which is rarely UTF-8 (437, 850, 936, 1252,
// ...), so text for a console is written to it as UTF-16 (WriteConsoleW)
// and reads right whatever the code page; output redirected to a file or a
// pipe gets the UTF-8 bytes. Elsewhere every output gets the bytes.
#pragma once

#include <cstdio>
#include <string_view>

namespace tessivar::cli {

// Writes UTF-8 text to stream (stdout or stderr; any other stream gets the
// bytes). Text for a console is held until its line ends.
void Write(std::FILE* stream, std::string_view text);

// Writes what is held for a console; false when a write to a console
// failed. Called once, before the program ends.
bool FinishWriting();

}  // namespace tessivar::cli
