// The host of the desktop program: message boxes and the error window as Qt
// dialogs, or, in console mode, the standard streams.
#pragma once

#include <QPointer>
#include <QWidget>

#include "core/host.h"

namespace yura {

class TQtHost final : public THost {
 public:
  explicit TQtHost(bool console) : console_(console) {}

  void SetMainWindow(QWidget* window) { mainWindow_ = window; }

  void ShowRuntimeMessage(std::string_view sjisText, std::string_view sjisCaption) override;
  void ShowMessage(std::string_view sjisText, std::string_view sjisCaption) override;
  void WriteTextOutput(std::string_view sjisText) override;
  TErrorWindowChoice ShowErrorWindow(std::string_view sjisLog, bool offerDebug) override;
  void ProcessEvents() override;
  void CloseMainWindow() override;
  bool IsConsoleMode() const override { return console_; }

  // 0 after a normal end; 1 when the run ended on an error or the start failed.
  int ExitStatus() const { return exitStatus_; }
  void MarkFailed() { exitStatus_ = 1; }

 private:
  bool console_;
  QPointer<QWidget> mainWindow_;
  int exitStatus_ = 0;
};

// Console mode: YURAHOSI_CONSOLE=1, or no display at all; YURAHOSI_CONSOLE=0
// forces the window.
bool ConsoleModeRequested();

}  // namespace yura
