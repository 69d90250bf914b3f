#include "engine/events.h"

#include "core/errors.h"
#include "core/format.h"
#include "core/stacks.h"
#include "core/yurabase.h"
#include "engine/engine.h"
#include "engine/numbers.h"

namespace yura {
namespace {

constexpr std::string_view kMsgNestedEvents = "イベントの入れ子が深すぎます。";
constexpr std::size_t kMouseMoveSlot = 8;
constexpr std::size_t kDropSlot = 9;

}  // namespace

TEventRunner::TEventRunner(TEngine& engine) : engine_(engine), state_(engine.State()) {}

bool TEventRunner::ObjectCode(std::int32_t index, std::size_t slot, TCursor& code, std::string& fileName) const {
  const TObjNode* node = state_.Objects.Filled(index);
  if (node == nullptr || slot >= TObjNode::kEventSlots || node->EventCode[slot].IsEmpty()) return false;
  code = node->EventCode[slot];
  fileName = state_.SourceFileName;
  // A label's code runs with the label's file for its messages.
  if (const THashNode* label = state_.Words.FindNode(node->EventText[slot], false);
      label != nullptr && label->Kind == nkUserFunction && label->Position == code)
    fileName = label->Description;
  return true;
}

void TEventRunner::ApplyVariables(const TEventVariables& variables) {
  auto set = [](const TNodeRef& node, const std::string& value) {
    if (node) node->SetValue(value);
  };
  if (variables.MouseX) set(state_.MouseXNode, std::to_string(*variables.MouseX));
  if (variables.MouseY) set(state_.MouseYNode, std::to_string(*variables.MouseY));
  if (variables.Key) set(state_.PressedKeyNode, std::to_string(*variables.Key));
  if (variables.SpecialKeys) set(state_.PressedSpecialKeyNode, *variables.SpecialKeys);
  if (variables.Value) set(state_.EventValueNode, *variables.Value);
  if (variables.BrowserTarget) set(state_.BrowserTargetUrlNode, *variables.BrowserTarget);
}

bool TEventRunner::PostObjectEvent(std::int32_t index, std::size_t slot, TEventVariables variables) {
  TCursor code;
  std::string fileName;
  if (!ObjectCode(index, slot, code, fileName)) {
    // The mouse position and the dropped files are kept even when no code
    // runs; key and tree values only reach code that runs.
    if (variables.MouseX || variables.BrowserTarget || slot == kDropSlot) ApplyVariables(variables);
    return false;
  }
  Enqueue({true, index, slot, {}, {}, std::move(variables)});
  if (!Running()) RunWhileIdle();
  return true;
}

void TEventRunner::PostLabelEvent(const TCursor& code, std::string fileName) {
  if (code.IsEmpty()) return;
  Enqueue({false, 0, 0, code, std::move(fileName), {}});
  if (!Running()) RunWhileIdle();
}

void TEventRunner::Enqueue(TPending event, bool first) {
  event.Arrival = ++arrivals_;
  // Mouse moves that nobody has seen yet count once, at their last place.
  if (!first && event.IsObject && event.Slot == kMouseMoveSlot && !queue_.empty()) {
    TPending& last = queue_.back();
    if (last.IsObject && last.Index == event.Index && last.Slot == kMouseMoveSlot) {
      last = std::move(event);
      return;
    }
  }
  if (first) {
    // Ahead of everything that waits; it came after every running event.
    queue_.push_front(std::move(event));
  } else {
    queue_.push_back(std::move(event));
  }
}

bool TEventRunner::HeadMayStart() {
  const std::size_t level = state_.RunStack.SavedLevelCount();
  while (!active_.empty()) {
    const TActive& top = active_.back();
    const bool ended = level < top.Level || (level == top.Level && state_.RunStack.Count() <= top.FramesBefore);
    if (!ended) break;
    active_.pop_back();
  }
  return !queue_.empty() && (active_.empty() || queue_.front().Arrival > active_.back().Started);
}

bool TEventRunner::NavigationAllowed() const {
  return !state_.BrowserAllowNode || ToNumber(state_.BrowserAllowNode->Value()) != 0;
}

void TEventRunner::Splice(const TCursor& code, const std::string& fileName) {
  active_.push_back({state_.RunStack.Count(), state_.RunStack.SavedLevelCount(), arrivals_});
  TRunControl frame;
  frame.Kind = rcEvent;
  frame.BodyPos = state_.Cursor;
  frame.ExitPos = code;
  frame.FileName = state_.SourceFileName;
  state_.RunStack.Push(std::move(frame));
  state_.SourceFileName = fileName;
  state_.Cursor = code;
}

void TEventRunner::SpliceNext() {
  while (HeadMayStart()) {
    TPending event = std::move(queue_.front());
    queue_.pop_front();
    TCursor code = event.Code;
    std::string fileName = event.FileName;
    // The object may have gone, or its slot changed, since the event came.
    if (event.IsObject && !ObjectCode(event.Index, event.Slot, code, fileName)) continue;
    ApplyVariables(event.Variables);
    if (event.IsObject && state_.EventObjectNode) {
      state_.EventObjectNode->Kind = nkObject;
      state_.EventObjectNode->Number = event.Index;
    }
    Splice(code, fileName);
    return;
  }
}

void TEventRunner::RunObjectEventNow(std::int32_t index) {
  Enqueue({true, index, 0, {}, {}, {}}, true);
  if (!Running()) RunWhileIdle();
}

void TEventRunner::FireScriptTimer() {
  if (const TNodeRef label = state_.TimerLabel) PostLabelEvent(label->Position, label->Description);
}

void TEventRunner::FreeDestroyedObjects() {
  state_.DeferredFree.clear();
  engine_.Host().ProcessEvents();
}

void TEventRunner::RunWhileIdle() {
  while (!queue_.empty() && !state_.StopRequested) {
    TPending event = std::move(queue_.front());
    queue_.pop_front();
    RunOneIdle(std::move(event));
  }
}

void TEventRunner::RunOneIdle(TPending event) {
  if (idleDepth_ >= kMaxNestedRuns) {
    engine_.HandleScriptError(EYura(state_.FormatError(kMsgNestedEvents)));
    return;
  }
  ++idleDepth_;
  // No event code runs while the script is idle.
  active_.clear();
  const bool isObject = event.IsObject;
  const TCursor savedCursor = state_.Cursor;
  const std::string savedFile = state_.SourceFileName;
  queue_.push_front(std::move(event));
  // The cursor is empty while idle: the event frame brings the run back to
  // nothing when the code ends, and the run stops there.
  state_.Cursor.Clear();
  auto run = [&] {
    SpliceNext();
    if (!state_.Cursor.IsEmpty()) engine_.RunScript();
  };
  try {
    if (isObject) {
      run();
    } else {
      TLevelGuard level(state_.RunStack);
      run();
    }
  } catch (...) {
    state_.Cursor = savedCursor;
    state_.SourceFileName = savedFile;
    --idleDepth_;
    throw;
  }
  state_.Cursor = savedCursor;
  state_.SourceFileName = savedFile;
  --idleDepth_;
}

}  // namespace yura
