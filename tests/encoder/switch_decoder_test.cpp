// Reading switch texts back: every window selection survives the trip
// through CalculateSwitches and DecodeSwitches, every word is accepted or
// refused as the model's tables say, and the text forms, errors and notes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "reference_model.h"
#include "switch_decoder.h"

namespace encoder_test {
namespace {

using tessivar::DecodeError;
using tessivar::DecodeSwitch;
using tessivar::DecodeSwitches;
using tessivar::SwitchNote;
using tessivar::SwitchReading;
using tessivar::SwitchTexts;
using Notes = std::vector<SwitchNote>;

Notes NotesOf(const SwitchReading& reading) {
    return Notes(reading.notes.begin(), reading.notes.begin() + reading.noteCount);
}

std::string Hex4(unsigned word) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", word);
    return text;
}

// Encode every selection the window can make, decode what was written, and
// rebuild the channel's part of the selection from the readings alone.
TEST(SwitchDecoder, EveryWindowSelectionReadsBack) {
    SettingBits bits{};
    int checked = 0;
    int failures = 0;
    for (unsigned state = 0; state < 256; ++state) {
        std::array<bool, 8> odd{};
        for (unsigned k = 0; k < 8; ++k) odd[k] = (state & kPairWeight[k]) != 0;
        for (unsigned rate = 0; rate < kRates.size(); ++rate) {
            for (unsigned protocol = 0; protocol < kProtocols.size(); ++protocol) {
                for (int channel = kCH1; channel <= kBoth; ++channel) {
                    const SwitchSelection s =
                        Selection(odd, kRates[rate].caption.text, kProtocols[protocol].text,
                                  Channel(channel));
                    const SwitchWrites writes = CalculateSwitches(s, bits);
                    SwitchTexts texts;
                    for (const auto& write : writes) texts.at(write.number - 1) = write.text();
                    const auto readings = DecodeSwitches(texts);
                    for (const Target& target : kChannelTargets[channel]) {
                        if (!target.word) continue;
                        const auto& word = readings.at(target.number - 1);
                        const auto& proto = readings.at(target.number);
                        SwitchSelection back;
                        Notes wordNotes;
                        Notes protoNotes;
                        if (word && word->ok() && proto && proto->ok()) {
                            std::array<bool, 8> readOdd{};
                            for (unsigned k = 0; k < 8; ++k)
                                readOdd[k] = (word->transmission & kPairWeight[k]) != 0;
                            SetPairs(back, readOdd);
                            const int rateIndex = RateIndex(std::to_string(word->baudRate).c_str());
                            if (rateIndex >= 0) SelectOnly(back.optBaudRate, rateIndex);
                            const int protoIndex =
                                ProtocolIndex(std::string(proto->protocolName()).c_str());
                            if (protoIndex == proto->protocol)
                                SelectOnly(back.optProtocol, protoIndex);
                            wordNotes = NotesOf(*word);
                            protoNotes = NotesOf(*proto);
                        }
                        Notes expectedWord;
                        if (target.number == 1 && odd[kOperation])
                            expectedWord.push_back(SwitchNote::kLinkedOnCH1);
                        if (odd[kOddEven] && !odd[kParity])
                            expectedWord.push_back(SwitchNote::kEvenWithoutParity);
                        Notes expectedProto;
                        if (protocol == 0 && state != 0)
                            expectedProto.push_back(SwitchNote::kTransmissionIgnored);
                        ++checked;
                        if (back.OptOperation == s.OptOperation &&
                            back.optBaudRate == s.optBaudRate &&
                            back.optProtocol == s.optProtocol && wordNotes == expectedWord &&
                            protoNotes == expectedProto)
                            continue;
                        ADD_FAILURE() << "switch " << target.number << " of state " << state
                                      << ", rate " << kRates[rate].caption.text << ", protocol "
                                      << protocol << ", optCH(" << channel << ")";
                        if (++failures == 10) return;
                    }
                }
            }
        }
    }
    EXPECT_EQ(checked, 96768 + 256 * 14 * 9);  // "both" checks two channels
}

// Every word on every switch: accepted exactly when the model's rate codes or
// protocol numbers have it, and then read as the model says.
TEST(SwitchDecoder, EveryWordOnEverySwitch) {
    int failures = 0;
    for (unsigned value = 0; value <= 0xFFFF && failures < 10; ++value) {
        const std::string text = Hex4(value);
        for (int number = 1; number <= 4; ++number) {
            const SwitchReading r = DecodeSwitch(text, number);
            bool right;
            if (number == 2 || number == 4) {
                right = value < kProtocols.size() ? r.ok() && r.protocol == value && r.baudRate == 0
                                                  : r.error == DecodeError::kProtocol;
            } else {
                int rate = -1;
                for (unsigned i = 0; i < kRates.size(); ++i)
                    if (std::strtoul(kRates[i].code, nullptr, 16) == value >> 8) rate = int(i);
                right = rate >= 0
                            ? r.ok() && r.transmission == (value & 0xFF) &&
                                  r.baudRate == std::strtoul(kRates[rate].caption.text, nullptr, 10)
                            : r.error == DecodeError::kRateCode;
            }
            if (!right || r.value != value) {
                ADD_FAILURE() << "Switch " << number << " " << text;
                ++failures;
            }
        }
    }
}

struct TextCase {
    const char* text;
    int number;
    DecodeError error;
    unsigned value;       // when accepted
    const char* message;  // part of the error's message
};

TEST(SwitchDecoder, TextFormsAndErrors) {
    using enum DecodeError;
    const char* kDigits = "1 to 4 hexadecimal digits";
    const TextCase cases[] = {
        {"0B62", 1, kNone, 0x0B62, ""},
        {"b62", 1, kNone, 0x0B62, ""},
        {"0B62H", 3, kNone, 0x0B62, ""},
        {"0b62h", 1, kNone, 0x0B62, ""},
        {"0x0b62", 1, kNone, 0x0B62, ""},
        {"0X0B62", 3, kNone, 0x0B62, ""},
        {" \t0B62 \t", 1, kNone, 0x0B62, ""},
        {"FFh", 1, kNone, 0x00FF, ""},
        {"5", 2, kNone, 5, ""},
        {"05", 4, kNone, 5, ""},
        {"0005H", 2, kNone, 5, ""},
        {"0x5", 4, kNone, 5, ""},
        {"0h", 2, kNone, 0, ""},
        {"", 1, kNotANumber, 0, kDigits},
        {" \t ", 2, kNotANumber, 0, kDigits},
        {"0x", 1, kNotANumber, 0, kDigits},
        {"H", 2, kNotANumber, 0, kDigits},
        {"0xH", 2, kNotANumber, 0, kDigits},
        {"0x0B62H", 1, kNotANumber, 0, kDigits},
        {"0B62HH", 1, kNotANumber, 0, kDigits},
        {"12345", 3, kNotANumber, 0, kDigits},
        {"0x12345", 3, kNotANumber, 0, kDigits},
        {"0B 62", 1, kNotANumber, 0, kDigits},
        {"0B62\n", 1, kNotANumber, 0, "\"0B62?\""},
        {"x0B62", 1, kNotANumber, 0, kDigits},
        {"-1", 2, kNotANumber, 0, kDigits},
        {"+5", 2, kNotANumber, 0, kDigits},
        {"0G", 4, kNotANumber, 0, kDigits},
        {"0D62", 1, kRateCode, 0x0D62, "rate code 0D, which is not one of 00 to 0C"},
        {"0e00", 3, kRateCode, 0x0E00, "rate code 0E"},
        {"1000", 1, kRateCode, 0x1000, "rate code 10"},
        {"FF62", 3, kRateCode, 0xFF62, "rate code FF"},
        {"9", 2, kProtocol, 9, "is not a protocol number; give 0 to 8"},
        {"0100", 4, kProtocol, 0x100, "give 0 to 8"},
        {"FFFFh", 2, kProtocol, 0xFFFF, "give 0 to 8"},
        {"5", 0, kNoSuchSwitch, 0, "Switch 0: no such switch; give 1 to 4"},
        {"5", 5, kNoSuchSwitch, 0, "Switch 5: no such switch"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "Switch " << c.number << " \"" << c.text << "\"");
        const SwitchReading r = DecodeSwitch(c.text, c.number);
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.value, c.value);
        char message[tessivar::kMaxErrorMessage];
        const std::size_t length = tessivar::DescribeError(r, message, sizeof message);
        EXPECT_EQ(length, std::strlen(message));
        if (c.error == kNone) {
            EXPECT_STREQ(message, "");
            continue;
        }
        const std::string text = message;
        EXPECT_NE(text.find(c.message), std::string::npos) << text;
        EXPECT_EQ(text.rfind("Switch " + std::to_string(c.number) + ": ", 0), 0u) << text;
        if (c.error != kNoSuchSwitch && c.error != kNotANumber) {
            EXPECT_NE(text.find('"' + std::string(c.text) + '"'), std::string::npos) << text;
        }
    }
}

