#include "commands/tables/tableops.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include "commands/time/datetime.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/platform_errors.h"
#include "engine/numbers.h"
#include "source/textlines.h"
#include "textutil/wildcard.h"

namespace yura {
namespace {

[[noreturn]] void RaiseListIndex(long long index) {
  throw EPlainError(FormatMessage(kMsgListIndex, {std::to_string(index)}));
}

bool IsBlankRow(const std::optional<TCsvCells>& row) { return !row || row->empty(); }

// Sort keys, computed once per row.
struct TKey {
  std::string Text;
  TNumber Number = 0;
};

class TRowSorter {
 public:
  TRowSorter(std::vector<TKey>& keys, TSortKey kind) : keys_(keys), kind_(kind) {}

  void Sort(std::vector<std::size_t>& order, std::size_t lo, std::size_t hi) {
    if (hi - lo < 20) {
      SelectionSort(order, lo, hi);
      return;
    }
    const std::size_t mid = (lo + hi) / 2;
    Sort(order, lo, mid);
    Sort(order, mid + 1, hi);
    Merge(order, lo, mid, hi);
  }

 private:
  bool Less(std::size_t a, std::size_t b) const {
    return kind_ == TSortKey::Text ? keys_[a].Text < keys_[b].Text : keys_[a].Number < keys_[b].Number;
  }
  // The merge takes from the left half while left <= right.
  bool TakeLeft(std::size_t left, std::size_t right) const {
    switch (kind_) {
      case TSortKey::Text: return keys_[left].Text.compare(keys_[right].Text) <= 0;
      case TSortKey::Number: return !(keys_[left].Number > keys_[right].Number);
      case TSortKey::Date: return keys_[right].Number >= keys_[left].Number;
    }
    return true;
  }
  void SelectionSort(std::vector<std::size_t>& order, std::size_t lo, std::size_t hi) {
    for (std::size_t i = lo; i < hi; ++i) {
      std::size_t smallest = i;
      for (std::size_t j = i + 1; j <= hi; ++j)
        if (Less(order[j], order[smallest])) smallest = j;
      std::swap(order[i], order[smallest]);
    }
  }
  void Merge(std::vector<std::size_t>& order, std::size_t lo, std::size_t mid, std::size_t hi) {
    merged_.clear();
    std::size_t left = lo, right = mid + 1;
    while (left <= mid && right <= hi) merged_.push_back(TakeLeft(order[left], order[right]) ? order[left++] : order[right++]);
    while (left <= mid) merged_.push_back(order[left++]);
    while (right <= hi) merged_.push_back(order[right++]);
    std::copy(merged_.begin(), merged_.end(), order.begin() + static_cast<std::ptrdiff_t>(lo));
  }

  std::vector<TKey>& keys_;
  TSortKey kind_;
  std::vector<std::size_t> merged_;
};

std::string RowCsv(const TCsvTable& table, std::size_t row) {
  const TCsvCells& cells = table.Row(row);
  return TCsvTable::RowText(cells, cells.size());
}

template <typename Test>
long long FindRow(const TCsvTable& table, long long column, long long start, Test test) {
  for (long long r = std::max(start, 0LL); r < static_cast<long long>(table.RowCount()); ++r) {
    const auto row = static_cast<std::size_t>(r);
    if (test(row, column < 0 ? std::string_view() : std::string_view(table.Cell(static_cast<std::size_t>(column), row))))
      return r;
  }
  return -1;
}

}  // namespace

void InsertColumn(TCsvTable& table, std::size_t c, const std::vector<std::string>* cells) {
  auto& rows = table.Rows();
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (!rows[r]) continue;
    TCsvCells& row = *rows[r];
    if (row.size() < c) row.resize(c);
    std::string cell = cells != nullptr && r < cells->size() ? (*cells)[r] : std::string();
    row.insert(row.begin() + static_cast<std::ptrdiff_t>(c), std::move(cell));
  }
}

void DeleteColumn(TCsvTable& table, std::size_t c) {
  for (auto& row : table.Rows())
    if (row && c < row->size()) row->erase(row->begin() + static_cast<std::ptrdiff_t>(c));
}

void MoveColumn(TCsvTable& table, long long from, long long to) {
  if (from == to) return;
  for (auto& row : table.Rows()) {
    if (!row) continue;
    if (from < 0 || from >= static_cast<long long>(row->size())) RaiseListIndex(from);
    std::string cell = std::move((*row)[static_cast<std::size_t>(from)]);
    row->erase(row->begin() + from);
    if (to < 0 || to > static_cast<long long>(row->size())) RaiseListIndex(to);
    row->insert(row->begin() + to, std::move(cell));
  }
}

