// 入れる, 足す, 引く, 掛ける, 割る and 計算: arithmetic on a word in place.
#include <cmath>

#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/errors.h"
#include "core/platform_errors.h"
#include "engine/calculator.h"
#include "engine/engine.h"
#include "source/halfwidth.h"

namespace yura {
namespace {

// The target's current value: its Value when it is a word, else the target
// text's own value.
std::string TargetValue(TEngine& engine, const std::string& target) {
  if (const THashNode* node = engine.State().Words.FindNode(target, false)) return node->Value();
  return engine.EvalValue(target);
}

// The target's current value read as a number.
TNumber TargetNumber(TEngine& engine, const std::string& target) {
  if (const THashNode* node = engine.State().Words.FindNode(target, false)) return NumberReadingOf(*node).Number;
  return ToNumber(engine.EvalValue(target));
}

// The result goes to それ and, when the target is a variable, to it too.
void Store(TEngine& engine, const std::string& target, std::string value, std::string_view tag) {
  if (const TNodeRef node = engine.State().Words.Find(target, false); node && node->Kind == nkVariable) {
    if (node->Reserved) engine.Raise(kMsgReadOnly, {target});
    node->SetValue(value);
    node->Description.assign(tag);
  }
  engine.SetSore(std::move(value), tag);
}

// A numeric result, stored as Store does; a whole number keeps its reading.
void StoreNumber(TEngine& engine, const std::string& target, TNumber number) {
  if (!IsWrittenExactly(number)) return Store(engine, target, NumberText(number), kTagNumber);
  const auto whole = static_cast<std::int64_t>(number);
  if (THashNode* node = engine.State().Words.FindNode(target, false); node != nullptr && node->Kind == nkVariable) {
    if (node->Reserved) engine.Raise(kMsgReadOnly, {target});
    node->SetWholeNumber(whole);
    node->Description.assign(kTagNumber);
  }
  if (THashNode* sore = engine.State().SoreNode.get()) {
    sore->SetWholeNumber(whole);
    sore->Description.assign(kTagNumber);
  }
}

void Put(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const TNodeRef node = WritableWord(engine, PopName(engine));
  node->SetValue(state.SoreNode->Value());
  node->Description = state.SoreNode->Description;
}

void Add(TEngine& engine, THashNode&) {
  const std::string amount = engine.PopValue();
  const std::string amountTag = engine.LastType();
  const std::string target = PopName(engine);
  if (amountTag == kTagNumber) return StoreNumber(engine, target, TargetNumber(engine, target) + ToNumber(amount));
  Store(engine, target, TargetValue(engine, target) + amount, amountTag);
}

template <typename Operation>
void Arithmetic(TEngine& engine, Operation operation) {
  const TNumber amount = engine.PopNumber();
  const std::string target = PopName(engine);
  StoreNumber(engine, target, operation(TargetNumber(engine, target), amount));
}

void Subtract(TEngine& engine, THashNode&) {
  Arithmetic(engine, [](TNumber a, TNumber b) { return a - b; });
}

void Multiply(TEngine& engine, THashNode&) {
  Arithmetic(engine, [](TNumber a, TNumber b) { return a * b; });
}

void Divide(TEngine& engine, THashNode&) {
  Arithmetic(engine, [](TNumber a, TNumber b) {
    if (b == 0) throw EPlainError(std::string(kMsgDivisionByZero));
    return a / b;
  });
}

void Calculate(TEngine& engine, THashNode&) {
  std::string result;
  try {
    result = engine.Calc().CalculateText(ToHalfWidth(engine.PopValue()));
  } catch (const std::exception&) {
    result.clear();
  }
  engine.SetSore(std::move(result), kTagString);
}

}  // namespace

void RegisterArithmeticHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(397, Put);
  dispatcher.Register(280, Add);
  dispatcher.Register(281, Subtract);
  dispatcher.Register(282, Multiply);
  dispatcher.Register(283, Divide);
  dispatcher.Register(11, Calculate);
}

}  // namespace yura
