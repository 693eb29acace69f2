#include "switch_decoder.h"

namespace tessivar {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The word that the text spells, or nothing when it is not 1 to 4
// hexadecimal digits with at most one of 0x before and H after, within blanks.
std::optional<std::uint16_t> ParseWord(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    } else if (!text.empty() && (text.back() == 'H' || text.back() == 'h')) {
        text.remove_suffix(1);
    }
    if (text.empty() || text.size() > 4) return std::nullopt;
    unsigned word = 0;
    for (const char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        word = word * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<std::uint16_t>(word);
}

constexpr const OptionGroup& kRates = kOptionGroups[kBaudRateGroup];
constexpr const OptionGroup& kProtocols = kOptionGroups[kProtocolGroup];

// RateMemberOf for every code below 16, worked out when the program is built:
// one look-up instead of a comparison per rate.
constexpr std::size_t kRateCodes = 16;
constexpr std::array<std::int8_t, kRateCodes> kRateMembers = [] {
    std::array<std::int8_t, kRateCodes> members{};
    for (unsigned code = 0; code < kRateCodes; ++code) {
        members[code] = static_cast<std::int8_t>(RateMemberOf(code));
    }
    return members;
}();
static_assert(RateCodeOf(0) < kRateCodes && RateCodeOf(kRates.members.size() - 1) < kRateCodes,
              "every rate code is below 16");

int RateMember(unsigned code) {
    return code < kRateCodes ? kRateMembers[code] : -1;
}

unsigned Byte(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// The length in bytes of the well-formed UTF-8 character that the text
// starts with, or 0 when its first byte starts none (a stray continuation
// byte, an overlong form, a surrogate, a code point past U+10FFFF or a
// character cut short).
std::size_t CharacterLength(std::string_view text) {
    const unsigned lead = Byte(text, 0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned low = 0x80;  // the bounds of the second byte
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong form
        if (lead == 0xED) high = 0x9F;  // no surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // no overlong form
        if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (text.size() < length || Byte(text, 1) < low || Byte(text, 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (Byte(text, i) < 0x80 || Byte(text, i) > 0xBF) return 0;
    }
    return length;
}

// Whether the well-formed character would end or disturb the line.
bool BreaksTheLine(std::string_view character) {
    const unsigned lead = Byte(character, 0);
    switch (character.size()) {
        case 1:
            return lead < 0x20 || lead == 0x7F;
        case 2:  // C1: U+0080 to U+009F
            return lead == 0xC2 && Byte(character, 1) < 0xA0;
        case 3:  // U+2028, U+2029
            return lead == 0xE2 && Byte(character, 1) == 0x80 &&
                   (Byte(character, 2) == 0xA8 || Byte(character, 2) == 0xA9);
    }
    return false;
}

void AddNote(SwitchReading& reading, SwitchNote note) {
    reading.notes[reading.noteCount++] = note;
}

// A byte in two hexadecimal digits.
struct Hex2 {
    unsigned value;
};

// Appends to a caller's buffer, never past its end, keeping room for the '\0'.
class Message {
  public:
    Message(char* buffer, std::size_t size) : buffer_(buffer), size_(size) {}

    Message& operator<<(std::string_view text) {
        for (const char c : text) Put(c);
        return *this;
    }
    Message& operator<<(int number) {
        if (number < 0) Put('-');
        const auto magnitude = static_cast<std::uint32_t>(number);
        return *this << (number < 0 ? 0u - magnitude : magnitude);
    }
    Message& operator<<(std::uint32_t magnitude) {
        char digits[10];
        std::size_t count = 0;
        do {
            digits[count++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        while (count > 0) Put(digits[--count]);
        return *this;
    }
    Message& operator<<(const QuotedText& text) { return *this << text.view(); }
    Message& operator<<(Hex2 byte) {
        constexpr std::string_view kDigits = "0123456789ABCDEF";
        Put(kDigits[byte.value / 16 % 16]);
        Put(kDigits[byte.value % 16]);
        return *this;
    }
    // The pattern with each '%' in it replaced by the next of the values,
    // in order: the languages put them where their sentences need them.
    template <typename... Values>
    Message& Fill(std::string_view pattern, const Values&... values) {
        std::size_t at = 0;
        const auto next = [this, pattern, &at](const auto& value) {
            while (at < pattern.size() && pattern[at] != '%') Put(pattern[at++]);
            ++at;
            *this << value;
        };
        (next(values), ...);
        while (at < pattern.size()) Put(pattern[at++]);
        return *this;
    }
    std::size_t Finish() {
        if (size_ != 0) buffer_[length_] = '\0';
        return length_;
    }

  private:
    void Put(char c) {
        if (length_ + 1 < size_) buffer_[length_++] = c;
    }

    char* buffer_;
    std::size_t size_;
    std::size_t length_ = 0;
};

// Indexed by note, then by channel (CH1, CH2). The protocols are named by
// the window's captions in either language: they are the module's own.
constexpr Words kNoteTexts[5][2] = {
    {{"Switch 1: linked operation is set, but CH1 must be set to independent operation; "
      "linked operation is set on the CH2 side (Switch 3)",
      "开关1：设置了联动动作，但CH1必须设置为独立动作；联动动作应在CH2侧（开关3）设置"},
     {}},
    {{"Switch 1: EVEN is set while the parity bit is off; it has no effect",
      "开关1：奇偶校验位为无时设置了偶数（EVEN），该设置无效"},
     {"Switch 3: EVEN is set while the parity bit is off; it has no effect",
      "开关3：奇偶校验位为无时设置了偶数（EVEN），该设置无效"}},
    {{"Switch 2: with GX Connection, CH1 uses the programming tool's fixed settings and "
      "ignores the transmission settings of Switch 1 (not 00)",
      "开关2：GX Connection时，CH1使用编程工具的固定设置，忽略开关1的传送设置（不是00）"},
     {"Switch 4: with GX Connection, CH2 uses the programming tool's fixed settings and "
      "ignores the transmission settings of Switch 3 (not 00)",
      "开关4：GX Connection时，CH2使用编程工具的固定设置，忽略开关3的传送设置（不是00）"}},
    {{"Switch 1 and 2: Format 5 (4C Binary) needs 8 data bits; with 7 data bits the module "
      "drops the top bit of every byte",
      "开关1和开关2：Format 5 (4C Binary)需要8位数据位；数据位为7时，模块会丢弃每个字节的"
      "最高位"},
     {"Switch 3 and 4: Format 5 (4C Binary) needs 8 data bits; with 7 data bits the module "
      "drops the top bit of every byte",
      "开关3和开关4：Format 5 (4C Binary)需要8位数据位；数据位为7时，模块会丢弃每个字节的"
      "最高位"}},
    {{"Switch 1 and 2: Bi-directional with the sum check on needs 8 data bits; with 7 data bits "
      "the module drops the top bit of every byte",
      "开关1和开关2：Bi-directional在和校验代码为有时需要8位数据位；数据位为7时，模块会丢弃"
      "每个字节的最高位"},
     {"Switch 3 and 4: Bi-directional with the sum check on needs 8 data bits; with 7 data bits "
      "the module drops the top bit of every byte",
      "开关3和开关4：Bi-directional在和校验代码为有时需要8位数据位；数据位为7时，模块会丢弃"
      "每个字节的最高位"}},
};

// Every note in both languages (but CH2's linked operation, which is none).
constexpr bool NotesAreTranslated() {
    for (const auto& texts : kNoteTexts) {
        for (const Words& words : texts) {
            if (&words == &kNoteTexts[0][1]) continue;
            if (FirstUntranslated({&words, 1}, glossary::kGlossary, kMaxReadingText) != 1) {
                return false;
            }
        }
    }
    return kNoteTexts[0][1].en.empty();
}
static_assert(NotesAreTranslated(), "a note is untranslated or breaks the glossary");

// A reading and an error in words: patterns in which Message::Fill puts the
// numbers and values at each '%'.
enum Text : std::size_t {
    kReadingStation,
    kReadingProtocol,
    kReadingTransmission,  // the rate, then the words of each transmission bit
    kNoSuchSwitch,
    kNotANumber,
    kRateCode,
    kProtocolNumber,
    kStationPast,
    kStationNumber,
    kTextCount
};
constexpr std::array<Words, kTextCount> kTexts{{
    {"station % in decimal", "站号为十进制%"},
    {"protocol %, %", "通信协议%，%"},
    {"% bps, %, %, %, %, %, %, %, %", "% bps，%，%，%，%，%，%，%，%"},
    {"Switch %: no such switch; give 1 to %", "开关%：没有此开关；请给出1至%"},
    {"Switch %: % is not a switch value; give 1 to 4 hexadecimal digits (0 to FFFF), "
     "optionally with 0x before or H after",
     "开关%：%不是开关值；请给出1至4位十六进制数字（0至FFFF），可在前面加0x或在后面加H"},
    {"Switch %: % has the rate code %, which is not one of % to % (% to % bps) or % (% bps)",
     "开关%：%的传送速度代码为%，不是%至%（%至% bps）或%（% bps）之一"},
    {"Switch %: % is not a protocol number; give % to %", "开关%：%不是通信协议编号；请给出%至%"},
    {"Switch %: % is % in decimal, past the last station number; give 0 to % in hexadecimal "
     "(station 0 to %)",
     "开关%：%为十进制%，超过了最大站号；请给出十六进制0至%（站号0至%）"},
    {"%: not a station number; give 0 to % in decimal", "%：不是站号；请给出十进制0至%"},
}};
static_assert(FirstUntranslated(kTexts, glossary::kGlossary, kMaxErrorMessage) == kTexts.size(),
              "a reading's or an error's words are untranslated or break the glossary");

// What each transmission bit reads as, clear and set, in the order a reading
// lists them.
struct BitWords {
    TransmissionBit bit;
    Words clear;
    Words set;
};
constexpr std::array<BitWords, 8> kBitWords{{
    {kEightDataBits, {"7 data bits", "数据位7"}, {"8 data bits", "数据位8"}},
    {kParityOn, {"parity off", "奇偶校验位无"}, {"parity on", "奇偶校验位有"}},
    {kEvenParity, {"odd", "奇数"}, {"even", "偶数"}},
    {kTwoStopBits, {"1 stop bit", "停止位1"}, {"2 stop bits", "停止位2"}},
    {kSumCheckOn, {"sum check off", "和校验代码无"}, {"sum check on", "和校验代码有"}},
    {kWriteDuringRunEnabled,
     {"write during RUN disabled", "RUN中写入禁止"},
     {"write during RUN enabled", "RUN中写入允许"}},
    {kSettingChangeEnabled,
     {"setting change disabled", "设置更改禁止"},
     {"setting change enabled", "设置更改允许"}},
    {kLinkedOperation, {"independent operation", "独立动作"}, {"linked operation", "联动动作"}},
}};
constexpr bool BitWordsAreTranslated() {
    for (const BitWords& words : kBitWords) {
        if (FirstUntranslated({&words.clear, 1}, glossary::kGlossary) != 1 ||
            FirstUntranslated({&words.set, 1}, glossary::kGlossary) != 1) {
            return false;
        }
    }
    return true;
}
static_assert(BitWordsAreTranslated(), "a transmission bit's words are untranslated");

// The protocols that need 8 data bits, by their number: MC protocol format
// 5, binary, always; the bidirectional protocol with its sum check on.
constexpr std::uint8_t kFormat5 = 5;
constexpr std::uint8_t kBidirectional = 7;

// The notes name the protocols by the window's captions.
constexpr bool Names(SwitchNote note, std::uint8_t protocol) {
    for (const Words& words : kNoteTexts[static_cast<std::size_t>(note)]) {
        for (const Language language : kLanguages) {
            if (words[language].find(kProtocols.members[protocol].caption) ==
                std::string_view::npos) {
                return false;
            }
        }
    }
    return true;
}
static_assert(Names(SwitchNote::kFormat5SevenBits, kFormat5) &&
              Names(SwitchNote::kSumCheckSevenBits, kBidirectional) &&
              Names(SwitchNote::kTransmissionIgnored, 0));

}  // namespace

QuotedText::QuotedText(std::string_view text) {
    Put('"');
    std::size_t at = 0;
    // (Views made by hand rather than by substr, which may throw.)
    for (std::size_t shown = 0; at < text.size() && shown < kShown; ++shown) {
        const std::size_t length = CharacterLength({text.data() + at, text.size() - at});
        if (length == 0) {
            Put('?');
            ++at;
            continue;
        }
        if (BreaksTheLine({text.data() + at, length})) {
            Put('?');
        } else {
            for (std::size_t i = 0; i < length; ++i) Put(text[at + i]);
        }
        at += length;
    }
    if (at < text.size()) {
        for (int i = 0; i < 3; ++i) Put('.');
    }
    Put('"');
}

SwitchReading DecodeSwitch(std::string_view text, int switchNumber) {
    SwitchReading reading;
    reading.number = switchNumber;
    reading.text = text;
    if (switchNumber < 1 || switchNumber > kSwitchCount) {
        reading.error = DecodeError::kNoSuchSwitch;
        return reading;
    }
    const std::optional<std::uint16_t> word = ParseWord(text);
    if (!word) {
        reading.error = DecodeError::kNotANumber;
        return reading;
    }
    reading.value = *word;

    if (reading.setsStation()) {
        if (reading.value > kMaxStation) {
            reading.error = DecodeError::kStation;
            return reading;
        }
        reading.station = static_cast<std::uint8_t>(reading.value);
        return reading;
    }
    if (reading.setsProtocol()) {
        if (reading.value >= kProtocols.members.size()) {
            reading.error = DecodeError::kProtocol;
            return reading;
        }
        reading.protocol = static_cast<std::uint8_t>(reading.value);
        return reading;
    }

    const int member = RateMember(reading.value >> 8);
    if (member < 0) {
        reading.error = DecodeError::kRateCode;
        return reading;
    }
    reading.baudRate = kRates.members[static_cast<std::size_t>(member)].number;
    reading.transmission = static_cast<std::uint8_t>(reading.value & 0xFF);
    if (switchNumber == 1 && reading.has(kLinkedOperation)) {
        AddNote(reading, SwitchNote::kLinkedOnCH1);
    }
    if (reading.has(kEvenParity) && !reading.has(kParityOn)) {
        AddNote(reading, SwitchNote::kEvenWithoutParity);
    }
    return reading;
}

SwitchReadings DecodeSwitches(const SwitchTexts& texts) {
    SwitchReadings readings;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i]) readings[i] = DecodeSwitch(*texts[i], static_cast<int>(i) + 1);
    }
    // Per channel: the word switch at 2c, the protocol switch at 2c + 1. At
    // most one of these notes applies, since each needs its own protocol.
    for (std::size_t c = 0; c < 2; ++c) {
        const std::optional<SwitchReading>& word = readings[2 * c];
        std::optional<SwitchReading>& protocol = readings[2 * c + 1];
        if (!word || !word->ok() || !protocol || !protocol->ok()) continue;
        const bool sevenBits = !word->has(kEightDataBits);
        if (protocol->protocol == 0 && word->transmission != 0) {
            AddNote(*protocol, SwitchNote::kTransmissionIgnored);
        } else if (protocol->protocol == kFormat5 && sevenBits) {
            AddNote(*protocol, SwitchNote::kFormat5SevenBits);
        } else if (protocol->protocol == kBidirectional && sevenBits && word->has(kSumCheckOn)) {
            AddNote(*protocol, SwitchNote::kSumCheckSevenBits);
        }
    }
    return readings;
}

SwitchReadings DecodeWrites(std::span<const SwitchWrite> writes) {
    SwitchTexts texts;
    for (const SwitchWrite& write : writes) {
        if (write.number >= 1 && write.number <= kSwitchCount) {
            texts[static_cast<std::size_t>(write.number - 1)] = write.text();
        }
    }
    return DecodeSwitches(texts);
}

int SwitchReading::member(std::size_t group) const {
    if (!ok() || group >= kOptionGroups.size()) return -1;
    const OptionGroup& g = kOptionGroups[group];
    switch (g.kind) {
        case GroupKind::kTransmissionBit:
            return setsRate() ? (transmission >> g.bit) & 1 : -1;
        case GroupKind::kBaudRate:
            return setsRate() ? RateMember(value >> 8) : -1;
        case GroupKind::kProtocol:
            return setsProtocol() ? protocol : -1;
        case GroupKind::kChannel:
            return channel() - 1;  // -1 for Switch 5
    }
    return -1;
}

std::string_view NoteText(SwitchNote note, int switchNumber, Language language) {
    return kNoteTexts[static_cast<std::size_t>(note)][switchNumber <= 2 ? 0 : 1][language];
}

std::size_t DescribeReading(const SwitchReading& r, char* buffer, std::size_t size,
                            Language language) {
    Message message(buffer, size);
    if (!r.ok()) return message.Finish();
    const auto text = [language](Text t) { return kTexts[t][language]; };
    if (r.setsStation()) {
        message.Fill(text(kReadingStation), int{r.station});
        return message.Finish();
    }
    if (r.setsProtocol()) {
        message.Fill(text(kReadingProtocol), int{r.protocol}, r.protocolName());
        return message.Finish();
    }
    std::array<std::string_view, kBitWords.size()> bits;
    for (std::size_t i = 0; i < bits.size(); ++i) {
        const BitWords& words = kBitWords[i];
        bits[i] = (r.has(words.bit) ? words.set : words.clear)[language];
    }
    message.Fill(text(kReadingTransmission), r.baudRate, bits[0], bits[1], bits[2], bits[3],
                 bits[4], bits[5], bits[6], bits[7]);
    return message.Finish();
}

std::size_t DescribeError(const SwitchReading& reading, char* buffer, std::size_t size,
                          Language language) {
    Message message(buffer, size);
    const auto text = [language](Text t) { return kTexts[t][language]; };
    const int number = reading.number;
    switch (reading.error) {
        case DecodeError::kNone:
            break;
        case DecodeError::kNoSuchSwitch:
            message.Fill(text(kNoSuchSwitch), number, kSwitchCount);
            break;
        case DecodeError::kNotANumber:
            message.Fill(text(kNotANumber), number, QuotedText(reading.text));
            break;
        case DecodeError::kRateCode:
            // Members 1 to 13 have consecutive codes (RateCodeOf), member 0 one of its own.
            message.Fill(text(kRateCode), number, QuotedText(reading.text),
                         Hex2{static_cast<unsigned>(reading.value >> 8)}, Hex2{RateCodeOf(1)},
                         Hex2{RateCodeOf(kRates.members.size() - 1)}, kRates.members[1].number,
                         kRates.members.back().number, Hex2{RateCodeOf(0)},
                         kRates.members[0].number);
            break;
        case DecodeError::kProtocol:
            message.Fill(text(kProtocolNumber), number, QuotedText(reading.text),
                         kProtocols.members.front().value, kProtocols.members.back().value);
            break;
        case DecodeError::kStation:
            message.Fill(text(kStationPast), number, QuotedText(reading.text),
                         std::uint32_t{reading.value}, Hex2{kMaxStation}, kMaxStation);
            break;
    }
    return message.Finish();
}

std::size_t DescribeStationError(std::string_view text, char* buffer, std::size_t size,
                                 Language language) {
    Message message(buffer, size);
    message.Fill(kTexts[kStationNumber][language], QuotedText(text), kMaxStation);
    return message.Finish();
}

}  // namespace tessivar
