// The GUI objects in the registry and the word table: finding an object by
// name, adding a new one, destroying one, and the part spacing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/guiobject.h"
#include "core/hash.h"
#include "core/objlist.h"

namespace yura {

class TEngine;
class TYuraBase;

// An object found by name: its word, its registry record and its control.
struct TObjectRef {
  std::string Name;
  TNodeRef Word;
  TObjNode* Node = nullptr;
  TObjectKind Kind = TObjectKind::Button;
  TObjectControl* Control = nullptr;
};

// The messages the object commands share.
inline constexpr std::string_view kMsgNotCreated = "オブジェクト\"%s\"は、作成されていません。";
inline constexpr std::string_view kMsgNotObject = "\"%s\"は、オブジェクトではありません。";
inline constexpr std::string_view kMsgAlreadyExists = "オブジェクト\"%s\"は、既に存在するので、作成できません。";

// A name written with a double quote or a backquote is evaluated.
std::string ObjectName(TEngine& engine, std::string_view written);

// The object for setting a property: missing word, non-object and empty slot
// raise their messages; そ becomes a copy of the word.
TObjectRef ObjectForSetting(TEngine& engine, std::string_view written);
// The object for reading a property: a missing word is "単語…は、定義されて
// いません。"; そ is left alone.
TObjectRef ObjectForReading(TEngine& engine, std::string_view written);
// The live object a word stands for; null when the word is no object word
// or its slot is empty.
TObjNode* ObjectOfWord(const TYuraBase& state, const THashNode* word);

// The object in a registry slot, or nothing when the slot is empty.
std::optional<TObjectRef> ObjectAt(TEngine& engine, std::int32_t index);

// Appends the record and adds the object's word (そ becomes a copy of it).
TObjectRef RegisterObject(TEngine& engine, std::string_view name, TObjectKind kind, std::int32_t index,
                          std::shared_ptr<TObjectControl> control, std::string_view description = {});

// Destroys the object in a filled slot: contents emptied, hidden, the record
// put on the deferred-free list, the slot emptied and the word deleted; then
// the parts that went with it (inside a closed form, on a removed sheet).
void DestroyObject(TEngine& engine, std::int32_t index);
// Destroys every object whose control reports that it went away with its
// container.
void DestroyDetachedObjects(TEngine& engine);

// 部品配置間隔 (8 when it is no integer).
std::int32_t PartSpacing(TEngine& engine);

}  // namespace yura
