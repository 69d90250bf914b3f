// 表示: text written on the main window's image, or appended to the file
// named by 表示出力先.
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "engine/engine.h"
#include "host/fileguard.h"
#include "platform/filesystem.h"
#include "source/scanner.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::size_t kExpandLimit = 4097;
constexpr std::size_t kDrawLimit = 4096;

void AppendToOutputFile(const std::string& file, const std::string& text) {
  if (FileExists(file)) {
    AppendToFile(file, text + "\r\n");
    return;
  }
  std::string content;
  for (std::string_view line : SplitLines(text)) content.append(line).append("\r\n");
  AppendToFile(file, content);
}

void Show(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  std::string text = engine.PopValue();
  if (state.OutputTargetNode && !state.OutputTargetNode->Value().empty()) {
    const std::string& file = state.OutputTargetNode->Value();
    if (!ConfirmFileAccess(state, file, "\"" + file + "\"へ書き込みます。")) AppendToOutputFile(file, text);
    return;
  }
  if (text.size() < kExpandLimit)
    text = ExpandTabs(text, TabWidth(engine));
  else
    text.resize(kDrawLimit);
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(text)) lines.emplace_back(line);
  const TTextStyle style{state.FontNameNode ? state.FontNameNode->Value() : std::string(),
                         state.FontSizeNode ? state.FontSizeNode->Value() : std::string(),
                         state.FontColorNode ? state.FontColorNode->Value() : std::string()};
  state.TextY = engine.Host().DrawTextLines(lines, state.TextX, state.TextY, state.Centering, style);
  if (engine.Host().IsConsoleMode()) engine.Host().WriteTextOutput(text);
}

}  // namespace

void RegisterTextOutputHandlers(TDispatcher& dispatcher) { dispatcher.Register(0, Show); }

}  // namespace yura
