#include <gtest/gtest.h>

#include "source/halfwidth.h"

namespace yura {
namespace {

TEST(HalfWidth, ConvertsTableEntriesAndKeepsTheRest) {
  EXPECT_EQ(ToHalfWidth("Ｘ＝１０"), "X=10");
  EXPECT_EQ(ToHalfWidth("≠≦≧"), "<><=>=");
  EXPECT_EQ(ToHalfWidth("「あ」『い』"), "\"あ\"`い`");
  EXPECT_EQ(ToHalfWidth("\xA2x\xA3"), "\"x\"");
  EXPECT_EQ(ToHalfWidth("漢字“ｱ"), "漢字“ｱ");
  EXPECT_EQ(ToHalfWidth("、。　"), ",; ");
  EXPECT_EQ(ToHalfWidth("※￥"), "'\\");
}

}  // namespace
}  // namespace yura
