#include "platform/codepage.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include "test_text.h"

namespace yura {
namespace {

TEST(CodePage, EveryByteSequenceRoundTripsOrComesBackCanonical) {
  // Single bytes (lone lead bytes included) and every two-byte combination.
  for (int a = 0; a < 256; ++a) {
    const std::string one(1, static_cast<char>(a));
    ASSERT_EQ(Utf8ToSjis(SjisToUtf8(one)), one) << "byte " << a;
    ASSERT_EQ(Utf16ToSjis(SjisToUtf16(one)), one) << "byte " << a;
    for (int b = 0; b < 256; ++b) {
      const std::string two{static_cast<char>(a), static_cast<char>(b)};
      const std::string back = Utf8ToSjis(SjisToUtf8(two));
      if (back != two) {
        // Only a code listed twice by the code page may come back changed,
        // and then as the same character.
        ASSERT_EQ(back.size(), 2u) << a << " " << b;
        ASSERT_EQ(SjisToUtf8(back), SjisToUtf8(two)) << a << " " << b;
      }
    }
  }
}

// ASCII takes a short way around the tables: the converter the tables are
// read from must agree that ASCII is itself, both ways.
TEST(CodePage, AsciiIsItselfInTheConverter) {
  std::string ascii;
  for (int b = 1; b < 0x80; ++b) ascii += static_cast<char>(b);
  for (const auto& [to, from] : {std::pair{"UTF-8", "CP932"}, std::pair{"CP932", "UTF-8"}}) {
    iconv_t converter = iconv_open(to, from);
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
    std::string out(ascii.size() * 4, '\0');
    char* in = ascii.data();
    char* target = out.data();
    std::size_t inLeft = ascii.size(), outLeft = out.size();
    ASSERT_NE(iconv(converter, &in, &inLeft, &target, &outLeft), static_cast<std::size_t>(-1));
    iconv_close(converter);
    out.resize(out.size() - outLeft);
    EXPECT_EQ(out, ascii) << from << " to " << to;
  }
}

TEST(CodePage, KnownCharacters) {
  EXPECT_EQ(SjisToUtf8("\\~"), "\\~");  // 0x5C and 0x7E stay ASCII
  EXPECT_EQ(SjisToUtf8("\x95\x5C\x8E\xA6"), Utf8(u8"表示"));
  EXPECT_EQ(SjisToUtf8("\xB1"), Utf8(u8"ｱ"));
  EXPECT_EQ(Utf8ToSjis(Utf8(u8"表示")), "\x95\x5C\x8E\xA6");
  EXPECT_EQ(Utf8ToSjis(Utf8(u8"😀")), "?");
  EXPECT_EQ(SjisToUtf16("\x82\xA0"), u"あ");
  // An undecodable byte is carried as U+DC00 + byte.
  EXPECT_EQ(SjisToUtf16("\xFF"), std::u16string(1, char16_t(0xDCFF)));
}

TEST(CodePage, StrictConversionReportsTheFirstUnmappableCharacter) {
  std::string out;
  TStrictFailure failure;
  EXPECT_TRUE(Utf8ToSjisStrict(Utf8(u8"あいう"), out, failure));
  EXPECT_EQ(out, "\x82\xA0\x82\xA2\x82\xA4");
  EXPECT_FALSE(Utf8ToSjisStrict(Utf8(u8"ab😀c"), out, failure));
  EXPECT_EQ(failure.Offset, 2u);
  EXPECT_EQ(failure.CodePoint, U'😀');
}

TEST(CodePage, StrictUtf8Test) {
  bool multibyte = false;
  EXPECT_TRUE(IsStrictUtf8("abc", multibyte));
  EXPECT_FALSE(multibyte);
  EXPECT_TRUE(IsStrictUtf8(Utf8(u8"aあ"), multibyte));
  EXPECT_TRUE(multibyte);
  EXPECT_FALSE(IsStrictUtf8("\x82\xA0", multibyte));      // Shift_JIS あ
  EXPECT_FALSE(IsStrictUtf8("\xC0\xAF", multibyte));      // overlong
  EXPECT_FALSE(IsStrictUtf8("\xED\xA0\x80", multibyte));  // surrogate
  EXPECT_FALSE(IsStrictUtf8("\xE3\x81", multibyte));      // cut short
}

}  // namespace
}  // namespace yura
