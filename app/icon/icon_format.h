// Text pixel art and the Windows .ico format, for the program icon's build tool.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessivar::icon {

// The standard 16-colour Windows palette, in palette order, as red, green, blue.
extern const std::array<std::array<std::uint8_t, 3>, 16> kPalette;

// Palette names accepted in a legend, index for index with kPalette.
extern const std::array<const char*, 16> kColourNames;

// A pixel that the icon's AND mask leaves transparent.
constexpr int kTransparent = -1;

// One image: palette indices (or kTransparent), row by row from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<int> pixels;

    int at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// A malformed image; the message names the source and line.
class FormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads one image in the text form described in hammer32.txt. `source` names
// the input in error messages. Throws FormatError.
Image ParseImage(std::istream& in, const std::string& source);

// The bytes of a .ico file holding `images` in the given order, each as a
// 4-bit bitmap with the palette above and a 1-bit AND mask.
std::vector<std::uint8_t> BuildIco(const std::vector<Image>& images);

}  // namespace tessivar::icon
