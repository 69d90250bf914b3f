#include "host/actioninjector.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "commands/gui/objectregistry.h"
#include "host/gui/control.h"
#include "host/gui/menucontrol.h"
#include "host/mainwindow.h"
#include "host/virtualkeys.h"
#include "platform/qtext.h"

namespace yura {
namespace {

// The innermost widget under the middle of the part.
QWidget* TargetAt(QWidget* widget, QPoint& place) {
  place = widget->rect().center();
  QWidget* child = widget->childAt(place);
  if (child == nullptr) return widget;
  place = child->mapFrom(widget, place);
  return child;
}

void SendMouse(QWidget* target, QEvent::Type type, const QPoint& place) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
  QMouseEvent event(type, QPointF(place), QPointF(target->mapToGlobal(place)), Qt::LeftButton, held, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

void SendKey(QWidget* target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &release);
}

}  // namespace

TActionInjector::TActionInjector(TfrmYura& window, const std::string& path) : QObject(&window), window_(window) {
  QFile file(QString::fromLocal8Bit(path.c_str()));
  if (!file.open(QIODevice::ReadOnly)) return;
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
    if (!line.trimmed().isEmpty()) actions_.push_back(line.trimmed());
}

void TActionInjector::Start(std::function<void()> finished) {
  finished_ = std::move(finished);
  playing_ = true;
  QTimer::singleShot(0, this, &TActionInjector::RunNext);
}

void TActionInjector::RunNext() {
  if (next_ >= actions_.size() || window_.State().StopRequested) {
    playing_ = false;
    if (finished_) finished_();
    return;
  }
  const QString line = actions_[next_++];
  const QString action = line.section(' ', 0, 0);
  const QString name = line.section(' ', 1, 1);
  const QString rest = line.section(' ', 2);
  int delay = 0;
  if (action == QLatin1String("wait"))
    delay = name.toInt();
  else
    Run(action, name, rest);
  QTimer::singleShot(delay, this, &TActionInjector::RunNext);
}

const TObjNode* TActionInjector::Part(const QString& name) const {
  const TYuraBase& state = window_.State();
  return ObjectOfWord(state, state.Words.FindNode(FromQString(name), false));
}

QWidget* TActionInjector::PartWidget(const QString& name) const {
  const TObjNode* node = Part(name);
  if (node == nullptr) return nullptr;
  if (node->Index == 0) return &window_;
  const auto* control = dynamic_cast<const TQtControl*>(node->Control.get());
  return control != nullptr ? control->Widget() : nullptr;
}

void TActionInjector::Run(const QString& action, const QString& name, const QString& rest) {
  if (action == QLatin1String("close")) {
    window_.close();
    return;
  }
  if (action == QLatin1String("click")) {
    const TObjNode* node = Part(name);
    if (const auto* menu = node != nullptr ? dynamic_cast<const TMenuControl*>(node->Control.get()) : nullptr) {
      if (menu->Action() != nullptr) menu->Action()->trigger();
      return;
    }
  }
  QPointer<QWidget> widget = PartWidget(name);
  if (!widget) return;
  QPoint place;
  QPointer<QWidget> target = TargetAt(widget, place);
  if (action == QLatin1String("click") || action == QLatin1String("press")) {
    SendMouse(target, QEvent::MouseButtonPress, place);
    if (action == QLatin1String("click") && target) SendMouse(target, QEvent::MouseButtonRelease, place);
  } else if (action == QLatin1String("type")) {
    widget->setFocus();
    for (const QChar ch : rest) {
      if (!target) return;
      SendKey(target, ch.isLetterOrNumber() ? ch.toUpper().unicode() : 0, QString(ch));
    }
  } else if (action == QLatin1String("key")) {
    widget->setFocus();
    SendKey(target, QtKeyOf(rest.toUInt()), QString());
  } else if (action == QLatin1String("drop")) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : rest.split('|')) urls.push_back(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    QDragEnterEvent enter(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!target) return;
    QDropEvent drop(QPointF(place), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
  }
}

}  // namespace yura
