// The GUI object registry. Entry 0 is the main window 母艦. An object's index
// is never reused: a destroyed object leaves an empty slot.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/guiobject.h"
#include "source/cursor.h"

namespace yura {

struct TObjNode {
  static constexpr std::size_t kEventSlots = 10;

  TObjNode(std::string name, std::int32_t kindIndex, std::int32_t index, std::shared_ptr<TObjectControl> control)
      : Name(std::move(name)), KindIndex(kindIndex), Index(index), Control(std::move(control)) {}

  std::string Name;
  std::array<std::string, kEventSlots> EventText;
  std::int32_t KindIndex = 0;
  std::array<TCursor, kEventSlots> EventCode;
  std::int32_t Index = 0;
  std::shared_ptr<TObjectControl> Control;
};

class TObjList {
 public:
  int Add(std::unique_ptr<TObjNode> node);
  void Clear() { nodes_.clear(); }
  std::size_t Count() const { return nodes_.size(); }
  TObjNode* GetItem(std::size_t i) const { return i < nodes_.size() ? nodes_[i].get() : nullptr; }
  // The record of a live object: its slot is filled and it has a control.
  TObjNode* Filled(std::int32_t index) const {
    TObjNode* node = index < 0 ? nullptr : GetItem(static_cast<std::size_t>(index));
    return node != nullptr && node->Control ? node : nullptr;
  }
  // Empties a slot and hands its record over; the indexes stay as they are.
  std::unique_ptr<TObjNode> Take(std::size_t i);

 private:
  std::vector<std::unique_ptr<TObjNode>> nodes_;
};

}  // namespace yura
