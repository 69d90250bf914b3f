// Finding rows: 表検索 and 表曖昧検索 with the kept search state, the pick-ups
// and 表条件抽出.
#include <memory>

#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/strings/sjistext.h"
#include "commands/tables/condition.h"
#include "commands/tables/tableargs.h"
#include "commands/tables/tableops.h"
#include "engine/engine.h"
#include "source/textlines.h"
#include "textutil/wildcard.h"

namespace yura {
namespace {

constexpr std::string_view kMsgColumnFromZero = "列の指定は、0以上を指定する必要があります。";

// The search state of a run, kept from 表検索 to 表検索次の値.
class TTableSearch final : public TOwnedState {
 public:
  TCsvTable Table;
  std::string Key;
  long long Column = -1;
  long long NextRow = 0;
  bool Exact = false;
};

TTableSearch& SearchState(TYuraBase& state) {
  if (!state.TableSearch) state.TableSearch = std::make_unique<TTableSearch>();
  return static_cast<TTableSearch&>(*state.TableSearch);
}

bool HasWildcard(std::string_view key, std::string_view marks) { return key.find_first_of(marks) != std::string_view::npos; }

// The next match of the kept search: its row, or -1 from then on.
void SearchNext(TEngine& engine) {
  TTableSearch& search = SearchState(engine.State());
  engine.SetSore("-1", kTagNumber);
  if (search.Table.RowCount() == 0) return;
  long long row = -1;
  if (search.Exact)
    row = FindExact(search.Table, search.Key, search.Column, search.NextRow);
  else if (HasWildcard(search.Key, "*?"))
    row = FindMatching(search.Table, search.Key, search.Column, search.NextRow);
  else
    row = FindContaining(search.Table, search.Key, search.Column, search.NextRow);
  search.NextRow = row >= 0 ? row + 1 : static_cast<long long>(search.Table.RowCount());
  if (row >= 0) engine.SetSore(std::to_string(row), kTagNumber);
}

void StartSearch(TEngine& engine, bool exact) {
  TTableSearch& search = SearchState(engine.State());
  search.Key = engine.PopValue();
  search.Column = PopIntegerArgument(engine, -1);
  search.Table = TCsvTable(engine.PopValue());
  search.Exact = exact;
  search.NextRow = FieldNamesOn(engine) ? 1 : 0;
  SearchNext(engine);
}

void Search(TEngine& engine, THashNode&) { StartSearch(engine, true); }
void SearchLoosely(TEngine& engine, THashNode&) { StartSearch(engine, false); }
void SearchAgain(TEngine& engine, THashNode&) { SearchNext(engine); }

void ClearSearch(TEngine& engine, THashNode&) { engine.State().TableSearch = std::make_unique<TTableSearch>(); }

// 表ピックアップ on whole lines (column -1): lines matching the wildcard key
// or containing the key, without the header line.
std::string PickLines(const std::string& text, const std::string& key, bool header) {
  std::string out;
  const bool pattern = HasWildcard(key, "*?[");
  std::size_t index = 0;
  for (std::string_view line : SplitLines(text)) {
    if (index++ == 0 && header) continue;
    const bool kept = pattern ? WildcardMatch(line, key) : FindChars(line, key) != std::string_view::npos;
    if (kept) out.append(line).append(kCrLf);
  }
  return out;
}

void PickUp(TEngine& engine, const THashNode& entry, bool exactly) {
  const std::string key = engine.PopValue();
  const long long column = PopIntegerArgument(engine, -1);
  const std::string text = engine.PopValue();
  if (exactly && column == -1) RaiseArgumentError(engine, entry, kMsgColumnFromZero);
  if (key.empty()) return;
  const bool header = FieldNamesOn(engine);
  if (column == -1) {
    engine.SetSore(PickLines(text, key, header), kTagString);
    return;
  }
  const TCsvTable table(text);
  const bool pattern = HasWildcard(key, "*?[");
  TCsvTable result;
  std::size_t r = 0;
  if (header && table.RowCount() > 0) result.SetRow(r++, table.Row(0));
  for (std::size_t row = header ? 1 : 0; row < table.RowCount(); ++row) {
    const std::string& cell = column < 0 ? std::string() : table.Cell(static_cast<std::size_t>(column), row);
    bool kept = false;
    if (pattern)
      kept = WildcardMatch(cell, key);
    else
      kept = exactly ? cell == key : FindChars(cell, key) != std::string::npos;
    if (kept) result.SetRow(r++, table.Row(row));
  }
  engine.SetSore(result.ToCsv(), kTagString);
}

void PickUpContaining(TEngine& engine, THashNode& entry) { PickUp(engine, entry, false); }
void PickUpExactly(TEngine& engine, THashNode& entry) { PickUp(engine, entry, true); }

// 表条件抽出 (310): the field names and every row the condition selects.
void SelectByCondition(TEngine& engine, THashNode&) {
  const std::string condition = engine.PopValue();
  const TCsvTable table(engine.PopValue());
  const std::vector<bool> selected = SelectRows(table, condition);
  TCsvTable result;
  std::size_t r = 0;
  for (std::size_t row = 0; row < table.RowCount(); ++row)
    if (selected[row]) result.SetRow(r++, table.Row(row));
  engine.SetSore(result.ToCsv(), kTagString);
}

}  // namespace

void RegisterTableSearchHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(83, Search);
  dispatcher.Register(86, SearchLoosely);
  dispatcher.Register(84, SearchAgain);
  dispatcher.Register(85, ClearSearch);
  dispatcher.Register(82, PickUpContaining);
  dispatcher.Register(500, PickUpExactly);
  dispatcher.Register(310, SelectByCondition);
}

}  // namespace yura
