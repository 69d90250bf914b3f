// The engine's entry points for the host: preparing a run, the run loop and
// the end handler of a close request.
#pragma once

#include <string>
#include <string_view>

#include "core/runcontrol.h"
#include "core/yurabase.h"

namespace yura {

// Prepares a text in place; an unbalanced string or brace comment becomes a
// script error reported at the line of the opening quote or brace.
void PrepareOrRaise(TYuraBase& state, std::string& text);

class TInterpreter final : public TConditionEvaluator {
 public:
  explicit TInterpreter(TYuraBase& state) : state_(state) {}

  // The start of a run: state reset, vocabulary, the prepared main text in
  // slot 0 and its labels. Throws EYura on a source error.
  void PrepareRun();
  // Runs until the text and its frames are exhausted, the cursor is cleared
  // or a stop is requested.
  void RunScript();
  // The end handler of a close request; true when the window may close.
  bool CloseQuery();

  long long ConditionValue(std::string_view condition) override;

 private:
  TYuraBase& state_;
};

}  // namespace yura
