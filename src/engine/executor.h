// The statement executor: walks a prepared text with a cursor, pushing one
// argument per step and running the command word at the end of a sentence.
#pragma once

#include <string>
#include <string_view>

#include "core/yurabase.h"
#include "source/scanner.h"

namespace yura {

class TEngine;
struct THashNode;

class TExecutor final : public TEvaluatorHook {
 public:
  explicit TExecutor(TEngine& engine);

  void RunScript();
  void ExecuteStep(TCursor& cursor);
  void EndSentence();
  // `writtenName`: the word as the script wrote it.
  void ExecuteWord(THashNode& node, std::string_view writtenName = {});
  // name(a, b, ...) at the cursor; with `push`, the result is also pushed.
  std::string CallForm(std::string_view name, TCursor& cursor, bool push);

  // Line tracking.
  void SkipLineEnd(TCursor& cursor);
  static void SkipToLineEnd(TCursor& cursor);
  // The rest of the sentence: up to CR, LF, ";" or the end, literals and
  // parentheses taken whole; "&" before a line end continues on the next line.
  std::string ReadRestOfSentence(TCursor& cursor);

  // Scanner wrappers that turn a reader failure into a script error.
  std::string_view ReadLiteralOrRaise(TCursor& cursor);
  std::string_view ReadParenthesizedOrRaise(TCursor& cursor);

  // TEvaluatorHook
  void PassLineEnd(TCursor& cursor) override { SkipLineEnd(cursor); }
  std::string EvalTermAt(TCursor& cursor) override;
  std::string EvalValue(std::string_view text) override;
  std::string Calculate(std::string_view formula) override;
  bool LastWasString() const override;
  std::string TableElementAt(std::string_view name, TCursor& cursor) override;
  void CallFormAndPush(std::string_view name, TCursor& cursor) override;
  void PushArgument(std::string text) override;
  std::string PopArgument() override;

 private:
  void ClassifyWord(std::string t, TCursor& cursor, bool plainWord);
  std::string ReadNumberLedItem(TCursor& cursor);
  std::string ReadTableElementReference(TCursor& cursor);
  void RaiseMisplaced(unsigned char c);
  [[noreturn]] void RaiseScanError(const std::exception& error);

  TEngine& engine_;
  TYuraBase& state_;
};

bool IsCallableKind(const THashNode& node);

}  // namespace yura