void ReverseRows(TCsvTable& table) {
  auto& rows = table.Rows();
  const std::size_t first = table.Header && !rows.empty() ? 1 : 0;
  std::reverse(rows.begin() + static_cast<std::ptrdiff_t>(first), rows.end());
}

void TrimEdges(TCsvTable& table) {
  auto& rows = table.Rows();
  for (auto& row : rows)
    while (row && !row->empty() && Trim(row->back()).empty()) row->pop_back();
  const auto firstKept = std::find_if_not(rows.begin(), rows.end(), IsBlankRow);
  rows.erase(rows.begin(), firstKept);
  while (!rows.empty() && IsBlankRow(rows.back())) rows.pop_back();
}

void Transpose(TCsvTable& table) {
  const std::size_t width = table.Width(), height = table.RowCount();
  TCsvTable result;
  for (std::size_t c = 0; c < width; ++c) {
    TCsvCells row(height);
    for (std::size_t r = 0; r < height; ++r) row[r] = table.Cell(c, r);
    result.SetRow(c, std::move(row));
  }
  result.Header = table.Header;
  table = std::move(result);
  TrimEdges(table);
}

void RemoveDuplicates(TCsvTable& table, std::size_t column) {
  auto& rows = table.Rows();
  std::unordered_set<std::string_view> later;
  std::vector<bool> keep(rows.size());
  for (std::size_t r = rows.size(); r-- > 0;) keep[r] = later.insert(table.Cell(column, r)).second;
  std::vector<std::optional<TCsvCells>> kept;
  kept.reserve(rows.size());
  for (std::size_t r = 0; r < rows.size(); ++r)
    if (keep[r]) kept.push_back(std::move(rows[r]));
  rows = std::move(kept);
}

void KeyJoin(TCsvTable& a, std::size_t ac, const TCsvTable& b, std::size_t bc) {
  const std::size_t width = a.Width();
  // The first row of b holding each key.
  std::unordered_map<std::string_view, std::size_t> firstRow;
  for (std::size_t r = 0; r < b.RowCount(); ++r) firstRow.emplace(b.Cell(bc, r), r);
  auto appendRow = [&](std::size_t row, const TCsvCells& source) {
    for (std::size_t c = 0, at = width; c < source.size(); ++c)
      if (c != bc) a.SetCell(at++, row, source[c]);
  };
  std::size_t start = 0;
  if (a.Header && b.Header) {
    appendRow(0, b.Row(0));
    start = 1;
  }
  for (std::size_t r = start; r < a.RowCount(); ++r) {
    const auto found = firstRow.find(a.Cell(ac, r));
    if (found != firstRow.end() && found->second > 0) appendRow(r, b.Row(found->second));
  }
}

void SortRows(TCsvTable& table, std::size_t column, TSortKey kind) {
  TrimEdges(table);
  auto& rows = table.Rows();
  const std::size_t first = table.Header ? 1 : 0;
  if (rows.size() < first + 2) return;
  std::vector<TKey> keys(rows.size());
  for (std::size_t r = first; r < rows.size(); ++r) {
    const std::string& cell = table.Cell(column, r);
    if (kind == TSortKey::Text)
      keys[r].Text = cell;
    else if (kind == TSortKey::Number)
      keys[r].Number = ToNumber(cell);
    else
      keys[r].Number = ParseDateTime(cell).value_or(0);
  }
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), 0);
  TRowSorter(keys, kind).Sort(order, first, rows.size() - 1);
  std::vector<std::optional<TCsvCells>> sorted;
  sorted.reserve(rows.size());
  for (std::size_t index : order) sorted.push_back(std::move(rows[index]));
  rows = std::move(sorted);
}

long long FindExact(const TCsvTable& table, std::string_view key, long long column, long long start) {
  return FindRow(table, column, start, [&](std::size_t row, std::string_view cell) {
    if (column >= 0) return cell == key;
    const TCsvCells& cells = table.Row(row);
    return std::find(cells.begin(), cells.end(), key) != cells.end();
  });
}

long long FindContaining(const TCsvTable& table, std::string_view key, long long column, long long start) {
  return FindRow(table, column, start, [&](std::size_t row, std::string_view cell) {
    return (column >= 0 ? cell : std::string_view(RowCsv(table, row))).find(key) != std::string_view::npos;
  });
}

long long FindMatching(const TCsvTable& table, std::string_view pattern, long long column, long long start) {
  return FindRow(table, column, start, [&](std::size_t row, std::string_view cell) {
    if (column >= 0) return WildcardMatch(cell, pattern);
    return WildcardMatch(RowCsv(table, row), pattern);
  });
}

}  // namespace yura
