// The menu commands: メニュー作成, メニュー追加 and メニューパス作成.
#include "commands/gui/creation.h"
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/yurabase.h"
#include "engine/engine.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kMenuSuffix = "メニュー";

void MakeTopMenu(TEngine& engine, THashNode&) { CreateMenu(engine, {}, PopName(engine)); }

void AddMenu(TEngine& engine, THashNode&) {
  const std::string item = PopName(engine);
  const std::string parent = PopName(engine);
  CreateMenu(engine, parent, item);
}

// Each line "ファイル\開く" makes ファイルメニュー and ファイル_開くメニュー,
// reusing the levels that exist.
void MakeMenuPaths(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string paths = engine.PopValue();
  for (std::string_view line : SplitLines(paths)) {
    std::string prefix;
    for (std::string_view segment : PathSegments(line)) {
      const std::string name = prefix + std::string(segment) + std::string(kMenuSuffix);
      if (state.Words.FindNode(name, false) == nullptr) {
        const std::string parent =
            prefix.empty() ? std::string() : prefix.substr(0, prefix.size() - 1) + std::string(kMenuSuffix);
        CreateMenu(engine, parent, name);
      }
      prefix += std::string(segment) + "_";
    }
  }
}

}  // namespace

void RegisterMenuHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(261, MakeTopMenu);
  dispatcher.Register(262, AddMenu);
  dispatcher.Register(455, MakeMenuPaths);
}

}  // namespace yura
