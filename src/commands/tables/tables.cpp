// Table commands on columns and whole tables: statistics of a column, the
// sorts, inserting, deleting, copying, pasting, replacing and moving columns,
// duplicate removal, the key join and transposing.
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/strings/sjistext.h"
#include "commands/tables/tableargs.h"
#include "commands/tables/tableops.h"
#include "engine/engine.h"
#include "source/textlines.h"

namespace yura {
namespace {

void SetTable(TEngine& engine, const TCsvTable& table) { engine.SetSore(table.ToCsv(), kTagString); }

// The cell of a column, where a negative column reads "".
const std::string& ColumnCell(const TCsvTable& table, long long column, std::size_t row) {
  static const std::string kEmpty;
  return column < 0 ? kEmpty : table.Cell(static_cast<std::size_t>(column), row);
}

// The numbers of a column over the rows after the header.
struct TColumnValues {
  std::vector<TNumber> Values;
  std::vector<bool> Empty;
};

TColumnValues PopColumnValues(TEngine& engine, const THashNode& entry) {
  const long long column = PopRequiredColumn(engine, entry);
  const TCsvTable table = PopTable(engine);
  TColumnValues column_values;
  for (std::size_t r = table.Header ? 1 : 0; r < table.RowCount(); ++r) {
    const std::string& cell = ColumnCell(table, column, r);
    column_values.Values.push_back(ToNumber(cell));
    column_values.Empty.push_back(cell.empty());
  }
  return column_values;
}

// 表最大値 (93): an empty cell counts as 0.
void ColumnMaximum(TEngine& engine, THashNode& entry) {
  const TColumnValues column = PopColumnValues(engine, entry);
  TNumber best = 0;
  for (std::size_t i = 0; i < column.Values.size(); ++i)
    if (i == 0 || column.Values[i] > best) best = column.Values[i];
  engine.SetSoreNumber(best);
}

// 表最小値 (94): the first cell counts even when empty; later empty ones do not.
void ColumnMinimum(TEngine& engine, THashNode& entry) {
  const TColumnValues column = PopColumnValues(engine, entry);
  TNumber best = 0;
  for (std::size_t i = 0; i < column.Values.size(); ++i) {
    if (i > 0 && column.Empty[i]) continue;
    if (i == 0 || column.Values[i] < best) best = column.Values[i];
  }
  engine.SetSoreNumber(best);
}

TNumber Total(const TColumnValues& column) {
  TNumber sum = 0;
  for (TNumber value : column.Values) sum += value;
  return sum;
}

void ColumnAverage(TEngine& engine, THashNode& entry) {
  const TColumnValues column = PopColumnValues(engine, entry);
  engine.SetSoreNumber(column.Values.empty() ? 0 : Total(column) / static_cast<TNumber>(column.Values.size()));
}

void ColumnTotal(TEngine& engine, THashNode& entry) { engine.SetSoreNumber(Total(PopColumnValues(engine, entry))); }

void Sort(TEngine& engine, const THashNode& entry, TSortKey key) {
  const long long column = PopRequiredColumn(engine, entry);
  TCsvTable table = PopTable(engine);
  // A negative column reads every cell as "": every key is equal.
  SortRows(table, column < 0 ? table.Width() : static_cast<std::size_t>(column), key);
  SetTable(engine, table);
}

void SortByText(TEngine& engine, THashNode& entry) { Sort(engine, entry, TSortKey::Text); }
void SortByNumber(TEngine& engine, THashNode& entry) { Sort(engine, entry, TSortKey::Number); }
void SortByDate(TEngine& engine, THashNode& entry) { Sort(engine, entry, TSortKey::Date); }

// The column of the commands where a negative column leaves それ unchanged.
std::optional<std::size_t> PopColumn(TEngine& engine) {
  const long long column = PopNumberArgument(engine);
  if (column < 0) return std::nullopt;
  return static_cast<std::size_t>(column);
}

// A column operation on a table; a negative column leaves それ unchanged.
template <typename Operation>
void OnColumn(TEngine& engine, Operation operation) {
  const auto column = PopColumn(engine);
  TCsvTable table(engine.PopValue());
  if (!column) return;
  operation(table, *column);
  SetTable(engine, table);
}

void InsertEmptyColumn(TEngine& engine, THashNode&) {
  OnColumn(engine, [](TCsvTable& table, std::size_t column) { InsertColumn(table, column); });
}

void DeleteTableColumn(TEngine& engine, THashNode&) { OnColumn(engine, DeleteColumn); }

// 表重複項目削除 (196): of rows with equal keys, the last stays.
void RemoveDuplicateRows(TEngine& engine, THashNode&) { OnColumn(engine, RemoveDuplicates); }

// 表列コピー (237): the cells, unquoted, one per line.
void CopyColumn(TEngine& engine, THashNode&) {
  const auto column = PopColumn(engine);
  const TCsvTable table(engine.PopValue());
  if (!column) return;
  std::string out;
  for (std::size_t r = 0; r < table.RowCount(); ++r) out.append(table.Cell(*column, r)).append(kCrLf);
  engine.SetSore(std::move(out), kTagString);
}

// 表列貼付け (238): line i of the array into row i of a new column.
void PasteColumn(TEngine& engine, THashNode&) {
  const std::string array = engine.PopValue();
  const auto column = PopColumn(engine);
  TCsvTable table(engine.PopValue());
  if (!column) return;
  std::vector<std::string> cells;
  for (std::string_view line : SplitLines(array)) cells.emplace_back(line);
  InsertColumn(table, *column, &cells);
  SetTable(engine, table);
}

// 表キー合成 (311): any failure gives "".
void JoinByKey(TEngine& engine, THashNode&) {
  const long long otherColumn = PopNumberArgument(engine);
  const TCsvTable other = PopTable(engine);
  const long long column = PopNumberArgument(engine);
  TCsvTable table = PopTable(engine);
  if (column < 0 || otherColumn < 0) {
    engine.SetSore({}, kTagString);
    return;
  }
  KeyJoin(table, static_cast<std::size_t>(column), other, static_cast<std::size_t>(otherColumn));
  SetTable(engine, table);
}

void TransposeTable(TEngine& engine, THashNode&) {
  TCsvTable table(engine.PopValue());
  Transpose(table);
  SetTable(engine, table);
}

// 表列指定置換 (391): in every row, as 置換 does; the cell is made when missing.
void ReplaceInColumn(TEngine& engine, THashNode&) {
  const std::string replacement = engine.PopValue();
  const std::string search = engine.PopValue();
  const long long column = PopNumberArgument(engine);
  TCsvTable table(engine.PopValue());
  if (column >= 0) {
    const auto c = static_cast<std::size_t>(column);
    for (std::size_t r = 0; r < table.RowCount(); ++r)
      table.SetCell(c, r, ReplaceAllChars(table.Cell(c, r), search, replacement));
  }
  SetTable(engine, table);
}

// 表列移動 (392).
void MoveTableColumn(TEngine& engine, THashNode&) {
  const long long to = PopNumberArgument(engine);
  const long long from = PopNumberArgument(engine);
  TCsvTable table(engine.PopValue());
  MoveColumn(table, from, to);
  SetTable(engine, table);
}

}  // namespace

void RegisterTableHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(93, ColumnMaximum);
  dispatcher.Register(94, ColumnMinimum);
  dispatcher.Register(95, ColumnAverage);
  dispatcher.Register(98, ColumnTotal);
  dispatcher.Register(96, SortByText);
  dispatcher.Register(97, SortByNumber);
  dispatcher.Register(298, SortByDate);
  dispatcher.Register(107, InsertEmptyColumn);
  dispatcher.Register(108, DeleteTableColumn);
  dispatcher.Register(196, RemoveDuplicateRows);
  dispatcher.Register(237, CopyColumn);
  dispatcher.Register(238, PasteColumn);
  dispatcher.Register(311, JoinByKey);
  dispatcher.Register(349, TransposeTable);
  dispatcher.Register(391, ReplaceInColumn);
  dispatcher.Register(392, MoveTableColumn);
}

}  // namespace yura
