// Windows of the desktop and keystrokes sent to them: what アクティブ, キー送信
// and ウインドウ列挙 ask of the program around the engine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace yura {

// One keyboard event. Keys are named by the virtual-key codes the language
// uses (13 Enter, 16 Shift, 17 Ctrl, 18 Alt, 37 Left, 65 A, 112 F1, ...).
struct TKeyStroke {
  enum class TKind { Press, Release, Character };
  TKind Kind = TKind::Press;
  std::uint32_t VirtualKey = 0;
  std::string Text;  // Character: the character itself (Shift_JIS)
};

class TDesktopService {
 public:
  virtual ~TDesktopService() = default;
  // Titles of the visible top-level windows that have one, in the
  // platform's order.
  virtual std::vector<std::string> WindowTitles() = 0;
  // Brings the window with that title (else the first whose title begins
  // with it) to the front; true when it became the active window.
  virtual bool ActivateWindow(std::string_view sjisTitle) = 0;
  // Sends the keystrokes to the part that has the keyboard focus in the
  // active window.
  virtual void SendKeys(const std::vector<TKeyStroke>& strokes) = 0;
};

}  // namespace yura
