#include "commands/system/keynotation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "core/errors.h"
#include "platform/clock.h"

namespace yura {
namespace {

// Strokes written compactly: "+16" press, "-16" release, "'x" a character.
std::string Written(const std::vector<TKeyStroke>& strokes) {
  std::string out;
  for (const TKeyStroke& stroke : strokes) {
    if (!out.empty()) out += ' ';
    switch (stroke.Kind) {
      case TKeyStroke::TKind::Press: out += "+" + std::to_string(stroke.VirtualKey); break;
      case TKeyStroke::TKind::Release: out += "-" + std::to_string(stroke.VirtualKey); break;
      case TKeyStroke::TKind::Character: out += "'" + stroke.Text; break;
    }
  }
  return out;
}

TEST(KeyNotation, ItemsModifiersGroupsAndNames) {
  struct TCase {
    const char* keys;
    const char* strokes;
  } cases[] = {
      {"^c", "+17 +67 -67 -17"},
      {"+(ab)", "+16 +65 -65 +66 -66 -16"},
      {"%{F4}", "+18 +115 -115 -18"},
      {"{TAB 3}", "+9 -9 +9 -9 +9 -9"},
      {"{tab 0}", ""},
      {"~", "+13 -13"},
      {"{}}", "+16 +221 -221 -16"},
      {"A1 ", "+16 +65 -65 -16 +49 -49 +32 -32"},
      {"{x}", "+88 -88"},
      {"\x82\xa0", "'\x82\xa0"},
      {"{BS}{left}{Del}", "+8 -8 +37 -37 +46 -46"},
      {"ab{unclosed", "+65 -65 +66 -66"},
      {"(a", "+65 -65"},
  };
  for (const TCase& c : cases) EXPECT_EQ(Written(ParseKeyNotation(c.keys)), c.strokes) << c.keys;
}

TEST(KeyNotation, ACharacterWithoutAKeyIsTheRangeError) {
  EXPECT_THROW(ParseKeyNotation("a\x01"), EPlainError);
}

// The local clock follows TZ.
TEST(Clock, LocalTimeFollowsTheZone) {
  const char* saved = std::getenv("TZ");
  const std::string savedZone = saved != nullptr ? saved : "";
  ::setenv("TZ", "JST-9", 1);
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  const TLocalTime local = LocalNow();
  EXPECT_EQ(local.Hour, (utc.tm_hour + 9) % 24);
  EXPECT_EQ(local.Minute, utc.tm_min);
  if (saved != nullptr)
    ::setenv("TZ", savedZone.c_str(), 1);
  else
    ::unsetenv("TZ");
}

}  // namespace
}  // namespace yura
