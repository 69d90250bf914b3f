#include "core/objlist.h"

namespace yura {

int TObjList::Add(std::unique_ptr<TObjNode> node) {
  nodes_.push_back(std::move(node));
  return static_cast<int>(nodes_.size()) - 1;
}

int TObjList::IndexOfName(std::string_view name) const {
  for (std::size_t i = 0; i < nodes_.size(); ++i)
    if (nodes_[i] && nodes_[i]->Name == name) return static_cast<int>(i);
  return -1;
}

TObjNode* TObjList::FindByName(std::string_view name) const {
  const int i = IndexOfName(name);
  return i < 0 ? nullptr : nodes_[static_cast<std::size_t>(i)].get();
}

std::unique_ptr<TObjNode> TObjList::Take(std::size_t i) {
  if (i >= nodes_.size()) return nullptr;
  return std::move(nodes_[i]);
}

void TObjList::SetItem(std::size_t i, std::unique_ptr<TObjNode> node) {
  if (i < nodes_.size()) nodes_[i] = std::move(node);
}

}  // namespace yura
