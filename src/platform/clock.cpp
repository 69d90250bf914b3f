#include "platform/clock.h"

#include <ctime>
#include <thread>

namespace yura {
namespace {

std::uint64_t Milliseconds(clockid_t clock) {
  timespec now{};
  ::clock_gettime(clock, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
}

}  // namespace

std::uint64_t MonotonicMilliseconds() { return Milliseconds(CLOCK_MONOTONIC); }

std::uint64_t MillisecondsSinceBoot() { return Milliseconds(CLOCK_BOOTTIME); }

void SleepMilliseconds(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

TLocalTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::tzset();
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace yura
