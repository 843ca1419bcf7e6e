#pragma once

#include <vector>

#include "display/ScreenPlacement.h"

namespace vesk {

// The desktop's monitors as the system lists them (the primary one need not be first).
std::vector<MonitorArea> DisplayMonitors();

}  // namespace vesk
