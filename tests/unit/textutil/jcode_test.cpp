// Narrow literals here are Shift_JIS bytes; JIS and EUC texts are written as
// byte escapes.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "source/sjis.h"
#include "textutil/jcode.h"

namespace yura {
namespace {

const std::string kEnter = "\x1B$B";
const std::string kLeave = "\x1B(J";
const std::string kGetaJis = "\x22\x2E";
const std::string kGetaSjis = "〓";

// One double-byte run as the converters write it.
std::string Jis(std::string_view pairs) { return kEnter + std::string(pairs) + kLeave; }

std::string Bytes(std::initializer_list<unsigned> bytes) {
  std::string s;
  for (unsigned b : bytes) s += static_cast<char>(b);
  return s;
}

bool IsJisByte(char c) { return c >= 0x21 && c <= 0x7E; }

std::string Printable(std::string_view s) {
  std::string out;
  static const char* const kHex = "0123456789ABCDEF";
  for (char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F) {
      out += c;
    } else {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    }
  }
  return out;
}

// ---------------------------------------------------------------------------
// Detection

TEST(JCodeDetect, DecidesByTheFirstTellingBytes) {
  const struct {
    std::string Text;
    int Code;
    const char* Why;
  } cases[] = {
      {"", jcAscii, "empty"},
      {"plain text\r\n", jcAscii, "ASCII"},
      {"あ", jcSjis, "Shift_JIS lead 0x82"},
      {"漢字", jcSjis, "Shift_JIS lead 0x8A"},
      {"\xA4\xA2\xA4\xA4", jcEucOrSjis, "EUC hiragana could be half-width kana"},
      {"\xB4\xC1\xBB\xFA", jcEuc, "EUC 漢字: 0xFA after a kana-range byte"},
      {"\xF0\xA1", jcEuc, "0xF0-0xFE"},
      {"\x1B$B$\"\x1B(J", jcJisNew, "ESC $ B"},
      {"\x1B$@$\"\x1B(J", jcJisOld, "ESC $ @"},
      {"\x1B(Jabc", jcAscii, "leaving double-byte mode says nothing"},
      {"\x1B$Aab", jcAscii, "other ESC $ x"},
      {"\x8E\xB1\x8E\xB2", jcEucOrSjis, "EUC half-width kana"},
      {"\x8E\x40", jcSjis, "0x8E then a Shift_JIS trail"},
      {"\xE0\x40", jcSjis, "0xE0 then a low trail"},
      {"\xE0\xFD", jcEuc, "0xE0 then 0xFD"},
      {"\xE0\xA1", jcEucOrSjis, "0xE0 then 0xA1"},
      {"ｱｲ", jcEucOrSjis, "two half-width kana"},
      {"ｶﾞ", jcEucOrSjis, "kana and voiced mark"},
      {"ｱa", jcSjis, "half-width kana then ASCII"},
      {"ｱ\xA0", jcAscii, "half-width kana then 0xA0"},
      {"\xB1\xE0\xA1", jcEucOrSjis, "run of high bytes that decides nothing"},
      {"\xB1\xE0\xA1\x81\x40", jcSjis, "run meets 0x81"},
      {"\xB1\xE0\xA1\xFD", jcEuc, "run meets 0xFD"},
      {"\xB1\xE0\x8E\x9D\xA0\xFF", jcEucOrSjis, "0x8E, 0x9D, 0xA0 and 0xFF decide nothing in a run"},
      {"\xB1\xE0 \x82\xA0", jcSjis, "a space ends the run, later bytes still count"},
      {"\xB1\xE0\x1B$B", jcJisNew, "the byte ending the run is looked at"},
      {"あ\x1B$B", jcSjis, "the first decision stands"},
      {"a\x01z", jcBinary, "control byte 0x01"},
      {"\xFF" "a", jcBinary, "0xFF as the first byte"},
      {std::string("\x82\xA0\x00z", 4), jcBinary, "a binary byte near the start beats an earlier lead"},
      {"ab\x01", jcAscii, "the last byte is never looked at"},
      {"\x82", jcAscii, "a single lead byte"},
      {"a\x1B", jcAscii, "ESC as the last byte"},
      {"\x1B$", jcAscii, "ESC $ at the end"},
      {"ab\x1B$", jcAscii, "ESC $ at the end after text"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetectJCode(c.Text), c.Code) << c.Why << ": " << Printable(c.Text);
  }
}

TEST(JCodeDetect, BinaryBytesAreSearchedUpToPosition512) {
  const std::string sjis = "あ";
  // Positions 2-511 are filler, 512 is still searched, 513 is not.
  EXPECT_EQ(DetectJCode(sjis + std::string(510, 'a') + "\x01z"), jcBinary);
  EXPECT_EQ(DetectJCode(sjis + std::string(511, 'a') + "\x01z"), jcSjis);
  EXPECT_EQ(DetectJCode(sjis + std::string(511, 'a') + "\xFFz"), jcSjis);
  // Beyond 512 a binary byte still counts while nothing was decided.
  EXPECT_EQ(DetectJCode(std::string(600, 'a') + "\x07z"), jcBinary);
  EXPECT_EQ(DetectJCode(std::string(600, 'a') + "\x08z"), jcAscii);
}

// ---------------------------------------------------------------------------
// The conversion rule

TEST(JCodeConvert, SourceAndTargetRule) {
  const std::string sjis = "あ", euc = "\xA4\xA2", jis = Jis("\x24\x22");
  const struct {
    std::string Text;
    int From, To;
    std::string Expected;
  } cases[] = {
      {sjis, jcAscii, jcJisNew, sjis},
      {sjis, jcBinary, jcJisNew, sjis},
      {sjis, jcEucOrSjis, jcEuc, sjis},
      {sjis, jcSjis, jcSjis, sjis},
      {sjis, jcSjis, jcJisOld, sjis},  // only ESC $ B is written
      {sjis, jcSjis, jcAscii, sjis},
      {sjis, jcSjis, jcEucOrSjis, sjis},
      {sjis, jcSjis, 7, sjis},
      {sjis, -1, jcJisNew, sjis},
      {jis, jcJisOld, jcJisNew, jis},
      {jis, jcJisNew, jcJisOld, jis},
      {sjis, jcSjis, jcJisNew, jis},
      {sjis, jcSjis, jcEuc, euc},
      {euc, jcEuc, jcSjis, sjis},
      {euc, jcEuc, jcJisNew, jis},
      {jis, jcJisNew, jcSjis, sjis},
      {jis, jcJisOld, jcSjis, sjis},
      {jis, jcJisOld, jcEuc, euc},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConvertJCode(c.Text, c.From, c.To), c.Expected)
        << Printable(c.Text) << " from " << c.From << " to " << c.To;
  }
}

