#include "commands/gui/objectregistry.h"

#include "commands/gui/kinds.h"
#include "core/yurabase.h"
#include "engine/engine.h"
#include "engine/numbers.h"

namespace yura {
namespace {

constexpr std::string_view kMsgWordUndefined = "単語\"%s\"は、定義されていません。";

TObjectRef ObjectFromWord(TEngine& engine, std::string name, TNodeRef word) {
  TYuraBase& state = engine.State();
  TObjNode* node = state.Objects.Filled(word->Number);
  if (node == nullptr) engine.Raise(kMsgNotCreated, {name});
  // そ holds a copy: the registry's own word is the one that keeps values.
  if (TNodeRef own = state.Words.Find(node->Name, false); own && own->Kind == nkObject && own->Number == word->Number)
    word = std::move(own);
  return {std::move(name), std::move(word), node, static_cast<TObjectKind>(node->KindIndex), node->Control.get()};
}

}  // namespace

std::string ObjectName(TEngine& engine, std::string_view written) {
  if (!written.empty() && (written.front() == '"' || written.front() == '`')) return engine.EvalValue(written);
  return std::string(written);
}

TObjectRef ObjectForSetting(TEngine& engine, std::string_view written) {
  TYuraBase& state = engine.State();
  std::string name = ObjectName(engine, written);
  TNodeRef word = state.Words.Find(name, false);
  if (!word) engine.Raise(kMsgNotCreated, {name});
  if (word->Kind != nkObject) engine.Raise(kMsgNotObject, {name});
  if (state.SoNode && state.SoNode != word) state.SoNode->Assign(*word);
  return ObjectFromWord(engine, std::move(name), std::move(word));
}

TObjectRef ObjectForReading(TEngine& engine, std::string_view written) {
  TYuraBase& state = engine.State();
  std::string name = ObjectName(engine, written);
  TNodeRef word = state.Words.Find(name, false);
  if (!word) engine.Raise(kMsgWordUndefined, {name});
  if (word->Kind != nkObject) engine.Raise(kMsgNotObject, {name});
  return ObjectFromWord(engine, std::move(name), std::move(word));
}

TObjNode* ObjectOfWord(const TYuraBase& state, const THashNode* word) {
  return word != nullptr && word->Kind == nkObject ? state.Objects.Filled(word->Number) : nullptr;
}

std::optional<TObjectRef> ObjectAt(TEngine& engine, std::int32_t index) {
  TYuraBase& state = engine.State();
  TObjNode* node = state.Objects.Filled(index);
  if (node == nullptr) return std::nullopt;
  return TObjectRef{node->Name, state.Words.Find(node->Name, false), node, static_cast<TObjectKind>(node->KindIndex),
                    node->Control.get()};
}

TObjectRef RegisterObject(TEngine& engine, std::string_view name, TObjectKind kind, std::int32_t index,
                          std::shared_ptr<TObjectControl> control, std::string_view description) {
  TYuraBase& state = engine.State();
  auto record = std::make_unique<TObjNode>(std::string(name), static_cast<std::int32_t>(kind), index, control);
  TObjNode* node = record.get();
  state.Objects.Add(std::move(record));
  auto word = std::make_shared<THashNode>();
  word->Name = std::string(name);
  word->Kind = nkObject;
  word->Number = index;
  word->Description = description.empty() ? std::string(KindWord(kind)) : std::string(description);
  word->Position = state.Cursor;
  state.Words.Add(word);
  if (state.SoNode) state.SoNode->Assign(*word);
  return {std::string(name), std::move(word), node, kind, control.get()};
}

void DestroyObject(TEngine& engine, std::int32_t index) {
  TYuraBase& state = engine.State();
  TObjNode* node = state.Objects.Filled(index);
  if (node == nullptr) return;
  const std::string name = node->Name;
  const bool container = node->KindIndex == static_cast<std::int32_t>(TObjectKind::Form);
  node->Control->Dismantle();
  // The record and its control live on until no event of theirs can run.
  std::unique_ptr<TObjNode> record = state.Objects.Take(static_cast<std::size_t>(index));
  record->Name.clear();
  state.DeferredFree.push_back(std::move(record));
  state.Words.Delete(name, false);
  if (container) DestroyDetachedObjects(engine);
}

void DestroyDetachedObjects(TEngine& engine) {
  TYuraBase& state = engine.State();
  for (std::size_t i = 1; i < state.Objects.Count(); ++i) {
    TObjNode* node = state.Objects.GetItem(i);
    if (node != nullptr && node->Control && node->Control->Detached())
      DestroyObject(engine, static_cast<std::int32_t>(i));
  }
}

std::int32_t PartSpacing(TEngine& engine) {
  const TNodeRef& node = engine.State().SpacingNode;
  const auto spacing = node ? ParseInteger(node->Value()) : std::nullopt;
  return spacing && *spacing >= INT32_MIN && *spacing <= INT32_MAX ? static_cast<std::int32_t>(*spacing) : 8;
}

}  // namespace yura
