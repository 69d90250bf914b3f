// Perl-style operator texts: m/…/flags, s/…/…/flags and tr/…/…/flags, with
// any punctuation delimiter and the bracket pairs () [] {} <>.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace yura {

// A fault in an operator text or while applying it; the message is what the
// regex commands report after their own prefix.
class ERegexError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TRegexKind { Match, Substitute, Translate };

struct TRegexOperator {
  TRegexKind Kind = TRegexKind::Match;
  // The pattern as written between the delimiters (an escaped delimiter keeps
  // its backslash, so it stands for itself); for tr, the search list.
  std::string Pattern;
  // The replacement of s, or the replacement list of tr, as written.
  std::string Replacement;
  bool Global = false;      // g
  bool IgnoreCase = false;  // i
  bool MultiLine = false;   // m: ^ and $ at every line
  bool DotAll = false;      // s: . takes a line feed
  bool Extended = false;    // x
  bool Complement = false;  // tr c
  bool Delete = false;      // tr d
  bool Squeeze = false;     // tr s
};

// Throws ERegexError when the text is no complete operator.
TRegexOperator ParseRegexOperator(std::string_view text);

// The operator that matches `text`: unchanged when it is already a match
// operator ("m" and a punctuation delimiter), otherwise "m/" + text + "/"
// with every unescaped "/" escaped.
std::string MatchOperatorFor(std::string_view text);

}  // namespace yura
