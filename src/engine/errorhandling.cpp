#include "engine/errorhandling.h"

#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "engine/engine.h"

namespace yura {
namespace {

constexpr std::string_view kMsgUndefinedLabel = "未定義のラベル\"%s\"に、ジャンプしようとしました。";

// Only a label can handle errors or the end of the program.
TNodeRef LabelNamed(TEngine& engine, const std::string& name) {
  const TNodeRef node = engine.State().Words.Find(name, false);
  return node && node->Kind == nkUserFunction ? node : nullptr;
}

void IgnoreErrors(TEngine& engine, THashNode&) {
  engine.State().ErrorWarn = false;
  engine.State().ErrorLabel.reset();
}

void WarnErrors(TEngine& engine, THashNode&) {
  engine.State().ErrorWarn = true;
  engine.State().ErrorLabel.reset();
}

void SetErrorLabel(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string name = PopName(engine);
  state.ErrorLabel = LabelNamed(engine, name);
  state.ErrorJumpSentence = UINT64_MAX;
  if (!state.ErrorLabel) engine.Raise(kMsgUndefinedLabel, {name});
}

void ResumeAfterError(TEngine& engine, THashNode&) { engine.State().Cursor = engine.State().ErrorReturnPos; }

void SetExitLabel(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string raw = engine.PopRaw();
  if (TNodeRef label = LabelNamed(engine, Unbackquote(raw))) {
    state.ExitLabel = std::move(label);
    if (state.NoExitNode) state.NoExitNode->SetValue("1");
    return;
  }
  const std::string value = engine.EvalValue(raw);
  if (!value.empty()) engine.Raise(kMsgUndefinedLabel, {value});
  state.ExitLabel.reset();
  if (state.NoExitNode) state.NoExitNode->SetValue("0");
}

}  // namespace

void RegisterErrorHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(118, IgnoreErrors);
  dispatcher.Register(120, WarnErrors);
  dispatcher.Register(119, SetErrorLabel);
  dispatcher.Register(121, ResumeAfterError);
  dispatcher.Register(161, SetExitLabel);
}

}  // namespace yura
