// The file access guard: every command that writes, moves or deletes a file
// asks it first. The level (-security, or security.ini beside the script or the
// runtime) decides: low allows everything, mid asks for targets outside the
// script's folder, high refuses everything. security.ini itself is never
// changed.
#pragma once

#include <string_view>

#include "core/yurabase.h"

namespace yura {

// True when the operation is refused; the caller then leaves the file alone
// and raises nothing.
bool ConfirmFileAccess(TYuraBase& state, std::string_view target, std::string_view question);

// Determines the level from security.ini when -security did not set it.
void ReadSecurityLevel(TYuraBase& state);

}  // namespace yura
