// Reads what the hardening and packaging checks need from a PE file: the
// machine, subsystem, DLL characteristics, sections, and the imported DLLs
// with the functions taken from each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessivar::pe {

struct Section {
    std::string name;
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawOffset = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t characteristics = 0;
};

// A function imported statically: by name, or "#N" for ordinal N.
struct ImportedFunction {
    std::string dll;  // as the file spells it
    std::string name;
};

struct Image {
    std::uint16_t machine = 0;
    bool pe32plus = false;
    std::uint16_t subsystem = 0;
    std::uint16_t dllCharacteristics = 0;
    std::uint32_t relocationsSize = 0;  // size of the base relocation directory
    std::vector<Section> sections;
    std::vector<std::string> imports;  // DLL names as the file spells them
    std::vector<ImportedFunction> importedFunctions;
    std::uintmax_t fileSize = 0;
};

constexpr std::uint16_t kMachineI386 = 0x14C;
constexpr std::uint16_t kMachineAmd64 = 0x8664;
constexpr std::uint16_t kSubsystemWindowsGui = 2;
constexpr std::uint16_t kSubsystemWindowsCui = 3;
constexpr std::uint16_t kHighEntropyVa = 0x0020;
constexpr std::uint16_t kDynamicBase = 0x0040;
constexpr std::uint16_t kNxCompat = 0x0100;
constexpr std::uint32_t kSectionExecute = 0x20000000;
constexpr std::uint32_t kSectionWrite = 0x80000000;

// Throws std::runtime_error when the file cannot be read or is not a PE image.
Image ReadImage(const std::string& path);

}  // namespace tessivar::pe
