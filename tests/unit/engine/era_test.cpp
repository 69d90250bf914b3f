#include "commands/time/era.h"

#include <gtest/gtest.h>

namespace yura {
namespace {

TEST(EraDate, EraBoundaries) {
  const struct {
    int year, month, day;
    const char* text;
  } cases[] = {
      {2003, 7, 6, "平成15年7月6日"},  {1989, 1, 8, "平成元年1月8日"},  {1912, 7, 30, "大正元年7月30日"},
      {1926, 12, 25, "昭和元年12月25日"}, {1869, 1, 1, "明治元年1月1日"}, {1911, 1, 1, "明治43年1月1日"},
      {2019, 4, 30, "平成31年4月30日"}, {2019, 5, 1, "令和元年5月1日"},  {2026, 12, 9, "令和8年12月9日"},
      {1868, 12, 31, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(EraDate(c.year, c.month, c.day), c.text) << c.year;
}

}  // namespace
}  // namespace yura
