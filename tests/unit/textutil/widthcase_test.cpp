#include "textutil/widthcase.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "source/sjis.h"

namespace yura {
namespace {

using TMap = std::string (*)(std::string_view);

struct TCase {
  std::string_view Text;
  std::string_view Expected;
};

struct TNamedMap {
  const char* Name;
  TMap Map;
};

const TNamedMap kAllMaps[] = {
    {"half", MapHalfWidth},   {"full", MapFullWidth},         {"upper", MapUpperCase},
    {"lower", MapLowerCase},  {"hiragana", MapHiragana},      {"katakana", MapKatakana},
};

std::string Hex(std::string_view text) {
  std::string out;
  char buffer[4];
  for (const char c : text) {
    std::snprintf(buffer, sizeof buffer, "%02X ", static_cast<unsigned char>(c));
    out += buffer;
  }
  return out;
}

std::string Code(unsigned code) {
  if (code <= 0xFF) return std::string(1, static_cast<char>(code));
  return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
}

void ExpectMaps(TMap map, std::initializer_list<TCase> cases) {
  for (const TCase& c : cases) {
    SCOPED_TRACE(Hex(c.Text));
    EXPECT_EQ(map(c.Text), c.Expected);
  }
}

// Every double-byte code of the code page's lead bytes, assigned or not.
template <typename F>
void ForEachDoubleByte(F f) {
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead < 0xE0) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
      if (trail != 0x7F) f(lead << 8 | trail);
  }
}

TEST(WidthCase, HalfWidth) {
  ExpectMaps(MapHalfWidth, {
      {"ＡＺａｚ０９", "AZaz09"},
      {"！＃＄％＆（）＊＋，－．／：；＜＝＞？＠［］＾＿｀｛｜｝", "!#$%&()*+,-./:;<=>?@[]^_`{|}"},
      // ＼ ～ ＂ ＇, the last two in both of their code page forms.
      {"\x81\x5F\x81\x60\xFA\x57\xFA\x56\xEE\xFC\xEE\xFB", "\\~\"'\"'"},
      {"　", " "},
      {"アイウエオカサタナハマヤラワヲン", "ｱｲｳｴｵｶｻﾀﾅﾊﾏﾔﾗﾜｦﾝ"},
      {"ァィゥェォャュョッ", "ｧｨｩｪｫｬｭｮｯ"},
      {"ガギグゲゴザジズゼゾダヂヅデドバビブベボ", "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ"},
      {"パピプペポヴ", "ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟｳﾞ"},
      {"。「」、・ー゛゜", "｡｢｣､･ｰﾞﾟ"},
      // No half-width form.
      {"ヮヰヱヵヶヽヾ", "ヮヰヱヵヶヽヾ"},
      {"あがぱゝ漢字表十", "あがぱゝ漢字表十"},
      {"￥’”‘“〃―", "￥’”‘“〃―"},
      {"ΑαＡЯ", "ΑαAЯ"},
      // Already half-width.
      {"abc ｱｶﾞ｡", "abc ｱｶﾞ｡"},
  });
}

TEST(WidthCase, FullWidth) {
  ExpectMaps(MapFullWidth, {
      {"AZaz09", "ＡＺａｚ０９"},
      {"!#$%&()*+,-./:;<=>?@[]^_`{|}", "！＃＄％＆（）＊＋，－．／：；＜＝＞？＠［］＾＿｀｛｜｝"},
      // To ＼ ～ ＂ ＇.
      {"\\~\"'", "\x81\x5F\x81\x60\xFA\x57\xFA\x56"},
      {" ", "　"},
      {"ｱｲｳｴｵｶｻﾀﾅﾊﾏﾔﾗﾜｦﾝ", "アイウエオカサタナハマヤラワヲン"},
      {"ｧｨｩｪｫｬｭｮｯ", "ァィゥェォャュョッ"},
      {"｡｢｣､･ｰﾞﾟ", "。「」、・ー゛゜"},
      {"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ", "ガギグゲゴザジズゼゾダヂヅデドバビブベボ"},
      {"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟｳﾞ", "パピプペポヴ"},
      // A mark that has nothing to compose with stays a character of its own.
      {"ｱﾞｶﾟﾜﾞｦﾞﾝﾟｰﾞ", "ア゛カ゜ワ゛ヲ゛ン゜ー゛"},
      {"ﾞｶﾟﾞﾟ", "゛カ゜゛゜"},
      {"ｶﾞﾞﾊﾟﾟ", "ガ゛パ゜"},
      {"ｶ゛ﾊ゜ｶ漢", "カ゛ハ゜カ漢"},
      // Already full-width, or not concerned.
      {"漢字ひらがなカタカナＡ＂", "漢字ひらがなカタカナＡ＂"},
      {"\xEE\xFC\xEE\xFB", "\xEE\xFC\xEE\xFB"},
      {"\t\r\n\x7F", "\t\r\n\x7F"},
      {"\x80\xA0\xFD\xFE\xFF", "\x80\xA0\xFD\xFE\xFF"},
  });
}

