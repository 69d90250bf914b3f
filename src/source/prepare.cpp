#include "source/prepare.h"

#include <charconv>

#include "source/halfwidth.h"
#include "source/sjis.h"

namespace yura {
namespace {

constexpr std::size_t kSnippetBytes = 20;

struct TEvent {
  std::size_t Pos = std::string::npos;  // source position just after the brace or quote
  int Line = 0;
};

std::string Snippet(const std::string& source, const TEvent& event) {
  if (event.Pos == std::string::npos || event.Pos > source.size()) return {};
  return source.substr(event.Pos, kSnippetBytes);
}

void AppendLineMarker(std::string& out, int line) {
  char digits[16];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, line);
  out.append(digits, end);
  out += ':';
}

}  // namespace

void PrepareSource(std::string& text) {
  const std::string& source = text;
  const std::size_t n = source.size();
  std::string out;
  out.reserve(n + n / 8 + 16);

  bool inDoubleQuote = false, inBackquote = false, inBrace = false, inLineComment = false;
  int line = 1;
  TEvent braceEvent, quoteEvent;

  auto charAt = [&](std::size_t at) { return std::string_view(source).substr(at, CharLengthAt(source, at)); };
  auto converted = [](std::string_view c) {
    const std::string_view h = HalfWidthOf(c);
    return h.empty() ? c : h;
  };

  for (std::size_t i = 0; i < n;) {
    const std::string_view raw = charAt(i);
    i += raw.size();
    const std::string_view h = converted(raw);
    const bool inString = inDoubleQuote || inBackquote;
    const bool inComment = inBrace || inLineComment;

    switch (h[0]) {
      case '\r':
        if (i < n && source[i] == '\n') ++i;
        inLineComment = false;
        out += "\r\n";
        if (!inString) AppendLineMarker(out, line);
        ++line;
        continue;
      case '"':
        if (inComment || inBackquote) break;
        inDoubleQuote = !inDoubleQuote;
        quoteEvent = {i, line};
        out += '"';
        continue;
      case '\'':
        if (inString || inBrace) break;
        inLineComment = true;
        continue;
      case '/':
        if (inString || inBrace) break;
        if (i < n && source[i] == '/') {
          inLineComment = true;
          ++i;
          continue;
        }
        break;
      case '\\':
        if (inComment) continue;
        if (inDoubleQuote) {
          // The escaped character is taken with the backslash, so it can never
          // end the string; a line end is still a line end.
          out += '\\';
          if (i < n && source[i] != '\r') {
            const std::string_view next = charAt(i);
            out += next;
            i += next.size();
          }
          continue;
        }
        break;
      case '`':
        if (inComment || inDoubleQuote) break;
        if (i < n) {
          const std::string_view next = charAt(i);
          if (converted(next) == "`") {
            i += next.size();
            out += "``";
            quoteEvent = {i, line};
            continue;
          }
        }
        inBackquote = !inBackquote;
        quoteEvent = {i, line};
        out += '`';
        continue;
      case '{':
      case '}':
        if (inString || inLineComment) break;
        inBrace = h[0] == '{';
        braceEvent = {i, line};
        continue;
      default:
        break;
    }
    if (!inComment) out += inString ? raw : h;
  }

  if (const std::size_t zero = out.find('\0'); zero != std::string::npos) out.resize(zero);

  if (inBrace)
    throw EPrepareError("{ }が対応していません。『" + Snippet(source, braceEvent) + "』の近く", braceEvent.Line);
  if (inDoubleQuote)
    throw EPrepareError("「」または\"\"が対応していません。『" + Snippet(source, quoteEvent) + "』の近く",
                        quoteEvent.Line);
  if (inBackquote)
    throw EPrepareError("『』または''''が対応していません。『" + Snippet(source, quoteEvent) + "』の近く",
                        quoteEvent.Line);
  text = std::move(out);
}

}  // namespace yura
