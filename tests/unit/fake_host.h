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
  std::int32_t DrawTextLines(const std::vector<std::string>& lines, std::int32_t, std::int32_t y, bool,
                             const TTextStyle&) override {
    for (const std::string& line : lines) Drawn.push_back(line);
    return y + 20 * static_cast<std::int32_t>(lines.size());
  }
  std::shared_ptr<TObjectControl> MainWindowControl() override { return nullptr; }
  void ProcessEvents() override {}
  void CloseMainWindow() override { ++CloseRequests; }
  bool IsConsoleMode() const override { return true; }

  std::vector<std::string> RuntimeMessages, Messages, Output, ErrorWindows, Drawn;
  int CloseRequests = 0;
};

}  // namespace yura
