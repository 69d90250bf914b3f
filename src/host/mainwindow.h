// The main window 母艦: it owns the interpreter state, locates the script when
// it is created, and runs the script from inside the event loop.
#pragma once

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "core/yurabase.h"
#include "engine/engine.h"
#include "host/gui/formwindow.h"
#include "host/startup.h"

class QCloseEvent;

namespace yura {

class TActionInjector;
class TQtHost;

class TfrmYura final : public TFormWindow {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 640;
  static constexpr int kClientHeight = 400;

  // Creates the state and locates the script; never starts execution.
  TfrmYura(TQtHost& host, const std::vector<std::string>& parameters);
  ~TfrmYura() override;

  // The run driver: starts the run once, from inside the event loop.
  void EventDoTimer();
  // The script timer fired: its label runs.
  void ScriptTimerTick();

  TYuraBase& State() { return *state_; }
  TEngine& Engine() { return *engine_; }

  // Text on the drawing image "img" (Canvas()) that fills the client area.
  std::int32_t DrawTextLines(const std::vector<std::string>& lines, std::int32_t x, std::int32_t y, bool centre,
                             const TTextStyle& style);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void StartScript();
  // Console mode: the run is idle and no event source is armed.
  bool SomethingCanHappen() const;
  void CloseWhenNothingCanHappen();

  TQtHost& host_;
  std::unique_ptr<TYuraBase> state_;
  std::unique_ptr<TEngine> engine_;
  TStartupOutcome startup_;
  bool firstRun_ = true;
  TActionInjector* injector_ = nullptr;  // a child object of the window
};

}  // namespace yura
