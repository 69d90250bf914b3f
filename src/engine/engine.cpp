#include "engine/engine.h"

#include <cmath>

#include "commands/registry/dispatch.h"
#include "commands/registry/registry.h"
#include "core/errors.h"
#include "core/format.h"
#include "engine/assign.h"
#include "engine/calculator.h"
#include "engine/events.h"
#include "engine/executor.h"
#include "engine/invoke.h"
#include "engine/labels.h"
#include "platform/stackguard.h"
#include "source/prepare.h"
#include "source/textlines.h"

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

TEngine::TEngine(TYuraBase& state)
    : state_(state),
      calculator_(std::make_unique<TCalculator>(*this)),
      executor_(std::make_unique<TExecutor>(*this)),
      assigner_(std::make_unique<TAssigner>(*this)),
      invoker_(std::make_unique<TInvoker>(*this)),
      dispatcher_(std::make_unique<TDispatcher>(*this)),
      events_(std::make_unique<TEventRunner>(*this)) {}

TEngine::~TEngine() = default;

void TEngine::PrepareRun() {
  state_.ResetForStart();
  RegisterAll(state_);
  std::string text = state_.SourceText ? *state_.SourceText : std::string();
  PrepareOrRaise(state_, text);
  state_.Texts[0] = MakeText(std::move(text));
  state_.TextCount = 1;
  state_.SourceText = state_.Texts[0];
  RegisterLabels(state_, state_.Texts[0], state_.SourceFileName);
}

void TEngine::RunScript() { executor_->RunScript(); }

bool TEngine::CloseQuery() {
  const TCursor remembered = state_.Cursor;
  if (state_.ExitLabel) {
    const TNodeRef label = std::move(state_.ExitLabel);
    state_.ExitLabel.reset();
    if (state_.NoExitNode) state_.NoExitNode->SetValue("0");
    state_.Cursor = label->Position;
    {
      TLevelGuard level(state_.RunStack);
      RunScript();
    }
  }
  if (state_.NoExitNode && state_.NoExitNode->Value() == "1") {
    state_.Cursor = remembered;
    return false;
  }
  state_.Cursor.Clear();
  state_.StopRequested = true;
  return true;
}

std::string TEngine::PopValue() { return calculator_->EvalValue(state_.ArgStack.Pop()); }

std::string TEngine::EvalValue(std::string_view text) { return calculator_->EvalValue(text); }

void TEngine::SetSore(std::string value, std::string_view tag) {
  if (!state_.SoreNode) return;
  state_.SoreNode->SetValue(std::move(value));
  state_.SoreNode->Description.assign(tag);
}

void TEngine::Raise(std::string_view messageTemplate, std::initializer_list<std::string_view> values) {
  state_.Raise(FormatMessage(messageTemplate, values));
}

void TEngine::HandleScriptError(const EYura& error) {
  if (state_.ErrorMessageNode) state_.ErrorMessageNode->SetValue(error.Message());
  // What the failed sentence had stacked must not reach the next one.
  state_.ArgStack.Clear();
  if (state_.ErrorLabel && state_.ErrorJumpSentence != state_.SentenceCount) {
    state_.ErrorJumpSentence = state_.SentenceCount;
    state_.ErrorReturnPos = state_.Cursor;
    state_.Cursor = state_.ErrorLabel->Position;
    return;
  }
  if (!state_.ErrorWarn && !state_.ErrorLabel) return;
  if (Trim(state_.ErrorLog).empty())
    state_.ErrorLog = state_.FormatError(error.Message()) + "\r\n" + std::string(kMsgNoProgress);
  switch (Host().ShowErrorWindow(state_.ErrorLog, state_.DebugMode)) {
    case TErrorWindowChoice::Continue:
    case TErrorWindowChoice::Debug:  // the debug window comes with the debugger
      return;
    case TErrorWindowChoice::Stop:
      state_.StopRequested = true;
      state_.Cursor.Clear();
      Host().CloseMainWindow();
      return;
  }
}

std::string_view TEngine::CommandName(const THashNode& entry) const {
  return commandNames_.empty() || commandNames_.back().empty() ? std::string_view(entry.Name) : commandNames_.back();
}

void TEngine::CheckNativeDepth(std::size_t reserve) {
  if (!NearStackLimit(reserve)) return;
  std::string message = state_.FormatError(kMsgStackFull);
  state_.AppendToErrorLog(message);
  throw EStackFull(std::move(message));
}

long long TEngine::ConditionValue(std::string_view condition) {
  const TNumber value = std::trunc(ToNumber(calculator_->CalculateText(condition)));
  return value != 0 ? 1 : 0;
}

std::optional<long long> TEngine::PlainConditionValue(std::string_view condition) {
  const auto value = calculator_->Formulas().Evaluate(condition, false);
  if (!value) return std::nullopt;
  // The value as ConditionValue reads it from its text.
  bool plain = false;
  return std::trunc(ReadBackNumber(*value, plain)) != 0 ? 1 : 0;
}

}  // namespace yura
