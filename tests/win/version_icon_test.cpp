// The executable's identity as Windows reads it: the version block through
// the version API and as raw resource bytes, and the icon's two images.
#include "harness.h"

#include <gtest/gtest.h>
#include <winver.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "expected_version.h"

namespace harness {
namespace {

std::vector<unsigned char> VersionInfo(const std::wstring& path) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    std::vector<unsigned char> data(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, data.data())) data.clear();
    return data;
}

std::wstring StringValue(std::vector<unsigned char>& info, const std::wstring& key) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = L"\\StringFileInfo\\080404B0\\" + key;
    if (!VerQueryValueW(info.data(), query.c_str(), &value, &length) || value == nullptr) {
        return L"<missing>";
    }
    return std::wstring(static_cast<const wchar_t*>(value));
}

// One node of a version resource: length, value length, type, key, value,
// children, each aligned on 32 bits.
struct VersionNode {
    std::wstring key;
    std::vector<unsigned char> value;
    std::vector<VersionNode> children;
};

std::size_t Align4(std::size_t offset) {
    return (offset + 3) & ~std::size_t{3};
}

bool ParseNode(const unsigned char* base, std::size_t offset, std::size_t end, VersionNode* node,
               std::size_t* next) {
    if (offset + 6 > end) return false;
    WORD length = 0, valueLength = 0, type = 0;
    std::memcpy(&length, base + offset, 2);
    std::memcpy(&valueLength, base + offset + 2, 2);
    std::memcpy(&type, base + offset + 4, 2);
    const std::size_t nodeEnd = offset + length;
    if (length < 6 || nodeEnd > end) return false;
    std::size_t at = offset + 6;
    node->key.clear();
    for (;;) {
        if (at + 2 > nodeEnd) return false;
        wchar_t ch = 0;
        std::memcpy(&ch, base + at, 2);
        at += 2;
        if (ch == 0) break;
        node->key += ch;
    }
    at = Align4(at);
    const std::size_t valueBytes = type == 1 ? valueLength * 2u : valueLength;
    if (at + valueBytes > nodeEnd) return false;
    node->value.assign(base + at, base + at + valueBytes);
    at = Align4(at + valueBytes);
    while (at < nodeEnd) {
        VersionNode child;
        std::size_t after = 0;
        if (!ParseNode(base, at, nodeEnd, &child, &after)) return false;
        node->children.push_back(std::move(child));
        at = Align4(after);
    }
    *next = nodeEnd;
    return true;
}

class Module {
  public:
    explicit Module(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~Module() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    HMODULE get() const { return module_; }
    std::vector<unsigned char> Resource(LPCWSTR name, LPCWSTR type) const {
        HRSRC found = FindResourceW(module_, name, type);
        if (found == nullptr) return {};
        HGLOBAL loaded = LoadResource(module_, found);
        const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
        if (bytes == nullptr) return {};
        return std::vector<unsigned char>(bytes, bytes + SizeofResource(module_, found));
    }

  private:
    HMODULE module_;
};

class VersionIconTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = TessivarExePath();
        ASSERT_FALSE(path_.empty()) << "TESSIVAR_EXE is not set";
        ASSERT_NE(GetFileAttributesW(path_.c_str()), INVALID_FILE_ATTRIBUTES) << Narrow(path_);
    }
    std::wstring path_;
};

TEST_F(VersionIconTest, FixedPartIs1004ForAWindowsApplication) {
    auto info = VersionInfo(path_);
    ASSERT_FALSE(info.empty()) << "no version block";
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, kVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, kVersionLS);
    EXPECT_EQ(fixed->dwProductVersionMS, kVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, kVersionLS);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, 4u);    // 32-bit Windows
    EXPECT_EQ(fixed->dwFileType, 1u);  // application
    EXPECT_EQ(fixed->dwFileSubtype, 0u);
    EXPECT_EQ(fixed->dwFileDateMS, 0u);
    EXPECT_EQ(fixed->dwFileDateLS, 0u);
}

TEST_F(VersionIconTest, TranslationIsChineseInUnicode) {
    auto info = VersionInfo(path_);
    ASSERT_FALSE(info.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u) << "exactly one translation";
    const auto* pair = static_cast<const WORD*>(value);
    EXPECT_EQ(pair[0], 0x0804);
    EXPECT_EQ(pair[1], 1200);
}

TEST_F(VersionIconTest, StringsHaveTheirValues) {
    auto info = VersionInfo(path_);
    ASSERT_FALSE(info.empty());
    const std::wstring company = StringValue(info, L"CompanyName");
    EXPECT_NE(company, L"<missing>");
    EXPECT_FALSE(company.empty());
    EXPECT_EQ(StringValue(info, L"ProductName"), L"Tessivar");
    EXPECT_EQ(StringValue(info, L"FileVersion"), kVersionString);
    EXPECT_EQ(StringValue(info, L"ProductVersion"), kVersionString);
    EXPECT_EQ(StringValue(info, L"InternalName"), L"Tessivar");
    EXPECT_EQ(StringValue(info, L"OriginalFilename"), L"Tessivar.exe");
}

