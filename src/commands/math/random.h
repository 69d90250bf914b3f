// The interpreter's random generator: a 32-bit linear congruential seed,
// advanced as seed * 134775813 + 1 before every draw.
#pragma once

#include <cstdint>

namespace yura {

class TYuraBase;

// An integer draw below n: the high 32 bits of seed * n.
std::uint32_t RandomBelow(TYuraBase& state, std::uint32_t n);
// A real draw, 0 <= r < 1.
long double RandomReal(TYuraBase& state);

}  // namespace yura
