#include "textutil/jcode.h"

#include <cstdint>

#include "source/sjis.h"
#include "textutil/base64.h"

namespace yura {

namespace {

constexpr char kEsc = '\x1B';
constexpr std::string_view kEnterDoubleByte = "\x1B$B";
constexpr std::string_view kLeaveDoubleByte = "\x1B(J";
constexpr std::string_view kHeaderMarker = "=?ISO-2022-JP?B?";
constexpr std::string_view kHeaderEnd = "?=";

// JIS codes are row byte * 256 + cell byte.
constexpr unsigned kGeta = 0x222E;  // 〓

unsigned ByteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

constexpr bool InRange(unsigned b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; }
constexpr bool IsJisByte(unsigned b) { return InRange(b, 0x21, 0x7E); }

void PutByte(std::string& out, unsigned b) { out += static_cast<char>(static_cast<unsigned char>(b & 0xFF)); }

// ---------------------------------------------------------------------------
// Double-byte arithmetic

struct TBytePair {
  unsigned First, Second;
};

// JIS row and cell bytes to Shift_JIS lead and trail bytes.
constexpr TBytePair JisToSjisPair(unsigned row, unsigned cell) {
  const unsigned lead = ((row + 1) / 2) + (row <= 0x5E ? 0x70 : 0xB0);
  unsigned trail;
  if (row % 2 == 1)
    trail = cell < 0x60 ? cell + 0x1F : cell + 0x20;
  else
    trail = cell + 0x7E;
  return {lead & 0xFF, trail & 0xFF};
}

// Shift_JIS lead and trail bytes to JIS row and cell bytes. The lead must be
// a lead byte; a trail outside the trail ranges, or a lead past row 94,
// gives bytes outside 0x21-0x7E (kept to the low eight bits).
constexpr TBytePair SjisToJisPair(unsigned lead, unsigned trail) {
  int row = 2 * (static_cast<int>(lead) - (lead < 0xA0 ? 0x70 : 0xB0));
  if (trail <= 0x9E) --row;
  int cell;
  if (trail < 0x80)
    cell = static_cast<int>(trail) - 0x1F;
  else if (trail <= 0x9E)
    cell = static_cast<int>(trail) - 0x20;
  else
    cell = static_cast<int>(trail) - 0x7E;
  return {static_cast<unsigned>(row) & 0xFF, static_cast<unsigned>(cell) & 0xFF};
}

// ---------------------------------------------------------------------------
// The JIS X 0208 repertoire

// Rows 1, 16-46 and 48-83 are full; these are the assigned cells of the
// others (1-based row and cell numbers). Rows 9-15 and 85-94 are empty.
struct TCellRange {
  unsigned char Row, First, Last;
};
constexpr TCellRange kPartialRows[] = {
    {2, 1, 14},  {2, 26, 33}, {2, 42, 48}, {2, 60, 74}, {2, 82, 89}, {2, 94, 94}, {3, 16, 25},
    {3, 33, 58}, {3, 65, 90}, {4, 1, 83},  {5, 1, 86},  {6, 1, 24},  {6, 33, 56}, {7, 1, 33},
    {7, 49, 81}, {8, 1, 32},  {47, 1, 51}, {84, 1, 6},
};

bool IsJis0208(unsigned rowByte, unsigned cellByte) {
  if (!IsJisByte(rowByte) || !IsJisByte(cellByte)) return false;
  const unsigned row = rowByte - 0x20, cell = cellByte - 0x20;
  if (row == 1 || InRange(row, 16, 46) || InRange(row, 48, 83)) return true;
  for (const TCellRange& r : kPartialRows)
    if (r.Row == row && InRange(cell, r.First, r.Last)) return true;
  return false;
}

// Code page characters outside JIS X 0208 that are the same character as
// one inside it (code page code, code of the twin).
struct TTwin {
  std::uint16_t Code, Twin;
};
constexpr TTwin kTwins[] = {
    {0x8790, 0x81E0},  // ≒
    {0x8791, 0x81DF},  // ≡
    {0x8792, 0x81E7},  // ∫
    {0x8795, 0x81E3},  // √
    {0x8796, 0x81DB},  // ⊥
    {0x8797, 0x81DA},  // ∠
    {0x879A, 0x81E6},  // ∵
    {0x879B, 0x81BF},  // ∩
    {0x879C, 0x81BE},  // ∪
    {0xEEF9, 0x81CA},  // ¬
    {0xFA54, 0x81CA},  // ¬
    {0xFA5B, 0x81E6},  // ∵
};

unsigned JisCode(TBytePair p) { return (p.First << 8) | p.Second; }

// The JIS X 0208 character written for the Shift_JIS pair: the pair's own
// JIS code, its twin, or the geta mark.
unsigned Jis0208ForSjis(unsigned lead, unsigned trail) {
  // The arithmetic would fold trail 0x7F onto 0x80: check the trail first.
  if (!InRange(trail, 0x40, 0x7E) && !InRange(trail, 0x80, 0xFC)) return kGeta;
  const TBytePair jis = SjisToJisPair(lead, trail);
  if (IsJis0208(jis.First, jis.Second)) return JisCode(jis);
  const unsigned code = (lead << 8) | trail;
  for (const TTwin& t : kTwins)
    if (t.Code == code) return JisCode(SjisToJisPair(t.Twin >> 8, t.Twin & 0xFF));
  return kGeta;
}

// The same for a JIS row and cell (from EUC without the top bits).
unsigned Jis0208ForJis(unsigned row, unsigned cell) {
  if (IsJis0208(row, cell)) return (row << 8) | cell;
  if (!IsJisByte(row) || !IsJisByte(cell)) return kGeta;
  const TBytePair sjis = JisToSjisPair(row, cell);
  return Jis0208ForSjis(sjis.First, sjis.Second);
}

// ---------------------------------------------------------------------------
// Half-width katakana

// JIS X 0208 codes of the JIS X 0201 katakana 0xA1-0xDF.
constexpr std::uint16_t kFullWidthKana[0xDF - 0xA1 + 1] = {
    0x2123, 0x2156, 0x2157, 0x2122, 0x2126, 0x2572, 0x2521, 0x2523,  // ｡｢｣､･ｦｧｨ
    0x2525, 0x2527, 0x2529, 0x2563, 0x2565, 0x2567, 0x2543, 0x213C,  // ｩｪｫｬｭｮｯｰ
    0x2522, 0x2524, 0x2526, 0x2528, 0x252A, 0x252B, 0x252D, 0x252F,  // ｱｲｳｴｵｶｷｸ
    0x2531, 0x2533, 0x2535, 0x2537, 0x2539, 0x253B, 0x253D, 0x253F,  // ｹｺｻｼｽｾｿﾀ
    0x2541, 0x2544, 0x2546, 0x2548, 0x254A, 0x254B, 0x254C, 0x254D,  // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x254E, 0x254F, 0x2552, 0x2555, 0x2558, 0x255B, 0x255E, 0x255F,  // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x2560, 0x2561, 0x2562, 0x2564, 0x2566, 0x2568, 0x2569, 0x256A,  // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x256B, 0x256C, 0x256D, 0x256F, 0x2573, 0x212B, 0x212C,          // ﾙﾚﾛﾜﾝﾞﾟ
};

constexpr unsigned kHalfVoiced = 0xDE;      // ﾞ
constexpr unsigned kHalfSemiVoiced = 0xDF;  // ﾟ
constexpr unsigned kHalfU = 0xB3;           // ｳ
constexpr unsigned kJisVu = 0x2574;         // ヴ

constexpr bool IsHalfWidthKana(unsigned b) { return InRange(b, 0xA1, 0xDF); }

// The full-width form of half-width kana `kana`, composed with `mark` (the
// half-width kana after it, 0 when there is none) when the pair has a
// single voiced or semi-voiced kana; `usedMark` tells whether it did.
unsigned FullWidthKana(unsigned kana, unsigned mark, bool& usedMark) {
  const unsigned plain = kFullWidthKana[kana - 0xA1];
  usedMark = true;
  if (mark == kHalfVoiced) {
    if (kana == kHalfU) return kJisVu;
    if (InRange(kana, 0xB6, 0xC4) || InRange(kana, 0xCA, 0xCE)) return plain + 1;  // ｶ-ﾄ, ﾊ-ﾎ
  } else if (mark == kHalfSemiVoiced) {
    if (InRange(kana, 0xCA, 0xCE)) return plain + 2;  // ﾊ-ﾎ
  }
  usedMark = false;
  return plain;
}

// ---------------------------------------------------------------------------
// JIS output

class TJisWriter {
 public:
  explicit TJisWriter(std::size_t expected) { out_.reserve(expected + expected / 2); }

