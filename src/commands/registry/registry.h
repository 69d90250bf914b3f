// The built-in vocabulary: registration at every program start.
#pragma once

#include "core/yurabase.h"

namespace yura {

void RegisterAll(TYuraBase& state);

}  // namespace yura
