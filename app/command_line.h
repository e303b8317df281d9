// The command line of a starting copy and the texts of game numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/platform.h"
#include "game/random.h"

namespace pelmor::app {

// Signed decimal only: an optional "-" or "+", then one or more digits "0".."9", nothing else (no
// blanks, no hexadecimal), within the signed 32-bit range. Relaunch lines only ever hold this form.
std::optional<game::GameNumber> ParseGameNumber(std::string_view text);

// The Enter Game Number scan: every character is "-" or a digit.
bool PassesGameNumberScan(std::string_view text);

// "'%s' is not a valid integer value."
std::string ConversionErrorText(std::string_view text);

enum class StartKind { kRandom, kLoad, kNumber, kNotANumber };

struct StartChoice {
  StartKind kind = StartKind::kRandom;
  game::GameNumber number = 0;
};

// Argument 1 (args[0] is the program's own path): absent or "/" a random game, "/L" (case
// sensitive) the saved game, anything else a game number.
StartChoice InterpretFirstArgument(const std::vector<std::string>& args);

// "%d %d %d %d %d": the game number and the window's outer bounds.
std::string RelaunchParameters(game::GameNumber number, const Bounds& bounds);
// "/L %d %d %d %d": the switch that loads the saved game, and the window's outer bounds.
std::string SavedGameRelaunchParameters(const Bounds& bounds);

}  // namespace pelmor::app
