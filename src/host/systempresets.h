// The values of the system-information words that the host knows: special
// folders, the OS name and the screen size, taken once at start.
#pragma once

#include "core/yurabase.h"

namespace yura {

TSystemPresets ComputeSystemPresets();

}  // namespace yura
