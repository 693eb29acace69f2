// Combinations that only a direct call can make: groups with no member or
// several members selected, the SettingBit array's handling, and copies of
// the result.
#include <gtest/gtest.h>

#include "reference_model.h"

namespace encoder_test {
namespace {

using tessivar::CalculateSwitches;

Writes WritesFor(const SwitchSelection& s) {
    SettingBits bits{};
    return Flatten(CalculateSwitches(s, bits));
}

SwitchSelection Initial(const std::array<bool, 8>& odd) {
    return Selection(odd, "115200", "Format 5 (4C Binary)", kCH1);
}

TEST(GroupScan, PairWithNeitherMemberCountsAsOdd) {
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        SwitchSelection s = Initial(kAllEven);
        s.OptOperation[2 * k] = s.OptOperation[2 * k + 1] = false;
        SettingBits bits{};
        EXPECT_EQ(Flatten(CalculateSwitches(s, bits)),
                  (Writes{{1, "0B" + Hex2(kPairWeight[k])}, {2, "5"}}));
        std::array<bool, 8> odd{};
        odd[k] = true;
        EXPECT_EQ(Low(bits), BitsOf(odd));
    }
}

TEST(GroupScan, PairWithBothMembersCountsAsEven) {
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        SwitchSelection s = Initial(kAllOdd);
        s.OptOperation[2 * k] = true;
        SettingBits bits{};
        EXPECT_EQ(Flatten(CalculateSwitches(s, bits)),
                  (Writes{{1, "0B" + Hex2(255 - kPairWeight[k])}, {2, "5"}}));
        std::array<bool, 8> odd = kAllOdd;
        odd[k] = false;
        EXPECT_EQ(Low(bits), BitsOf(odd));
    }
}

TEST(GroupScan, RateFiftyGivesWayToAnyOtherRate) {
    SwitchSelection s = InitialSelection();
    s.optBaudRate.fill(false);
    s.optBaudRate[0] = s.optBaudRate[5] = true;
    EXPECT_EQ(WritesFor(s), (Writes{{1, "0462"}, {2, "5"}}));
    for (unsigned i = 1; i < kRates.size(); ++i) {
        SCOPED_TRACE(kRates[i].caption.text);
        s.optBaudRate.fill(false);
        s.optBaudRate[0] = s.optBaudRate[i] = true;
        EXPECT_EQ(WritesFor(s), (Writes{{1, std::string(kRates[i].code) + "62"}, {2, "5"}}));
    }
}

TEST(GroupScan, FirstOfTwoRatesWins) {
    SwitchSelection s = InitialSelection();
    for (unsigned i = 1; i < kRates.size(); ++i) {
        for (unsigned j = i + 1; j < kRates.size(); ++j) {
            SCOPED_TRACE(std::string(kRates[i].caption.text) + " and " + kRates[j].caption.text);
            s.optBaudRate.fill(false);
            s.optBaudRate[i] = s.optBaudRate[j] = true;
            EXPECT_EQ(WritesFor(s), (Writes{{1, std::string(kRates[i].code) + "62"}, {2, "5"}}));
        }
    }
}

TEST(GroupScan, FirstOfTwoProtocolsWins) {
    SwitchSelection s = InitialSelection();
    for (unsigned i = 0; i < kProtocols.size(); ++i) {
        for (unsigned j = i + 1; j < kProtocols.size(); ++j) {
            SCOPED_TRACE(std::string(kProtocols[i].text) + " and " + kProtocols[j].text);
            s.optProtocol.fill(false);
            s.optProtocol[i] = s.optProtocol[j] = true;
            EXPECT_EQ(WritesFor(s), (Writes{{1, "0B62"}, {2, std::to_string(i)}}));
        }
    }
}

TEST(EmptyGroups, NoRateGivesTheTransmissionCodeAlone) {
    SwitchSelection s = InitialSelection();
    s.optBaudRate.fill(false);
    EXPECT_EQ(WritesFor(s), (Writes{{1, "62"}, {2, "5"}}));
}

TEST(EmptyGroups, NoProtocolWritesTheEmptyText) {
    SwitchSelection s = InitialSelection();
    s.optProtocol.fill(false);
    EXPECT_EQ(WritesFor(s), (Writes{{1, "0B62"}, {2, ""}}));
    SelectOnly(s.optCH, kBoth);
    EXPECT_EQ(WritesFor(s), (Writes{{1, "0B62"}, {3, "0B62"}, {2, ""}, {4, ""}}));
}

TEST(EmptyGroups, NoChannelWritesNothingButStillSetsTheBits) {
    SwitchSelection s = InitialSelection();
    s.optCH.fill(false);
    SettingBits bits;
    bits.fill(7);
    EXPECT_TRUE(CalculateSwitches(s, bits).empty());
    EXPECT_EQ(Low(bits), BitsOf(kInitialPairs));
}

TEST(EmptyGroups, NothingSelectedAnywhere) {
    SettingBits bits{};
    EXPECT_TRUE(CalculateSwitches(SwitchSelection{}, bits).empty());
    EXPECT_EQ(Low(bits), BitsOf(kAllOdd));
}

