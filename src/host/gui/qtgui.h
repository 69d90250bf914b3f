// The GUI parts made of Qt widgets: parts in the main window's client area,
// form windows, menu items in the main window's menu bar, the tray icon.
#pragma once

#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "core/guiobject.h"
#include "host/gui/eventhook.h"

namespace yura {

class TFormWindow;
class TTrayIcon;

class TQtGui final : public TGuiService {
 public:
  TQtGui();
  ~TQtGui() override;
  TQtGui(const TQtGui&) = delete;
  TQtGui& operator=(const TQtGui&) = delete;

  // The main window 母艦 as object 0. Parts are made in its client area and
  // menus in its menu bar.
  std::shared_ptr<TObjectControl> AttachMainWindow(TFormWindow* window);

  // Every event of every part arrives here as (object index, event slot);
  // without a sink events are dropped.
  void SetEventSink(TEventSink sink) { hook_->SetSink(std::move(sink)); }
  void SetNavigationCheck(std::function<bool()> allowed) { hook_->SetNavigationCheck(std::move(allowed)); }

  std::shared_ptr<TObjectControl> CreateControl(const TControlSetup& setup) override;
  std::shared_ptr<TObjectControl> CreateMenuItem(TObjectControl* parent, std::string_view caption,
                                                 std::int32_t index) override;
  std::vector<std::string> FontFamilies() override;
  void SetTrayIcon(bool on) override;

 private:
  std::shared_ptr<TEventHook> hook_;
  QPointer<TFormWindow> main_;
  std::unique_ptr<TTrayIcon> tray_;
};

}  // namespace yura
