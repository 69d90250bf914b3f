// Assignment: Aは、10 / A = 10 to variables, table elements, members of
// objects, dictionaries and key=value variables, and to 作業フォルダ.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/yurabase.h"
#include "engine/placecache.h"

namespace yura {

class TEngine;
class TFormulaProgram;

class TAssigner {
 public:
  explicit TAssigner(TEngine& engine);

  void Assign(std::string target, TCursor& cursor);
  void AssignMember(std::string object, std::string member, TCursor& cursor);
  // True when the text's first word is a known word, or Xの + member of an
  // object or dictionary; `value` is then the text's value.
  bool IsMemberReference(std::string_view text, std::string& value);

  // A name=value line list with the line for `key` set to `value`.
  static std::string SetPairValue(std::string_view pairs, std::string_view key, std::string_view value);
  static std::string PairValue(std::string_view pairs, std::string_view key);

 private:
  // "X=formula" where X is a variable and the formula a plain one: what the
  // sentence's place holds, read once.
  struct TPlainAssignment {
    std::string Target;
    std::size_t End = 0;
    std::shared_ptr<TFormulaProgram> Program;  // null: no plain formula
    // "X = X & ...": where the appended terms stand; empty: no such join.
    std::vector<std::size_t> AppendedTerms;
  };
  bool AssignPlainFormula(const std::string& target, TCursor& cursor);
  // X's value is extended in place instead of copied and joined.
  bool AppendInPlace(const TPlainAssignment& plan, THashNode& target, TCursor& cursor);

  TEngine& engine_;
  TYuraBase& state_;
  TPlaceCache<TPlainAssignment> plainAssignments_;
};

}  // namespace yura
