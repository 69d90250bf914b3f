#include "core/hash.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace yura {
namespace {

TNodeRef Command(const std::string& name) {
  auto node = std::make_shared<THashNode>();
  node->Name = StripOkurigana(name);
  node->Kind = nkCommand;
  node->Reserved = true;
  return node;
}

TEST(StripOkurigana, Table) {
  const std::pair<const char*, const char*> cases[] = {
      {"取り出す", "取出"},   {"書き込む", "書込"},   {"言う", "言"},       {"言います", "言"},
      {"ひらがな変換", "ひらがな変換"}, {"それ", "それ"}, {"表示して", "表示"}, {"A言う", "A言"},
      {"取りだす", "取"},     {"足す", "足"},         {"", ""},              {"LEN", "LEN"},
      {"待つ1", "待1"},       {"見ぁ", "見ぁ"},      // ぁ (0x829F) is not counted as hiragana
  };
  for (const auto& [word, stripped] : cases) EXPECT_EQ(StripOkurigana(word), stripped) << word;
}

TEST(THash, FindWithAndWithoutStripping) {
  THash table;
  table.Add(Command("言う"));
  ASSERT_NE(table.Find("言います", true), nullptr);
  EXPECT_EQ(table.Find("言", false)->Name, "言");
  EXPECT_EQ(table.Find("言う", false), nullptr);
  EXPECT_EQ(table.Find("", true), nullptr);
  table.Add(THashNode::MakeVariable("言う", "v", 0, false));
  // The stripped form wins when both exist; without stripping the exact name.
  EXPECT_EQ(table.Find("言う", true)->Kind, nkCommand);
  EXPECT_EQ(table.Find("言う", false)->Kind, nkVariable);
  EXPECT_EQ(table.GetValue("言う", false), "v");
}

TEST(THash, ReservedEntriesCannotBeReplacedOthersAre) {
  THash table;
  table.Add(Command("言う"));
  try {
    table.Add(THashNode::MakeVariable("言", "x", 0, false));
    ADD_FAILURE();
  } catch (const EPlainError& e) {
    EXPECT_EQ(std::string(e.what()), "\"言\"は予約語なので、登録できません。");
  }
  EXPECT_EQ(table.Find("言", false)->Kind, nkCommand);
  const TNodeRef preset = THashNode::MakeVariable("白色", "#FFFFFF", -1, false);
  EXPECT_EQ(table.Add(preset), 2);
  EXPECT_EQ(table.Add(THashNode::MakeVariable("白色", "0", 0, false)), 2);
  EXPECT_EQ(table.GetValue("白色", false), "0");
  EXPECT_EQ(preset->Value(), "#FFFFFF");  // a holder of the old node still reaches it
  EXPECT_EQ(table.Add(nullptr), -1);
}

TEST(THash, EnumerationFollowsTheBuckets) {
  // Bucket = byte sum mod 256: "~~" 252, "b" 98, "a" 97, "ab" 195, "ba" 195, "A" 65.
  THash table;
  for (const char* name : {"~~", "b", "ab", "a", "ba", "A"}) table.Add(THashNode::MakeVariable(name, "1", 0, false));
  EXPECT_EQ(table.ListNames(), "A\r\na\r\nb\r\nab\r\nba\r\n~~");
  EXPECT_EQ(table.ListPairs(), "A=1\r\na=1\r\nb=1\r\nab=1\r\nba=1\r\n~~=1");
  // A replaced entry keeps its place in the bucket.
  table.Add(THashNode::MakeVariable("ab", "2", 0, false));
  EXPECT_EQ(table.AllNodes()[3]->Value(), "2");  // A, a, b, ab
  EXPECT_EQ(THash().ListNames(), "");
}

TEST(THash, DeleteAndClear) {
  THash table;
  table.Add(Command("取り出す"));
  table.Add(THashNode::MakeVariable("取り出す", "", 0, false));
  EXPECT_EQ(table.Count(), 2);
  EXPECT_EQ(table.Delete("取り出す", true), 0);  // both the stripped and the written name
  EXPECT_EQ(table.Delete("取り出す", true), -1);
  table.Add(THashNode::MakeVariable("x", "", 0, false));
  table.Clear();
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.Find("x", false), nullptr);
}