TEST(SwitchDecoder, LongTextsAreShortenedAndMessagesCutToTheBuffer) {
    const std::string text(1000, '7');
    char message[tessivar::kMaxErrorMessage];
    const SwitchReading r = DecodeSwitch(text, 1);
    const std::string full(message, tessivar::DescribeError(r, message, sizeof message));
    EXPECT_NE(full.find("\"777777777777777777777777...\" is not a switch value"),
              std::string::npos);
    EXPECT_LT(full.size() + 1, sizeof message) << "longest message cut short";
    char small[8];
    EXPECT_EQ(tessivar::DescribeError(r, small, sizeof small), 7u);
    EXPECT_STREQ(small, "Switch ");
}

// The one form in which every message shows what the user gave: each byte
// as itself except the control characters, and a long text by its start.
TEST(QuotedText, ControlCharactersAndLength) {
    using tessivar::QuotedText;
    for (unsigned byte = 1; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const bool control = byte < 0x20 || byte == 0x7F;
        const std::string expected = {'"', control ? '?' : c, '"'};
        EXPECT_EQ(QuotedText(std::string_view(&c, 1)).view(), expected) << "byte " << byte;
    }
    EXPECT_EQ(QuotedText("").view(), "\"\"");
    EXPECT_EQ(QuotedText(std::string_view("a\0b", 3)).view(), "\"a?b\"");
    const std::string shown(QuotedText::kShown, 'x');
    EXPECT_EQ(QuotedText(shown).view(), '"' + shown + '"');
    EXPECT_EQ(QuotedText(shown + "y").view(), '"' + shown + "...\"");
    EXPECT_EQ(QuotedText(std::string(10000, '\n')).view(),
              '"' + std::string(QuotedText::kShown, '?') + "...\"");
}

