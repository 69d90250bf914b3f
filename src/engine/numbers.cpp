#include "engine/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "source/halfwidth.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::size_t kNumberTextLimit = 254;

bool IsDigitByte(char c) { return c >= '0' && c <= '9'; }

std::optional<std::uint64_t> ParseHex(std::string_view digits) {
  if (digits.empty() || digits.size() > 16) return std::nullopt;
  std::uint64_t value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// The longest prefix of digits [. digits [E [sign] digits]] after an optional sign.
TNumber ParseDecimalPrefix(std::string_view s) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const std::size_t start = i;
  std::uint64_t whole = 0;
  while (i < s.size() && IsDigitByte(s[i])) whole = whole * 10 + static_cast<std::uint64_t>(s[i++] - '0');
  bool digits = i > start;
  const bool fraction = i + 1 < s.size() && s[i] == '.' && IsDigitByte(s[i + 1]);
  // Integers of up to 18 digits are exact in 64 bits: no general reading needed.
  if (digits && !fraction && i - start <= 18) {
    const auto value = static_cast<TNumber>(whole);
    return negative ? -value : value;
  }
  if (fraction) {
    i += 1;
    while (i < s.size() && IsDigitByte(s[i])) ++i;
    digits = true;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
      std::size_t k = i + 1;
      if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
      if (k < s.size() && IsDigitByte(s[k])) {
        while (k < s.size() && IsDigitByte(s[k])) ++k;
        i = k;
      }
    }
  } else if (i < s.size() && s[i] == '.' && i == start) {
    return 0;
  }
  if (!digits) return 0;
  TNumber value = 0;
  std::from_chars(s.data() + start, s.data() + i, value);
  return negative ? -value : value;
}

// The exponent form the runtime itself writes ("1E20", "-2E-7"): without a
// decimal point a general reading stops before the E, but a value written back
// by the runtime must read back as the same number.
bool IsWrittenExponentForm(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t digits = i;
  while (i < s.size() && IsDigitByte(s[i])) ++i;
  if (i == digits || i >= s.size() || s[i] != 'E') return false;
  ++i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t exponent = i;
  while (i < s.size() && IsDigitByte(s[i])) ++i;
  return i > exponent && i == s.size();
}

// Only plain ASCII with nothing to convert or remove takes the short way.
bool NeedsNormalising(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80 || c == ',') return true;
  return false;
}

// The common case: the whole text is a plain integer of up to 18 digits, which
// 64 bits hold exactly.
std::optional<TNumber> PlainInteger(std::string_view s) {
  const bool negative = !s.empty() && s[0] == '-';
  const std::size_t start = negative ? 1 : 0;
  if (s.size() <= start || s.size() - start > 18) return std::nullopt;
  std::uint64_t value = 0;
  for (std::size_t i = start; i < s.size(); ++i) {
    if (!IsDigitByte(s[i])) return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(s[i] - '0');
  }
  const auto number = static_cast<TNumber>(value);
  return negative ? -number : number;
}

}  // namespace

TNumber ToNumber(std::string_view text) {
  if (const auto plain = PlainInteger(text)) return *plain;
  std::string_view s = Trim(text);
  if (s.empty()) return 0;
  std::string normalised;
  if (s.size() > kNumberTextLimit || NeedsNormalising(s)) {
    normalised = ToHalfWidth(s.substr(0, kNumberTextLimit));
    std::erase(normalised, ',');
    s = Trim(normalised);
  }
  while (!s.empty() && (s[0] == ' ' || s[0] == '\t')) s.remove_prefix(1);
  if (!s.empty() && s[0] == '$') {
    const auto value = ParseHex(s.substr(1));
    return value ? static_cast<TNumber>(static_cast<std::int64_t>(*value)) : 0;
  }
  if (IsWrittenExponentForm(s)) {
    TNumber value = 0;
    const std::size_t start = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    std::from_chars(s.data() + start, s.data() + s.size(), value);
    return s[0] == '-' ? -value : value;
  }
  return ParseDecimalPrefix(s);
}

std::string NumberText(TNumber value) {
  // Integers below 10^15 are written directly (zero of either sign as "0";
  // NaN and the infinities fail the range test).
  if (IsWrittenExactly(value)) {
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value));
    return std::string(digits, end);
  }
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));  // -d.ddddddddddddddde±xx
  const bool negative = text[0] == '-';
  const std::size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(negative ? 1 : 0, e - (negative ? 1 : 0)))
    if (c != '.') digits += c;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent);

  std::string out = negative ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  } else {
    const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      out += digits + std::string(whole - digits.size(), '0');
    } else {
      out += digits.substr(0, whole) + "." + digits.substr(whole);
    }
  }
  return out;
}

bool IsPlainDecimal(std::string_view s) {
  std::size_t i = !s.empty() && s[0] == '-' ? 1 : 0;
  const std::size_t start = i;
  while (i < s.size() && IsDigitByte(s[i])) ++i;
  if (i == start) return false;
  if (i == s.size()) return true;
  if (s[i] != '.' || ++i == s.size()) return false;
  while (i < s.size() && IsDigitByte(s[i])) ++i;
  return i == s.size();
}

TNumber ReadBackNumber(TNumber value, bool& plain) {
  if (IsWrittenExactly(value)) {
    plain = true;
    return value;
  }
  const std::string text = NumberText(value);
  plain = IsPlainDecimal(text);
  return ToNumber(text);
}

const THashNode::TNumberReading& NumberReadingOf(const THashNode& node) {
  THashNode::TNumberReading& reading = node.Reading;
  if (reading.Version != node.ValueVersion()) {
    const std::string_view value = node.ValueView();
    reading.Number = ToNumber(value);
    reading.Plain = IsPlainDecimal(value);
    reading.Version = node.ValueVersion();
  }
  return reading;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  std::string_view s = Trim(text);
  if (s.empty()) return std::nullopt;
  if (s[0] == '$') {
    const auto value = ParseHex(s.substr(1));
    if (!value) return std::nullopt;
    return static_cast<std::int64_t>(*value);
  }
  if (s[0] == '+') s.remove_prefix(1);
  std::int64_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

// A conversion truncates toward zero itself; the range is tested on the value,
// which truncates into it exactly when it is above min - 1 and below max + 1.
std::optional<std::int32_t> TruncateToInt32(TNumber value) {
  if (!(value > -2147483649.0L && value < 2147483648.0L)) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<std::int64_t> TruncateToInt64(TNumber value) {
  // From 2^63 on, extended precision holds no fraction: the valid values are
  // [-2^63, 2^63), and NaN fails the test.
  if (!(value >= -9223372036854775808.0L && value < 9223372036854775808.0L)) return std::nullopt;
  return static_cast<std::int64_t>(value);
}

}  // namespace yura
