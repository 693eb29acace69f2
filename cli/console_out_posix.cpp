// Terminals elsewhere than on Windows take UTF-8 as it is.
#include "console_out.h"

namespace tessivar::cli {

void Write(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

bool FinishWriting() {
    return true;
}

}  // namespace tessivar::cli
