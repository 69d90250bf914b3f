#include "commands/regex/regexoperator.h"

#include <gtest/gtest.h>

#include <string>

namespace yura {
namespace {

struct TParseCase {
  const char* text;
  TRegexKind kind;
  const char* pattern;
  const char* replacement;
  const char* flags;  // the flags that must be on, as letters
};

std::string FlagsOf(const TRegexOperator& op) {
  std::string out;
  if (op.Global) out += 'g';
  if (op.IgnoreCase) out += 'i';
  if (op.MultiLine) out += 'm';
  if (op.DotAll) out += 's';
  if (op.Extended) out += 'x';
  if (op.Complement) out += 'C';
  if (op.Delete) out += 'D';
  if (op.Squeeze) out += 'S';
  return out;
}

TEST(RegexOperator, ParsesDelimitersBracketsEscapesAndFlags) {
  const TParseCase cases[] = {
      {"m/abc/", TRegexKind::Match, "abc", "", ""},
      {"m/b/i", TRegexKind::Match, "b", "", "i"},
      {"m/a.b/gimsx", TRegexKind::Match, "a.b", "", "gimsx"},
      {"m#a/b#", TRegexKind::Match, "a/b", "", ""},
      {"m!x!", TRegexKind::Match, "x", "", ""},
      {"m//", TRegexKind::Match, "", "", ""},
      {R"(m/a\/b/)", TRegexKind::Match, R"(a\/b)", "", ""},
      {R"(m/a\\/)", TRegexKind::Match, R"(a\\)", "", ""},    // escaped backslash, then the end
      {"m{a{2}}", TRegexKind::Match, "a{2}", "", ""},        // nested pair
      {R"(m{a\}b})", TRegexKind::Match, R"(a\}b)", "", ""},  // escaped closer does not count
      {"m(a(b)c)i", TRegexKind::Match, "a(b)c", "", "i"},
      {"m<x>", TRegexKind::Match, "x", "", ""},
      {"m[ab]", TRegexKind::Match, "ab", "", ""},
      {"m/x/i \r\n", TRegexKind::Match, "x", "", "i"},  // trailing blanks after the flags
      {"s/a/b/", TRegexKind::Substitute, "a", "b", ""},
      {"s/(a)/[$1]/g", TRegexKind::Substitute, "(a)", "[$1]", "g"},
      {"s//x/", TRegexKind::Substitute, "", "x", ""},
      {"s/a//", TRegexKind::Substitute, "a", "", ""},
      {R"(s/\//-/g)", TRegexKind::Substitute, R"(\/)", "-", "g"},
      {"s{a}{b}i", TRegexKind::Substitute, "a", "b", "i"},
      {"s{a} {b}", TRegexKind::Substitute, "a", "b", ""},
      {"s(a)/b/", TRegexKind::Substitute, "a", "b", ""},
      {"s|a|b|", TRegexKind::Substitute, "a", "b", ""},
      {"tr/a-z/A-Z/", TRegexKind::Translate, "a-z", "A-Z", ""},
      {"tr/a-z//cds", TRegexKind::Translate, "a-z", "", "CDS"},
      {"y/ab/xy/", TRegexKind::Translate, "ab", "xy", ""},
      {"tr[a][b]", TRegexKind::Translate, "a", "b", ""},
      // Double-byte characters whose trail byte is 0x5C or the delimiter's
      // code never escape or close: 表 (95 5C), ソ (83 5C), 院 (89 40 ...).
      {"m/表/", TRegexKind::Match, "表", "", ""},
      {"s/ソ/表/g", TRegexKind::Substitute, "ソ", "表", "g"},
      {"m\x7C\x95\x7C\x7C", TRegexKind::Match, "\x95\x7C", "", ""},  // trail byte equal to the delimiter
  };
  for (const TParseCase& c : cases) {
    SCOPED_TRACE(c.text);
    const TRegexOperator op = ParseRegexOperator(c.text);
    EXPECT_EQ(op.Kind, c.kind);
    EXPECT_EQ(op.Pattern, c.pattern);
    EXPECT_EQ(op.Replacement, c.replacement);
    EXPECT_EQ(FlagsOf(op), c.flags);
  }
}

TEST(RegexOperator, RejectsBrokenOperators) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "operator must begin with m, s or tr"},
      {"abc", "operator must begin with m, s or tr"},
      {"m", "operator has no delimiter"},
      {"ma/", "operator has no delimiter"},
      {"m\\a\\", "operator has no delimiter"},
      {"m/abc", "operator is not terminated"},
      {R"(m/abc\/)", "operator is not terminated"},
      {"m{a{b}", "operator is not terminated"},
      {"m/表", "operator is not terminated"},
      {"s/a/b", "operator is not terminated"},
      {"s{a}", "operator has no delimiter"},
      {"tr/a/", "operator is not terminated"},
      {"m/a/q", "unknown flag 'q'"},
      {"m/a/e", "unknown flag 'e'"},
      {"s/a/b/gc", "unknown flag 'c'"},
      {"tr/a/b/g", "unknown flag 'g'"},
      {"m/a/ i", "unknown flag"},
      {"m/a/表", "unknown flag"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseRegexOperator(c.text);
      ADD_FAILURE() << "accepted";
    } catch (const ERegexError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST(RegexOperator, CompletesPlainPatternsToMatchOperators) {
  const struct {
    const char* text;
    const char* op;
  } cases[] = {
      {"([a-z]+)([0-9]+)", "m/([a-z]+)([0-9]+)/"},
      {"m/b/i", "m/b/i"},  // already an operator
      {"m{x}", "m{x}"},
      {"main", "m/main/"},  // a word that begins with m is a pattern
      {"m", "m/m/"},
      {"", "m//"},
      {"a/b", R"(m/a\/b/)"},
      {R"(a\/b)", R"(m/a\/b/)"},  // already escaped
      {R"(a\\/b)", R"(m/a\\\/b/)"},
      {"表/", "m/表\\//"},  // the 0x5C trail byte escapes nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(MatchOperatorFor(c.text), c.op);
    EXPECT_NO_THROW(ParseRegexOperator(MatchOperatorFor(c.text)));
  }
}

}  // namespace
}  // namespace yura
