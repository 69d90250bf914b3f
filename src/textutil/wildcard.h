// Wildcard patterns of the language: literal characters, "?", "*", "#",
// bracket groups ("[a-z]", "[!0-9]", "[*0-9]", "[+a-z]", "[=いぬ|ねこ]") and
// the pick-up markers "(" ... ")" that collect the text between them.
// A double-byte Shift_JIS character is one element of pattern and text alike.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace yura {

// A syntax error of a pattern; its what() is the message text (Shift_JIS).
class EWildcardError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// True when the pattern describes the whole text. Throws EWildcardError.
bool WildcardMatch(std::string_view text, std::string_view pattern);

struct TWildcardPrefix {
  std::string Matched;
  std::string Remainder;
  std::vector<std::string> Pickups;
};

// The leading part of the text the pattern describes, with the pick-ups;
// nothing when it does not match. Throws EWildcardError.
std::optional<TWildcardPrefix> WildcardPrefixMatch(std::string_view text, std::string_view pattern);

}  // namespace yura
