// The host of the desktop program: message boxes and the error window as Qt
// dialogs, or, in console mode, the standard streams.
#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "core/host.h"
#include "host/gui/qtgui.h"
#include "host/qtdesktop.h"
#include "host/qtdialogs.h"
#include "platform/consoledialogs.h"

namespace yura {

class TfrmYura;

class TQtHost final : public THost {
 public:
  explicit TQtHost(bool console) : console_(console) {}

  void SetMainWindow(TfrmYura* window);

  void ShowRuntimeMessage(std::string_view sjisText, std::string_view sjisCaption) override;
  void ShowMessage(std::string_view sjisText, std::string_view sjisCaption) override;
  void WriteTextOutput(std::string_view sjisText) override;
  std::int32_t DrawTextLines(const std::vector<std::string>& lines, std::int32_t x, std::int32_t y, bool centre,
                             const TTextStyle& style) override;
  std::shared_ptr<TObjectControl> MainWindowControl() override { return mainWindowControl_; }
  TGuiService& Gui() override { return gui_; }
  void StartScriptTimer(std::int32_t milliseconds) override;
  void StopScriptTimer() override;
  void ScheduleDeferredFree() override;
  // True while an event source could still run script code: the script timer.
  bool EventSourceArmed() const;
  TQtGui& QtGui() { return gui_; }
  TDialogService& Dialogs() override;
  TDesktopService& Desktop() override { return desktop_; }
  void SetClipboardText(std::string_view sjisText) override;
  std::string ClipboardText() override;
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
  TfrmYura* frmYura_ = nullptr;
  TQtDialogs qtDialogs_;
  TConsoleDialogs consoleDialogs_;
  TQtDesktop desktop_;
  TQtGui gui_;
  std::unique_ptr<QTimer> scriptTimer_;
  std::unique_ptr<QTimer> freeTimer_;
  std::shared_ptr<TObjectControl> mainWindowControl_;
  int exitStatus_ = 0;
};

// Console mode: YURAHOSI_CONSOLE=1, or no display at all; YURAHOSI_CONSOLE=0
// forces the window.
bool ConsoleModeRequested();

}  // namespace yura
