// 置換, 単置換 and 区切る.
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/strings/sjistext.h"
#include "commands/tables/csv.h"
#include "engine/engine.h"
#include "source/textlines.h"

namespace yura {
namespace {

void Replace(TEngine& engine, THashNode&) {
  const std::string replacement = engine.PopValue();
  const std::string search = engine.PopValue();
  const std::string source = engine.PopValue();
  engine.SetSore(ReplaceAllChars(source, search, replacement), kTagString);
}

void ReplaceOne(TEngine& engine, THashNode&) {
  const std::string replacement = engine.PopValue();
  const std::string search = engine.PopValue();
  const long long k = PopNumberArgument(engine);
  std::string source = engine.PopValue();
  if (k >= 1 && search.empty()) {
    engine.SetSore(replacement + source, kTagString);
    return;
  }
  long long seen = 0;
  for (std::size_t at = FindChars(source, search); k >= 1 && at != std::string::npos;
       at = FindChars(source, search, at + search.size())) {
    if (++seen == k) {
      source.replace(at, search.size(), replacement);
      break;
    }
  }
  engine.SetSore(std::move(source), kTagString);
}

// Each piece becomes one row of one cell.
void Split(TEngine& engine, THashNode&) {
  const std::string delimiter = engine.PopValue();
  const std::string text = engine.PopValue();
  std::string out;
  auto addPiece = [&out](std::string_view piece) {
    out += TCsvTable::RowText(TCsvCells{std::string(piece)}, 1);
    out += kCrLf;
  };
  if (delimiter.empty()) {
    if (!text.empty()) addPiece(text);
  } else {
    std::size_t start = 0;
    while (start < text.size()) {
      const std::size_t at = FindChars(text, delimiter, start);
      if (at == std::string::npos) {
        addPiece(std::string_view(text).substr(start));
        break;
      }
      addPiece(std::string_view(text).substr(start, at - start));
      start = at + delimiter.size();
    }
  }
  engine.SetSore(std::move(out), kTagString);
}

}  // namespace

void RegisterReplaceHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(46, Replace);
  dispatcher.Register(438, ReplaceOne);
  dispatcher.Register(36, Split);
}

}  // namespace yura
