// Generator steps and the game number draw.
#include "game/random.h"

#include <cmath>

namespace pelmor::game {

void SeedFromClock(RandomState& state, const TimeOfDay& utc) {
  state = static_cast<RandomState>(((utc.hour * 60 + utc.minute) * 60 + utc.second) * 1000 + utc.milliseconds);
}

std::uint32_t RandomBelow(RandomState& state, std::uint32_t n) {
  state = NextState(state);
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(state) * n) >> 32);
}

double RandomFraction(RandomState& state) {
  state = NextState(state);
  return static_cast<double>(state) / 4294967296.0;
}

GameNumber DrawGameNumber(RandomState& state) {
  // Both products are exact in double precision, so the floor equals (state * 65535) >> 32.
  auto high = static_cast<std::uint32_t>(std::floor(RandomFraction(state) * 65535.0));
  auto low = static_cast<std::uint32_t>(std::floor(RandomFraction(state) * 65535.0));
  return static_cast<GameNumber>(high * 65536u + low);
}

}  // namespace pelmor::game
