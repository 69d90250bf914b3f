// Arguments the array and table commands share.
#pragma once

#include <string>

#include "commands/tables/csv.h"

namespace yura {

class TEngine;
struct THashNode;

// 表フィールド名 is "1": row 0 of a table holds field names.
bool FieldNamesOn(TEngine& engine);

// A table argument, parsed, with the header flag from 表フィールド名.
TCsvTable PopTable(TEngine& engine);

// The column of the commands whose column is an integer with default -1:
// -1 (also any value that is not an integer) raises the argument error.
long long PopRequiredColumn(TEngine& engine, const THashNode& entry);

}  // namespace yura
