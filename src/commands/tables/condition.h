// The condition language of 表条件抽出: comparisons of named fields joined by
// AND / OR (かつ / または) and grouped by parentheses, combined from right to
// left with equal precedence.
#pragma once

#include <string_view>
#include <vector>

#include "commands/tables/csv.h"

namespace yura {

// One flag per row of the table: row 0 (the field names) is always selected.
// A fault of the condition throws EPlainError "CSVデータベースの解析エラー。…".
std::vector<bool> SelectRows(const TCsvTable& table, std::string_view condition);

}  // namespace yura
