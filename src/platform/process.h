// Starting other programs with an argument vector we build: no shell ever
// sees the texts. Failures are reported by return values.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yura {

// Starts the program (found through PATH when it names no folder) in the
// folder, in a session of its own, without waiting; it is reaped after it
// ends, at a later start.
bool StartDetached(const std::vector<std::string>& sjisArguments, std::string_view sjisFolder);

// A started program that is waited for.
class TChildProcess {
 public:
  TChildProcess() = default;
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;
  ~TChildProcess();

  bool Start(const std::vector<std::string>& sjisArguments, std::string_view sjisFolder);
  // True while the program runs; false once it ended (or never started).
  bool Running();

 private:
  int pid_ = -1;
};

// True when the path names an executable regular file, or the name (without
// a folder) is found as one through PATH.
bool IsExecutableProgram(std::string_view sjisPath);

// Splits parameters as a command line: blanks separate, double quotes group
// (and are removed), two double quotes inside quotes stand for one.
std::vector<std::string> SplitParameters(std::string_view sjisParameters);

}  // namespace yura
