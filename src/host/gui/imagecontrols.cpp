#include "host/gui/imagecontrols.h"

#include "host/gui/animebox.h"
#include "host/gui/imagebox.h"
#include "host/gui/picture.h"
#include "host/textstyle.h"

namespace yura {

// ---- イメージ

TImageControl::TImageControl(const TPartContext& context) : TQtControl(TObjectKind::Image, context.Source) {
  auto* box = new TImageBox(context.Parent);
  SetWidget(box);
  box->resize(105, 105);
  Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove}));
}

TImageBox* TImageControl::Box() const { return static_cast<TImageBox*>(Widget()); }

const QImage* TImageControl::Picture() const { return Widget() != nullptr ? &Box()->Image() : nullptr; }

bool TImageControl::SetOwn(TProperty property, const TPropertyValue& value) {
  TImageBox* box = Box();
  switch (property) {
    case TProperty::Picture: {
      // The part takes the picture's size.
      QImage picture = value.Pictures.empty() ? QImage() : LoadPicture(value.Pictures.front());
      if (!picture.isNull()) box->resize(picture.size());
      box->SetImage(std::move(picture));
      return true;
    }
    case TProperty::Stretch:
      box->SetStretch(value.Number > 0);
      return true;
    case TProperty::Transparent:
      box->SetTransparent(value.Number > 0);
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TImageControl::GetOwn(TProperty property) {
  switch (property) {
    case TProperty::Stretch:
      return Flag(Box()->Stretch());
    case TProperty::Transparent:
      return Flag(Box()->Transparent());
    default:
      return std::nullopt;
  }
}

void TImageControl::ClearContents() { Box()->SetImage(QImage()); }

// ---- アニメ

TAnimeControl::TAnimeControl(const TPartContext& context) : TQtControl(TObjectKind::Anime, context.Source) {
  auto* box = new TAnimeBox(context.Parent);
  SetWidget(box);
  // The click comes with the press, as on a button.
  Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove}), true);
}

TAnimeBox* TAnimeControl::Box() const { return static_cast<TAnimeBox*>(Widget()); }

void TAnimeControl::SetVisible(bool on) {
  TAnimeBox* box = Box();
  box->setVisible(on);
  if (!on)
    box->Stop();
  else if (!box->UseButton2)
    box->Start();
}

void TAnimeControl::ApplyBackColor(const QColor& color) { Box()->SetColor(color); }

bool TAnimeControl::SetOwn(TProperty property, const TPropertyValue& value) {
  TAnimeBox* box = Box();
  switch (property) {
    case TProperty::Picture:
    case TProperty::AddPicture: {
      // All frames load before any changes, so a bad file leaves the box as it
      // was.
      std::vector<QImage> frames;
      for (const TPictureSource& source : value.Pictures) frames.push_back(LoadPicture(source));
      if (property == TProperty::Picture)
        box->ClearFrames();
      else
        box->Stop();
      for (const QImage& frame : frames) box->AddFrame(frame);
      box->Start();
      return true;
    }
    case TProperty::Value:
      box->SetInterval(static_cast<int>(std::clamp<std::int64_t>(value.Number, 0, 0x7FFFFFFF)));
      return true;
    case TProperty::ButtonMode:
      if (value.Number >= 0 && value.Number <= 2) {
        box->UseButton = value.Number == 1;
        box->UseButton2 = value.Number == 2;
        box->update();
      }
      return true;
    case TProperty::Stretch:
      box->SetStretch(value.Number > 0);
      return true;
    case TProperty::Transparent:
      box->SetTransparent(value.Number > 0);
      return true;
    case TProperty::RepeatCount:
      box->RepeatTime = static_cast<int>(std::clamp<std::int64_t>(value.Number, -0x7FFFFFFF, 0x7FFFFFFF));
      return true;
    case TProperty::Sound:
      box->WaveFile = value.Text;
      return true;
    case TProperty::Visible:
      SetVisible(value.Number != 0);
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TAnimeControl::GetOwn(TProperty property) {
  const TAnimeBox* box = Box();
  switch (property) {
    case TProperty::Value:
      return Decimal(box->Interval());
    case TProperty::ButtonMode:
      if (box->UseButton == box->UseButton2) return "0";
      return box->UseButton ? "1" : "2";
    case TProperty::Stretch:
      return Flag(box->Stretch());
    case TProperty::Transparent:
      return Flag(box->Transparent());
    case TProperty::RepeatCount:
      return Decimal(box->RepeatTime);
    case TProperty::Sound:
      return box->WaveFile;
    case TProperty::BackColor:
      return Decimal(StoredBackColor(PlatformFromColor(box->Color())));
    default:
      return std::nullopt;
  }
}

void TAnimeControl::ClearContents() { Box()->ClearFrames(); }

void TAnimeControl::HideForDismantle() { SetVisible(false); }

}  // namespace yura
