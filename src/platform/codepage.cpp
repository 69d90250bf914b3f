#include "platform/codepage.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <vector>

namespace yura {
namespace {

constexpr char32_t kNoChar = 0xFFFFFFFF;
constexpr std::uint16_t kNoCode = 0xFFFF;
constexpr char32_t kEscapeBase = 0xDC00;  // U+DC80..U+DCFF carry undecodable bytes

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The mapping is read once from glibc's "CP932" converter (never "SHIFT_JIS",
// which turns 0x5C into the yen sign) and then used from plain tables.
class TCodeTables {
 public:
  TCodeTables() : pair_(0x10000, kNoChar), encode_(0x10000, kNoCode) {
    single_.fill(kNoChar);
    iconv_t decoder = iconv_open("UTF-32LE", "CP932");
    iconv_t encoder = iconv_open("CP932", "UTF-32LE");
    if (decoder == reinterpret_cast<iconv_t>(-1) || encoder == reinterpret_cast<iconv_t>(-1)) {
      // Without the converter only ASCII is known; everything else is escaped.
      for (int b = 0; b < 0x80; ++b) Learn(static_cast<std::uint16_t>(b), static_cast<char32_t>(b), nullptr);
      return;
    }
    for (int b = 0; b < 0x100; ++b) {
      if (IsLead(static_cast<unsigned char>(b))) continue;
      const unsigned char in[1] = {static_cast<unsigned char>(b)};
      char32_t cp = Decode(decoder, in, 1);
      if (cp != kNoChar) single_[b] = cp;
    }
    for (int lead = 0x81; lead <= 0xFC; ++lead)
      if (IsLead(static_cast<unsigned char>(lead))) DecodeRow(decoder, static_cast<unsigned char>(lead));
    // Every code point learns its canonical code, in the order of the codes:
    // single bytes first, then pairs.
    std::vector<std::pair<char32_t, std::uint16_t>> firsts;
    std::vector<bool> seen(0x10000, false);
    auto note = [&](std::uint16_t code, char32_t cp) {
      if (cp == kNoChar || cp >= 0x10000 || seen[cp]) return;
      seen[cp] = true;
      firsts.emplace_back(cp, code);
    };
    for (int b = 0; b < 0x100; ++b) note(static_cast<std::uint16_t>(b), single_[b]);
    for (int code = 0; code < 0x10000; ++code) note(static_cast<std::uint16_t>(code), pair_[code]);
    EncodeAll(encoder, firsts);
    iconv_close(decoder);
    iconv_close(encoder);
  }

  char32_t Single(unsigned char b) const { return single_[b]; }
  char32_t Pair(unsigned char lead, unsigned char trail) const { return pair_[(lead << 8) | trail]; }
  std::uint16_t Encode(char32_t cp) const { return cp < 0x10000 ? encode_[cp] : kNoCode; }

 private:
  // The pairs of one lead byte, read in as few converter calls as the
  // undefined pairs among them allow.
  void DecodeRow(iconv_t decoder, unsigned char lead) {
    std::array<unsigned char, 2 * 189> in{};
    std::array<unsigned char, 189> trails{};
    std::size_t count = 0;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      in[2 * count] = lead;
      in[2 * count + 1] = static_cast<unsigned char>(trail);
      trails[count++] = static_cast<unsigned char>(trail);
    }
    std::array<char, 4 * 189> out{};
    for (std::size_t k = 0; k < count;) {
      char* inPtr = reinterpret_cast<char*>(in.data() + 2 * k);
      std::size_t inLeft = 2 * (count - k);
      char* outPtr = out.data();
      std::size_t outLeft = out.size();
      iconv(decoder, nullptr, nullptr, nullptr, nullptr);
      const bool failed = iconv(decoder, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1);
      const auto consumed = static_cast<std::size_t>(inPtr - reinterpret_cast<char*>(in.data() + 2 * k));
      const auto produced = static_cast<std::size_t>(outPtr - out.data());
      if (consumed % 2 != 0 || produced != 2 * consumed) {
        // Not one character for every pair: each pair on its own.
        for (; k < count; ++k) {
          const char32_t cp = Decode(decoder, in.data() + 2 * k, 2);
          if (cp != kNoChar) pair_[(lead << 8) | trails[k]] = cp;
        }
        return;
      }
      for (std::size_t i = 0; i < consumed / 2; ++i) pair_[(lead << 8) | trails[k + i]] = CodePointAt(out.data() + 4 * i);
      k += consumed / 2;
      if (failed) ++k;  // an undefined pair
    }
  }

