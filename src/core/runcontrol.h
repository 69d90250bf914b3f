// The frame-end step of the run loop: when the cursor reaches the end of a
// block's text, the innermost frame decides whether the block runs again, or
// where execution goes on.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/yurabase.h"

namespace yura {

// The calculator as the frame-end step needs it (ループ re-tests its
// condition at the end of every pass).
class TConditionEvaluator {
 public:
  virtual ~TConditionEvaluator() = default;
  // The condition's value read as a number and truncated toward zero.
  virtual long long ConditionValue(std::string_view condition) = 0;
  // The same value when the condition is a plain formula, which runs no
  // script code; nothing otherwise.
  virtual std::optional<long long> PlainConditionValue(std::string_view condition) = 0;
};

void CheckRunControl(TYuraBase& state, TConditionEvaluator& evaluator);

// 回数: the pass a loop is in.
void SetPassCount(TYuraBase& state, std::int32_t pass);

}  // namespace yura
