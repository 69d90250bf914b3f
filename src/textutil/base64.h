// Base64 with the standard alphabet and "=" padding.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace yura {

// The encoding of `bytes` as one line, without line breaks.
std::string Base64Encode(std::string_view bytes);

// The bytes encoded by `text`. CR and LF are skipped where they stand
// between four-character groups (before the first, between two, after the
// last). Nothing is returned when a group is incomplete, when a character
// outside the alphabet appears, or when "=" padding stands anywhere but at
// the end of the last group.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace yura
