#include "textutil/wildcard.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace yura {
namespace {

constexpr const char* kBackslashMessage = "ワイルドカードの[ ]中で\\記号を使うときは、\\t,\\nしか許されていません。";
constexpr const char* kRepeatMessage = "ワイルドカード[*...]に続けてワイルドカードを書くことは出来ません。";

struct TWholeCase {
  const char* text;
  const char* pattern;
  bool matches;
};

void ExpectWhole(const std::vector<TWholeCase>& cases) {
  for (const TWholeCase& c : cases) {
    SCOPED_TRACE(std::string("text [") + c.text + "] pattern [" + c.pattern + "]");
    EXPECT_EQ(WildcardMatch(c.text, c.pattern), c.matches);
  }
}

TEST(WildcardMatch, LiteralsQuestionMarkAndNumberSign) {
  ExpectWhole({
      {"", "", true},
      {"a", "", false},
      {"", "a", false},
      {"abc", "abc", true},
      {"abc", "abd", false},
      {"abc", "ab", false},
      {"Abc", "abc", false},  // no case folding
      {"abc", "a?c", true},
      {"abc", "abc?", false},  // "?" does not reach past the end
      {"", "?", false},
      {"1.5", "#.#", true},
      {"42", "##", true},
      {"a", "#", false},
      {"１", "#", false},  // a full-width digit is not "0"-"9"
      {"", "#", false},
  });
}

TEST(WildcardMatch, DoubleByteCharactersAreSingleElements) {
  ExpectWhole({
      {"あいう", "?い?", true},
      {"あいう", "???", true},
      {"あいう", "??", false},
      {"あいう", "あいう", true},
      {"あい", "あう", false},
      // 表 and ソ have 0x5C ("\") as their second byte.
      {"表x", "表?", true},
      {"ソ", "?", true},
      {"表", "表", true},
      // A lead byte at the very end stands alone.
      {"a\x82", "a?", true},
      {"a\x82", "??", true},
  });
}

TEST(WildcardMatch, AsteriskSettlesOnTheShortestStretch) {
  ExpectWhole({
      {"a.txt", "*.txt", true},
      {"a.txt.txt", "*.txt", false},
      {"xbxb", "*b", false},
      {"abc", "*?", false},  // "*" takes nothing, "?" one character
      {"abc", "?*", true},
      {"", "*", true},
      {"abc", "a*", true},
      {"aab", "*ab", true},
      {"bab", "*a*", true},
      {"ab", "**", true},
      {"かきく", "*く", true},
  });
}

TEST(WildcardMatch, EscapesInThePattern) {
  ExpectWhole({
      {"*", "\\*", true},
      {"a", "\\*", false},
      {"?#()[", "\\?\\#\\(\\)\\[", true},
      {"\r\n", "\\n", true},
      {"\n", "\\n", false},
      {"\t", "\\t", true},
      {"x", "\\x", true},
      {"\\", "\\\\", true},
      {"あ", "\\あ", true},
      {"表", "\\表", true},
  });
}

TEST(WildcardMatch, SubjectCharactersAreAllLiteral) {
  ExpectWhole({
      // "[" in the text is an ordinary character, not a bracket group.
      {"[a]", "?a?", true},
      {"[a]", "\\[a]", true},
      {"[a]", "[[]a]", true},
      {"x[a-z]", "x*", true},
      // The text's backslashes stay as they are.
      {"a\\nb", "a\\\\nb", true},
      {"a\\nb", "????", true},
      {"a\\nb", "a\\nb", false},
      // Special characters of the text compare as themselves.
      {"*", "*", true},
      {"(x)", "\\(x\\)", true},
      {"?", "a", false},
  });
}

TEST(WildcardMatch, SingleCharacterBrackets) {
  ExpectWhole({
      {"b", "[a-c]", true},
      {"d", "[a-c]", false},
      {"b", "[c-a]", true},  // a range may be written backwards
      {"d", "[!a-c]", true},
      {"b", "[!a-c]", false},
      {"x12", "[!0-9]*", true},
      {"1", "[!0-9]*", false},
      {"z", "[xyz]", true},
      {"xy", "[xyz]", false},
      {"", "[a-z]", false},
      {"", "[!a]", false},
      {"a", "a[a-z]", false},
      {"-", "[a-]", false},  // "-]" is a range up to "]"; the group stays open
      {"-", "[-]", true},
      {"の", "[ぁ-ん]", true},
      {"ア", "[ぁ-ん]", false},
      {"a", "[!ぁ-ん]", true},
      {"表", "[表]", true},
      {"\r", "[\\n]", true},
      {"\v", "[\\n]", true},
      {"\x0E", "[\\n]", false},
      {"\t", "[\\t]", true},
      {"-", "[\\t-]", true},  // no range starts at an escape
      {"a", "[]", false},
      {"a", "[!]", true},
  });
}

TEST(WildcardMatch, RepeatingBrackets) {
  ExpectWhole({
      {"12x", "[*0-9]x", true},
      {"12y", "[*0-9]x", false},
      {"x", "[*0-9]x", true},
      {"x", "[+0-9]x", false},
      {"1x", "[+0-9]x", true},
      {"", "[*a-z]", true},
      {"", "[+a-z]", false},
      {"abc", "[*a-z]", true},
      {"abc", "[!*0-9]", true},
      // Repetition stops before the literal that follows, even a member.
      {"abc", "[*a-z]c", true},
      {"aab", "[*a-z]b", true},
      {"abc", "[*a-z]b", false},
      {"12x", "[*0-9](x)", true},
  });
}

TEST(WildcardMatch, AlternativeBrackets) {
  ExpectWhole({
      {"ねこです", "[=いぬ|ねこ]です", true},
      {"いぬです", "[=いぬ|ねこ]です", true},
      {"とりです", "[=いぬ|ねこ]です", false},
      {"a", "[=ab|c]", false},
      {"", "[=ab|c]", false},
      // Of two alternatives the first written is tried first.
      {"x", "[=x|]", true},
      {"x", "[=|x]", false},
      {"ab", "[=a|ab]", false},
      {"ab", "[=a|ab]b", true},
  });
}

struct TPrefixCase {
  const char* text;
  const char* pattern;
  const char* matched;
  const char* remainder;
  std::vector<std::string> pickups;
};

void ExpectPrefix(const std::vector<TPrefixCase>& cases) {
  for (const TPrefixCase& c : cases) {
    SCOPED_TRACE(std::string("text [") + c.text + "] pattern [" + c.pattern + "]");
    const std::optional<TWildcardPrefix> result = WildcardPrefixMatch(c.text, c.pattern);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->Matched, c.matched);
    EXPECT_EQ(result->Remainder, c.remainder);
    EXPECT_EQ(result->Pickups, c.pickups);
  }
}

