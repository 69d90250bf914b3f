#include "textutil/base64.h"

#include <array>
#include <cstdint>

namespace yura {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr int kPad = 64;
constexpr int kInvalid = -1;

// Each byte's six-bit value, kPad for "=", kInvalid for everything else.
constexpr std::array<int, 256> MakeDecodeTable() {
  std::array<int, 256> table{};
  for (int& v : table) v = kInvalid;
  for (int i = 0; i < 64; ++i) table[static_cast<unsigned char>(kAlphabet[i])] = i;
  table[static_cast<unsigned char>('=')] = kPad;
  return table;
}

constexpr std::array<int, 256> kDecode = MakeDecodeTable();

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::string Base64Encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t v = (static_cast<unsigned char>(bytes[i]) << 16) |
                            (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                            static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    std::uint32_t v = static_cast<unsigned char>(bytes[i]) << 16;
    if (rest == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::optional<std::string> Base64Decode(std::string_view text) {
  std::string out;
  out.reserve(text.size() / 4 * 3);
  std::size_t i = 0;
  bool padded = false;  // a group with padding was read: nothing may follow
  while (true) {
    while (i < text.size() && IsLineBreak(text[i])) ++i;
    if (i == text.size()) break;
    if (padded || text.size() - i < 4) return std::nullopt;
    int v[4];
    for (int k = 0; k < 4; ++k) {
      v[k] = kDecode[static_cast<unsigned char>(text[i + k])];
      if (v[k] == kInvalid) return std::nullopt;
    }
    i += 4;
    // Padding may fill the last one or two places only.
    if (v[0] == kPad || v[1] == kPad || (v[2] == kPad && v[3] != kPad)) return std::nullopt;
    const int used = v[2] == kPad ? 1 : v[3] == kPad ? 2 : 3;
    const std::uint32_t bits = (static_cast<std::uint32_t>(v[0]) << 18) | (static_cast<std::uint32_t>(v[1]) << 12) |
                               (static_cast<std::uint32_t>(used >= 2 ? v[2] : 0) << 6) |
                               static_cast<std::uint32_t>(used == 3 ? v[3] : 0);
    out += static_cast<char>((bits >> 16) & 0xFF);
    if (used >= 2) out += static_cast<char>((bits >> 8) & 0xFF);
    if (used == 3) out += static_cast<char>(bits & 0xFF);
    padded = used < 3;
  }
  return out;
}

}  // namespace yura
