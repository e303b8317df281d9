// Reads the piles of a saved game ("Pelmor.sav") for the analyser.
#pragma once

#include <string>

#include "game/piles.h"
#include "game/random.h"

namespace pelmor::analyse {

struct SavedPosition {
  bool ok = false;
  std::string error;  // why the file was refused
  game::GameNumber number = 0;
  game::Piles piles;
};

// The identification, the game number and the six pile records; the time after them is not needed.
// Refuses what the game refuses: a wrong identification, a count above 52, a card out of range, a
// file that ends early.
SavedPosition ReadSavedPosition(const std::string& path);

}  // namespace pelmor::analyse
