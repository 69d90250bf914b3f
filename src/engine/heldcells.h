// One-column tables written element by element (A#I は、…) are held as their
// cells, so that each write and each element read takes constant time; the
// text is written when something reads the whole value. A value is held only
// while its text is exactly what the table writer makes of those cells, so
// holding it changes nothing a script can see.
#pragma once

#include <string>
#include <string_view>

#include "core/hash.h"

namespace yura {

// Sets row `row` of the variable's value to `cell` when the value is (or
// can be held as) a one-column table and the cell needs no quoting; false
// when the table writer must do it.
bool WriteHeldElement(THashNode& variable, long long row, const std::string& cell);

// Element (row, column) of held cells, as the table reader gives it
// (negative: none; a column of -1: the whole row).
const std::string& HeldElement(const THashNode::THeldCells& cells, long long row, long long column);

}  // namespace yura
