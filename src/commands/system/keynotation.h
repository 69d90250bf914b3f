// The key notation of キー送信: "+", "^" and "%" hold Shift, Ctrl and Alt for
// the next key or "(" group ")"; "~" is Enter; "{NAME}" or "{NAME count}"
// names a key; any other character is typed.
#pragma once

#include <string_view>
#include <vector>

#include "core/desktop.h"

namespace yura {

// The keystrokes of a key text. A character that has no key raises the
// platform's range error.
std::vector<TKeyStroke> ParseKeyNotation(std::string_view keys);

}  // namespace yura
