#include "frmMain_layout.h"

namespace tessivar {

constexpr std::array<ControlDef, kControlCount> kControls = ResolveContainers();

}  // namespace tessivar
