// The sortable string grid: cells of Shift_JIS text, row 0 the fixed header
// row (shown as the column headers), no fixed column. A press on a header
// sorts the rows below it, leaving the last row (kept empty) last.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <string>
#include <vector>

namespace yura {

class TGridModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  using TRows = std::vector<std::vector<std::string>>;

  // Every row has ColumnCount cells; row 0 is the header.
  const TRows& Rows() const { return rows_; }
  void SetRows(TRows rows, int columns);
  int ColumnCount() const { return columns_; }
  bool Editable = false;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  TRows rows_;
  int columns_ = 0;
};

class TStrSortGrid final : public QTableView {
  Q_OBJECT
 public:
  enum class TSortOps { soBoth, soUpOnly, soDownOnly, soNon };

  explicit TStrSortGrid(QWidget* parent);

  TGridModel& Model() { return model_; }
  // The grid as CSV (trailing empty rows left out) and back: the CSV's rows
  // plus one empty row, columns sized to their widest text.
  std::string Csv() const;
  void LoadCsv(std::string_view csv);
  void SetRowCount(int rows);

  // Rows and columns as scripts count them: row 0 is the header.
  int CurrentRow() const;
  void SetCurrentRow(int row);
  int CurrentColumn() const;
  void SetCurrentColumn(int column);

  bool Editing() const { return model_.Editable; }
  // Editing cells, or choosing whole rows.
  void SetEditing(bool on);

  TSortOps SortOps = TSortOps::soNon;
  // Sorts rows 1 to (count - 2) by the column's text (ASCII letters compared
  // as capitals, bytes otherwise).
  void SortByColumn(int column, bool ascending);

 private:
  void HeaderPressed(int column);
  void FitColumns();

  TGridModel model_;
  bool ascending_ = true;
};

}  // namespace yura
