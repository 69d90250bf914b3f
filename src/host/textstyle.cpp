#include "host/textstyle.h"

#include <algorithm>
#include <cmath>

#include "commands/gui/valuetexts.h"
#include "engine/numbers.h"
#include "platform/qtext.h"
#include "source/textlines.h"

namespace yura {

QColor ColorFromText(std::string_view colorText) { return ColorFromPlatform(ColorValue(colorText).value_or(-1)); }

QFont FontFromStyle(const TTextStyle& style) {
  const auto size = ParseInteger(style.Size);
  return FontFromSetting(ReadFontText(style.Face, size && *size > 0 ? static_cast<std::int32_t>(*size) : 12));
}

QFont FontFromSetting(const TFontSetting& setting) {
  QFont font(ToQString(setting.Face));
  font.setBold(setting.Bold);
  font.setItalic(setting.Italic);
  font.setUnderline(setting.Underline);
  font.setPixelSize(PixelsFromPoints(setting.Points > 0 ? setting.Points : 12));
  return font;
}

int PixelsFromPoints(double points) { return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))); }

int PointsFromPixels(int pixels) { return static_cast<int>(std::lround(pixels * 72.0 / 96.0)); }

QColor ColorFromPlatform(std::int64_t value) {
  if (value < 0) return QColor(Qt::black);
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::int32_t PlatformFromColor(const QColor& color) {
  return color.red() | (color.green() << 8) | (color.blue() << 16);
}

}  // namespace yura