  void DoubleByte(unsigned code) {
    if (!doubleByte_) {
      out_ += kEnterDoubleByte;
      doubleByte_ = true;
    }
    PutByte(out_, code >> 8);
    PutByte(out_, code);
  }

  void SingleByte(char c) {
    Leave();
    out_ += c;
  }

  std::string Finish() {
    Leave();
    return std::move(out_);
  }

 private:
  void Leave() {
    if (doubleByte_) {
      out_ += kLeaveDoubleByte;
      doubleByte_ = false;
    }
  }

  std::string out_;
  bool doubleByte_ = false;
};

// JIS input: an escape that switches the mode at `i`, or nothing.
enum class TEscape { None, Enter, Leave };

TEscape EscapeAt(std::string_view s, std::size_t i) {
  if (s[i] != kEsc || i + 2 >= s.size()) return TEscape::None;
  if (s[i + 1] == '$') return TEscape::Enter;
  if (s[i + 1] == '(') return TEscape::Leave;
  return TEscape::None;
}

bool IsBinaryByte(unsigned b) { return b <= 0x07 || b == 0xFF; }

bool EqualsIgnoringAsciiCaseAt(std::string_view s, std::size_t at, std::string_view word) {
  if (s.size() - at < word.size()) return false;
  for (std::size_t k = 0; k < word.size(); ++k) {
    char a = s[at + k], b = word[k];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    if (a != b) return false;
  }
  return true;
}

std::size_t FindIgnoringAsciiCase(std::string_view s, std::string_view word, std::size_t from) {
  for (std::size_t i = from; i + word.size() <= s.size(); ++i)
    if (EqualsIgnoringAsciiCaseAt(s, i, word)) return i;
  return std::string_view::npos;
}

}  // namespace

// ---------------------------------------------------------------------------
// Detection

int DetectJCode(std::string_view s) {
  const std::size_t n = s.size();
  // A binary byte near the start wins over everything.
  for (std::size_t i = 1; i <= 512 && i + 1 < n; ++i)
    if (IsBinaryByte(ByteAt(s, i))) return jcBinary;

  int code = jcAscii;
  std::size_t i = 0;
  // The last byte is never looked at on its own, so every byte consumed
  // together with the current one below exists.
  while (i + 1 < n && (code == jcAscii || code == jcEucOrSjis)) {
    const unsigned c = ByteAt(s, i);
    const unsigned next = ByteAt(s, i + 1);
    if (IsBinaryByte(c)) {
      code = jcBinary;
    } else if (c == 0x1B) {
      if (next == '$') {
        if (i + 2 < n) {
          if (ByteAt(s, i + 2) == 'B')
            code = jcJisNew;
          else if (ByteAt(s, i + 2) == 0x40)
            code = jcJisOld;
        }
        i += 3;
        continue;
      }
    } else if (InRange(c, 0x81, 0x8D) || InRange(c, 0x8F, 0x9F)) {
      code = jcSjis;
    } else if (c == 0x8E) {
      if (InRange(next, 0x40, 0x7E) || InRange(next, 0x80, 0xA0) || InRange(next, 0xE0, 0xFC))
        code = jcSjis;
      else if (IsHalfWidthKana(next))
        code = jcEucOrSjis;
      i += 2;
      continue;
    } else if (InRange(c, 0xF0, 0xFE)) {
      code = jcEuc;
    } else if (InRange(c, 0xE0, 0xEF)) {
      if (InRange(next, 0x40, 0x7E) || InRange(next, 0x80, 0xA0))
        code = jcSjis;
      else if (next == 0xFD || next == 0xFE)
        code = jcEuc;
      else if (InRange(next, 0xA1, 0xFC))
        code = jcEucOrSjis;
      i += 2;
      continue;
    } else if (IsHalfWidthKana(c)) {
      if (InRange(next, 0xF0, 0xFE)) {
        code = jcEuc;
      } else if (IsHalfWidthKana(next)) {
        code = jcEucOrSjis;
      } else if (InRange(next, 0xE0, 0xEF)) {
        // A run of high bytes decides when one of them can only be a
        // Shift_JIS lead or only an EUC byte. The byte that ends the run is
        // looked at again by the main loop.
        code = jcEucOrSjis;
        std::size_t j = i + 1;
        while (j < n && ByteAt(s, j) >= 0x40 && code == jcEucOrSjis) {
          const unsigned b = ByteAt(s, j);
          if (InRange(b, 0x81, 0x8D) || InRange(b, 0x8F, 0x9C))
            code = jcSjis;
          else if (b == 0xFD || b == 0xFE)
            code = jcEuc;
          ++j;
        }
        i = j;
        continue;
      } else if (next < 0xA0) {
        code = jcSjis;
      }
      i += 2;
      continue;
    }
    ++i;
  }
  return code;
}

int JCodeFromName(std::string_view name) {
  if (EqualsIgnoringAsciiCaseAt(name, 0, "EUC") && name.size() == 3) return jcEuc;
  if (EqualsIgnoringAsciiCaseAt(name, 0, "JIS") && name.size() == 3) return jcJisNew;
  return jcSjis;
}

// ---------------------------------------------------------------------------
// Conversions

std::string JisToEuc(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  bool doubleByte = false;
  for (std::size_t i = 0; i < s.size();) {
    const TEscape e = EscapeAt(s, i);
    if (e != TEscape::None) {
      doubleByte = e == TEscape::Enter;
      i += 3;
      continue;
    }
    const unsigned c = ByteAt(s, i++);
    PutByte(out, doubleByte && IsJisByte(c) ? c | 0x80 : c);
  }
  return out;
}

std::string JisToSjis(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  bool doubleByte = false;
  for (std::size_t i = 0; i < s.size();) {
    const TEscape e = EscapeAt(s, i);
    if (e != TEscape::None) {
      doubleByte = e == TEscape::Enter;
      i += 3;
      continue;
    }
    const unsigned c = ByteAt(s, i);
    // Only two JIS bytes make a character; a control byte or the last byte
    // of the text in double-byte mode is copied.
    if (doubleByte && IsJisByte(c) && i + 1 < s.size() && IsJisByte(ByteAt(s, i + 1))) {
      const TBytePair p = JisToSjisPair(c, ByteAt(s, i + 1));
      PutByte(out, p.First);
      PutByte(out, p.Second);
      i += 2;
    } else {
      PutByte(out, c);
      ++i;
    }
  }
  return out;
}

std::string EucToSjis(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const unsigned c = ByteAt(s, i);
    if (c <= 0x80 || c == 0xFF || i + 1 == s.size()) {
      // Single bytes, and half a pair at the end, are copied.
      PutByte(out, c);
      ++i;
    } else if (c == 0x8E) {
      out += s[i + 1];
      i += 2;
    } else {
      const TBytePair p = JisToSjisPair(c & 0x7F, ByteAt(s, i + 1) & 0x7F);
      PutByte(out, p.First);
      PutByte(out, p.Second);
      i += 2;
    }
  }
  return out;
}

