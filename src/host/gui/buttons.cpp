#include "host/gui/buttons.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "host/gui/imagebox.h"
#include "host/gui/picture.h"
#include "host/gui/texts.h"
#include "host/textstyle.h"
#include "platform/qtext.h"

namespace yura {

// ---- ボタン

TButtonControl::TButtonControl(const TPartContext& context) : TQtControl(TObjectKind::Button, context.Source) {
  auto* button = new QPushButton(context.Parent);
  SetWidget(button);
  button->resize(75, 25);
  ApplyFont(FontFromSetting(context.Setup.Font));
  // Wide enough for as many "W"s of the drawing font as the caption has bytes.
  const int wide = QFontMetrics(context.CanvasFont).horizontalAdvance(QLatin1Char('W')) *
                   static_cast<int>(context.Setup.Caption.size());
  if (wide > button->width()) button->resize(wide, button->height());
  SetCaption(ToQString(context.Setup.Caption));
  Connect();
  Watch(SlotMask({esMouseDown, esMouseUp, esMouseMove}));
}

QAbstractButton* TButtonControl::Button() const { return static_cast<QAbstractButton*>(Widget()); }

void TButtonControl::Connect() { QObject::connect(Button(), &QAbstractButton::clicked, Button(), Firer(esClick)); }

void TButtonControl::SetCaption(const QString& caption) {
  QAbstractButton* button = Button();
  button->setText(caption);
  const int needed = QFontMetrics(button->font()).horizontalAdvance(caption);
  if (needed > button->width()) button->resize(needed + 10, button->height());
}

// The push button gives way to an image button at the same place, with the
// same caption and font, which keeps the part's object index.
void TButtonControl::BecomeImageButton() {
  if (imageButton_) return;
  auto* image = new QToolButton();
  image->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  image->setText(Button()->text());
  ReplaceWidget(image);
  imageButton_ = true;
  Connect();
}

void TButtonControl::ApplyFontColor(const QColor& color) {
  BecomeImageButton();
  TQtControl::ApplyFontColor(color);
}

bool TButtonControl::SetOwn(TProperty property, const TPropertyValue& value) {
  switch (property) {
    case TProperty::Text:
      SetCaption(ToQString(value.Text));
      return true;
    case TProperty::Picture: {
      QImage glyph = value.Pictures.empty() ? QImage() : LoadPicture(value.Pictures.front());
      BecomeImageButton();
      if (glyph.isNull()) {
        Button()->setIcon(QIcon());
      } else {
        Button()->setIconSize(glyph.size());
        Button()->setIcon(QIcon(QPixmap::fromImage(WithoutKeyColor(glyph, QPoint(0, glyph.height() - 1)))));
      }
      return true;
    }
    default:
      return false;
  }
}

std::optional<std::string> TButtonControl::GetOwn(TProperty property) {
  if (property == TProperty::Text) return FromQString(Button()->text());
  return std::nullopt;
}

// ---- チェック

TCheckControl::TCheckControl(const TPartContext& context) : TQtControl(TObjectKind::Check, context.Source) {
  auto* box = new QCheckBox(ToQString(context.Setup.Caption), context.Parent);
  SetWidget(box);
  box->resize(97, 20);
  ApplyFont(FontFromSetting(context.Setup.Font));
  // Setting the check from a script clicks too.
  QObject::connect(box, &QCheckBox::toggled, box, Firer(esClick));
  Watch(SlotMask({esMouseDown, esMouseUp, esMouseMove, esKeyDown, esKeyUp}));
}

bool TCheckControl::SetOwn(TProperty property, const TPropertyValue& value) {
  auto* box = static_cast<QCheckBox*>(Widget());
  switch (property) {
    case TProperty::Text:
      box->setText(ToQString(value.Text));
      return true;
    case TProperty::Value:
      box->setChecked(value.Number != 0);
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TCheckControl::GetOwn(TProperty property) {
  const auto* box = static_cast<QCheckBox*>(Widget());
  switch (property) {
    case TProperty::Text:
      return FromQString(box->text());
    case TProperty::Value:
      return Flag(box->isChecked());
    default:
      return std::nullopt;
  }
}

void TCheckControl::ClearContents() { static_cast<QCheckBox*>(Widget())->setText({}); }

// ---- ラベル

TLabelControl::TLabelControl(const TPartContext& context) : TQtControl(TObjectKind::Label, context.Source) {
  auto* label = new QLabel(context.Parent);
  label->setTextFormat(Qt::PlainText);
  SetWidget(label);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, ColorFromPlatform(context.Setup.TextColor));
  label->setPalette(palette);
  TQtControl::ApplyFont(FontFromSetting(context.Setup.Font));
  SetCaption(LinesToQt(context.Setup.Caption));
  Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove}));
}

QLabel* TLabelControl::Label() const { return static_cast<QLabel*>(Widget()); }

void TLabelControl::SetCaption(const QString& caption) {
  Label()->setText(caption);
  Label()->adjustSize();
}

void TLabelControl::ApplyFont(const QFont& font) {
  TQtControl::ApplyFont(font);
  Label()->adjustSize();
}

void TLabelControl::ApplyBackColor(const QColor& color) {
  TQtControl::ApplyBackColor(color);
  Label()->setAutoFillBackground(!transparent_);
}

bool TLabelControl::SetOwn(TProperty property, const TPropertyValue& value) {
  switch (property) {
    case TProperty::Text:
      SetCaption(LinesToQt(value.Text));
      return true;
    case TProperty::Transparent:
      transparent_ = value.Number > 0;
      Label()->setAutoFillBackground(!transparent_);
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TLabelControl::GetOwn(TProperty property) {
  switch (property) {
    case TProperty::Text:
      return LinesFromQt(Label()->text());
    case TProperty::Transparent:
      return Flag(transparent_);
    default:
      return std::nullopt;
  }
}

void TLabelControl::ClearContents() { Label()->clear(); }

}  // namespace yura
