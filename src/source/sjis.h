// Shift_JIS character walking on script bytes. Never locale-dependent.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace yura {

// A lead byte of code page 932: it and the byte after it form one character.
constexpr bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsLeadByte(char c) { return IsLeadByte(static_cast<unsigned char>(c)); }

// Length of the character at `i` (1 or 2): a lead byte that is the last byte
// of the text stands alone.
constexpr std::size_t CharLengthAt(std::string_view s, std::size_t i) {
  return (IsLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
}

// Same test on a zero-terminated text: a lead byte before the terminator
// stands alone.
// The longest prefix of at most `limit` bytes that ends on a character
// boundary.
constexpr std::string_view CutToBytes(std::string_view s, std::size_t limit) {
  std::size_t end = 0;
  while (end < s.size() && end + CharLengthAt(s, end) <= limit) end += CharLengthAt(s, end);
  return s.substr(0, end);
}

constexpr std::size_t CharLengthAt(const char* p) { return (IsLeadByte(p[0]) && p[1] != '\0') ? 2 : 1; }

// The code of a double-byte character (lead * 256 + trail).
constexpr unsigned DoubleByteCode(std::string_view s, std::size_t i) {
  return (static_cast<unsigned char>(s[i]) << 8) | static_cast<unsigned char>(s[i + 1]);
}


// The segments of a "\"-separated path (tree nodes, menu paths); a 0x5C
// trail byte is no separator, and a trailing separator adds no segment.
std::vector<std::string_view> PathSegments(std::string_view path);

// True when the byte at `index` starts a character of `s`.
bool IsCharBoundary(std::string_view s, std::size_t index);

// True when `s` ends with `suffix` and the suffix starts on a character
// boundary of `s` (so a trail byte never counts as the start of a match).
// Inline: the executor asks it of every word.
inline bool EndsWithChars(std::string_view s, std::string_view suffix) {
  if (suffix.size() > s.size()) return false;
  const std::size_t start = s.size() - suffix.size();
  for (std::size_t i = 0; i < suffix.size(); ++i)
    if (s[start + i] != suffix[i]) return false;
  return IsCharBoundary(s, start);
}

}  // namespace yura
