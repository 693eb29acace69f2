// The option groups that every program reads (kOptionGroups): their captions,
// initial selections and rate codes are the window's, as switch_tables.h
// writes them out, and a choice of one member per group selects, computes and
// reads back as that member through SelectionOf, CalculateSwitches,
// DecodeSwitches and SwitchReading::member.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "option_groups.h"
#include "reference_model.h"
#include "switch_decoder.h"

namespace encoder_test {
namespace {

using switch_tables::kPairs;
using tessivar::kBaudRateGroup;
using tessivar::kChannelGroup;
using tessivar::kOptionGroups;
using tessivar::kProtocolGroup;
using tessivar::OptionGroup;

// The group's caption and its members' captions, as plain strings.
std::vector<std::string> CaptionsOf(const OptionGroup& group) {
    std::vector<std::string> captions{std::string(group.caption)};
    for (const auto& member : group.members) captions.emplace_back(member.caption);
    return captions;
}

bool operator==(const SwitchSelection& a, const SwitchSelection& b) {
    return a.OptOperation == b.OptOperation && a.optBaudRate == b.optBaudRate &&
           a.optProtocol == b.optProtocol && a.optCH == b.optCH;
}

TEST(OptionGroups, CaptionsAndInitialSelectionsAreTheWindows) {
    ASSERT_EQ(kOptionGroups.size(), kPairs.size() + 3);
    for (std::size_t k = 0; k < kPairs.size(); ++k) {
        SCOPED_TRACE(kPairs[k].frame.text);
        EXPECT_EQ(CaptionsOf(kOptionGroups[k]),
                  (std::vector<std::string>{kPairs[k].frame.text, kPairs[k].members[0].text,
                                            kPairs[k].members[1].text}));
        EXPECT_EQ(kOptionGroups[k].initial, switch_tables::kInitialOdd[k] ? 1 : 0);
    }
    std::vector<std::string> rates{switch_tables::kRateFrame.text};
    for (const auto& rate : kRates) rates.emplace_back(rate.caption.text);
    EXPECT_EQ(CaptionsOf(kOptionGroups[kBaudRateGroup]), rates);
    std::vector<std::string> protocols{switch_tables::kProtocolFrame.text};
    for (const auto& protocol : kProtocols) protocols.emplace_back(protocol.text);
    EXPECT_EQ(CaptionsOf(kOptionGroups[kProtocolGroup]), protocols);
    std::vector<std::string> channels{switch_tables::kChannelFrame.text};
    for (const auto& channel : switch_tables::kChannels) channels.emplace_back(channel.text);
    EXPECT_EQ(CaptionsOf(kOptionGroups[kChannelGroup]), channels);

    EXPECT_EQ(kOptionGroups[kBaudRateGroup].initial, switch_tables::kInitialRate);
    EXPECT_EQ(kOptionGroups[kProtocolGroup].initial, switch_tables::kInitialProtocol);
    EXPECT_EQ(kOptionGroups[kChannelGroup].initial, switch_tables::kInitialChannel);
}

// Every code from 00 to FF: the rate members' codes and rates are the
// window's, and no other code is a rate.
TEST(OptionGroups, RateCodesAreTheWindows) {
    const OptionGroup& rates = kOptionGroups[kBaudRateGroup];
    ASSERT_EQ(rates.members.size(), kRates.size());
    for (unsigned code = 0; code < 256; ++code) {
        int expected = -1;
        for (std::size_t i = 0; i < kRates.size(); ++i) {
            if (kRates[i].code == Hex2(code)) expected = static_cast<int>(i);
        }
        EXPECT_EQ(tessivar::RateMemberOf(code), expected) << "code " << Hex2(code);
    }
    for (std::size_t i = 0; i < kRates.size(); ++i) {
        EXPECT_EQ(Hex2(tessivar::RateCodeOf(i)), kRates[i].code) << "member " << i;
        EXPECT_EQ(rates.members[i].number, std::strtoul(kRates[i].caption.text, nullptr, 10));
    }
}

// Every choice the window can make, as one member per group: SelectionOf
// selects what the model selects, and each reading of the switches written
// gives back the member of every group its switch sets, and -1 for the rest.
TEST(OptionGroups, EveryChoiceSelectsAndReadsBackItsMembers) {
    EXPECT_TRUE(tessivar::SelectionOf(tessivar::InitialChoices()) == InitialSelection());
    SettingBits bits{};
    int failures = 0;
    for (unsigned state = 0; state < 256; ++state) {
        std::array<bool, 8> odd{};
        tessivar::GroupChoices chosen{};
        for (unsigned k = 0; k < 8; ++k) {
            odd[k] = (state & kPairWeight[k]) != 0;
            chosen[k] = odd[k] ? 1 : 0;
        }
        for (std::uint8_t rate = 0; rate < kRates.size(); ++rate) {
            for (std::uint8_t protocol = 0; protocol < kProtocols.size(); ++protocol) {
                for (std::uint8_t channel = kCH1; channel <= kBoth; ++channel) {
                    chosen[kBaudRateGroup] = rate;
                    chosen[kProtocolGroup] = protocol;
                    chosen[kChannelGroup] = channel;
                    const SwitchSelection s = tessivar::SelectionOf(chosen);
                    bool right = s == Selection(odd, kRates[rate].caption.text,
                                                kProtocols[protocol].text, Channel(channel));
                    const SwitchWrites writes = CalculateSwitches(s, bits);
                    tessivar::SwitchTexts texts;
                    for (const auto& write : writes) texts.at(write.number - 1) = write.text();
                    for (const auto& reading : tessivar::DecodeSwitches(texts)) {
                        if (!reading) continue;
                        for (std::size_t g = 0; g < kOptionGroups.size(); ++g) {
                            int expected =
                                reading->setsRate() == (g != kProtocolGroup) ? chosen[g] : -1;
                            if (g == kChannelGroup) expected = reading->number <= 2 ? kCH1 : kCH2;
                            right = right && reading->member(g) == expected;
                        }
                    }
                    if (right) continue;
                    ADD_FAILURE() << "state " << state << ", rate " << int{rate} << ", protocol "
                                  << int{protocol} << ", optCH(" << int{channel} << ")";
                    if (++failures == 10) return;
                }
            }
        }
    }
}

}  // namespace
}  // namespace encoder_test
