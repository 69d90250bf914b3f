#include "host/fileguard.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "fake_host.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "platform/tempfolder.h"

namespace yura {
namespace {

class FileGuardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = CurrentFolder();
    root = temp.Path();
    scriptFolder = root + "script/";
    ::mkdir(ToNativePath(scriptFolder).c_str(), 0700);
    ::mkdir(ToNativePath(root + "other/").c_str(), 0700);
    Write(scriptFolder + "security.ini", "");
    ::unlink(ToNativePath(scriptFolder + "security.ini").c_str());
    ::symlink(ToNativePath(root + "other/x.txt").c_str(), ToNativePath(scriptFolder + "link.txt").c_str());
    ChangeCurrentFolder(scriptFolder);
  }
  void TearDown() override { ChangeCurrentFolder(previous); }
  static void Write(const std::string& path, const std::string& text) { std::ofstream(ToNativePath(path)) << text; }

  // A state for a script in the script folder at the given level (-1: read
  // security.ini).
  std::unique_ptr<TYuraBase> State(int level) {
    auto state = std::make_unique<TYuraBase>(host);
    state->ScriptFolder = scriptFolder;
    state->ScriptPath = scriptFolder + "main.yrh";
    state->Startup.RuntimePath = root + "runtime/yurahosi";
    state->SecurityLevel = level;
    return state;
  }

  TFakeHost host;
  TTempFolder temp;
  std::string root, scriptFolder, previous;
};

struct TGuardCase {
  int level;
  const char* target;  // $S = the script folder, $O = another folder
  std::optional<std::string> answer;
  bool refused;
  bool asked;
  int levelAfter;
};

TEST_F(FileGuardTest, LevelsTargetsAndAnswers) {
  const TGuardCase cases[] = {
      {0, "$Sa.txt", std::nullopt, false, false, 0},
      {0, "$Oa.txt", std::nullopt, false, false, 0},
      {0, "$S*.txt", std::nullopt, false, false, 0},
      {1, "$Sa.txt", std::nullopt, false, false, 1},
      {1, "a.txt", std::nullopt, false, false, 1},
      {1, "sub/../a.txt", std::nullopt, false, false, 1},
      {1, "../other/a.txt", "はい", false, true, 1},
      {1, "$Oa.txt", "はい", false, true, 1},
      {1, "$Oa.txt", "いいえ", true, true, 1},
      {1, "$Oa.txt", std::nullopt, true, true, 1},
      {1, "$Oa.txt", "全てはい", false, true, 0},
      {1, "$Oa.txt", "全ていいえ", true, true, 2},
      {1, "$S*.txt", "はい", false, true, 1},
      {1, "$Slink.txt", "いいえ", true, true, 1},  // a link inside that leads outside
      {1, "$S", std::nullopt, false, false, 1},
      {2, "$Sa.txt", std::nullopt, true, false, 2},
      {2, "$Ssecurity.ini", std::nullopt, true, false, 2},
  };
  for (const TGuardCase& c : cases) {
    std::string target = c.target;
    if (target.starts_with("$S")) target = scriptFolder + target.substr(2);
    if (target.starts_with("$O")) target = root + "other/" + target.substr(2);
    auto state = State(c.level);
    host.FakeDialogs.Questions.clear();
    host.FakeDialogs.Answers = {c.answer};
    EXPECT_EQ(ConfirmFileAccess(*state, target, "\"" + target + "\"へ保存しますか？"), c.refused) << c.target;
    EXPECT_EQ(!host.FakeDialogs.Questions.empty(), c.asked) << c.target;
    EXPECT_EQ(state->SecurityLevel, c.levelAfter) << c.target;
  }
  EXPECT_EQ(host.FakeDialogs.Choices, (std::vector<std::string>{"はい", "いいえ", "全てはい", "全ていいえ"}));
}

TEST_F(FileGuardTest, SecurityIniIsNeverChanged) {
  ::symlink(ToNativePath(scriptFolder + "security.ini").c_str(), ToNativePath(scriptFolder + "alias.txt").c_str());
  for (const char* target : {"security.ini", "SECURITY.INI", "alias.txt"}) {
    auto state = State(0);
    host.RuntimeMessages.clear();
    EXPECT_TRUE(ConfirmFileAccess(*state, target, "q")) << target;
    EXPECT_EQ(host.RuntimeMessages, std::vector<std::string>{"このプログラムは、\"security.ini\"を、操作出来ません！"});
  }
}

TEST_F(FileGuardTest, LevelFromSecurityIni) {
  const struct {
    const char* besideScript;  // nullptr: no file
    const char* besideRuntime;
    int level;
  } cases[] = {
      {nullptr, nullptr, 1},
      {"[main.yrh]\r\nsecurity=high\r\n", nullptr, 2},
      {"[MAIN.YRH]\r\nSecurity=Low\r\n", nullptr, 0},
      {"[main.yrh]\r\nsecurity=mid\r\n", nullptr, 1},
      {"[other.yrh]\r\nsecurity=high\r\n", nullptr, 1},
      {"[main.yrh]\r\nsecurity=\r\n", nullptr, 1},
      {nullptr, "[$SCRIPT]\r\nsecurity=h\r\n", 2},
  };
  ::mkdir(ToNativePath(root + "runtime/").c_str(), 0700);
  for (const auto& c : cases) {
    ::unlink(ToNativePath(scriptFolder + "security.ini").c_str());
    ::unlink(ToNativePath(root + "runtime/security.ini").c_str());
    if (c.besideScript != nullptr) Write(scriptFolder + "security.ini", c.besideScript);
    if (c.besideRuntime != nullptr) {
      std::string text = c.besideRuntime;
      text.replace(text.find("$SCRIPT"), 7, scriptFolder + "main.yrh");
      Write(root + "runtime/security.ini", text);
    }
    auto state = State(-1);
    ReadSecurityLevel(*state);
    EXPECT_EQ(state->SecurityLevel, c.level) << (c.besideScript ? c.besideScript : c.besideRuntime);
  }
}

}  // namespace
}  // namespace yura
