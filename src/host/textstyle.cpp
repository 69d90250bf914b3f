#include "host/textstyle.h"

#include <algorithm>
#include <cmath>

#include "engine/numbers.h"
#include "platform/qtext.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kFullWidthBar = "｜";

std::string_view Part(std::string_view spec, int index) {
  for (int i = 0; i < index; ++i) {
    const std::size_t bar = spec.find(kFullWidthBar);
    if (bar == std::string_view::npos) return {};
    spec.remove_prefix(bar + kFullWidthBar.size());
  }
  return spec.substr(0, spec.find(kFullWidthBar));
}

bool Contains(std::string_view text, std::initializer_list<std::string_view> words) {
  for (std::string_view word : words)
    if (text.find(word) != std::string_view::npos) return true;
  return false;
}

}  // namespace

QColor ColorFromText(std::string_view colorText) {
  const std::string_view text = Trim(colorText);
  if (text.size() == 7 && text[0] == '#') {
    bool ok = false;
    const uint rgb = ToQString(text.substr(1)).toUInt(&ok, 16);
    if (ok) return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
  }
  if (const auto value = ParseInteger(text); value && *value >= 0) return ColorFromPlatform(*value);
  return QColor(Qt::black);
}

QFont FontFromStyle(const TTextStyle& style) {
  QFont font(ToQString(Trim(Part(style.Face, 0))));
  const std::string_view decoration = Part(style.Face, 1);
  font.setBold(Contains(decoration, {"ボールド", "太字"}));
  font.setItalic(Contains(decoration, {"イタリック", "傾斜", "斜体"}));
  font.setUnderline(Contains(decoration, {"罫線", "下線", "アンダーライン"}));
  TNumber points = ToNumber(Part(style.Face, 2));
  if (!(points > 0)) {
    const auto size = ParseInteger(style.Size);
    points = size && *size > 0 ? static_cast<TNumber>(*size) : 12;
  }
  font.setPixelSize(PixelsFromPoints(static_cast<double>(points)));
  return font;
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
