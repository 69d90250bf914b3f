// The script timer: タイマー設定 and タイマー解除. Every setting fires once.
#include <cmath>

#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/errors.h"
#include "core/platform_errors.h"
#include "core/yurabase.h"
#include "engine/engine.h"

namespace yura {
namespace {

constexpr std::string_view kMsgUndefinedLabel = "未定義のラベル\"%s\"に、ジャンプしようとしました。";

void SetTimer(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string label = PopName(engine);
  const TNumber seconds = engine.PopNumber();
  if (label.empty()) {
    engine.Host().StopScriptTimer();
    state.TimerLabel.reset();
    return;
  }
  const TNodeRef word = state.Words.Find(label, false);
  if (!word || word->Kind != nkUserFunction) engine.Raise(kMsgUndefinedLabel, {label});
  const long double milliseconds = std::round(seconds * 1000);
  if (!(milliseconds >= 0 && milliseconds <= INT32_MAX)) throw EPlainError(std::string(kMsgRangeCheck));
  state.TimerLabel = word;
  engine.Host().StartScriptTimer(static_cast<std::int32_t>(milliseconds));
}

void StopTimer(TEngine& engine, THashNode&) { engine.Host().StopScriptTimer(); }

}  // namespace

void RegisterTimerHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(263, SetTimer);
  dispatcher.Register(313, StopTimer);
}

}  // namespace yura
