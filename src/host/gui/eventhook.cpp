#include "host/gui/eventhook.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include "host/gui/children.h"
#include "platform/qtext.h"

namespace yura {

void TEventHook::Fire(std::int32_t index, std::int32_t slot) const noexcept {
  if (!sink_) return;
  try {
    sink_(index, slot);
  } catch (...) {
  }
}

TInputWatcher::TInputWatcher(QWidget* watched, std::shared_ptr<TEventSource> source, unsigned mask, bool clickOnPress)
    : QObject(watched), watched_(watched), source_(std::move(source)), mask_(mask), clickOnPress_(clickOnPress) {
  if (Wants(esMouseMove)) watched->setMouseTracking(true);
  watched->installEventFilter(this);
}

void TInputWatcher::Detach() {
  if (watched_) watched_->removeEventFilter(this);
  watched_ = nullptr;
}

void TInputWatcher::SetDropTarget(bool on) {
  dropTarget_ = on;
  if (watched_) watched_->setAcceptDrops(on);
}

namespace {

// A mouse event an ignoring child passed up inside the same part arrives
// again as a copy with the same time and place: it counts once.
bool SeenBefore(const TEventSource& source, const QMouseEvent& mouse) {
  struct TLast {
    std::int32_t Index = -1;
    QEvent::Type Type = QEvent::None;
    quint64 Time = 0;
    QPointF Place;
  };
  static TLast last;
  const TLast now{source.Index(), mouse.type(), mouse.timestamp(), mouse.globalPosition()};
  const bool seen =
      now.Index == last.Index && now.Type == last.Type && now.Time == last.Time && now.Place == last.Place;
  last = now;
  return seen;
}

// Keys belong to the part that has the focus: one that a container passes on
// unhandled is not the container's.
bool FocusIsHere(const QWidget* watched, std::int32_t index) {
  for (const QWidget* w = QApplication::focusWidget(); w != nullptr && w != watched; w = w->parentWidget())
    if (const std::int32_t tag = TagOf(w); tag != 0 && tag != index) return false;
  return true;
}

}  // namespace

bool TInputWatcher::eventFilter(QObject* watched, QEvent* event) {
  if (watched != watched_ || releasing_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      if (SeenBefore(*source_, *static_cast<QMouseEvent*>(event))) return false;
      break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (!FocusIsHere(watched_, source_->Index())) return false;
      break;
    default:
      break;
  }
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      pressed_ = mouse->button() == Qt::LeftButton;
      if (Wants(esMouseDown)) source_->Fire(esMouseDown);
      if (pressed_ && clickOnPress_ && Wants(esClick)) source_->Fire(esClick);
      break;
    }
    case QEvent::MouseButtonRelease: {
      if (!Wants(esClick) && !Wants(esMouseUp)) break;
      // The widget (and whoever else watches it) handles the release first,
      // so that its own click signal comes before the release, as the
      // platform orders them.
      releasing_ = true;
      QCoreApplication::sendEvent(watched_, event);
      releasing_ = false;
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const bool click = pressed_ && !clickOnPress_ && mouse->button() == Qt::LeftButton && watched_ &&
                         watched_->rect().contains(mouse->position().toPoint());
      pressed_ = false;
      if (click && Wants(esClick)) source_->Fire(esClick);
      if (Wants(esMouseUp)) source_->Fire(esMouseUp);
      // Delivered, also to the containers it went on to: once is enough.
      event->accept();
      return true;
    }
    case QEvent::MouseButtonDblClick:
      if (Wants(esDoubleClick)) source_->Fire(esDoubleClick);
      break;
    case QEvent::MouseMove:
      if (Wants(esMouseMove)) source_->Fire(esMouseMove);
      break;
    case QEvent::KeyPress:
      if (Wants(esKeyDown)) source_->Fire(esKeyDown);
      break;
    case QEvent::KeyRelease:
      if (Wants(esKeyUp)) source_->Fire(esKeyUp);
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (!dropTarget_ || !drag->mimeData()->hasUrls()) break;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!dropTarget_ || !drop->mimeData()->hasUrls()) break;
      std::vector<std::string> files;
      for (const QUrl& url : drop->mimeData()->urls())
        if (url.isLocalFile()) files.push_back(FromQString(url.toLocalFile()));
      drop->acceptProposedAction();
      source_->Hook().DroppedFiles = std::move(files);
      source_->Fire(esFileDrop);
      return true;
    }
    default:
      break;
  }
  return false;
}

}  // namespace yura
