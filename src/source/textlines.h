// Line and blank handling shared by the word table and the command families.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace yura {

inline constexpr std::string_view kCrLf = "\r\n";

// Removes characters up to and including the space (controls, blanks, line
// ends) from both ends, from the left or from the right.
std::string_view Trim(std::string_view s);
std::string_view TrimLeft(std::string_view s);
std::string_view TrimRight(std::string_view s);

// Splits a text into lines; CR, LF and CR LF each end a line. A final line end
// does not start another line; an empty text has no lines.
std::vector<std::string_view> SplitLines(std::string_view text);

// Each item followed by CR LF.
std::string JoinLinesWithEnds(const std::vector<std::string>& lines);

}  // namespace yura
