#include "switch_encoder.h"

namespace tessivar {
namespace {

// Upper-case hexadecimal with at least two digits ("0" becomes "00").
std::string TwoDigitHex(unsigned value) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value != 0);
    if (text.size() == 1) text.insert(text.begin(), '0');
    return text;
}

// Rate code: "0F" for member 0 ("50"), i - 1 for member i; a selected member
// from 1 to 13 wins over member 0, and no selection gives the empty text.
std::string RateCode(const std::array<bool, 14>& optBaudRate) {
    std::string code;
    if (optBaudRate[0]) code = "0F";
    for (unsigned i = 1; i < optBaudRate.size(); ++i) {
        if (optBaudRate[i]) return TwoDigitHex(i - 1);
    }
    return code;
}

// The first selected protocol as one decimal digit, or the empty text.
std::string ProtocolText(const std::array<bool, 9>& optProtocol) {
    for (unsigned i = 0; i < optProtocol.size(); ++i) {
        if (optProtocol[i]) return std::string(1, static_cast<char>('0' + i));
    }
    return std::string();
}

}  // namespace

SwitchWrites CalculateSwitches(const SwitchSelection& selection,
                               std::array<std::int16_t, 16>& SettingBit) {
    // Bit k is 0 only when the even member of pair k is selected, so a pair
    // with neither member selected counts as its odd member.
    unsigned transmission = 0;
    for (unsigned k = 0; k < 8; ++k) {
        SettingBit[k] = selection.OptOperation[2 * k] ? 0 : 1;
        transmission += static_cast<unsigned>(SettingBit[k]) << k;
    }

    const std::string word = RateCode(selection.optBaudRate) + TwoDigitHex(transmission);
    const std::string protocol = ProtocolText(selection.optProtocol);

    // The three channel tests are independent: each adds its writes.
    SwitchWrites writes;
    if (selection.optCH[0]) {
        writes.push_back({1, word});
        writes.push_back({2, protocol});
    }
    if (selection.optCH[1]) {
        writes.push_back({3, word});
        writes.push_back({4, protocol});
    }
    if (selection.optCH[2]) {
        writes.push_back({1, word});
        writes.push_back({3, word});
        writes.push_back({2, protocol});
        writes.push_back({4, protocol});
    }
    return writes;
}

}  // namespace tessivar
