#include "commands/strings/textformat.h"

#include <charconv>
#include <cmath>

namespace yura {
namespace {

constexpr std::string_view kCurrencySymbol = "￥";

std::string Fixed(TNumber value, int decimals) {
  char buffer[512];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (ec != std::errc()) return NumberText(value);
  return std::string(buffer, end);
}

// Scientific with a signed three-digit exponent: 1.50000000000000E+000.
std::string Scientific(TNumber value, int digits) {
  char buffer[128];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                 std::max(0, digits - 1));
  std::string text(buffer, end);
  const std::size_t e = text.find('e');
  if (e == std::string::npos) return text;
  const char sign = text[e + 1];
  std::string exponent = text.substr(e + 2);
  while (exponent.size() < 3) exponent = "0" + exponent;
  return text.substr(0, e) + "E" + sign + exponent;
}

// Digits and a decimal part with thousands separators in the whole part.
std::string WithGroups(const std::string& fixed) {
  const bool negative = !fixed.empty() && fixed[0] == '-';
  const std::string body = negative ? fixed.substr(1) : fixed;
  const std::size_t dot = body.find('.');
  std::string out = GroupThousands(body.substr(0, dot));
  if (dot != std::string::npos) out += body.substr(dot);
  return negative ? "-" + out : out;
}

}  // namespace

std::string GroupThousands(std::string_view digits) {
  std::string out;
  const std::size_t n = digits.size();
  for (std::size_t i = 0; i < n; ++i) {
    out += digits[i];
    if ((n - i - 1) % 3 == 0 && i + 1 < n) out += ',';
  }
  return out;
}

std::optional<std::string> FormatWithArgument(std::string_view format, const TFormatArgument& argument) {
  std::string out;
  bool used = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (++i >= format.size()) return std::nullopt;
    if (format[i] == '%') {
      out += '%';
      continue;
    }
    // %[index:][-][width][.precision]type
    std::size_t k = i;
    while (k < format.size() && format[k] >= '0' && format[k] <= '9') ++k;
    if (k < format.size() && format[k] == ':') {
      if (format.substr(i, k - i) != "0" && k != i) return std::nullopt;
      i = k + 1;
    }
    bool left = false;
    if (i < format.size() && format[i] == '-') left = true, ++i;
    int width = 0, precision = -1;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') width = width * 10 + (format[i++] - '0');
    if (i < format.size() && format[i] == '.') {
      precision = 0;
      ++i;
      while (i < format.size() && format[i] >= '0' && format[i] <= '9') precision = precision * 10 + (format[i++] - '0');
    }
    if (i >= format.size() || width > 4096 || precision > 4096) return std::nullopt;
    if (used) return std::nullopt;  // one argument only
    used = true;
    const char type = static_cast<char>(format[i] >= 'A' && format[i] <= 'Z' ? format[i] - 'A' + 'a' : format[i]);
    const bool isFloat = argument.Kind == TFormatArgument::TKind::Float;
    const bool isInteger = argument.Kind == TFormatArgument::TKind::Integer;
    std::string piece;
    switch (type) {
      case 'd':
      case 'u':
      case 'x': {
        if (!isInteger) return std::nullopt;
        long long value = argument.Integer;
        if (type == 'u' && value < 0) value = static_cast<long long>(static_cast<unsigned int>(value));
        const bool negative = value < 0;
        std::string digits;
        if (type == 'x') {
          char buffer[32];
          auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<unsigned long long>(value), 16);
          digits.assign(buffer, end);
          for (char& c : digits)
            if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
        } else {
          digits = std::to_string(negative ? -(value + 1) + 1ULL : static_cast<unsigned long long>(value));
        }
        if (precision > 0 && static_cast<int>(digits.size()) < precision)
          digits = std::string(static_cast<std::size_t>(precision) - digits.size(), '0') + digits;
        piece = (negative && type != 'x' ? "-" : "") + digits;
        break;
      }
      case 'e':
        if (!isFloat) return std::nullopt;
        piece = Scientific(argument.Float, precision < 0 ? 15 : std::max(1, precision));
        break;
      case 'f':
        if (!isFloat) return std::nullopt;
        piece = Fixed(argument.Float, precision < 0 ? 2 : precision);
        break;
      case 'g':
        if (!isFloat) return std::nullopt;
        piece = NumberText(argument.Float);
        break;
      case 'n':
        if (!isFloat) return std::nullopt;
        piece = WithGroups(Fixed(argument.Float, precision < 0 ? 2 : precision));
        break;
      case 'm': {
        if (!isFloat) return std::nullopt;
        const std::string amount = WithGroups(Fixed(std::fabs(argument.Float), precision < 0 ? 0 : precision));
        piece = (argument.Float < 0 ? "-" : "") + std::string(kCurrencySymbol) + amount;
        break;
      }
      case 's':
        if (argument.Kind != TFormatArgument::TKind::Text) return std::nullopt;
        piece = argument.Text;
        if (precision >= 0 && static_cast<std::size_t>(precision) < piece.size()) piece.resize(static_cast<std::size_t>(precision));
        break;
      default:
        return std::nullopt;
    }
    if (static_cast<int>(piece.size()) < width) {
      const std::string padding(static_cast<std::size_t>(width) - piece.size(), ' ');
      piece = left ? piece + padding : padding + piece;
    }
    out += piece;
  }
  return out;
}

}  // namespace yura
