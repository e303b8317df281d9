// The saved-game file's codec and the elapsed time's ten bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "app/save_load.h"
#include "store/saved_game.h"

namespace pelmor::store {
namespace {

using Bytes = std::vector<std::uint8_t>;

ElapsedBytes Hex(const char* text) {
  ElapsedBytes bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(std::stoi(std::string(text + 2 * i, 2), nullptr, 16));
  return bytes;
}

// A file of the given piles (rank, suit pairs) and time, written out by hand.
Bytes File(std::int32_t number, const std::vector<Bytes>& pileCards, const ElapsedBytes& elapsed) {
  Bytes out = {'P', 'E', 'L', 'M', 'O', 'R', 0};
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(number) >> shift));
  for (const auto& cards : pileCards) {
    out.push_back(static_cast<std::uint8_t>(cards.size() / 2));
    out.insert(out.end(), cards.begin(), cards.end());
  }
  out.insert(out.end(), elapsed.begin(), elapsed.end());
  return out;
}

Bytes FullDeckFile() {
  std::vector<Bytes> piles(6);
  for (int i = 0; i < 52; ++i) {
    Bytes& pile = piles[i < 4 ? static_cast<std::size_t>(i) : 4];
    pile.push_back(static_cast<std::uint8_t>(i % 13));
    pile.push_back(static_cast<std::uint8_t>(1 + i / 13));
  }
  return File(-1, piles, Hex("0048897206452EC2EE3F"));
}

SavedGameError ErrorOf(const Bytes& file) {
  DecodedSavedGame decoded = DecodeSavedGame(file);
  EXPECT_FALSE(decoded.game.has_value());
  return decoded.error;
}

TEST(ElapsedBytes, KnownValuesBothWays) {
  const std::pair<long double, const char*> cases[] = {
      {0.0L, "00000000000000000000"},
      {1.0L, "0000000000000080FF3F"},
      {-1.0L, "0000000000000080FFBF"},
      // One second: the clock's tick of 1/86400 day, a double-precision value.
      {static_cast<long double>(1.0 / 86400), "0048897206452EC2EE3F"},
  };
  for (const auto& [days, hex] : cases) {
    EXPECT_EQ(app::ElapsedToFileBytes(days), Hex(hex)) << hex;
    EXPECT_EQ(app::ElapsedFromFileBytes(Hex(hex)), days) << hex;
  }
}

TEST(ElapsedBytes, AgreeWithTheX87FormatWhereLongDoubleIsIt) {
  if constexpr (std::numeric_limits<long double>::digits != 64) {
    GTEST_SKIP() << "long double is not the x87 format here";
  } else {
    std::mt19937_64 random(42);
    for (int i = 0; i < 20000; ++i) {
      ElapsedBytes bytes{};
      for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
      if (i % 4 == 0) bytes[9] &= 0x80;  // denormals and zeros
      if (i % 4 == 1) bytes[9] |= 0x7F, bytes[8] = 0xFF;  // infinities, NaNs and pseudo-values
      long double native = 0;
      std::memcpy(&native, bytes.data(), bytes.size());
      ASSERT_EQ(ElapsedIsNonNegative(bytes), native >= 0.0L) << i;
      // Unnormals and pseudo-denormals are other spellings of values with a normal encoding.
      const bool zeroExponent = ((bytes[9] & 0x7F) | bytes[8]) == 0;
      const bool integerBit = (bytes[7] & 0x80) != 0;
      if (std::isnan(native) || zeroExponent == integerBit) continue;
      ASSERT_EQ(app::ElapsedToFileBytes(native), bytes) << i;
      ASSERT_EQ(app::ElapsedFromFileBytes(bytes), native) << i;
    }
  }
}

TEST(ElapsedBytes, NonNegativeTestOnTheEdges) {
  EXPECT_TRUE(ElapsedIsNonNegative(Hex("00000000000000000080")));   // -0.0
  EXPECT_TRUE(ElapsedIsNonNegative(Hex("0000000000000080FF7F")));   // +infinity
  EXPECT_FALSE(ElapsedIsNonNegative(Hex("0000000000000080FFFF")));  // -infinity
  EXPECT_FALSE(ElapsedIsNonNegative(Hex("00000000000000C0FF7F")));  // NaN
  EXPECT_FALSE(ElapsedIsNonNegative(Hex("0000000000000000FF7F")));  // pseudo-infinity
  EXPECT_FALSE(ElapsedIsNonNegative(Hex("0000000000000000FF3F")));  // unnormal
  EXPECT_TRUE(ElapsedIsNonNegative(Hex("01000000000000000000")));   // smallest denormal
  EXPECT_FALSE(ElapsedIsNonNegative(Hex("01000000000000000080")));  // its negative
}

