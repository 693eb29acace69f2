// The native encoder's answer for a selection given as the web page shows
// it: each argument is a group's legend and a member's label
// ("Baud Rate=19200"), applied in order over the window's initial
// selection. Prints the writes of CalculateSwitches, one "NUMBER TEXT" line
// each, in order.
//
//   native_switches [LEGEND=LABEL]...
#include <cstdio>
#include <string_view>

#include "option_groups.h"
#include "switch_encoder.h"

int main(int argc, char** argv) {
    using namespace tessivar;
    std::array<std::size_t, kOptionGroups.size()> chosen{};
    for (std::size_t g = 0; g < kOptionGroups.size(); ++g) chosen[g] = kOptionGroups[g].initial;

    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const std::size_t equals = argument.find('=');
        bool found = false;
        for (std::size_t g = 0; g < kOptionGroups.size() && !found; ++g) {
            if (kOptionGroups[g].caption != argument.substr(0, equals)) continue;
            const auto& members = kOptionGroups[g].members;
            for (std::size_t m = 0; m < members.size() && !found; ++m) {
                if (equals != std::string_view::npos &&
                    members[m].Label() == argument.substr(equals + 1)) {
                    chosen[g] = m;
                    found = true;
                }
            }
        }
        if (!found) {
            std::fprintf(stderr, "native_switches: no such legend and label: %s\n", argv[i]);
            return 2;
        }
    }

    SwitchSelection selection;
    for (std::size_t g = 0; g < kOptionGroups.size(); ++g) {
        const OptionGroup& group = kOptionGroups[g];
        switch (group.kind) {
            case GroupKind::kTransmissionBit:
                selection.OptOperation.at(2 * std::size_t{group.bit} + chosen[g]) = true;
                break;
            case GroupKind::kBaudRate:
                selection.optBaudRate.at(chosen[g]) = true;
                break;
            case GroupKind::kProtocol:
                selection.optProtocol.at(chosen[g]) = true;
                break;
            case GroupKind::kChannel:
                selection.optCH.at(chosen[g]) = true;
                break;
        }
    }
    std::array<std::int16_t, 16> settingBit{};
    for (const SwitchWrite& write : CalculateSwitches(selection, settingBit)) {
        const std::string_view text = write.text();
        std::printf("%d %.*s\n", write.number, static_cast<int>(text.size()), text.data());
    }
    return 0;
}
