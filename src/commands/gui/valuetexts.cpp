#include "commands/gui/valuetexts.h"

#include <array>
#include <cmath>

#include "commands/strings/sjistext.h"
#include "core/errors.h"
#include "core/yurabase.h"
#include "engine/assign.h"
#include "engine/calculator.h"
#include "engine/engine.h"
#include "engine/numbers.h"
#include "source/sjis.h"
#include "source/textlines.h"
#include "textutil/widthcase.h"

namespace yura {
namespace {

constexpr std::string_view kMsgTooManyCoordinates = "座標の指定エラー。引数が多すぎます。\"";
constexpr std::string_view kFullWidthBar = "｜";
constexpr std::string_view kFullWidthSpace = "　";
constexpr std::string_view kDefaultFace = "ＭＳ ゴシック";

// The items of a list split at the commas outside brackets and quotes.
std::vector<std::string_view> SplitTopLevel(std::string_view text) {
  std::vector<std::string_view> items;
  int depth = 0;
  bool inDouble = false, inCorner = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharLengthAt(text, i);
    const std::string_view ch = text.substr(i, length);
    if (inDouble) {
      if (ch == "\"") inDouble = false;
    } else if (inCorner) {
      if (ch == "」") inCorner = false;
    } else if (ch == "\"") {
      inDouble = true;
    } else if (ch == "「") {
      inCorner = true;
    } else if (ch == "(") {
      ++depth;
    } else if (ch == ")") {
      --depth;
    } else if (ch == "," && depth == 0) {
      items.push_back(text.substr(start, i - start));
      start = i + 1;
    }
    i += length;
  }
  items.push_back(text.substr(start));
  return items;
}

// The text a coordinate list is read from: a word or member form replaced by
// its value, backquotes and one enclosing group removed.
std::string CoordinateList(TEngine& engine, std::string_view written) {
  std::string text(Trim(written));
  std::string value;
  if (!text.empty() && text.front() == '"')
    text = std::string(Trim(engine.Calc().ExpandLiteral(text)));
  else if (!text.empty() && engine.Assigner().IsMemberReference(text, value))
    text = std::string(Trim(value));
  if (text.size() >= 2 && text.front() == '`' && EndsWithChars(text, "`")) text = text.substr(1, text.size() - 2);
  if (text.size() >= 2 && text.front() == '(' && text.back() == ')') text = text.substr(1, text.size() - 2);
  return text;
}

std::int32_t Coordinate(TEngine& engine, std::string_view expression) {
  const TNumber number = ToNumber(engine.EvalValue(Trim(expression)));
  return TruncateToInt32(number).value_or(0);
}

// One of the three parts of a font text face｜style｜size; missing parts are empty.
std::string_view FontTextPart(std::string_view text, int index) {
  for (int i = 0; i < index; ++i) {
    const std::size_t bar = text.find(kFullWidthBar);
    if (bar == std::string_view::npos) return {};
    text.remove_prefix(bar + kFullWidthBar.size());
  }
  return text.substr(0, text.find(kFullWidthBar));
}

// A size in whole points, when it is one.
std::optional<std::int32_t> PositivePoints(TNumber points) {
  if (!(points > 0)) return std::nullopt;
  return TruncateToInt32(std::round(points));
}

std::string FontKey(std::string_view name) {
  return ReplaceAllChars(MapFullWidth(MapUpperCase(name)), std::string(kFullWidthSpace), {});
}

bool ContainsAny(std::string_view text, std::initializer_list<std::string_view> words) {
  for (std::string_view word : words)
    if (text.find(word) != std::string_view::npos) return true;
  return false;
}

const std::vector<std::pair<std::string, std::string>>& InstalledFonts(TEngine& engine) {
  auto& fonts = engine.State().InstalledFonts;
  if (!fonts) {
    fonts.emplace();
    for (std::string& name : engine.Host().Gui().FontFamilies()) fonts->emplace_back(FontKey(name), std::move(name));
  }
  return *fonts;
}

}  // namespace

