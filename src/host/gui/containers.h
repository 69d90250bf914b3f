// Parts that hold other parts: フォーム (also the main window 母艦), パネル,
// スクロール and タブページ.
#pragma once

#include "host/gui/control.h"

class QTabWidget;

namespace yura {

class TFormWindow;

class TFormControl final : public TQtControl {
 public:
  // A new フォーム window, centred on the screen and shown.
  explicit TFormControl(const TPartContext& context);
  // The main window, which the control does not own.
  TFormControl(TFormWindow* window, std::shared_ptr<TEventSource> source);

  // Left and top of the window; width and height of its client area.
  TBounds Bounds() const override;
  void SetBounds(const TBounds& bounds) override;
  std::vector<std::int32_t> ChildIndexes() const override;
  const QImage* Picture() const override;
  TFormWindow* Window() const;

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void HideForDismantle() override;
  std::vector<TInput> InputWidgets() const override;
  void ApplyBackColor(const QColor& color) override;

 private:
  void Connect();

  bool main_ = false;
};

class TPanelControl final : public TQtControl {
 public:
  explicit TPanelControl(const TPartContext& context);
  std::vector<std::int32_t> ChildIndexes() const override;

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
};

class TScrollControl final : public TQtControl {
 public:
  explicit TScrollControl(const TPartContext& context);
  std::vector<std::int32_t> ChildIndexes() const override;

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::vector<TInput> InputWidgets() const override;
  void ApplyBackColor(const QColor& color) override;

 private:
  QWidget* Content() const;
};

// Parts go onto the active sheet.
class TTabPageControl final : public TQtControl {
 public:
  explicit TTabPageControl(const TPartContext& context);
  std::vector<std::int32_t> ChildIndexes() const override;
  // A new sheet at the end.
  void AddSheet(const QString& caption);

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  std::vector<TInput> InputWidgets() const override;

 private:
  QTabWidget* Tabs() const;
  void SetSheets(const std::vector<QString>& captions);
};

}  // namespace yura
