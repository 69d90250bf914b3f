// What the engine asks of the program around it. The desktop program gives a
// Qt host; tests give a fake one. In console mode the same host writes to the
// standard streams instead of opening windows.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace yura {

class TObjectControl;
class TDialogService;
class TDesktopService;
class TGuiService;

enum class TErrorWindowChoice { Debug, Continue, Stop };

// The text settings of 表示: 文字書体, 文字サイズ and 文字色 as the script set them.
struct TTextStyle {
  std::string Face;
  std::string Size;
  std::string Color;
};

class THost {
 public:
  virtual ~THost() = default;

  // A message of the runtime itself (start-up failures, system errors); an
  // empty caption means the program's title.
  virtual void ShowRuntimeMessage(std::string_view sjisText, std::string_view sjisCaption) = 0;
  // The script's message box; an empty caption means the program's title.
  virtual void ShowMessage(std::string_view sjisText, std::string_view sjisCaption) = 0;
  // Lines written by the text output of 表示 in console mode.
  virtual void WriteTextOutput(std::string_view sjisText) = 0;
  // Draws lines on the main window's image from (x, y), each centred in the
  // client area when asked; returns the y below the last line.
  virtual std::int32_t DrawTextLines(const std::vector<std::string>& lines, std::int32_t x, std::int32_t y,
                                     bool centre, const TTextStyle& style) = 0;
  // Shows the error log; the answer decides how the run goes on.
  virtual TErrorWindowChoice ShowErrorWindow(std::string_view sjisLog, bool offerDebug) = 0;
  // Lets pending window events be processed.
  virtual void ProcessEvents() = 0;
  // Asks the main window to close (its close query may refuse).
  virtual void CloseMainWindow() = 0;
  virtual bool IsConsoleMode() const = 0;
  // The questions a script asks (dialog windows, or console lines).
  virtual TDialogService& Dialogs() = 0;
  virtual void SetClipboardText(std::string_view sjisText) = 0;
  virtual std::string ClipboardText() = 0;
  // Windows and keystrokes.
  virtual TDesktopService& Desktop() = 0;
  // The main window as the GUI registry's entry 0.
  virtual std::shared_ptr<TObjectControl> MainWindowControl() = 0;
  // The GUI parts.
  virtual TGuiService& Gui() = 0;
  // The one-shot script timer of タイマー設定; its tick runs the timer label.
  virtual void StartScriptTimer(std::int32_t milliseconds) = 0;
  virtual void StopScriptTimer() = 0;
  // Frees the destroyed parts soon, from the event loop (after 待機).
  virtual void ScheduleDeferredFree() = 0;
};

}  // namespace yura