TEST(JCodeConvert, CodeNamesCompareInUpperCase) {
  const struct {
    const char* Name;
    int Code;
  } cases[] = {
      {"EUC", jcEuc}, {"euc", jcEuc},   {"Euc", jcEuc},     {"JIS", jcJisNew}, {"jIs", jcJisNew},
      {"SJIS", jcSjis}, {"", jcSjis}, {"EUC-JP", jcSjis}, {" JIS", jcSjis},  {"ＥＵＣ", jcSjis},
  };
  for (const auto& c : cases) EXPECT_EQ(JCodeFromName(c.Name), c.Code) << c.Name;
}

TEST(JCodeConvert, AsciiPassesEveryConverterUnchanged) {
  const std::string ascii = "Hello, World! \\~{}[]@`\t\r\n0123";
  EXPECT_EQ(DetectJCode(ascii), jcAscii);
  for (int to : {jcJisNew, jcEuc, jcSjis}) EXPECT_EQ(ConvertJCode(ascii, DetectJCode(ascii), to), ascii);
  EXPECT_EQ(SjisToJis(ascii), ascii);
  EXPECT_EQ(SjisToEuc(ascii), ascii);
  EXPECT_EQ(EucToJis(ascii), ascii);
  EXPECT_EQ(EucToSjis(ascii), ascii);
  EXPECT_EQ(JisToSjis(ascii), ascii);
  EXPECT_EQ(JisToEuc(ascii), ascii);
}

