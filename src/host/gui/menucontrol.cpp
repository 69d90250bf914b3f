#include "host/gui/menucontrol.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "host/gui/control.h"
#include "host/gui/picture.h"
#include "platform/qtext.h"

namespace yura {

TMenuControl::TMenuControl(QMenuBar* bar, TMenuControl* parent, const QString& caption,
                           std::shared_ptr<TEventSource> source)
    : source_(std::move(source)) {
  QWidget* owner = parent != nullptr ? static_cast<QWidget*>(parent->SubMenu()) : bar;
  auto* action = new QAction(caption, owner);
  if (caption == QStringLiteral("-")) action->setSeparator(true);
  owner->addAction(action);
  action_ = action;
  QObject::connect(action, &QAction::triggered, action, [source = source_] { source->Fire(esClick); });
}

TMenuControl::~TMenuControl() {
  source_->Mute();
  // Freed later: the item may be in the middle of its own click.
  if (action_) {
    action_->setVisible(false);
    action_->deleteLater();
  }
  if (subMenu_) subMenu_->deleteLater();
}

QMenu* TMenuControl::SubMenu() {
  if (!subMenu_ && action_) {
    auto* menu = new QMenu(qobject_cast<QWidget*>(action_->parent()));
    action_->setMenu(menu);
    subMenu_ = menu;
  }
  return subMenu_;
}

std::string TMenuControl::Get(TProperty property) {
  if (!action_) return {};
  switch (property) {
    case TProperty::Text:
      return FromQString(action_->text());
    case TProperty::Value:
      return Flag(action_->isChecked());
    case TProperty::Visible:
      return Flag(action_->isVisible());
    case TProperty::Enabled:
      return Flag(action_->isEnabled());
    case TProperty::Shortcut:
      return FromQString(action_->shortcut().toString(QKeySequence::PortableText));
    case TProperty::Handle:
      return "0";
    default:
      return {};
  }
}

void TMenuControl::Set(TProperty property, const TPropertyValue& value) {
  if (!action_) return;
  switch (property) {
    case TProperty::Text:
      action_->setText(ToQString(value.Text));
      break;
    case TProperty::Value:
      action_->setCheckable(true);
      action_->setChecked(value.Number != 0);
      break;
    case TProperty::Picture: {
      const QImage picture = value.Pictures.empty() ? QImage() : LoadPicture(value.Pictures.front());
      action_->setIcon(picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture)));
      break;
    }
    case TProperty::Shortcut:
      action_->setShortcut(QKeySequence::fromString(ToQString(value.Text), QKeySequence::PortableText));
      break;
    case TProperty::Visible:
      action_->setVisible(value.Number != 0);
      break;
    case TProperty::Enabled:
      action_->setEnabled(value.Number != 0);
      break;
    default:
      break;
  }
}

void TMenuControl::Dismantle() {
  source_->Mute();
  if (action_) action_->setVisible(false);
}

}  // namespace yura
