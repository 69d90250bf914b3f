// Operations of the table engine on a parsed CSV table: columns, reversal,
// trimming, transposing, duplicate removal, the key join and the sorts.
#pragma once

#include <string>
#include <vector>

#include "commands/tables/csv.h"

namespace yura {

// In every present row: pads to c cells and inserts a cell at c, taken from
// `cells` at the row's index ("" beyond it, or when there are none).
void InsertColumn(TCsvTable& table, std::size_t c, const std::vector<std::string>* cells = nullptr);
// Removes cell c from every row that has it.
void DeleteColumn(TCsvTable& table, std::size_t c);
// In every present row, takes cell `from` out and puts it back at `to`; a
// row without those cells raises the platform's list-index error.
void MoveColumn(TCsvTable& table, long long from, long long to);
// Reverses the rows, the header row staying first.
void ReverseRows(TCsvTable& table);
// Trailing cells that are blank go, then leading and trailing empty rows.
void TrimEdges(TCsvTable& table);
// Cell (c, r) becomes cell (r, c); then the edges are trimmed.
void Transpose(TCsvTable& table);
// Of each group of rows with equal cells in the column, the last stays.
void RemoveDuplicates(TCsvTable& table, std::size_t column);
// Appends to each row of `a` the row of `b` whose cell in column bc equals
// the row's cell in column ac (without that cell). Matches in b's row 0 do
// not count.
void KeyJoin(TCsvTable& a, std::size_t ac, const TCsvTable& b, std::size_t bc);

enum class TSortKey { Text, Number, Date };
// Sorts the rows after the header by the column: a merge sort that keeps ties
// in order, with selection sort below 20 rows (which does not).
void SortRows(TCsvTable& table, std::size_t column, TSortKey key);

// The first row at or after `start` whose cell equals the key (column -1: any
// cell of the row); -1 when none.
long long FindExact(const TCsvTable& table, std::string_view key, long long column, long long start);
// ... whose cell (column -1: the row's CSV text) contains the key.
long long FindContaining(const TCsvTable& table, std::string_view key, long long column, long long start);
// ... whose cell (column -1: the row's CSV text) matches the wildcard pattern.
long long FindMatching(const TCsvTable& table, std::string_view pattern, long long column, long long start);

}  // namespace yura