// ---------------------------------------------------------------------------
// Known characters in all three codes

TEST(JCodeConvert, KnownCharactersInAllThreeCodes) {
  const struct {
    const char* Sjis;
    const char* Jis;
  } cases[] = {
      {"亜", "\x30\x21"},  // first kanji of level 1
      {"腕", "\x4F\x53"},  // last kanji of level 1 (row 47 ends early)
      {"弌", "\x50\x21"},  // first kanji of level 2, first lead 0x98 even row
      {"堯", "\x74\x21"},  // row 84
      {"熙", "\x74\x26"},  // last JIS X 0208 character
      {"〓", "\x22\x2E"},
      {"◯", "\x22\x7E"},  // odd row, trail 0xFC
      {"＼", "\x21\x40"},
      {"ソ", "\x25\x3D"},  // trail 0x5C
      {"表", "\x49\x3D"},  // trail 0x5C
      {"申", "\x3F\x3D"},  // JIS bytes "?="
      {"ー", "\x21\x3C"},
      {"ぁ", "\x24\x21"},  // trail 0x9F: even row
      {"ん", "\x24\x73"},
      {"ヶ", "\x25\x76"},
      {"α", "\x26\x41"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Sjis);
    std::string euc;
    for (char b : std::string_view(c.Jis)) euc += static_cast<char>(b | 0x80);
    EXPECT_EQ(SjisToJis(c.Sjis), Jis(c.Jis));
    EXPECT_EQ(SjisToEuc(c.Sjis), euc);
    EXPECT_EQ(JisToSjis(Jis(c.Jis)), c.Sjis);
    EXPECT_EQ(JisToEuc(Jis(c.Jis)), euc);
    EXPECT_EQ(EucToSjis(euc), c.Sjis);
    EXPECT_EQ(EucToJis(euc), Jis(c.Jis));
  }
}

TEST(JCodeConvert, EscapesAroundEveryDoubleByteRun) {
  const struct {
    std::string Sjis, Jis;
  } cases[] = {
      {"あa", Bytes({0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28, 0x4A, 0x61})},
      {"aあ", "a" + Jis("\x24\x22")},
      {"あい", Jis("\x24\x22\x24\x24")},
      {"あ\r\nい", Jis("\x24\x22") + "\r\n" + Jis("\x24\x24")},
      {"あ い", Jis("\x24\x22") + " " + Jis("\x24\x24")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Printable(c.Jis));
    EXPECT_EQ(SjisToJis(c.Sjis), c.Jis);
    EXPECT_EQ(EucToJis(SjisToEuc(c.Sjis)), c.Jis);
    EXPECT_EQ(JisToSjis(c.Jis), c.Sjis);
    EXPECT_EQ(DetectJCode(c.Jis), jcJisNew);
  }
}

