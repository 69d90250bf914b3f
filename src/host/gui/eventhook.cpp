#include "host/gui/eventhook.h"

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QUrl>
#include <QWidget>

#include "host/gui/children.h"
#include "host/virtualkeys.h"
#include "platform/qtext.h"

namespace yura {

bool TEventHook::Fire(std::int32_t index, std::int32_t slot, const TEventVariables& variables) const noexcept {
  if (!sink_) return false;
  try {
    return sink_(index, slot, variables);
  } catch (...) {
    return false;
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

// 押された特殊キー: the shift state as lines, in this order.
std::string ShiftLines(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, bool doubleClick) {
  std::string lines;
  auto add = [&lines](bool present, const char* name) {
    if (!present) return;
    if (!lines.empty()) lines += "\r\n";
    lines += name;
  };
  add(modifiers.testFlag(Qt::ShiftModifier), "Shift");
  add(modifiers.testFlag(Qt::AltModifier), "Alt");
  add(modifiers.testFlag(Qt::ControlModifier), "Ctrl");
  add(buttons.testFlag(Qt::LeftButton), "Left");
  add(buttons.testFlag(Qt::RightButton), "Right");
  add(buttons.testFlag(Qt::MiddleButton), "Middle");
  add(doubleClick, "Double");
  return lines;
}

// マウスX, マウスY in the part's client area, and the shift state with the
// button of the event itself.
TEventVariables MouseVariables(const QMouseEvent& mouse) {
  TEventVariables variables;
  const QPoint place = mouse.position().toPoint();
  variables.MouseX = place.x();
  variables.MouseY = place.y();
  variables.SpecialKeys =
      ShiftLines(mouse.modifiers(), mouse.buttons() | mouse.button(), mouse.type() == QEvent::MouseButtonDblClick);
  return variables;
}

TEventVariables KeyVariables(const QKeyEvent& key) {
  TEventVariables variables;
  variables.Key = static_cast<std::int32_t>(VirtualKeyOf(key.key(), key.modifiers().testFlag(Qt::KeypadModifier)));
  variables.SpecialKeys = ShiftLines(key.modifiers(), Qt::NoButton, false);
  return variables;
}

// Files dropped on a part without drop code: an edit takes the list as its
// text, a list and a memo take the names as new items or lines.
void DropByDefault(QWidget* widget, const QStringList& names) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      edit->setText(names.join(QStringLiteral("\r\n")));
      return;
    }
    if (auto* list = qobject_cast<QListWidget*>(w)) {
      list->addItems(names);
      return;
    }
    if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
      for (const QString& name : names) memo->appendPlainText(name);
      return;
    }
    if (qobject_cast<QTextEdit*>(w) != nullptr || w->isWindow()) return;
  }
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
      if (Wants(esMouseDown)) source_->Fire(esMouseDown, MouseVariables(*mouse));
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
      if (Wants(esMouseUp)) source_->Fire(esMouseUp, MouseVariables(*mouse));
      // Delivered, also to the containers it went on to: once is enough.
      event->accept();
      return true;
    }
    case QEvent::MouseButtonDblClick:
      if (Wants(esDoubleClick)) source_->Fire(esDoubleClick);
      break;
    case QEvent::MouseMove:
      if (Wants(esMouseMove)) source_->Fire(esMouseMove, MouseVariables(*static_cast<QMouseEvent*>(event)));
      break;
    case QEvent::KeyPress:
      if (Wants(esKeyDown)) source_->Fire(esKeyDown, KeyVariables(*static_cast<QKeyEvent*>(event)));
      break;
    case QEvent::KeyRelease:
      if (Wants(esKeyUp)) source_->Fire(esKeyUp, KeyVariables(*static_cast<QKeyEvent*>(event)));
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
      QStringList names;
      for (const QUrl& url : drop->mimeData()->urls())
        if (url.isLocalFile()) names.push_back(url.toLocalFile().trimmed());
      drop->acceptProposedAction();
      TEventVariables variables;
      variables.Value = FromQString(names.join(QStringLiteral("\r\n")));
      QPointer<QWidget> target = watched_;
      if (!source_->Fire(esFileDrop, variables) && target) DropByDefault(target, names);
      return true;
    }
    default:
      break;
  }
  return false;
}

}  // namespace yura
