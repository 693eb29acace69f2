// Turns the selected state of the window's option buttons into the texts of
// the QJ71C24's Switch 1 to Switch 4. Standard library only: no window system.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessivar {

// The selected state of every option button, indexed as the window numbers
// them. OptOperation holds eight pairs: pair k is members 2k and 2k+1 and
// gives bit k of the transmission byte. optBaudRate is the rate, optProtocol
// the protocol number, optCH 0 = CH1, 1 = CH2, 2 = both with one setting.
struct SwitchSelection {
    std::array<bool, 16> OptOperation{};
    std::array<bool, 14> optBaudRate{};
    std::array<bool, 9> optProtocol{};
    std::array<bool, 3> optCH{};
};

// One text for one switch box: switch n goes to txtSW(n - 1).
struct SwitchWrite {
    int number;  // switch number, 1..4
    std::string text;
};
using SwitchWrites = std::vector<SwitchWrite>;

// Fills SettingBit[0..7] with the eight transmission bits (elements 8..15 are
// left alone) and returns the writes for the selected channel(s), in the
// order the caller applies them. Any combination of flags has a result.
SwitchWrites CalculateSwitches(const SwitchSelection& selection,
                               std::array<std::int16_t, 16>& SettingBit);

}  // namespace tessivar
