// Where the script comes from: the command line, a default script beside the
// runtime, or (with the container family) a script packed into an executable.
// Pure logic on the interpreter state, so that the parameter walk is tested
// without a window.
#pragma once

#include <string>
#include <vector>

#include "core/yurabase.h"

namespace yura {

struct TStartupOutcome {
  // The start could not go on (unreadable start-up file, bad -runtime file, a
  // script text that cannot be converted); the process ends with status 1.
  bool Failed = false;
  // The main window is to be closed before the run (-runtime failure).
  bool CloseWindow = false;
  std::string StartupName;
};

class TStartup {
 public:
  explicit TStartup(TYuraBase& state) : state_(state) {}

  // The window-creation part of the start: locates and loads the script and
  // fills the start-up fields of the state. `parameters[0]` is the runtime.
  TStartupOutcome Locate(const std::vector<std::string>& parameters);

 private:
  void LocateScript(const std::vector<std::string>& parameters);
  bool LoadPackedScript(const std::string& executable);
  void ParseCommandLine(const std::vector<std::string>& parameters);
  void FindDefaultScript();
  void LoadScriptFile();
  void ComputeScriptPaths();

  TYuraBase& state_;
  TStartupOutcome outcome_;
};

}  // namespace yura
