#include "engine/labels.h"

#include "core/format.h"
#include "source/scanner.h"
#include "source/sjis.h"

namespace yura {
namespace {

constexpr std::string_view kMsgLabelTaken = "ラベル\"%s\"の定義に失敗しました。既に単語として使われています。";

// The "*" must start its line: before it only blanks, then the start of the
// text, a TAB, a line end or the colon of a line marker.
bool StartsLine(const std::string& text, std::size_t star) {
  std::size_t i = star;
  while (i > 0 && (text[i - 1] == ' ' || text[i - 1] == '\t')) --i;
  if (i == 0) return true;
  const char before = text[i - 1];
  return before == '\t' || before == '\n' || before == '\r' || before == ':';
}

}  // namespace

void RegisterLabels(TYuraBase& state, const TText& text, const std::string& fileName) {
  const std::string& s = *text;
  TCursor cursor(text, 0);
  while (!cursor.AtEnd()) {
    const unsigned char c = cursor.Peek();
    if (c == '"' || c == '`') {
      try {
        ReadStringLiteral(cursor);
      } catch (const EScanError&) {
        return;  // a prepared text is balanced; nothing after an open literal is a label
      }
      continue;
    }
    if (c != '*') {
      cursor.Pos += CharLengthAt(cursor.Ptr());
      continue;
    }
    const std::size_t star = cursor.Pos;
    ++cursor.Pos;
    if (cursor.Peek() == '*') {
      ++cursor.Pos;
      continue;
    }
    const std::string name(ReadWord(cursor));
    if (name.empty() || !StartsLine(s, star)) continue;
    const unsigned char after = cursor.Peek();
    if (after != 0 && after != '\r' && after != '\n') continue;
    if (state.Words.FindNode(name, false) != nullptr) {
      state.Cursor = cursor;
      state.Raise(FormatMessage(kMsgLabelTaken, {name}));
    }
    auto label = std::make_shared<THashNode>();
    label->Name = name;
    label->Kind = nkUserFunction;
    label->Position = cursor;
    label->Description = fileName;
    label->Reserved = true;
    state.Words.Add(std::move(label));
  }
}

}  // namespace yura
