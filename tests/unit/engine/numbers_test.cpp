#include "engine/numbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace yura {
namespace {

TEST(NumberText, ShortestFormWithFifteenDigits) {
  const std::pair<TNumber, const char*> cases[] = {
      {0, "0"},          {-0.0L, "0"},         {42, "42"},         {-7, "-7"},
      {0.5L, "0.5"},     {0.1L + 0.2L, "0.3"}, {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},         {123456789012345.0L, "123456789012345"},
      {1e15L, "1E15"},   {1e20L, "1E20"},      {1.5e16L, "1.5E16"}, {-2.5e30L, "-2.5E30"},
      {0.00001L, "0.00001"},                   {0.000001L, "1E-6"}, {1.5e-7L, "1.5E-7"},
      {100.25L, "100.25"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value), text) << static_cast<double>(value);
  EXPECT_EQ(NumberText(1.0L / 0.0L), "INF");
  EXPECT_EQ(NumberText(-1.0L / 0.0L), "-INF");
}

TEST(ToNumber, ReadsTheLongestNumericPrefix) {
  const std::pair<const char*, TNumber> cases[] = {
      {"", 0},        {"  12 ", 12},     {"12円", 12},      {"1e3", 1},         {"1.5e3", 1500},
      {"$FF", 255},   {"$FFx", 0},       {"abc", 0},        {"-3.5", -3.5L},    {"+4", 4},
      {".5", 0.5L},   {"3.", 3},         {"1,000", 1000},   {"１，０００", 1000}, {"－５", -5},
      {"1E20", 1e20L}, {"-2E-3", -0.002L}, {"1E3円", 1},     {"\t7", 7},         {"--5", 0},
      // Around the 18 digits that are read without the general reader.
      {"-", 0},       {"-0", 0},         {"123456789012345678", 123456789012345678.0L},
      {"1234567890123456789", 1234567890123456789.0L}, {"-123456789012345678円", -123456789012345678.0L},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ToNumber(text), value) << text;
}

TEST(ToNumber, WrittenNumbersReadBack) {
  for (TNumber value : {1e20L, -3.25L, 1e-7L, 123456789012345.0L, 0.5L})
    EXPECT_EQ(NumberText(ToNumber(NumberText(value))), NumberText(value));
}

TEST(ParseInteger, WholeTextOnly) {
  EXPECT_EQ(ParseInteger("12"), 12);
  EXPECT_EQ(ParseInteger(" -3 "), -3);
  EXPECT_EQ(ParseInteger("$10"), 16);
  EXPECT_EQ(ParseInteger("2.5"), std::nullopt);
  EXPECT_EQ(ParseInteger("12円"), std::nullopt);
  EXPECT_EQ(ParseInteger(""), std::nullopt);
}

TEST(Truncate, TowardZeroWithinTheRange) {
  const std::pair<long double, std::optional<std::int32_t>> to32[] = {
      {-2.9L, -2},          {2.9L, 2},           {3e9L, std::nullopt},         {-2147483648.5L, -2147483647 - 1},
      {2147483647.9L, 2147483647}, {2147483648.0L, std::nullopt}, {-2147483649.0L, std::nullopt},
      {std::numeric_limits<long double>::quiet_NaN(), std::nullopt},
  };
  for (const auto& [value, expected] : to32) EXPECT_EQ(TruncateToInt32(value), expected) << static_cast<double>(value);
  const std::pair<long double, std::optional<std::int64_t>> to64[] = {
      {1.0L / 0.0L, std::nullopt},  {-1.0L / 0.0L, std::nullopt}, {9223372036854775808.0L, std::nullopt},
      {-9223372036854775808.0L, std::numeric_limits<std::int64_t>::min()}, {-7.5L, -7},
      {9223372036854775807.0L, std::numeric_limits<std::int64_t>::max()}, {9223372036854775806.0L, 9223372036854775806LL},
      {std::numeric_limits<long double>::quiet_NaN(), std::nullopt},
  };
  for (const auto& [value, expected] : to64) EXPECT_EQ(TruncateToInt64(value), expected) << static_cast<double>(value);
}

}  // namespace
}  // namespace yura
