// Code page 932 (Shift_JIS as the platform defines it) <-> Unicode, used only at
// the boundaries of the runtime: file names, window texts, console output,
// clipboard, environment and command lines.
//
// Every byte round-trips: a byte that is not part of a character decodes to the
// lone surrogate U+DC00 + byte and encodes back to that byte. In UTF-8 such a
// surrogate is written in its three-byte form (ED B2 xx / ED B3 xx), which no
// valid UTF-8 text contains, so the way back is unambiguous. Codes that the
// code page lists twice (the NEC and IBM rows) come back in their canonical
// form, as the platform itself does.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace yura {

std::string SjisToUtf8(std::string_view sjis);
std::u16string SjisToUtf16(std::string_view sjis);

// Characters without a code page 932 form become '?'. Bytes that are not
// valid UTF-8 are copied as they are.
std::string Utf8ToSjis(std::string_view utf8);
std::string Utf16ToSjis(std::u16string_view utf16);

// Converts a whole UTF-8 text; stops at the first character that has no code
// page 932 form and reports its byte offset and code point.
struct TStrictFailure {
  std::size_t Offset = 0;
  char32_t CodePoint = 0;
};
bool Utf8ToSjisStrict(std::string_view utf8, std::string& out, TStrictFailure& failure);

// True when the text is well-formed UTF-8 (no surrogates, no overlong forms).
// `hasMultibyte` tells whether at least one character needs more than a byte.
bool IsStrictUtf8(std::string_view text, bool& hasMultibyte);

}  // namespace yura