TEST(WildcardPrefixMatch, MatchedPartAndRemainder) {
  ExpectPrefix({
      {"abc", "", "", "abc", {}},
      {"abc", "a", "a", "bc", {}},
      {"abc", "*", "abc", "", {}},
      {"abc", "*?", "a", "bc", {}},
      {"xbxb", "*b", "xb", "xb", {}},
      {"abcd", "[*a-z]c", "abc", "d", {}},
      {"12ab", "[+0-9]", "12", "ab", {}},
      {"あいう", "?", "あ", "いう", {}},
      {"", "*", "", "", {}},
      {"a\\b", "??", "a\\", "b", {}},
      {"表示", "?", "表", "示", {}},
  });
}

TEST(WildcardPrefixMatch, FailsWithNothing) {
  for (const auto& [text, pattern] : std::vector<std::pair<const char*, const char*>>{
           {"abc", "x"}, {"", "?"}, {"ab", "abc"}, {"xyz", "*q"}, {"a", "[+0-9]"}, {"ab", "?#"}}) {
    SCOPED_TRACE(std::string(text) + " / " + pattern);
    EXPECT_FALSE(WildcardPrefixMatch(text, pattern).has_value());
  }
}

TEST(WildcardPrefixMatch, AlternativesAreTriedInTheirReorderedSequence) {
  // Three alternatives A|B|C are tried A first, then C before B when B is no
  // longer than C: here "ab" before "a".
  ExpectPrefix({
      {"abc", "[=x|a|ab]", "ab", "c", {}},
      {"abc", "[=x|ab|a]", "ab", "c", {}},
      {"abc", "[=a|ab]", "a", "bc", {}},
      {"abc", "[=ab|a]", "ab", "c", {}},
      {"abc", "[=a|x|ab]", "a", "bc", {}},
      {"abc", "[=|a|ab]", "", "abc", {}},
      {"いぬです", "[=い|x|いぬ]", "い", "ぬです", {}},
      {"いぬです", "[=x|い|いぬ]", "いぬ", "です", {}},
  });
}

