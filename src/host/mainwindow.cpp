#include "host/mainwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "core/errors.h"
#include "host/messages.h"
#include "host/qthost.h"
#include "platform/qtext.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kShowLaterWord = "母艦浮上";

}  // namespace

TfrmYura::TfrmYura(TQtHost& host, const std::vector<std::string>& parameters) : host_(host) {
  setObjectName("frmYura");
  resize(kClientWidth, kClientHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move((area.right() + 1 - kClientWidth) / 2, (area.bottom() + 1 - kClientHeight) / 2);
  }
  setWindowTitle(ToQString(kMainWindowTitle));
  QGuiApplication::setApplicationDisplayName(ToQString(kMainWindowTitle));
  host_.SetMainWindow(this);

  state_ = std::make_unique<TYuraBase>(host_);
  interpreter_ = std::make_unique<TInterpreter>(*state_);
  startup_ = TStartup(*state_).Locate(parameters);
  if (startup_.Failed) host_.MarkFailed();
}

TfrmYura::~TfrmYura() {
  interpreter_.reset();
  state_.reset();
}

void TfrmYura::EventDoTimer() {
  if (!firstRun_) return;
  firstRun_ = false;
  host_.ProcessEvents();
  if (state_->SourceFileName.empty() || startup_.CloseWindow) {
    close();
    return;
  }
  try {
    StartScript();
    state_->Cursor = TCursor(state_->SourceText, 0);
  } catch (const EYura&) {
    host_.ShowErrorWindow(state_->ErrorLog, state_->DebugMode);
    host_.MarkFailed();
    close();
    return;
  }
  try {
    interpreter_->RunScript();
  } catch (const std::exception& error) {
    if (Trim(state_->ErrorLog).empty())
      host_.ShowRuntimeMessage(state_->FormatError(kMsgSystemError) + error.what(), {});
    host_.MarkFailed();
    close();
    return;
  }
  // In console mode nothing can happen once the run is idle and no event
  // source is armed: the close request runs and the process ends.
  if (host_.IsConsoleMode()) close();
}

void TfrmYura::StartScript() {
  interpreter_->PrepareRun();
  if (state_->SourceText->find(kShowLaterWord) == std::string::npos) {
    show();
    host_.ProcessEvents();
  }
}

void TfrmYura::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  try {
    if (state_) canClose = interpreter_->CloseQuery();
  } catch (const std::exception&) {
    canClose = true;
  }
  if (!canClose) {
    event->ignore();
    return;
  }
  event->accept();
  QCoreApplication::quit();
}

}  // namespace yura
