// Arrays of lines and table sizes: 要素数, 表行数, 表列数, ソート, 数値ソート,
// 逆にする, 配列シャッフル, 行挿入, 行削除 and the array statistics.
#include <cmath>
#include <functional>

#include "commands/math/checked.h"
#include "commands/math/random.h"
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/tables/tableargs.h"
#include "commands/tables/tableops.h"
#include "engine/engine.h"
#include "source/textlines.h"
#include "textutil/widthcase.h"

namespace yura {
namespace {

std::vector<std::string> PopLines(TEngine& engine) {
  const std::string text = engine.PopValue();
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(text)) lines.emplace_back(line);
  return lines;
}

void SetLines(TEngine& engine, const std::vector<std::string>& lines) {
  engine.SetSore(JoinLinesWithEnds(lines), kTagString);
}

// The list sort: quicksort around the middle element. Disjoint ranges are
// sorted independently, so a stack of ranges gives the same order as the
// recursion without its depth.
template <typename Item, typename Compare>
void QuickSort(std::vector<Item>& items, Compare compare) {
  if (items.size() < 2) return;
  std::vector<std::pair<std::size_t, std::size_t>> ranges{{0, items.size() - 1}};
  while (!ranges.empty()) {
    auto [low, high] = ranges.back();
    ranges.pop_back();
    for (;;) {
      std::ptrdiff_t i = static_cast<std::ptrdiff_t>(low), j = static_cast<std::ptrdiff_t>(high);
      std::ptrdiff_t pivot = static_cast<std::ptrdiff_t>((low + high) / 2);
      do {
        while (compare(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(pivot)]) < 0) ++i;
        while (compare(items[static_cast<std::size_t>(j)], items[static_cast<std::size_t>(pivot)]) > 0) --j;
        if (i <= j) {
          if (i != j) std::swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(j)]);
          if (pivot == i)
            pivot = j;
          else if (pivot == j)
            pivot = i;
          ++i;
          --j;
        }
      } while (i <= j);
      if (static_cast<std::ptrdiff_t>(low) < j) ranges.emplace_back(low, static_cast<std::size_t>(j));
      low = static_cast<std::size_t>(i);
      if (i >= static_cast<std::ptrdiff_t>(high)) break;
    }
  }
}

int Sign(long double difference) { return difference < 0 ? -1 : (difference > 0 ? 1 : 0); }

// 要素数, 表行数 (317, 350).
void RowCount(TEngine& engine, THashNode&) {
  const TCsvTable table = PopTable(engine);
  const long long count = static_cast<long long>(table.RowCount()) - (table.Header ? 1 : 0);
  engine.SetSore(std::to_string(count), kTagNumber);
}

void ColumnCount(TEngine& engine, THashNode&) {
  engine.SetSore(std::to_string(TCsvTable(engine.PopValue()).Width()), kTagNumber);
}

// ソート (77): letters compare without regard to case (ASCII and full-width,
// Greek, Cyrillic), then by the bytes of the code page.
void SortLines(TEngine& engine, THashNode&) {
  struct TLine {
    std::string Key, Text;
  };
  std::vector<TLine> lines;
  for (std::string& line : PopLines(engine)) lines.push_back({MapLowerCase(line), std::move(line)});
  QuickSort(lines, [](const TLine& a, const TLine& b) { return a.Key.compare(b.Key); });
  std::vector<std::string> out;
  for (TLine& line : lines) out.push_back(std::move(line.Text));
  SetLines(engine, out);
}

// 数値ソート (78): by numeric value, compared exactly.
void SortLinesByNumber(TEngine& engine, THashNode&) {
  struct TLine {
    TNumber Key;
    std::string Text;
  };
  std::vector<TLine> lines;
  for (std::string& line : PopLines(engine)) lines.push_back({ToNumber(line), std::move(line)});
  QuickSort(lines, [](const TLine& a, const TLine& b) { return Sign(a.Key - b.Key); });
  std::vector<std::string> out;
  for (TLine& line : lines) out.push_back(std::move(line.Text));
  SetLines(engine, out);
}

// 逆にする (79): every row moves, the first too.
void Reverse(TEngine& engine, THashNode&) {
  TCsvTable table(engine.PopValue());
  ReverseRows(table);
  engine.SetSore(table.ToCsv(), kTagString);
}

