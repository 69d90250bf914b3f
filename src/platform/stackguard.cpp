#include "platform/stackguard.h"

#include <sys/resource.h>

#include <cstdint>

namespace yura {
namespace {

std::uintptr_t stackBase = 0;
std::uintptr_t stackBudget = 0;

// Room kept for the error path itself and for library code (dialogs, Qt).
constexpr std::uintptr_t kMargin = 1u << 20;

std::uintptr_t Here() {
  volatile char marker = 0;
  return reinterpret_cast<std::uintptr_t>(&marker);
}

}  // namespace

void MarkStackBase() {
  stackBase = Here();
  rlimit limit{};
  std::uintptr_t size = 8u << 20;
  if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) size = limit.rlim_cur;
  stackBudget = size > 2 * kMargin ? size - kMargin : size / 2;
}

bool NearStackLimit(std::size_t reserve) {
  if (stackBase == 0) MarkStackBase();
  const std::uintptr_t here = Here();
  const std::uintptr_t used = stackBase > here ? stackBase - here : here - stackBase;
  return used + reserve > stackBudget;
}

}  // namespace yura
