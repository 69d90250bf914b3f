// The one reader and writer of CSV tables: a two-dimensional array is CSV
// text, a row a list of cells.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yura {

using TCsvCells = std::vector<std::string>;

class TCsvTable {
 public:
  // Row 0 holds field names: sorting, searching, statistics and reversal
  // leave it alone.
  bool Header = false;

  TCsvTable() = default;
  explicit TCsvTable(std::string_view text) { Parse(text); }

  void Parse(std::string_view text);
  std::string ToCsv() const;

  std::size_t RowCount() const { return rows_.size(); }
  std::size_t Width() const;
  // "" outside the table.
  const std::string& Cell(std::size_t column, std::size_t row) const;
  // Pads rows and cells as needed.
  void SetCell(std::size_t column, std::size_t row, std::string text);
  // A missing row reads as empty.
  const TCsvCells& Row(std::size_t row) const;
  void SetRow(std::size_t row, TCsvCells cells);
  std::vector<std::optional<TCsvCells>>& Rows() { return rows_; }
  const std::vector<std::optional<TCsvCells>>& Rows() const { return rows_; }

  // One row written as CSV (width cells, no line end).
  static std::string RowText(const TCsvCells& cells, std::size_t width);
  // Splits one line of CSV text into cells, as a row is read.
  static TCsvCells ParseRow(std::string_view line);

 private:
  std::vector<std::optional<TCsvCells>> rows_;
};

}  // namespace yura