TEST(WildcardPrefixMatch, PickUps) {
  ExpectPrefix({
      {"key=value", "(*)=", "key=", "value", {"key"}},
      {"abc", "(*)", "abc", "", {"abc"}},
      {"abcd", "(?)(?)", "ab", "cd", {"a", "b"}},
      {"abc", "a(b)c", "abc", "", {"b"}},
      {"120円です", "([+0-9])円", "120円", "です", {"120"}},
      {"12x", "[*0-9](x)", "12x", "", {"x"}},
      {"(a)", "\\((?)\\)", "(a)", "", {"a"}},
      // Without "(" a pick-up starts at the beginning of the text.
      {"abc", "ab)", "ab", "c", {"ab"}},
      {"xyz", "x*)", "xyz", "", {"xyz"}},
      // A pick-up is recorded only beyond the furthest end recorded so far.
      {"ab", "(a))", "a", "b", {"a"}},
      {"ab", "(a)(b)", "ab", "", {"a", "b"}},
      {"ab", "()()", "", "ab", {""}},
      {"ab", "a)b)", "ab", "", {"a", "ab"}},
  });
}

TEST(WildcardPrefixMatch, PickUpsDuringTheAsterisksTrials) {
  ExpectPrefix({
      // The inner "*" switches recording on while the outer one is still
      // trying; "value" ends at 9, so the later "key" (end 3) is not taken.
      {"key=value;rest", "(*)=(*);", "key=value;", "rest", {"value"}},
      {"a=b;c=d;", "(*)=(*);", "a=b;", "c=d;", {"b"}},
      // The "(" passed in the trials moved the start beyond the ")" that
      // is then matched for real, which picks up nothing.
      {"axy", "*)x(y", "axy", "", {""}},
      {"key=value", "(*)=(*)", "key=value", "", {"", "value"}},
      // Later trials record with the start the earlier trials' "(" left.
      {"aabb", "*[=aa|]*)(*(a", "aa", "bb", {"", ""}},
      {"aabb", "*[=aa|]*)*(a", "aa", "bb", {"", ""}},
  });
}

struct TErrorCase {
  const char* text;
  const char* pattern;
  const char* message;
};

TEST(WildcardErrors, MessagesAndWhereTheyAreRaised) {
  const std::vector<TErrorCase> cases = {
      {"q", "[\\q]", kBackslashMessage},
      {"", "[\\q]", kBackslashMessage},  // raised while reading the pattern
      {"a", "a[x\\", kBackslashMessage},
      {"12", "[*0-9]*", kRepeatMessage},
      {"12", "[+0-9]?", kRepeatMessage},
      {"12", "[*0-9]#", kRepeatMessage},
      {"12", "[*0-9][a]", kRepeatMessage},
      {"12", "[*0-9](?", kRepeatMessage},
      {"12", "[*0-9]((x", kRepeatMessage},  // only one "(" is looked through
  };
  for (const TErrorCase& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " / " + c.pattern);
    try {
      WildcardMatch(c.text, c.pattern);
      ADD_FAILURE() << "no error from the whole match";
    } catch (const EWildcardError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_THROW(WildcardPrefixMatch(c.text, c.pattern), EWildcardError);
  }
}

TEST(WildcardErrors, RepeatFollowerIsCheckedOnlyWhenTheGroupIsReached) {
  EXPECT_FALSE(WildcardMatch("y", "x[*0-9]*"));
  EXPECT_FALSE(WildcardPrefixMatch("y", "x[*0-9]?").has_value());
  EXPECT_TRUE(WildcardMatch("12", "[*0-9]"));
  EXPECT_TRUE(WildcardMatch("12x", "[*0-9](x"));
  EXPECT_TRUE(WildcardMatch("12x", "[*0-9])x"));
}

