// 指定形式に変換's own formatter: the platform's printf-style format with one
// argument, parsed here so that no script text ever reaches printf.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/numbers.h"

namespace yura {

// The argument as the format receives it: a number, an integer or a text.
struct TFormatArgument {
  enum class TKind { Float, Integer, Text } Kind;
  TNumber Float = 0;
  long long Integer = 0;
  std::string Text;
};

// Nothing when the format does not fit its argument or is malformed.
std::optional<std::string> FormatWithArgument(std::string_view format, const TFormatArgument& argument);

// "1,234,567" for the digits of a whole number (sign kept in front).
std::string GroupThousands(std::string_view digits);

}  // namespace yura
