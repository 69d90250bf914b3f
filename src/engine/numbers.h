// How texts are read as numbers and how numbers are written back as texts.
// Numbers are extended-precision floating point; the text form is the
// shortest one with up to 15 significant digits, never locale-dependent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/hash.h"

namespace yura {

// The numeric reading of a text: trimmed, full-width digits made half-width,
// commas removed; "$" starts a hexadecimal integer; otherwise the longest
// numeric prefix counts (12円 -> 12, 1e3 -> 1, 1.5e3 -> 1500); nothing -> 0.
TNumber ToNumber(std::string_view text);

// "1", "0.5", "1E20", "-1.5E-7", "INF", "NAN".
std::string NumberText(TNumber value);

// Whether NumberText writes the value as its plain digits: a whole number of
// at most 15 digits, which reads back as itself.
inline bool IsWrittenExactly(TNumber value) {
  return value > -1e15L && value < 1e15L && static_cast<TNumber>(static_cast<long long>(value)) == value;
}

// The number as it reads back once written as text (15 significant digits;
// the infinities and NaN read back as 0); `plain` tells whether that text is
// a plain decimal.
TNumber ReadBackNumber(TNumber value, bool& plain);

// Whether the text is a plain decimal: an optional "-", digits, and an
// optional "." with digits.
bool IsPlainDecimal(std::string_view text);

// The numeric reading of a word's value, kept with the word until the value
// changes.
const THashNode::TNumberReading& NumberReadingOf(const THashNode& node);

// A whole text that is an integer in decimal (optional sign) or "$" hex,
// for the places that read "an integer, else -1".
std::optional<std::int64_t> ParseInteger(std::string_view text);

// Truncation toward zero into 32 or 64 bits; nothing when out of range or
// not finite.
std::optional<std::int32_t> TruncateToInt32(TNumber value);
std::optional<std::int64_t> TruncateToInt64(TNumber value);

}  // namespace yura
