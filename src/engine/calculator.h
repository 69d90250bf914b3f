// Values: argument texts evaluated, terms read, formulas calculated, string
// literals expanded. Every evaluation leaves the type tag of its value in
// the state's LastType.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/yurabase.h"
#include "engine/formulacache.h"
#include "engine/numbers.h"

namespace yura {

class TCsvTable;
class TEngine;

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
  // name#row[#column] of a table.
  std::string ArrayElement(const TCsvTable& table, long long row, long long column, bool hasColumn);
  // An index of an array element at the cursor: a parenthesised formula or a
  // word, read as an integer (-1 when it is none).
  long long ReadIndexAt(TCursor& cursor);

  // The plain formulas compiled so far.
  TFormulaCache& Formulas() { return formulas_; }

  // The element of a variable's value (null: an empty value) named by the
  // "#" indices at the cursor.
  std::string ArrayElementAt(const TNodeRef& variable, TCursor& cursor);

 private:
  std::string EvalWord(TCursor& cursor, std::string_view word);
  std::string EvalBorrowed(const std::string& text);
  std::string CalculateAt(TCursor& cursor, bool nested);

  // The variable's value parsed as a table; the last one is kept until the
  // value changes, so that reading elements in a loop parses it once.
  std::shared_ptr<const TCsvTable> ParsedTable(const TNodeRef& variable);

  TEngine& engine_;
  TYuraBase& state_;
  struct TTableCache {
    TNodeRef Variable;  // held, so that no other node can take its place
    std::uint64_t Version = 0;
    std::shared_ptr<const TCsvTable> Table;
  } tableCache_;
  TFormulaCache formulas_;
};

}  // namespace yura
