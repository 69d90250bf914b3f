// The notification-area icon of the main window. Where the desktop has no
// notification area it stays a flag.
#pragma once

#include <QPointer>
#include <memory>

class QSystemTrayIcon;
class QWidget;

namespace yura {

class TEventHook;

class TTrayIcon {
 public:
  explicit TTrayIcon(std::shared_ptr<TEventHook> hook);
  ~TTrayIcon();
  TTrayIcon(const TTrayIcon&) = delete;
  TTrayIcon& operator=(const TTrayIcon&) = delete;

  // The tip is the main window's caption, cut to 63 bytes.
  void SetShown(bool on, QWidget* mainWindow);
  bool Shown() const { return shown_; }

 private:
  std::shared_ptr<TEventHook> hook_;
  std::unique_ptr<QSystemTrayIcon> icon_;
  QPointer<QWidget> mainWindow_;
  bool shown_ = false;
};

}  // namespace yura
