#include "source/scanner.h"

#include <gtest/gtest.h>

#include <vector>

namespace yura {
namespace {

TCursor At(std::string text) { return TCursor(MakeText(std::move(text)), 0); }

TEST(Scanner, ReadWordStopsAtDelimitersButNeverInsideACharacter) {
  TCursor c = At("  Aを,10");
  EXPECT_EQ(ReadWord(c), "Aを");
  EXPECT_EQ(c.Peek(), ',');
  c = At("表示して");
  EXPECT_EQ(ReadWord(c), "表示して");  // 表 ends in 0x5C, a delimiter's code
  EXPECT_TRUE(c.AtEnd());
  c = At("ab\ncd\r\n");
  EXPECT_EQ(ReadWord(c), "ab\ncd");  // LF is no delimiter, CR is
  c = At("x|y+1");
  EXPECT_EQ(ReadWord(c), "x|y");
  c = At("(a");
  EXPECT_EQ(ReadWord(c), "");
  EXPECT_EQ(c.Pos, 0u);
  c = At("a\x82");
  EXPECT_EQ(ReadWord(c), "a\x82");  // a lone lead byte at the end
}

TEST(Scanner, ReadNumberTable) {
  struct TCase {
    const char* text;
    const char* number;
    const char* rest;
  } cases[] = {
      {"-$FF", "-255", ""},     {"12abc", "12", "abc"},  {"1.2.3", "1.2", ".3"},   {"1.5e3x", "1.5e3", "x"},
      {"1e3", "1", "e3"},       {".5", ".5", ""},        {"3.", "3", "."},         {", +7", "+7", ""},
      {"$", "0", ""},           {"$7FFFFFFF", "2147483647", ""}, {"$FFFFFFFF", "-1", ""},
      {"$100000000", "0", ""},  {"-", "-", ""},          {"abc", "", "abc"},        {"1.5E+2", "1.5E+2", ""},
      {"1.5e", "1.5", "e"},     {"$0000000001", "1", ""},
  };
  for (const auto& c : cases) {
    TCursor cursor = At(c.text);
    EXPECT_EQ(ReadNumber(cursor), c.number) << c.text;
    EXPECT_EQ(std::string(cursor.Ptr()), c.rest) << c.text;
  }
}

TEST(Scanner, StringLiterals) {
  TCursor c = At(R"(, "a\"b"と)");
  EXPECT_EQ(ReadStringLiteral(c), R"("a\"b")");
  EXPECT_EQ(std::string(c.Ptr()), "と");
  c = At("`a``b`を");
  EXPECT_EQ(ReadStringLiteral(c), "`a``b`");
  c = At("``を");
  EXPECT_EQ(ReadStringLiteral(c), "``");
  c = At("abc");
  EXPECT_EQ(ReadStringLiteral(c), "");
  EXPECT_EQ(c.Pos, 0u);
  c = At("\"表\"");  // the trail byte 0x5C is no escape
  EXPECT_EQ(ReadStringLiteral(c), "\"表\"");
  c = At("\"abcdef\"");
  EXPECT_EQ(ReadStringLiteral(c, 4), "\"abc");
}

TEST(Scanner, UnterminatedLiteralsRaiseTheirMessages) {
  TCursor c = At("`abc");
  EXPECT_THROW(
      {
        try {
          ReadStringLiteral(c);
        } catch (const EScanError& e) {
          EXPECT_EQ(std::string(e.what()), "対応するカッコ ` または 』 がありません。");
          throw;
        }
      },
      EScanError);
  c = At("\"ab\\\"");
  try {
    ReadStringLiteral(c);
    ADD_FAILURE();
  } catch (const EScanError& e) {
    EXPECT_EQ(std::string(e.what()), "対応するカッコ \" または 」 がありません。");
  }
  c = At("\"\\");
  EXPECT_THROW(ReadStringLiteral(c), EScanError);
}

TEST(Scanner, Parenthesized) {
  TCursor c = At("(a(b)c)d");
  EXPECT_EQ(ReadParenthesized(c), "a(b)c");
  EXPECT_EQ(std::string(c.Ptr()), "d");
  c = At(R"x(("x)" & `)(`)z)x");
  EXPECT_EQ(ReadParenthesized(c), R"x("x)" & `)(`)x");
  EXPECT_EQ(std::string(c.Ptr()), "z");
  c = At("()");
  EXPECT_EQ(ReadParenthesized(c), "");
  EXPECT_TRUE(c.AtEnd());
  c = At("x");
  EXPECT_EQ(ReadParenthesized(c), "");
  c = At(" (a");
  try {
    ReadParenthesized(c);
    ADD_FAILURE();
  } catch (const EScanError& e) {
    EXPECT_EQ(std::string(e.what()), "\")\"が対応していません。\"");
    EXPECT_EQ(c.Pos, 2u);  // where the content starts
  }
  c = At("(\"a)");
  EXPECT_THROW(ReadParenthesized(c), EScanError);
}

