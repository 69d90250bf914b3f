#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace yura {
namespace {

TEST(Calculate, PrecedenceAndOperators) {
  TEngineFixture f;
  const std::pair<const char*, const char*> cases[] = {
      {"1+2*3", "7"},      {"(1+2)*3", "9"},   {"2^3^2", "64"},     {"7%3", "1"},       {"-7%3", "-1"},
      {"5/0", "0"},        {"5%0", "0"},       {"2^0", "1"},        {"1 < 2 && 3", "1"}, {"-1 && 1", "0"},
      {"0 || -2", "0"},    {"1 & 2", "12"},    {"1 + 2 & 3", "33"}, {"abc < abd", "1"}, {"3 = 3.0", "1"},
      {"3 == 3", "1"},     {"2 <> 3", "1"},    {"2 >< 2", "0"},     {"3 => 3", "1"},    {"2 =< 1", "0"},
      {"-(-5)", "5"},      {"- -5", "5"},      {"+$10", "16"},      {"10 - 2 - 3", "5"}, {"1.50 & x", "1.50x"},
      {"(1/3)*3", "0.999999999999999"},        {"\"b\" > \"a\"", "1"}, {"`9` < `10`", "0"},
  };
  for (const auto& [formula, result] : cases) EXPECT_EQ(f.engine.Calc().CalculateText(formula), result) << formula;
  f.engine.Calc().CalculateText("1 & 2");
  EXPECT_EQ(f.state.LastType, "s");
  f.engine.Calc().CalculateText("1 + 2");
  EXPECT_EQ(f.state.LastType, "e");
}

TEST(Calculate, Errors) {
  TEngineFixture f;
  const std::pair<const char*, const char*> cases[] = {
      {"1+*2", "[エラー] t.yrh(0行目): 計算式に誤りがあります。演算子「*」の位置が不正。1+*2"},
      {"1+", "[エラー] t.yrh(0行目): 計算式に誤りがあります。演算子「+」の位置が不正。1+"},
      {"1 |", "[エラー] t.yrh(0行目): 計算式に誤りがあります。計算結果が不正1 |"},
      {"", "[エラー] t.yrh(0行目): 計算式に誤りがあります。計算結果が不正"},
      {"5 % 0.5", "[エラー] t.yrh(0行目): 計算式に誤りがあります。Range check error5 % 0.5"},
      {"10^30 % 7", "[エラー] t.yrh(0行目): 計算式に誤りがあります。Range check error10^30 % 7"},
      {"(1", "[エラー] t.yrh(0行目): 計算式に誤りがあります。[エラー] t.yrh(0行目): \")\"が対応していません。\"(1"},
  };
  for (const auto& [formula, message] : cases)
    EXPECT_EQ(f.ErrorOf([&] { f.engine.Calc().CalculateText(formula); }), message) << formula;
}

TEST(EvalValue, TermsJoinsAndFormulas) {
  TEngineFixture f;
  f.Run("A = 5\r\nS = \"hello\"\r\n");
  const std::pair<const char*, const char*> cases[] = {
      {"A", "5"},         {"A + 1", "6"},      {"S & \"!\"", "hello!"}, {"S 1", "hello"},   {"未知", "未知"},
      {"\"a{A}b\"", "a5b"}, {"`a{A}b`", "a{A}b"}, {"S = \"hello\"", "1"},  {"-A", "-5"},     {"", ""},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(f.engine.EvalValue(text), value) << text;
}

}  // namespace
}  // namespace yura
