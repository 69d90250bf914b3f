// Windows and keystrokes for the desktop program. The runtime's own windows
// are handled through Qt on every platform, so keys reach the focused part as
// ordinary key events; under X11 other programs' windows are listed,
// activated and typed into as well.
#pragma once

#include <memory>

#include "core/desktop.h"

namespace yura {

class TX11Desktop;

class TQtDesktop final : public TDesktopService {
 public:
  TQtDesktop();
  ~TQtDesktop() override;

  std::vector<std::string> WindowTitles() override;
  bool ActivateWindow(std::string_view sjisTitle) override;
  void SendKeys(const std::vector<TKeyStroke>& strokes) override;

 private:
  TX11Desktop* X11();

  std::unique_ptr<TX11Desktop> x11_;
  bool x11Tried_ = false;
  unsigned long x11Active_ = 0;  // another program's window brought to the front
};

}  // namespace yura
