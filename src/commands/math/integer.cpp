// Integer and bit operations on 32-bit arguments: MOD, AND, OR, XOR, NOT,
// SHR, SHL and HEX.
#include <charconv>
#include <cstdint>

#include "commands/math/checked.h"
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "engine/engine.h"

namespace yura {
namespace {

void SetInteger(TEngine& engine, std::int64_t value) { engine.SetSore(std::to_string(value), kTagNumber); }

// Both operands, the first popped last.
std::pair<std::int32_t, std::int32_t> PopPair(TEngine& engine) {
  const auto second = static_cast<std::int32_t>(PopNumberArgument(engine));
  const auto first = static_cast<std::int32_t>(PopNumberArgument(engine));
  return {first, second};
}

// MOD (343): the sign of the dividend; the smallest integer by -1 is out of
// range.
void Modulo(TEngine& engine, THashNode&) {
  const auto [a, b] = PopPair(engine);
  if (b == 0) throw EPlainError(std::string(kMsgIntegerDivisionByZero));
  if (a == INT32_MIN && b == -1) RaiseRangeError();
  SetInteger(engine, a % b);
}

void BitAnd(TEngine& engine, THashNode&) {
  const auto [a, b] = PopPair(engine);
  SetInteger(engine, a & b);
}

void BitOr(TEngine& engine, THashNode&) {
  const auto [a, b] = PopPair(engine);
  SetInteger(engine, a | b);
}

void BitXor(TEngine& engine, THashNode&) {
  const auto [a, b] = PopPair(engine);
  SetInteger(engine, a ^ b);
}

// NOT (395) is logical: 1 for 0, else 0.
void LogicalNot(TEngine& engine, THashNode&) { SetInteger(engine, PopNumberArgument(engine) == 0 ? 1 : 0); }

void ShiftRight(TEngine& engine, THashNode&) {
  const auto [value, count] = PopPair(engine);
  SetInteger(engine, static_cast<std::uint32_t>(value) >> (static_cast<std::uint32_t>(count) % 32));
}

void ShiftLeft(TEngine& engine, THashNode&) {
  const auto [value, count] = PopPair(engine);
  const std::uint32_t shifted = static_cast<std::uint32_t>(value) << (static_cast<std::uint32_t>(count) % 32);
  SetInteger(engine, static_cast<std::int32_t>(shifted));
}

// HEX (346): at least two digits; a negative value as 8-digit two's
// complement.
void Hex(TEngine& engine, THashNode&) {
  const auto value = static_cast<std::int32_t>(PopNumberArgument(engine));
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(value), 16).ptr;
  std::string text(digits, end);
  for (char& c : text)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  if (text.size() < 2) text.insert(0, 1, '0');
  engine.SetSore(std::move(text), kTagNumber);
}

}  // namespace

void RegisterIntegerHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(343, Modulo);
  dispatcher.Register(340, BitAnd);
  dispatcher.Register(341, BitOr);
  dispatcher.Register(342, BitXor);
  dispatcher.Register(395, LogicalNot);
  dispatcher.Register(344, ShiftRight);
  dispatcher.Register(345, ShiftLeft);
  dispatcher.Register(346, Hex);
}

}  // namespace yura
