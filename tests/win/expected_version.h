// The version the program must carry, written out by hand in every form the
// tests read it in: the version label on the window, the version block's
// strings, and its fixed part's four numbers 1.0.0.4 (major, minor, 0,
// revision), each a pair of 16-bit halves in one 32-bit word.
#pragma once

#include <cstdint>

namespace harness {

inline constexpr const wchar_t* kVersionLabel = L"Version 1.0.4";
inline constexpr const wchar_t* kVersionString = L"1.00.0004";
inline constexpr std::uint32_t kVersionMS = 0x00010000u;  // 1.0
inline constexpr std::uint32_t kVersionLS = 0x00000004u;  // .0.4

}  // namespace harness
