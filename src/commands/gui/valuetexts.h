// The value formats of the GUI properties and the text settings: colour
// texts, point and rectangle texts, and font texts (face｜style｜size).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/guiobject.h"

namespace yura {

class TEngine;

// "#RRGGBB" or a decimal platform colour (red in the low byte); nothing when
// the text is neither.
std::optional<std::int64_t> ColorValue(std::string_view text);

// "(x,y)": exactly two numeric expressions. A text naming a word or written
// in the member form is replaced by its value first; backquotes and one
// enclosing parenthesised group are removed.
std::optional<std::pair<std::int32_t, std::int32_t>> ReadPointText(TEngine& engine, std::string_view text);
// "(x1,y1,x2,y2)": up to four numeric expressions, missing ones 0; more than
// four raise "座標の指定エラー。引数が多すぎます。"".
std::array<std::int32_t, 4> ReadRectangleText(TEngine& engine, std::string_view text);

// A font text read as written: the face with full-width spaces made
// half-width and trimmed, the style words, the size part as a number
// (`fallbackPoints` when it is empty or not positive).
TFontSetting ReadFontText(std::string_view text, std::int32_t fallbackPoints);
// The same with the size part calculated and the face matched against the
// installed fonts (ＭＳ ゴシック when none matches).
TFontSetting ResolveFontText(TEngine& engine, std::string_view text, std::int32_t fallbackPoints);
// 文字サイズ as points (12 when it is no integer).
std::int32_t TextSizeSetting(TEngine& engine);
// 文字書体 and 文字サイズ as the font of new parts and text output.
TFontSetting TextFontSetting(TEngine& engine);
// 文字色 as a platform colour (black when it is no colour).
std::int32_t TextColorSetting(TEngine& engine);

}  // namespace yura