TEST(JCodeConvert, JisReadersAcceptAnyEscapeOfEachKind) {
  const struct {
    std::string Jis;
    std::string Sjis;
  } cases[] = {
      {"\x1B$@\x24\x22\x1B(B", "あ"},
      {"\x1B$Z\x24\x22\x1B(Ia", "あa"},
      {"x\x1B(J\x1B$B\x24\x22\x1B$B\x24\x24\x1B(B", "xあい"},
      // Control bytes inside double-byte mode are copied and pairs go on.
      {"\x1B$B\x24\x22\r\n\x24\x24\x1B(B", "あ\r\nい"},
      // ESC followed by anything else is data.
      {"\x1B" "a\x1B$B\x24\x22", "\x1B" "aあ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Printable(c.Jis));
    EXPECT_EQ(JisToSjis(c.Jis), c.Sjis);
    EXPECT_EQ(JisToEuc(c.Jis), SjisToEuc(c.Sjis));
  }
}

// ---------------------------------------------------------------------------
// Whole tables

TEST(JCodeGrid, EveryJisCellMapsToAShiftJisPairInOrder) {
  unsigned previous = 0;
  int jisX0208 = 0;
  for (unsigned row = 0x21; row <= 0x7E; ++row) {
    for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
      const std::string pair = Bytes({row, cell});
      const std::string jis = Jis(pair);
      const std::string sjis = JisToSjis(jis);
      SCOPED_TRACE(Printable(pair));
      ASSERT_EQ(sjis.size(), 2u);
      const auto lead = static_cast<unsigned char>(sjis[0]), trail = static_cast<unsigned char>(sjis[1]);
      ASSERT_TRUE(IsLeadByte(lead));
      ASSERT_TRUE((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC));
      const unsigned code = DoubleByteCode(sjis, 0);
      ASSERT_GT(code, previous) << "Shift_JIS follows the JIS order";
      previous = code;

      const std::string euc = Bytes({row | 0x80, cell | 0x80});
      EXPECT_EQ(JisToEuc(jis), euc);
      EXPECT_EQ(SjisToEuc(sjis), euc);
      EXPECT_EQ(EucToSjis(euc), sjis);
      if (SjisToJis(sjis) == jis) {
        ++jisX0208;
        EXPECT_EQ(EucToJis(euc), jis);
      }
    }
  }
  EXPECT_EQ(jisX0208, 6879) << "JIS X 0208 characters that come back unchanged";
}

TEST(JCodeGrid, EveryCodePagePairBecomesOneJisX0208Character) {
  int roundTrips = 0;
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const std::string sjis = Bytes({lead, trail});
      SCOPED_TRACE(Printable(sjis));
      const std::string jis = SjisToJis(sjis);
      ASSERT_EQ(jis.size(), 8u);
      ASSERT_EQ(jis.substr(0, 3), kEnter);
      ASSERT_EQ(jis.substr(5), kLeave);
      ASSERT_TRUE(IsJisByte(jis[3]) && IsJisByte(jis[4]));
      const std::string back = JisToSjis(jis);
      if (back == sjis) {
        ++roundTrips;
      } else {
        // Written as a stand-in, which is itself a JIS X 0208 character.
        EXPECT_EQ(SjisToJis(back), jis);
        EXPECT_EQ(JisToSjis(SjisToJis(back)), back);
      }
      // Rows 1-94 (the code page's own rows included) survive EUC.
      if (lead <= 0xEF) {
        const std::string euc = SjisToEuc(sjis);
        ASSERT_EQ(euc.size(), 2u);
        EXPECT_GE(static_cast<unsigned char>(euc[0]), 0xA1);
        EXPECT_GE(static_cast<unsigned char>(euc[1]), 0xA1);
        EXPECT_EQ(EucToSjis(euc), sjis);
      }
    }
  }
  EXPECT_EQ(roundTrips, 6879);
}

// ---------------------------------------------------------------------------
// Half-width katakana

TEST(JCodeKana, HalfWidthBecomesFullWidthInJisOnly) {
  const std::string half = "｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
  const std::string full =
      "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
  ASSERT_EQ(half.size(), 0xDFu - 0xA1u + 1);
  EXPECT_EQ(JisToSjis(SjisToJis(half)), full);
  EXPECT_EQ(JisToSjis(EucToJis(SjisToEuc(half))), full);
  // EUC keeps them half-width, as 0x8E pairs.
  const std::string euc = SjisToEuc(half);
  ASSERT_EQ(euc.size(), 2 * half.size());
  for (std::size_t i = 0; i < half.size(); ++i) {
    EXPECT_EQ(euc[2 * i], '\x8E');
    EXPECT_EQ(euc[2 * i + 1], half[i]);
  }
  EXPECT_EQ(EucToSjis(euc), half);
}

