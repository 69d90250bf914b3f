#include "commands/regex/regexengine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace yura {
namespace {

using TLines = std::vector<std::string>;

TLines MatchLines(const char* op, const char* subject) {
  TRegexEngine regex;
  regex.Match(op, subject);
  EXPECT_EQ(regex.MatchCount(), static_cast<int>(regex.Results().size()));
  return regex.Results();
}

TEST(RegexEngineMatch, FlagsGroupsAndShiftJis) {
  const struct {
    const char* op;
    const char* subject;
    TLines lines;
  } cases[] = {
      {"m/([a-z]+)([0-9]+)/", "abc123", {"abc123", "abc", "123"}},
      {"m/x/", "abc", {}},
      {"m/B/", "abc", {}},
      {"m/B/i", "abc", {"b"}},
      {"m/(a)|(b)/", "b", {"b", "", "b"}},  // a group that took no part is empty
      // Perl's defaults: ^ and $ at the whole text, . stops at a line feed.
      {"m/^b$/", "a\r\nb\r\nc", {}},
      {"m/^b\\r$/m", "a\r\nb\r\nc", {"b\r"}},
      {"m/a.b/", "a\nb", {}},
      {"m/a.b/s", "a\nb", {"a\nb"}},
      {"m/c$/", "abc\n", {"c"}},  // $ before a final line feed
      {"m/a b c/x", "abc", {"abc"}},
      {"m/\\d+/g", "a1b22c333", {"1", "22", "333"}},
      {"m/(\\w)(\\d)/g", "a1 b2", {"a1", "a", "1", "b2", "b", "2"}},
      {"m/x*/g", "ab", {"", "", ""}},  // empty matches step over one character each
      // Double-byte characters: a 0x5C trail byte is part of the character.
      {"m/表(.)/", "発表会", {"表会", "会"}},
      {"m/\\\\/", "表ソ", {}},  // no backslash in 表ソ
      {"m/\\\\/", "表\\", {"\\"}},
      {"m/./", "ソ", {"ソ"}},
      {"m/[ぁ-ん]+/", "カナかなカナ", {"かな"}},  // kanji ranges compare Shift_JIS codes
      {"m/[亜-腕]/", "ab院c", {"院"}},
      {"m/^$/", "", {""}},
      // A lone lead byte at the end is no character; nothing reads past it.
      {"m/b$/", "ab\x81", {}},
      {"m/.$/", "ab\x81", {}},
      {"m/b(.*)/s", "ab\x81", {"b", ""}},
      {"m/(?<y>\\d{4})-(\\d\\d)/", "on 2003-07", {"2003-07", "2003", "07"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " on [" + c.subject + "]");
    EXPECT_EQ(MatchLines(c.op, c.subject), c.lines);
  }
}

TEST(RegexEngineMatch, ResultLinesEndInCrLf) {
  TRegexEngine regex;
  EXPECT_TRUE(regex.Match("m/([a-z]+)([0-9]+)/", "abc123"));
  EXPECT_EQ(regex.ResultLines(), "abc123\r\nabc\r\n123\r\n");
  EXPECT_FALSE(regex.Match("m/z/", "abc"));
  EXPECT_EQ(regex.ResultLines(), "");
  EXPECT_EQ(regex.MatchCount(), 0);
}

TEST(RegexEngineSubstitute, ReferencesFlagsAndCounts) {
  const struct {
    const char* op;
    const char* subject;
    const char* result;
    int count;  // groups + 1, or 0 when nothing was replaced
  } cases[] = {
      {"s/b/X/", "abcb", "aXcb", 1},
      {"s/b/X/g", "abcb", "aXcX", 1},
      {"s/B/X/gi", "abcb", "aXcX", 1},
      {"s/z/X/", "abc", "abc", 0},
      {"s/(\\w+) (\\w+)/$2 $1/", "hello world", "world hello", 3},
      {"s/(\\w+)/<${1}0>/g", "ab cd", "<ab0> <cd0>", 2},
      {"s/b+/[$&]/", "abbc", "a[bb]c", 1},
      {"s/(a)(b)/\\2\\1/", "abc", "bac", 3},
      {"s/b/\\$1\\\\/", "abc", "a$1\\c", 1},
      {"s/b/\\t\\n/", "abc", "a\t\nc", 1},
      {"s/(b)/$9/", "abc", "ac", 2},  // a missing group is empty
      {"s/b/$/", "abc", "a$c", 1},    // a lone $ is itself
      {"s/x*/-/g", "abc", "-a-b-c-", 1},
      {"s/x*/-/g", "xab", "--a-b-", 1},
      {"s/^/> /gm", "a\nb", "> a\n> b", 1},
      {"s/ソ/表/g", "ソフト表ソ", "表フト表表", 1},
      {"s/表/\\\\/", "表示", "\\示", 1},
      {"s{a}{b}g", "aaa", "bbb", 1},
      {"s#/#\\##g", "a/b/c", "a#b#c", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " on [" + c.subject + "]");
    TRegexEngine regex;
    std::string subject = c.subject;
    EXPECT_EQ(regex.Substitute(c.op, subject), c.count > 0);
    EXPECT_EQ(subject, c.result);
    EXPECT_EQ(regex.MatchCount(), c.count);
  }
}

TEST(RegexEngineSubstitute, EmptySubjectIsLeftAlone) {
  TRegexEngine regex;
  std::string subject;
  EXPECT_FALSE(regex.Substitute("s/^$/x/", subject));
  EXPECT_EQ(subject, "");
  EXPECT_EQ(regex.MatchCount(), 0);
}

TEST(RegexEngineTranslate, ListsRangesAndFlags) {
  const struct {
    const char* op;
    const char* subject;
    const char* result;
    bool found;
  } cases[] = {
      {"tr/a-z/A-Z/", "hello, World", "HELLO, WORLD", true},
      {"tr/abc/x/", "aabbcd", "xxxxxd", true},  // the last character repeats
      {"tr/abc/x/d", "aabbcd", "xxd", true},    // without a counterpart: deleted
      {"tr/a-z//", "ab1", "ab1", true},         // counting only
      {"tr/a-z//d", "a1b2", "12", true},
      {"tr/a-z//cd", "a1b2", "ab", true},              // complement
      {"tr/a-zA-Z/ /cs", "ab, cd!!", "ab cd ", true},  // complement and squeeze
      {"tr/a/b/s", "aaxaa", "bxb", true},
      {"tr/x/y/", "abc", "abc", false},
      {"tr/\\-\\//_./", "a-b/c", "a_b.c", true},
      {"tr/a-/xy/", "a-", "xy", true},  // a trailing - is itself
      {"tr/ぁ-ん/ァ-ン/", "ひらがなABC", "ヒラガナABC", true},
      {"tr/表ソ/ソ表/", "表ソ\\", "ソ表\\", true},
      {"tr/０-９/0-9/", "第１２回", "第12回", true},
      {"tr/ｱ-ｳ/a-c/", "ｱｲｳｴ", "abcｴ", true},  // half-width kana are single bytes
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " on [" + c.subject + "]");
    TRegexEngine regex;
    std::string subject = c.subject;
    EXPECT_EQ(regex.Translate(c.op, subject), c.found);
    EXPECT_EQ(subject, c.result);
    EXPECT_EQ(regex.MatchCount(), 0);
  }
}

TEST(RegexEngineTranslate, EmptySubjectStaysEmpty) {
  TRegexEngine regex;
  std::string subject;
  EXPECT_FALSE(regex.Translate("tr/a/b/", subject));
  EXPECT_EQ(subject, "");
}

TEST(RegexEngineSplit, PiecesGroupsAndEmptyMatches) {
  const struct {
    const char* op;
    const char* subject;
    int limit;
    TLines pieces;
  } cases[] = {
      {"m/,/", "a,b,,c", 1000, {"a", "b", "", "c"}},
      {"m/,/", ",a,", 1000, {"", "a", ""}},
      {"m/\\s+/", "a  b\r\nc", 1000, {"a", "b", "c"}},
      {"m/(-)/", "a-b", 1000, {"a", "-", "b"}},
      {"m//", "ab表", 1000, {"a", "b", "表"}},
      {"m/x*/", "axxb", 1000, {"a", "b"}},
      {"m/,/", "a,b,c", 2, {"a", "b,c"}},
      {"m/,/", "abc", 1000, {"abc"}},
      {"m/,/", "", 1000, {}},
      {"m/ソ/", "表ソ表", 1000, {"表", "表"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " on [" + c.subject + "]");
    TRegexEngine regex;
    regex.Split(c.op, c.subject, c.limit);
    EXPECT_EQ(regex.Results(), c.pieces);
    EXPECT_EQ(regex.MatchCount(), static_cast<int>(c.pieces.size()));
  }
}

TEST(RegexEngine, FaultsThrow) {
  const struct {
    const char* op;
    int call;  // 0 match, 1 substitute, 2 translate, 3 split
  } cases[] = {
      {"m/(/", 0},                                                       // the pattern does not compile
      {"m/a{2,1}/", 0}, {"s/a/b/", 0},                                   // the wrong kind of operator
      {"m/a/", 1},      {"m/a/", 2},   {"tr/a/b/", 3}, {"tr/z-a//", 2},  // a backward range
      {"s/[/x/", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.op);
    TRegexEngine regex;
    std::string subject = "abc";
    EXPECT_THROW(
        {
          switch (c.call) {
            case 0:
              regex.Match(c.op, subject);
              break;
            case 1:
              regex.Substitute(c.op, subject);
              break;
            case 2:
              regex.Translate(c.op, subject);
              break;
            default:
              regex.Split(c.op, subject);
              break;
          }
        },
        ERegexError);
    EXPECT_EQ(subject, "abc");
  }
}

TEST(RegexEngine, RunawayPatternHitsTheRetryLimit) {
  const std::string subject = std::string(40, 'a') + "!";
  const auto start = std::chrono::steady_clock::now();
  TRegexEngine regex;
  try {
    regex.Match("m/^(a|aa|a?a)+$/", subject);
    ADD_FAILURE() << "no error";
  } catch (const ERegexError& error) {
    EXPECT_STREQ(error.what(), "pattern too complex: retry limit reached");
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  // An ordinary pattern on the same text still runs.
  EXPECT_FALSE(regex.Match("m/^a+$/", subject));
}

}  // namespace
}  // namespace yura
