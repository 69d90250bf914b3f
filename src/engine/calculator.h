// Values: argument texts evaluated, terms read, formulas calculated, string
// literals expanded. Every evaluation leaves the type tag of its value in
// the state's LastType.
#pragma once

#include <string>
#include <string_view>

#include "core/yurabase.h"
#include "engine/numbers.h"

namespace yura {

class TEngine;
struct THashNode;

class TCalculator {
 public:
  explicit TCalculator(TEngine& engine);

  // The value of an argument text: a term, "&" joins, or a formula.
  std::string EvalValue(std::string_view text);
  std::string EvalValue(const std::string& text) { return EvalBorrowed(text); }
  // One term at the cursor.
  std::string EvalTerm(TCursor& cursor);
  // A whole formula at the cursor.
  std::string Calculate(TCursor& cursor);
  std::string CalculateText(std::string_view formula);
  // The formula inside the parentheses at the cursor, read in place.
  std::string CalculateParenthesized(TCursor& cursor);
  // A double-quote or backquote literal (with its delimiters) expanded.
  std::string ExpandLiteral(std::string_view literal);

  // "X の Y" where X is a word of the table.
  std::string ReadMember(THashNode& node, std::string_view member);
  // name#row[#column] of a variable's table value.
  std::string ArrayElement(const std::string& value, long long row, long long column, bool hasColumn);
  // An index of an array element at the cursor: a parenthesised formula or a
  // word, read as an integer (-1 when it is none).
  long long ReadIndexAt(TCursor& cursor);

  // The value of a variable followed by "#" indices at the cursor.
  std::string ArrayElementAt(const std::string& value, TCursor& cursor);

 private:
  std::string EvalWord(TCursor& cursor, std::string_view word);
  std::string EvalBorrowed(const std::string& text);
  std::string CalculateAt(TCursor& cursor, bool nested);

  TEngine& engine_;
  TYuraBase& state_;
};

}  // namespace yura