TEST(SavedGameFile, DecodesAFullDeckAndEncodesItBackByteForByte) {
  Bytes file = FullDeckFile();
  ASSERT_EQ(file.size(), 131u);
  DecodedSavedGame decoded = DecodeSavedGame(file);
  ASSERT_TRUE(decoded.game);
  EXPECT_EQ(decoded.game->number, -1);
  EXPECT_EQ(decoded.game->piles[0].Count(), 1);
  EXPECT_EQ(decoded.game->piles[3].Top(), game::MakeCard(3, 1));
  EXPECT_EQ(decoded.game->piles[4].Count(), 48);
  EXPECT_EQ(decoded.game->piles[4].Top(), game::MakeCard(12, 4));
  EXPECT_TRUE(decoded.game->piles[5].Empty());
  EXPECT_EQ(EncodeSavedGame(*decoded.game), file);

  // Bytes after the time field are ignored.
  Bytes longer = file;
  longer.insert(longer.end(), {1, 2, 3});
  DecodedSavedGame again = DecodeSavedGame(longer);
  ASSERT_TRUE(again.game);
  EXPECT_EQ(EncodeSavedGame(*again.game), file);
}

TEST(SavedGameFile, EmptyPilesMakeTwentySevenBytes) {
  SavedGame empty;
  auto file = EncodeSavedGame(empty);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->size(), 27u);
  DecodedSavedGame decoded = DecodeSavedGame(*file);
  ASSERT_TRUE(decoded.game);
  for (const auto& pile : decoded.game->piles) EXPECT_TRUE(pile.Empty());
}

TEST(SavedGameFile, AnySixPilesOfValidCardsAreAccepted) {
  // 52 aces of spades on pile A and a full pile of kings on the discard pile: not a deck, but valid.
  Bytes aces, kings;
  for (int i = 0; i < 52; ++i) aces.insert(aces.end(), {0, 4}), kings.insert(kings.end(), {12, 2});
  Bytes file = File(7, {aces, {}, {}, {}, {}, kings}, Hex("0000000000000080FF3F"));
  DecodedSavedGame decoded = DecodeSavedGame(file);
  ASSERT_TRUE(decoded.game);
  EXPECT_EQ(decoded.game->piles[0].Count(), 52);
  EXPECT_EQ(EncodeSavedGame(*decoded.game), file);
}

TEST(SavedGameFile, RejectsEachBrokenField) {
  Bytes id = FullDeckFile();
  id[6] = '!';
  EXPECT_EQ(ErrorOf(id), SavedGameError::kNotASavedGame);
  EXPECT_EQ(ErrorOf(Bytes{'P', 'E', 'L'}), SavedGameError::kNotASavedGame);

  Bytes count = File(1, {{}, {}, {}, {}, {}, {}}, {});
  count[12] = 53;  // pile B
  EXPECT_EQ(ErrorOf(count), SavedGameError::kPartIncorrect);
  for (Bytes card : {Bytes{0x0D, 0x01}, Bytes{0x05, 0x00}, Bytes{0x05, 0x05}})
    EXPECT_EQ(ErrorOf(File(1, {card, {}, {}, {}, {}, {}}, {})), SavedGameError::kPartIncorrect);
  EXPECT_EQ(ErrorOf(File(1, {{}, {}, {}, {}, {}, {}}, Hex("0000000000000080FFBF"))), SavedGameError::kPartIncorrect);
  EXPECT_EQ(ErrorOf(File(1, {{}, {}, {}, {}, {}, {}}, Hex("00000000000000C0FF7F"))), SavedGameError::kPartIncorrect);
}

TEST(SavedGameFile, EveryCutIsRejected) {
  const Bytes file = FullDeckFile();
  for (std::size_t size = 0; size < file.size(); ++size) {
    Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_EQ(ErrorOf(cut), size < 7 ? SavedGameError::kNotASavedGame : SavedGameError::kPartIncorrect) << size;
  }
}

TEST(SavedGameFile, APileTooLargeForTheFileIsNotEncoded) {
  SavedGame game;
  for (int i = 0; i < 53; ++i) game.piles[5].Append(game::MakeCard(0, 1));
  EXPECT_FALSE(EncodeSavedGame(game));
}

}  // namespace
}  // namespace pelmor::store