TEST(WildcardMatch, NestedAsterisksStayFast) {
  const std::string run(5000, 'a');
  EXPECT_FALSE(WildcardMatch(run, "*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_FALSE(WildcardPrefixMatch(run, "*a*a*a*a*a*a*a*a*a*b").has_value());
  EXPECT_TRUE(WildcardMatch(run, "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*"));
  EXPECT_FALSE(WildcardMatch(run, "*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a"));  // settles early
  const std::optional<TWildcardPrefix> picked = WildcardPrefixMatch(run + "b", "(*a)*(a*)*a*b");
  ASSERT_TRUE(picked.has_value());
  EXPECT_EQ(picked->Matched, run + "b");
  EXPECT_EQ(picked->Pickups, (std::vector<std::string>{"a"}));
}

// A direct rendering of the matcher's rules with no remembered attempts, for
// small patterns over the tokens a b 1 ? * # ( ) and the bracket groups
// X = "[!a]", Y = "[*a]" and Z = "[=aa|]" ("aa" or nothing).
class TPlainMatcher {
 public:
  TPlainMatcher(std::string text, std::string tokens) : text_(std::move(text)), tokens_(std::move(tokens)) {}

  // The cursor after a match, -1 without one; throws on a misplaced "[*".
  int Match() {
    int cursor = 0;
    return Run(0, cursor) ? cursor : -1;
  }
  const std::vector<std::string>& Pickups() const { return pickups_; }

  static std::string Expand(const std::string& tokens) {
    std::string pattern;
    for (const char token : tokens) {
      if (token == 'X') pattern += "[!a]";
      else if (token == 'Y') pattern += "[*a]";
      else if (token == 'Z') pattern += "[=aa|]";
      else pattern += token;
    }
    return pattern;
  }

 private:
  bool Run(int position, int& cursor) {
    const int count = static_cast<int>(tokens_.size());
    const int length = static_cast<int>(text_.size());
    while (position < count) {
      const char token = tokens_[position];
      if (token == '*') {
        const int rest = position + 1;
        if (rest == count) {
          cursor = length;
          return true;
        }
        if (rest == count - 1 && tokens_[rest] == ')') {
          cursor = length;
          EndPickup(cursor);
          return true;
        }
        recording_ = false;
        int found = -1;
        for (int from = cursor; from <= length && found < 0; ++from) {
          int trial = from;
          if (Run(rest, trial)) found = from;
        }
        recording_ = true;
        if (found < 0) return false;
        cursor = found;
      } else if (token == '(') {
        start_ = cursor;
      } else if (token == ')') {
        EndPickup(cursor);
      } else if (token == 'Y') {
        int next = position + 1;
        if (next < count && (tokens_[next] == '(' || tokens_[next] == ')')) ++next;
        const char stop = next < count ? tokens_[next] : '\0';
        if (stop != '\0' && stop != 'a' && stop != 'b' && stop != '1') throw std::runtime_error("follower");
        while (cursor < length && text_[cursor] != stop && text_[cursor] == 'a') ++cursor;
      } else if (token == 'Z') {
        if (text_.compare(cursor, 2, "aa") == 0) cursor += 2;
      } else {
        if (cursor >= length) return false;
        const char c = text_[cursor];
        const bool ok = token == '?' || (token == '#' && c >= '0' && c <= '9') || (token == 'X' && c != 'a') || token == c;
        if (!ok) return false;
        ++cursor;
      }
      ++position;
    }
    return true;
  }

  void EndPickup(int cursor) {
    if (!recording_ || cursor <= furthest_) return;
    furthest_ = cursor;
    pickups_.push_back(start_ < cursor ? text_.substr(start_, cursor - start_) : "");
  }

  std::string text_, tokens_;
  bool recording_ = true;
  int start_ = 0, furthest_ = -1;
  std::vector<std::string> pickups_;
};

TEST(WildcardMatch, RememberedAttemptsChangeNoResult) {
  std::mt19937 random(20240601);
  const std::string tokenSet = "ab1?*#()XYZ**ZZ)((";
  const std::string textSet = "aab1";
  for (int round = 0; round < 30000; ++round) {
    std::string tokens, text;
    const int tokenCount = static_cast<int>(random() % 11);
    for (int i = 0; i < tokenCount; ++i) tokens += tokenSet[random() % tokenSet.size()];
    const int textLength = static_cast<int>(random() % 10);
    for (int i = 0; i < textLength; ++i) text += textSet[random() % textSet.size()];
    const std::string pattern = TPlainMatcher::Expand(tokens);
    SCOPED_TRACE("text [" + text + "] pattern [" + pattern + "]");

    TPlainMatcher plain(text, tokens);
    int end = -1;
    try {
      end = plain.Match();
    } catch (const std::runtime_error&) {
      EXPECT_THROW(WildcardPrefixMatch(text, pattern), EWildcardError);
      EXPECT_THROW(WildcardMatch(text, pattern), EWildcardError);
      continue;
    }
    const std::optional<TWildcardPrefix> prefix = WildcardPrefixMatch(text, pattern);
    ASSERT_EQ(prefix.has_value(), end >= 0);
    EXPECT_EQ(WildcardMatch(text, pattern), end == textLength);
    if (!prefix) continue;
    ASSERT_EQ(prefix->Matched, text.substr(0, end));
    ASSERT_EQ(prefix->Remainder, text.substr(end));
    ASSERT_EQ(prefix->Pickups, plain.Pickups());
  }
}

}  // namespace
}  // namespace yura
