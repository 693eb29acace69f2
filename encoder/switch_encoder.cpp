#include "switch_encoder.h"

namespace tessivar {
namespace {

// The texts are built as four characters padded with '\0', the form in which
// a SwitchWrite keeps them.
using Text = SwitchWrite::Characters;

constexpr Text kEmpty = {'\0', '\0', '\0', '\0'};

// Upper-case hexadecimal of a value from 0 to 255, with a "0" put in front of
// a single digit: always two digits.
constexpr Text TwoDigitHex(unsigned value) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return {kDigits[value / 16], kDigits[value % 16], '\0', '\0'};
}

// The rate code of the selected member (RateCodeOf); the first selected
// member from 1 on wins over member 0, and no selection gives the empty text.
constexpr Text RateCode(const decltype(SwitchSelection::optBaudRate)& optBaudRate) {
    Text code = kEmpty;
    if (optBaudRate[0]) code = TwoDigitHex(RateCodeOf(0));
    for (std::size_t i = 1; i < optBaudRate.size(); ++i) {
        if (optBaudRate[i]) return TwoDigitHex(RateCodeOf(i));
    }
    return code;
}

// The first selected protocol as one decimal digit, or the empty text.
static_assert(std::tuple_size_v<decltype(SwitchSelection::optProtocol)> <= 10,
              "a protocol number is one decimal digit");
constexpr Text ProtocolText(const decltype(SwitchSelection::optProtocol)& optProtocol) {
    for (unsigned i = 0; i < optProtocol.size(); ++i) {
        if (optProtocol[i]) return {static_cast<char>('0' + i), '\0', '\0', '\0'};
    }
    return kEmpty;
}

// The rate code (empty or two characters) followed by the transmission code
// (two characters).
constexpr Text SwitchWord(const Text& rateCode, const Text& transmissionCode) {
    if (rateCode[0] == '\0') return transmissionCode;
    return {rateCode[0], rateCode[1], transmissionCode[0], transmissionCode[1]};
}

}  // namespace

SwitchWrites CalculateSwitches(const SwitchSelection& selection,
                               std::array<std::int16_t, 16>& SettingBit) {
    // Bits: bit k is 0 only when the even member of pair k is selected, so a
    // pair with neither member selected counts as its odd member.
    for (std::size_t k = 0; k < kPairGroupCount; ++k)
        SettingBit[k] = selection.OptOperation[2 * k] ? 0 : 1;

    // Transmission byte: the bits weighted 1, 2, 4 ... 128.
    unsigned transmissionByte = 0;
    for (std::size_t k = 0; k < kPairGroupCount; ++k)
        transmissionByte += static_cast<unsigned>(SettingBit[k]) << k;

    const Text transmissionCode = TwoDigitHex(transmissionByte);
    const Text rateCode = RateCode(selection.optBaudRate);
    const Text protocol = ProtocolText(selection.optProtocol);
    const Text word = SwitchWord(rateCode, transmissionCode);

    // Three independent channel tests, in this order: each adds its writes
    // whatever the others found.
    SwitchWrites writes;
    if (selection.optCH[0]) {
        writes.Add(1, word);
        writes.Add(2, protocol);
    }
    if (selection.optCH[1]) {
        writes.Add(3, word);
        writes.Add(4, protocol);
    }
    if (selection.optCH[2]) {
        writes.Add(1, word);
        writes.Add(3, word);
        writes.Add(2, protocol);
        writes.Add(4, protocol);
    }
    return writes;
}

}  // namespace tessivar
