// The plain exhaustive search: depth first over every legal key with a set of visited positions,
// played through the game's own rules. The yardstick of the analyser, in its benchmark and tests.
#pragma once

#include <cstdint>

#include "game/analysis.h"
#include "game/piles.h"

namespace pelmor::analyse {

struct PlainResult {
  game::Verdict verdict = game::Verdict::kUnknown;  // won, lost (complete) or unknown (budget)
  int bestScore = 0;
  std::uint64_t work = 0;  // positions expanded
};

// Explores every position reachable by the keys a..d, A..D and space, expanding at most `budget`.
PlainResult PlainSearch(const game::Piles& piles, std::uint64_t budget);

}  // namespace pelmor::analyse
