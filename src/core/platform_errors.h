// The platform's own error texts, for faults inside commands that the
// language reports as the platform reports them.
#pragma once

#include <string_view>

namespace yura {

inline constexpr std::string_view kMsgRangeCheck = "Range check error";
inline constexpr std::string_view kMsgDivisionByZero = "Floating point division by zero";
inline constexpr std::string_view kMsgInvalidFloatOperation = "Invalid floating point operation";
inline constexpr std::string_view kMsgFloatOverflow = "Floating point overflow";
inline constexpr std::string_view kMsgIntegerDivisionByZero = "Division by zero";
inline constexpr std::string_view kMsgListIndex = "List index out of bounds (%s)";
inline constexpr std::string_view kMsgCannotOpenFile = "Cannot open file \"%s\"";

}  // namespace yura
