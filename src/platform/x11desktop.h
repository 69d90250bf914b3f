// Other programs' windows under X11: listing the top-level windows (through
// the window manager's client list when there is one), activating one, and
// typing into the active window with the XTEST extension.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace yura {

class TX11Desktop {
 public:
  struct TWindow {
    unsigned long Id = 0;
    std::string Title;  // Shift_JIS
  };

  // Nothing when no X display can be opened.
  static std::unique_ptr<TX11Desktop> Open();
  ~TX11Desktop();
  TX11Desktop(const TX11Desktop&) = delete;
  TX11Desktop& operator=(const TX11Desktop&) = delete;

  // Visible top-level windows with a title, in stacking order.
  std::vector<TWindow> Windows();
  void Activate(unsigned long window);
  bool IsActive(unsigned long window);
  // Presses or releases the key of a virtual-key code; typing a character
  // presses the key that makes it (with Shift when needed).
  void Key(std::uint32_t virtualKey, bool press);
  void TypeCharacter(char32_t character);
  void Flush();

 private:
  explicit TX11Desktop(void* display) : display_(display) {}
  void* display_;
};

}  // namespace yura
