// The saved-game file "Pelmor.sav": its byte layout, and the encoder and decoder that write and
// read it field by field with explicit little-endian helpers.
//
// Layout (little-endian):
//   0   7      "PELMOR" and one zero byte
//   7   4      the game number, signed 32-bit
//   11  ...    six pile records in index order (A, B, C, D, stock, discard pile), each
//                1 byte  n, the card count 0..52
//                2n      the cards bottom first: rank byte 0..12, then suit byte 1..4
//   end 10     the elapsed time in days, an x87 80-bit extended real: 64-bit significand with its
//              explicit leading bit, then the sign bit and the 15-bit exponent biased by 16383
// Bytes after the time field are ignored.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "game/extended.h"
#include "game/piles.h"
#include "game/random.h"

namespace pelmor::store {

inline constexpr std::array<std::uint8_t, 7> kSavedGameId = {'P', 'E', 'L', 'M', 'O', 'R', 0};
inline constexpr int kMaxPileCards = 52;
inline constexpr std::size_t kElapsedSize = 10;
// The longest file that holds anything the decoder looks at: six full piles.
inline constexpr std::size_t kMaxSavedGameSize =
    kSavedGameId.size() + 4 + game::kPileCount * (1 + 2 * kMaxPileCards) + kElapsedSize;

struct SavedGame {
  game::GameNumber number = 0;
  game::Piles piles;
  game::Extended elapsed;  // days, kept bit for bit as the file holds them
};

enum class SavedGameError {
  kNotASavedGame,  // the identification is missing or wrong
  kPartIncorrect,  // anything after it: a count above 52, a bad card, a cut, a time not >= 0.0
                   // (negative, not a number, or an encoding the x87 refuses)
};

struct DecodedSavedGame {
  std::optional<SavedGame> game;  // present exactly when the whole file is valid
  SavedGameError error = SavedGameError::kNotASavedGame;
};

// Decodes and checks the whole file. Any six piles of valid cards are accepted, whether or not
// they hold 52 distinct cards.
DecodedSavedGame DecodeSavedGame(std::span<const std::uint8_t> file);

// The file's bytes; no value when a pile holds more cards than a file can carry (52).
std::optional<std::vector<std::uint8_t>> EncodeSavedGame(const SavedGame& game);

}  // namespace pelmor::store
