#include "core/stacks.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/runcontrol.h"
#include "fake_host.h"

namespace yura {
namespace {

TEST(TStack, EmptyStackGivesEmptyTexts) {
  TStack stack;
  EXPECT_EQ(stack.Pop(), "");
  EXPECT_EQ(stack.PopFront(), "");
  EXPECT_EQ(stack.Count(), 0u);
  for (const char* item : {"1から", "`a`を", "言う"}) stack.Push(item);
  EXPECT_EQ(stack.Peek(5), "");
  EXPECT_EQ(stack.Peek(1), "`a`を");
  EXPECT_EQ(stack.AsLines(), "1から\r\n`a`を\r\n言う\r\n");
  EXPECT_EQ(stack.PopFront(), "1から");
  stack.Insert(0, "x");
  stack.Delete(1);
  EXPECT_EQ(stack.Pop(), "言う");
  EXPECT_EQ(stack.Pop(), "x");
}

TRunControl Frame(TRunKind kind) {
  TRunControl frame;
  frame.Kind = kind;
  return frame;
}

TEST(TRunControlStack, LevelsAreIndependent) {
  TRunControlStack stack;
  stack.Push(Frame(rcCall));
  stack.Push(Frame(rcTimes));
  stack.RestoreLevel();  // nothing saved: no change
  EXPECT_EQ(stack.Count(), 2u);
  {
    TLevelGuard level(stack);
    EXPECT_EQ(stack.Count(), 0u);
    stack.Push(Frame(rcThen));
    TRunControl frame;
    ASSERT_TRUE(stack.Pop(frame));
    EXPECT_EQ(frame.Kind, rcThen);
    EXPECT_FALSE(stack.Pop(frame));  // never reaches into the suspended level
  }
  ASSERT_EQ(stack.Count(), 2u);
  TRunControl frame;
  EXPECT_TRUE(stack.GetAt(1, frame));
  EXPECT_EQ(frame.Kind, rcTimes);
  EXPECT_FALSE(stack.GetAt(2, frame));
  stack.SaveLevel();
  stack.Push(Frame(rcElse));
  stack.ClearAll();
  EXPECT_EQ(stack.Count(), 0u);
  EXPECT_EQ(stack.SavedLevelCount(), 0u);
}

// Answers a loop's test; `Plain` makes it answer as for a plain formula, and
// FramesSeen tells how many frames were on the stack while the test ran.
class TFixedCondition final : public TConditionEvaluator {
 public:
  explicit TFixedCondition(const TRunControlStack& stack) : stack_(stack) {}
  long long ConditionValue(std::string_view condition) override {
    Seen = std::string(condition);
    FramesSeen = stack_.Count();
    return Remaining-- > 0 ? 1 : 0;
  }
  std::optional<long long> PlainConditionValue(std::string_view condition) override {
    if (!Plain) return std::nullopt;
    return ConditionValue(condition);
  }
  int Remaining = 0;
  bool Plain = false;
  std::string Seen;
  std::size_t FramesSeen = 0;

