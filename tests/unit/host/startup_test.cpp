#include "host/startup.h"

#include "engine/scriptfile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/errors.h"
#include "fake_host.h"
#include "platform/filesystem.h"
#include "platform/tempfolder.h"
#include "test_text.h"

namespace yura {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = CurrentFolder();
    folder = temp.Path();
    ASSERT_FALSE(folder.empty());
    ChangeCurrentFolder(folder);
    Write("a.yrh", "A\r\nB");
    Write("prog.EXE", "not read");
    Write("rt", "stands for the runtime: an executable without a container");
  }
  void TearDown() override { ChangeCurrentFolder(previous); }
  void Write(const std::string& name, const std::string& content) {
    std::ofstream(folder + name, std::ios::binary) << content;
  }

  TTempFolder temp;
  std::string folder, previous;
};

struct TWalkCase {
  std::vector<std::string> parameters;  // after the runtime itself
  std::string startupName;
  bool failed = false;
  bool debug = false, lineStop = false, runtimeMode = false;
  int security = -1;
  std::size_t index = 1;
  std::string arguments;  // コマンドライン引数
  bool loaded = false;
};

TEST_F(StartupTest, ParameterWalk) {
  const TWalkCase cases[] = {
      {{"a.yrh", "x", "y"}, "a.yrh", false, false, false, false, -1, 1, "a.yrh\r\nx\r\ny", true},
      {{"-debug", "a.yrh", "b.yrh"}, "a.yrh", false, true, false, false, -1, 1, "-debug\r\na.yrh\r\nb.yrh", true},
      {{"-security", "HIGH", "a.yrh"}, "a.yrh", false, false, false, false, 2, 1, "-security\r\nHIGH\r\na.yrh", true},
      {{"-security", "max", "a.yrh"}, "a.yrh", false, false, false, false, -1, 1, "-security\r\nmax\r\na.yrh", true},
      {{"-security", "Mid", "a.yrh"}, "a.yrh", false, false, false, false, 1, 1, "-security\r\nMid\r\na.yrh", true},
      {{"-linestop", "-other", "-run", "a.yrh"}, "a.yrh", false, false, true, false, -1, 1,
       "-linestop\r\n-other\r\n-run\r\na.yrh", true},
      {{"prog.EXE"}, "prog.EXE", false, false, false, false, -1, 1, "prog.EXE", false},
      {{"nofile.yrh"}, "nofile.yrh", true, false, false, false, -1, 1, "nofile.yrh", false},
      {{"-security"}, "", false, false, false, false, -1, 1, "-security", false},
      // A missing -runtime file stops the start before the paths are known.
      {{"-runtime"}, "", true, false, false, true, -1, 1, "-runtime", false},
      {{"-runtime", "p.exe", "a.yrh"}, "p.exe", true, false, false, true, -1, 1, "-runtime\r\np.exe\r\na.yrh", false},
      // An existing file without a container is a broken program file.
      {{"-runtime", "prog.EXE", "a.yrh"}, "prog.EXE", true, false, false, true, -1, 3, "a.yrh", false},
  };
  for (const TWalkCase& c : cases) {
    ChangeCurrentFolder(folder);
    TFakeHost host;
    TYuraBase state(host);
    std::vector<std::string> parameters{folder + "rt"};
    parameters.insert(parameters.end(), c.parameters.begin(), c.parameters.end());
    const TStartupOutcome outcome = TStartup(state).Locate(parameters);
    const std::string label = parameters.size() > 1 ? parameters[1] : "";
    EXPECT_EQ(outcome.StartupName, c.startupName) << label;
    EXPECT_EQ(outcome.Failed, c.failed) << label;
    EXPECT_EQ(state.DebugMode, c.debug) << label;
    EXPECT_EQ(state.LineStop, c.lineStop) << label;
    EXPECT_EQ(state.RuntimeMode, c.runtimeMode) << label;
    EXPECT_EQ(state.SecurityLevel, c.security) << label;
    EXPECT_EQ(state.Startup.ScriptParameterIndex, c.index) << label;
    EXPECT_EQ(state.Startup.ScriptArguments(), c.arguments) << label;
    EXPECT_EQ(state.SourceText != nullptr, c.loaded) << label;
    if (c.loaded) {
      EXPECT_EQ(*state.SourceText, "A\r\nB\r\n") << label;
      EXPECT_EQ(state.SourceFileName, c.startupName) << label;
      EXPECT_EQ(state.ScriptFolder, folder) << label;
      EXPECT_EQ(state.ScriptPath, folder + "a.yrh") << label;
    }
  }
}

