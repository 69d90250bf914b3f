#include "core/objlist.h"

namespace yura {

int TObjList::Add(std::unique_ptr<TObjNode> node) {
  nodes_.push_back(std::move(node));
  return static_cast<int>(nodes_.size()) - 1;
}

std::unique_ptr<TObjNode> TObjList::Take(std::size_t i) {
  if (i >= nodes_.size()) return nullptr;
  return std::move(nodes_[i]);
}

}  // namespace yura
