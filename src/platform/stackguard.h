// How much of the native stack is left, so that runaway recursion in a script
// ends in a script error instead of a crash.
#pragma once

#include <cstddef>

namespace yura {

// Records the stack's base; called once near the start of the thread.
void MarkStackBase();
// True when less than a safety margin of the stack (and `reserve` bytes more)
// is left.
bool NearStackLimit(std::size_t reserve = 0);

}  // namespace yura
