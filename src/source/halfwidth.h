// The full-width to half-width table of source preparation, built once.
#pragma once

#include <string>
#include <string_view>

namespace yura {

// The replacement of one character (one byte, or a lead and a trail byte);
// empty when the character has no entry and stays as it is.
std::string_view HalfWidthOf(std::string_view character);

// Converts every character that has an entry; no comment, string or line
// handling.
std::string ToHalfWidth(std::string_view text);

}  // namespace yura
