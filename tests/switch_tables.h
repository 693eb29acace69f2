// The switch tables as the tests know them, written out once for every
// suite: the transmission pairs with their captions and weights, the rates
// with their codes, the protocols, the channel choices and the switches each
// of them writes, and the selection the window opens with. Plain data, so
// that the encoder's model, the soak test's model and the window's expected
// layout all read the same facts; the texts come in both the narrow form the
// encoder's tests use and the wide form the window shows.
#pragma once

#include <array>
#include <vector>

namespace switch_tables {

// One caption in both forms, made from one literal by SWITCH_CAPTION (the
// wide literal is the narrow one joined to an empty L"").
struct Caption {
    const char* text;
    const wchar_t* wide;
};
#define SWITCH_CAPTION(literal) \
    { literal, L"" literal }

// The transmission pairs in bit order: the frame's caption and the captions
// of the even and the odd member. Selecting the odd member of pair k adds
// kPairWeight[k] to the transmission byte.
struct Pair {
    Caption frame;
    std::array<Caption, 2> members;
};
inline constexpr std::array<Pair, 8> kPairs{{
    {SWITCH_CAPTION("Operation Setting"),
     {{SWITCH_CAPTION("Independant"), SWITCH_CAPTION("Linked")}}},
    {SWITCH_CAPTION("Data Bit"), {{SWITCH_CAPTION("7"), SWITCH_CAPTION("8")}}},
    {SWITCH_CAPTION("Parity Bit"), {{SWITCH_CAPTION("NO"), SWITCH_CAPTION("YES")}}},
    {SWITCH_CAPTION("Odd/Even"), {{SWITCH_CAPTION("ODD"), SWITCH_CAPTION("EVEN")}}},
    {SWITCH_CAPTION("Stop Bit"), {{SWITCH_CAPTION("1"), SWITCH_CAPTION("2")}}},
    {SWITCH_CAPTION("Check Sum"), {{SWITCH_CAPTION("NO"), SWITCH_CAPTION("YES")}}},
    {SWITCH_CAPTION("Write During RUN"), {{SWITCH_CAPTION("DISABLE"), SWITCH_CAPTION("ENABLE")}}},
    {SWITCH_CAPTION("Change Setting"), {{SWITCH_CAPTION("DISABLE"), SWITCH_CAPTION("ENABLE")}}},
}};
inline constexpr std::array<unsigned, 8> kPairWeight{1, 2, 4, 8, 16, 32, 64, 128};

// The rates in member order, each with the code that starts the switch word.
inline constexpr Caption kRateFrame = SWITCH_CAPTION("Baud Rate");
struct Rate {
    Caption caption;
    const char* code;
};
inline constexpr std::array<Rate, 14> kRates{{
    {SWITCH_CAPTION("50"), "0F"},
    {SWITCH_CAPTION("300"), "00"},
    {SWITCH_CAPTION("600"), "01"},
    {SWITCH_CAPTION("1200"), "02"},
    {SWITCH_CAPTION("2400"), "03"},
    {SWITCH_CAPTION("4800"), "04"},
    {SWITCH_CAPTION("9600"), "05"},
    {SWITCH_CAPTION("14400"), "06"},
    {SWITCH_CAPTION("19200"), "07"},
    {SWITCH_CAPTION("28800"), "08"},
    {SWITCH_CAPTION("38400"), "09"},
    {SWITCH_CAPTION("57600"), "0A"},
    {SWITCH_CAPTION("115200"), "0B"},
    {SWITCH_CAPTION("230400"), "0C"},
}};

// The protocols in member order; member i writes the digit i.
inline constexpr Caption kProtocolFrame = SWITCH_CAPTION("Protocol Setting");
inline constexpr std::array<Caption, 9> kProtocols{{
    SWITCH_CAPTION("GX Connection"),
    SWITCH_CAPTION("Format 1"),
    SWITCH_CAPTION("Format 2"),
    SWITCH_CAPTION("Format 3"),
    SWITCH_CAPTION("Format 4"),
    SWITCH_CAPTION("Format 5 (4C Binary)"),
    SWITCH_CAPTION("Non Procedural"),
    SWITCH_CAPTION("Bi-directional"),
    SWITCH_CAPTION("Link Setting"),
}};

// The channel choices in member order, and the switches each writes, in
// order: the switch word (rate code and transmission byte) or the protocol
// digit.
inline constexpr Caption kChannelFrame = SWITCH_CAPTION("Channel Selection");
inline constexpr std::array<Caption, 3> kChannels{{
    SWITCH_CAPTION("CH1"),
    SWITCH_CAPTION("CH2"),
    SWITCH_CAPTION("CH1 CH2    Same Setting"),
}};
struct Target {
    int number;
    bool word;  // true for the switch word, false for the protocol digit
};
inline const std::array<std::vector<Target>, 3> kChannelTargets{{
    {{1, true}, {2, false}},
    {{3, true}, {4, false}},
    {{1, true}, {3, true}, {2, false}, {4, false}},
}};

// What the window opens with: the odd member of the pairs where
// kInitialOdd is set ("Independant", "8", "NO", "ODD", "1", "YES", "ENABLE",
// "DISABLE"), then the rate, protocol and channel members ("115200",
// "Format 5 (4C Binary)", "CH1").
inline constexpr std::array<bool, 8> kInitialOdd{false, true, false, false,
                                                 false, true, true,  false};
inline constexpr int kInitialRate = 12;
inline constexpr int kInitialProtocol = 5;
inline constexpr int kInitialChannel = 0;

#undef SWITCH_CAPTION

}  // namespace switch_tables
