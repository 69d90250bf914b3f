// The statement executor: walks a prepared text with a cursor, pushing one
// argument per step and running the command word at the end of a sentence.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/yurabase.h"
#include "engine/placecache.h"
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
  // A sentence of plain words, each pushed as it is written (Tに、Iを、足す):
  // its words and where it ends, read once per place.
  struct TWordSentence {
    std::vector<std::string> Words;  // empty: a sentence of another kind
    std::size_t End = 0;
  };
  TWordSentence ReadWordSentence(TCursor cursor) const;
  // Pushes the words of a known word sentence at the cursor and moves to its
  // end; false when the sentence is of another kind.
  bool ReplayWordSentence(TCursor& cursor);

  void ClassifyWord(std::string t, TCursor& cursor, bool plainWord);
  std::string ReadNumberLedItem(TCursor& cursor);
  std::string ReadTableElementReference(TCursor& cursor);
  void RaiseMisplaced(unsigned char c);
  [[noreturn]] void RaiseScanError(const std::exception& error);

  TEngine& engine_;
  TYuraBase& state_;
  TPlaceCache<TWordSentence> wordSentences_;
};

bool IsCallableKind(const THashNode& node);

}  // namespace yura
