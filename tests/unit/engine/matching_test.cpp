#include <gtest/gtest.h>

#include <vector>

#include "engine/invoke.h"
#include "engine_fixture.h"

namespace yura {
namespace {

struct TMatchCase {
  const char* pattern;
  std::vector<std::string> stack;  // bottom first
  bool byPosition;
  std::vector<std::string> matched;  // bottom first, or
  const char* error;                 // the error's message after the prefix
};

TEST(MatchArguments, Table) {
  const TMatchCase cases[] = {
      // Last particle first, each time the topmost item that fits: を also takes の.
      {"?の,?を,?に", {"Aを", "Bに", "Cの"}, false, {"A", "C", "B"}, nullptr},
      {"?の,?を,?に", {"Aを", "Cに", "Bの"}, false, {"A", "B", "C"}, nullptr},
      {"?と", {"`x`を"}, false, {"`x`"}, nullptr},
      {"?と", {}, false, {"それ"}, nullptr},
      {"?に,?を", {"Xへ", "1と"}, false, {"X", "1"}, nullptr},
      {"?を,?の", {"Pの", "Qの"}, false, {"P", "Q"}, nullptr},
      {"?,?", {"\"abc\"", "2"}, true, {"\"abc\"", "2"}, nullptr},
      {"?を,?で", {"aを", "b"}, true, {"a", "b"}, nullptr},
      {"?を", {}, true, {"それ"}, nullptr},
      {"?に,?を", {}, false, {}, "\"X\"命令の引数に誤りがあります。\"?に,?を\"の形式で指定してください。引数が少ないです。"},
      {"?に,?を", {"1で"}, false, {}, "\"X\"命令の引数に誤りがあります。\"?に,?を\"の形式で指定してください。\"を\""},
      // A particle is a whole character: the trail byte of 義 never counts.
      {"?を", {"`名義`"}, false, {}, "\"X\"命令の引数に誤りがあります。\"?を\"の形式で指定してください。\"を\""},
  };
  for (const TMatchCase& c : cases) {
    TEngineFixture f;
    THashNode node;
    node.Name = "X";
    node.ArgPattern = c.pattern;
    for (const std::string& item : c.stack) f.state.ArgStack.Push(item);
    f.state.ParenCall = c.byPosition;
    const std::string error = f.ErrorOf([&] { f.engine.Invoker().MatchArguments(node); });
    if (c.error != nullptr) {
      EXPECT_EQ(error, std::string("[エラー] t.yrh(0行目): ") + c.error) << c.pattern;
      continue;
    }
    EXPECT_EQ(error, "") << c.pattern;
    EXPECT_EQ(f.state.ArgStack.Items(), c.matched) << c.pattern;
    EXPECT_FALSE(f.state.ParenCall);  // the function form applies to one match only
  }
}

TEST(MatchArguments, StackLimit) {
  TEngineFixture f;
  THashNode node;
  node.Name = "X";
  node.ArgPattern = "?を";
  for (int i = 0; i < 5001; ++i) f.state.ArgStack.Push("aを");
  EXPECT_EQ(f.ErrorOf([&] { f.engine.Invoker().MatchArguments(node); }),
            "[エラー] t.yrh(0行目): スタックが一杯になりました。ラベルなどに再帰呼び出しがないか確認！");
}

}  // namespace
}  // namespace yura
