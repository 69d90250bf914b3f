// Elementary functions and angle conversions. ARCSIN and ARCCOS keep the
// language's long-standing exchange: ARCSIN gives the arc cosine and ARCCOS
// the arc sine.
#include <numbers>

#include "commands/math/checked.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "engine/engine.h"

namespace yura {
namespace {

constexpr TNumber kPi = std::numbers::pi_v<long double>;

template <typename Function>
void Unary(TEngine& engine, Function function) {
  engine.SetSoreNumber(Checked(function(engine.PopNumber())));
}

// The operands of a two-argument function, the first popped last.
template <typename Function>
void Binary(TEngine& engine, Function function) {
  const TNumber second = engine.PopNumber();
  const TNumber first = engine.PopNumber();
  engine.SetSoreNumber(function(first, second));
}

// A logarithm: 0 is a pole, a negative number an invalid operation.
TNumber Logarithm(TNumber x, TNumber (*log)(TNumber)) { return Checked(log(x), x == 0); }

void Exp(TEngine& engine, THashNode&) { Unary(engine, [](TNumber x) { return std::exp(x); }); }
void Ln(TEngine& engine, THashNode&) { Unary(engine, [](TNumber x) { return Logarithm(x, std::log); }); }
void Log2(TEngine& engine, THashNode&) { Unary(engine, [](TNumber x) { return Logarithm(x, std::log2); }); }
void Log10(TEngine& engine, THashNode&) { Unary(engine, [](TNumber x) { return Logarithm(x, std::log10); }); }
void Sqrt(TEngine& engine, THashNode&) { Unary(engine, [](TNumber x) { return std::sqrt(x); }); }

// LOG (153): base, value.
void Log(TEngine& engine, THashNode&) {
  Binary(engine, [](TNumber base, TNumber x) {
    return Checked(Logarithm(x, std::log2) / Logarithm(base, std::log2), true);
  });
}

// POWER (154): 0 to a negative power is a division by zero.
void Power(TEngine& engine, THashNode&) {
  Binary(engine, [](TNumber base, TNumber exponent) { return Checked(std::pow(base, exponent), base == 0); });
}

void Hypot(TEngine& engine, THashNode&) {
  Binary(engine, [](TNumber x, TNumber y) { return Checked(std::hypot(x, y)); });
}

void Sin(TEngine& engine, THashNode&) { Unary(engine, [](TNumber x) { return std::sin(x); }); }
void Cos(TEngine& engine, THashNode&) { Unary(engine, [](TNumber x) { return std::cos(x); }); }
void Tan(TEngine& engine, THashNode&) { Unary(engine, [](TNumber x) { return std::tan(x); }); }
void ArcTan(TEngine& engine, THashNode&) { Unary(engine, [](TNumber x) { return std::atan(x); }); }

// ARCSIN (218): atan2(sqrt(1 - x^2), x), the arc cosine.
void ArcSin(TEngine& engine, THashNode&) {
  Unary(engine, [](TNumber x) { return std::atan2(Checked(std::sqrt(1 - x * x)), x); });
}

// ARCCOS (217): atan2(x, sqrt(1 - x^2)), the arc sine.
void ArcCos(TEngine& engine, THashNode&) {
  Unary(engine, [](TNumber x) { return std::atan2(x, Checked(std::sqrt(1 - x * x))); });
}

template <long long Numerator, long long Denominator, bool ByPi>
void Scaled(TEngine& engine, THashNode&) {
  Unary(engine, [](TNumber x) {
    const TNumber factor = static_cast<TNumber>(Numerator) / static_cast<TNumber>(Denominator);
    return ByPi ? x * factor * kPi : x * factor / kPi;
  });
}

}  // namespace

void RegisterFunctionHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(148, Exp);
  dispatcher.Register(152, Ln);
  dispatcher.Register(153, Log);
  dispatcher.Register(179, Log2);
  dispatcher.Register(180, Log10);
  dispatcher.Register(154, Power);
  dispatcher.Register(156, Sqrt);
  dispatcher.Register(52, Sin);
  dispatcher.Register(53, Cos);
  dispatcher.Register(54, Tan);
  dispatcher.Register(216, ArcTan);
  dispatcher.Register(218, ArcSin);
  dispatcher.Register(217, ArcCos);
  dispatcher.Register(219, Hypot);
  dispatcher.Register(220, Scaled<2, 1, true>);      // サイクルからラジアン: x * 2π
  dispatcher.Register(221, Scaled<1, 180, true>);    // 度からラジアン: x * π/180
  dispatcher.Register(222, Scaled<1, 200, true>);    // グラードからラジアン: x * π/200
  dispatcher.Register(223, Scaled<1, 2, false>);     // ラジアンからサイクル: x / 2π
  dispatcher.Register(224, Scaled<180, 1, false>);   // ラジアンから度: x * 180/π
  dispatcher.Register(225, Scaled<200, 1, false>);   // ラジアンからグラード: x * 200/π
}

}  // namespace yura
