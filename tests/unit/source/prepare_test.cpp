#include "source/prepare.h"

#include <gtest/gtest.h>

namespace yura {
namespace {

std::string Prepared(std::string text) {
  PrepareSource(text);
  return text;
}

using namespace std::string_view_literals;

struct TCase {
  std::string_view source;
  std::string_view prepared;
};

TEST(PrepareSource, Table) {
  const TCase cases[] = {
      // Brackets become quotes, punctuation becomes half-width, line markers follow line ends.
      {"「こんにちは」と、言う\r\n", "\"こんにちは\"と,言う\r\n1:"},
      {"Ｘ＝１０\r\n「Ｘ＝１０」\r\n", "X=10\r\n1:\"Ｘ＝１０\"\r\n2:"},
      {"a\r\nb", "a\r\n1:b"},
      {"a\rb\nc\r\n", "a\r\n1:b\nc\r\n2:"},  // a lone LF is no line end
      {"。；", ";;"},
      {"A≠B", "A<>B"},
      // Line comments.
      {"a'x\r\nb", "a\r\n1:b"},
      {"a※x\r\nb", "a\r\n1:b"},
      {"a//x\r\nb", "a\r\n1:b"},
      {"a／/x\r\nb", "a\r\n1:b"},
      {"a／／b", "a//b"},
      {"a/b", "a/b"},
      {"「it's」", "\"it's\""},
      // Brace comments keep the markers of the lines they span; braces do not nest.
      {"a{x\r\ny}b\r\n", "a\r\n1:b\r\n2:"},
      {"a｛x｝b", "ab"},
      {"a}b", "ab"},
      {"'{\r\nb", "\r\n1:b"},
      // Escapes keep the escaped character inside the string.
      {"\"a\\\"b\"c", "\"a\\\"b\"c"},
      {"「a￥」b」", "\"a\\」b\""},
      {"a\\b", "a\\b"},
      {"{a\\}b", "b"},
      // Backquote strings.
      {"『abc』", "`abc`"},
      {"『』を", "``を"},
      {"『a』』b』", "`a``b`"},
      {"『{x}」』", "`{x}」`"},
      {"「『x』」", "\"『x』\""},
      // Inside a string nothing is converted and line ends get no marker.
      {"「a\r\nb」\r\n", "\"a\r\nb\"\r\n2:"},
      {"\xA2x\xA3", "\"x\""},
      // Cut at the first zero byte.
      {"ab\0cd"sv, "ab"},
  };
  for (const TCase& c : cases) EXPECT_EQ(Prepared(std::string(c.source)), c.prepared) << c.source;
}

TEST(PrepareSource, NeverReadsPastTheEnd) {
  EXPECT_EQ(Prepared("a\x82"), "a\x82");  // a lead byte alone at the end
  EXPECT_EQ(Prepared("/"), "/");
  EXPECT_EQ(Prepared("\r"), "\r\n1:");
}

struct TErrorCase {
  const char* source;
  const char* message;
  int line;
};

TEST(PrepareSource, BalanceErrors) {
  const TErrorCase cases[] = {
      {"a\r\nb\r\n「xyz\r\n", "「」または\"\"が対応していません。『xyz\r\n』の近く", 3},
      {"a{0123456789012345678901234", "{ }が対応していません。『01234567890123456789』の近く", 1},
      {"\r\n『abc", "『』または''''が対応していません。『abc』の近く", 2},
      // The brace error wins over an open string.
      {"{\r\n", "{ }が対応していません。『\r\n』の近く", 1},
      {"\"a\r\n{", "「」または\"\"が対応していません。『a\r\n{』の近く", 1},
  };
  for (const TErrorCase& c : cases) {
    std::string text = c.source;
    try {
      PrepareSource(text);
      ADD_FAILURE() << "no error for " << c.source;
    } catch (const EPrepareError& error) {
      EXPECT_EQ(std::string(error.what()), c.message) << c.source;
      EXPECT_EQ(error.Line, c.line) << c.source;
    }
  }
}

}  // namespace
}  // namespace yura
