// The saved-game layout: "PELMOR" and a zero byte, the game number (signed 32-bit, little-endian),
// six pile records (a count byte, then rank and suit bytes per card, bottom card first), the time.
#include "tools/analyse/saved_position.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace pelmor::analyse {

SavedPosition ReadSavedPosition(const std::string& path) {
  SavedPosition saved;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    saved.error = "cannot open " + path;
    return saved;
  }
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  static const std::uint8_t kIdentification[7] = {'P', 'E', 'L', 'M', 'O', 'R', 0};
  if (bytes.size() < 11 || !std::equal(kIdentification, kIdentification + 7, bytes.begin())) {
    saved.error = path + " isn't a valid saved game";
    return saved;
  }
  std::uint32_t number = 0;
  for (int i = 0; i < 4; ++i) number |= static_cast<std::uint32_t>(bytes[7 + static_cast<std::size_t>(i)]) << (8 * i);
  saved.number = static_cast<game::GameNumber>(number);
  std::size_t at = 11;
  for (auto& pile : saved.piles) {
    if (at >= bytes.size() || bytes[at] > game::kCardCount) {
      saved.error = "a pile count of " + path + " isn't correct";
      return saved;
    }
    std::size_t count = bytes[at++];
    if (at + 2 * count > bytes.size()) {
      saved.error = path + " ends inside a pile";
      return saved;
    }
    for (std::size_t i = 0; i < count; ++i, at += 2) {
      int rank = bytes[at];
      int suit = bytes[at + 1];
      if (rank >= game::kRankCount || suit < game::kClubs || suit > game::kSpades) {
        saved.error = "a card of " + path + " isn't correct";
        return saved;
      }
      pile.Append(game::MakeCard(rank, suit));
    }
  }
  saved.ok = true;
  return saved;
}

}  // namespace pelmor::analyse
