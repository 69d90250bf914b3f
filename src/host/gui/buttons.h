// Parts with a caption: ボタン (a push button, or the image button that
// replaces it), チェック and ラベル.
#pragma once

#include "host/gui/control.h"

class QAbstractButton;
class QLabel;

namespace yura {

class TButtonControl final : public TQtControl {
 public:
  explicit TButtonControl(const TPartContext& context);

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void ApplyFontColor(const QColor& color) override;

 private:
  QAbstractButton* Button() const;
  // The caption; a caption wider than the button widens it to fit.
  void SetCaption(const QString& caption);
  void BecomeImageButton();
  void Connect();

  bool imageButton_ = false;
};

class TCheckControl final : public TQtControl {
 public:
  explicit TCheckControl(const TPartContext& context);

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void ClearContents() override;
};

// A label sizes itself to its caption, as captions and fonts change.
class TLabelControl final : public TQtControl {
 public:
  explicit TLabelControl(const TPartContext& context);
  void ApplyFont(const QFont& font) override;

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void ClearContents() override;
  void ApplyBackColor(const QColor& color) override;

 private:
  QLabel* Label() const;
  void SetCaption(const QString& caption);

  bool transparent_ = true;
};

}  // namespace yura