TEST(SeveralChannels, WritesOfEachFlagFollowInOrder) {
    struct Case {
        std::array<bool, 3> channels;
        Writes expected;
    };
    const Case cases[] = {
        {{true, true, false}, {{1, "0B62"}, {2, "5"}, {3, "0B62"}, {4, "5"}}},
        {{true, false, true},
         {{1, "0B62"}, {2, "5"}, {1, "0B62"}, {3, "0B62"}, {2, "5"}, {4, "5"}}},
        {{false, true, true},
         {{3, "0B62"}, {4, "5"}, {1, "0B62"}, {3, "0B62"}, {2, "5"}, {4, "5"}}},
        {{true, true, true},
         {{1, "0B62"},
          {2, "5"},
          {3, "0B62"},
          {4, "5"},
          {1, "0B62"},
          {3, "0B62"},
          {2, "5"},
          {4, "5"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.channels));
        SwitchSelection s = InitialSelection();
        s.optCH = c.channels;
        EXPECT_EQ(WritesFor(s), c.expected);
    }
}

TEST(SeveralChannels, EveryFlagSet) {
    SwitchSelection s;
    s.OptOperation.fill(true);
    s.optBaudRate.fill(true);
    s.optProtocol.fill(true);
    s.optCH.fill(true);
    EXPECT_EQ(WritesFor(s), ExpectedWrites("0000", "0", s.optCH));
}

// Selections that together cover every group's empty, single and multiple
// states, for the SettingBit checks below.
std::vector<SwitchSelection> AssortedSelections() {
    std::vector<SwitchSelection> list = {InitialSelection(), Initial(kAllEven), Initial(kAllOdd),
                                         SwitchSelection{}};
    SwitchSelection all;
    all.OptOperation.fill(true);
    all.optBaudRate.fill(true);
    all.optProtocol.fill(true);
    all.optCH.fill(true);
    list.push_back(all);
    list.push_back(Selection(kInitialPairs, "50", "Link Setting", kBoth));
    list.push_back(Selection(kAllOdd, "230400", "GX Connection", kCH2));
    return list;
}

TEST(SettingBitArray, UpperHalfSurvivesEveryCall) {
    for (const std::int16_t sentinel :
         {std::int16_t{0x5A5A}, std::int16_t{-1}, std::int16_t{0}, std::int16_t{INT16_MIN}}) {
        SCOPED_TRACE(sentinel);
        SettingBits bits;
        bits.fill(sentinel);
        for (const SwitchSelection& s : AssortedSelections()) {
            CalculateSwitches(s, bits);
            for (unsigned i = 8; i < 16; ++i) EXPECT_EQ(bits[i], sentinel) << "SettingBit " << i;
        }
    }
}

TEST(SettingBitArray, LowerHalfIsRewrittenWhateverItHeld) {
    const std::pair<const char*, std::array<bool, 8>> states[] = {
        {"initial", kInitialPairs}, {"all even", kAllEven}, {"all odd", kAllOdd}};
    for (const std::int16_t garbage :
         {std::int16_t{7}, std::int16_t{-3}, std::int16_t{0}, std::int16_t{1},
          std::int16_t{INT16_MIN}, std::int16_t{INT16_MAX}}) {
        for (const auto& state : states) {
            SCOPED_TRACE(std::string(state.first) + ", garbage " + std::to_string(garbage));
            SettingBits bits;
            bits.fill(garbage);
            const Writes writes = Flatten(CalculateSwitches(Initial(state.second), bits));
            EXPECT_EQ(Low(bits), BitsOf(state.second));
            EXPECT_EQ(writes, (Writes{{1, "0B" + Hex2(ByteOf(state.second))}, {2, "5"}}));
        }
    }
}

TEST(SettingBitArray, NothingCarriesOverBetweenCalls) {
    SettingBits bits{};
    struct Step {
        SwitchSelection selection;
        Writes expected;
        std::array<bool, 8> odd;
    };
    const Step steps[] = {
        {Selection(kAllOdd, "50", "Link Setting", kCH1), {{1, "0FFF"}, {2, "8"}}, kAllOdd},
        {Selection(kAllEven, "300", "GX Connection", kCH2), {{3, "0000"}, {4, "0"}}, kAllEven},
        {InitialSelection(), {{1, "0B62"}, {2, "5"}}, kInitialPairs},
        {SwitchSelection{}, {}, kAllOdd},
        {Initial(kAllEven), {{1, "0B00"}, {2, "5"}}, kAllEven},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::PrintToString(step.expected));
        EXPECT_EQ(Flatten(CalculateSwitches(step.selection, bits)), step.expected);
        EXPECT_EQ(Low(bits), BitsOf(step.odd));
    }
}

// Each write holds its own characters: a copied list, and a write copied out
// of one, keep their texts when the original list is overwritten.
TEST(Result, CopiesKeepTheirTexts) {
    SettingBits bits{};
    SwitchWrites writes = CalculateSwitches(Selection(kAllOdd, "50", "Link Setting", kBoth), bits);
    const SwitchWrites copy = writes;
    const tessivar::SwitchWrite first = writes[0];
    writes = CalculateSwitches(Selection(kAllEven, "300", "GX Connection", kBoth), bits);

    const Writes expected = {{1, "0FFF"}, {3, "0FFF"}, {2, "8"}, {4, "8"}};
    ASSERT_EQ(copy.size(), expected.size());
    for (std::size_t i = 0; i < copy.size(); ++i) {
        EXPECT_EQ(copy[i].number, expected[i].first) << i;
        EXPECT_EQ(copy[i].text(), expected[i].second) << i;
    }
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.text(), "0FFF");
    EXPECT_EQ(Flatten(writes), (Writes{{1, "0000"}, {3, "0000"}, {2, "0"}, {4, "0"}}));
}

}  // namespace
}  // namespace encoder_test
