// mkicon: turns the program icon's text pixel art into a .ico file.
//
//   mkicon OUTPUT.ico IMAGE.txt...
//
// The images go into the icon in the order given. On any error nothing is
// written and the exit status is 1 (2 for a wrong command line).
#include "icon_format.h"

#include <cstdio>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    using namespace tessivar::icon;
    if (argc < 3) {
        std::cerr << "usage: mkicon OUTPUT.ico IMAGE.txt...\n";
        return 2;
    }
    try {
        std::vector<Image> images;
        for (int i = 2; i < argc; ++i) {
            std::ifstream in(argv[i]);
            if (!in) throw FormatError(std::string(argv[i]) + ": cannot open");
            images.push_back(ParseImage(in, argv[i]));
        }
        const std::vector<std::uint8_t> bytes = BuildIco(images);
        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(argv[1]);
            throw FormatError(std::string(argv[1]) + ": cannot write");
        }
    } catch (const std::exception& error) {
        std::cerr << "mkicon: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
