// The object kinds by their words: what a script writes after として, the
// default caption, the slot a main event also fills, and the kind a name
// ends with.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/guiobject.h"

namespace yura {

std::string_view KindWord(TObjectKind kind);
// The kind whose word is exactly `word`.
std::optional<TObjectKind> KindOfWord(std::string_view word);
// The first kind, in number order, whose word ends `name`.
std::optional<TObjectKind> KindOfNameEnding(std::string_view name);
// The name without the kind word at its end, or the whole name.
std::string DefaultCaption(std::string_view name, TObjectKind kind);
// The event slot that イベント also fills, or nothing.
std::optional<std::size_t> DefaultEventSlot(TObjectKind kind);

// A set of kinds, for the property rules.
class TKindSet {
 public:
  constexpr TKindSet(std::initializer_list<TObjectKind> kinds) {
    for (TObjectKind kind : kinds) bits_ |= 1u << static_cast<unsigned>(kind);
  }
  constexpr bool Has(TObjectKind kind) const { return (bits_ >> static_cast<unsigned>(kind)) & 1u; }

 private:
  unsigned bits_ = 0;
};

}  // namespace yura
