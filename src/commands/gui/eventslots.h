// The event properties: what a slot runs, a label's body or inline code.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/guiobject.h"
#include "core/objlist.h"

namespace yura {

class TEngine;

// Sets slot `slot` of the object from the value text as written; the main
// event (slot 0) also fills the kind's default slot.
void SetEventSlot(TEngine& engine, TObjNode& object, TObjectKind kind, std::size_t slot, std::string_view written);

}  // namespace yura