std::string SjisToEuc(std::string_view s) {
  std::string out;
  out.reserve(s.size() + s.size() / 2);
  for (std::size_t i = 0; i < s.size();) {
    const unsigned c = ByteAt(s, i);
    if (IsHalfWidthKana(c)) {
      PutByte(out, 0x8E);
      PutByte(out, c);
      ++i;
    } else if (CharLengthAt(s, i) == 2) {
      const TBytePair p = SjisToJisPair(c, ByteAt(s, i + 1));
      PutByte(out, p.First | 0x80);
      PutByte(out, p.Second | 0x80);
      i += 2;
    } else {
      // ASCII, and bytes that start no character (0x80, 0xA0, 0xFD-0xFF,
      // a lead byte at the end), are copied.
      PutByte(out, c);
      ++i;
    }
  }
  return out;
}

std::string EucToJis(std::string_view s) {
  TJisWriter w(s.size());
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned c = ByteAt(s, i);
    if (c < 0x80) {
      w.SingleByte(s[i]);
      ++i;
    } else if (i + 1 == n || ByteAt(s, i + 1) < 0x80) {
      // Half a character: the byte after it, if any, is read on its own.
      w.DoubleByte(kGeta);
      ++i;
    } else if (c == 0x8E) {
      const unsigned kana = ByteAt(s, i + 1);
      if (IsHalfWidthKana(kana)) {
        const unsigned mark = i + 3 < n && ByteAt(s, i + 2) == 0x8E ? ByteAt(s, i + 3) : 0;
        bool usedMark;
        w.DoubleByte(FullWidthKana(kana, mark, usedMark));
        i += usedMark ? 4 : 2;
      } else {
        w.DoubleByte(kGeta);
        i += 2;
      }
    } else if (c == 0x8F && i + 2 < n && ByteAt(s, i + 2) >= 0x80) {
      // A three-byte JIS X 0212 character has no place in JIS X 0208.
      w.DoubleByte(kGeta);
      i += 3;
    } else {
      w.DoubleByte(Jis0208ForJis(c & 0x7F, ByteAt(s, i + 1) & 0x7F));
      i += 2;
    }
  }
  return w.Finish();
}

