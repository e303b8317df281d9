// The saved-game file's codec: the layout, every rejection, cuts, trailing bytes, round trips.
#include <gtest/gtest.h>

#include "store/saved_game.h"

namespace pelmor::store {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ElapsedBytes = std::array<std::uint8_t, kElapsedSize>;

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
  EXPECT_EQ(decoded.game->elapsed.DayMilliseconds(), 1000u);
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
  // An unnormal: a positive-looking value the x87 refuses as an operand.
  EXPECT_EQ(ErrorOf(File(1, {{}, {}, {}, {}, {}, {}}, Hex("0000000000000040FF3F"))), SavedGameError::kPartIncorrect);
  // -0.0 is >= 0.0 and loads.
  EXPECT_TRUE(DecodeSavedGame(File(1, {{}, {}, {}, {}, {}, {}}, Hex("00000000000000000080"))).game);
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
