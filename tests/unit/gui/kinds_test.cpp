// Kind words, default captions and property names.
#include "commands/gui/kinds.h"

#include <gtest/gtest.h>

#include "commands/gui/properties.h"
#include "commands/gui/valuetexts.h"

using namespace yura;

TEST(GuiKinds, NameEndingPicksTheFirstKindInNumberOrder) {
  const struct {
    const char* name;
    std::optional<TObjectKind> kind;
  } cases[] = {
      {"メモTエディタ", TObjectKind::Edit},  // エディタ comes before Tエディタ
      {"本文リッチエディタ", TObjectKind::Edit},
      {"開くメニュー", TObjectKind::Menu},
      {"一覧リスト", TObjectKind::List},
      {"ツールバー", TObjectKind::Bar},
      {"保存", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(KindOfNameEnding(c.name), c.kind) << c.name;
}

TEST(GuiKinds, DefaultCaptionDropsTheKindWordOnlyAtTheEnd) {
  EXPECT_EQ(DefaultCaption("OKボタン", TObjectKind::Button), "OK");
  EXPECT_EQ(DefaultCaption("ボタン押し", TObjectKind::Button), "ボタン押し");
  EXPECT_EQ(DefaultCaption("保存", TObjectKind::Button), "保存");
  EXPECT_EQ(DefaultCaption("メモ", TObjectKind::Memo), "");
}

TEST(GuiKinds, KindWordsAreExact) {
  EXPECT_EQ(KindOfWord("Tエディタ"), TObjectKind::TextEditor);
  EXPECT_EQ(KindOfWord("リッチエディタ"), TObjectKind::RichEdit);
  EXPECT_EQ(KindOfWord("ボタン "), std::nullopt);
  EXPECT_EQ(KindOfWord("メニュー"), TObjectKind::Menu);
}

TEST(GuiKinds, MainEventSlotFollowsTheKind) {
  EXPECT_EQ(DefaultEventSlot(TObjectKind::Button), 1u);
  EXPECT_EQ(DefaultEventSlot(TObjectKind::TabPage), 7u);
  EXPECT_EQ(DefaultEventSlot(TObjectKind::Form), 3u);
  EXPECT_EQ(DefaultEventSlot(TObjectKind::Memo), std::nullopt);
}

TEST(GuiProperties, NamesMatchAfterTheOkuriganaStrip) {
  EXPECT_EQ(PropertyOfName("クリック時"), TProperty::Click);
  EXPECT_EQ(PropertyOfName("クリックした時"), TProperty::Click);
  EXPECT_EQ(PropertyOfName("マウス押した時"), TProperty::MouseDown);
  EXPECT_EQ(PropertyOfName("ファイルドロップした時"), TProperty::FileDropped);
  EXPECT_EQ(PropertyOfName("ファイルドロップ"), TProperty::FileDrop);
  EXPECT_EQ(PropertyOfName("W"), TProperty::W);
  EXPECT_EQ(PropertyOfName("種類"), TProperty::Kind);
  EXPECT_EQ(PropertyOfName("色"), std::nullopt);
}

TEST(GuiValues, ColourTextsAreHexOrPlatformIntegers) {
  EXPECT_EQ(ColorValue("#FF0000"), 0xFF);
  EXPECT_EQ(ColorValue("#0000ff"), 0xFF0000);
  EXPECT_EQ(ColorValue("#993300"), 0x99 + 0x33 * 256);
  EXPECT_EQ(ColorValue("255"), 255);
  EXPECT_EQ(ColorValue("#GG0000"), std::nullopt);
  EXPECT_EQ(ColorValue("#FFF"), std::nullopt);
  EXPECT_EQ(ColorValue("赤"), std::nullopt);
}
