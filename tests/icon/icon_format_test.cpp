// The icon's text form, the .ico bytes written from it, and the program
// icon's own two images.
#include "icon_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tessivar::icon {
namespace {

Image ParseText(const std::string& text, const std::string& source = "test.txt") {
    std::istringstream in(text);
    return ParseImage(in, source);
}

Image ParseFile(const std::string& name) {
    const std::string path = std::string(TESSIVAR_ICON_SOURCE_DIR) + "/" + name;
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    return ParseImage(in, path);
}

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes.at(at)) |
           static_cast<std::uint32_t>(bytes.at(at + 1)) << 8 |
           static_cast<std::uint32_t>(bytes.at(at + 2)) << 16 |
           static_cast<std::uint32_t>(bytes.at(at + 3)) << 24;
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t at,
                                std::size_t count) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(at),
            bytes.begin() + static_cast<std::ptrdiff_t>(at + count)};
}

// The program icon: the right size, opaque everywhere except the four corner
// pixels of the tile, and those really see-through.
void ExpectTileShape(const Image& image, int size) {
    ASSERT_EQ(image.width, size);
    ASSERT_EQ(image.height, size);
    ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(size * size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool corner = (x == 0 || x == size - 1) && (y == 0 || y == size - 1);
            if (image.at(x, y) == kTransparent) {
                EXPECT_TRUE(corner) << "transparent pixel at " << x << "," << y;
            } else {
                EXPECT_GE(image.at(x, y), 0);
                EXPECT_LE(image.at(x, y), 15);
            }
        }
    }
    for (const int x : {0, size - 1}) {
        for (const int y : {0, size - 1}) {
            EXPECT_EQ(image.at(x, y), kTransparent) << "corner " << x << "," << y;
        }
    }
}

TEST(ProgramIcon, LargeImageIsARoundedTile) {
    ExpectTileShape(ParseFile("hammer32.txt"), 32);
}

TEST(ProgramIcon, SmallImageIsARoundedTile) {
    ExpectTileShape(ParseFile("hammer16.txt"), 16);
}

TEST(BuildIco, WritesDirectoryHeadersPaletteAndBitmaps) {
    // Three pixels wide, so each row of either bitmap needs padding.
    const Image wide = ParseText(
        "# comment\n"
        "size 3 2\r\n"
        "key k black\n"
        "key W white\n"
        "key r 800000\n"
        "key . transparent\n"
        "key y yellow\n"
        "key o olive\n"
        "pixels\n"
        "kWr\n"
        ".yo\n");
    const Image dot = ParseText("size 1 1\nkey x cyan\npixels\nx\n");
    const std::vector<std::uint8_t> ico = BuildIco({wide, dot});

    // Image sizes: 40 header + 64 palette + XOR rows of 4 bytes + mask rows of 4 bytes.
    ASSERT_EQ(ico.size(), 6u + 2 * 16 + 120 + 112);
    EXPECT_EQ(Slice(ico, 0, 6), (std::vector<std::uint8_t>{0, 0, 1, 0, 2, 0}));
    EXPECT_EQ(Slice(ico, 6, 8), (std::vector<std::uint8_t>{3, 2, 16, 0, 1, 0, 4, 0}));
    EXPECT_EQ(Read32(ico, 14), 120u);
    EXPECT_EQ(Read32(ico, 18), 38u);
    EXPECT_EQ(Slice(ico, 22, 8), (std::vector<std::uint8_t>{1, 1, 16, 0, 1, 0, 4, 0}));
    EXPECT_EQ(Read32(ico, 30), 112u);
    EXPECT_EQ(Read32(ico, 34), 158u);

    // BITMAPINFOHEADER of the first image; its height counts the mask too.
    EXPECT_EQ(Read32(ico, 38), 40u);
    EXPECT_EQ(Read32(ico, 42), 3u);
    EXPECT_EQ(Read32(ico, 46), 4u);
    EXPECT_EQ(Slice(ico, 50, 4), (std::vector<std::uint8_t>{1, 0, 4, 0}));
    EXPECT_EQ(Read32(ico, 54), 0u);
    EXPECT_EQ(Read32(ico, 58), 16u);
    EXPECT_EQ(Read32(ico, 70), 16u);

    // Palette entries are blue, green, red, 0.
    EXPECT_EQ(Slice(ico, 78 + 4 * 1, 4), (std::vector<std::uint8_t>{0x00, 0x00, 0x80, 0}));
    EXPECT_EQ(Slice(ico, 78 + 4 * 7, 4), (std::vector<std::uint8_t>{0xC0, 0xC0, 0xC0, 0}));
    EXPECT_EQ(Slice(ico, 78 + 4 * 12, 4), (std::vector<std::uint8_t>{0xFF, 0x00, 0x00, 0}));

    // Bottom row first: ". y o" is 0 (under the mask), 11, 3; then "k W r" is 0, 15, 1.
    EXPECT_EQ(Slice(ico, 142, 8), (std::vector<std::uint8_t>{0x0B, 0x30, 0, 0, 0x0F, 0x10, 0, 0}));
    // The mask: only the bottom row's first pixel is transparent.
    EXPECT_EQ(Slice(ico, 150, 8), (std::vector<std::uint8_t>{0x80, 0, 0, 0, 0, 0, 0, 0}));

    // The second image: cyan is entry 14, in the high nibble; nothing masked.
    EXPECT_EQ(Read32(ico, 158 + 4), 1u);
    EXPECT_EQ(Read32(ico, 158 + 8), 2u);
    EXPECT_EQ(Slice(ico, 262, 8), (std::vector<std::uint8_t>{0xE0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ParseImage, MalformedInputNamesSourceAndLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"size 2 1\nkey a brown\n", "bad.txt:2: \"brown\" is not a colour"},
        {"size 2 1\nkey a 123456\n", "bad.txt:2: \"123456\" is not a colour"},
        {"size 3 1\nkey a black\npixels\naa\n", "bad.txt:4: row 1 is 2 pixels wide, expected 3"},
        {"size 2 2\nkey a black\npixels\n# first row\naa\nab\n",
         "bad.txt:6: row 2, column 2: unknown character 'b'"},
        {"key a black\npixels\n", "bad.txt:2: \"pixels\" before \"size\""},
    };
    for (const Case& c : cases) {
        try {
            ParseText(c.text, "bad.txt");
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (const FormatError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u)
                << "got \"" << error.what() << "\", expected it to start with \"" << c.message
                << "\"";
        }
    }
}

}  // namespace
}  // namespace tessivar::icon