 private:
  const TRunControlStack& stack_;
};

class RunControlTest : public ::testing::Test {
 protected:
  RunControlTest() : state(host), condition(state.RunStack) {
    state.SoreNode = THashNode::MakeVariable("それ", "", -1, false);
    state.CountNode = THashNode::MakeVariable("回数", "0", -1, true);
    outer = MakeText("outer text");
  }
  // A loop frame whose body is `body` and whose exit is position 3 of `outer`.
  TRunControl Loop(TRunKind kind, std::int32_t counter, std::int32_t limit) {
    TRunControl frame = Frame(kind);
    frame.Body = MakeText("body");
    frame.ExitPos = TCursor(outer, 3);
    frame.Counter = counter;
    frame.Limit = limit;
    return frame;
  }
  TFakeHost host;
  TYuraBase state;
  TFixedCondition condition;
  TText outer;
};

TEST_F(RunControlTest, ForLoopRestartsUntilTheLimit) {
  TRunControl frame = Loop(rcFor, 1, 2);
  frame.CounterVariable = THashNode::MakeVariable("I", "1", 0, false);
  const TNodeRef counter = frame.CounterVariable;
  state.RunStack.Push(frame);
  CheckRunControl(state, condition);
  EXPECT_EQ(counter->Value(), "2");
  EXPECT_EQ(state.Cursor, TCursor(state.RunStack.Top()->Body, 0));
  EXPECT_EQ(state.RunStack.Count(), 1u);
  CheckRunControl(state, condition);
  EXPECT_EQ(state.Cursor, TCursor(outer, 3));
  EXPECT_EQ(state.RunStack.Count(), 0u);
  EXPECT_EQ(counter->Value(), "2");
}

TEST_F(RunControlTest, TimesSetsTheCount) {
  state.RunStack.Push(Loop(rcTimes, 1, 3));
  CheckRunControl(state, condition);
  EXPECT_EQ(state.CountNode->Value(), "2");
  CheckRunControl(state, condition);
  EXPECT_EQ(state.CountNode->Value(), "3");
  CheckRunControl(state, condition);
  EXPECT_TRUE(state.RunStack.Empty());
}

TEST_F(RunControlTest, EachGivesItemsInSore) {
  TRunControl frame = Loop(rcEach, 1, 3);
  frame.Items = std::make_shared<const std::vector<std::string>>(std::vector<std::string>{"a", "b", "c"});
  state.RunStack.Push(frame);
  CheckRunControl(state, condition);
  EXPECT_EQ(state.SoreNode->Value(), "b");
  EXPECT_EQ(state.CountNode->Value(), "2");
  CheckRunControl(state, condition);
  EXPECT_EQ(state.SoreNode->Value(), "c");
  EXPECT_EQ(state.CountNode->Value(), "3");
  CheckRunControl(state, condition);
  EXPECT_EQ(state.Cursor, TCursor(outer, 3));
}

TEST_F(RunControlTest, WhileTestsItsConditionAtEveryEnd) {
  // A test that may run code is made with the loop's frame set aside; a
  // plain one with the frame in place. Either way the loop goes on alike.
  for (const bool plain : {false, true}) {
    SCOPED_TRACE(plain ? "plain test" : "general test");
    TRunControl frame = Loop(rcWhile, 1, -1);
    frame.Condition = "A<3";
    state.RunStack.Push(Frame(rcThen));
    state.RunStack.Push(frame);
    condition.Plain = plain;
    condition.Remaining = 1;
    CheckRunControl(state, condition);
    EXPECT_EQ(condition.Seen, "A<3");
    EXPECT_EQ(condition.FramesSeen, plain ? 2u : 1u);
    EXPECT_EQ(state.CountNode->Value(), "2");
    EXPECT_EQ(state.RunStack.Count(), 2u);
    EXPECT_EQ(state.Cursor, TCursor(state.RunStack.Top()->Body, 0));
    CheckRunControl(state, condition);
    EXPECT_EQ(state.Cursor, TCursor(outer, 3));
    EXPECT_EQ(state.RunStack.Count(), 1u);
    state.RunStack.Clear();
  }
}

TEST_F(RunControlTest, CallReturnsAndRestoresTheFileName) {
  TRunControl frame = Frame(rcCall);
  frame.BodyPos = TCursor(outer, 5);
  frame.FileName = "main.yrh";
  state.SourceFileName = "lib.yrh";
  state.RunStack.Push(frame);
  CheckRunControl(state, condition);
  EXPECT_EQ(state.Cursor, TCursor(outer, 5));
  EXPECT_EQ(state.SourceFileName, "main.yrh");
  CheckRunControl(state, condition);  // nothing left: nothing happens
  EXPECT_EQ(state.Cursor, TCursor(outer, 5));
}

TEST_F(RunControlTest, UnknownKindIsWrappedWithTheFrameCount) {
  state.SourceFileName = "dir/t.yrh";
  state.CurrentLine = 4;
  state.RunStack.Push(Frame(rcCall));
  state.RunStack.Push(Frame(static_cast<TRunKind>(7)));
  try {
    CheckRunControl(state, condition);
    ADD_FAILURE();
  } catch (const EYura& e) {
    const std::string inner =
        "[エラー] t.yrh(4行目): 特定できないシステムエラーです(ToT)\"CheckRunControl\"で未定義の構文があります。";
    EXPECT_EQ(e.Message(), "[エラー] t.yrh(4行目): 実行制御でエラー。" + inner + ".制御スタック：1");
    EXPECT_EQ(state.ErrorLog, inner + "\r\n" + e.Message() + "\r\n");
  }
}

}  // namespace
}  // namespace yura