  // Learns the canonical code of every code point in as few converter calls
  // as the code points without one allow.
  void EncodeAll(iconv_t encoder, const std::vector<std::pair<char32_t, std::uint16_t>>& firsts) {
    std::vector<unsigned char> in(4 * firsts.size());
    for (std::size_t i = 0; i < firsts.size(); ++i) {
      const char32_t cp = firsts[i].first;
      in[4 * i] = static_cast<unsigned char>(cp & 0xFF);
      in[4 * i + 1] = static_cast<unsigned char>((cp >> 8) & 0xFF);
      in[4 * i + 2] = static_cast<unsigned char>((cp >> 16) & 0xFF);
    }
    std::vector<char> out(2 * firsts.size() + 8);
    for (std::size_t k = 0; k < firsts.size();) {
      char* inPtr = reinterpret_cast<char*>(in.data() + 4 * k);
      std::size_t inLeft = 4 * (firsts.size() - k);
      char* outPtr = out.data();
      std::size_t outLeft = out.size();
      iconv(encoder, nullptr, nullptr, nullptr, nullptr);
      const bool failed = iconv(encoder, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1);
      const auto consumed = static_cast<std::size_t>(inPtr - reinterpret_cast<char*>(in.data() + 4 * k)) / 4;
      // The codes written, one per code point: a lead byte takes its trail.
      std::vector<std::uint16_t> codes;
      const auto* bytes = reinterpret_cast<const unsigned char*>(out.data());
      const auto produced = static_cast<std::size_t>(outPtr - out.data());
      for (std::size_t i = 0; i < produced;) {
        if (IsLead(bytes[i]) && i + 1 < produced) {
          codes.push_back(static_cast<std::uint16_t>((bytes[i] << 8) | bytes[i + 1]));
          i += 2;
        } else {
          codes.push_back(bytes[i++]);
        }
      }
      if (codes.size() != consumed) {
        for (; k < firsts.size(); ++k) Learn(static_cast<std::uint16_t>(firsts[k].second), firsts[k].first, encoder);
        return;
      }
      for (std::size_t i = 0; i < consumed; ++i) encode_[firsts[k + i].first] = codes[i];
      k += consumed;
      if (failed) {
        // No code of the converter's own: the code it was read from.
        encode_[firsts[k].first] = firsts[k].second;
        ++k;
      }
    }
  }

  static char32_t CodePointAt(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<char32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24));
  }

  static char32_t Decode(iconv_t cd, const unsigned char* in, std::size_t length) {
    char buffer[8];
    char* inPtr = const_cast<char*>(reinterpret_cast<const char*>(in));
    char* outPtr = buffer;
    std::size_t inLeft = length, outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
        outPtr - buffer != 4)
      return kNoChar;
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer);
    const std::uint32_t cp = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<char32_t>(cp);
  }

  // Records `code` as the form of `cp` unless the converter names another
  // (canonical) code for it.
  void Learn(std::uint16_t code, char32_t cp, iconv_t encoder) {
    if (cp >= 0x10000 || encode_[cp] != kNoCode) return;
    if (encoder == nullptr) {
      encode_[cp] = code;
      return;
    }
    unsigned char in[4] = {static_cast<unsigned char>(cp & 0xFF), static_cast<unsigned char>((cp >> 8) & 0xFF),
                           static_cast<unsigned char>((cp >> 16) & 0xFF), 0};
    char out[4];
    char* inPtr = reinterpret_cast<char*>(in);
    char* outPtr = out;
    std::size_t inLeft = 4, outLeft = sizeof out;
    iconv(encoder, nullptr, nullptr, nullptr, nullptr);
    if (iconv(encoder, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
      encode_[cp] = code;
      return;
    }
    const std::size_t produced = static_cast<std::size_t>(outPtr - out);
    if (produced == 1)
      encode_[cp] = static_cast<unsigned char>(out[0]);
    else if (produced == 2)
      encode_[cp] = static_cast<std::uint16_t>((static_cast<unsigned char>(out[0]) << 8) |
                                               static_cast<unsigned char>(out[1]));
    else
      encode_[cp] = code;
  }

  std::array<char32_t, 256> single_{};
  std::vector<char32_t> pair_;
  std::vector<std::uint16_t> encode_;
};

