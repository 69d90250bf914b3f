// Plain formulas compiled once per text. A formula made only of decimal
// numbers, variables, parentheses and the operators + - * / % ^, the
// comparisons, && and || is turned into a postfix program the first time its
// text is calculated; later calculations of the same text run the program.
//
// A program gives the same number the calculator gives, or nothing, and then
// the calculator runs as before: it steps aside whenever the calculator would
// read a value as text (a variable that is not a number, a string compared),
// and whenever the calculator would raise an error. Running a program reads
// variables and nothing else, so stepping aside after a partial run is safe.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/hash.h"
#include "engine/placecache.h"

namespace yura {

class TFormulaProgram;

class TFormulaCache {
 public:
  explicit TFormulaCache(const THash& words);
  ~TFormulaCache();
  TFormulaCache(const TFormulaCache&) = delete;
  TFormulaCache& operator=(const TFormulaCache&) = delete;

  // The value of the formula, or nothing when the calculator must run it.
  // `asArgument`: the text is an argument value, whose first term the
  // calculator reads on its own before the formula; the program then stands
  // only when that term reads back as the same number.
  std::optional<TNumber> Evaluate(std::string_view text, bool asArgument);

  // The program of a text, kept by those that remember where a formula
  // stands; null when the text is no plain formula.
  std::shared_ptr<TFormulaProgram> ProgramFor(std::string_view text);
  // Runs a program from ProgramFor, as Evaluate does.
  std::optional<TNumber> Run(TFormulaProgram& program, bool asArgument);

  // Off for the whole run when YURAHOSI_NO_CACHE=1.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

 private:
  // The map's entry for the text, compiled on first sight; null for a text
  // that is not looked at (too long, no operator, a literal, a line end).
  const std::shared_ptr<TFormulaProgram>* Entry(std::string_view text);

  const THash& words_;
  bool enabled_ = true;
  // Texts that are no plain formula keep a null program, so that they are
  // compiled only once.
  std::unordered_map<std::string, std::shared_ptr<TFormulaProgram>, TTextHash, std::equal_to<>> programs_;
};

}  // namespace yura
