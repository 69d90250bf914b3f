#include "core/yurabase.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/format.h"
#include "fake_host.h"

namespace yura {
namespace {

TEST(TYuraBase, ConstructionDefaults) {
  TFakeHost host;
  TYuraBase state(host);
  EXPECT_EQ(state.SwitchValue, "\\~未定義");
  EXPECT_EQ(state.CondResult, -1);
  EXPECT_TRUE(state.ErrorWarn);
  EXPECT_EQ(state.SecurityLevel, -1);
  EXPECT_TRUE(state.Cursor.IsEmpty());
  EXPECT_EQ(state.CurrentLine, 0);
  EXPECT_EQ(state.TextCount, 0);
  EXPECT_FALSE(state.StopRequested || state.ParenCall || state.SoreImplied || state.LineStop || state.TrayIcon);
}

TEST(TYuraBase, ResetForStartKeepsObjectsAndStacks) {
  TFakeHost host;
  TYuraBase state(host);
  state.ErrorLog = "old";
  state.Words.Add(THashNode::MakeVariable("A", "1", 0, false));
  state.ArgStack.Push("x");
  state.Objects.Add(std::make_unique<TObjNode>("母艦", 7, 0, nullptr));
  state.CondResult = 1;
  state.ResetForStart();
  EXPECT_EQ(state.ErrorLog, "");
  EXPECT_EQ(state.Words.Count(), 0);
  EXPECT_EQ(state.TextX, 10);
  EXPECT_EQ(state.TextY, 10);
  EXPECT_EQ(state.CondResult, -1);
  EXPECT_EQ(state.ArgStack.Count(), 1u);
  EXPECT_EQ(state.Objects.Count(), 1u);
}

TEST(TYuraBase, LineOfCursorReadsTheNextMarker) {
  TFakeHost host;
  TYuraBase state(host);
  const TText text = MakeText("a\r\n1:b c\r\n2:d");
  state.SourceFileName = "/x/y/t.yrh";
  state.CurrentLine = 1;
  state.Cursor = TCursor(text, 6);  // on "c" in line 2
  EXPECT_EQ(state.LineOfCursor(), 2);
  EXPECT_EQ(state.CurrentLine, 2);
  state.Cursor = TCursor(text, 12);  // the last line has no marker
  state.CurrentLine = 3;
  EXPECT_EQ(state.LineOfCursor(), 3);
  state.Cursor.Clear();
  EXPECT_EQ(state.FormatError("msg"), "[エラー] t.yrh(3行目): msg");
}

TEST(TYuraBase, RaiseLogsEveryError) {
  TFakeHost host;
  TYuraBase state(host);
  state.SourceFileName = "t.yrh";
  EXPECT_THROW(state.Raise("a"), EYura);
  EXPECT_THROW(state.Raise("b"), EYura);
  EXPECT_EQ(state.ErrorLog, "[エラー] t.yrh(0行目): a\r\n[エラー] t.yrh(0行目): b\r\n");
}

TEST(FormatMessage, FillsOnlyTheTemplate) {
  EXPECT_EQ(FormatMessage("\"%s\"命令の%d番", {"%s%d", "3"}), "\"%s%d\"命令の3番");
  EXPECT_EQ(FormatMessage("100%% %s", {}), "100% ");
  EXPECT_EQ(FormatMessage("%", {"x"}), "%");
}

}  // namespace
}  // namespace yura
