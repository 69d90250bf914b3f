// The word table: every name a script can use (commands, preset variables,
// labels, user variables, dictionaries, GUI objects, DLL commands), and the
// storage of each dictionary's entries.
//
// 256 buckets; a name's bucket is the sum of its bytes modulo 256, and names
// compare byte for byte. Enumerations walk bucket 0 to 255 and each bucket in
// list order; scripts see that order (variable lists, dictionary keys), so it
// is kept exactly. Nodes are shared: replacing or deleting a word never frees
// a node that a frame, an event or the interpreter state still holds.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "source/cursor.h"

namespace yura {

enum TNodeKind : std::uint8_t {
  nkCommand = 0,
  nkUserFunction = 2,
  nkVariable = 3,
  nkObject = 4,
  nkDllCommand = 5,
  nkDictionary = 6,
};

// Value-type tags.
inline constexpr std::string_view kTagString = "s";
inline constexpr std::string_view kTagNumber = "e";
inline constexpr std::string_view kTagDictionary = "hs";

class THash;

using TNumber = long double;

// A hash of texts that takes views as well, so that a look-up by a view
// makes no copy of it.
struct TTextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

struct THashNode {
  std::string Name;
  std::string ArgPattern;
  std::string Description;
  TNodeKind Kind = nkVariable;
  std::int32_t Number = 0;
  // What the entry points at, by kind: a dictionary's own entry table (shared
  // when a word is copied); a label's body or the place a word was made; a DLL
  // command's function.
  std::shared_ptr<THash> Table;
  TCursor Position;
  void* Function = nullptr;
  bool Reserved = false;

  // The value of a variable or constant.
  const std::string& Value() const {
    Settle();
    return value_;
  }
  std::string_view ValueView() const {
    WritePending();
    return std::string_view(value_).substr(valueStart_);
  }
  std::string& MutableValue() {
    Settle();
    ForgetOtherForms();
    ++version_;
    return value_;
  }
  void SetValue(std::string value) {
    value_ = std::move(value);
    valueStart_ = 0;
    ForgetOtherForms();
    ++version_;
  }

  // A one-column table written element by element is held as its cells,
  // and its text is written only when it is read: the cells, each followed
  // by CR LF. Null when the value is not held so.
  using THeldCells = std::vector<std::string>;
  std::shared_ptr<const THeldCells> HeldCells() const { return held_; }
  // Holds the value as these cells, which the caller has read from the
  // value's own text: the value does not change.
  void HoldCells(THeldCells cells);
  // The held cells to change in place; the value changes with them.
  THeldCells& MutableHeldCells();

  // Changes with every change of the value, so that what was derived from
  // one value (a parsed table) is known to be stale.
  std::uint64_t ValueVersion() const { return version_; }
  // What the engine last read from the value as a number; it stands while
  // its Version is the value's.
  struct TNumberReading {
    std::uint64_t Version = UINT64_MAX;
    TNumber Number = 0;
    bool Plain = false;  // a plain decimal such as "-12" or "0.5"
  };
  mutable TNumberReading Reading;
  // Sets the value to the digits of a whole number, and keeps its reading;
  // the digits are written when the text is read (a loop counter's, often
  // never).
  void SetWholeNumber(std::int64_t number) {
    valueStart_ = 0;
    ForgetOtherForms();
    numberUnwritten_ = true;
    ++version_;
    Reading = {version_, static_cast<TNumber>(number), true};
  }
  // Drops the first bytes of the value in amortised constant time, so that
  // cutting a large value piece by piece stays linear.
  void DropValuePrefix(std::size_t count);

  // Copies every field but the name.
  void Assign(const THashNode& other);

  static std::shared_ptr<THashNode> MakeVariable(std::string name, std::string value, std::int32_t number,
                                                 bool reserved);

 private:
  // The text written from what stands for it: a whole number, held cells.
  void WritePending() const {
    if (numberUnwritten_)
      WriteWholeNumber();
    else if (held_ && heldUnwritten_)
      WriteHeldCells();
  }
  // The text as it stands: written, and dropped bytes given back.
  void Settle() const {
    WritePending();
    if (valueStart_ == 0) return;
    value_.erase(0, valueStart_);
    valueStart_ = 0;
  }
  void WriteWholeNumber() const;
  void WriteHeldCells() const;
  // The text alone stands for the value from now on.
  void ForgetOtherForms() {
    held_.reset();
    heldUnwritten_ = false;
    numberUnwritten_ = false;
  }

  mutable std::string value_;
  mutable std::size_t valueStart_ = 0;
  std::uint64_t version_ = 0;
  std::shared_ptr<THeldCells> held_;  // shared by copies until one changes
  mutable bool heldUnwritten_ = false;
  mutable bool numberUnwritten_ = false;  // the value is Reading.Number, not yet in value_
};

using TNodeRef = std::shared_ptr<THashNode>;

// Removes each run of hiragana that follows a non-hiragana double-byte
// character: 取り出す -> 取出, 言う -> 言; ひらがな変換 stays as it is.
std::string StripOkurigana(std::string_view word);
// Whether StripOkurigana would change the word.
bool HasOkurigana(std::string_view word);

class THash {
 public:
  static constexpr std::size_t kBucketCount = 256;

  // Inserts the node and returns the new count (-1 for a null node). A node of
  // the same name takes the old one's place in its bucket; when the old one is
  // reserved, EPlainError "…は予約語なので、登録できません。" is thrown.
  int Add(TNodeRef node);

  // With `strip`, the okurigana-stripped name is tried first, then the name as
  // written. An empty name finds nothing.
  TNodeRef Find(std::string_view name, bool strip) const;
  // The same look-up without sharing ownership, for use before any script code
  // can run again.
  THashNode* FindNode(std::string_view name, bool strip) const;
  std::string GetValue(std::string_view name, bool strip) const;
  // Removes the stripped name (with `strip`), then the name as written;
  // returns the new count, or -1 when nothing was removed.
  int Delete(std::string_view name, bool strip);
  void Clear();
  int Count() const { return count_; }
  // Changes whenever a name is added, replaced or removed, so that what was
  // found by name before is known to be found again.
  std::uint64_t Generation() const { return generation_; }

  // One variable entry per "name=value" line.
  void LoadFromText(std::string_view text);
  std::string ListNames() const;
  std::string ListPairs() const;
  std::vector<TNodeRef> AllNodes() const;

  static std::size_t BucketOf(std::string_view name);

 private:
  const TNodeRef* Locate(std::string_view name) const;
  const TNodeRef* Locate(std::string_view name, bool strip) const;
  bool DeleteExact(std::string_view name);

  // The buckets keep the order scripts see; the index finds a name at once,
  // however many names share a bucket.
  std::array<std::vector<TNodeRef>, kBucketCount> buckets_;
  std::unordered_map<std::string, TNodeRef, TTextHash, std::equal_to<>> index_;
  int count_ = 0;
  std::uint64_t generation_ = 0;
};

}  // namespace yura
