#include "host/gui/rangecontrols.h"

#include <QScrollBar>
#include <QSlider>
#include <climits>

#include "host/textstyle.h"

namespace yura {
namespace {

int ToInt(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }

}  // namespace

// ---- バー

TBarControl::TBarControl(const TPartContext& context) : TQtControl(TObjectKind::Bar, context.Source) {
  auto* bar = new QScrollBar(Qt::Horizontal, context.Parent);
  SetWidget(bar);
  bar->setRange(0, 100);
  bar->resize(121, 17);
  QObject::connect(bar, &QScrollBar::valueChanged, bar, Firer(esChange));
  Watch(SlotMask({esKeyDown, esKeyUp}));
}

QScrollBar* TBarControl::Bar() const { return static_cast<QScrollBar*>(Widget()); }

bool TBarControl::SetOwn(TProperty property, const TPropertyValue& value) {
  QScrollBar* bar = Bar();
  switch (property) {
    case TProperty::Value:
      if (value.Number >= 0)
        bar->setValue(ToInt(std::clamp<std::int64_t>(value.Number, bar->minimum(), bar->maximum())));
      return true;
    case TProperty::Maximum:
      bar->setMaximum(ToInt(value.Number));
      return true;
    case TProperty::Minimum:
      bar->setMinimum(ToInt(value.Number));
      return true;
    case TProperty::Orientation: {
      const Qt::Orientation orientation = value.Text == "縦" ? Qt::Vertical : Qt::Horizontal;
      // Turning the bar swaps its width and height.
      if (orientation != bar->orientation()) {
        bar->setOrientation(orientation);
        bar->resize(bar->height(), bar->width());
      }
      return true;
    }
    default:
      return false;
  }
}

std::optional<std::string> TBarControl::GetOwn(TProperty property) {
  const QScrollBar* bar = Bar();
  switch (property) {
    case TProperty::Value:
      return Decimal(bar->value());
    case TProperty::Maximum:
      return Decimal(bar->maximum());
    case TProperty::Minimum:
      return Decimal(bar->minimum());
    case TProperty::Orientation:
      return bar->orientation() == Qt::Vertical ? "縦" : "横";
    default:
      return std::nullopt;
  }
}

// ---- トラック

TTrackControl::TTrackControl(const TPartContext& context) : TQtControl(TObjectKind::Track, context.Source) {
  auto* slider = new QSlider(Qt::Horizontal, context.Parent);
  SetWidget(slider);
  slider->setRange(0, 10);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->resize(150, 45);
  QFont font = FontFromSetting(context.Setup.Font);
  font.setBold(false);
  font.setItalic(false);
  font.setUnderline(false);
  ApplyFont(font);
  QObject::connect(slider, &QSlider::valueChanged, slider, Firer(esChange));
  Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove}));
}

}  // namespace yura
