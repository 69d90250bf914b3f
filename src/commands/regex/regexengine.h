// The regular expressions behind the regex commands. One TRegexEngine serves
// one command: it runs an operator on a subject and keeps the texts of that
// run (groups or pieces), copied, so nothing points into the subject.
// Patterns are Perl-style on Shift_JIS bytes; compiled operators are shared
// through a small cache. Every fault throws ERegexError, also a pattern
// that backtracks without end (a retry limit stops it).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "commands/regex/regexoperator.h"

namespace yura {

class TRegexEngine {
 public:
  // The longest split the commands ask for.
  static constexpr int kSplitLimit = 1000;

  // m/…/: true when it matched. The results are the whole match and every
  // group; with g, those of every match in turn.
  bool Match(std::string_view op, std::string_view subject);
  // s/…/…/: true when something was replaced; `subject` is then the result.
  // The results are the groups of the last replacement.
  bool Substitute(std::string_view op, std::string& subject);
  // tr/…/…/: true when some character was found; `subject` is then the
  // result. Leaves no results.
  bool Translate(std::string_view op, std::string& subject);
  // The pieces of `subject` between the matches of m/…/ (groups in between,
  // as Perl's split gives them), at most `limit`.
  void Split(std::string_view op, std::string_view subject, int limit = kSplitLimit);

  // After a match or substitution the group count + 1 (for a global match the
  // lines of all matches), after a split the pieces, else 0.
  int MatchCount() const { return static_cast<int>(results_.size()); }
  // The results, each followed by CR LF.
  std::string ResultLines() const;
  const std::vector<std::string>& Results() const { return results_; }

 private:
  std::vector<std::string> results_;
};

}  // namespace yura
