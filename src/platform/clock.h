// Clocks and sleeping.
#pragma once

#include <cstdint>

namespace yura {

// Milliseconds of a monotonic clock (never goes back).
std::uint64_t MonotonicMilliseconds();
// Milliseconds since the system started, as the platform counts them.
std::uint64_t MillisecondsSinceBoot();
void SleepMilliseconds(std::uint32_t milliseconds);

struct TLocalTime {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};
// The current local date and time (the TZ environment variable decides the
// zone).
TLocalTime LocalNow();

}  // namespace yura
