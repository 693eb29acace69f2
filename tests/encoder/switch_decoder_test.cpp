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
                        if (protocol == 5 && !odd[kDataBit])
                            expectedProto.push_back(SwitchNote::kFormat5SevenBits);
                        if (protocol == 7 && !odd[kDataBit] && odd[kCheckSum])
                            expectedProto.push_back(SwitchNote::kSumCheckSevenBits);
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

// Every word on every switch: accepted exactly when the model's rate codes,
// protocol numbers or station numbers (0 to 31) have it, and then read as the
// model says.
TEST(SwitchDecoder, EveryWordOnEverySwitch) {
    int failures = 0;
    for (unsigned value = 0; value <= 0xFFFF && failures < 10; ++value) {
        const std::string text = Hex4(value);
        for (int number = 1; number <= 5; ++number) {
            const SwitchReading r = DecodeSwitch(text, number);
            bool right;
            if (number == 5) {
                right = value <= 31
                            ? r.ok() && r.station == value && r.protocol == 0 && r.baudRate == 0
                            : r.error == DecodeError::kStation;
            } else if (number == 2 || number == 4) {
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
        {"12", 5, kNone, 0x12, ""},
        {"0x1f", 5, kNone, 0x1F, ""},
        {"001FH", 5, kNone, 0x1F, ""},
        {"0", 5, kNone, 0, ""},
        {"20", 5, kStation, 0x20,
         "\"20\" is 32 in decimal, past the last station number; "
         "give 0 to 1F in hexadecimal (station 0 to 31)"},
        {"FFFF", 5, kStation, 0xFFFF, "is 65535 in decimal"},
        {"1G", 5, kNotANumber, 0, kDigits},
        {"5", 0, kNoSuchSwitch, 0, "Switch 0: no such switch; give 1 to 5"},
        {"5", 6, kNoSuchSwitch, 0, "Switch 6: no such switch"},
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

// The one form in which every message shows what the user gave: each
// character as itself except the control characters, and a long text by its
// start. A byte of 80 or more alone is no UTF-8 character.
TEST(QuotedText, ControlCharactersAndLength) {
    using tessivar::QuotedText;
    for (unsigned byte = 1; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const bool control = byte < 0x20 || byte == 0x7F || byte >= 0x80;
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

// Whether the text is well-formed UTF-8, by the table of well-formed byte
// sequences, decoded independently of QuotedText.
bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = [&](std::size_t k) {
            return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u;
        };
        const auto tail = [&](std::size_t k) { return b(k) >= 0x80 && b(k) <= 0xBF; };
        const unsigned lead = b(0);
        if (lead < 0x80) {
            i += 1;
        } else if (lead >= 0xC2 && lead <= 0xDF && tail(1)) {
            i += 2;
        } else if (((lead == 0xE0 && b(1) >= 0xA0 && b(1) <= 0xBF) ||
                    (lead >= 0xE1 && lead <= 0xEC && tail(1)) ||
                    (lead == 0xED && b(1) >= 0x80 && b(1) <= 0x9F) ||
                    (lead >= 0xEE && lead <= 0xEF && tail(1))) &&
                   tail(2)) {
            i += 3;
        } else if (((lead == 0xF0 && b(1) >= 0x90 && b(1) <= 0xBF) ||
                    (lead >= 0xF1 && lead <= 0xF3 && tail(1)) ||
                    (lead == 0xF4 && b(1) >= 0x80 && b(1) <= 0x8F)) &&
                   tail(2) && tail(3)) {
            i += 4;
        } else {
            return false;
        }
    }
    return true;
}

// Characters, not bytes: a text of two-, three- and four-byte characters is
// cut after its 24th character, whole; invalid bytes and the characters that
// end a line show as one '?' each.
TEST(QuotedText, CutsAtWholeUtf8Characters) {
    using tessivar::QuotedText;
    const std::string e = "\xC3\xA9";             // é
    const std::string han = "\xE6\xBC\xA2";       // 漢
    const std::string clef = "\xF0\x9D\x84\x9E";  // U+1D11E
    std::string twenty_four;
    for (int i = 0; i < 8; ++i) twenty_four += e + han + clef;
    EXPECT_EQ(QuotedText(twenty_four).view(), '"' + twenty_four + '"');
    EXPECT_EQ(QuotedText(twenty_four + "x").view(), '"' + twenty_four + "...\"");
    std::string aeeee = "a";
    for (int i = 0; i < 30; ++i) aeeee += e;
    std::string shown = "a";
    for (int i = 0; i < 23; ++i) shown += e;
    EXPECT_EQ(QuotedText(aeeee).view(), '"' + shown + "...\"");
    // Every cut of every mixed text is valid UTF-8 and at most 24 characters.
    const std::string mixed = "a" + e + han + clef + "\x80" + "\xFF" + "b";
    for (std::size_t start = 0; start < mixed.size(); ++start) {
        for (std::size_t length = 0; start + length <= mixed.size() * 8; ++length) {
            std::string text;
            while (text.size() < start + length) text += mixed;
            text = text.substr(start, length);
            const QuotedText quoted(text);
            ASSERT_TRUE(IsUtf8(quoted.view())) << "from " << start << ", " << length << " bytes";
        }
    }
    const struct {
        std::string text, quoted;
    } cases[] = {
        {"\x80", "\"?\""},    // a lone continuation byte
        {"a\xC3", "\"a?\""},  // a character cut short
        {"\xC3"
         "a",
         "\"?a\""},                             // a lead byte without its continuation
        {"\xC0\xAF", "\"??\""},                 // an overlong '/'
        {"\xE0\x80\xAF", "\"???\""},            // an overlong '/'
        {"\xED\xA0\x80", "\"???\""},            // a surrogate
        {"\xF4\x90\x80\x80", "\"????\""},       // past U+10FFFF
        {"\xF8\x88\x80\x80\x80", "\"?????\""},  // five bytes
        {"\xC2\x85", "\"?\""},                  // NEL, a C1 control
        {"\xC2\x9F"
         "\xC2\xA0",
         "\"?\xC2\xA0\""},  // the last C1 control; no-break space kept
        {"a\xE2\x80\xA8"
         "b\xE2\x80\xA9",
         "\"a?b?\""},                          // line and paragraph separators
        {"\xE2\x80\xA7", "\"\xE2\x80\xA7\""},  // the character before them kept
        {"\xEF\xBC\x91\xEF\xBC\x92", "\"\xEF\xBC\x91\xEF\xBC\x92\""},  // full-width digits kept
    };
    for (const auto& c : cases) EXPECT_EQ(QuotedText(c.text).view(), c.quoted) << c.quoted;
    // Invalid bytes count as characters, so that the line stays short.
    EXPECT_EQ(QuotedText(std::string(30, '\xFF')).view(),
              '"' + std::string(QuotedText::kShown, '?') + "...\"");
}

struct NotesCase {
    SwitchTexts texts;
    std::array<Notes, 5> notes;
};

TEST(SwitchDecoder, Notes) {
    using enum SwitchNote;
    const auto none = std::nullopt;
    const NotesCase cases[] = {
        // (7 data bits with Format 5 have their own note; see below.)
        {{"0B01", "5", none, none}, {{{kLinkedOnCH1}, {kFormat5SevenBits}}}},
        {{none, none, "0B01", "5"}, {{{}, {}, {}, {kFormat5SevenBits}}}},
        {{"0B08", none, "0B08", none}, {{{kEvenWithoutParity}, {}, {kEvenWithoutParity}}}},
        {{"0B0E", "5", "0B0E", "5"}, {}},
        {{"0B0C", "5", "0B0C", "5"}, {{{}, {kFormat5SevenBits}, {}, {kFormat5SevenBits}}}},
        {{"0B09", none, none, none}, {{{kLinkedOnCH1, kEvenWithoutParity}}}},
        {{"0B62", "0", none, none}, {{{}, {kTransmissionIgnored}}}},
        {{none, none, "0B40", "0H"}, {{{}, {}, {}, {kTransmissionIgnored}}}},
        {{"0B00", "0", "0F00", "0"}, {}},
        {{none, "0", none, "0"}, {}},
        {{"0B62", "1", "0B62", "8"}, {}},
        {{"0B62", "0", "0D62", "0"}, {{{}, {kTransmissionIgnored}}}},
        // 7 data bits with Format 5; with Bi-directional only when the sum
        // check is on; each on its own channel's protocol switch.
        {{"0B60", "5", none, none}, {{{}, {kFormat5SevenBits}}}},
        {{none, none, "0560", "5", "1F"}, {{{}, {}, {}, {kFormat5SevenBits}}}},
        {{"0B62", "5", "0B60", "5"}, {{{}, {}, {}, {kFormat5SevenBits}}}},
        {{"0B60", "7", "0B40", "7"}, {{{}, {kSumCheckSevenBits}}}},
        {{"0B62", "7", "0B22", "0x7"}, {}},
        {{"0B60", "6", "0B60", "4"}, {}},
        {{"0B60", none, none, "5"}, {}},
        {{"0B60", "5", "0D60", "5"}, {{{}, {kFormat5SevenBits}}}},
        {{none, none, none, none, "0"}, {}},
    };
    for (const NotesCase& c : cases) {
        const auto readings = DecodeSwitches(c.texts);
        for (std::size_t i = 0; i < 5; ++i) {
            SCOPED_TRACE(testing::Message()
                         << "Switch " << i + 1 << " \"" << c.texts[i].value_or("-") << "\"");
            ASSERT_EQ(readings[i].has_value(), c.texts[i].has_value());
            if (!readings[i]) continue;
            EXPECT_EQ(NotesOf(*readings[i]), c.notes[i]);
            // A note names its switch, or both switches of its pair.
            const std::string pair = i < 2   ? "Switch 1 and 2: "
                                     : i < 4 ? "Switch 3 and 4: "
                                             : "Switch 5: ";
            for (const SwitchNote note : c.notes[i]) {
                const std::string_view text = tessivar::NoteText(note, int(i) + 1);
                EXPECT_TRUE(text.starts_with("Switch " + std::to_string(i + 1) + ": ") ||
                            text.starts_with(pair))
                    << text;
            }
        }
    }
}

}  // namespace
}  // namespace encoder_test
