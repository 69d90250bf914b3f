// 乱数, RND and 乱数初期化.
#include "commands/math/random.h"

#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/errors.h"
#include "core/platform_errors.h"
#include "engine/engine.h"
#include "platform/filesystem.h"

namespace yura {
namespace {

constexpr std::uint32_t kMultiplier = 134775813u;  // 0x08088405
constexpr long double kTwoPower32 = 4294967296.0L;
constexpr long long kDefaultRange = 100;

std::uint32_t Advance(TYuraBase& state) {
  state.RandomSeed = state.RandomSeed * kMultiplier + 1u;
  return state.RandomSeed;
}

// 乱数 (17): the range is an integer literal, 100 when it is none.
void Random(TEngine& engine, THashNode&) {
  const long long range = PopIntegerArgument(engine, kDefaultRange);
  const auto n = TruncateToInt32(static_cast<TNumber>(range));
  if (!n) throw EPlainError(std::string(kMsgRangeCheck));
  const std::uint32_t draw = RandomBelow(engine.State(), static_cast<std::uint32_t>(*n));
  engine.SetSore(std::to_string(static_cast<std::int32_t>(draw)), kTagNumber);
}

void RandomFraction(TEngine& engine, THashNode&) { engine.SetSoreNumber(RandomReal(engine.State())); }

// 乱数初期化 (159): -1 seeds from the clock, as at start.
void Seed(TEngine& engine, THashNode&) {
  const long long seed = PopNumberArgument(engine);
  engine.State().RandomSeed = seed == -1 ? HighResolutionTicks() : static_cast<std::uint32_t>(seed);
}

}  // namespace

std::uint32_t RandomBelow(TYuraBase& state, std::uint32_t n) {
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(Advance(state)) * n) >> 32);
}

long double RandomReal(TYuraBase& state) { return static_cast<long double>(Advance(state)) / kTwoPower32; }

void RegisterRandomHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(17, Random);
  dispatcher.Register(158, RandomFraction);
  dispatcher.Register(159, Seed);
}

}  // namespace yura
