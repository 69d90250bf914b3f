#include "core/runcontrol.h"

#include <string>

#include "core/errors.h"

namespace yura {
namespace {

void SetCount(TYuraBase& state, std::int32_t pass) {
  if (!state.CountNode) return;
  state.CountNode->SetValue(std::to_string(pass));
  state.CountNode->Description = kTagNumber;
}

// Pushes the frame back and starts its block again.
void Restart(TYuraBase& state, TRunControl&& frame) {
  state.Cursor = TCursor(frame.Body, 0);
  state.RunStack.Push(std::move(frame));
}

std::int32_t NextPass(std::int32_t counter) { return static_cast<std::int32_t>(static_cast<std::int64_t>(counter) + 1); }

void EndOfFrame(TYuraBase& state, TConditionEvaluator& evaluator, TRunControl&& frame) {
  switch (frame.Kind) {
    case rcThen:
    case rcElse:
    case rcCase:
      state.Cursor = frame.ExitPos;
      return;
    case rcFor:
      if (frame.Counter == frame.Limit) {
        state.Cursor = frame.ExitPos;
        return;
      }
      frame.Counter = NextPass(frame.Counter);
      if (frame.CounterVariable) frame.CounterVariable->SetValue(std::to_string(frame.Counter));
      Restart(state, std::move(frame));
      return;
    case rcTimes:
      if (frame.Counter == frame.Limit) {
        state.Cursor = frame.ExitPos;
        return;
      }
      frame.Counter = NextPass(frame.Counter);
      SetCount(state, frame.Counter);
      Restart(state, std::move(frame));
      return;
    case rcCall:
    case rcEvent:
      state.Cursor = frame.BodyPos;
      state.SourceFileName = frame.FileName;
      return;
    case rcEach: {
      const std::size_t items = frame.Items ? frame.Items->size() : 0;
      if (frame.Counter < 0 || static_cast<std::size_t>(frame.Counter) >= items) {
        frame.Items.reset();
        state.Cursor = frame.ExitPos;
        return;
      }
      if (state.SoreNode) {
        state.SoreNode->SetValue((*frame.Items)[static_cast<std::size_t>(frame.Counter)]);
        state.SoreNode->Description = kTagString;
      }
      frame.Counter = NextPass(frame.Counter);
      SetCount(state, frame.Counter);
      Restart(state, std::move(frame));
      return;
    }
    case rcWhile:
      if (evaluator.ConditionValue(frame.Condition) == 0) {
        state.Cursor = frame.ExitPos;
        return;
      }
      frame.Counter = NextPass(frame.Counter);
      SetCount(state, frame.Counter);
      Restart(state, std::move(frame));
      return;
  }
  state.Raise("特定できないシステムエラーです(ToT)\"CheckRunControl\"で未定義の構文があります。");
}

}  // namespace

void CheckRunControl(TYuraBase& state, TConditionEvaluator& evaluator) {
  TRunControl frame;
  if (!state.RunStack.Pop(frame)) return;
  try {
    EndOfFrame(state, evaluator, std::move(frame));
  } catch (const EStackFull&) {
    throw;
  } catch (const EYura& error) {
    state.Raise("実行制御でエラー。" + error.Message() + ".制御スタック：" + std::to_string(state.RunStack.Count()));
  } catch (const EPlainError& error) {
    state.Raise(std::string("実行制御でエラー。") + error.what() + ".制御スタック：" +
                std::to_string(state.RunStack.Count()));
  }
}

}  // namespace yura
