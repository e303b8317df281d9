// Test helper: cards written the way the game names them.
#pragma once

#include <string>

#include "game/card.h"

namespace pelmor::testing {

inline std::string Name(game::Card card) {
  return std::string(game::RankNames[static_cast<std::size_t>(game::RankOf(card))]) + " of " +
         std::string(game::SuitNames[static_cast<std::size_t>(game::SuitOf(card))]);
}

}  // namespace pelmor::testing