TEST(WidthCase, UpperCase) {
  ExpectMaps(MapUpperCase, {
      {"azAZ09", "AZAZ09"},
      {"ａｚＡＺ０９", "ＡＺＡＺ０９"},
      {"αβγσωΩ", "ΑΒΓΣΩΩ"},
      {"абвёжщыяЯ", "АБВЁЖЩЫЯЯ"},
      // Roman numerals are symbols here, not letters.
      {"ⅰⅹⅠⅩ", "ⅰⅹⅠⅩ"},
      {"漢字かなカナｶﾅ①", "漢字かなカナｶﾅ①"},
  });
}

TEST(WidthCase, LowerCase) {
  ExpectMaps(MapLowerCase, {
      {"AZaz09", "azaz09"},
      {"ＡＺａｚ０９", "ａｚａｚ０９"},
      {"ΑΒΓΣΩω", "αβγσωω"},
      {"АБВЁЖЩЫЯя", "абвёжщыяя"},
      {"ⅰⅹⅠⅩ", "ⅰⅹⅠⅩ"},
      {"漢字かなカナｶﾅ①", "漢字かなカナｶﾅ①"},
  });
}

TEST(WidthCase, Hiragana) {
  ExpectMaps(MapHiragana, {
      {"アイウエオンヲヮヰヱ", "あいうえおんをゎゐゑ"},
      {"ァガパッャ", "ぁがぱっゃ"},
      {"ヽヾ", "ゝゞ"},
      // No hiragana in the code page, or not full-width katakana.
      {"ヴヵヶ", "ヴヵヶ"},
      {"ｱｶﾞｰ", "ｱｶﾞｰ"},
      {"ー・゛漢字ア", "ー・゛漢字あ"},
  });
}

TEST(WidthCase, Katakana) {
  ExpectMaps(MapKatakana, {
      {"あいうえおんをゎゐゑ", "アイウエオンヲヮヰヱ"},
      {"ぁがぱっゃ", "ァガパッャ"},
      {"ゝゞ", "ヽヾ"},
      {"ー・゛漢字カ", "ー・゛漢字カ"},
  });
}

// The same text through each conversion: single bytes next to double-byte
// characters whose trail byte is "\" (表 ソ 十 Ы) or a letter (ア).
TEST(WidthCase, MixedText) {
  const std::string_view text = "表示ソフトのVer1.0 ﾃﾞｰﾀｶﾞ十分ａｂｃαЫア\\";
  const TCase cases[] = {
      {"half", "表示ｿﾌﾄのVer1.0 ﾃﾞｰﾀｶﾞ十分abcαЫｱ\\"},
      {"full", "表示ソフトのＶｅｒ１．０　データガ十分ａｂｃαЫア\x81\x5F"},
      {"upper", "表示ソフトのVER1.0 ﾃﾞｰﾀｶﾞ十分ＡＢＣΑЫア\\"},
      {"lower", "表示ソフトのver1.0 ﾃﾞｰﾀｶﾞ十分ａｂｃαыア\\"},
      {"hiragana", "表示そふとのVer1.0 ﾃﾞｰﾀｶﾞ十分ａｂｃαЫあ\\"},
      {"katakana", "表示ソフトノVer1.0 ﾃﾞｰﾀｶﾞ十分ａｂｃαЫア\\"},
  };
  for (std::size_t k = 0; k < std::size(kAllMaps); ++k) {
    SCOPED_TRACE(kAllMaps[k].Name);
    EXPECT_EQ(kAllMaps[k].Map(text), cases[k].Expected);
  }
}

