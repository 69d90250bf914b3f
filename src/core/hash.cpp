#include "core/hash.h"

#include <algorithm>
#include <charconv>

#include "core/errors.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

bool IsHiragana(unsigned code) { return code >= 0x82A0 && code <= 0x833E; }

}  // namespace

void THashNode::DropValuePrefix(std::size_t count) {
  WritePending();
  ForgetOtherForms();
  ++version_;
  valueStart_ = std::min(valueStart_ + count, value_.size());
  // The dropped bytes are given back once they outweigh what is left.
  if (valueStart_ * 2 > value_.size()) Settle();
}

void THashNode::HoldCells(THeldCells cells) {
  held_ = std::make_shared<THeldCells>(std::move(cells));
  heldUnwritten_ = false;
}

THashNode::THeldCells& THashNode::MutableHeldCells() {
  if (held_.use_count() > 1) held_ = std::make_shared<THeldCells>(*held_);
  heldUnwritten_ = true;
  ++version_;
  return *held_;
}

void THashNode::WriteHeldCells() const {
  std::size_t size = 0;
  for (const std::string& cell : *held_) size += cell.size() + 2;
  value_.clear();
  value_.reserve(size);
  for (const std::string& cell : *held_) {
    value_ += cell;
    value_ += kCrLf;
  }
  valueStart_ = 0;
  heldUnwritten_ = false;
}

void THashNode::WriteWholeNumber() const {
  char digits[24];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, static_cast<std::int64_t>(Reading.Number));
  value_.assign(digits, static_cast<std::size_t>(end - digits));
  valueStart_ = 0;
  numberUnwritten_ = false;
}

void THashNode::Assign(const THashNode& other) {
  ArgPattern = other.ArgPattern;
  SetValue(other.Value());
  Description = other.Description;
  Kind = other.Kind;
  Number = other.Number;
  Table = other.Table;
  Position = other.Position;
  Function = other.Function;
  Reserved = other.Reserved;
}

TNodeRef THashNode::MakeVariable(std::string name, std::string value, std::int32_t number, bool reserved) {
  auto node = std::make_shared<THashNode>();
  node->Name = std::move(name);
  node->SetValue(std::move(value));
  node->Kind = nkVariable;
  node->Number = number;
  node->Reserved = reserved;
  return node;
}

std::string StripOkurigana(std::string_view word) {
  std::string out;
  out.reserve(word.size());
  bool afterKanji = false;
  for (std::size_t i = 0; i < word.size();) {
    if (CharLengthAt(word, i) == 1) {
      out += word[i++];
      continue;
    }
    const unsigned code = DoubleByteCode(word, i);
    if (!IsHiragana(code)) {
      afterKanji = true;
      out.append(word.substr(i, 2));
      i += 2;
    } else if (!afterKanji) {
      out.append(word.substr(i, 2));
      i += 2;
    } else {
      while (i + 1 < word.size() && CharLengthAt(word, i) == 2 && IsHiragana(DoubleByteCode(word, i))) i += 2;
      afterKanji = false;
    }
  }
  return out.empty() ? std::string(word) : out;
}

bool HasOkurigana(std::string_view word) {
  bool afterKanji = false;
  for (std::size_t i = 0; i < word.size();) {
    if (CharLengthAt(word, i) == 1) {
      ++i;
      continue;
    }
    const bool hiragana = IsHiragana(DoubleByteCode(word, i));
    if (hiragana && afterKanji) return true;
    if (!hiragana) afterKanji = true;
    i += 2;
  }
  return false;
}

std::size_t THash::BucketOf(std::string_view name) {
  unsigned sum = 0;
  for (char c : name) sum += static_cast<unsigned char>(c);
  return sum % kBucketCount;
}

int THash::Add(TNodeRef node) {
  if (!node) return -1;
  ++generation_;
  std::vector<TNodeRef>& bucket = buckets_[BucketOf(node->Name)];
  if (const auto found = index_.find(node->Name); found != index_.end()) {
    if (found->second->Reserved) throw EPlainError("\"" + node->Name + "\"は予約語なので、登録できません。");
    *std::find(bucket.begin(), bucket.end(), found->second) = node;
    found->second = std::move(node);
    return count_;
  }
  index_.emplace(node->Name, node);
  bucket.push_back(std::move(node));
  return ++count_;
}

const TNodeRef* THash::Locate(std::string_view name) const {
  if (name.empty()) return nullptr;
  const auto found = index_.find(name);
  return found != index_.end() ? &found->second : nullptr;
}

const TNodeRef* THash::Locate(std::string_view name, bool strip) const {
  if (strip && HasOkurigana(name)) {
    if (const TNodeRef* node = Locate(StripOkurigana(name))) return node;
  }
  return Locate(name);
}

THashNode* THash::FindNode(std::string_view name, bool strip) const {
  const TNodeRef* node = Locate(name, strip);
  return node != nullptr ? node->get() : nullptr;
}

TNodeRef THash::Find(std::string_view name, bool strip) const {
  const TNodeRef* node = Locate(name, strip);
  return node != nullptr ? *node : nullptr;
}

std::string THash::GetValue(std::string_view name, bool strip) const {
  const THashNode* node = FindNode(name, strip);
  return node != nullptr ? node->Value() : std::string();
}

bool THash::DeleteExact(std::string_view name) {
  if (name.empty()) return false;
  const auto found = index_.find(name);
  if (found == index_.end()) return false;
  std::vector<TNodeRef>& bucket = buckets_[BucketOf(name)];
  bucket.erase(std::find(bucket.begin(), bucket.end(), found->second));
  index_.erase(found);
  ++generation_;
  --count_;
  return true;
}

int THash::Delete(std::string_view name, bool strip) {
  bool removed = false;
  if (strip) removed = DeleteExact(StripOkurigana(name));
  removed = DeleteExact(name) || removed;
  return removed ? count_ : -1;
}

void THash::Clear() {
  for (std::vector<TNodeRef>& bucket : buckets_) bucket.clear();
  index_.clear();
  ++generation_;
  count_ = 0;
}

void THash::LoadFromText(std::string_view text) {
  for (std::string_view line : SplitLines(text)) {
    const std::size_t equals = line.find('=');
    const std::string_view name = Trim(line.substr(0, equals));
    if (name.empty()) continue;
    const std::string_view value = equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
    Add(THashNode::MakeVariable(std::string(name), std::string(value), 0, false));
  }
}

std::vector<TNodeRef> THash::AllNodes() const {
  std::vector<TNodeRef> nodes;
  nodes.reserve(static_cast<std::size_t>(count_));
  for (const std::vector<TNodeRef>& bucket : buckets_) nodes.insert(nodes.end(), bucket.begin(), bucket.end());
  return nodes;
}

std::string THash::ListNames() const {
  std::string out;
  for (const std::vector<TNodeRef>& bucket : buckets_)
    for (const TNodeRef& node : bucket) {
      out += node->Name;
      out += kCrLf;
    }
  return std::string(Trim(out));
}

std::string THash::ListPairs() const {
  std::string out;
  for (const std::vector<TNodeRef>& bucket : buckets_)
    for (const TNodeRef& node : bucket) {
      out += node->Name;
      out += '=';
      out += node->Value();
      out += kCrLf;
    }
  return std::string(Trim(out));
}

}  // namespace yura
