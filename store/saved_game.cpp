// Reading and writing the saved-game file, one field at a time.
#include "store/saved_game.h"

#include <algorithm>

namespace pelmor::store {

namespace {

// Reads fields from the front of the file; any read past the end fails and stays failed.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool Bytes(std::span<std::uint8_t> out) {
    if (bytes_.size() - at_ < out.size()) return false;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at_), out.size(), out.begin());
    at_ += out.size();
    return true;
  }
  bool U8(std::uint8_t& value) { return Bytes(std::span(&value, 1)); }
  bool I32(std::int32_t& value) {
    std::array<std::uint8_t, 4> b{};
    if (!Bytes(b)) return false;
    std::uint32_t raw = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                        static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
    value = static_cast<std::int32_t>(raw);  // two's complement, as the file holds it
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

void PutI32(std::vector<std::uint8_t>& out, std::int32_t value) {
  auto raw = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(raw >> shift));
}

}  // namespace

DecodedSavedGame DecodeSavedGame(std::span<const std::uint8_t> file) {
  DecodedSavedGame result;
  Reader reader(file);
  std::array<std::uint8_t, kSavedGameId.size()> id{};
  if (!reader.Bytes(id) || id != kSavedGameId) {
    result.error = SavedGameError::kNotASavedGame;
    return result;
  }
  result.error = SavedGameError::kPartIncorrect;
  SavedGame game;
  if (!reader.I32(game.number)) return result;
  for (auto& pile : game.piles) {
    std::uint8_t count = 0;
    if (!reader.U8(count) || count > kMaxPileCards) return result;
    for (int i = 0; i < count; ++i) {
      std::uint8_t rank = 0, suit = 0;
      if (!reader.U8(rank) || !reader.U8(suit)) return result;
      if (rank >= game::kRankCount || suit < 1 || suit > game::kSuitCount) return result;
      pile.Append(game::MakeCard(rank, suit));
    }
  }
  std::array<std::uint8_t, kElapsedSize> elapsed{};
  if (!reader.Bytes(elapsed)) return result;
  game.elapsed = game::Extended::FromBytes(elapsed);
  if (!game.elapsed.AtLeastZero()) return result;
  result.game = std::move(game);
  return result;
}

std::optional<std::vector<std::uint8_t>> EncodeSavedGame(const SavedGame& game) {
  std::vector<std::uint8_t> out(kSavedGameId.begin(), kSavedGameId.end());
  PutI32(out, game.number);
  for (const auto& pile : game.piles) {
    if (pile.Count() > kMaxPileCards) return std::nullopt;
    out.push_back(static_cast<std::uint8_t>(pile.Count()));
    for (int i = 0; i < pile.Count(); ++i) {
      game::Card card = pile.At(i);
      out.push_back(static_cast<std::uint8_t>(game::RankOf(card)));
      out.push_back(static_cast<std::uint8_t>(game::SuitOf(card)));
    }
  }
  const std::array<std::uint8_t, kElapsedSize> elapsed = game.elapsed.ToBytes();
  out.insert(out.end(), elapsed.begin(), elapsed.end());
  return out;
}

}  // namespace pelmor::store
