// Results of the math commands: the platform's errors where the floating-point
// unit or an integer conversion would fault.
#pragma once

#include <cmath>
#include <cstdint>

#include "core/errors.h"
#include "core/platform_errors.h"
#include "engine/numbers.h"

namespace yura {

[[noreturn]] inline void RaiseRangeError() { throw EPlainError(std::string(kMsgRangeCheck)); }

// A non-finite result of finite operands is the unit's error: an invalid
// operation (NaN), a division by zero (a pole, such as the logarithm of 0) or
// an overflow.
inline TNumber Checked(TNumber result, bool pole = false) {
  if (std::isnan(result)) throw EPlainError(std::string(kMsgInvalidFloatOperation));
  if (std::isinf(result)) throw EPlainError(std::string(pole ? kMsgDivisionByZero : kMsgFloatOverflow));
  return result;
}

inline std::int64_t CheckedInt64(TNumber value) {
  const auto result = TruncateToInt64(value);
  if (!result) RaiseRangeError();
  return *result;
}

inline std::int32_t CheckedInt32(TNumber value) {
  const auto result = TruncateToInt32(value);
  if (!result) RaiseRangeError();
  return *result;
}

}  // namespace yura
