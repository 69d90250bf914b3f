// File-name masks of the enumeration commands: "*" stands for any run of
// characters, "?" for one character; letters compare without regard to ASCII
// case, as scripts written for case-blind file systems expect; a mask ending
// in ".*" also matches names without an extension ("*.*" matches every name).
#pragma once

#include <string_view>

namespace yura {

bool FileMaskMatches(std::string_view name, std::string_view mask);
bool HasFileMaskWildcard(std::string_view mask);

}  // namespace yura
