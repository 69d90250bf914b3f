// Character-wise operations on Shift_JIS texts shared by the string commands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace yura {

std::size_t CharCount(std::string_view text);

// The characters at positions start .. start+count-1 (1-based) that exist;
// a start below 1 shortens the result.
std::string CharWindow(std::string_view text, long long start, long long count);

}  // namespace yura
