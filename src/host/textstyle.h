// The text settings of the drawing commands as Qt fonts and colours.
#pragma once

#include <QColor>
#include <QFont>
#include <string_view>

#include "core/guiobject.h"
#include "core/host.h"

namespace yura {

// "#RRGGBB", or a decimal platform colour (red in the low byte); black when
// the text is neither.
QColor ColorFromText(std::string_view colorText);

// The font text of 文字書体 (face｜style｜size) read as written, the size
// from its third part or from 文字サイズ (12 when that is no integer).
QFont FontFromStyle(const TTextStyle& style);

// A resolved font setting of a GUI part.
QFont FontFromSetting(const TFontSetting& setting);

// Sizes are points at 96 dots per inch.
int PixelsFromPoints(double points);
int PointsFromPixels(int pixels);

// Platform colours keep red in the low byte: red + green*256 + blue*65536.
// A negative value (no colour) paints black.
QColor ColorFromPlatform(std::int64_t value);
std::int32_t PlatformFromColor(const QColor& color);

}  // namespace yura
