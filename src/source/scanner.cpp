#include "source/scanner.h"

#include <charconv>
#include <cstdint>

#include "source/sjis.h"

namespace yura {
namespace {

std::string_view Slice(const TCursor& cursor, std::size_t from, std::size_t to) {
  return std::string_view(*cursor.Text).substr(from, to - from);
}

// Index just after the double-quote or backquote literal that starts at `i`.
// When the literal is not closed, `closed` is false and the index is that of
// the terminating zero.
std::size_t SkipLiteral(const char* p, std::size_t i, bool& closed) {
  const char quote = p[i++];
  closed = false;
  while (p[i] != '\0') {
    if (quote == '"' && p[i] == '\\') {
      ++i;
      if (p[i] != '\0') i += CharLengthAt(p + i);
    } else if (p[i] == quote) {
      if (quote == '`' && p[i + 1] == '`') {
        i += 2;
        continue;
      }
      closed = true;
      return i + 1;
    } else {
      i += CharLengthAt(p + i);
    }
  }
  return i;
}

std::size_t SkipLiteral(const char* p, std::size_t i) {
  bool closed;
  return SkipLiteral(p, i, closed);
}

}  // namespace

void SkipSeparators(TCursor& cursor) {
  while (kSeparators.Has(cursor.Peek())) ++cursor.Pos;
}

void SkipBlanks(TCursor& cursor) {
  while (kBlanks.Has(cursor.Peek())) ++cursor.Pos;
}

std::string_view ReadWord(TCursor& cursor) {
  SkipBlanks(cursor);
  const char* p = cursor.Text->c_str();
  const std::size_t start = cursor.Pos;
  std::size_t i = start;
  for (;;) {
    const auto b = static_cast<unsigned char>(p[i]);
    if (b == 0) break;
    if (IsLeadByte(b) && p[i + 1] != '\0') {
      i += 2;
      continue;
    }
    if (kWordDelimiters.Has(b)) break;
    ++i;
  }
  cursor.Pos = i;
  return Slice(cursor, start, i);
}

std::string ReadNumber(TCursor& cursor) {
  SkipSeparators(cursor);
  std::string result;
  if (cursor.Peek() == '+' || cursor.Peek() == '-') {
    result += static_cast<char>(cursor.Peek());
    ++cursor.Pos;
  }
  if (cursor.Peek() == '$') {
    ++cursor.Pos;
    const std::size_t start = cursor.Pos;
    while (IsHexDigit(cursor.Peek())) ++cursor.Pos;
    std::string_view digits = Slice(cursor, start, cursor.Pos);
    while (digits.size() > 1 && digits[0] == '0') digits.remove_prefix(1);
    std::uint32_t value = 0;
    if (!digits.empty() && digits.size() <= 8) std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    result += std::to_string(static_cast<std::int32_t>(value));  // a 32-bit value, as the language reads $FFFFFFFF
    return result;
  }
  const std::size_t start = cursor.Pos;
  if (IsDigit(cursor.Peek()) || cursor.Peek() == '.') {
    while (IsDigit(cursor.Peek())) ++cursor.Pos;
    if (cursor.Peek() == '.' && IsDigit(cursor.Peek(1))) {
      ++cursor.Pos;
      while (IsDigit(cursor.Peek())) ++cursor.Pos;
      if (cursor.Peek() == 'E' || cursor.Peek() == 'e') {
        std::size_t k = 1;
        if (cursor.Peek(k) == '+' || cursor.Peek(k) == '-') ++k;
        if (IsDigit(cursor.Peek(k))) {
          cursor.Pos += k;
          while (IsDigit(cursor.Peek())) ++cursor.Pos;
        }
      }
    }
  }
  result += Slice(cursor, start, cursor.Pos);
  return result;
}

std::string_view ReadStringLiteral(TCursor& cursor, long maxLength) {
  SkipSeparators(cursor);
  const unsigned char quote = cursor.Peek();
  if (quote != '"' && quote != '`') return {};
  const char* p = cursor.Text->c_str();
  const std::size_t start = cursor.Pos;
  bool closed;
  std::size_t end = SkipLiteral(p, start, closed);
  if (maxLength >= 0 && end - start > static_cast<std::size_t>(maxLength)) {
    end = start + static_cast<std::size_t>(maxLength);
  } else if (!closed) {
    throw EScanError(std::string(quote == '"' ? kMsgDoubleQuoteUnclosed : kMsgBackquoteUnclosed));
  }
  cursor.Pos = end;
  return Slice(cursor, start, end);
}

std::string_view ReadParenthesized(TCursor& cursor) {
  SkipSeparators(cursor);
  if (cursor.Peek() != '(') return {};
  const char* p = cursor.Text->c_str();
  const std::size_t contentStart = cursor.Pos + 1;
  std::size_t i = contentStart;
  int depth = 1;
  for (;;) {
    const auto b = static_cast<unsigned char>(p[i]);
    if (b == 0) {
      cursor.Pos = contentStart;
      throw EScanError(std::string(kMsgParenthesisUnclosed));
    }
    if (b == '"' || b == '`') {
      i = SkipLiteral(p, i);
    } else if (b == '(') {
      ++depth, ++i;
    } else if (b == ')') {
      if (--depth == 0) {
        cursor.Pos = i + 1;
        return Slice(cursor, contentStart, i);
      }
      ++i;
    } else {
      i += CharLengthAt(p + i);
    }
  }
}

std::string_view ReadUntilChar(const TByteSet& set, TCursor& cursor) {
  const char* p = cursor.Text->c_str();
  const std::size_t start = cursor.Pos;
  std::size_t i = start;
  while (p[i] != '\0') {
    if (IsLeadByte(p[i]) && p[i + 1] != '\0') {
      i += 2;
      continue;
    }
    if (set.Has(static_cast<unsigned char>(p[i]))) {
      cursor.Pos = i + 1;
      return Slice(cursor, start, i);
    }
    ++i;
  }
  cursor.Pos = i;
  return Slice(cursor, start, i);
}

std::string_view ReadUntilEscaped(std::string_view delimiter, TCursor& cursor, char escape) {
  const char* p = cursor.Text->c_str();
  const std::string_view rest(p + cursor.Pos);
  const std::size_t start = cursor.Pos;
  for (std::size_t i = 0; i < rest.size();) {
    if (!delimiter.empty() && rest.substr(i).starts_with(delimiter)) {
      cursor.Pos = start + i + delimiter.size();
      return Slice(cursor, start, start + i);
    }
    if (escape != '\0' && rest[i] == escape && i + 1 < rest.size()) {
      i += 1 + CharLengthAt(rest, i + 1);
      continue;
    }
    i += CharLengthAt(rest, i);
  }
  cursor.Pos = start + rest.size();
  return Slice(cursor, start, cursor.Pos);
}

std::string_view ReadUntil(std::string_view delimiter, TCursor& cursor) {
  return ReadUntilEscaped(delimiter, cursor, '\0');
}

std::string_view ReadChar(TCursor& cursor) {
  if (cursor.AtEnd()) return {};
  const std::size_t start = cursor.Pos;
  cursor.Pos += CharLengthAt(cursor.Ptr());
  return Slice(cursor, start, cursor.Pos);
}

std::string_view ReadBalancedUntil(const TByteSet& stops, TCursor& cursor) {
  const char* p = cursor.Text->c_str();
  const std::size_t start = cursor.Pos;
  std::size_t i = start;
  while (p[i] != '\0' && !stops.Has(static_cast<unsigned char>(p[i]))) {
    if (p[i] == '"' || p[i] == '`') {
      i = SkipLiteral(p, i);
    } else if (p[i] == '(') {
      TCursor inner(cursor.Text, i);
      ReadParenthesized(inner);
      i = inner.Pos;
    } else {
      i += CharLengthAt(p + i);
    }
  }
  cursor.Pos = i;
  return Slice(cursor, start, i);
}

std::string RightBytes(std::string_view s, std::size_t n) {
  return std::string(n >= s.size() ? s : s.substr(s.size() - n));
}

std::string QuoteValue(std::string_view value) {
  std::string out;
  out.reserve(value.size() + 2);
  out += '`';
  for (std::size_t i = 0; i < value.size();) {
    const std::size_t length = CharLengthAt(value, i);
    out.append(value.substr(i, length));
    if (length == 1 && value[i] == '`') out += '`';  // a trail byte 0x60 (義) is no backquote
    i += length;
  }
  out += '`';
  return out;
}

std::string ExpandTabs(std::string_view text, long width) {
  if (width < 1) width = 1;
  std::string out;
  out.reserve(text.size());
  long column = 0;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '\t') {
      const long spaces = width - column % width;
      out.append(static_cast<std::size_t>(spaces), ' ');
      column += spaces;
      ++i;
    } else if (c == '\r' || c == '\n') {
      // A line end takes one directly following CR or LF with it.
      i += (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) ? 2 : 1;
      out += "\r\n";
      column = 0;
    } else {
      const std::size_t length = CharLengthAt(text, i);
      out.append(text.substr(i, length));
      column += static_cast<long>(length);
      i += length;
    }
  }
  return out;
}

