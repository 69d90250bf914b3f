#include "host/gui/children.h"

#include <QVariant>
#include <QWidget>

#include "core/errors.h"
#include "host/gui/control.h"
#include "host/gui/guimessages.h"

namespace yura {
namespace {

constexpr char kTag[] = "yuraTag";
constexpr char kGone[] = "yuraGone";
constexpr char kOuter[] = "yuraOuter";

}  // namespace

void SetTag(QWidget* widget, std::int32_t index) { widget->setProperty(kTag, index); }

std::int32_t TagOf(const QWidget* widget) { return widget->property(kTag).toInt(); }

void MarkGone(QWidget* widget) { widget->setProperty(kGone, true); }

bool IsGone(const QWidget* widget) { return widget->property(kGone).toBool(); }

bool HasGoneAncestor(const QWidget* widget) {
  for (const QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget())
    if (IsGone(up)) return true;
  return false;
}

void SetOuterWidget(QWidget* inner, QWidget* outer) {
  inner->setProperty(kOuter, QVariant::fromValue(static_cast<QObject*>(outer)));
}

int CentringWidth(const QWidget* parent) {
  if (const auto* outer = qobject_cast<const QWidget*>(parent->property(kOuter).value<QObject*>()))
    return outer->width();
  return parent->width();
}

void MoveInto(QWidget* target, const std::vector<TObjectControl*>& children) {
  for (TObjectControl* child : children) {
    auto* control = dynamic_cast<TQtControl*>(child);
    QWidget* widget = control != nullptr ? control->Widget() : nullptr;
    if (widget == nullptr) continue;
    if (widget == target || widget->isAncestorOf(target)) throw EPlainError(std::string(kMsgMoveFailed));
    if (widget->parentWidget() == target) continue;
    const bool shown = !widget->isHidden();
    const QRect place = widget->geometry();
    const bool form = widget->isWindow();
    widget->setParent(target, form ? Qt::Widget : widget->windowFlags());
    widget->setGeometry(form ? QRect(0, 0, place.width(), place.height()) : place);
    widget->setVisible(shown);
  }
}

std::vector<std::int32_t> TagsOf(const QWidget* target) {
  std::vector<std::int32_t> tags;
  if (target == nullptr) return tags;
  for (const QObject* child : target->children()) {
    const auto* widget = qobject_cast<const QWidget*>(child);
    if (widget == nullptr || IsGone(widget)) continue;
    if (const std::int32_t tag = TagOf(widget); tag != 0) tags.push_back(tag);
  }
  return tags;
}

}  // namespace yura
