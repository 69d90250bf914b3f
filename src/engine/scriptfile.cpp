#include "engine/scriptfile.h"

#include <cstdint>

#include "core/format.h"
#include "platform/codepage.h"
#include "platform/filesystem.h"
#include "source/textlines.h"

namespace yura {
namespace {

// A UTF-8 script holds a character that Shift_JIS cannot represent.
constexpr std::string_view kMsgUtf8Unconvertible = "UTF-8の文字(U+%s)は、Shift_JISに変換できません。";

// An executable image is never read as script text.
bool IsExecutableImage(std::string_view bytes) {
  if (bytes.starts_with("\x7F" "ELF")) return true;
  if (!bytes.starts_with("MZ") || bytes.size() < 0x40) return false;
  std::uint32_t offset = 0;
  for (int k = 3; k >= 0; --k) offset = (offset << 8) | static_cast<unsigned char>(bytes[0x3C + k]);
  return offset <= bytes.size() - 4 && bytes.substr(offset, 4) == std::string_view("PE\0\0", 4);
}

int LineOfOffset(std::string_view text, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
  }
  return line;
}

std::string HexCodePoint(char32_t cp) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (int shift = 20; shift >= 0; shift -= 4)
    if (shift <= 12 || (cp >> shift) != 0) hex += kDigits[(cp >> shift) & 0xF];
  return hex;
}

}  // namespace

void ConvertScriptEncoding(TYuraBase& state, std::string& bytes) {
  bool hasMultibyte = false;
  const bool bom = bytes.starts_with("\xEF\xBB\xBF");
  if (bom || (IsStrictUtf8(bytes, hasMultibyte) && hasMultibyte)) {
    const std::string_view utf8 = std::string_view(bytes).substr(bom ? 3 : 0);
    std::string converted;
    TStrictFailure failure;
    if (!Utf8ToSjisStrict(utf8, converted, failure)) {
      state.Cursor.Clear();
      state.CurrentLine = LineOfOffset(utf8, failure.Offset);
      state.Raise(FormatMessage(kMsgUtf8Unconvertible, {HexCodePoint(failure.CodePoint)}));
    }
    bytes = std::move(converted);
  }
}

bool ReadScriptText(TYuraBase& state, const std::string& sjisPath, std::string& text) {
  std::string bytes;
  if (!ReadWholeFile(sjisPath, bytes) || IsExecutableImage(bytes)) return false;
  ConvertScriptEncoding(state, bytes);
  text.clear();
  text.reserve(bytes.size() + bytes.size() / 16 + 2);
  for (std::string_view line : SplitLines(bytes)) {
    text += line;
    text += kCrLf;
  }
  return true;
}

}  // namespace yura
