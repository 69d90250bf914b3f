// Parts that show pictures: イメージ (also a drawing surface) and アニメ.
#pragma once

#include "host/gui/control.h"

namespace yura {

class TAnimeBox;
class TImageBox;

class TImageControl final : public TQtControl {
 public:
  explicit TImageControl(const TPartContext& context);
  const QImage* Picture() const override;
  TImageBox* Box() const;

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void ClearContents() override;
};

class TAnimeControl final : public TQtControl {
 public:
  explicit TAnimeControl(const TPartContext& context);

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void ClearContents() override;
  void HideForDismantle() override;
  void ApplyBackColor(const QColor& color) override;

 private:
  TAnimeBox* Box() const;
  void SetVisible(bool on);
};

}  // namespace yura
