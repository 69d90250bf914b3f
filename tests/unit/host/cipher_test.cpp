#include "host/cipher.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <sstream>
#include <vector>

namespace yura {
namespace {

using namespace std::literals;

// The reference byte sequence: the standard library's MT19937 started from the
// runtime's seeding (state[0] = seed & 0x7FFFFFFF, every further word the low
// byte of the one before times 69069). Loaded as the engine's textual state,
// the first draw twists all 624 words and tempers word 0, as the runtime's
// generator does.
std::vector<std::uint32_t> SeededState(std::uint32_t seed) {
  std::vector<std::uint32_t> state(624);
  state[0] = seed & 0x7FFFFFFFu;
  for (std::size_t i = 1; i < state.size(); ++i) state[i] = (state[i - 1] & 0xFFu) * 69069u;
  return state;
}

std::vector<unsigned char> ReferenceBytes(std::size_t count) {
  std::stringstream text;
  for (std::uint32_t word : SeededState(9853)) text << word << ' ';
  text << 624;  // position of the next word: all used, twist first
  std::mt19937 engine;
  text >> engine;
  std::vector<unsigned char> bytes(count);
  for (auto& b : bytes) b = static_cast<unsigned char>(engine() >> 24);
  return bytes;
}

// plain XOR repeated key XOR reference bytes.
std::string Expected(std::string_view plain, std::string_view key) {
  const std::vector<unsigned char> generator = ReferenceBytes(plain.size());
  std::string out(plain);
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) ^ static_cast<unsigned char>(key[i % key.size()]) ^
                               generator[i]);
  return out;
}

std::string Le32(std::uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
          static_cast<char>(v >> 24)};
}

std::string Pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 37 + 11) & 0xFF);
  return s;
}

TEST(CipherKeys, AreTheShiftJisBytes) {
  EXPECT_EQ(kMemberKey, "\x3c\x82\xa9\x82\xba\x26\x82\xc8\x82\xdd\x81\x60\x3f\x3e\x3e\x3e"s);
  EXPECT_EQ(kFileKey,
            "\x90\xaf\x8a\x43\x37\x6b\x64\x51\x57\x52\x35\x27\x23\x38\x93\x94"
            "\x36\x32\x83\x4a\x68\x48\x83\x81\x59\x7e\x23\x83\x8d"s);
}

// The reference itself, checked against the twist and tempering written out
// for the first word: new word 0 = state[397] ^ ((state[0] upper bit |
// state[1] lower bits) >> 1) ^ (odd ? 0x9908B0DF : 0).
TEST(CipherGenerator, ReferenceFirstWordByHand) {
  const std::vector<std::uint32_t> s = SeededState(9853);
  ASSERT_EQ(s[0], 9853u);
  ASSERT_EQ(s[1], 0x7Du * 69069u);
  const std::uint32_t y = (s[0] & 0x80000000u) | (s[1] & 0x7FFFFFFFu);
  std::uint32_t w = s[397] ^ (y >> 1) ^ ((y & 1u) ? 0x9908B0DFu : 0u);
  w ^= w >> 11;
  w ^= (w << 7) & 0x9D2C5680u;
  w ^= (w << 15) & 0xEFC60000u;
  w ^= w >> 18;
  EXPECT_EQ(ReferenceBytes(1)[0], w >> 24);
}

TEST(CipherScramble, MatchesTheReferenceSequenceAcrossRegenerations) {
  // 2000 bytes run through three regenerations of the 624-word state.
  const std::string zeros(2000, '\0');
  std::string bytes = zeros;
  Scramble(bytes, "\0"sv);
  EXPECT_EQ(bytes, Expected(zeros, "\0"sv));
}

TEST(CipherScramble, KeysRepeatAndEveryStreamRestarts) {
  struct TCase {
    const char* label;
    std::string plain;
    std::string_view key;
  };
  const TCase cases[] = {
      {"member key, shorter than the key", "abc", kMemberKey},
      {"member key, several rounds", Pattern(100), kMemberKey},
      {"file key, past a regeneration", Pattern(700), kFileKey},
      {"one-byte key", Pattern(40), "Z"},
      {"double-byte text", "星海ゆらほし", kFileKey},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.label);
    std::string bytes = c.plain;
    Scramble(bytes, c.key);
    EXPECT_EQ(bytes, Expected(c.plain, c.key));
    // A second stream starts the sequence again, so the same call gives the
    // same bytes and scrambling again restores the plain bytes.
    std::string again = c.plain;
    Scramble(again, c.key);
    EXPECT_EQ(again, bytes);
    Scramble(bytes, c.key);
    EXPECT_EQ(bytes, c.plain);
  }
}

TEST(CipherScramble, FirstByteIsContentKeyAndFirstDraw) {
  std::string bytes = "A";
  Scramble(bytes, kMemberKey);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 'A' ^ '<' ^ ReferenceBytes(1)[0]);
}

TEST(CipherScramble, EmptyContentStaysEmpty) {
  std::string bytes;
  Scramble(bytes, kFileKey);
  EXPECT_TRUE(bytes.empty());
}

TEST(CipherScramble, EmptyKeyLeavesOnlyTheGenerator) {
  std::string bytes(10, '\0');
  Scramble(bytes, {});
  EXPECT_EQ(bytes, Expected(std::string(10, '\0'), "\0"sv));
}

TEST(ScrambledFile, LayoutIsLengthAndTextScrambledAsOneStream) {
  EXPECT_EQ(MakeScrambledFile(""), "");
  const std::string texts[] = {"x", "ゆらほし\r\n", "a\0b\0"s, Pattern(1000)};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.size());
    EXPECT_EQ(MakeScrambledFile(text), Expected(Le32(static_cast<std::uint32_t>(text.size())) + text, kFileKey));
  }
}

TEST(ScrambledFile, RoundTrip) {
  const std::string texts[] = {"", "x", "a\0b\0"s, "\0"s, "暗号化して保存", Pattern(5000)};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text.size());
    EXPECT_EQ(ReadScrambledFile(MakeScrambledFile(text).value()), text);
  }
}

TEST(ScrambledFile, LengthFieldDecides) {
  struct TCase {
    const char* label;
    std::string plain;  // before scrambling with the file key
    std::optional<std::string> text;
  };
  const TCase cases[] = {
      {"no bytes at all", "", ""},
      {"shorter than a length field", "\x03\x00"s, std::nullopt},
      {"three bytes", "\x00\x00\x00"s, std::nullopt},
      {"zero length", Le32(0), ""},
      {"bytes after the text ignored", Le32(2) + "abcd", "ab"},
      {"length equals the data", Le32(4) + "abcd", "abcd"},
      {"length one past the data", Le32(5) + "abcd", std::nullopt},
      {"negative length", Le32(0xFFFFFFFFu) + "abcd", std::nullopt},
      {"smallest negative length", Le32(0x80000000u) + "abcd", std::nullopt},
      {"huge positive length", Le32(0x7FFFFFFFu) + "abcd", std::nullopt},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string file = c.plain.empty() ? "" : Expected(c.plain, kFileKey);
    EXPECT_EQ(ReadScrambledFile(file), c.text);
  }
}

}  // namespace
}  // namespace yura