TEST(WidthCase, LoneLeadByteAndNulAreCopied) {
  for (const TNamedMap& m : kAllMaps) {
    SCOPED_TRACE(m.Name);
    EXPECT_EQ(m.Map(""), "");
    EXPECT_EQ(m.Map("\x83"), "\x83");
    for (const std::string_view text : {"aｱアあＡ", "ｶ", "ﾞ"}) {
      SCOPED_TRACE(Hex(text));
      EXPECT_EQ(m.Map(std::string(text) + "\x83"), m.Map(text) + "\x83");
      const std::string nul(1, '\0');
      EXPECT_EQ(m.Map(std::string(text) + nul + std::string(text)), m.Map(text) + nul + m.Map(text));
    }
  }
  // A mark after a lone lead byte is not read as part of it.
  EXPECT_EQ(MapFullWidth("ｶ\x83"), "カ\x83");
}

// A trail byte of 0x5C or 0x41-0x5A belongs to its character: no ASCII rule may
// touch it, and only characters that are themselves mapped change.
TEST(WidthCase, TrailBytesThatLookLikeAscii) {
  std::map<unsigned, std::string> half = {
      {0x8141, "､"}, {0x8142, "｡"}, {0x8143, ","}, {0x8144, "."}, {0x8145, "･"},  {0x8146, ":"},
      {0x8147, ";"}, {0x8148, "?"}, {0x8149, "!"}, {0x814A, "ﾞ"}, {0x814B, "ﾟ"},  {0x814D, "`"},
      {0x814F, "^"}, {0x8151, "_"}, {0xFA56, "'"}, {0xFA57, "\""},
  };
  for (unsigned d = 0; d < 10; ++d) half[0x824F + d] = std::string(1, static_cast<char>('0' + d));
  const TCase kana[] = {
      {"ア", "ｱ"},   {"ィ", "ｨ"},   {"イ", "ｲ"},   {"ゥ", "ｩ"},   {"ウ", "ｳ"},   {"ェ", "ｪ"},   {"エ", "ｴ"},
      {"ォ", "ｫ"},   {"オ", "ｵ"},   {"カ", "ｶ"},   {"ガ", "ｶﾞ"}, {"キ", "ｷ"},   {"ギ", "ｷﾞ"}, {"ク", "ｸ"},
      {"グ", "ｸﾞ"}, {"ケ", "ｹ"},   {"ゲ", "ｹﾞ"}, {"コ", "ｺ"},   {"ゴ", "ｺﾞ"}, {"サ", "ｻ"},   {"ザ", "ｻﾞ"},
      {"シ", "ｼ"},   {"ジ", "ｼﾞ"}, {"ス", "ｽ"},   {"ズ", "ｽﾞ"}, {"セ", "ｾ"},   {"ソ", "ｿ"},
  };
  for (const TCase& c : kana)
    half[static_cast<unsigned char>(c.Text[0]) << 8 | static_cast<unsigned char>(c.Text[1])] = c.Expected;

  ForEachDoubleByte([&](unsigned code) {
    const unsigned trail = code & 0xFF;
    if (trail != 0x5C && (trail < 0x41 || trail > 0x5A)) return;
    const std::string c = Code(code);
    SCOPED_TRACE(Hex(c));
    const auto h = half.find(code);
    EXPECT_EQ(MapHalfWidth(c), h != half.end() ? h->second : c);
    EXPECT_EQ(MapFullWidth(c), c);
    EXPECT_EQ(MapUpperCase(c), c);
    // Б-Я, with Ё among them; ы comes after the gap at 0x847F.
    const bool cyrillic = code >= 0x8441 && code <= 0x8460;
    EXPECT_EQ(MapLowerCase(c), cyrillic ? Code(code + (code < 0x844F ? 0x30 : 0x31)) : c);
    // ア-ソ with their small and voiced forms, and the iteration marks ヽヾ / ゝゞ.
    const bool katakana = code >= 0x8341 && code <= 0x835C;
    const bool iteration = code >= 0x8152 && code <= 0x8155;
    const std::string hiragana = katakana                      ? Code(code - 0x8340 + 0x829F)
                                 : iteration && code <= 0x8153 ? Code(code + 2)
                                                               : c;
    EXPECT_EQ(MapHiragana(c), hiragana);
    EXPECT_EQ(MapKatakana(c), iteration && code >= 0x8154 ? Code(code - 2) : c);
  });
}

