// The words in which a reading says what a switch sets, checked field by
// field in both directions: every combination of the option groups is
// computed, read back, and its words compared with the words this file
// expects, written out here and not taken from the code under test. So a
// setting written as "enabled" where it is disabled, two words swapped or a
// wrong rate fails here. Switch 5's words and the notes' texts likewise.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "switch_decoder.h"
#include "switch_encoder.h"

namespace encoder_test {
namespace {

using tessivar::DecodeError;
using tessivar::SwitchNote;
using tessivar::SwitchReading;
using tessivar::SwitchWrite;

// What each transmission group's members read as, by the group's name: the
// words for member 0 (bit clear) and member 1 (bit set), in the order in
// which a reading lists them.
struct BitWords {
    const char* group;
    const char* clear;
    const char* set;
};
constexpr BitWords kBitWords[] = {
    {"data-bits", "7 data bits", "8 data bits"},
    {"parity", "parity off", "parity on"},
    {"odd-even", "odd", "even"},
    {"stop-bits", "1 stop bit", "2 stop bits"},
    {"check-sum", "sum check off", "sum check on"},
    {"write-during-run", "write during RUN disabled", "write during RUN enabled"},
    {"change-setting", "setting change disabled", "setting change enabled"},
    {"operation", "independent operation", "linked operation"},
};
// The rates in bits per second and the protocols' names, in the window's
// member order.
constexpr const char* kRateWords[] = {"50",    "300",   "600",    "1200",  "2400",
                                      "4800",  "9600",  "14400",  "19200", "28800",
                                      "38400", "57600", "115200", "230400"};
constexpr const char* kProtocolWords[] = {
    "GX Connection",        "Format 1",       "Format 2",       "Format 3",    "Format 4",
    "Format 5 (4C Binary)", "Non Procedural", "Bi-directional", "Link Setting"};

std::size_t Group(const char* name) {
    const int g = tessivar::FindGroup(name);
    EXPECT_GE(g, 0) << name;
    return static_cast<std::size_t>(g);
}

std::string Words(const SwitchReading& reading) {
    char words[tessivar::kMaxReadingText];
    const std::size_t length = tessivar::DescribeReading(reading, words, sizeof words);
    EXPECT_LT(length + 1, sizeof words) << "words cut short: " << words;
    return std::string(words, length);
}

// Every window selection on either channel: the words of its switch word
// and its protocol, the members read back for every option group, and the
// notes of the pair, each from this file's own expectations.
TEST(ReadingWords, EveryFieldOfEverySelectionBothWays) {
    static_assert(std::size(kRateWords) ==
                  tessivar::kOptionGroups[tessivar::kBaudRateGroup].members.size());
    static_assert(std::size(kProtocolWords) ==
                  tessivar::kOptionGroups[tessivar::kProtocolGroup].members.size());
    std::array<std::int16_t, 16> settingBit{};
    int failures = 0;
    int checked = 0;
    for (std::uint8_t channel = 0; channel < 2; ++channel) {
        for (unsigned state = 0; state < 256; ++state) {
            for (std::uint8_t rate = 0; rate < std::size(kRateWords); ++rate) {
                for (std::uint8_t protocol = 0; protocol < std::size(kProtocolWords); ++protocol) {
                    tessivar::GroupChoices chosen{};
                    std::string expected = std::string(kRateWords[rate]) + " bps";
                    for (std::size_t b = 0; b < std::size(kBitWords); ++b) {
                        const bool set = (state >> b) & 1;
                        chosen[Group(kBitWords[b].group)] = set ? 1 : 0;
                        expected += ", ";
                        expected += set ? kBitWords[b].set : kBitWords[b].clear;
                    }
                    chosen[Group("baud-rate")] = rate;
                    chosen[Group("protocol")] = protocol;
                    chosen[Group("channel")] = channel;
                    const std::string expectedProto =
                        "protocol " + std::to_string(protocol) + ", " + kProtocolWords[protocol];
                    const bool eightBits = chosen[Group("data-bits")] == 1;
                    std::vector<SwitchNote> expectedNotes;
                    if (protocol == 0 && state != 0)
                        expectedNotes.push_back(SwitchNote::kTransmissionIgnored);
                    if (protocol == 5 && !eightBits)
                        expectedNotes.push_back(SwitchNote::kFormat5SevenBits);
                    if (protocol == 7 && !eightBits && chosen[Group("check-sum")] == 1)
                        expectedNotes.push_back(SwitchNote::kSumCheckSevenBits);

                    const tessivar::SwitchWrites writes =
                        tessivar::CalculateSwitches(tessivar::SelectionOf(chosen), settingBit);
                    const tessivar::SwitchReadings readings =
                        tessivar::DecodeWrites({writes.begin(), writes.size()});
                    const auto& word = readings[2 * channel];
                    const auto& proto = readings[2 * channel + 1];
                    ++checked;
                    bool right = word && word->ok() && proto && proto->ok() &&
                                 !readings[2 * (1 - channel)] && !readings[4] &&
                                 Words(*word) == expected && Words(*proto) == expectedProto &&
                                 std::vector<SwitchNote>(proto->notes.begin(),
                                                         proto->notes.begin() + proto->noteCount) ==
                                     expectedNotes;
                    // Each group read back from the switch that sets it.
                    for (std::size_t g = 0; right && g < tessivar::kOptionGroups.size(); ++g) {
                        const int fromWord = word->member(g);
                        const int fromProto = proto->member(g);
                        const int read = fromWord >= 0 ? fromWord : fromProto;
                        right = read == chosen[g] &&
                                (g == tessivar::kChannelGroup || fromWord < 0 || fromProto < 0);
                    }
                    if (right) continue;
                    ADD_FAILURE() << "CH" << channel + 1 << ", state " << state << ", rate "
                                  << kRateWords[rate] << ", protocol " << unsigned{protocol}
                                  << ": expected \"" << expected << "\" and \"" << expectedProto
                                  << "\", read \"" << (word ? Words(*word) : "") << "\" and \""
                                  << (proto ? Words(*proto) : "") << "\"";
                    if (++failures == 10) return;
                }
            }
        }
    }
    EXPECT_EQ(checked, 2 * 256 * 14 * 9);
}

// Each member of each transmission group, the others at the window's
// initial selection: the member's words are in the reading and its
// partner's are not. The other fields are made of other words, so this
// finds a word that is missing or shown for the wrong member wherever it
// stands.
TEST(ReadingWords, EachMemberNamedAndNotItsPartner) {
    std::array<std::int16_t, 16> settingBit{};
    for (const BitWords& bit : kBitWords) {
        for (std::uint8_t member = 0; member < 2; ++member) {
            SCOPED_TRACE(testing::Message() << bit.group << " member " << unsigned{member});
            tessivar::GroupChoices chosen = tessivar::InitialChoices();
            chosen[Group(bit.group)] = member;
            const tessivar::SwitchWrites writes =
                tessivar::CalculateSwitches(tessivar::SelectionOf(chosen), settingBit);
            const auto readings = tessivar::DecodeWrites({writes.begin(), writes.size()});
            ASSERT_TRUE(readings[0] && readings[0]->ok());
            const std::string fields = ", " + Words(*readings[0]) + ", ";
            const std::string named = std::string(", ") + (member ? bit.set : bit.clear) + ", ";
            const std::string partner = std::string(", ") + (member ? bit.clear : bit.set) + ", ";
            EXPECT_NE(fields.find(named), std::string::npos) << fields;
            EXPECT_EQ(fields.find(partner), std::string::npos) << fields;
        }
    }
}

// Switch 5: written for every station in four hexadecimal digits, read back
// from every form of the value in decimal words; every value past the last
// station refused, saying its decimal.
TEST(ReadingWords, StationWrittenAndReadBack) {
    for (unsigned station = 0; station <= 31; ++station) {
        SCOPED_TRACE(testing::Message() << "station " << station);
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", station);
        const SwitchWrite write = tessivar::StationWrite(station);
        EXPECT_EQ(write.number, 5);
        EXPECT_EQ(write.text(), hex);
        char decimal[8];
        std::snprintf(decimal, sizeof decimal, "%u", station);
        EXPECT_EQ(tessivar::ParseStation(decimal), station);
        const std::string words = "station " + std::string(decimal) + " in decimal";
        char forms[4][16];
        std::snprintf(forms[0], sizeof forms[0], "%X", station);
        std::snprintf(forms[1], sizeof forms[1], "0x%02x", station);
        std::snprintf(forms[2], sizeof forms[2], " %XH\t", station);
        std::snprintf(forms[3], sizeof forms[3], "%04X", station);
        for (const char* form : forms) {
            const SwitchReading r = tessivar::DecodeSwitch(form, 5);
            ASSERT_TRUE(r.ok()) << form;
            EXPECT_EQ(r.station, station) << form;
            EXPECT_EQ(Words(r), words) << form;
            EXPECT_EQ(r.channel(), 0);
            for (std::size_t g = 0; g < tessivar::kOptionGroups.size(); ++g)
                EXPECT_EQ(r.member(g), -1) << "group " << g;
        }
    }
    for (unsigned value = 32; value <= 0xFFFF; ++value) {
        char text[8];
        std::snprintf(text, sizeof text, "%X", value);
        const SwitchReading r = tessivar::DecodeSwitch(text, 5);
        if (r.error != DecodeError::kStation || r.value != value) {
            ADD_FAILURE() << "Switch 5 \"" << text << "\" taken";
            break;
        }
        if (value == 32 || value == 0xFFFF) {
            char message[tessivar::kMaxErrorMessage];
            tessivar::DescribeError(r, message, sizeof message);
            EXPECT_EQ(std::string(message),
                      "Switch 5: \"" + std::string(text) + "\" is " + std::to_string(value) +
                          " in decimal, past the last station number; give 0 to 1F in "
                          "hexadecimal (station 0 to 31)");
        }
    }
}

TEST(ReadingWords, StationNumbersTyped) {
    EXPECT_EQ(tessivar::ParseStation(" \t07 "), 7);
    EXPECT_EQ(tessivar::ParseStation("000031"), 31);
    for (const char* refused : {"32", "100", "99999999999999999999", "-1", "+1", "1a", "0x1", "1 2",
                                "", " ", "\xEF\xBC\x91"}) {
        EXPECT_FALSE(tessivar::ParseStation(refused)) << refused;
    }
    char message[tessivar::kMaxErrorMessage];
    tessivar::DescribeStationError("32", message, sizeof message);
    EXPECT_STREQ(message, "\"32\": not a station number; give 0 to 31 in decimal");
}

// The notes' texts: each names the switch, or both switches of the pair, it
// belongs to, and what it is about.
TEST(ReadingWords, NoteTexts) {
    using enum SwitchNote;
    struct Case {
        SwitchNote note;
        int number;
        const char* start;
        std::vector<const char*> parts;
    };
    const Case cases[] = {
        {kLinkedOnCH1, 1, "Switch 1: ", {"linked operation", "independent", "(Switch 3)"}},
        {kEvenWithoutParity, 1, "Switch 1: ", {"EVEN", "parity bit is off"}},
        {kEvenWithoutParity, 3, "Switch 3: ", {"EVEN", "parity bit is off"}},
        {kTransmissionIgnored, 2, "Switch 2: ", {"GX Connection", "CH1", "Switch 1"}},
        {kTransmissionIgnored, 4, "Switch 4: ", {"GX Connection", "CH2", "Switch 3"}},
        {kFormat5SevenBits, 2, "Switch 1 and 2: ", {"Format 5 (4C Binary)", "needs 8 data bits"}},
        {kFormat5SevenBits, 4, "Switch 3 and 4: ", {"Format 5 (4C Binary)", "needs 8 data bits"}},
        {kSumCheckSevenBits,
         2,
         "Switch 1 and 2: ",
         {"Bi-directional", "sum check on", "needs 8 data bits"}},
        {kSumCheckSevenBits,
         4,
         "Switch 3 and 4: ",
         {"Bi-directional", "sum check on", "needs 8 data bits"}},
    };
    for (const Case& c : cases) {
        const std::string text(tessivar::NoteText(c.note, c.number));
        SCOPED_TRACE(text);
        EXPECT_EQ(text.rfind(c.start, 0), 0u);
        for (const char* part : c.parts) EXPECT_NE(text.find(part), std::string::npos) << part;
        EXPECT_EQ(text.find_first_of("\n\t"), std::string::npos);
    }
}

}  // namespace
}  // namespace encoder_test
