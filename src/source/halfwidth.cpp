#include "source/halfwidth.h"

#include <array>

#include "source/sjis.h"

namespace yura {
namespace {

// Entries live in the rows 0x81 (symbols) and 0x82 (digits and letters).
class THalfWidthTable {
 public:
  THalfWidthTable() {
    // Symbols, then digits, letters and Japanese punctuation; a later entry for
    // the same character replaces an earlier one.
    struct TEntry {
      unsigned code;
      const char* text;
    };
    static constexpr TEntry kSymbols[] = {
        {0x8149, "!"},  {0x8168, "\""}, {0x8194, "#"},  {0x8190, "$"},  {0x8193, "%"},  {0x8195, "&"},
        {0x8166, "'"},  {0x81A6, "'"},  {0x8169, "("},  {0x816A, ")"},  {0x8181, "="},  {0x817C, "-"},
        {0x814F, "^"},  {0x8160, "~"},  {0x818F, "\\"}, {0x8162, "|"},  {0x816F, "{"},  {0x8170, "}"},
        {0x8197, "@"},  {0x8165, "`"},  {0x8147, ";"},  {0x8146, ":"},  {0x817B, "+"},  {0x8196, "*"},
        {0x815E, "/"},  {0x817E, "*"},  {0x8180, "/"},  {0x8148, "?"},  {0x8151, "_"},  {0x8183, "<"},
        {0x8184, ">"},  {0x8182, "<>"}, {0x8185, "<="}, {0x8186, ">="}, {0x8143, ","},  {0x8144, "."},
        {0x8140, " "},
    };
    static constexpr TEntry kPunctuation[] = {
        {0x8141, ","}, {0x8142, ";"}, {0x8175, "\""}, {0x8176, "\""}, {0x8177, "`"}, {0x8178, "`"},
    };
    for (const TEntry& e : kSymbols) Set(e.code, e.text);
    static const char* const kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (unsigned i = 0; i < 10; ++i) Set(0x824F + i, kDigits[i]);
    static const char* const kLower[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
                                         "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z"};
    static const char* const kUpper[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                         "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    for (unsigned i = 0; i < 26; ++i) {
      Set(0x8281 + i, kLower[i]);
      Set(0x8260 + i, kUpper[i]);
    }
    for (const TEntry& e : kPunctuation) Set(e.code, e.text);
  }

  std::string_view Lookup(unsigned code) const {
    if (code < 0x8100 || code > 0x82FF) return {};
    const char* text = rows_[code - 0x8100];
    return text != nullptr ? std::string_view(text) : std::string_view();
  }

 private:
  void Set(unsigned code, const char* text) { rows_[code - 0x8100] = text; }
  std::array<const char*, 0x200> rows_{};
};

const THalfWidthTable& Table() {
  static const THalfWidthTable table;
  return table;
}

}  // namespace

std::string_view HalfWidthOf(std::string_view character) {
  if (character.size() == 2) return Table().Lookup(DoubleByteCode(character, 0));
  if (character.size() == 1) {
    const auto b = static_cast<unsigned char>(character[0]);
    if (b == 0xA2 || b == 0xA3) return "\"";  // half-width corner brackets
  }
  return {};
}

std::string ToHalfWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharLengthAt(text, i);
    const std::string_view character = text.substr(i, length);
    const std::string_view replacement = HalfWidthOf(character);
    out += replacement.empty() ? character : replacement;
    i += length;
  }
  return out;
}

}  // namespace yura
