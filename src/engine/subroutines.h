// Labels as subroutines and functions, jumps, the end of the program,
// included files and texts run as programs.
#pragma once

#include <string>

namespace yura {

class TEngine;
class TDispatcher;

// The path of a file to read: the name itself when absolute, else the first
// that exists in the current folder, the script's folder, the runtime's
// folder and the folder of the running text.
std::string FindFile(TEngine& engine, const std::string& name);

void RegisterSubroutineHandlers(TDispatcher& dispatcher);

}  // namespace yura
