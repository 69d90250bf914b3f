#include "commands/regex/regexoperator.h"

#include "source/sjis.h"

namespace yura {
namespace {

bool IsAsciiAlnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Punctuation that may open an operator's text.
bool IsDelimiter(unsigned char c) { return c > ' ' && c < 0x7F && !IsAsciiAlnum(c) && c != '\\'; }

char ClosingOf(char open) {
  switch (open) {
    case '(':
      return ')';
    case '[':
      return ']';
    case '{':
      return '}';
    case '<':
      return '>';
    default:
      return open;
  }
}

// Reads one delimited part starting at `at` (the opening delimiter); leaves
// `at` after the closing one. A backslash takes the whole next character, so
// neither a trail byte nor an escaped delimiter ends the part.
std::string ReadPart(std::string_view text, std::size_t& at) {
  if (at >= text.size() || !IsDelimiter(static_cast<unsigned char>(text[at])))
    throw ERegexError("operator has no delimiter");
  const char open = text[at];
  const char close = ClosingOf(open);
  int depth = 0;
  std::size_t i = at + 1;
  const std::size_t start = i;
  while (i < text.size()) {
    const char c = text[i];
    const std::size_t length = CharLengthAt(text, i);
    if (length == 1 && c == '\\' && i + 1 < text.size()) {
      i += 1 + CharLengthAt(text, i + 1);
      continue;
    }
    if (length == 1 && c == close && depth == 0) {
      at = i + 1;
      return std::string(text.substr(start, i - start));
    }
    if (length == 1 && open != close) {
      if (c == open) ++depth;
      if (c == close) --depth;
    }
    i += length;
  }
  throw ERegexError("operator is not terminated");
}

void ReadFlags(std::string_view flags, TRegexOperator& op) {
  while (!flags.empty() && IsSpace(static_cast<unsigned char>(flags.back()))) flags.remove_suffix(1);
  for (const char flag : flags) {
    bool known = true;
    if (op.Kind == TRegexKind::Translate) {
      switch (flag) {
        case 'c':
          op.Complement = true;
          break;
        case 'd':
          op.Delete = true;
          break;
        case 's':
          op.Squeeze = true;
          break;
        default:
          known = false;
      }
    } else {
      switch (flag) {
        case 'g':
          op.Global = true;
          break;
        case 'i':
          op.IgnoreCase = true;
          break;
        case 'm':
          op.MultiLine = true;
          break;
        case 's':
          op.DotAll = true;
          break;
        case 'x':
          op.Extended = true;
          break;
        default:
          known = false;
      }
    }
    if (!known) {
      const unsigned char u = static_cast<unsigned char>(flag);
      if (u > ' ' && u < 0x7F) throw ERegexError(std::string("unknown flag '") + flag + "'");
      throw ERegexError("unknown flag");
    }
  }
}

}  // namespace

TRegexOperator ParseRegexOperator(std::string_view text) {
  TRegexOperator op;
  std::size_t at = 0;
  if (text.starts_with("tr")) {
    op.Kind = TRegexKind::Translate;
    at = 2;
  } else if (text.starts_with("y")) {
    op.Kind = TRegexKind::Translate;
    at = 1;
  } else if (text.starts_with("s")) {
    op.Kind = TRegexKind::Substitute;
    at = 1;
  } else if (text.starts_with("m")) {
    at = 1;
  } else {
    throw ERegexError("operator must begin with m, s or tr");
  }
  const char open = at < text.size() ? text[at] : '\0';
  op.Pattern = ReadPart(text, at);
  if (op.Kind != TRegexKind::Match) {
    if (ClosingOf(open) != open) {
      // s{…}{…}: the second part has delimiters of its own.
      while (at < text.size() && IsSpace(static_cast<unsigned char>(text[at]))) ++at;
      op.Replacement = ReadPart(text, at);
    } else {
      // s/…/…/: the closing delimiter opens the second part.
      --at;
      op.Replacement = ReadPart(text, at);
    }
  }
  ReadFlags(text.substr(at), op);
  return op;
}

std::string MatchOperatorFor(std::string_view text) {
  if (text.size() >= 2 && text[0] == 'm' && IsDelimiter(static_cast<unsigned char>(text[1]))) return std::string(text);
  std::string out = "m/";
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharLengthAt(text, i);
    if (length == 1 && text[i] == '\\' && i + 1 < text.size()) {
      const std::size_t next = CharLengthAt(text, i + 1);
      out.append(text.substr(i, 1 + next));
      i += 1 + next;
      continue;
    }
    if (length == 1 && text[i] == '/') out += '\\';
    out.append(text.substr(i, length));
    i += length;
  }
  out += '/';
  return out;
}

}  // namespace yura