TEST(THash, LoadFromText) {
  THash table;
  table.LoadFromText(" a =1\r\nb=2=3\nc\r\n=x\r\na=4");
  EXPECT_EQ(table.ListPairs(), "a=4\r\nb=2=3\r\nc=");
  EXPECT_EQ(table.Find("a", false)->Kind, nkVariable);
}

TEST(THashNode, AssignCopiesAllButTheName) {
  THashNode a, b;
  a.Name = "a";
  b.Name = "b";
  b.SetValue("v");
  b.Kind = nkObject;
  b.Number = 7;
  b.Reserved = true;
  b.Table = std::make_shared<THash>();
  a.Assign(b);
  EXPECT_EQ(a.Name, "a");
  EXPECT_EQ(a.Value(), "v");
  EXPECT_EQ(a.Kind, nkObject);
  EXPECT_EQ(a.Number, 7);
  EXPECT_TRUE(a.Reserved);
  EXPECT_EQ(a.Table, b.Table);
}

TEST(THashNode, ValuesKeptInAnotherFormReadAsTheirText) {
  // A whole number and held cells stand for a text that is written when
  // read, in every way of reading and changing it.
  THashNode node;
  node.SetValue("old text");
  node.SetWholeNumber(-1234567);
  EXPECT_EQ(node.ValueView(), "-1234567");
  node.SetWholeNumber(42);
  const THashNode copy = node;
  EXPECT_EQ(copy.Value(), "42");
  node.DropValuePrefix(1);
  EXPECT_EQ(node.Value(), "2");
  node.SetWholeNumber(99);
  node.MutableValue() += "x";
  EXPECT_EQ(node.Value(), "99x");
  node.SetValue("a\r\nb\r\n");
  node.HoldCells({"a", "b"});
  const std::uint64_t before = node.ValueVersion();
  node.MutableHeldCells().push_back("c");
  EXPECT_NE(node.ValueVersion(), before);
  const THashNode held = node;
  node.MutableHeldCells()[0] = "z";  // the copy keeps its own cells
  EXPECT_EQ(held.Value(), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(node.ValueView(), "z\r\nb\r\nc\r\n");
  node.SetWholeNumber(7);
  EXPECT_EQ(node.HeldCells(), nullptr);
  EXPECT_EQ(node.Value(), "7");
}

TEST(THash, IndexFollowsAddReplaceAndDelete) {
  // Names whose bytes add up alike share a bucket; the index still finds
  // each, and the generation tells every change.
  THash table;
  const std::uint64_t start = table.Generation();
  for (int i = 0; i < 2000; ++i) table.Add(THashNode::MakeVariable("k" + std::to_string(i), std::to_string(i), 0, false));
  EXPECT_EQ(table.Count(), 2000);
  EXPECT_EQ(table.GetValue("k1999", false), "1999");
  const std::uint64_t added = table.Generation();
  EXPECT_NE(added, start);
  table.Add(THashNode::MakeVariable("k5", "five", 0, false));
  EXPECT_EQ(table.GetValue("k5", false), "five");
  EXPECT_EQ(table.Count(), 2000);
  EXPECT_NE(table.Generation(), added);
  EXPECT_EQ(table.Delete("k5", false), 1999);
  EXPECT_EQ(table.Find("k5", false), nullptr);
  EXPECT_EQ(table.ListNames().find("k5\r\n"), std::string::npos);
  table.Clear();
  EXPECT_EQ(table.Find("k7", false), nullptr);
}

}  // namespace
}  // namespace yura
