// Parts that choose from items: コンボ, リスト and ラジオ. Items read back as
// lines, each followed by CR LF; the selected index is -1 when none.
#pragma once

#include "host/gui/control.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QListWidget;

namespace yura {

class TComboControl final : public TQtControl {
 public:
  explicit TComboControl(const TPartContext& context);
  void ApplyFont(const QFont& font) override;

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void ClearContents() override;
  std::vector<TInput> InputWidgets() const override;
  std::vector<QPalette::ColorRole> BackgroundRoles() const override { return {QPalette::Base, QPalette::Button}; }

 private:
  QComboBox* Combo() const;
  void SetEditable(bool on);
  void SetItems(const std::vector<QString>& items);

  std::int64_t ime_ = 0;
  bool sorted_ = false;
};

class TListControl final : public TQtControl {
 public:
  explicit TListControl(const TPartContext& context);

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void ClearContents() override;
  std::vector<TInput> InputWidgets() const override;
  std::vector<QPalette::ColorRole> BackgroundRoles() const override { return {QPalette::Base}; }

 private:
  QListWidget* List() const;
  int Selected() const;
};

// A group of radio buttons, one per item line, stacked evenly.
class TRadioControl final : public TQtControl {
 public:
  explicit TRadioControl(const TPartContext& context);

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;

 private:
  QGroupBox* Box() const;
  void SetItems(const std::vector<QString>& items);

  QButtonGroup* group_;
};

}  // namespace yura
