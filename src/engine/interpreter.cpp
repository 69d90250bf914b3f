#include "engine/interpreter.h"

#include "commands/registry/registry.h"
#include "source/prepare.h"

namespace yura {

void PrepareOrRaise(TYuraBase& state, std::string& text) {
  try {
    PrepareSource(text);
  } catch (const EPrepareError& error) {
    state.Cursor.Clear();
    state.CurrentLine = error.Line;
    state.Raise(error.what());
  }
}

void TInterpreter::PrepareRun() {
  state_.ResetForStart();
  RegisterAll(state_);
  std::string text = state_.SourceText ? *state_.SourceText : std::string();
  PrepareOrRaise(state_, text);
  state_.Texts[0] = MakeText(std::move(text));
  state_.TextCount = 1;
  state_.SourceText = state_.Texts[0];
}

void TInterpreter::RunScript() {
  if (state_.Cursor.IsEmpty()) return;
  // The statement executor comes with the language core; until then a text
  // with anything to run is refused plainly.
  for (const char* p = state_.Cursor.Ptr(); *p != '\0'; ++p) {
    if (*p == '\r' || *p == '\n' || *p == ' ' || *p == '\t' || *p == ':' || (*p >= '0' && *p <= '9')) continue;
    state_.Raise("文を実行する部分は、まだ組み込まれていません。");
  }
  state_.Cursor.Clear();
}

bool TInterpreter::CloseQuery() {
  const TCursor remembered = state_.Cursor;
  if (state_.NoExitNode && state_.NoExitNode->Value == "1") {
    state_.Cursor = remembered;
    return false;
  }
  state_.Cursor.Clear();
  state_.StopRequested = true;
  return true;
}

long long TInterpreter::ConditionValue(std::string_view) { return 0; }

}  // namespace yura