TEST(Scanner, ReadUntilVariants) {
  TCursor c = At("表=x;y");
  EXPECT_EQ(ReadUntilChar(TByteSet("=;"), c), "表");
  EXPECT_EQ(ReadUntilChar(TByteSet("=;"), c), "x");
  EXPECT_EQ(ReadUntilChar(TByteSet("=;"), c), "y");
  EXPECT_TRUE(c.AtEnd());
  // A delimiter is only found at character boundaries: ソ is 0x83 0x5C.
  c = At("aソ\\b");
  EXPECT_EQ(ReadUntil("\\", c), "aソ");
  EXPECT_EQ(std::string(c.Ptr()), "b");
  c = At("a\\,b,c");
  EXPECT_EQ(ReadUntilEscaped(",", c, '\\'), "a\\,b");
  EXPECT_EQ(ReadUntilEscaped(",", c, '\\'), "c");
  c = At("あx");
  EXPECT_EQ(ReadChar(c), "あ");
  EXPECT_EQ(ReadChar(c), "x");
  EXPECT_EQ(ReadChar(c), "");
}

TEST(Scanner, TextHelpers) {
  EXPECT_EQ(QuoteValue("a`b"), "`a``b`");
  EXPECT_EQ(QuoteValue(""), "``");
  EXPECT_EQ(QuoteValue("名義"), "`名義`");  // 義 ends in the byte 0x60
  EXPECT_EQ(RightBytes("abcdef", 2), "ef");
  EXPECT_EQ(RightBytes("ab", 5), "ab");
  EXPECT_EQ(ExpandTabs("a\tb", 4), "a   b");
  EXPECT_EQ(ExpandTabs("あ\tb", 4), "あ  b");  // a double-byte character is two columns
  EXPECT_EQ(ExpandTabs("ab\r\n\tc\nd\n\re\rf", 8), "ab\r\n        c\r\nd\r\ne\r\nf");
  EXPECT_EQ(ExpandTabs("a\n\nb\r\n\r\nc", 8), "a\r\nb\r\n\r\nc");  // LF LF is one line end
  EXPECT_EQ(ExpandTabs("\t", 0), " ");
  SUCCEED();
}

// Records what ParseArgumentList and ReadTail ask of the language core.
class TRecordingHook final : public TEvaluatorHook {
 public:
  void PassLineEnd(TCursor& cursor) override {
    while (cursor.Peek() == '\r' || cursor.Peek() == '\n') ++cursor.Pos;
    while (cursor.Peek() >= '0' && cursor.Peek() <= '9') ++cursor.Pos;
    if (cursor.Peek() == ':') ++cursor.Pos;
  }
  std::string EvalTermAt(TCursor& cursor) override {
    std::string literal(ReadStringLiteral(cursor));
    if (!literal.empty()) return literal.substr(1, literal.size() - 2);
    return "[" + std::string(ReadWord(cursor)) + "]";
  }
  std::string EvalValue(std::string_view text) override { return "<" + std::string(text) + ">"; }
  std::string Calculate(std::string_view formula) override { return "calc(" + std::string(formula) + ")"; }
  bool LastWasString() const override { return false; }
  std::string TableElementAt(std::string_view name, TCursor& cursor) override {
    ++cursor.Pos;
    return std::string(name) + "#" + std::string(ReadWord(cursor));
  }
  void CallFormAndPush(std::string_view name, TCursor& cursor) override {
    Pushed.push_back(std::string(name) + "(" + std::string(ReadParenthesized(cursor)) + ")");
  }
  void PushArgument(std::string text) override { Pushed.push_back(std::move(text)); }
  std::string PopArgument() override {
    std::string top = Pushed.empty() ? "" : Pushed.back();
    if (!Pushed.empty()) Pushed.pop_back();
    return top;
  }
  std::vector<std::string> Pushed;
};

TEST(Scanner, ParseArgumentList) {
  struct TCase {
    const char* list;
    std::vector<std::string> pushed;
  } cases[] = {
      {"a, b", {"a", "b"}},
      {"\"x\", 2", {"\"x\"", "2"}},
      {"f(1,2), y", {"f(1,2)", "y"}},
      {"(1+2)を, z", {"calc(1+2)を", "z"}},
      {"A#3, 4", {"A#3", "4"}},
      {"1 + 2, 3", {"calc(1+ 2)", "3"}},
      {"x & \"y\" & z, 5", {"`<x>y[z]`", "5"}},
      {"\"a\" & \"b\"", {"`<\"a\">b`"}},
      {"a,\r\n2:b", {"a", "b"}},
      {"a ", {"a"}},
      {"a , b", {"a", "b"}},
      {"", {}},
  };
  for (const auto& c : cases) {
    TRecordingHook hook;
    ParseArgumentList(c.list, hook);
    EXPECT_EQ(hook.Pushed, c.pushed) << c.list;
  }
}

TEST(Scanner, ReadTailReadsTheParticleOrTheJoinChain) {
  TRecordingHook hook;
  TCursor c = At(" と,言う");
  EXPECT_EQ(ReadTail(c, hook), "と");
  c = At("&Bを");
  EXPECT_EQ(ReadTail(c, hook), "&Bを");
  c = At(" & \"b\" と");
  EXPECT_EQ(ReadTail(c, hook), "&`b`と");
  c = At("& \"b\" & Cを");
  EXPECT_EQ(ReadTail(c, hook), "&`b`&Cを");
  c = At("&\r\n2:\"b\"を");
  EXPECT_EQ(ReadTail(c, hook), "&`b`を");
}

}  // namespace
}  // namespace yura
