#include "commands/system/keynotation.h"

#include <string>

#include "core/errors.h"
#include "core/platform_errors.h"
#include "engine/numbers.h"
#include "source/sjis.h"

namespace yura {
namespace {

constexpr std::uint32_t kShift = 16, kControl = 17, kAlt = 18, kEnter = 13;

struct TKeyName {
  std::string_view Name;
  std::uint32_t Key;
};

constexpr TKeyName kKeyNames[] = {
    {"CAPSLOCK", 20}, {"NUMLOCK", 144}, {"SCROLLOCK", 145}, {"ESCAPE", 27}, {"ESC", 27},      {"ENTER", 13},
    {"HELP", 47},     {"PRTSC", 44},    {"TAB", 9},         {"BREAK", 3},   {"CLEAR", 12},    {"BACKSPACE", 8},
    {"BS", 8},        {"BKSP", 8},      {"DELETE", 46},     {"DEL", 46},    {"INSERT", 45},   {"LEFT", 37},
    {"RIGHT", 39},    {"UP", 38},       {"DOWN", 40},       {"PGUP", 33},   {"PGDN", 34},     {"HOME", 36},
    {"END", 35},      {"IME", 25},
};

std::optional<std::uint32_t> NamedKey(std::string_view name) {
  std::string upper(name);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (const TKeyName& key : kKeyNames)
    if (key.Name == upper) return key.Key;
  if (upper.size() >= 2 && upper[0] == 'F') {
    const auto number = ParseInteger(std::string_view(upper).substr(1));
    if (number && *number >= 1 && *number <= 16) return static_cast<std::uint32_t>(111 + *number);
  }
  return std::nullopt;
}

// The key of an ASCII character on the usual layout, and whether Shift is
// needed for it.
struct TCharacterKey {
  std::uint32_t Key;
  bool Shift;
};

std::optional<TCharacterKey> KeyOfCharacter(char c) {
  if (c >= 'a' && c <= 'z') return TCharacterKey{static_cast<std::uint32_t>(c - 'a' + 'A'), false};
  if (c >= 'A' && c <= 'Z') return TCharacterKey{static_cast<std::uint32_t>(c), true};
  if (c >= '0' && c <= '9') return TCharacterKey{static_cast<std::uint32_t>(c), false};
  static constexpr std::string_view kPlain = " -=[]\\;',./`";
  static constexpr std::uint32_t kPlainKeys[] = {32, 0xBD, 0xBB, 0xDB, 0xDD, 0xDC, 0xBA, 0xDE, 0xBC, 0xBE, 0xBF, 0xC0};
  static constexpr std::string_view kShifted = ")!@#$%^&*(_+{}|:\"<>?~";
  static constexpr std::uint32_t kShiftedKeys[] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 0xBD,
                                                    0xBB, 0xDB, 0xDD, 0xDC, 0xBA, 0xDE, 0xBC, 0xBE, 0xBF, 0xC0};
  if (const std::size_t at = kPlain.find(c); at != std::string_view::npos) return TCharacterKey{kPlainKeys[at], false};
  if (const std::size_t at = kShifted.find(c); at != std::string_view::npos) return TCharacterKey{kShiftedKeys[at], true};
  if (c == '\t') return TCharacterKey{9, false};
  if (c == '\r' || c == '\n') return TCharacterKey{kEnter, false};
  return std::nullopt;
}

class TKeyParser {
 public:
  explicit TKeyParser(std::string_view text) : text_(text) {}

  std::vector<TKeyStroke> All() {
    while (i_ < text_.size()) Item();
    return strokes_;
  }

 private:
  void Tap(std::uint32_t key, std::string text = {}) {
    strokes_.push_back({TKeyStroke::TKind::Press, key, text});
    strokes_.push_back({TKeyStroke::TKind::Release, key, std::move(text)});
  }

  void Character(char c) {
    const std::optional<TCharacterKey> key = KeyOfCharacter(c);
    if (!key) throw EPlainError(std::string(kMsgRangeCheck));
    if (key->Shift) strokes_.push_back({TKeyStroke::TKind::Press, kShift, {}});
    Tap(key->Key, std::string(1, c));
    if (key->Shift) strokes_.push_back({TKeyStroke::TKind::Release, kShift, {}});
  }

  // "{" name [count] "}"; an unclosed brace ends the text.
  void Braced() {
    ++i_;
    std::size_t close = text_.find('}', i_ + (i_ < text_.size() && text_[i_] == '}' ? 1 : 0));
    if (close == std::string_view::npos) {
      i_ = text_.size();
      return;
    }
    std::string_view inside = text_.substr(i_, close - i_);
    i_ = close + 1;
    long long count = 1;
    if (const std::size_t space = inside.find(' '); space != std::string_view::npos && space > 0) {
      count = ParseInteger(inside.substr(space + 1)).value_or(0);
      inside = inside.substr(0, space);
    }
    for (long long n = 0; n < count; ++n) {
      if (const auto key = NamedKey(inside))
        Tap(*key);
      else if (inside.size() == 1)
        Character(inside[0]);
      else if (inside.size() == 2 && IsLeadByte(inside[0]))
        strokes_.push_back({TKeyStroke::TKind::Character, 0, std::string(inside)});
    }
  }

  void Item() {
    const char c = text_[i_];
    if (c == '+' || c == '^' || c == '%') {
      const std::uint32_t modifier = c == '+' ? kShift : (c == '^' ? kControl : kAlt);
      ++i_;
      strokes_.push_back({TKeyStroke::TKind::Press, modifier, {}});
      if (i_ < text_.size()) Item();
      strokes_.push_back({TKeyStroke::TKind::Release, modifier, {}});
    } else if (c == '(') {
      ++i_;
      while (i_ < text_.size() && text_[i_] != ')') Item();
      if (i_ < text_.size()) ++i_;
    } else if (c == '~') {
      ++i_;
      Tap(kEnter);
    } else if (c == '{') {
      Braced();
    } else if (CharLengthAt(text_, i_) == 2) {
      strokes_.push_back({TKeyStroke::TKind::Character, 0, std::string(text_.substr(i_, 2))});
      i_ += 2;
    } else if (static_cast<unsigned char>(c) >= 0x80) {
      strokes_.push_back({TKeyStroke::TKind::Character, 0, std::string(1, c)});
      ++i_;
    } else {
      ++i_;
      Character(c);
    }
  }

  std::string_view text_;
  std::size_t i_ = 0;
  std::vector<TKeyStroke> strokes_;
};

}  // namespace

std::vector<TKeyStroke> ParseKeyNotation(std::string_view keys) { return TKeyParser(keys).All(); }

}  // namespace yura