TEST(WidthCase, KatakanaRoundTripsThroughHalfWidth) {
  const std::set<unsigned> no_half = {0x838E, 0x8390, 0x8391, 0x8395, 0x8396};  // ヮ ヰ ヱ ヵ ヶ
  for (unsigned code = 0x8340; code <= 0x8396; ++code) {
    if (code == 0x837F) continue;
    const std::string k = Code(code);
    SCOPED_TRACE(Hex(k));
    const std::string h = MapHalfWidth(k);
    if (no_half.count(code) != 0) {
      EXPECT_EQ(h, k);
      continue;
    }
    ASSERT_GE(h.size(), 1u);
    for (const char b : h) {
      EXPECT_GE(static_cast<unsigned char>(b), 0xA1);
      EXPECT_LE(static_cast<unsigned char>(b), 0xDF);
    }
    EXPECT_EQ(MapFullWidth(h), k);
  }

  for (unsigned b = 0xA1; b <= 0xDF; ++b) {
    const std::string h = Code(b);
    SCOPED_TRACE(Hex(h));
    EXPECT_EQ(MapFullWidth(h).size(), 2u);
    EXPECT_EQ(MapHalfWidth(MapFullWidth(h)), h);
    // With a mark after it, composed or not, the pair comes back too.
    for (const char* mark : {"ﾞ", "ﾟ"}) EXPECT_EQ(MapHalfWidth(MapFullWidth(h + mark)), h + mark);
  }
}

TEST(WidthCase, AsciiRoundTripsThroughFullWidth) {
  for (unsigned b = 0x20; b <= 0x7E; ++b) {
    const std::string a = Code(b);
    SCOPED_TRACE(Hex(a));
    const std::string f = MapFullWidth(a);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_TRUE(IsLeadByte(f[0]));
    EXPECT_EQ(MapHalfWidth(f), a);
  }
}

// Each case map changes exactly the letters of the code page, and the other
// map takes them back.
TEST(WidthCase, CaseMapsAreInverseOnLetters) {
  struct TCount {
    TMap Map, Inverse;
    int Single, Double;
  };
  // 26 ASCII; 26 full-width Latin, 24 Greek, 33 Cyrillic.
  for (const TCount& t : {TCount{MapUpperCase, MapLowerCase, 26, 83}, TCount{MapLowerCase, MapUpperCase, 26, 83}}) {
    int single = 0, dbl = 0;
    for (unsigned b = 0; b <= 0xFF; ++b) {
      if (IsLeadByte(static_cast<unsigned char>(b))) continue;
      const std::string c = Code(b), m = t.Map(c);
      if (m == c) continue;
      ++single;
      EXPECT_EQ(t.Inverse(m), c) << Hex(c);
    }
    ForEachDoubleByte([&](unsigned code) {
      const std::string c = Code(code), m = t.Map(c);
      if (m == c) return;
      ++dbl;
      EXPECT_EQ(m.size(), 2u) << Hex(c);
      EXPECT_EQ(t.Inverse(m), c) << Hex(c);
    });
    EXPECT_EQ(single, t.Single);
    EXPECT_EQ(dbl, t.Double);
  }
}

TEST(WidthCase, KanaMapsAreInverse) {
  // ぁ-ん, then ゝ ゞ.
  int changed = 0;
  ForEachDoubleByte([&](unsigned code) {
    const std::string c = Code(code), k = MapKatakana(c);
    if (k == c) return;
    ++changed;
    EXPECT_EQ(MapHiragana(k), c) << Hex(c);
  });
  EXPECT_EQ(changed, 83 + 2);
  for (unsigned code = 0x829F; code <= 0x82F1; ++code) EXPECT_NE(MapKatakana(Code(code)), Code(code)) << Hex(Code(code));
}

}  // namespace
}  // namespace yura
