#include "host/qthost.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdlib>

#include "engine/events.h"
#include "host/errorwindow.h"
#include "host/mainwindow.h"
#include "host/messages.h"
#include "platform/console.h"
#include "platform/qtext.h"

namespace yura {

bool ConsoleModeRequested() {
  const char* forced = std::getenv("YURAHOSI_CONSOLE");
  if (forced != nullptr && std::string_view(forced) == "1") return true;
  if (forced != nullptr && std::string_view(forced) == "0") return false;
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return !set("DISPLAY") && !set("WAYLAND_DISPLAY");
}

void TQtHost::SetMainWindow(TfrmYura* window) {
  mainWindow_ = window;
  frmYura_ = window;
  qtDialogs_.SetOwner(window);
  mainWindowControl_ = window != nullptr ? gui_.AttachMainWindow(window) : nullptr;
}

TDialogService& TQtHost::Dialogs() {
  if (console_) return consoleDialogs_;
  return qtDialogs_;
}

void TQtHost::SetClipboardText(std::string_view sjisText) {
  if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(ToQString(sjisText));
}

std::string TQtHost::ClipboardText() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard != nullptr ? FromQString(clipboard->text()) : std::string();
}

std::int32_t TQtHost::DrawTextLines(const std::vector<std::string>& lines, std::int32_t x, std::int32_t y, bool centre,
                                    const TTextStyle& style) {
  if (!mainWindow_ || frmYura_ == nullptr) return y;
  return frmYura_->DrawTextLines(lines, x, y, centre, style);
}

void TQtHost::ShowRuntimeMessage(std::string_view sjisText, std::string_view sjisCaption) {
  if (console_) {
    WriteConsoleText(TConsoleStream::Error, sjisText, true);
    return;
  }
  const QString caption = ToQString(sjisCaption.empty() ? kMainWindowTitle : sjisCaption);
  if (sjisCaption.empty())
    QMessageBox::information(mainWindow_, caption, ToQString(sjisText));
  else
    QMessageBox::warning(mainWindow_, caption, ToQString(sjisText));
}

void TQtHost::ShowMessage(std::string_view sjisText, std::string_view sjisCaption) {
  if (console_) {
    WriteConsoleText(TConsoleStream::Output, sjisText, true);
    return;
  }
  QMessageBox::information(mainWindow_, ToQString(sjisCaption.empty() ? kMainWindowTitle : sjisCaption),
                           ToQString(sjisText));
}

void TQtHost::WriteTextOutput(std::string_view sjisText) {
  if (console_) WriteConsoleText(TConsoleStream::Output, sjisText, true);
}

TErrorWindowChoice TQtHost::ShowErrorWindow(std::string_view sjisLog, bool offerDebug) {
  if (console_) {
    // The log ends in a line end already; the run ends here.
    const bool endsInLineEnd = !sjisLog.empty() && (sjisLog.back() == '\n' || sjisLog.back() == '\r');
    WriteConsoleText(TConsoleStream::Error, sjisLog, !endsInLineEnd);
    MarkFailed();
    return TErrorWindowChoice::Stop;
  }
  const bool onTop = mainWindow_ && (mainWindow_->windowFlags() & Qt::WindowStaysOnTopHint);
  if (onTop) {
    mainWindow_->setWindowFlag(Qt::WindowStaysOnTopHint, false);
    mainWindow_->show();
  }
  TfrmError window(mainWindow_, ToQString(sjisLog), offerDebug);
  const TErrorWindowChoice choice = window.Choose();
  if (onTop && mainWindow_) {
    mainWindow_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    mainWindow_->show();
  }
  if (choice == TErrorWindowChoice::Stop) MarkFailed();
  return choice;
}

void TQtHost::ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TQtHost::CloseMainWindow() {
  if (mainWindow_) mainWindow_->close();
}

void TQtHost::StartScriptTimer(std::int32_t milliseconds) {
  if (!scriptTimer_) {
    scriptTimer_ = std::make_unique<QTimer>();
    scriptTimer_->setSingleShot(true);
    QObject::connect(scriptTimer_.get(), &QTimer::timeout, scriptTimer_.get(), [this] {
      if (frmYura_ != nullptr) frmYura_->ScriptTimerTick();
    });
  }
  scriptTimer_->start(milliseconds);
}

void TQtHost::StopScriptTimer() {
  if (scriptTimer_) scriptTimer_->stop();
}

bool TQtHost::EventSourceArmed() const { return scriptTimer_ && scriptTimer_->isActive(); }

void TQtHost::ScheduleDeferredFree() {
  if (!freeTimer_) {
    freeTimer_ = std::make_unique<QTimer>();
    freeTimer_->setSingleShot(true);
    freeTimer_->setInterval(1);
    QObject::connect(freeTimer_.get(), &QTimer::timeout, freeTimer_.get(), [this] {
      if (frmYura_ != nullptr) frmYura_->Engine().Events().FreeDestroyedObjects();
    });
  }
  freeTimer_->start();
}

}  // namespace yura
