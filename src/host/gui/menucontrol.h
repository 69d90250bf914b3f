// メニュー: an item of the main window's menu bar, or of the menu under
// another item. An item becomes a submenu when it gets its first item.
#pragma once

#include <QPointer>
#include <memory>

#include "core/guiobject.h"
#include "host/gui/eventhook.h"

class QAction;
class QMenu;
class QMenuBar;

namespace yura {

class TMenuControl final : public TObjectControl {
 public:
  // Under `parent`, or at the top of `bar` when there is no parent.
  TMenuControl(QMenuBar* bar, TMenuControl* parent, const QString& caption, std::shared_ptr<TEventSource> source);
  ~TMenuControl() override;
  TMenuControl(const TMenuControl&) = delete;
  TMenuControl& operator=(const TMenuControl&) = delete;

  // Menus have no place of their own.
  TBounds Bounds() const override { return {}; }
  void SetBounds(const TBounds&) override {}
  std::int32_t ParentWidth() const override { return 0; }
  std::string Get(TProperty property) override;
  void Set(TProperty property, const TPropertyValue& value) override;
  void Dismantle() override;
  bool Detached() const override { return !action_; }

  QAction* Action() const { return action_; }

 private:
  QMenu* SubMenu();

  std::shared_ptr<TEventSource> source_;
  QPointer<QAction> action_;
  QPointer<QMenu> subMenu_;
};

}  // namespace yura