struct NotesCase {
    SwitchTexts texts;
    std::array<Notes, 4> notes;
};

TEST(SwitchDecoder, Notes) {
    using enum SwitchNote;
    const auto none = std::nullopt;
    const NotesCase cases[] = {
        {{"0B01", "5", none, none}, {{{kLinkedOnCH1}}}},
        {{none, none, "0B01", "5"}, {}},
        {{"0B08", none, "0B08", none}, {{{kEvenWithoutParity}, {}, {kEvenWithoutParity}}}},
        {{"0B0C", "5", "0B0C", "5"}, {}},
        {{"0B09", none, none, none}, {{{kLinkedOnCH1, kEvenWithoutParity}}}},
        {{"0B62", "0", none, none}, {{{}, {kTransmissionIgnored}}}},
        {{none, none, "0B40", "0H"}, {{{}, {}, {}, {kTransmissionIgnored}}}},
        {{"0B00", "0", "0F00", "0"}, {}},
        {{none, "0", none, "0"}, {}},
        {{"0B62", "1", "0B62", "8"}, {}},
        {{"0B62", "0", "0D62", "0"}, {{{}, {kTransmissionIgnored}}}},
    };
    for (const NotesCase& c : cases) {
        const auto readings = DecodeSwitches(c.texts);
        for (std::size_t i = 0; i < 4; ++i) {
            SCOPED_TRACE(testing::Message()
                         << "Switch " << i + 1 << " \"" << c.texts[i].value_or("-") << "\"");
            ASSERT_EQ(readings[i].has_value(), c.texts[i].has_value());
            if (!readings[i]) continue;
            EXPECT_EQ(NotesOf(*readings[i]), c.notes[i]);
            for (const SwitchNote note : c.notes[i])
                EXPECT_EQ(tessivar::NoteText(note, int(i) + 1)
                              .rfind("Switch " + std::to_string(i + 1) + ": ", 0),
                          0u);
        }
    }
}

}  // namespace
}  // namespace encoder_test
