// The common half of every part made of a widget: geometry, visibility,
// enabled state, fonts, colours, the tag, input events, dismantling. Each kind
// adds its own properties in SetOwn / GetOwn.
#pragma once

#include <QFont>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/guiobject.h"
#include "host/gui/eventhook.h"

class QImage;

namespace yura {

// What a new part is made from.
struct TPartContext {
  QWidget* Parent = nullptr;  // the main window's client area; none for a form
  const TControlSetup& Setup;
  std::shared_ptr<TEventSource> Source;
  QFont CanvasFont;  // the main window's drawing font
};

class TQtControl : public TObjectControl {
 public:
  TQtControl(TObjectKind kind, std::shared_ptr<TEventSource> source);
  ~TQtControl() override;
  TQtControl(const TQtControl&) = delete;
  TQtControl& operator=(const TQtControl&) = delete;

  TBounds Bounds() const override;
  void SetBounds(const TBounds& bounds) override;
  std::int32_t ParentWidth() const override;
  std::string Get(TProperty property) override;
  void Set(TProperty property, const TPropertyValue& value) override;
  void Dismantle() override;
  bool Detached() const override;

  TObjectKind Kind() const { return kind_; }
  std::int32_t Index() const { return source_->Index(); }
  QWidget* Widget() const { return widget_; }
  // The picture an image source copies (イメージ, フォーム); null for others.
  virtual const QImage* Picture() const { return nullptr; }
  virtual void ApplyFont(const QFont& font);

 protected:
  // The kind's own properties; false / nullopt hand the property to the
  // common handling.
  virtual bool SetOwn(TProperty property, const TPropertyValue& value) { return false; }
  virtual std::optional<std::string> GetOwn(TProperty property) { return std::nullopt; }
  // Destruction step: the contents emptied before the part is hidden.
  virtual void ClearContents() {}
  virtual void HideForDismantle();
  // Widgets whose input belongs to the part, each with the slots it may
  // report (a scroll area's viewport receives the mouse, the area the keys).
  struct TInput {
    QWidget* Widget;
    unsigned Slots;
  };
  static constexpr unsigned kMouseSlots = SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove});
  static constexpr unsigned kKeySlots = SlotMask({esKeyDown, esKeyUp});
  virtual std::vector<TInput> InputWidgets() const { return {{widget_.data(), ~0u}}; }
  // Palette roles that the background colour paints.
  virtual std::vector<QPalette::ColorRole> BackgroundRoles() const { return {QPalette::Window}; }
  virtual void ApplyBackColor(const QColor& color);
  virtual void ApplyFontColor(const QColor& color);

  // The first widget; `owned` widgets are deleted (later) with the control.
  void SetWidget(QWidget* widget, bool owned = true);
  // Swaps in a new widget at the same place with the same state, in the same
  // container (it becomes the last child there); the old one is freed later.
  void ReplaceWidget(QWidget* widget);
  // Connects the input events in `mask` on every input widget.
  void Watch(unsigned mask, bool clickOnPress = false);
  // Again, after the input widgets changed.
  void AttachWatchers();
  void Fire(TEventSlot slot) const { source_->Fire(slot); }
  // A slot for a widget signal that fires `slot`.
  auto Firer(TEventSlot slot) const {
    return [source = source_, slot] { source->Fire(slot); };
  }
  TEventSource& Source() const { return *source_; }
  std::int64_t StoredBackColor(std::int64_t fallback) const { return backColor_.value_or(fallback); }

 private:
  std::string CommonGet(TProperty property) const;
  void CommonSet(TProperty property, const TPropertyValue& value);

  TObjectKind kind_;
  std::shared_ptr<TEventSource> source_;
  QPointer<QWidget> widget_;
  bool owned_ = true;
  unsigned watchMask_ = 0;
  bool clickOnPress_ = false;
  bool dropTarget_ = false;
  std::vector<QPointer<TInputWatcher>> watchers_;
  std::optional<std::int64_t> backColor_;
  std::optional<std::int64_t> fontColor_;
};

// Numbers read back as decimal text.
inline std::string Decimal(std::int64_t value) { return std::to_string(value); }
inline std::string Flag(bool on) { return on ? "1" : "0"; }
// The stored IME mode as read back: 1-4, anything else 0.
inline std::string ImeText(std::int64_t mode) { return mode >= 1 && mode <= 4 ? Decimal(mode) : "0"; }

}  // namespace yura
