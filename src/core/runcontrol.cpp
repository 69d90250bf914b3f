#include "core/runcontrol.h"

#include <string>

#include "core/errors.h"

namespace yura {
namespace {

std::int32_t NextPass(std::int32_t counter) { return static_cast<std::int32_t>(static_cast<std::int64_t>(counter) + 1); }

// Leaves the innermost frame: execution goes on after its block.
void Leave(TYuraBase& state) {
  TRunControl frame;
  state.RunStack.Pop(frame);
  state.Cursor = std::move(frame.ExitPos);
}

// A loop goes on with its frame where it is; nothing between the end of one
// pass and the start of the next runs script code, so no one can tell.
void NextPassInPlace(TYuraBase& state, TRunControl& frame) {
  frame.Counter = NextPass(frame.Counter);
  // The cursor is at the end of the body it ran: only its place changes.
  if (state.Cursor.Text == frame.Body)
    state.Cursor.Pos = 0;
  else
    state.Cursor = TCursor(frame.Body, 0);
}

// The end of the innermost frame's block.
void EndOfFrame(TYuraBase& state, TConditionEvaluator& evaluator, TRunControl& frame) {
  switch (frame.Kind) {
    case rcThen:
    case rcElse:
    case rcCase:
      Leave(state);
      return;
    case rcFor:
      if (frame.Counter == frame.Limit) return Leave(state);
      NextPassInPlace(state, frame);
      if (frame.CounterVariable) frame.CounterVariable->SetWholeNumber(frame.Counter);
      return;
    case rcTimes:
      if (frame.Counter == frame.Limit) return Leave(state);
      NextPassInPlace(state, frame);
      SetPassCount(state, frame.Counter);
      return;
    case rcCall:
    case rcEvent: {
      TRunControl call;
      state.RunStack.Pop(call);
      state.Cursor = std::move(call.BodyPos);
      state.SourceFileName = std::move(call.FileName);
      return;
    }
    case rcEach: {
      const std::size_t items = frame.Items ? frame.Items->size() : 0;
      if (frame.Counter < 0 || static_cast<std::size_t>(frame.Counter) >= items) return Leave(state);
      if (state.SoreNode) {
        state.SoreNode->SetValue((*frame.Items)[static_cast<std::size_t>(frame.Counter)]);
        state.SoreNode->Description = kTagString;
      }
      NextPassInPlace(state, frame);
      SetPassCount(state, frame.Counter);
      return;
    }
    case rcWhile: {
      // A plain test runs no code and is made in place; any other test is
      // made with the frame set aside, as the code it runs may look at the
      // frames (抜ける inside the test).
      if (const auto plain = evaluator.PlainConditionValue(frame.Condition)) {
        if (*plain == 0) return Leave(state);
        NextPassInPlace(state, frame);
        SetPassCount(state, frame.Counter);
        return;
      }
      TRunControl loop;
      state.RunStack.Pop(loop);
      if (evaluator.ConditionValue(loop.Condition) == 0) {
        state.Cursor = std::move(loop.ExitPos);
        return;
      }
      NextPassInPlace(state, loop);
      SetPassCount(state, loop.Counter);
      state.RunStack.Push(std::move(loop));
      return;
    }
  }
  TRunControl unknown;
  state.RunStack.Pop(unknown);
  state.Raise("特定できないシステムエラーです(ToT)\"CheckRunControl\"で未定義の構文があります。");
}

}  // namespace

void SetPassCount(TYuraBase& state, std::int32_t pass) {
  if (!state.CountNode) return;
  state.CountNode->SetWholeNumber(pass);
  state.CountNode->Description = kTagNumber;
}

void CheckRunControl(TYuraBase& state, TConditionEvaluator& evaluator) {
  TRunControl* frame = state.RunStack.Top();
  if (frame == nullptr) return;
  try {
    EndOfFrame(state, evaluator, *frame);
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
