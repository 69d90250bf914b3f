#include "host/gui/sortgrid.h"

#include <QHeaderView>
#include <algorithm>

#include "commands/tables/csv.h"
#include "platform/qtext.h"
#include "source/sjis.h"

namespace yura {

// ---- the cells

void TGridModel::SetRows(TRows rows, int columns) {
  beginResetModel();
  rows_ = std::move(rows);
  columns_ = std::max(0, columns);
  for (auto& row : rows_) row.resize(columns_);
  endResetModel();
}

int TGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, static_cast<int>(rows_.size()) - 1);
}

int TGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant TGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return ToQString(rows_[index.row() + 1][index.column()]);
}

bool TGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  rows_[index.row() + 1][index.column()] = FromQString(value.toString());
  emit dataChanged(index, index);
  return true;
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || rows_.empty() || section >= columns_) return {};
  return ToQString(rows_[0][section]);
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (Editable) flags |= Qt::ItemIsEditable;
  return flags;
}

// ---- the grid

TStrSortGrid::TStrSortGrid(QWidget* parent) : QTableView(parent) {
  setModel(&model_);
  verticalHeader()->hide();
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SetEditing(false);
  model_.SetRows(TGridModel::TRows(5), 5);
  connect(horizontalHeader(), &QHeaderView::sectionPressed, this, &TStrSortGrid::HeaderPressed);
}

void TStrSortGrid::SetEditing(bool on) {
  model_.Editable = on;
  setSelectionBehavior(on ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
  setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed
                     : QAbstractItemView::NoEditTriggers);
  viewport()->update();
}

std::string TStrSortGrid::Csv() const {
  TCsvTable table;
  std::size_t used = model_.Rows().size();
  const auto empty = [](const std::vector<std::string>& row) {
    return std::all_of(row.begin(), row.end(), [](const std::string& cell) { return cell.empty(); });
  };
  while (used > 0 && empty(model_.Rows()[used - 1])) --used;
  for (std::size_t row = 0; row < used; ++row) table.SetRow(row, model_.Rows()[row]);
  return table.ToCsv();
}

void TStrSortGrid::LoadCsv(std::string_view csv) {
  const TCsvTable table(csv);
  const int columns = std::max<int>(1, static_cast<int>(table.Width()));
  TGridModel::TRows rows(table.RowCount() + 1);
  for (std::size_t row = 0; row < table.RowCount(); ++row) rows[row] = table.Row(row);
  if (rows.size() < 2) rows.resize(2);
  model_.SetRows(std::move(rows), columns);
  FitColumns();
}

void TStrSortGrid::SetRowCount(int rows) {
  TGridModel::TRows cells = model_.Rows();
  cells.resize(std::max(0, rows));
  model_.SetRows(std::move(cells), model_.ColumnCount());
}

void TStrSortGrid::FitColumns() {
  const QFontMetrics metrics(font());
  const int fallback = horizontalHeader()->defaultSectionSize();
  for (int column = 0; column < model_.ColumnCount(); ++column) {
    int widest = 0;
    for (const auto& row : model_.Rows()) widest = std::max(widest, metrics.horizontalAdvance(ToQString(row[column])));
    setColumnWidth(column, widest > 0 ? widest + 5 + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) : fallback);
  }
  verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
}

int TStrSortGrid::CurrentRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() + 1 : 1;
}

void TStrSortGrid::SetCurrentRow(int row) {
  if (row < 1 || row - 1 >= model_.rowCount()) return;
  setCurrentIndex(model_.index(row - 1, std::max(0, currentIndex().column())));
}

int TStrSortGrid::CurrentColumn() const { return std::max(0, currentIndex().column()); }

void TStrSortGrid::SetCurrentColumn(int column) {
  if (column < 0 || column >= model_.ColumnCount() || model_.rowCount() == 0) return;
  setCurrentIndex(model_.index(std::max(0, currentIndex().row()), column));
}

void TStrSortGrid::HeaderPressed(int column) {
  switch (SortOps) {
    case TSortOps::soNon:
      return;
    case TSortOps::soUpOnly:
      ascending_ = true;
      break;
    case TSortOps::soDownOnly:
      ascending_ = false;
      break;
    case TSortOps::soBoth:
      ascending_ = !ascending_;
      break;
  }
  SortByColumn(column, ascending_);
  horizontalHeader()->setSortIndicatorShown(true);
  horizontalHeader()->setSortIndicator(column, ascending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
}

namespace {

struct TSortEntry {
  std::size_t Row;
  std::string Key;
};

// Quicksort around the middle key for ranges of more than 4 entries, bubble
// sort below.
void SortEntries(std::vector<TSortEntry>& entries, int lo, int hi) {
  if (hi - lo + 1 > 4) {
    const std::string pivot = entries[(lo + hi) / 2].Key;
    int i = lo;
    int j = hi;
    do {
      while (entries[i].Key < pivot) ++i;
      while (entries[j].Key > pivot) --j;
      if (i <= j) std::swap(entries[i++], entries[j--]);
    } while (i <= j);
    if (lo < j) SortEntries(entries, lo, j);
    if (i < hi) SortEntries(entries, i, hi);
    return;
  }
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (int k = lo; k < hi; ++k)
      if (entries[k].Key > entries[k + 1].Key) {
        std::swap(entries[k], entries[k + 1]);
        swapped = true;
      }
  }
}

}  // namespace

void TStrSortGrid::SortByColumn(int column, bool ascending) {
  const TGridModel::TRows& rows = model_.Rows();
  const int last = static_cast<int>(rows.size()) - 2;
  if (column < 0 || column >= model_.ColumnCount() || last < 1) return;
  std::vector<TSortEntry> entries;
  for (int row = 1; row <= last; ++row) {
    std::string key = rows[row][column];
    for (std::size_t i = 0; i < key.size(); i += CharLengthAt(key, i))
      if (key[i] >= 'a' && key[i] <= 'z') key[i] = static_cast<char>(key[i] - 'a' + 'A');
    entries.push_back({static_cast<std::size_t>(row), std::move(key)});
  }
  SortEntries(entries, 0, static_cast<int>(entries.size()) - 1);
  if (!ascending) std::reverse(entries.begin(), entries.end());
  TGridModel::TRows sorted = rows;
  for (std::size_t k = 0; k < entries.size(); ++k) sorted[k + 1] = rows[entries[k].Row];
  model_.SetRows(std::move(sorted), model_.ColumnCount());
}

}  // namespace yura
