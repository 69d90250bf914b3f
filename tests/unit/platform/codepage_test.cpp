#include "platform/codepage.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <vector>

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

// The tables are read from the converter in long runs; every character must
// come out as the converter gives it one at a time.
TEST(CodePage, TablesAgreeWithTheConverterCharacterByCharacter) {
  struct TConverter {
    explicit TConverter(const char* to, const char* from) : Handle(iconv_open(to, from)) {}
    ~TConverter() {
      if (Handle != reinterpret_cast<iconv_t>(-1)) iconv_close(Handle);
    }
    bool Convert(std::string in, std::string& out) const {
      out.assign(16, '\0');
      char* source = in.data();
      char* target = out.data();
      std::size_t inLeft = in.size(), outLeft = out.size();
      iconv(Handle, nullptr, nullptr, nullptr, nullptr);
      const bool done = iconv(Handle, &source, &inLeft, &target, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
      out.resize(out.size() - outLeft);
      return done;
    }
    iconv_t Handle;
  };
  const TConverter decoder("UTF-16LE", "CP932"), encoder("CP932", "UTF-16LE");
  ASSERT_NE(decoder.Handle, reinterpret_cast<iconv_t>(-1));
  ASSERT_NE(encoder.Handle, reinterpret_cast<iconv_t>(-1));
  std::vector<bool> decoded(0x10000, false);
  std::string out;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      if (!decoder.Convert(pair, out) || out.size() != 2) continue;
      const auto cp = static_cast<char16_t>(static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
      decoded[cp] = true;
      ASSERT_EQ(SjisToUtf16(pair), std::u16string(1, cp)) << lead << " " << trail;
    }
  }
  for (int b = 0xA1; b <= 0xDF; ++b) decoded[0xFF61 + b - 0xA1] = true;  // half-width katakana
  // Each character the tables know is written with the converter's own code.
  for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
    if (!decoded[cp]) continue;
    const std::string in{static_cast<char>(cp & 0xFF), static_cast<char>(cp >> 8)};
    const std::u16string one(1, static_cast<char16_t>(cp));
    if (encoder.Convert(in, out))
      ASSERT_EQ(Utf16ToSjis(one), out) << "U+" << std::hex << static_cast<unsigned>(cp);
    else
      ASSERT_EQ(SjisToUtf16(Utf16ToSjis(one)), one) << "U+" << std::hex << static_cast<unsigned>(cp);
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
