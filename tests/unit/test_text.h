// Narrow literals of the project are compiled to Shift_JIS; a test that needs
// UTF-8 bytes writes them as u8"..." and takes them through here.
#pragma once

#include <string>
#include <string_view>

namespace yura {

inline std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

}  // namespace yura