TEST_F(VersionIconTest, BlockHoldsTranslationFirstThenOneTableOfSixStringsInOrder) {
    Module module(path_);
    ASSERT_NE(module.get(), nullptr);
    const auto raw = module.Resource(MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
    ASSERT_FALSE(raw.empty()) << "no RT_VERSION resource 1";
    VersionNode root;
    std::size_t next = 0;
    ASSERT_TRUE(ParseNode(raw.data(), 0, raw.size(), &root, &next));
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");
    std::vector<std::wstring> sections;
    for (const auto& child : root.children) sections.push_back(child.key);
    EXPECT_EQ(sections, (std::vector<std::wstring>{L"VarFileInfo", L"StringFileInfo"}));
    ASSERT_EQ(root.children.size(), 2u);
    const VersionNode& strings = root.children[1];
    ASSERT_EQ(strings.children.size(), 1u) << "one string table";
    EXPECT_EQ(strings.children[0].key, L"080404B0");
    std::vector<std::wstring> keys;
    for (const auto& entry : strings.children[0].children) keys.push_back(entry.key);
    EXPECT_EQ(keys,
              (std::vector<std::wstring>{L"CompanyName", L"ProductName", L"FileVersion",
                                         L"ProductVersion", L"InternalName", L"OriginalFilename"}));
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(GroupIconEntry) == 14, "group icon entries are packed");

// The 16 colours of the standard Windows palette.
const std::set<std::uint32_t> kStandardColours{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

TEST_F(VersionIconTest, IconHas32And16PixelImagesOf16ColoursTransparentOnlyAtTheCorners) {
    Module module(path_);
    ASSERT_NE(module.get(), nullptr);
    const auto group = module.Resource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    ASSERT_GE(group.size(), 6u) << "no icon group 1";
    WORD reserved = 0, type = 0, count = 0;
    std::memcpy(&reserved, group.data(), 2);
    std::memcpy(&type, group.data() + 2, 2);
    std::memcpy(&count, group.data() + 4, 2);
    EXPECT_EQ(type, 1);
    ASSERT_EQ(count, 2) << "two images";
    ASSERT_GE(group.size(), 6u + count * sizeof(GroupIconEntry));

    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        GroupIconEntry entry{};
        std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
        const int size = entry.width == 0 ? 256 : entry.width;
        sizes.insert(size);
        SCOPED_TRACE(std::to_string(size) + " pixels");
        EXPECT_EQ(entry.height, entry.width);
        EXPECT_EQ(entry.bitCount, 4);
        EXPECT_EQ(entry.colourCount, 16);

        const auto image =
            module.Resource(MAKEINTRESOURCEW(entry.id), MAKEINTRESOURCEW(3));  // RT_ICON
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header{};
        std::memcpy(&header, image.data(), sizeof header);
        EXPECT_EQ(header.biWidth, size);
        EXPECT_EQ(header.biHeight, 2 * size) << "colour image and mask";
        ASSERT_EQ(header.biBitCount, 4);
        ASSERT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

        const std::size_t paletteAt = header.biSize;
        const std::size_t colourRow = ((static_cast<std::size_t>(size) * 4 + 31) / 32) * 4;
        const std::size_t maskRow = ((static_cast<std::size_t>(size) + 31) / 32) * 4;
        const std::size_t colourAt = paletteAt + 16 * sizeof(RGBQUAD);
        const std::size_t maskAt = colourAt + colourRow * static_cast<std::size_t>(size);
        ASSERT_GE(image.size(), maskAt + maskRow * static_cast<std::size_t>(size));

        std::vector<std::uint32_t> palette(16);
        for (std::size_t c = 0; c < 16; ++c) {
            RGBQUAD quad{};
            std::memcpy(&quad, image.data() + paletteAt + c * sizeof quad, sizeof quad);
            palette[c] = (std::uint32_t{quad.rgbRed} << 16) | (std::uint32_t{quad.rgbGreen} << 8) |
                         quad.rgbBlue;
            EXPECT_EQ(kStandardColours.count(palette[c]), 1u)
                << "palette entry " << c << " is " << std::hex << palette[c];
        }

        int transparent = 0;
        int greys = 0;
        int misplacedCount = 0;
        std::string misplaced;
        // Rows are stored bottom-up; corners are the same either way.
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const unsigned char maskByte =
                    image[maskAt + maskRow * static_cast<std::size_t>(y) +
                          static_cast<std::size_t>(x / 8)];
                const bool isTransparent = (maskByte >> (7 - x % 8)) & 1;
                const unsigned char colourByte =
                    image[colourAt + colourRow * static_cast<std::size_t>(y) +
                          static_cast<std::size_t>(x / 2)];
                const int index = x % 2 == 0 ? colourByte >> 4 : colourByte & 0x0F;
                const bool corner = (x == 0 || x == size - 1) && (y == 0 || y == size - 1);
                if (isTransparent != corner) {
                    if (misplaced.empty()) {
                        misplaced = std::to_string(x) + "," + std::to_string(y) +
                                    (corner ? " (a corner) is opaque" : " is transparent");
                    }
                    ++misplacedCount;
                }
                if (isTransparent) {
                    ++transparent;
                    // Black under a set mask bit leaves the screen as it is.
                    EXPECT_EQ(palette[static_cast<std::size_t>(index)], 0u)
                        << "transparent pixel " << x << "," << y << " would invert the screen";
                }
                const std::uint32_t colour = palette[static_cast<std::size_t>(index)];
                if (colour == 0xC0C0C0 || colour == 0x808080) ++greys;
            }
        }
        EXPECT_EQ(misplacedCount, 0) << "first: pixel " << misplaced;
        EXPECT_EQ(transparent, 4);
        // A grey tile fills much of the image.
        EXPECT_GT(greys, size * size / 4);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

}  // namespace
}  // namespace harness
