#include "host/cipher.h"

#include <array>
#include <cstdint>

#include "core/bytes.h"

namespace yura {

const std::string_view kMemberKey = "<かぜ&なみ～?>>>";
const std::string_view kFileKey = "星海7kdQWR5'#8灯62カhHメY~#ロ";

namespace {

// The Mersenne Twister with this system's own seeding: each state word after
// the first is the previous word's low byte times 69069.
class TScrambleGenerator {
 public:
  explicit TScrambleGenerator(std::uint32_t seed) {
    state_[0] = seed & 0x7FFFFFFFu;
    for (std::size_t i = 1; i < kSize; ++i) state_[i] = (state_[i - 1] & 0xFFu) * 69069u;
    index_ = kSize;  // the first draw regenerates the whole state
  }

  // The top 8 bits of the next tempered word.
  unsigned char NextByte() {
    if (index_ >= kSize) Regenerate();
    std::uint32_t y = state_[index_++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return static_cast<unsigned char>(y >> 24);
  }

 private:
  static constexpr std::size_t kSize = 624;
  static constexpr std::size_t kShift = 397;

  void Regenerate() {
    for (std::size_t k = 0; k < kSize; ++k) {
      const std::uint32_t y = (state_[k] & 0x80000000u) | (state_[(k + 1) % kSize] & 0x7FFFFFFFu);
      state_[k] = state_[(k + kShift) % kSize] ^ (y >> 1) ^ ((y & 1u) ? 0x9908B0DFu : 0u);
    }
    index_ = 0;
  }

  std::array<std::uint32_t, kSize> state_{};
  std::size_t index_ = 0;
};

constexpr std::uint32_t kScrambleSeed = 9853;

}  // namespace

void Scramble(std::string& bytes, std::string_view key) {
  TScrambleGenerator generator(kScrambleSeed);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (!key.empty()) b ^= static_cast<unsigned char>(key[i % key.size()]);
    b ^= generator.NextByte();
    bytes[i] = static_cast<char>(b);
  }
}

std::optional<std::string> MakeScrambledFile(std::string_view text) {
  if (text.size() > 0x7FFFFFFFu) return std::nullopt;
  std::string bytes;
  if (!text.empty()) {
    bytes.assign(4, '\0');
    WriteLittleEndian(bytes, 0, 4, text.size());
    bytes.append(text);
  }
  Scramble(bytes, kFileKey);
  return bytes;
}

std::optional<std::string> ReadScrambledFile(std::string bytes) {
  if (bytes.empty()) return std::string();
  Scramble(bytes, kFileKey);
  if (bytes.size() < 4) return std::nullopt;
  const std::uint64_t length = ReadLittleEndian(bytes, 0, 4);
  if (length > 0x7FFFFFFFu || length > bytes.size() - 4) return std::nullopt;
  return bytes.substr(4, length);
}

}  // namespace yura
