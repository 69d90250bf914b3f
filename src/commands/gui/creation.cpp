#include "commands/gui/creation.h"

#include "commands/gui/kinds.h"
#include "commands/gui/objectregistry.h"
#include "commands/gui/valuetexts.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/yurabase.h"
#include "engine/engine.h"
#include "source/sjis.h"

namespace yura {
namespace {

constexpr std::string_view kMsgKindUndefined = "オブジェクト\"%s\"は、未定義なので、作成できません。";
constexpr std::string_view kMsgBadCoordinates =
    "オブジェクト\"%s\"は、未定義なので、作成できません。座標指定に誤りがあります。\"";
constexpr std::string_view kMenuSuffix = "メニュー";

std::shared_ptr<TObjectControl> MakeControl(TEngine& engine, const TControlSetup& setup) {
  try {
    return engine.Host().Gui().CreateControl(setup);
  } catch (const EPlainError& error) {
    engine.Raise(error.what());
  }
}

std::int32_t MainClientWidth(TEngine& engine) {
  const TObjNode* main = engine.State().Objects.GetItem(0);
  return main != nullptr && main->Control ? main->Control->Bounds().Width : 0;
}

std::string_view WithoutMenuSuffix(std::string_view name) {
  if (EndsWithChars(name, kMenuSuffix)) name.remove_suffix(kMenuSuffix.size());
  return name;
}

}  // namespace

void CreateObject(TEngine& engine, const std::string& name, std::optional<std::string_view> coordinates,
                  std::string_view kindWord) {
  TYuraBase& state = engine.State();
  if (state.Words.FindNode(name, false) != nullptr) engine.Raise(kMsgAlreadyExists, {name});

  std::int32_t left = state.TextX, top = state.TextY;
  if (coordinates) {
    const auto point = ReadPointText(engine, *coordinates);
    if (!point) engine.Raise(FormatMessage(kMsgBadCoordinates, {name}) + std::string(*coordinates) + "\"");
    left = point->first;
    top = point->second;
  }
  TControlSetup setup;
  setup.TextColor = TextColorSetting(engine);
  setup.Font = TextFontSetting(engine);
  const auto kind = KindOfWord(kindWord);
  if (!kind || *kind == TObjectKind::Menu) engine.Raise(kMsgKindUndefined, {kindWord});
  setup.Kind = *kind;
  setup.Caption = DefaultCaption(name, *kind);
  setup.Index = static_cast<std::int32_t>(state.Objects.Count());
  setup.Left = left;
  setup.Top = top;

  std::shared_ptr<TObjectControl> control = MakeControl(engine, setup);
  if (*kind != TObjectKind::Form) {
    TBounds bounds = control->Bounds();
    if (state.Centering) {
      bounds.Left = (MainClientWidth(engine) - bounds.Width) / 2;
      control->SetBounds(bounds);
    }
    state.TextY = bounds.Top + bounds.Height + PartSpacing(engine);
  }
  RegisterObject(engine, name, *kind, setup.Index, std::move(control));
}

void CreateMenu(TEngine& engine, std::string_view parent, std::string_view item) {
  TYuraBase& state = engine.State();
  std::string name(item);
  std::string caption(WithoutMenuSuffix(item));
  if (EndsWithChars(parent, kMenuSuffix)) {
    const std::string prefix = std::string(WithoutMenuSuffix(parent)) + "_";
    if (caption.compare(0, prefix.size(), prefix) == 0 && IsCharBoundary(caption, prefix.size()))
      caption.erase(0, prefix.size());
  }
  const auto index = static_cast<std::int32_t>(state.Objects.Count());
  if (caption == "-") name = "split" + std::to_string(index) + std::string(kMenuSuffix);

  const THashNode* existing = state.Words.FindNode(name, false);
  if (existing != nullptr) {
    if (existing->Reserved) engine.Raise(kMsgReadOnly, {name});
    if (existing->Kind != nkVariable) engine.Raise(kMsgAlreadyExists, {name});
  }
  TObjectControl* parentControl = nullptr;
  if (!parent.empty()) {
    const TObjNode* node = ObjectOfWord(state, state.Words.FindNode(parent, false));
    if (node == nullptr || node->KindIndex != static_cast<std::int32_t>(TObjectKind::Menu))
      engine.Raise(kMsgNotCreated, {parent});
    parentControl = node->Control.get();
  }
  // A variable of the item's name gives way, once nothing else can fail first.
  if (existing != nullptr) state.Words.Delete(name, false);
  std::shared_ptr<TObjectControl> control;
  try {
    control = engine.Host().Gui().CreateMenuItem(parentControl, caption, index);
  } catch (const EPlainError& error) {
    engine.Raise(error.what());
  }
  RegisterObject(engine, name, TObjectKind::Menu, index, std::move(control));
}

}  // namespace yura
