#include "commands/tables/tableargs.h"

#include "commands/registry/arguments.h"
#include "engine/engine.h"

namespace yura {

bool FieldNamesOn(TEngine& engine) {
  const TNodeRef& node = engine.State().TableFieldNameNode;
  return node && node->Value() == "1";
}

TCsvTable PopTable(TEngine& engine) {
  TCsvTable table(engine.PopValue());
  table.Header = FieldNamesOn(engine);
  return table;
}

long long PopRequiredColumn(TEngine& engine, const THashNode& entry) {
  const long long column = PopIntegerArgument(engine, -1);
  if (column == -1) RaiseArgumentError(engine, entry);
  return column;
}

}  // namespace yura
