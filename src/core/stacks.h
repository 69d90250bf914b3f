// The argument stack and the run-control stack: what the executor must remember
// between two words, since it keeps no syntax tree.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/hash.h"
#include "source/cursor.h"

namespace yura {

// An ordered list of texts; the last item is the top. Pops of an empty stack
// give the empty text.
class TStack {
 public:
  void Push(std::string text) { items_.push_back(std::move(text)); }
  std::string Pop();
  std::string PopFront();
  // Item i counted from the bottom; the empty text when out of range.
  const std::string& Peek(std::size_t i) const;
  std::size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  void Insert(std::size_t i, std::string text);
  void Delete(std::size_t i);
  void Clear() { items_.clear(); }
  // Every item followed by CR LF.
  std::string AsLines() const;
  const std::vector<std::string>& Items() const { return items_; }
  std::vector<std::string>& Items() { return items_; }

 private:
  std::vector<std::string> items_;
};

enum TRunKind : std::uint8_t {
  rcThen = 0,
  rcElse = 1,
  rcFor = 2,
  rcTimes = 3,
  rcCall = 4,
  rcEvent = 5,
  rcEach = 6,
  rcCase = 8,
  rcWhile = 9,
};

// One open block: a branch, a loop, a call or an event handler.
struct TRunControl {
  // Loops and branches: where the block begins and the position just after
  // it. Calls and events: the return position and the called body.
  TCursor BodyPos;
  TCursor ExitPos;
  std::int32_t Counter = 0;
  std::int32_t Limit = 0;
  TRunKind Kind = rcThen;
  // The block's own copy of its text; the cursor runs inside it.
  TText Body;
  std::string FileName;
  std::string Condition;
  // 繰り返す: the counter variable; 反復: the items.
  TNodeRef CounterVariable;
  std::shared_ptr<const std::vector<std::string>> Items;
};

// The frames of the current level, and the levels set aside while code runs to
// its end inside an expression, an include or a callback.
class TRunControlStack {
 public:
  void Push(TRunControl frame) { current_.push_back(std::move(frame)); }
  bool Pop(TRunControl& frame);
  bool GetAt(std::size_t i, TRunControl& frame) const;
  std::size_t Count() const { return current_.size(); }
  bool Empty() const { return current_.empty(); }
  TRunControl* Top() { return current_.empty() ? nullptr : &current_.back(); }
  void Clear() { current_.clear(); }
  void SaveLevel();
  void RestoreLevel();
  void ClearAll();
  std::size_t SavedLevelCount() const { return saved_.size(); }

 private:
  static constexpr std::size_t kMaxSpareLevels = 64;
  std::vector<TRunControl> current_;
  std::vector<std::vector<TRunControl>> saved_;
  std::vector<std::vector<TRunControl>> spare_;  // emptied levels, kept for their room
};

// Runs code on a fresh level and gives the previous one back however the code
// ends.
class TLevelGuard {
 public:
  explicit TLevelGuard(TRunControlStack& stack) : stack_(stack) { stack_.SaveLevel(); }
  ~TLevelGuard() { stack_.RestoreLevel(); }
  TLevelGuard(const TLevelGuard&) = delete;
  TLevelGuard& operator=(const TLevelGuard&) = delete;

 private:
  TRunControlStack& stack_;
};

}  // namespace yura