TEST(JCodeKana, VoicedAndSemiVoicedMarksCompose) {
  const struct {
    const char* Half;
    const char* Full;
  } cases[] = {
      {"ｳﾞ", "ヴ"},
      {"ｶﾞｷﾞｸﾞｹﾞｺﾞ", "ガギグゲゴ"},
      {"ｻﾞｼﾞｽﾞｾﾞｿﾞ", "ザジズゼゾ"},
      {"ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ", "ダヂヅデド"},
      {"ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ", "バビブベボ"},
      {"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", "パピプペポ"},
      // No such kana: the mark stays a character of its own.
      {"ｱﾞ", "ア゛"},
      {"ﾅﾞ", "ナ゛"},
      {"ｯﾞ", "ッ゛"},
      {"ﾜﾞ", "ワ゛"},
      {"ｦﾞ", "ヲ゛"},
      {"ｶﾟ", "カ゜"},
      {"ｳﾟ", "ウ゜"},
      {"ﾏﾟ", "マ゜"},
      {"ﾞｶ", "゛カ"},
      {"ﾊﾞﾟ", "バ゜"},
      {"ﾊﾟﾞ", "パ゛"},
      {"ｶﾞﾞ", "ガ゛"},
      {"ｶ ﾞ", "カ ゛"},
      {"ｶあﾞ", "カあ゛"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Half);
    EXPECT_EQ(JisToSjis(SjisToJis(c.Half)), c.Full);
    EXPECT_EQ(JisToSjis(EucToJis(SjisToEuc(c.Half))), c.Full);
  }
  EXPECT_EQ(SjisToJis("ｶﾞ"), Jis("\x25\x2C"));
  EXPECT_EQ(SjisToJis("ｳﾞ"), Jis("\x25\x74"));
  EXPECT_EQ(SjisToJis("ﾊﾟ"), Jis("\x25\x51"));
}

// ---------------------------------------------------------------------------
// Trail bytes in the ASCII range

TEST(JCodeTrailBytes, LowTrailBytesNeverBecomeAscii) {
  // Lead 0x89 (rows 17 and 18) takes every trail 0x40-0x7E.
  for (unsigned trail = 0x40; trail <= 0x7E; ++trail) {
    const std::string pair = Bytes({0x89, trail});
    const std::string text = pair + "\\@" + pair + "a";
    SCOPED_TRACE(Printable(text));
    const std::string jisPair = SjisToJis(pair);
    EXPECT_EQ(SjisToJis(text), jisPair + "\\@" + jisPair + "a");
    EXPECT_EQ(JisToSjis(SjisToJis(text)), text);
    EXPECT_EQ(SjisToEuc(text), SjisToEuc(pair) + "\\@" + SjisToEuc(pair) + "a");
    EXPECT_EQ(EucToSjis(SjisToEuc(text)), text);
    EXPECT_EQ(DetectJCode(text), jcSjis);
  }
}

TEST(JCodeTrailBytes, BackslashTrailsInEveryConversion) {
  for (const char* c : {"ソ", "表", "能", "十", "申", "予", "ポ", "＼", "\x81\x5C"}) {
    const std::string ch = c;
    const std::string text = ch + "\\" + ch;
    SCOPED_TRACE(Printable(text));
    EXPECT_EQ(SjisToJis(text), SjisToJis(ch) + "\\" + SjisToJis(ch));
    EXPECT_EQ(JisToSjis(SjisToJis(text)), text);
    EXPECT_EQ(EucToSjis(SjisToEuc(text)), text);
    EXPECT_EQ(EucToJis(SjisToEuc(text)), SjisToJis(text));
    EXPECT_EQ(DecodeMailHeader(EncodeMailHeader(text)), text);
  }
}

// ---------------------------------------------------------------------------
// JIS output outside JIS X 0208

