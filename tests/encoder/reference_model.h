// What the switch boxes must show, described independently of the encoder:
// the transmission pairs and their weights, the rate codes and the writes of
// each channel choice are the plain data of switch_tables.h, and the expected
// texts are built from that data with the C library's formatting.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "../switch_tables.h"
#include "switch_encoder.h"

namespace encoder_test {

using tessivar::SwitchSelection;
using tessivar::SwitchWrites;
using SettingBits = std::array<std::int16_t, 16>;

// The writes as plain (switch number, text) pairs, which GoogleTest compares
// and prints as they are.
using Writes = std::vector<std::pair<int, std::string>>;

inline Writes Flatten(const SwitchWrites& writes) {
    Writes flat;
    for (const auto& write : writes) flat.emplace_back(write.number, std::string(write.text()));
    return flat;
}

using switch_tables::kChannelTargets;
using switch_tables::kPairWeight;
using switch_tables::kProtocols;
using switch_tables::kRates;
using switch_tables::Target;

// The transmission pairs, in bit order, as indices into kPairs and
// kPairWeight.
enum Pair {
    kOperation,
    kDataBit,
    kParity,
    kOddEven,
    kStopBit,
    kCheckSum,
    kWriteDuringRun,
    kChange
};

enum Channel { kCH1, kCH2, kBoth };

inline std::string Hex2(unsigned byte) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

// The expected byte for pairs whose odd member is selected where odd[k] is.
inline unsigned ByteOf(const std::array<bool, 8>& odd) {
    unsigned byte = 0;
    for (unsigned k = 0; k < 8; ++k) byte += odd[k] ? kPairWeight[k] : 0;
    return byte;
}

// The writes for the given texts and for every channel flag that is set.
inline Writes ExpectedWrites(const std::string& word, const std::string& protocol,
                             const std::array<bool, 3>& channels) {
    Writes writes;
    for (unsigned c = 0; c < 3; ++c) {
        if (!channels[c]) continue;
        for (const Target& t : kChannelTargets[c])
            writes.emplace_back(t.number, t.word ? word : protocol);
    }
    return writes;
}

inline int RateIndex(const char* caption) {
    for (unsigned i = 0; i < kRates.size(); ++i)
        if (std::strcmp(kRates[i].caption.text, caption) == 0) return static_cast<int>(i);
    return -1;
}

inline int ProtocolIndex(const char* caption) {
    for (unsigned i = 0; i < kProtocols.size(); ++i)
        if (std::strcmp(kProtocols[i].text, caption) == 0) return static_cast<int>(i);
    return -1;
}

// Selecting one member of a group clears the others, as the window does.
template <std::size_t N>
void SelectOnly(std::array<bool, N>& group, int index) {
    group.fill(false);
    group.at(static_cast<std::size_t>(index)) = true;
}

inline void SetPair(SwitchSelection& s, int pair, bool odd) {
    s.OptOperation.at(2 * pair) = !odd;
    s.OptOperation.at(2 * pair + 1) = odd;
}

inline void SetPairs(SwitchSelection& s, const std::array<bool, 8>& odd) {
    for (int k = 0; k < 8; ++k) SetPair(s, k, odd[k]);
}

// The pairs as the window opens.
constexpr std::array<bool, 8> kInitialPairs = switch_tables::kInitialOdd;
constexpr std::array<bool, 8> kAllEven{};
constexpr std::array<bool, 8> kAllOdd = {true, true, true, true, true, true, true, true};

inline SwitchSelection Selection(const std::array<bool, 8>& odd, const char* rate,
                                 const char* protocol, Channel channel) {
    SwitchSelection s;
    SetPairs(s, odd);
    SelectOnly(s.optBaudRate, RateIndex(rate));
    SelectOnly(s.optProtocol, ProtocolIndex(protocol));
    SelectOnly(s.optCH, channel);
    return s;
}

inline SwitchSelection InitialSelection() {
    return Selection(kInitialPairs, kRates[switch_tables::kInitialRate].caption.text,
                     kProtocols[switch_tables::kInitialProtocol].text,
                     Channel(switch_tables::kInitialChannel));
}

// SettingBit 0..7 as the given pairs must leave them.
inline std::array<std::int16_t, 8> BitsOf(const std::array<bool, 8>& odd) {
    std::array<std::int16_t, 8> bits{};
    for (unsigned k = 0; k < 8; ++k) bits[k] = odd[k] ? 1 : 0;
    return bits;
}

inline std::array<std::int16_t, 8> Low(const SettingBits& bits) {
    std::array<std::int16_t, 8> low{};
    for (unsigned k = 0; k < 8; ++k) low[k] = bits[k];
    return low;
}

}  // namespace encoder_test
