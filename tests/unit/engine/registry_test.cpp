#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace yura {
namespace {

TEST(RegisterAll, EveryDirectReferenceIsSet) {
  TEngineFixture f;
  const TYuraBase& s = f.state;
  const TNodeRef* references[] = {
      &s.SoshiteNode, &s.MoshiNode, &s.NarabaNode, &s.NaraNode, &s.ChigaebaNode, &s.DenakerebaNode, &s.CountNode,
      &s.TabWidthNode, &s.KinsokuNode, &s.MatchCountNode, &s.DialogCancelNode, &s.DialogImeNode, &s.DialogInitNode,
      &s.ErrorMessageNode, &s.NoExitNode, &s.TableFieldNameNode, &s.OutputTargetNode, &s.FontColorNode,
      &s.FontSizeNode, &s.FontNameNode, &s.PenColorNode, &s.PenWidthNode, &s.BrushColorNode, &s.JpegQualityNode,
      &s.SpacingNode, &s.MouseXNode, &s.MouseYNode, &s.PressedKeyNode, &s.PressedSpecialKeyNode,
      &s.EventObjectNode, &s.EventValueNode, &s.BrowserAllowNode, &s.BrowserTargetUrlNode, &s.PlayRepeatNode,
      &s.Database.Provider, &s.Database.DataSource, &s.Database.UserId, &s.Database.Password,
      &s.CompressOptionNode, &s.ExtractOptionNode, &s.SfxOptionNode, &s.Mail.Host, &s.Mail.Id, &s.Mail.Password,
      &s.Mail.Title, &s.Mail.Body, &s.Mail.Attachments, &s.Mail.To, &s.Mail.Bcc, &s.Mail.Cc, &s.Mail.From,
      &s.Mail.SenderName, &s.Mail.DeleteFromServer, &s.Ftp.Host, &s.Ftp.UserId, &s.Ftp.Password, &s.Ftp.Mode,
      &s.Tcp.Port, &s.Tcp.ServiceName, &s.Tcp.Text, &s.Tcp.Sender, &s.DdeFileNameNode, &s.DdeStringNode,
      &s.SoreNode, &s.SoNode,
  };
  for (std::size_t i = 0; i < std::size(references); ++i) EXPECT_NE(*references[i], nullptr) << i;
  // The main window is object 0 and a reserved word.
  const TNodeRef mainWindow = s.Words.Find("母艦", false);
  ASSERT_NE(mainWindow, nullptr);
  EXPECT_EQ(mainWindow->Kind, nkObject);
  EXPECT_TRUE(mainWindow->Reserved);
  ASSERT_GE(s.Objects.Count(), 1u);
  EXPECT_EQ(s.Objects.GetItem(0)->Name, "母艦");
}

TEST(RegisterAll, CommandsAreFoundWithAnyOkurigana) {
  TEngineFixture f;
  for (const char* name : {"言う", "言います", "言", "取り込む", "LEN", "文字数"})
    EXPECT_NE(f.state.Words.Find(name, true), nullptr) << name;
  EXPECT_EQ(f.state.Words.Find("言う", false), nullptr);
  EXPECT_EQ(f.state.Words.Find("LEN", true)->Number, f.state.Words.Find("文字数", true)->Number);
}

}  // namespace
}  // namespace yura
