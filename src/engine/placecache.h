// What was learnt about the text at one place, kept for the next time the
// executor comes by. Texts never change, so what was read at a place holds
// for as long as its text lives; each entry keeps its text alive, so that no
// other text can come to the same address.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "source/cursor.h"

namespace yura {

// Whether the caches that remember what was read from a text or a value are
// on: off for the whole run when the environment sets YURAHOSI_NO_CACHE=1.
bool CachesEnabledByEnvironment();

template <typename TEntry>
class TPlaceCache {
 public:
  // Places are remembered while the caches are on, and never in a text
  // borrowed for a moment (owned by no one).
  bool Remembers(const TCursor& at) const { return enabled_ && at.Text.use_count() > 0; }

  TEntry* Find(const TCursor& at) {
    if (!Remembers(at)) return nullptr;
    const auto found = slots_.find(TKey{at.Text.get(), at.Pos});
    return found != slots_.end() ? &found->second.Entry : nullptr;
  }

  // Call only for a place that Remembers.
  TEntry& Add(const TCursor& at, TEntry entry) {
    // Places of texts run once (evaluated code) must not pile up, nor keep
    // large texts alive after their run.
    if (slots_.size() >= kMaxPlaces) Clear();
    if (!texts_.contains(at.Text.get())) {
      if (texts_.size() >= kMaxTexts || heldBytes_ + at.Text->size() > kMaxHeldBytes) Clear();
      texts_.insert(at.Text.get());
      heldBytes_ += at.Text->size();
    }
    return slots_.insert_or_assign(TKey{at.Text.get(), at.Pos}, TSlot{at.Text, std::move(entry)}).first->second.Entry;
  }

 private:
  static constexpr std::size_t kMaxPlaces = 8192;
  static constexpr std::size_t kMaxTexts = 256;
  static constexpr std::size_t kMaxHeldBytes = 32u << 20;

  const bool enabled_ = CachesEnabledByEnvironment();

  void Clear() {
    slots_.clear();
    texts_.clear();
    heldBytes_ = 0;
  }

  struct TKey {
    const std::string* Text;
    std::size_t Pos;
    bool operator==(const TKey&) const = default;
  };
  struct TKeyHash {
    std::size_t operator()(const TKey& key) const {
      return std::hash<const void*>{}(key.Text) ^ (key.Pos * 0x9E3779B97F4A7C15ULL);
    }
  };
  struct TSlot {
    TText Text;
    TEntry Entry;
  };
  std::unordered_map<TKey, TSlot, TKeyHash> slots_;
  std::unordered_set<const std::string*> texts_;  // the texts slots_ keeps alive
  std::size_t heldBytes_ = 0;
};

}  // namespace yura
