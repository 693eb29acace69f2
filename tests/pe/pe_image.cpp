#include "pe_image.h"

#include <fstream>
#include <string>
#include <iterator>
#include <stdexcept>

namespace tessivar::pe {
namespace {

class Bytes {
  public:
    explicit Bytes(std::vector<unsigned char> data) : data_(std::move(data)) {}

    std::uint32_t U16(std::size_t at) const { return Byte(at) | Byte(at + 1) << 8; }
    std::uint32_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }
    std::string CString(std::size_t at) const {
        std::string text;
        for (; Byte(at) != 0; ++at) text.push_back(static_cast<char>(Byte(at)));
        return text;
    }
    std::size_t size() const { return data_.size(); }

  private:
    std::uint32_t Byte(std::size_t at) const {
        if (at >= data_.size()) throw std::runtime_error("truncated PE file");
        return data_[at];
    }
    std::vector<unsigned char> data_;
};

std::size_t FileOffset(const std::vector<Section>& sections, std::uint32_t rva) {
    for (const Section& s : sections) {
        const std::uint32_t extent = s.virtualSize > s.rawSize ? s.virtualSize : s.rawSize;
        if (rva >= s.virtualAddress && rva < s.virtualAddress + extent) {
            return s.rawOffset + (rva - s.virtualAddress);
        }
    }
    throw std::runtime_error("address outside every section");
}

}  // namespace

Image ReadImage(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    const Bytes file(std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));
    if (file.U16(0) != 0x5A4D) throw std::runtime_error("no MZ header");
    const std::size_t pe = file.U32(0x3C);
    if (file.U32(pe) != 0x00004550) throw std::runtime_error("no PE signature");

    Image image;
    image.fileSize = file.size();
    const std::size_t coff = pe + 4;
    image.machine = static_cast<std::uint16_t>(file.U16(coff));
    const std::uint32_t sectionCount = file.U16(coff + 2);
    const std::size_t optional = coff + 20;
    const std::size_t optionalSize = file.U16(coff + 16);
    const std::uint32_t magic = file.U16(optional);
    if (magic != 0x10B && magic != 0x20B) throw std::runtime_error("unknown optional header");
    image.pe32plus = magic == 0x20B;
    image.subsystem = static_cast<std::uint16_t>(file.U16(optional + 68));
    image.dllCharacteristics = static_cast<std::uint16_t>(file.U16(optional + 70));
    const std::size_t directories = optional + (image.pe32plus ? 112 : 96);
    const std::uint32_t importRva = file.U32(directories + 8 * 1);
    image.relocationsSize = file.U32(directories + 8 * 5 + 4);

    const std::size_t table = optional + optionalSize;
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        const std::size_t at = table + 40 * i;
        Section s;
        for (std::size_t c = 0; c < 8 && file.U16(at + c) % 256 != 0; ++c) {
            s.name.push_back(static_cast<char>(file.U16(at + c) % 256));
        }
        s.virtualSize = file.U32(at + 8);
        s.virtualAddress = file.U32(at + 12);
        s.rawSize = file.U32(at + 16);
        s.rawOffset = file.U32(at + 20);
        s.characteristics = file.U32(at + 36);
        image.sections.push_back(s);
    }

    if (importRva != 0) {
        // IMAGE_IMPORT_DESCRIPTORs, 20 bytes each, ended by an all-zero one.
        for (std::size_t at = FileOffset(image.sections, importRva);; at += 20) {
            const std::uint32_t nameRva = file.U32(at + 12);
            if (nameRva == 0 && file.U32(at + 16) == 0) break;
            const std::string dll = file.CString(FileOffset(image.sections, nameRva));
            image.imports.push_back(dll);
            // The import lookup table (or, where a linker left it out, the
            // address table as the file holds it): one entry per function,
            // 4 or 8 bytes, ended by 0; the top bit set for an import by
            // ordinal, else the address of a 2-byte hint and the name.
            const std::uint32_t lookupRva = file.U32(at) != 0 ? file.U32(at) : file.U32(at + 16);
            const std::size_t entrySize = image.pe32plus ? 8 : 4;
            for (std::size_t entry = FileOffset(image.sections, lookupRva);; entry += entrySize) {
                const std::uint32_t low = file.U32(entry);
                const std::uint32_t high = image.pe32plus ? file.U32(entry + 4) : 0;
                if (low == 0 && high == 0) break;
                const bool byOrdinal =
                    image.pe32plus ? (high & 0x80000000u) != 0 : (low & 0x80000000u) != 0;
                image.importedFunctions.push_back(
                    {dll, byOrdinal ? "#" + std::to_string(low & 0xFFFF)
                                    : file.CString(FileOffset(image.sections, low) + 2)});
            }
        }
    }
    return image;
}

}  // namespace tessivar::pe
