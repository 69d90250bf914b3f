#include "engine/heldcells.h"

#include <optional>
#include <vector>

#include "engine/placecache.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

const std::string kNoCell;

// A cell the table writer writes as it is and the reader reads back as it
// is: no quote, comma or line end, no "ID", nothing trimmed, and whole
// characters only (a lone lead byte would take the line end with it).
bool IsPlainCell(std::string_view cell) {
  if (cell.find_first_of("\",\r\n") != std::string_view::npos || cell.find("ID") != std::string_view::npos) return false;
  if (!cell.empty() && (static_cast<unsigned char>(cell.front()) <= ' ' || static_cast<unsigned char>(cell.back()) <= ' '))
    return false;
  for (std::size_t i = 0; i < cell.size();) {
    if (IsLeadByte(cell[i]) && i + 1 >= cell.size()) return false;
    i += CharLengthAt(cell, i);
  }
  return true;
}

// The cells of a text that is a one-column table written by the table
// writer: plain cells, each followed by CR LF.
std::optional<THashNode::THeldCells> PlainCells(std::string_view text) {
  THashNode::THeldCells cells;
  while (!text.empty()) {
    const std::size_t end = text.find(kCrLf);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view cell = text.substr(0, end);
    if (!IsPlainCell(cell)) return std::nullopt;
    cells.emplace_back(cell);
    text.remove_prefix(end + kCrLf.size());
  }
  return cells;
}

}  // namespace

bool WriteHeldElement(THashNode& variable, long long row, const std::string& cell) {
  if (!CachesEnabledByEnvironment() || row < 0 || !IsPlainCell(cell)) return false;
  if (!variable.HeldCells()) {
    auto cells = PlainCells(variable.ValueView());
    if (!cells) return false;
    variable.HoldCells(std::move(*cells));
  }
  THashNode::THeldCells& cells = variable.MutableHeldCells();
  const auto index = static_cast<std::size_t>(row);
  if (index < cells.size()) {
    cells[index] = cell;
  } else {
    // Rows between the last and the new one are empty, as the writer pads them.
    cells.resize(index);
    cells.push_back(cell);
  }
  return true;
}

const std::string& HeldElement(const THashNode::THeldCells& cells, long long row, long long column) {
  if (row < 0 || static_cast<std::size_t>(row) >= cells.size() || column < -1 || column > 0) return kNoCell;
  return cells[static_cast<std::size_t>(row)];
}

}  // namespace yura