// 配列シャッフル (330): n + 1 exchanges of two drawn lines.
void Shuffle(TEngine& engine, THashNode&) {
  std::vector<std::string> lines = PopLines(engine);
  const auto n = static_cast<std::uint32_t>(lines.size());
  for (std::uint32_t k = 0; n > 0 && k <= n; ++k) {
    const std::uint32_t a = RandomBelow(engine.State(), n);
    const std::uint32_t b = RandomBelow(engine.State(), n);
    std::swap(lines[a], lines[b]);
  }
  SetLines(engine, lines);
}

// 行挿入 (105): before line n, or at line n after empty lines.
void InsertLine(TEngine& engine, THashNode&) {
  std::string value = engine.PopValue();
  const long long n = PopNumberArgument(engine);
  std::vector<std::string> lines = PopLines(engine);
  if (n < 0) return;
  const auto at = static_cast<std::size_t>(n);
  if (at < lines.size()) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(value));
  } else {
    lines.resize(at + 1);
    lines[at] = std::move(value);
  }
  SetLines(engine, lines);
}

// 行削除 (106).
void DeleteLine(TEngine& engine, THashNode&) {
  const long long n = PopNumberArgument(engine);
  std::vector<std::string> lines = PopLines(engine);
  if (n < 0 || static_cast<std::size_t>(n) >= lines.size()) return;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(n));
  SetLines(engine, lines);
}

// The numbers of an array: lines made half-width and trimmed, blank ones
// dropped; none at all stands for the single value 0.
std::vector<double> PopValues(TEngine& engine) {
  std::vector<double> values;
  for (const std::string& line : PopLines(engine)) {
    const std::string text(Trim(MapHalfWidth(line)));
    if (!text.empty()) values.push_back(static_cast<double>(ToNumber(text)));
  }
  if (values.empty()) values.push_back(0);
  return values;
}

double Sum(const std::vector<double>& values) {
  double sum = 0;
  for (double value : values) sum += value;
  return sum;
}

double SquaredDeviations(const std::vector<double>& values) {
  const double mean = Sum(values) / static_cast<double>(values.size());
  double sum = 0;
  for (double value : values) sum += (value - mean) * (value - mean);
  return sum;
}

void SetStatistic(TEngine& engine, double value) { engine.SetSoreNumber(Checked(static_cast<TNumber>(value))); }

void ArraySum(TEngine& engine, THashNode&) { SetStatistic(engine, Sum(PopValues(engine))); }

void ArrayAverage(TEngine& engine, THashNode&) {
  const std::vector<double> values = PopValues(engine);
  SetStatistic(engine, Sum(values) / static_cast<double>(values.size()));
}

void ArrayVariance(TEngine& engine, THashNode&) {
  const std::vector<double> values = PopValues(engine);
  SetStatistic(engine, SquaredDeviations(values) / static_cast<double>(values.size()));
}

// 標準偏差値 (229): the sample deviation; one value divides 0 by 0.
void ArrayDeviation(TEngine& engine, THashNode&) {
  const std::vector<double> values = PopValues(engine);
  SetStatistic(engine, std::sqrt(SquaredDeviations(values) / static_cast<double>(values.size() - 1)));
}

void ArrayMaximum(TEngine& engine, THashNode&) {
  const std::vector<double> values = PopValues(engine);
  SetStatistic(engine, *std::max_element(values.begin(), values.end()));
}

void ArrayMinimum(TEngine& engine, THashNode&) {
  const std::vector<double> values = PopValues(engine);
  SetStatistic(engine, *std::min_element(values.begin(), values.end()));
}

}  // namespace

void RegisterArrayHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(317, RowCount);
  dispatcher.Register(350, RowCount);
  dispatcher.Register(351, ColumnCount);
  dispatcher.Register(77, SortLines);
  dispatcher.Register(78, SortLinesByNumber);
  dispatcher.Register(79, Reverse);
  dispatcher.Register(330, Shuffle);
  dispatcher.Register(105, InsertLine);
  dispatcher.Register(106, DeleteLine);
  dispatcher.Register(226, ArraySum);
  dispatcher.Register(227, ArrayAverage);
  dispatcher.Register(228, ArrayVariance);
  dispatcher.Register(229, ArrayDeviation);
  dispatcher.Register(239, ArrayMaximum);
  dispatcher.Register(240, ArrayMinimum);
}

}  // namespace yura
