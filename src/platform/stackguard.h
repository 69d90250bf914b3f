// How much of the native stack is left, so that runaway recursion in a script
// ends in a script error instead of a crash.
#pragma once

namespace yura {

// Records the stack's base; called once near the start of the thread.
void MarkStackBase();
// True when less than a safety margin of the stack is left.
bool NearStackLimit();

}  // namespace yura
