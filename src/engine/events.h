// The event runner: events of GUI parts and label events (timer, sockets, ...)
// enter the interpreter here and nowhere else. The toolkit only posts; the
// code of an event runs at the next sentence boundary while the script runs,
// or at once on a nested run while the script is idle, in arrival order, each
// with the event variables it carried.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "source/cursor.h"

namespace yura {

class TEngine;
class TYuraBase;

// What an event tells the script through the event variables; unset fields
// leave their variable as it is.
struct TEventVariables {
  std::optional<std::int32_t> MouseX, MouseY;
  std::optional<std::int32_t> Key;         // 押されたキー: the virtual-key number
  std::optional<std::string> SpecialKeys;  // 押された特殊キー: Shift, Alt, Ctrl,
                                           // Left, Right, Middle, Double lines
  std::optional<std::string> Value;        // イベントの値 (Shift_JIS)
  std::optional<std::string> BrowserTarget;  // ブラウザ移動先URL
};

class TEventRunner {
 public:
  static constexpr int kMaxNestedRuns = 64;

  explicit TEventRunner(TEngine& engine);

  // An event of object `index` in slot `slot`. The variables are set when the
  // code runs; when the slot has no code they are set at once, nothing runs
  // and the answer is false.
  bool PostObjectEvent(std::int32_t index, std::size_t slot, TEventVariables variables = {});
  // A label event (timer, socket, ...): its code on a fresh level when idle.
  void PostLabelEvent(const TCursor& code, std::string fileName);

  // ブラウザURL移動許可 after a browser's before-navigate event: false (0)
  // cancels the navigation.
  bool NavigationAllowed() const;

  // True while some event waits for the next sentence boundary.
  bool Pending() const { return !queue_.empty(); }
  // True while RunScript is on the native stack.
  bool Running() const { return runDepth_ > 0; }

  // At a sentence boundary of a running script: the first waiting event is
  // spliced in as an event frame.
  void SpliceNext();
  // The object's slot 0 now (reading イベント): ahead of every waiting event,
  // at the end of the current sentence when running, else run to its end.
  void RunObjectEventNow(std::int32_t index);

  // The script timer's tick: the timer stopped by the host, its label run.
  void FireScriptTimer();
  // The deferred-free timer's tick: destroyed parts and records are freed.
  void FreeDestroyedObjects();

  // RunScript marks itself with this while it runs.
  class TRunScope {
   public:
    explicit TRunScope(TEventRunner& runner) : runner_(runner) { ++runner_.runDepth_; }
    ~TRunScope() { --runner_.runDepth_; }
    TRunScope(const TRunScope&) = delete;
    TRunScope& operator=(const TRunScope&) = delete;

   private:
    TEventRunner& runner_;
  };

 private:
  struct TPending {
    bool IsObject = true;
    std::int32_t Index = 0;
    std::size_t Slot = 0;
    TCursor Code;  // label events
    std::string FileName;
    TEventVariables Variables;
    std::uint64_t Arrival = 0;
  };
  // An event whose code runs now: events that came before it started wait
  // until its frame is gone, so that events run in the order they came.
  struct TActive {
    std::size_t FramesBefore = 0;  // frames of its level below its own
    std::size_t Level = 0;         // levels set aside when it started
    std::uint64_t Started = 0;     // the arrival count when it started
  };

  // The code and file of an object's slot, or nothing when the object is gone
  // or the slot is empty.
  bool ObjectCode(std::int32_t index, std::size_t slot, TCursor& code, std::string& fileName) const;
  void ApplyVariables(const TEventVariables& variables);
  // Pushes the event frame and moves the cursor to the code.
  void Splice(const TCursor& code, const std::string& fileName);
  void Enqueue(TPending event, bool first = false);
  // Drops the events whose code has ended; true when the first waiting event
  // may start now.
  bool HeadMayStart();
  // Runs the queue while the script is idle.
  void RunWhileIdle();
  void RunOneIdle(TPending event);

  TEngine& engine_;
  TYuraBase& state_;
  std::deque<TPending> queue_;
  std::vector<TActive> active_;
  std::uint64_t arrivals_ = 0;
  int runDepth_ = 0;
  int idleDepth_ = 0;
};

}  // namespace yura
