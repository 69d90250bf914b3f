// 言う: the script's message box.
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "engine/engine.h"
#include "source/scanner.h"
#include "source/sjis.h"

namespace yura {
namespace {

constexpr std::size_t kMessageLimit = 4095;

// A long message is cut on a character boundary and marked with "...".
std::string CutMessage(std::string text) {
  if (text.size() <= kMessageLimit) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + CharLengthAt(text, end);
    if (next > kMessageLimit) break;
    end = next;
  }
  text.resize(end);
  return text + "...";
}

void Say(TEngine& engine, THashNode&) {
  const std::string text = ExpandTabs(CutMessage(engine.PopValue()), TabWidth(engine));
  engine.Host().ShowMessage(text, {});
}

}  // namespace

void RegisterMessageHandlers(TDispatcher& dispatcher) { dispatcher.Register(12, Say); }

}  // namespace yura