TEST(JCodeJisOutput, CharactersOutsideJisX0208BecomeTwinsOrTheGeta) {
  const struct {
    std::string Sjis;
    std::string Jis;
    const char* What;
  } cases[] = {
      {"\x87\x40", kGetaJis, "circled 1 (row 13)"},
      {"\x87\x90", "\x22\x62", "row 13 twin of ≒"},
      {"\x87\x9C", "\x22\x40", "row 13 twin of ∪"},
      {"\xEE\xF9", "\x22\x4C", "row 92 twin of ¬"},
      {"\xFA\x54", "\x22\x4C", "extension twin of ¬"},
      {"\xFA\x5B", "\x22\x68", "extension twin of ∵"},
      {"\xED\x40", kGetaJis, "row 89 kanji"},
      {"\xFA\x40", kGetaJis, "extension small roman 1"},
      {"\xFC\x4B", kGetaJis, "last extension kanji"},
      {"\xF0\x40", kGetaJis, "first user-defined"},
      {"\xF9\xFC", kGetaJis, "last user-defined"},
      {"\x85\x40", kGetaJis, "unassigned row 9"},
      {"\x88\x40", kGetaJis, "unassigned row 15"},
      {"\xEF\x40", kGetaJis, "unassigned row 93"},
      {"\x81\xAD", kGetaJis, "unassigned cell of row 2"},
      {"\x82\x40", kGetaJis, "unassigned cell of row 3"},
      {"\x81\x7F", kGetaJis, "trail 0x7F"},
      {"\x81\xFD", kGetaJis, "trail 0xFD"},
      {"\x81 ", kGetaJis, "trail 0x20"},
      {"\x80", kGetaJis, "0x80"},
      {"\xA0", kGetaJis, "0xA0"},
      {"\xFD", kGetaJis, "0xFD"},
      {"\xFF", kGetaJis, "0xFF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SjisToJis(c.Sjis), Jis(c.Jis)) << c.What;
    EXPECT_EQ(SjisToJis("a" + c.Sjis + "b"), "a" + Jis(c.Jis) + "b") << c.What;
  }
}

TEST(JCodeJisOutput, EucOutsideJisX0208BecomesTwinsOrTheGeta) {
  const struct {
    std::string Euc;
    std::string Jis;
    const char* What;
  } cases[] = {
      {"\xAD\xA1", kGetaJis, "circled 1 (row 13)"},
      {"\xAD\xF0", "\x22\x62", "row 13 twin of ≒"},
      {"\xFC\xFB", "\x22\x4C", "row 92 twin of ¬"},
      {"\xA9\xA1", kGetaJis, "row 9"},
      {"\xF5\xA1", kGetaJis, "row 85"},
      {"\xA2\xAF", kGetaJis, "unassigned cell of row 2"},
      {"\xFF\xFF", kGetaJis, "0xFF pair"},
      {"\x8F\xB0\xA1", kGetaJis, "three-byte JIS X 0212 character"},
      {"\x8E\xE0", kGetaJis, "0x8E with no kana"},
      {"\xA4\xA2\xA1\xA1", "\x24\x22\x21\x21", "assigned characters stay"},
  };
  for (const auto& c : cases) EXPECT_EQ(EucToJis(c.Euc), Jis(c.Jis)) << c.What;
}

// Double-byte runs hold JIS pairs only, single-byte runs seven-bit bytes
// only, and every run is closed.
void ExpectSevenBitJis(const std::string& jis, const std::string& from) {
  bool doubleByte = false;
  std::size_t i = 0;
  while (i < jis.size()) {
    if (jis.compare(i, 3, kEnter) == 0) {
      ASSERT_FALSE(doubleByte) << Printable(from);
      doubleByte = true;
      i += 3;
    } else if (jis.compare(i, 3, kLeave) == 0) {
      ASSERT_TRUE(doubleByte) << Printable(from);
      doubleByte = false;
      i += 3;
    } else if (doubleByte) {
      ASSERT_LT(i + 1, jis.size()) << Printable(from);
      ASSERT_TRUE(IsJisByte(jis[i]) && IsJisByte(jis[i + 1])) << Printable(from);
      i += 2;
    } else {
      ASSERT_LT(static_cast<unsigned char>(jis[i]), 0x80) << Printable(from);
      ++i;
    }
  }
  ASSERT_FALSE(doubleByte) << Printable(from);
}

TEST(JCodeJisOutput, ArbitraryBytesGiveSevenBitJis) {
  std::uint32_t seed = 2024;
  for (int round = 0; round < 5000; ++round) {
    std::string text;
    const int length = round % 13;
    for (int k = 0; k < length; ++k) {
      seed = seed * 1664525u + 1013904223u;
      char b = static_cast<char>(seed >> 24);
      if (b == '\x1B') b = 'E';  // an ESC copied from the input would read as an escape
      text += b;
    }
    ExpectSevenBitJis(SjisToJis(text), text);
    ExpectSevenBitJis(EucToJis(text), text);
  }
}

// ---------------------------------------------------------------------------
// Half a character at the end

TEST(JCodeHalfPairs, NothingIsReadPastTheEnd) {
  const struct {
    std::string (*Convert)(std::string_view);
    std::string Text;
    std::string Expected;
    const char* What;
  } cases[] = {
      {SjisToJis, "a\x82", "a" + Jis(kGetaJis), "lead byte last"},
      {SjisToJis, "\x82", Jis(kGetaJis), "lead byte alone"},
      {SjisToJis, "ｶ", Jis("\x25\x2B"), "kana last"},
      {SjisToEuc, "a\x82", "a\x82", "lead byte last"},
      {EucToSjis, "\xA4\xA2\x8E", "あ\x8E", "0x8E last"},
      {EucToSjis, "\xA4", "\xA4", "high byte alone"},
      {EucToJis, "\xA4\xA2\x8E", Jis("\x24\x22" + kGetaJis), "0x8E last"},
      {EucToJis, "\x8E\xB6\x8E", Jis("\x25\x2B" + kGetaJis), "kana then 0x8E last"},
      {EucToJis, "\x8F\xB0", Jis(kGetaJis), "JIS X 0212 cut short"},
      {EucToJis, "\xA4\n", Jis(kGetaJis) + "\n", "high byte before LF"},
      {JisToSjis, "\x1B$B\x24\x22\x24", "あ\x24", "odd byte in double-byte mode"},
      {JisToSjis, "a\x1B", "a\x1B", "ESC last"},
      {JisToSjis, "\x1B$", "\x1B$", "ESC $ last"},
      {JisToEuc, "\x1B(", "\x1B(", "ESC ( last"},
      {JisToEuc, "\x1B$B\x24\x22\x24", "\xA4\xA2\xA4", "odd byte in double-byte mode"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Convert(c.Text), c.Expected) << c.What;
}

// ---------------------------------------------------------------------------
// Mail headers

TEST(JCodeMailHeader, EncodesDoubleByteRunsAsWords) {
  const struct {
    std::string Text;
    std::string Header;
  } cases[] = {
      {"件名テスト", "=?ISO-2022-JP?B?GyRCN29MPiVGJTklSBsoSg==?="},
      {"Re: テスト", "Re: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhK?="},
      {"漢a字", "=?ISO-2022-JP?B?GyRCNEEbKEo=?=a=?ISO-2022-JP?B?GyRCO3obKEo=?="},
      {"ｱｲ x", "ｱｲ x"},
      {"abc", "abc"},
      {"", ""},
      {"a\x82", "a\x82"},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeMailHeader(c.Text), c.Header) << Printable(c.Text);
}

TEST(JCodeMailHeader, DecodingGivesBackWhatWasEncoded) {
  // 申 is "?=" in JIS: a word's decoded bytes never close the next word.
  for (const char* text : {"件名テスト", "Re: テスト", "【重要】会議のお知らせ (10/5)", "申請 / 申込",
                           "ａｂｃ全角 and ASCII", "  spaces  ", "", "plain"}) {
    EXPECT_EQ(DecodeMailHeader(EncodeMailHeader(text)), text) << text;
  }
}

TEST(JCodeMailHeader, DecodesWordsAndSurvivesMalformedOnes) {
  const struct {
    std::string Header;
    std::string Text;
    const char* What;
  } cases[] = {
      {"=?iso-2022-jp?b?GyRCJCIbKEo=?=", "あ", "marker in lower case"},
      {"Subject: =?ISO-2022-JP?B?GyRCJCIbKEo=?= end", "Subject: あ end", "text around a word"},
      {"=?ISO-2022-JP?B?GyRCJCIbKEo=?=\t=?ISO-2022-JP?B?GyRCJCIbKEo=?=", "あ\tあ", "two words"},
      {"?= =?ISO-2022-JP?B?GyRCJCIbKEo=?=", "?= あ", "a ?= before the marker"},
      {"x=?ISO-2022-JP?B?abc", "xabc", "a marker with no ?="},
      {"=?ISO-2022-JP?B?a=?ISO-2022-JP?B?b", "ab", "two markers with no ?="},
      {"=?ISO-2022-JP?B?\?=", "", "an empty word"},
      {"A =?ISO-2022-JP?B?GyRCJCI?= B", "A =?ISO-2022-JP?B?GyRCJCI?= B", "truncated Base64 stays as it is"},
      {"=?ISO-2022-JP?B?GyRCJCI?= =?ISO-2022-JP?B?GyRCJCIbKEo=?=", "=?ISO-2022-JP?B?GyRCJCI?= あ",
       "a bad word, then a good one"},
      {"=?ISO-2022-JP?B?YWJj?= def", "abc", "an ASCII word keeps its ESC ( J, which cuts the text"},
      {"件名", "件名", "raw Shift_JIS"},
      {"\xB4\xC1\xBB\xFA", "漢字", "raw EUC is converted"},
      {"abc\x01" "def", "abc", "cut at a control byte"},
      {"ab\x7F", "ab", "cut at DEL"},
      {"ab\xB1" "c", "ab", "cut at half-width kana"},
      {"a\tb\r\nc", "a\tb\r\nc", "tab, CR and LF stay"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeMailHeader(c.Header), c.Text) << c.What;
}

// ---------------------------------------------------------------------------
// Mailbox

TEST(JCodeMbx, CutsTheFirstMessage) {
  const struct {
    const char* Text;
    const char* Message;
    const char* Rest;
  } cases[] = {
      {"a\r\n.\r\nb\r\n", "a\r\n.\r\n", "b\r\n"},
      {"a\r\n.\r\n.\r\n", "a\r\n.\r\n", ".\r\n"},
      {".\r\nrest", ".\r\n", "rest"},
      {"a\r\n. \r\n..\r\n.\r\nrest", "a\r\n. \r\n..\r\n.\r\n", "rest"},
      {"a\r\n.", "a\r\n.\r\n", ""},
      {"a\r\nb", "a\r\nb\r\n", ""},
      {"a\r\nb\r\n", "a\r\nb\r\n", ""},
      {"a\n.\nb", "a\n.\nb\r\n", ""},
      {"a\r", "a\r\r\n", ""},
      {"\r\n\r\n.\r\n", "\r\n\r\n.\r\n", ""},
      {"", "", ""},
      {"件名\r\n.\r\n本文", "件名\r\n.\r\n", "本文"},
  };
  for (const auto& c : cases) {
    const TMbxCut cut = CutMbxMessage(c.Text);
    EXPECT_EQ(cut.Message, c.Message) << Printable(c.Text);
    EXPECT_EQ(cut.Rest, c.Rest) << Printable(c.Text);
  }
}

}  // namespace
}  // namespace yura
