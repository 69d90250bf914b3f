// The one way a GUI part's events leave the toolkit: every signal and every
// watched input event ends in TEventHook::Fire with the part's object index
// and the event slot.
#pragma once

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "engine/events.h"

class QWidget;

namespace yura {

// Event slots of an object.
enum TEventSlot : std::int32_t {
  esClick = 1,
  esDoubleClick = 2,
  esMouseDown = 3,
  esMouseUp = 4,
  esKeyDown = 5,
  esKeyUp = 6,
  esChange = 7,
  esMouseMove = 8,
  esFileDrop = 9,
};

// Posts one event to the interpreter; true when the object had code for it.
using TEventSink = std::function<bool(std::int32_t index, std::int32_t slot, const TEventVariables& variables)>;

// Shared by the GUI service and every part it made.
class TEventHook {
 public:
  void SetSink(TEventSink sink) { sink_ = std::move(sink); }
  // Asked after a browser's before-navigate event; without it every
  // navigation goes ahead.
  void SetNavigationCheck(std::function<bool()> allowed) { navigationAllowed_ = std::move(allowed); }
  bool NavigationAllowed() const { return !navigationAllowed_ || navigationAllowed_(); }
  // Never throws: nothing may cross a Qt event handler. Without a sink the
  // event is dropped. True when the object had code for the event.
  bool Fire(std::int32_t index, std::int32_t slot, const TEventVariables& variables = {}) const noexcept;

 private:
  TEventSink sink_;
  std::function<bool()> navigationAllowed_;
};

// One part's end of the hook. Muted once the part is dismantled; quiet while
// the engine itself changes the part (for events the platform only sends on
// user actions).
class TEventSource {
 public:
  TEventSource(std::shared_ptr<TEventHook> hook, std::int32_t index) : hook_(std::move(hook)), index_(index) {}

  // Click and change events of a part that names its selection (a tree
  // node's path) carry it as the event value.
  bool Fire(std::int32_t slot, TEventVariables variables = {}) const {
    if (muted_ || quiet_ != 0) return false;
    if (valueOf_ && (slot == esClick || slot == esChange)) variables.Value = valueOf_();
    return hook_->Fire(index_, slot, variables);
  }
  void SetEventValue(std::function<std::string()> valueOf) { valueOf_ = std::move(valueOf); }
  std::int32_t Index() const { return index_; }
  TEventHook& Hook() const { return *hook_; }
  void Mute() { muted_ = true; }

  class TQuiet {
   public:
    explicit TQuiet(TEventSource& source) : source_(source) { ++source_.quiet_; }
    ~TQuiet() { --source_.quiet_; }
    TQuiet(const TQuiet&) = delete;
    TQuiet& operator=(const TQuiet&) = delete;

   private:
    TEventSource& source_;
  };

 private:
  std::shared_ptr<TEventHook> hook_;
  std::int32_t index_;
  bool muted_ = false;
  int quiet_ = 0;
  std::function<std::string()> valueOf_;
};

// A set of slots, as a bit mask.
constexpr unsigned SlotMask(std::initializer_list<TEventSlot> chosen) {
  unsigned mask = 0;
  for (TEventSlot slot : chosen) mask |= 1u << slot;
  return mask;
}

// Turns the mouse, key and drop events of one widget into event slots. A
// click is a left press and release inside the widget (or the press alone,
// for parts that click on the press).
class TInputWatcher final : public QObject {
  Q_OBJECT
 public:
  TInputWatcher(QWidget* watched, std::shared_ptr<TEventSource> source, unsigned mask, bool clickOnPress = false);

  void SetDropTarget(bool on);
  // Stops watching.
  void Detach();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Wants(TEventSlot slot) const { return (mask_ & (1u << slot)) != 0; }

  QPointer<QWidget> watched_;
  std::shared_ptr<TEventSource> source_;
  unsigned mask_;
  bool clickOnPress_;
  bool pressed_ = false;
  bool releasing_ = false;
  bool dropTarget_ = false;
};

}  // namespace yura
