#include "core/stacks.h"

#include "source/textlines.h"

namespace yura {

std::string TStack::Pop() {
  if (items_.empty()) return {};
  std::string top = std::move(items_.back());
  items_.pop_back();
  return top;
}

std::string TStack::PopFront() {
  if (items_.empty()) return {};
  std::string bottom = std::move(items_.front());
  items_.erase(items_.begin());
  return bottom;
}

const std::string& TStack::Peek(std::size_t i) const {
  static const std::string kEmpty;
  return i < items_.size() ? items_[i] : kEmpty;
}

void TStack::Insert(std::size_t i, std::string text) {
  if (i > items_.size()) i = items_.size();
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(i), std::move(text));
}

void TStack::Delete(std::size_t i) {
  if (i < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
}

std::string TStack::AsLines() const { return JoinLinesWithEnds(items_); }

bool TRunControlStack::Pop(TRunControl& frame) {
  if (current_.empty()) return false;
  frame = std::move(current_.back());
  current_.pop_back();
  return true;
}

bool TRunControlStack::GetAt(std::size_t i, TRunControl& frame) const {
  if (i >= current_.size()) return false;
  frame = current_[i];
  return true;
}

void TRunControlStack::SaveLevel() {
  saved_.push_back(std::move(current_));
  // A level opens for every call made inside a formula: the room of a
  // closed level serves the next one.
  if (spare_.empty()) {
    current_ = {};
  } else {
    current_ = std::move(spare_.back());
    spare_.pop_back();
  }
}

void TRunControlStack::RestoreLevel() {
  if (saved_.empty()) return;
  current_.clear();
  if (spare_.size() < kMaxSpareLevels) spare_.push_back(std::move(current_));
  current_ = std::move(saved_.back());
  saved_.pop_back();
}

void TRunControlStack::ClearAll() {
  current_.clear();
  saved_.clear();
  spare_.clear();
}

}  // namespace yura
