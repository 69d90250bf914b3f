#include "commands/tables/csv.h"

#include <algorithm>

#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

const TCsvCells kNoCells;
const std::string kNoText;

class TCsvReader {
 public:
  explicit TCsvReader(std::string_view text) : s_(text) {}

  bool AtEnd() const { return i_ >= s_.size(); }
  bool AtLineEnd() const { return AtEnd() || s_[i_] == '\r' || s_[i_] == '\n'; }

  std::string Field() {
    while (i_ < s_.size() && s_[i_] == ' ') ++i_;
    bool quoted = false;
    if (i_ < s_.size() && s_[i_] == '"') {
      quoted = true;
      ++i_;
    }
    std::string field;
    while (i_ < s_.size()) {
      const char c = s_[i_];
      if (!quoted && (c == '\r' || c == '\n' || c == ',')) break;
      if (c == '"') {
        if (i_ + 1 < s_.size() && s_[i_ + 1] == '"') {
          field += '"';
          i_ += 2;
          continue;
        }
        std::size_t k = i_ + 1;
        while (k < s_.size() && s_[k] == ' ') ++k;
        if (k >= s_.size() || s_[k] == '\r' || s_[k] == '\n' || s_[k] == ',') {
          i_ = k;
          break;
        }
        field += c;
        ++i_;
        continue;
      }
      const std::size_t length = CharLengthAt(s_, i_);
      field.append(s_.substr(i_, length));
      i_ += length;
    }
    if (i_ < s_.size() && s_[i_] == ',') ++i_;
    return field;
  }

  TCsvCells Row() {
    TCsvCells cells;
    do {
      std::string field(Trim(Field()));
      if (field.size() > 1 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
      cells.push_back(std::move(field));
    } while (!AtLineEnd());
    return cells;
  }

  void EndRow() {
    if (i_ < s_.size() && (s_[i_] == ',' || s_[i_] == '\r')) ++i_;
    if (i_ < s_.size() && s_[i_] == '\n') ++i_;
  }

 private:
  std::string_view s_;
  std::size_t i_ = 0;
};

bool NeedsQuotes(std::string_view cell) {
  return cell.find_first_of("\",\r\n") != std::string_view::npos || cell.find("ID") != std::string_view::npos;
}

void AppendCell(std::string& out, std::string_view cell) {
  if (!NeedsQuotes(cell)) {
    out += cell;
    return;
  }
  out += '"';
  for (char c : cell) {
    out += c;
    if (c == '"') out += '"';
  }
  out += '"';
}

}  // namespace

void TCsvTable::Parse(std::string_view text) {
  rows_.clear();
  TCsvReader reader(text);
  while (!reader.AtEnd()) {
    rows_.emplace_back(reader.Row());
    reader.EndRow();
  }
}

std::size_t TCsvTable::Width() const {
  std::size_t width = 0;
  for (const auto& row : rows_)
    if (row) width = std::max(width, row->size());
  return width;
}

std::string TCsvTable::RowText(const TCsvCells& cells, std::size_t width) {
  std::string out;
  for (std::size_t c = 0; c < width; ++c) {
    if (c > 0) out += ',';
    if (c < cells.size()) AppendCell(out, cells[c]);
  }
  return out;
}

TCsvCells TCsvTable::ParseRow(std::string_view line) {
  TCsvReader reader(line);
  return reader.Row();
}

std::string TCsvTable::ToCsv() const {
  const std::size_t width = Width();
  std::string out;
  for (const auto& row : rows_) {
    if (row) out += RowText(*row, width);
    out += kCrLf;
  }
  return out;
}

const std::string& TCsvTable::Cell(std::size_t column, std::size_t row) const {
  if (row >= rows_.size() || !rows_[row] || column >= rows_[row]->size()) return kNoText;
  return (*rows_[row])[column];
}

const TCsvCells& TCsvTable::Row(std::size_t row) const {
  return row < rows_.size() && rows_[row] ? *rows_[row] : kNoCells;
}

void TCsvTable::SetCell(std::size_t column, std::size_t row, std::string text) {
  if (row >= rows_.size()) rows_.resize(row + 1);
  if (!rows_[row]) rows_[row].emplace();
  TCsvCells& cells = *rows_[row];
  if (column >= cells.size()) cells.resize(column + 1);
  cells[column] = std::move(text);
}

void TCsvTable::SetRow(std::size_t row, TCsvCells cells) {
  if (row >= rows_.size()) rows_.resize(row + 1);
  rows_[row] = std::move(cells);
}

}  // namespace yura