std::string SjisToJis(std::string_view s) {
  TJisWriter w(s.size());
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned c = ByteAt(s, i);
    if (c < 0x80) {
      w.SingleByte(s[i]);
      ++i;
    } else if (IsHalfWidthKana(c)) {
      const unsigned mark = i + 1 < n ? ByteAt(s, i + 1) : 0;
      bool usedMark;
      w.DoubleByte(FullWidthKana(c, mark, usedMark));
      i += usedMark ? 2 : 1;
    } else if (CharLengthAt(s, i) == 2) {
      w.DoubleByte(Jis0208ForSjis(c, ByteAt(s, i + 1)));
      i += 2;
    } else {
      // 0x80, 0xA0, 0xFD-0xFF, or a lead byte that ends the text.
      w.DoubleByte(kGeta);
      ++i;
    }
  }
  return w.Finish();
}

std::string ConvertJCode(std::string_view text, int from, int to) {
  const bool fromJis = from == jcJisNew || from == jcJisOld;
  if (from == to) return std::string(text);
  switch (to) {
    case jcJisNew:
      if (from == jcEuc) return EucToJis(text);
      if (from == jcSjis) return SjisToJis(text);
      break;
    case jcEuc:
      if (fromJis) return JisToEuc(text);
      if (from == jcSjis) return SjisToEuc(text);
      break;
    case jcSjis:
      if (fromJis) return JisToSjis(text);
      if (from == jcEuc) return EucToSjis(text);
      break;
    default:
      break;
  }
  return std::string(text);
}

