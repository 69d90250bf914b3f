#include "host/qtdesktop.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <thread>

#include "host/virtualkeys.h"
#include "platform/clock.h"
#include "platform/qtext.h"
#include "platform/x11desktop.h"

namespace yura {
namespace {

constexpr int kActivationTries = 512;
constexpr std::uint32_t kActivationPause = 10;
constexpr std::uint32_t kShift = 16, kControl = 17, kAlt = 18;

std::vector<QWidget*> OwnWindows() {
  std::vector<QWidget*> windows;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible() && !widget->windowTitle().isEmpty()) windows.push_back(widget);
  return windows;
}

// Exact title first, else the first title that begins with the text.
template <typename Item, typename TitleOf>
const Item* FindByTitle(const std::vector<Item>& items, const std::string& title, TitleOf titleOf) {
  for (const Item& item : items)
    if (titleOf(item) == title) return &item;
  for (const Item& item : items)
    if (titleOf(item).starts_with(title)) return &item;
  return nullptr;
}

// Key events for the focused part of the runtime's active window.
class TQtKeySender {
 public:
  void Send(const TKeyStroke& stroke) {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) target = QApplication::activeWindow();
    if (target == nullptr) return;
    if (stroke.Kind == TKeyStroke::TKind::Character) {
      const QString text = ToQString(stroke.Text);
      Post(target, QEvent::KeyPress, 0, text);
      Post(target, QEvent::KeyRelease, 0, text);
      return;
    }
    const bool press = stroke.Kind == TKeyStroke::TKind::Press;
    if (stroke.VirtualKey == kShift) modifiers_.setFlag(Qt::ShiftModifier, press);
    if (stroke.VirtualKey == kControl) modifiers_.setFlag(Qt::ControlModifier, press);
    if (stroke.VirtualKey == kAlt) modifiers_.setFlag(Qt::AltModifier, press);
    QString text = ToQString(stroke.Text);
    if (modifiers_.testFlag(Qt::ShiftModifier)) text = text.toUpper();
    if (modifiers_ & (Qt::ControlModifier | Qt::AltModifier)) text.clear();
    Post(target, press ? QEvent::KeyPress : QEvent::KeyRelease, QtKeyOf(stroke.VirtualKey), text);
  }

 private:
  void Post(QWidget* target, QEvent::Type type, int key, const QString& text) {
    QKeyEvent event(type, key, modifiers_, text);
    QCoreApplication::sendEvent(target, &event);
  }
  Qt::KeyboardModifiers modifiers_;
};

}  // namespace

TQtDesktop::TQtDesktop() = default;
TQtDesktop::~TQtDesktop() = default;

TX11Desktop* TQtDesktop::X11() {
  if (!x11Tried_) {
    x11Tried_ = true;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) x11_ = TX11Desktop::Open();
  }
  return x11_.get();
}

std::vector<std::string> TQtDesktop::WindowTitles() {
  std::vector<std::string> titles;
  if (TX11Desktop* x11 = X11()) {
    for (const TX11Desktop::TWindow& window : x11->Windows()) titles.push_back(window.Title);
    return titles;
  }
  for (QWidget* window : OwnWindows()) titles.push_back(FromQString(window->windowTitle()));
  return titles;
}

bool TQtDesktop::ActivateWindow(std::string_view sjisTitle) {
  const std::string title(sjisTitle);
  x11Active_ = 0;
  const std::vector<QWidget*> own = OwnWindows();
  if (QWidget* const* found = FindByTitle(own, title, [](QWidget* w) { return FromQString(w->windowTitle()); })) {
    QWidget* window = *found;
    window->raise();
    window->activateWindow();
    for (int i = 0; i < kActivationTries && QApplication::activeWindow() != window; ++i) {
      QCoreApplication::processEvents();
      if (QApplication::activeWindow() != window) SleepMilliseconds(kActivationPause);
    }
    return QApplication::activeWindow() == window;
  }
  TX11Desktop* x11 = X11();
  if (x11 == nullptr) return false;
  const std::vector<TX11Desktop::TWindow> windows = x11->Windows();
  const auto* found = FindByTitle(windows, title, [](const TX11Desktop::TWindow& w) { return w.Title; });
  if (found == nullptr) return false;
  x11->Activate(found->Id);
  for (int i = 0; i < kActivationTries && !x11->IsActive(found->Id); ++i) {
    QCoreApplication::processEvents();
    SleepMilliseconds(kActivationPause);
  }
  if (!x11->IsActive(found->Id)) return false;
  x11Active_ = found->Id;
  return true;
}

void TQtDesktop::SendKeys(const std::vector<TKeyStroke>& strokes) {
  TX11Desktop* x11 = X11();
  if (x11 != nullptr && x11Active_ != 0) {
    for (const TKeyStroke& stroke : strokes) {
      if (stroke.Kind == TKeyStroke::TKind::Character || !stroke.Text.empty()) {
        if (stroke.Kind == TKeyStroke::TKind::Release) continue;
        for (char32_t c : ToQString(stroke.Text).toUcs4()) x11->TypeCharacter(c);
      } else {
        x11->Key(stroke.VirtualKey, stroke.Kind == TKeyStroke::TKind::Press);
      }
    }
    x11->Flush();
    return;
  }
  TQtKeySender sender;
  for (const TKeyStroke& stroke : strokes) sender.Send(stroke);
}

}  // namespace yura
