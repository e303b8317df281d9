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

std::uint64_t Significand(const ElapsedBytes& bytes) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | bytes[static_cast<std::size_t>(i)];
  return value;
}

}  // namespace

bool ElapsedIsNonNegative(const ElapsedBytes& bytes) {
  const std::uint64_t significand = Significand(bytes);
  const unsigned signAndExponent = static_cast<unsigned>(bytes[8]) | static_cast<unsigned>(bytes[9]) << 8;
  const bool negative = (signAndExponent & 0x8000u) != 0;
  const unsigned exponent = signAndExponent & 0x7FFFu;
  const bool integerBit = (significand >> 63) != 0;
  if (exponent == 0x7FFF) {
    // Only a true infinity (integer bit set, fraction zero) compares; everything else is a NaN
    // or a pseudo-value that the x87 refuses.
    return integerBit && (significand << 1) == 0 && !negative;
  }
  if (exponent != 0 && !integerBit) return false;  // an unnormal: refused as an operand
  if (exponent == 0 && significand == 0) return true;  // +0.0 and -0.0
  return !negative;
}

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
  if (!reader.Bytes(game.elapsed) || !ElapsedIsNonNegative(game.elapsed)) return result;
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
  out.insert(out.end(), game.elapsed.begin(), game.elapsed.end());
  return out;
}

}  // namespace pelmor::store
