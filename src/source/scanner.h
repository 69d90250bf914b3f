// The reading primitives the executor and the evaluators use on a prepared
// text. There is no token stream: every primitive reads at a cursor, advances
// it past what it consumed and returns what it read. Double-byte characters are
// never split and never tested against the single-byte sets.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

#include "source/cursor.h"

namespace yura {

// A failure of a primitive (unterminated literal, unclosed parenthesis). The
// executor re-raises it as a script error carrying file and line.
class EScanError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TByteSet {
 public:
  constexpr TByteSet(std::string_view members) {
    for (char c : members) bits_[static_cast<unsigned char>(c)] = true;
  }
  constexpr bool Has(unsigned char b) const { return bits_[b]; }

 private:
  std::array<bool, 256> bits_{};
};

inline constexpr TByteSet kWordDelimiters{"\t\r \"#%&()*+,-/:;<=>?\\^`\xA4"};
inline constexpr TByteSet kOperatorChars{"%&*+-/<=>^|"};
// Operator characters that join with a following one into one operator
// ("&&", "<=", "<>", "||").
inline constexpr TByteSet kPairingOperatorChars{"&<=>|"};
inline constexpr TByteSet kSeparators{"\t ,\xA4"};
inline constexpr TByteSet kBlanks{"\t "};

constexpr bool IsDigit(unsigned char b) { return b >= '0' && b <= '9'; }
constexpr bool IsHexDigit(unsigned char b) {
  return IsDigit(b) || (b >= 'A' && b <= 'F') || (b >= 'a' && b <= 'f');
}

// Messages of the primitives.
inline constexpr std::string_view kMsgBackquoteUnclosed = "対応するカッコ ` または 』 がありません。";
inline constexpr std::string_view kMsgDoubleQuoteUnclosed = "対応するカッコ \" または 」 がありません。";
inline constexpr std::string_view kMsgParenthesisUnclosed = "\")\"が対応していません。\"";

void SkipSeparators(TCursor& cursor);
void SkipBlanks(TCursor& cursor);

// Skips blanks, then takes characters up to the end or a word delimiter. The
// view points into the cursor's text.
std::string_view ReadWord(TCursor& cursor);
std::string ReadNumber(TCursor& cursor);
// A string literal with its delimiters, or empty (cursor unmoved) when the
// cursor is on no literal. `maxLength` < 0 means unlimited.
std::string_view ReadStringLiteral(TCursor& cursor, long maxLength = -1);
// The text inside a balanced pair of parentheses; empty when the cursor is not
// on "(".
std::string_view ReadParenthesized(TCursor& cursor);
std::string_view ReadUntilChar(const TByteSet& set, TCursor& cursor);
std::string_view ReadUntil(std::string_view delimiter, TCursor& cursor);
std::string_view ReadUntilEscaped(std::string_view delimiter, TCursor& cursor, char escape);
std::string_view ReadChar(TCursor& cursor);

// Advances over characters until one of `stops` (or the end), taking string
// literals and parenthesised parts whole; returns what it passed.
std::string_view ReadBalancedUntil(const TByteSet& stops, TCursor& cursor);

std::string RightBytes(std::string_view s, std::size_t n);
std::string QuoteValue(std::string_view value);
// Tabs become spaces up to the next multiple of `width` columns (a double-byte
// character is two columns); CR or LF, with one directly following CR or LF,
// becomes CR LF.
std::string ExpandTabs(std::string_view text, long width);

// What ReadTail and ParseArgumentList need from the language core.
class TEvaluatorHook {
 public:
  virtual ~TEvaluatorHook() = default;
  // Passes a line end and its line marker (the executor's line tracking).
  virtual void PassLineEnd(TCursor& cursor) = 0;
  // The value of one term at the cursor.
  virtual std::string EvalTermAt(TCursor& cursor) = 0;
  // The value of a whole argument text.
  virtual std::string EvalValue(std::string_view text) = 0;
  virtual std::string Calculate(std::string_view formula) = 0;
  // Whether the last value produced was a string.
  virtual bool LastWasString() const = 0;
  // Cursor on "#" after `name`: reads the indices and returns the element.
  virtual std::string TableElementAt(std::string_view name, TCursor& cursor) = 0;
  // Cursor on "(" after `name`: runs the call form and pushes its result.
  virtual void CallFormAndPush(std::string_view name, TCursor& cursor) = 0;
  virtual void PushArgument(std::string text) = 0;
  virtual std::string PopArgument() = 0;
};

// The text after a string literal or parenthesised value in a sentence: the
// particle, or an "&" chain ending in the particle.
std::string ReadTail(TCursor& cursor, TEvaluatorHook& hook);

// Pushes the arguments of a parenthesised call list, in order.
void ParseArgumentList(std::string_view text, TEvaluatorHook& hook);

}  // namespace yura
