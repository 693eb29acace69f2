// Selections the window can produce: one member of every group selected.
#include <gtest/gtest.h>

#include "reference_model.h"

namespace encoder_test {
namespace {

using tessivar::CalculateSwitches;

// Every reachable selection: 256 transmission states x 14 rates x 9 protocols
// x 3 channel choices, all on one SettingBit array whose upper half holds
// sentinels that no call may touch.
TEST(WindowSelections, EveryReachableSelectionMatchesTheModel) {
    SettingBits bits{};
    const SettingBits sentinels = {0,      0,  0,      0,  0,      0,         0,      0,
                                   0x5A5A, -1, 0x5A5A, -1, 0x7FFF, INT16_MIN, 0x5A5A, -1};
    bits = sentinels;
    int checked = 0;
    int failures = 0;
    for (unsigned state = 0; state < 256; ++state) {
        std::array<bool, 8> odd{};
        for (unsigned k = 0; k < 8; ++k) odd[k] = (state & kPairWeight[k]) != 0;
        const std::string transmission = Hex2(ByteOf(odd));
        for (unsigned rate = 0; rate < kRates.size(); ++rate) {
            const std::string word = kRates[rate].code + transmission;
            for (unsigned protocol = 0; protocol < kProtocols.size(); ++protocol) {
                const std::string digit = std::to_string(protocol);
                for (int channel = kCH1; channel <= kBoth; ++channel) {
                    SwitchSelection s;
                    SetPairs(s, odd);
                    SelectOnly(s.optBaudRate, static_cast<int>(rate));
                    SelectOnly(s.optProtocol, static_cast<int>(protocol));
                    SelectOnly(s.optCH, channel);
                    std::array<bool, 3> channels{};
                    channels[static_cast<unsigned>(channel)] = true;

                    const Writes actual = Flatten(CalculateSwitches(s, bits));
                    const Writes expected = ExpectedWrites(word, digit, channels);
                    bool upperIntact = true;
                    for (unsigned i = 8; i < 16; ++i) upperIntact &= bits[i] == sentinels[i];
                    ++checked;
                    if (actual == expected && Low(bits) == BitsOf(odd) && upperIntact) continue;
                    ADD_FAILURE() << "pairs " << transmission << ", rate \""
                                  << kRates[rate].caption.text << "\", protocol " << protocol
                                  << ", optCH(" << channel << ")\n"
                                  << testing::PrintToString(actual) << "\n  expected "
                                  << testing::PrintToString(expected) << "\n  SettingBit "
                                  << testing::PrintToString(bits);
                    if (++failures == 10) return;
                }
            }
        }
    }
    EXPECT_EQ(checked, 96768);
}

struct WindowCase {
    const char* name;
    SwitchSelection selection;
    Writes expected;
};

SwitchSelection WithRate(const char* rate) {
    return Selection(kInitialPairs, rate, "Format 5 (4C Binary)", kCH1);
}
SwitchSelection WithProtocol(const char* protocol) {
    return Selection(kInitialPairs, "115200", protocol, kCH1);
}
SwitchSelection WithPairs(const std::array<bool, 8>& odd) {
    return Selection(odd, "115200", "Format 5 (4C Binary)", kCH1);
}
SwitchSelection WithChannel(Channel channel) {
    return Selection(kInitialPairs, "115200", "Format 5 (4C Binary)", channel);
}
SwitchSelection OnlyLinked() {
    SwitchSelection s = WithPairs(kAllEven);
    SetPair(s, kOperation, true);
    return s;
}

TEST(WindowSelections, EdgeCases) {
    const WindowCase cases[] = {
        {"initial selections", InitialSelection(), {{1, "0B62"}, {2, "5"}}},
        {"every pair even", WithPairs(kAllEven), {{1, "0B00"}, {2, "5"}}},
        {"every pair odd", WithPairs(kAllOdd), {{1, "0BFF"}, {2, "5"}}},
        {"rate 50", WithRate("50"), {{1, "0F62"}, {2, "5"}}},
        {"rate 230400", WithRate("230400"), {{1, "0C62"}, {2, "5"}}},
        {"rate 300", WithRate("300"), {{1, "0062"}, {2, "5"}}},
        {"only Linked", OnlyLinked(), {{1, "0B01"}, {2, "5"}}},
        {"Link Setting", WithProtocol("Link Setting"), {{1, "0B62"}, {2, "8"}}},
        {"GX Connection", WithProtocol("GX Connection"), {{1, "0B62"}, {2, "0"}}},
        {"CH2", WithChannel(kCH2), {{3, "0B62"}, {4, "5"}}},
        {"CH1 and CH2 same setting",
         WithChannel(kBoth),
         {{1, "0B62"}, {3, "0B62"}, {2, "5"}, {4, "5"}}},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        SettingBits bits{};
        EXPECT_EQ(Flatten(CalculateSwitches(c.selection, bits)), c.expected);
    }
}

TEST(WindowSelections, InitialSelectionsGiveBitsOneFiveSix) {
    SettingBits bits{};
    CalculateSwitches(InitialSelection(), bits);
    EXPECT_EQ(Low(bits), BitsOf(kInitialPairs));
    int byte = 0;
    for (unsigned k = 0; k < 8; ++k) byte += bits[k] * static_cast<int>(kPairWeight[k]);
    EXPECT_EQ(byte, 98);
}

TEST(WindowSelections, CH2LeavesSwitchesOneAndTwoAlone) {
    std::array<std::string, 5> boxes = {"a", "b", "c", "d", "e"};
    SettingBits bits{};
    for (const auto& write : CalculateSwitches(WithChannel(kCH2), bits))
        boxes.at(static_cast<std::size_t>(write.number - 1)) = write.text();
    const std::array<std::string, 5> expected = {"a", "b", "0B62", "5", "e"};
    EXPECT_EQ(boxes, expected);
}

}  // namespace
}  // namespace encoder_test
