// HTML tags: タグ削除, タグ切り出し, テーブルタグで囲む.
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/tables/csv.h"
#include "engine/engine.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

void RemoveTags(TEngine& engine, THashNode&) {
  const std::string value = engine.PopValue();
  const std::string_view text = Trim(value);
  std::string out;
  bool inTag = false;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharLengthAt(text, i);
    const char c = text[i];
    if (length == 1 && c == '<') {
      inTag = true;
    } else if (length == 1 && c == '>') {
      inTag = false;
    } else if (!inTag) {
      out.append(text.substr(i, length));
    }
    i += length;
  }
  engine.SetSore(std::move(out), kTagString);
}

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// Every element of the tag (matched as a prefix, in lower or upper case),
// each followed by CR LF; an element ends at the first closing tag.
void CutTags(TEngine& engine, THashNode&) {
  std::string tag = engine.PopValue();
  const std::string source = engine.PopValue();
  if (tag.size() >= 2 && tag.front() == '<' && tag.back() == '>') tag = tag.substr(1, tag.size() - 2);
  const std::string openings[] = {"<" + Lower(tag), "<" + Upper(tag)};
  const std::string closings[] = {"</" + Lower(tag), "</" + Upper(tag)};
  auto findFirst = [&source](const std::string (&needles)[2], std::size_t from) {
    std::size_t best = std::string::npos;
    for (const std::string& needle : needles) best = std::min(best, source.find(needle, from));
    return best;
  };
  std::string out;
  std::size_t position = 0;
  while (position < source.size()) {
    const std::size_t open = findFirst(openings, position);
    if (open == std::string::npos) break;
    const std::size_t openEnd = source.find('>', open);
    if (openEnd == std::string::npos || openEnd + 1 >= source.size()) break;
    std::size_t end = openEnd + 1;
    const std::size_t close = findFirst(closings, end);
    if (close != std::string::npos) {
      const std::size_t closeEnd = source.find('>', close);
      end = closeEnd == std::string::npos ? source.size() : closeEnd + 1;
    }
    out.append(source, open, end - open);
    out += kCrLf;
    position = end;
  }
  engine.SetSore(std::move(out), kTagString);
}

void TableTags(TEngine& engine, THashNode&) {
  const std::string option = engine.PopValue();
  const TCsvTable table(engine.PopValue());
  const std::size_t width = table.Width();
  std::string out = "<TABLE " + option + ">\r\n";
  for (std::size_t r = 0; r < table.RowCount(); ++r) {
    out += "<TR>";
    for (std::size_t c = 0; c < width; ++c) out += "<TD>" + table.Cell(c, r) + "</TD>";
    out += "</TR>\r\n";
  }
  out += "</TABLE>";
  engine.SetSore(std::move(out), kTagString);
}

}  // namespace

void RegisterTagHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(100, RemoveTags);
  dispatcher.Register(101, CutTags);
  dispatcher.Register(394, TableTags);
}

}  // namespace yura
