#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "textutil/base64.h"

namespace yura {
namespace {

struct TVector {
  const char* Bytes;
  const char* Text;
};

// RFC 4648 section 10, and bytes that use the two last alphabet characters.
const TVector kVectors[] = {
    {"", ""},
    {"f", "Zg=="},
    {"fo", "Zm8="},
    {"foo", "Zm9v"},
    {"foob", "Zm9vYg=="},
    {"fooba", "Zm9vYmE="},
    {"foobar", "Zm9vYmFy"},
    {"\xFB\xEF\xBE", "++++"},
    {"\xFF\xFF\xFF", "////"},
    {"\x1B$B$\"\x1B(J", "GyRCJCIbKEo="},
};

TEST(Base64, KnownVectorsBothWays) {
  for (const TVector& v : kVectors) {
    SCOPED_TRACE(v.Text);
    EXPECT_EQ(Base64Encode(v.Bytes), v.Text);
    EXPECT_EQ(Base64Decode(v.Text), std::optional<std::string>(v.Bytes));
  }
}

TEST(Base64, RoundTripsEveryByteValueAtEveryTailLength) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  // Lengths 256, 257 and 258 end with no, two and one padding characters.
  for (const std::string& bytes : {all, all + '\0', all + "\x80\x7F"}) {
    const std::string text = Base64Encode(bytes);
    EXPECT_EQ(text.size() % 4, 0u);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << "no line breaks, however long";
    EXPECT_EQ(Base64Decode(text), bytes);
  }
  // Pseudo-random texts of every short length.
  std::uint32_t seed = 12345;
  for (std::size_t length = 0; length < 64; ++length) {
    std::string bytes;
    for (std::size_t k = 0; k < length; ++k) {
      seed = seed * 1103515245u + 12345u;
      bytes += static_cast<char>(seed >> 24);
    }
    EXPECT_EQ(Base64Decode(Base64Encode(bytes)), bytes) << "length " << length;
  }
}

TEST(Base64, SkipsLineBreaksBetweenGroups) {
  const struct {
    const char* Text;
    const char* Bytes;
  } cases[] = {
      {"Zm9v\r\nYmFy", "foobar"},
      {"Zm9v\nYmFy\n", "foobar"},
      {"\r\nZm9vYg==\r\n", "foob"},
      {"Zm9v\r\r\n\nYmE=", "fooba"},
      {"\r\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(Base64Decode(c.Text), std::optional<std::string>(c.Bytes));
  }
}

TEST(Base64, RejectsMalformedText) {
  const char* const cases[] = {
      "Zm9",             // three characters
      "Zm9vY",           // five characters
      "Zm9vYmF\r\ny",    // seven characters and a line break
      "Zm\r\n9v",        // a line break inside a group
      "Zm9 v",           // a space
      "Zm9v\tYmFy",      // a tab between groups
      "Zm9v!mFy",        // outside the alphabet
      "Zm9-",            // the URL-safe alphabet is not this one
      "Zm9_",            //
      "Zm9v\x82\xA0",    // a Shift_JIS character
      "Zg=a",            // padding before a character
      "=Zg=",            // padding first
      "Z===",            // three padding characters
      "====",            // padding only
      "Zg==Zm9v",        // a group after padding
      "Zg==\r\nZm9v",    // also across a line break
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Base64Decode(text), std::nullopt);
  }
}

}  // namespace
}  // namespace yura