const TCodeTables& Tables() {
  static const TCodeTables tables;
  return tables;
}

// Calls `emit` with the code point of every character of a Shift_JIS text.
// ASCII is itself in code page 932, so a text of ASCII alone never needs the
// tables (nor their building at start-up).
template <typename Emit>
void WalkSjis(std::string_view sjis, Emit emit) {
  const TCodeTables* tables = nullptr;
  const std::size_t n = sjis.size();
  for (std::size_t i = 0; i < n;) {
    const auto b = static_cast<unsigned char>(sjis[i]);
    if (b < 0x80) {
      emit(b);
      ++i;
      continue;
    }
    if (tables == nullptr) tables = &Tables();
    const TCodeTables& t = *tables;
    if (IsLead(b) && i + 1 < n) {
      char32_t cp = t.Pair(b, static_cast<unsigned char>(sjis[i + 1]));
      if (cp != kNoChar) {
        emit(cp);
        i += 2;
        continue;
      }
    }
    char32_t cp = IsLead(b) ? kNoChar : t.Single(b);
    emit(cp != kNoChar ? cp : kEscapeBase + b);
    ++i;
  }
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Reads one UTF-8 character at `i`. Returns its length, or 0 when the bytes
// there are not a well-formed character. Surrogates are accepted only when
// `allowSurrogates` is set.
std::size_t ReadUtf8(std::string_view s, std::size_t i, char32_t& cp, bool allowSurrogates) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  std::size_t length;
  char32_t minimum;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2, minimum = 0x80, cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3, minimum = 0x800, cp = b0 & 0x0F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4, minimum = 0x10000, cp = b0 & 0x07;
  } else {
    return 0;
  }
  if (i + length > s.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF) return 0;
  if (cp >= 0xD800 && cp <= 0xDFFF && !allowSurrogates) return 0;
  return length;
}

// Appends the Shift_JIS form of one code point; false when it has none.
bool AppendSjis(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
    return true;
  }
  if (cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF) {
    out += static_cast<char>(cp - kEscapeBase);
    return true;
  }
  const std::uint16_t code = Tables().Encode(cp);
  if (code == kNoCode) return false;
  if (code > 0xFF) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
  return true;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() + sjis.size() / 2);
  WalkSjis(sjis, [&](char32_t cp) { AppendUtf8(out, cp); });
  return out;
}

std::u16string SjisToUtf16(std::string_view sjis) {
  std::u16string out;
  out.reserve(sjis.size());
  WalkSjis(sjis, [&](char32_t cp) { out += static_cast<char16_t>(cp); });  // code page 932 is inside the BMP
  return out;
}

std::string Utf8ToSjis(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp;
    std::size_t length = ReadUtf8(utf8, i, cp, true);
    if (length == 0) {
      out += utf8[i++];
      continue;
    }
    if (!AppendSjis(out, cp)) out += '?';
    i += length;
  }
  return out;
}

std::string Utf16ToSjis(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 2);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    }
    if (!AppendSjis(out, cp)) out += '?';
  }
  return out;
}

bool Utf8ToSjisStrict(std::string_view utf8, std::string& out, TStrictFailure& failure) {
  out.clear();
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t cp;
    std::size_t length = ReadUtf8(utf8, i, cp, false);
    if (length == 0 || !AppendSjis(out, cp)) {
      failure.Offset = i;
      failure.CodePoint = length == 0 ? static_cast<unsigned char>(utf8[i]) : cp;
      return false;
    }
    i += length;
  }
  return true;
}

bool IsStrictUtf8(std::string_view text, bool& hasMultibyte) {
  hasMultibyte = false;
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp;
    std::size_t length = ReadUtf8(text, i, cp, false);
    if (length == 0) return false;
    if (length > 1) hasMultibyte = true;
    i += length;
  }
  return true;
}

}  // namespace yura
