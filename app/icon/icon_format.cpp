#include "icon_format.h"

#include <map>
#include <optional>
#include <sstream>

namespace tessivar::icon {

// Four entries a line, as the palette is usually shown.
// clang-format off
const std::array<std::array<std::uint8_t, 3>, 16> kPalette = {{
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
}};
// clang-format on

const std::array<const char*, 16> kColourNames = {
    "black", "darkred", "darkgreen", "olive",  "navy", "purple",  "teal", "silver",
    "grey",  "red",     "green",     "yellow", "blue", "magenta", "cyan", "white",
};

namespace {

// A legend colour: a palette name, "transparent", or RRGGBB naming a palette entry.
std::optional<int> ColourIndex(const std::string& word) {
    if (word == "transparent") return kTransparent;
    for (std::size_t i = 0; i < kColourNames.size(); ++i) {
        if (word == kColourNames[i]) return static_cast<int>(i);
    }
    if (word.size() != 6 || word.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return std::nullopt;
    }
    const unsigned long rgb = std::stoul(word, nullptr, 16);
    for (std::size_t i = 0; i < kPalette.size(); ++i) {
        const auto& c = kPalette[i];
        if (rgb == (static_cast<unsigned long>(c[0]) << 16 | c[1] << 8 | c[2])) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

void Put16(std::vector<std::uint8_t>& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8 & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::size_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16 & 0xFFFF);
}

// BITMAPINFOHEADER, palette, XOR bitmap and AND mask of one image.
std::vector<std::uint8_t> ImageResource(const Image& image) {
    const int w = image.width;
    const int h = image.height;
    if (w < 1 || w > 256 || h < 1 || h > 256 ||
        image.pixels.size() != static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) {
        throw std::invalid_argument("icon image of a bad size");
    }
    // Rows of both bitmaps are padded to whole 32-bit words.
    const std::size_t xor_stride = (static_cast<std::size_t>(w) * 4 + 31) / 32 * 4;
    const std::size_t and_stride = (static_cast<std::size_t>(w) + 31) / 32 * 4;
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<std::size_t>(w));
    Put32(out, static_cast<std::size_t>(h) * 2);  // the XOR bitmap and the mask, stacked
    Put16(out, 1);                                // planes
    Put16(out, 4);                                // bits per pixel
    Put32(out, 0);                                // uncompressed
    Put32(out, (xor_stride + and_stride) * static_cast<std::size_t>(h));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, kPalette.size());
    Put32(out, 0);
    for (const auto& c : kPalette) out.insert(out.end(), {c[2], c[1], c[0], 0});  // RGBQUAD

    // Both bitmaps run bottom-up; the leftmost pixel is in the high bits.
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(xor_stride, 0);
        for (int x = 0; x < w; ++x) {
            const int p = image.at(x, y);
            if (p != kTransparent && (p < 0 || p > 15)) {
                throw std::invalid_argument("icon pixel outside the palette");
            }
            const int index = p == kTransparent ? 0 : p;  // black under the mask
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<std::uint8_t>(x % 2 ? index : index << 4);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(and_stride, 0);
        for (int x = 0; x < w; ++x) {
            if (image.at(x, y) == kTransparent) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> x % 8);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

Image ParseImage(std::istream& in, const std::string& source) {
    Image image;
    std::map<char, int> legend;
    bool in_pixels = false;
    int rows = 0;
    int line_number = 0;
    const auto fail = [&](const std::string& what) {
        throw FormatError(source + ":" + std::to_string(line_number) + ": " + what);
    };
    std::string line;
    while (std::getline(in, line)) {
        ++line_number;
        line.erase(line.find_last_not_of(" \t\r") + 1);  // also takes a CRLF checkout's \r
        if (!line.empty() && line[0] == '#') continue;
        if (in_pixels) {
            if (rows == image.height) {
                if (!line.empty()) fail("more than " + std::to_string(image.height) + " rows");
                continue;
            }
            ++rows;
            const std::string row = "row " + std::to_string(rows);
            if (line.size() != static_cast<std::size_t>(image.width)) {
                fail(row + " is " + std::to_string(line.size()) + " pixels wide, expected " +
                     std::to_string(image.width));
            }
            for (std::size_t x = 0; x < line.size(); ++x) {
                const auto key = legend.find(line[x]);
                if (key == legend.end()) {
                    fail(row + ", column " + std::to_string(x + 1) + ": unknown character '" +
                         line[x] + "'");
                }
                image.pixels.push_back(key->second);
            }
            continue;
        }
        std::istringstream words(line);
        std::string directive;
        std::string extra;
        if (!(words >> directive)) continue;
        if (directive == "size") {
            if (image.width != 0) fail("\"size\" given twice");
            if (!(words >> image.width >> image.height) || words >> extra) {
                fail("expected \"size WIDTH HEIGHT\"");
            }
            if (image.width < 1 || image.width > 256 || image.height < 1 || image.height > 256) {
                fail("width and height must be 1 to 256 pixels");
            }
        } else if (directive == "key") {
            std::string key;
            std::string colour;
            if (!(words >> key >> colour) || words >> extra || key.size() != 1 || key == "#") {
                fail("expected \"key CHARACTER COLOUR\"");
            }
            const std::optional<int> index = ColourIndex(colour);
            if (!index) fail("\"" + colour + "\" is not a colour of the 16-colour palette");
            if (!legend.emplace(key[0], *index).second) fail("'" + key + "' given twice");
        } else if (directive == "pixels") {
            if (image.width == 0) fail("\"pixels\" before \"size\"");
            in_pixels = true;
        } else {
            fail("unknown line \"" + directive + "\"");
        }
    }
    if (!in_pixels) throw FormatError(source + ": no \"pixels\" section");
    if (rows < image.height) {
        throw FormatError(source + ": " + std::to_string(rows) + " rows, expected " +
                          std::to_string(image.height));
    }
    return image;
}

std::vector<std::uint8_t> BuildIco(const std::vector<Image>& images) {
    if (images.empty() || images.size() > 0xFFFF) {
        throw std::invalid_argument("an icon holds 1 to 65535 images");
    }
    std::vector<std::uint8_t> out;
    Put16(out, 0);  // ICONDIR: reserved, type 1 (icon), count
    Put16(out, 1);
    Put16(out, images.size());
    std::vector<std::vector<std::uint8_t>> resources;
    std::size_t offset = 6 + 16 * images.size();
    for (const Image& image : images) {
        resources.push_back(ImageResource(image));
        // ICONDIRENTRY; 256 pixels is written as 0.
        out.push_back(static_cast<std::uint8_t>(image.width & 0xFF));
        out.push_back(static_cast<std::uint8_t>(image.height & 0xFF));
        out.push_back(16);  // colours
        out.push_back(0);
        Put16(out, 1);  // planes
        Put16(out, 4);  // bits per pixel
        Put32(out, resources.back().size());
        Put32(out, offset);
        offset += resources.back().size();
    }
    for (const auto& resource : resources) out.insert(out.end(), resource.begin(), resource.end());
    return out;
}

}  // namespace tessivar::icon
