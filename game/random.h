// The game's own pseudo-random generator: a 32-bit linear congruential generator whose sequence
// is part of every deal, so it must stay bit for bit the same.
#pragma once

#include <cstdint>

namespace pelmor::game {

using RandomState = std::uint32_t;
using GameNumber = std::int32_t;

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

// State := (state * 134775813 + 1) mod 2^32.
constexpr RandomState NextState(RandomState state) { return state * 134775813u + 1u; }

// Seeds from the UTC time of day in milliseconds (0..86,399,999); the date does not enter.
void SeedFromClock(RandomState& state, const TimeOfDay& utc);

// One step; floor(newState * n / 2^32), so 0..n-1. Requires n >= 1.
std::uint32_t RandomBelow(RandomState& state, std::uint32_t n);

// One step; newState / 2^32, in [0, 1).
double RandomFraction(RandomState& state);

// Two draws of RandomFraction scaled by 65535, combined as high * 65536 + low and read as signed.
GameNumber DrawGameNumber(RandomState& state);

}  // namespace pelmor::game
