#include "host/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <cstdlib>

#include "core/errors.h"
#include "host/actioninjector.h"
#include "host/gui/imagebox.h"
#include "host/messages.h"
#include "host/qthost.h"
#include "host/systempresets.h"
#include "host/textstyle.h"
#include "platform/qtext.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kShowLaterWord = "母艦浮上";

}  // namespace

TfrmYura::TfrmYura(TQtHost& host, const std::vector<std::string>& parameters)
    : TFormWindow(QApplication::palette().color(QPalette::Window)), host_(host) {
  setObjectName("frmYura");
  SetClientSize(QSize(kClientWidth, kClientHeight));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move((area.right() + 1 - kClientWidth) / 2, (area.bottom() + 1 - kClientHeight) / 2);
  }
  setWindowTitle(ToQString(kMainWindowTitle));
  QGuiApplication::setApplicationDisplayName(ToQString(kMainWindowTitle));
  host_.SetMainWindow(this);

  state_ = std::make_unique<TYuraBase>(host_);
  state_->SystemPresets = ComputeSystemPresets();
  engine_ = std::make_unique<TEngine>(*state_);
  // Every event of every part enters the interpreter through the event runner.
  host_.QtGui().SetEventSink([this](std::int32_t index, std::int32_t slot, const TEventVariables& variables) {
    return engine_ && engine_->Events().PostObjectEvent(index, static_cast<std::size_t>(slot), variables);
  });
  host_.QtGui().SetNavigationCheck([this] { return !engine_ || engine_->Events().NavigationAllowed(); });
  startup_ = TStartup(*state_).Locate(parameters);
  if (startup_.Failed) host_.MarkFailed();
}

TfrmYura::~TfrmYura() {
  host_.QtGui().SetEventSink(nullptr);
  host_.QtGui().SetNavigationCheck(nullptr);
  host_.StopScriptTimer();
  engine_.reset();
  state_.reset();
  // The parts' widgets (forms have no parent) go now, not at a next event
  // loop that will not come.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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
    engine_->RunScript();
  } catch (const std::exception& error) {
    if (Trim(state_->ErrorLog).empty())
      host_.ShowRuntimeMessage(state_->FormatError(kMsgSystemError) + error.what(), {});
    host_.MarkFailed();
    close();
    return;
  }
  if (const char* actions = std::getenv("YURAHOSI_INJECT"); actions != nullptr && *actions != '\0') {
    injector_ = new TActionInjector(*this, actions);
    injector_->Start([this] { CloseWhenNothingCanHappen(); });
    return;
  }
  CloseWhenNothingCanHappen();
}

void TfrmYura::ScriptTimerTick() {
  engine_->Events().FireScriptTimer();
  CloseWhenNothingCanHappen();
}

bool TfrmYura::SomethingCanHappen() const {
  return engine_->Events().Running() || host_.EventSourceArmed() || (injector_ && injector_->Playing());
}

void TfrmYura::CloseWhenNothingCanHappen() {
  // In console mode nothing can happen once the run is idle and no event
  // source is armed: the close request runs and the process ends.
  if (host_.IsConsoleMode() && !SomethingCanHappen()) close();
}

void TfrmYura::StartScript() {
  engine_->PrepareRun();
  if (state_->SourceText->find(kShowLaterWord) == std::string::npos) {
    show();
    host_.ProcessEvents();
  }
}

std::int32_t TfrmYura::DrawTextLines(const std::vector<std::string>& lines, std::int32_t x, std::int32_t y, bool centre,
                                     const TTextStyle& style) {
  QPainter painter(&Canvas());
  const QFont font = FontFromStyle(style);
  SetCanvasFont(font);
  painter.setFont(font);
  painter.setPen(ColorFromText(style.Color));
  const QFontMetrics metrics(font);
  // Each line is 1.2 times the height of "あ" below the previous one.
  const int step = static_cast<int>(std::nearbyint(1.2 * metrics.height()));
  for (const std::string& line : lines) {
    const QString text = ToQString(line);
    const int left = centre ? (ClientSize().width() - metrics.horizontalAdvance(text)) / 2 : x;
    painter.drawText(left, y + metrics.ascent(), text);
    y += step;
  }
  painter.end();
  Img()->update();
  return y;
}

void TfrmYura::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  try {
    if (state_) canClose = engine_->CloseQuery();
  } catch (const std::exception&) {
    canClose = true;
  }
  // In console mode, once nothing can happen any more, nothing could change
  // the answer later: the end handler has had its say and the program ends.
  if (!canClose && (!host_.IsConsoleMode() || SomethingCanHappen())) {
    event->ignore();
    return;
  }
  event->accept();
  QCoreApplication::quit();
}

}  // namespace yura
