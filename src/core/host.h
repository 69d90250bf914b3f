// What the engine asks of the program around it. The desktop program gives a
// Qt host; tests give a fake one. In console mode the same host writes to the
// standard streams instead of opening windows.
#pragma once

#include <string_view>

namespace yura {

enum class TErrorWindowChoice { Debug, Continue, Stop };

class THost {
 public:
  virtual ~THost() = default;

  // A message of the runtime itself (start-up failures, system errors); an
  // empty caption means the program's title.
  virtual void ShowRuntimeMessage(std::string_view sjisText, std::string_view sjisCaption) = 0;
  // The script's message box.
  virtual void ShowMessage(std::string_view sjisText, std::string_view sjisCaption) = 0;
  // Lines written by the text output of 表示 in console mode.
  virtual void WriteTextOutput(std::string_view sjisText) = 0;
  // Shows the error log; the answer decides how the run goes on.
  virtual TErrorWindowChoice ShowErrorWindow(std::string_view sjisLog, bool offerDebug) = 0;
  // Lets pending window events be processed.
  virtual void ProcessEvents() = 0;
  // Asks the main window to close (its close query may refuse).
  virtual void CloseMainWindow() = 0;
  virtual bool IsConsoleMode() const = 0;
};

}  // namespace yura