std::string ReadTail(TCursor& cursor, TEvaluatorHook& hook) {
  SkipBlanks(cursor);
  if (cursor.Peek() != '&') return std::string(ReadWord(cursor));
  std::string chain;
  while (cursor.Peek() == '&') {
    ++cursor.Pos;
    SkipSeparators(cursor);
    if (cursor.Peek() == '\r') {
      hook.PassLineEnd(cursor);
      SkipSeparators(cursor);
    }
    if (cursor.Peek() == '"' || cursor.Peek() == '`') {
      const std::string value = hook.EvalTermAt(cursor);
      chain += '&';
      chain += QuoteValue(value);
      SkipBlanks(cursor);
      if (cursor.Peek() != '&') chain += ReadWord(cursor);
    } else {
      chain += '&';
      chain += ReadWord(cursor);
    }
    SkipBlanks(cursor);
  }
  return chain;
}

void ParseArgumentList(std::string_view text, TEvaluatorHook& hook) {
  static constexpr TByteSet kExpressionEnd{",\r\n"};
  TCursor cursor(MakeText(std::string(text)), 0);
  SkipSeparators(cursor);
  while (!cursor.AtEnd()) {
    std::string word(ReadWord(cursor));
    unsigned char b = cursor.Peek();
    if (b == 0) {
      hook.PushArgument(std::move(word));
      break;
    }
    if (b == '\r' || b == '\n') {
      hook.PassLineEnd(cursor);
      continue;
    }
    if (b == '"' || b == '`') {
      hook.PushArgument(std::string(ReadStringLiteral(cursor)));
    } else if (b == '#') {
      hook.PushArgument(hook.TableElementAt(word, cursor));
    } else if (b == '(') {
      if (!word.empty()) {
        hook.CallFormAndPush(word, cursor);
      } else {
        const std::string value = hook.Calculate(ReadParenthesized(cursor));
        std::string item = hook.LastWasString() ? QuoteValue(value) : value;
        if (!cursor.AtEnd() && !kWordDelimiters.Has(cursor.Peek())) item += ReadWord(cursor);
        hook.PushArgument(std::move(item));
      }
    } else if (b == ',') {
      hook.PushArgument(std::move(word));
      ++cursor.Pos;
      continue;
    } else {
      const std::size_t before = cursor.Pos;
      SkipSeparators(cursor);
      b = cursor.Peek();
      if (!kOperatorChars.Has(b)) {
        // A word followed by separators is complete; any other stray character
        // is stepped over.
        if (cursor.Pos != before || b == 0) {
          if (!word.empty()) hook.PushArgument(std::move(word));
        } else {
          cursor.Pos += CharLengthAt(cursor.Ptr());
        }
        continue;
      }
      if (word.empty()) word = hook.PopArgument();
      if (b == '&' && cursor.Peek(1) != '&') {
        std::string value = hook.EvalValue(word);
        while (cursor.Peek() == '&' && cursor.Peek(1) != '&') {
          ++cursor.Pos;
          SkipSeparators(cursor);
          if (cursor.Peek() == '\r' || cursor.Peek() == '\n') {
            hook.PassLineEnd(cursor);
            SkipSeparators(cursor);
          }
          value += hook.EvalTermAt(cursor);
          SkipBlanks(cursor);
        }
        hook.PushArgument(QuoteValue(value));
      } else {
        const std::string_view rest = ReadBalancedUntil(kExpressionEnd, cursor);
        const std::string value = hook.Calculate(word + std::string(rest));
        hook.PushArgument(hook.LastWasString() ? QuoteValue(value) : value);
      }
    }
    SkipSeparators(cursor);
  }
}

}  // namespace yura