TEST_F(StartupTest, MessagesOfFailedStarts) {
  TFakeHost host;
  TYuraBase state(host);
  TStartup(state).Locate({folder + "rt", "nofile.yrh"});
  EXPECT_EQ(host.RuntimeMessages, std::vector<std::string>{"起動ファイル「nofile.yrh」が読込めません。"});
  TFakeHost host2;
  TYuraBase state2(host2);
  TStartup(state2).Locate({folder + "rt", "-runtime", "prog.EXE"});
  EXPECT_EQ(host2.RuntimeMessages, std::vector<std::string>{"指定されたプログラムファイルは壊れています。"});
  TFakeHost host3;
  TYuraBase state3(host3);
  TStartup(state3).Locate({folder + "rt", "-runtime", "x.exe"});
  EXPECT_EQ(host3.RuntimeMessages,
            std::vector<std::string>{"[エラー] (0行目): ファイルの展開に失敗しました。Cannot open file \"x.exe\""});
}

TEST_F(StartupTest, NoParametersUsesTheDefaultScriptWhenItExists) {
  {
    TFakeHost host;
    TYuraBase state(host);
    EXPECT_EQ(TStartup(state).Locate({folder + "rt"}).StartupName, "");
    EXPECT_FALSE(state.DefaultScript);
  }
  Write("rt.yrh", "X");
  TFakeHost host;
  TYuraBase state(host);
  EXPECT_EQ(TStartup(state).Locate({folder + "rt"}).StartupName, folder + "rt.yrh");
  EXPECT_TRUE(state.DefaultScript);
  EXPECT_EQ(state.Startup.ScriptParameterIndex, 0u);
  EXPECT_EQ(state.Startup.ScriptArguments(), folder + "rt");
  EXPECT_EQ(state.ScriptFolder, folder);
}

TEST_F(StartupTest, ScriptFolderIsAbsoluteAndTheCurrentFolderMoves) {
  ASSERT_TRUE(ChangeCurrentFolder(folder));
  std::ofstream(folder + "sub.yrh") << "x";
  TTempFolder other;
  std::ofstream(other.Path() + "b.yrh") << "y";
  TFakeHost host;
  TYuraBase state(host);
  TStartup(state).Locate({folder + "rt", other.Path() + "b.yrh"});
  EXPECT_EQ(state.ScriptFolder, other.Path());
  EXPECT_EQ(CurrentFolder(), other.Path());
}

TEST_F(StartupTest, ScriptTexts) {
  struct TCase {
    std::string bytes;
    bool readable;
    std::string text;
  } cases[] = {
      {"a\rb\nc\r\nd", true, "a\r\nb\r\nc\r\nd\r\n"},
      {"", true, ""},
      {"\xEF\xBB\xBF" "abc", true, "abc\r\n"},             // UTF-8 byte-order mark
      {Utf8(u8"言う\n"), true, "\x8C\xBE\x82\xA4\r\n"},             // strict UTF-8 is converted
      {"\x8C\xBE\x82\xA4", true, "\x8C\xBE\x82\xA4\r\n"},  // Shift_JIS stays
      {std::string("\x7F" "ELF\x02\x01", 6), false, ""},
      {std::string("MZ") + std::string(0x3A, '\0') + std::string("\x40\0\0\0PE\0\0", 8), false, ""},
      {"MZ=1", true, "MZ=1\r\n"},
  };
  for (const TCase& c : cases) {
    Write("s.yrh", c.bytes);
    TFakeHost host;
    TYuraBase state(host);
    std::string text;
    EXPECT_EQ(ReadScriptText(state, folder + "s.yrh", text), c.readable) << c.bytes;
    if (c.readable) EXPECT_EQ(text, c.text) << c.bytes;
  }
}

TEST_F(StartupTest, Utf8CharacterWithoutShiftJisFormStopsTheStartAtItsLine) {
  Write("u.yrh", Utf8(u8"あ\n\nい😀\n"));
  TFakeHost host;
  TYuraBase state(host);
  state.SourceFileName = "u.yrh";
  std::string text;
  try {
    ReadScriptText(state, folder + "u.yrh", text);
    ADD_FAILURE();
  } catch (const EYura& e) {
    EXPECT_EQ(e.Message(), "[エラー] u.yrh(3行目): UTF-8の文字(U+1F600)は、Shift_JISに変換できません。");
  }
}

}  // namespace
}  // namespace yura
