// Rounding: 整数/INT/TRUNC, ROUND, CEIL, FLOOR, 切り捨て, 四捨五入, FRAC, ABS.
#include "commands/math/checked.h"
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "engine/engine.h"
#include "textutil/widthcase.h"

namespace yura {
namespace {

void SetInteger(TEngine& engine, std::int64_t value) { engine.SetSore(std::to_string(value), kTagNumber); }

// Halves go to the even neighbour.
TNumber RoundHalfEven(TNumber value) {
  const TNumber floor = std::floor(value);
  const TNumber difference = value - floor;
  if (difference < 0.5L) return floor;
  if (difference > 0.5L) return floor + 1;
  return std::fmod(floor, 2.0L) == 0 ? floor : floor + 1;
}

void Truncate(TEngine& engine, THashNode&) { SetInteger(engine, CheckedInt64(std::trunc(engine.PopNumber()))); }
void Round(TEngine& engine, THashNode&) { SetInteger(engine, CheckedInt64(RoundHalfEven(engine.PopNumber()))); }
void Ceil(TEngine& engine, THashNode&) { SetInteger(engine, CheckedInt32(std::ceil(engine.PopNumber()))); }
void Floor(TEngine& engine, THashNode&) { SetInteger(engine, CheckedInt32(std::floor(engine.PopNumber()))); }

// The scale 10^n of the digit commands.
TNumber Scale(TEngine& engine) { return std::pow(10.0L, static_cast<TNumber>(PopNumberArgument(engine))); }

// 切り捨て (32): toward zero at n digits after the point.
void TruncateDigits(TEngine& engine, THashNode&) {
  const TNumber scale = Scale(engine);
  const TNumber value = engine.PopNumber();
  engine.SetSoreNumber(Checked(std::trunc(Checked(value * scale)) / scale));
}

// 四捨五入 (33): halves to the even neighbour, on the binary value of x * 10^n.
void RoundDigits(TEngine& engine, THashNode&) {
  const TNumber scale = Scale(engine);
  const TNumber value = engine.PopNumber();
  engine.SetSoreNumber(Checked(RoundHalfEven(Checked(value * scale)) / scale));
}

// FRAC (150) works on the text: from the first "." on, with "0" before it;
// the sign is lost, and a text without "." gives "".
void Fraction(TEngine& engine, THashNode&) {
  const std::string text = MapHalfWidth(engine.PopValue());
  const std::size_t dot = text.find('.');
  engine.SetSore(dot == std::string::npos ? std::string() : "0" + text.substr(dot), kTagNumber);
}

void Absolute(TEngine& engine, THashNode&) { engine.SetSoreNumber(std::fabs(engine.PopNumber())); }

}  // namespace

void RegisterRoundingHandlers(TDispatcher& dispatcher) {
  for (int number : {31, 151, 157}) dispatcher.Register(number, Truncate);
  dispatcher.Register(155, Round);
  dispatcher.Register(147, Ceil);
  dispatcher.Register(149, Floor);
  dispatcher.Register(32, TruncateDigits);
  dispatcher.Register(33, RoundDigits);
  dispatcher.Register(150, Fraction);
  dispatcher.Register(146, Absolute);
}

}  // namespace yura
