#include "textutil/widthcase.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "source/sjis.h"

namespace yura {
namespace {

// One entry of a conversion: a code (a byte, or lead * 256 + trail) and its
// replacement, written as one byte when below 0x100 and else as two.
struct TCodeMap {
  std::uint16_t From;
  std::uint16_t To;
};

#include "textutil/widthcase_table.inc"

// The replacement of `code`, or 0 when the table has no entry.
std::uint16_t Find(std::span<const TCodeMap> table, unsigned code) {
  if (code < table.front().From || code > table.back().From) return 0;
  const auto it = std::lower_bound(table.begin(), table.end(), code,
                                   [](const TCodeMap& entry, unsigned c) { return entry.From < c; });
  return it != table.end() && it->From == code ? it->To : 0;
}

void Append(std::string& out, std::uint16_t replacement) {
  if (replacement > 0xFF) out += static_cast<char>(replacement >> 8);
  out += static_cast<char>(replacement & 0xFF);
}

// `composed`, when given, is tried first on a single-byte character and the
// byte after it. `growth` bounds the size of the result over the text's.
std::string MapEach(std::string_view text, std::span<const TCodeMap> table,
                    std::span<const TCodeMap> composed = {}, std::size_t growth = 1) {
  std::string out;
  out.reserve(text.size() * growth);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharLengthAt(text, i);
    const auto first = static_cast<unsigned char>(text[i]);
    if (length == 1 && !composed.empty() && i + 1 < text.size()) {
      const std::uint16_t pair = Find(composed, first << 8 | static_cast<unsigned char>(text[i + 1]));
      if (pair != 0) {
        Append(out, pair);
        i += 2;
        continue;
      }
    }
    const std::uint16_t replacement = Find(table, length == 2 ? DoubleByteCode(text, i) : first);
    if (replacement != 0) {
      Append(out, replacement);
    } else {
      out.append(text, i, length);
    }
    i += length;
  }
  return out;
}

}  // namespace

std::string MapHalfWidth(std::string_view text) { return MapEach(text, kHalfWidth); }

// One byte becomes at most two.
std::string MapFullWidth(std::string_view text) { return MapEach(text, kFullWidth, kFullWidthComposed, 2); }

std::string MapUpperCase(std::string_view text) { return MapEach(text, kUpperCase); }
std::string MapLowerCase(std::string_view text) { return MapEach(text, kLowerCase); }
std::string MapHiragana(std::string_view text) { return MapEach(text, kHiragana); }
std::string MapKatakana(std::string_view text) { return MapEach(text, kKatakana); }

}  // namespace yura
