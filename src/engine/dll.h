// Commands bound to functions of libraries loaded at run time: the three
// declaration commands and the call of a declared command.
#pragma once

#include <string_view>

namespace yura {

class TEngine;
class TDispatcher;
struct THashNode;

void CallDll(TEngine& engine, THashNode& node, std::string_view writtenName = {});
void RegisterDllHandlers(TDispatcher& dispatcher);

}  // namespace yura
