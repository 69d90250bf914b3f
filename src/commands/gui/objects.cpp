// The object commands: 作成, 作る, 設定, 得る, オブジェクト破壊,
// オブジェクト全破壊, その単語に特定 and タスクトレイへアイコン表示.
#include "commands/gui/creation.h"
#include "commands/gui/kinds.h"
#include "commands/gui/objectregistry.h"
#include "commands/gui/properties.h"
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/errors.h"
#include "core/yurabase.h"
#include "engine/engine.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kMsgNoObjectName = "\"%s\"命令の引数に誤りがあります。オブジェクト名がありません。";
constexpr std::string_view kMadeByMake = "(\"作る\"命令にて)";

void Create(TEngine& engine, THashNode&) {
  const bool automatic = engine.State().SoreImplied;
  const std::string kindWord = PopName(engine);
  const std::string writtenName = engine.PopRaw();
  const std::string coordinates = engine.PopRaw();
  CreateObject(engine, ObjectName(engine, writtenName),
               automatic ? std::nullopt : std::optional<std::string_view>(coordinates), kindWord);
}

// 作る: the kind from the name's ending; a name ending in メニュー that is no
// other kind makes a top-level menu item, anything else a button. Creation is
// called directly, so a name is never read as program text.
void Make(TEngine& engine, THashNode& entry) {
  TYuraBase& state = engine.State();
  const std::string name(Trim(engine.PopValue()));
  if (name.empty()) engine.Raise(kMsgNoObjectName, {engine.CommandName(entry)});
  const std::size_t logSize = state.ErrorLog.size();
  try {
    const auto kind = KindOfNameEnding(name);
    if (kind && *kind != TObjectKind::Menu)
      CreateObject(engine, name, std::nullopt, KindWord(*kind));
    else if (EndsWithChars(name, "メニュー"))
      CreateMenu(engine, {}, name);
    else
      CreateObject(engine, name, std::nullopt, KindWord(TObjectKind::Button));
  } catch (const EStackFull&) {
    throw;
  } catch (const EYura& error) {
    state.ErrorLog.resize(logSize);
    state.RaiseFormatted(error.Message() + std::string(kMadeByMake));
  }
}

void Set(TEngine& engine, THashNode&) {
  const std::string value = engine.PopRaw();
  const std::string property = PopName(engine);
  const std::string object = engine.PopRaw();
  SetProperty(engine, object, property, value);
}

void Get(TEngine& engine, THashNode&) {
  const std::string variable = PopName(engine);
  const std::string property = PopName(engine);
  const std::string object = engine.PopRaw();
  std::string value = GetProperty(engine, object, property);
  const std::string tag = engine.State().LastType;
  const TNodeRef target = WritableWord(engine, variable);
  target->SetValue(std::move(value));
  target->Description = tag;
}

void Destroy(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string name = PopName(engine);
  const THashNode* word = state.Words.FindNode(name, false);
  if (word == nullptr) engine.Raise(kMsgNotIdentified, {name});
  if (word->Kind == nkObject && word->Number == 0) return;
  if (word->Kind == nkObject && ObjectAt(engine, word->Number)) {
    DestroyObject(engine, word->Number);
    return;
  }
  state.Words.Delete(name, false);
}

void DestroyAll(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  for (std::size_t i = 1; i < state.Objects.Count(); ++i) DestroyObject(engine, static_cast<std::int32_t>(i));
}

void PointAtWord(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string name = engine.PopValue();
  const TNodeRef word = state.Words.Find(name, false);
  if (!word) engine.Raise(kMsgNotCreated, {name});
  if (state.SoNode && state.SoNode != word) state.SoNode->Assign(*word);
}

void TrayIcon(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const bool on = engine.PopNumber() != 0;
  if (on == state.TrayIcon) return;
  engine.Host().Gui().SetTrayIcon(on);
  state.TrayIcon = on;
}

}  // namespace

void RegisterObjectHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(7, Create);
  dispatcher.Register(428, Make);
  dispatcher.Register(8, Set);
  dispatcher.Register(9, Get);
  dispatcher.Register(25, Destroy);
  dispatcher.Register(28, DestroyAll);
  dispatcher.Register(141, PointAtWord);
  dispatcher.Register(396, TrayIcon);
}

}  // namespace yura
