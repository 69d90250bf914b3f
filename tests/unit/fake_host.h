// A host that records what the engine asks of it.
#pragma once

#include <string>
#include <vector>

#include "core/host.h"

namespace yura {

class TFakeHost final : public THost {
 public:
  void ShowRuntimeMessage(std::string_view text, std::string_view caption) override {
    RuntimeMessages.emplace_back(text);
  }
  void ShowMessage(std::string_view text, std::string_view) override { Messages.emplace_back(text); }
  void WriteTextOutput(std::string_view text) override { Output.emplace_back(text); }
  TErrorWindowChoice ShowErrorWindow(std::string_view log, bool) override {
    ErrorWindows.emplace_back(log);
    return TErrorWindowChoice::Stop;
  }
  void ProcessEvents() override {}
  void CloseMainWindow() override { ++CloseRequests; }
  bool IsConsoleMode() const override { return true; }

  std::vector<std::string> RuntimeMessages, Messages, Output, ErrorWindows;
  int CloseRequests = 0;
};

}  // namespace yura
