// Width, case and kana conversions of Shift_JIS text. Each works one character
// at a time, by the tables of tools/gen_widthcase.py: a character without an
// entry (and a lead byte that ends the text) is copied unchanged.
#pragma once

#include <string>
#include <string_view>

namespace yura {

// Full-width ASCII forms and the ideographic space to ASCII; full-width
// katakana and their punctuation to half-width, a voiced or semi-voiced kana
// becoming two characters (ガ to ｶﾞ).
std::string MapHalfWidth(std::string_view text);

// ASCII and half-width katakana to full-width; a half-width kana followed by
// ﾞ or ﾟ becomes one character where the code page has it (ｶﾞ to ガ).
std::string MapFullWidth(std::string_view text);

// Latin (ASCII and full-width), Greek and Cyrillic letters.
std::string MapUpperCase(std::string_view text);
std::string MapLowerCase(std::string_view text);

// Full-width katakana to hiragana, and back.
std::string MapHiragana(std::string_view text);
std::string MapKatakana(std::string_view text);

}  // namespace yura
