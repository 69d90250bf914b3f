// Japanese code detection and conversion between Shift_JIS (code page 932),
// EUC-JP and ISO-2022-JP ("JIS"), mail header words and the mailbox cut.
// All functions work on bytes and never depend on the locale.
#pragma once

#include <string>
#include <string_view>

namespace yura {

enum TJCode : int {
  jcAscii = 0,      // only bytes below 0x80 seen
  jcBinary = 1,     // a byte 0x00-0x07 or 0xFF
  jcJisNew = 2,     // ESC $ B
  jcJisOld = 3,     // ESC $ @
  jcEuc = 4,        // EUC-JP
  jcSjis = 5,       // Shift_JIS
  jcEucOrSjis = 6,  // EUC-JP or Shift_JIS, undecided
};

// Guesses the code of `text` by the byte heuristic; jcAscii when nothing
// decided it.
int DetectJCode(std::string_view text);

// The code named by a script: "EUC" and "JIS" (any case), anything else is
// Shift_JIS.
int JCodeFromName(std::string_view name);

// Converts `text` from code `from` to code `to`. A source of jcAscii,
// jcBinary or jcEucOrSjis, or a source equal to the target, gives the text
// unchanged; jcJisNew and jcJisOld both count as JIS; a target that is none
// of jcJisNew, jcEuc, jcSjis gives the text unchanged.
std::string ConvertJCode(std::string_view text, int from, int to);

// The single conversions. JIS output enters double-byte mode with ESC $ B
// and leaves it with ESC ( J; JIS input accepts any ESC $ x as entering and
// any ESC ( x as leaving. Half-width katakana become full-width in JIS
// output (a following voiced or semi-voiced mark is composed where such a
// kana exists) and stay half-width in the other codes. JIS output holds only
// JIS X 0208 characters: a code page character outside it becomes its JIS
// X 0208 twin when it has one, else the geta mark (JIS 0x22 0x2E), and so
// does half a character at the end of the text.
std::string JisToEuc(std::string_view jis);
std::string JisToSjis(std::string_view jis);
std::string EucToSjis(std::string_view euc);
std::string SjisToEuc(std::string_view sjis);
std::string EucToJis(std::string_view euc);
std::string SjisToJis(std::string_view sjis);

// Header word encoding: every run of double-byte characters becomes
// "=?ISO-2022-JP?B?" + Base64 of its JIS form + "?="; single-byte runs
// (half-width katakana included) are copied. Gives "" on any failure.
std::string EncodeMailHeader(std::string_view sjis) noexcept;

// Header word decoding: each "=?ISO-2022-JP?B?" (any case) ... "?=" word is
// replaced by its decoded bytes followed by ESC ( J, the whole is converted
// to Shift_JIS by detection and cut at the first byte that is neither part
// of a double-byte character nor tab, LF, CR or 0x20-0x7E. A marker without
// a closing "?=" is dropped; a word whose text is not valid Base64 is kept as
// it stands. Gives "" on any failure.
std::string DecodeMailHeader(std::string_view text) noexcept;

// One message cut from a mailbox text: the CR LF lines up to and including
// the first line that is exactly ".", each with CR LF, and the text after it.
// Without such a line every line is taken (the last one also gets CR LF) and
// nothing is left.
struct TMbxCut {
  std::string Message;
  std::string Rest;
};
TMbxCut CutMbxMessage(std::string_view text);

}  // namespace yura
