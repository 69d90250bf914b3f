// The text settings of the drawing commands as Qt fonts and colours.
#pragma once

#include <QColor>
#include <QFont>
#include <string_view>

#include "core/host.h"

namespace yura {

// "#RRGGBB", or a decimal platform colour (red in the low byte); black when
// the text is neither.
QColor ColorFromText(std::string_view colorText);

// Face from the first part of the font specification (face｜style｜size),
// bold/italic/underline from the second, size in points from the third or
// from 文字サイズ (12 when that is no integer).
QFont FontFromStyle(const TTextStyle& style);

}  // namespace yura