std::optional<std::int64_t> ColorValue(std::string_view text) {
  text = Trim(text);
  if (text.size() == 7 && text[0] == '#') {
    std::int64_t rgb = 0;
    for (char c : text.substr(1)) {
      int digit;
      if (c >= '0' && c <= '9')
        digit = c - '0';
      else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
      else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
      else
        return std::nullopt;
      rgb = rgb * 16 + digit;
    }
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
  }
  return ParseInteger(text);
}

std::optional<std::pair<std::int32_t, std::int32_t>> ReadPointText(TEngine& engine, std::string_view text) {
  const std::string list = CoordinateList(engine, text);
  const std::vector<std::string_view> items = SplitTopLevel(list);
  if (items.size() != 2 || Trim(items[0]).empty() || Trim(items[1]).empty()) return std::nullopt;
  return std::pair{Coordinate(engine, items[0]), Coordinate(engine, items[1])};
}

std::array<std::int32_t, 4> ReadRectangleText(TEngine& engine, std::string_view text) {
  const std::string list = CoordinateList(engine, text);
  const std::vector<std::string_view> items = SplitTopLevel(list);
  if (items.size() > 4) engine.Raise(std::string(kMsgTooManyCoordinates) + list + "\"");
  std::array<std::int32_t, 4> values{};
  for (std::size_t i = 0; i < items.size(); ++i)
    if (!Trim(items[i]).empty()) values[i] = Coordinate(engine, items[i]);
  return values;
}

TFontSetting ReadFontText(std::string_view text, std::int32_t fallbackPoints) {
  TFontSetting font;
  font.Face = std::string(Trim(ReplaceAllChars(std::string(FontTextPart(text, 0)), std::string(kFullWidthSpace), " ")));
  const std::string_view style = FontTextPart(text, 1);
  font.Bold = ContainsAny(style, {"ボールド", "太字"});
  font.Italic = ContainsAny(style, {"イタリック", "傾斜", "斜体"});
  font.Underline = ContainsAny(style, {"罫線", "下線", "アンダーライン"});
  font.Points = PositivePoints(ToNumber(Trim(FontTextPart(text, 2)))).value_or(fallbackPoints);
  return font;
}

TFontSetting ResolveFontText(TEngine& engine, std::string_view text, std::int32_t fallbackPoints) {
  TFontSetting font = ReadFontText(text, fallbackPoints);
  // The size part is a formula here.
  if (const std::string_view size = Trim(FontTextPart(text, 2)); !size.empty())
    font.Points = PositivePoints(ToNumber(engine.EvalValue(size))).value_or(fallbackPoints);
  const std::string key = FontKey(font.Face);
  font.Face = std::string(kDefaultFace);
  for (const auto& [installedKey, name] : InstalledFonts(engine)) {
    if (installedKey == key) {
      font.Face = name;
      break;
    }
  }
  return font;
}

std::int32_t TextSizeSetting(TEngine& engine) {
  const TNodeRef& node = engine.State().FontSizeNode;
  const auto size = node ? ParseInteger(node->Value()) : std::nullopt;
  return size && *size > 0 && *size <= 4096 ? static_cast<std::int32_t>(*size) : 12;
}

TFontSetting TextFontSetting(TEngine& engine) {
  const TNodeRef& node = engine.State().FontNameNode;
  return ResolveFontText(engine, node ? node->Value() : std::string(), TextSizeSetting(engine));
}

std::int32_t TextColorSetting(TEngine& engine) {
  const TNodeRef& node = engine.State().FontColorNode;
  const auto color = node ? ColorValue(node->Value()) : std::nullopt;
  return color && *color >= 0 && *color <= 0xFFFFFF ? static_cast<std::int32_t>(*color) : 0;
}

}  // namespace yura
