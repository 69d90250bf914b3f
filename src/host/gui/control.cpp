#include "host/gui/control.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "host/gui/children.h"
#include "host/textstyle.h"
#include "platform/qtext.h"

namespace yura {

TQtControl::TQtControl(TObjectKind kind, std::shared_ptr<TEventSource> source)
    : kind_(kind), source_(std::move(source)) {}

TQtControl::~TQtControl() {
  source_->Mute();
  // A part can be freed inside one of its own events: the widget goes later.
  if (widget_ && owned_) {
    widget_->hide();
    widget_->deleteLater();
  }
}

void TQtControl::SetWidget(QWidget* widget, bool owned) {
  widget_ = widget;
  owned_ = owned;
  SetTag(widget, Index());
  // A click on a part is never also a click on its container.
  widget->setAttribute(Qt::WA_NoMousePropagation);
}

void TQtControl::ReplaceWidget(QWidget* widget) {
  QWidget* old = widget_;
  if (old != nullptr) {
    widget->setParent(old->parentWidget());
    widget->setGeometry(old->geometry());
    widget->setFont(old->font());
    widget->setPalette(old->palette());
    widget->setAutoFillBackground(old->autoFillBackground());
    widget->setEnabled(!old->testAttribute(Qt::WA_ForceDisabled));
    widget->setVisible(!old->isHidden());
    old->hide();
    old->deleteLater();
  }
  widget_ = widget;
  SetTag(widget, Index());
  widget->setAttribute(Qt::WA_NoMousePropagation);
  AttachWatchers();
}

void TQtControl::Watch(unsigned mask, bool clickOnPress) {
  watchMask_ = mask;
  clickOnPress_ = clickOnPress;
  AttachWatchers();
}

void TQtControl::AttachWatchers() {
  // A watcher may be inside its own event right now: it goes later.
  for (const QPointer<TInputWatcher>& watcher : watchers_)
    if (watcher) {
      watcher->Detach();
      watcher->deleteLater();
    }
  watchers_.clear();
  for (const TInput& input : InputWidgets()) {
    if (input.Widget == nullptr) continue;
    auto* watcher = new TInputWatcher(input.Widget, source_, watchMask_ & input.Slots, clickOnPress_);
    watcher->SetDropTarget(dropTarget_);
    watchers_.emplace_back(watcher);
  }
}

TBounds TQtControl::Bounds() const {
  if (!widget_) return {};
  const QRect place = widget_->geometry();
  return {place.x(), place.y(), place.width(), place.height()};
}

void TQtControl::SetBounds(const TBounds& bounds) {
  if (widget_) widget_->setGeometry(bounds.Left, bounds.Top, std::max(0, bounds.Width), std::max(0, bounds.Height));
}

std::int32_t TQtControl::ParentWidth() const {
  if (widget_ && widget_->parentWidget() != nullptr) return CentringWidth(widget_->parentWidget());
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().width() : 0;
}

std::string TQtControl::Get(TProperty property) {
  if (!widget_) return {};
  if (std::optional<std::string> own = GetOwn(property)) return *own;
  return CommonGet(property);
}

void TQtControl::Set(TProperty property, const TPropertyValue& value) {
  if (!widget_) return;
  if (!SetOwn(property, value)) CommonSet(property, value);
}

std::string TQtControl::CommonGet(TProperty property) const {
  switch (property) {
    case TProperty::Visible:
      return Flag(!widget_->isHidden());
    case TProperty::Enabled:
      return Flag(!widget_->testAttribute(Qt::WA_ForceDisabled));
    case TProperty::Handle:
      // Never forces a native window: parts that have none read 0.
      return Decimal(static_cast<std::int64_t>(widget_->internalWinId()));
    case TProperty::BackColor:
      return Decimal(backColor_.value_or(PlatformFromColor(widget_->palette().color(BackgroundRoles().front()))));
    case TProperty::FontColor:
      return Decimal(fontColor_.value_or(PlatformFromColor(widget_->palette().color(QPalette::WindowText))));
    case TProperty::FontFace:
      return FromQString(widget_->font().family());
    case TProperty::FontSize: {
      const QFont font = widget_->font();
      return Decimal(font.pixelSize() > 0 ? PointsFromPixels(font.pixelSize())
                                          : static_cast<int>(std::lround(font.pointSizeF())));
    }
    default:
      return {};
  }
}

void TQtControl::CommonSet(TProperty property, const TPropertyValue& value) {
  switch (property) {
    case TProperty::Visible:
      widget_->setVisible(value.Number != 0);
      break;
    case TProperty::Enabled:
      widget_->setEnabled(value.Number != 0);
      break;
    case TProperty::FileDrop:
      dropTarget_ = value.Number != 0;
      if (watchers_.empty()) AttachWatchers();
      for (const QPointer<TInputWatcher>& watcher : watchers_)
        if (watcher) watcher->SetDropTarget(dropTarget_);
      break;
    case TProperty::BackColor:
      backColor_ = value.Number;
      ApplyBackColor(ColorFromPlatform(value.Number));
      break;
    case TProperty::FontColor:
      fontColor_ = value.Number;
      ApplyFontColor(ColorFromPlatform(value.Number));
      break;
    case TProperty::FontFace:
      ApplyFont(FontFromSetting(value.Font));
      break;
    case TProperty::FontSize:
      if (value.Number > 0) {
        QFont font = widget_->font();
        font.setPixelSize(PixelsFromPoints(static_cast<double>(value.Number)));
        ApplyFont(font);
      }
      break;
    default:
      break;
  }
}

void TQtControl::ApplyFont(const QFont& font) { widget_->setFont(font); }

void TQtControl::ApplyBackColor(const QColor& color) {
  QPalette palette = widget_->palette();
  bool window = false;
  for (const QPalette::ColorRole role : BackgroundRoles()) {
    palette.setColor(role, color);
    window = window || role == QPalette::Window;
  }
  widget_->setPalette(palette);
  if (window) widget_->setAutoFillBackground(true);
}

void TQtControl::ApplyFontColor(const QColor& color) {
  QPalette palette = widget_->palette();
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(role, color);
  widget_->setPalette(palette);
}

void TQtControl::HideForDismantle() { widget_->hide(); }

void TQtControl::Dismantle() {
  source_->Mute();
  if (!widget_) return;
  ClearContents();
  HideForDismantle();
  MarkGone(widget_);
}

bool TQtControl::Detached() const { return !widget_ || HasGoneAncestor(widget_); }

}  // namespace yura
