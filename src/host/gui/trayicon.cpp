#include "host/gui/trayicon.h"

#include <QApplication>
#include <QMessageBox>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QWidget>

#include "host/gui/eventhook.h"
#include "host/gui/guimessages.h"
#include "platform/qtext.h"
#include "source/sjis.h"

namespace yura {

TTrayIcon::TTrayIcon(std::shared_ptr<TEventHook> hook) : hook_(std::move(hook)) {}

TTrayIcon::~TTrayIcon() = default;

void TTrayIcon::SetShown(bool on, QWidget* mainWindow) {
  shown_ = on;
  mainWindow_ = mainWindow;
  if (!on) {
    if (icon_) icon_->hide();
    return;
  }
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
  if (!icon_) {
    icon_ = std::make_unique<QSystemTrayIcon>();
    // A left click is the main window's click; a right click offers to end.
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) {
                       if (reason == QSystemTrayIcon::Trigger) hook_->Fire(0, esClick);
                       if (reason == QSystemTrayIcon::Context && mainWindow_ &&
                           QMessageBox::question(mainWindow_, mainWindow_->windowTitle(), ToQString(kQuitQuestion)) ==
                               QMessageBox::Yes)
                         mainWindow_->close();
                       if (mainWindow_) {
                         mainWindow_->raise();
                         mainWindow_->activateWindow();
                       }
                     });
  }
  QIcon appIcon = QApplication::windowIcon();
  if (appIcon.isNull()) appIcon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
  icon_->setIcon(appIcon);
  const std::string title = mainWindow != nullptr ? FromQString(mainWindow->windowTitle()) : std::string();
  icon_->setToolTip(ToQString(CutToBytes(title, 63)));
  icon_->show();
}

}  // namespace yura
