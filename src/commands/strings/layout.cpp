// Trimming, okurigana, number formatting, padding and line wrapping:
// トリム, 送り仮名削除, 通貨形式に変換, 指定形式に変換, 右寄せ, ゼロで埋める, 行揃え.
#include <cmath>

#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/strings/sjistext.h"
#include "commands/strings/textformat.h"
#include "core/errors.h"
#include "core/platform_errors.h"
#include "engine/engine.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kFullWidthSpace = "　";

// Some commands change only the value of それ and keep its kind.
void SetSoreValue(TEngine& engine, std::string value) { engine.State().SoreNode->SetValue(std::move(value)); }

bool IsBlankAt(std::string_view text, std::size_t i, std::size_t& length) {
  length = CharLengthAt(text, i);
  if (length == 2) return text.substr(i, 2) == kFullWidthSpace;
  return text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n';
}

void TrimBlanks(TEngine& engine, THashNode&) {
  const std::string value = engine.PopValue();
  const std::string_view text = Trim(value);
  std::size_t start = 0, length = 0;
  while (start < text.size() && IsBlankAt(text, start, length)) start += length;
  // From the end: the last run of blank characters, found by walking forward.
  std::size_t end = start, runStart = std::string_view::npos;
  for (std::size_t i = start; i < text.size(); i += length) {
    if (IsBlankAt(text, i, length)) {
      if (runStart == std::string_view::npos) runStart = i;
    } else {
      runStart = std::string_view::npos;
    }
    end = i + length;
  }
  if (runStart != std::string_view::npos) end = runStart;
  SetSoreValue(engine, std::string(text.substr(start, end - start)));
}

void DropOkurigana(TEngine& engine, THashNode&) { engine.SetSore(StripOkurigana(engine.PopValue()), kTagString); }

// The value is held to four decimals, as the platform's currency type does,
// then shown with thousands separators and two decimals or none.
void Currency(TEngine& engine, THashNode&) {
  const std::string text = engine.PopValue();
  const TNumber scaled = std::nearbyint(ToNumber(text) * 10000);
  const auto units = TruncateToInt64(scaled);
  if (!units || std::fabs(scaled) > 9.2e18L) throw EPlainError(std::string(kMsgRangeCheck));
  const bool withCents = text.find('.') != std::string::npos;
  const long long divisor = withCents ? 100 : 10000;
  const bool negative = *units < 0;
  const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(*units) : static_cast<unsigned long long>(*units);
  unsigned long long rounded = magnitude / divisor;
  if (magnitude % divisor * 2 >= static_cast<unsigned long long>(divisor)) ++rounded;  // halves away from zero
  std::string digits = std::to_string(withCents ? rounded / 100 : rounded);
  std::string out = GroupThousands(digits);
  if (withCents) {
    const unsigned long long cents = rounded % 100;
    out += "." + std::string(cents < 10 ? "0" : "") + std::to_string(cents);
  }
  if (negative && rounded != 0) out = "-" + out;
  SetSoreValue(engine, std::move(out));
}

void FormatValue(TEngine& engine, THashNode& entry) {
  const std::string format = engine.PopValue();
  const std::string value = engine.PopValue();
  TFormatArgument argument;
  if (format.find_first_of("fm") != std::string::npos) {
    argument.Kind = TFormatArgument::TKind::Float;
    argument.Float = ToNumber(value);
  } else if (format.find('d') != std::string::npos) {
    argument.Kind = TFormatArgument::TKind::Integer;
    argument.Integer = TruncateToInt64(ToNumber(value)).value_or(0);
  } else {
    argument.Kind = TFormatArgument::TKind::Text;
    argument.Text = value;
  }
  const auto result = FormatWithArgument(format, argument);
  if (!result) engine.Raise(kMsgBadSyntax, {engine.CommandName(entry)});
  engine.SetSore(*result, kTagString);
}

void Pad(TEngine& engine, char filler) {
  const long long width = PopNumberArgument(engine);
  std::string text = engine.PopValue();
  if (width > 0 && static_cast<std::size_t>(width) > text.size())
    text.insert(0, static_cast<std::size_t>(width) - text.size(), filler);
  SetSoreValue(engine, std::move(text));
}

void PadWithSpaces(TEngine& engine, THashNode&) { Pad(engine, ' '); }
void PadWithZeros(TEngine& engine, THashNode&) { Pad(engine, '0'); }

// Line wrapping at a width in bytes; a character that must not begin a line
// hangs at the end of the line before it.
void Wrap(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const long long width = PopNumberArgument(engine);
  const std::string text = engine.PopValue();
  if (width <= 0) {
    engine.SetSore(text, kTagString);
    return;
  }
  const long tab = TabWidth(engine);
  const std::string prohibited = state.KinsokuNode ? state.KinsokuNode->Value() : std::string();
  std::string out;
  long long column = 0;
  std::size_t i = 0;
  auto breakLine = [&] {
    if (!prohibited.empty() && i < text.size()) {
      const std::size_t length = CharLengthAt(text, i);
      if (FindChars(prohibited, std::string_view(text).substr(i, length)) != std::string::npos) {
        out.append(text, i, length);
        i += length;
      }
    }
    out += "\r\n";
    column = 0;
  };
  while (i < text.size()) {
    const std::size_t length = CharLengthAt(text, i);
    if (length == 2) {
      if (column + 2 > width && column > 0) {
        breakLine();
        continue;
      }
      out.append(text, i, 2);
      i += 2;
      column += 2;
      continue;
    }
    if (column >= width) {
      breakLine();
      continue;
    }
    const char c = text[i];
    if (c == '\t') {
      out += c;
      column += tab;
      ++i;
    } else if (c == '\r' || c == '\n') {
      ++i;
      if (i < text.size() && (text[i] == '\r' || text[i] == '\n')) ++i;
      breakLine();
    } else {
      out += c;
      ++column;
      ++i;
    }
  }
  engine.SetSore(std::move(out), kTagString);
}

}  // namespace

void RegisterTextFormatHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(72, TrimBlanks);
  dispatcher.Register(327, DropOkurigana);
  dispatcher.Register(173, Currency);
  dispatcher.Register(293, FormatValue);
  dispatcher.Register(174, PadWithSpaces);
  dispatcher.Register(175, PadWithZeros);
  dispatcher.Register(412, Wrap);
}

}  // namespace yura