// ---------------------------------------------------------------------------
// Mail headers

std::string EncodeMailHeader(std::string_view s) noexcept {
  try {
    std::string out;
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n;) {
      std::size_t j = i;
      if (CharLengthAt(s, i) == 2) {
        while (j < n && CharLengthAt(s, j) == 2) j += 2;
        out += kHeaderMarker;
        out += Base64Encode(SjisToJis(s.substr(i, j - i)));
        out += kHeaderEnd;
      } else {
        while (j < n && CharLengthAt(s, j) == 1) ++j;
        out += s.substr(i, j - i);
      }
      i = j;
    }
    return out;
  } catch (...) {
    return {};
  }
}

std::string DecodeMailHeader(std::string_view text) noexcept {
  try {
    std::string s(text);
    std::size_t from = 0;
    while (true) {
      const std::size_t marker = FindIgnoringAsciiCase(s, kHeaderMarker, from);
      if (marker == std::string::npos) break;
      const std::size_t body = marker + kHeaderMarker.size();
      // Only a "?=" after the marker closes the word.
      const std::size_t end = s.find(kHeaderEnd, body);
      if (end == std::string::npos) {
        s.erase(marker, kHeaderMarker.size());
        from = marker;
        continue;
      }
      std::optional<std::string> decoded = Base64Decode(std::string_view(s).substr(body, end - body));
      if (!decoded) {
        from = end + kHeaderEnd.size();
        continue;
      }
      *decoded += kLeaveDoubleByte;
      s.replace(marker, end + kHeaderEnd.size() - marker, *decoded);
      from = marker + decoded->size();
    }

    s = ConvertJCode(s, DetectJCode(s), jcSjis);

    std::size_t keep = 0;
    while (keep < s.size()) {
      if (CharLengthAt(s, keep) == 2) {
        keep += 2;
        continue;
      }
      const unsigned b = ByteAt(s, keep);
      if (b != '\t' && b != '\n' && b != '\r' && !InRange(b, 0x20, 0x7E)) break;
      ++keep;
    }
    s.resize(keep);
    return s;
  } catch (...) {
    return {};
  }
}

// ---------------------------------------------------------------------------
// Mailbox

TMbxCut CutMbxMessage(std::string_view text) {
  TMbxCut cut;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t eol = text.find("\r\n", i);
    const std::size_t lineEnd = eol == std::string_view::npos ? text.size() : eol;
    const std::string_view line = text.substr(i, lineEnd - i);
    cut.Message.append(line).append("\r\n");
    i = eol == std::string_view::npos ? text.size() : eol + 2;
    if (line == ".") {
      cut.Rest.assign(text.substr(i));
      break;
    }
  }
  return cut;
}

}  // namespace yura
