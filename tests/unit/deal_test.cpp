// The generator and the deal, checked against known sequences and known deals.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "game/deal.h"
#include "tests/unit/card_names.h"

namespace pelmor::game {
namespace {

using testing::Name;

TEST(Generator, StepsFromZero) {
  RandomState state = 0;
  std::vector<RandomState> states;
  for (int i = 0; i < 4; ++i) states.push_back(state = NextState(state));
  EXPECT_EQ(states, (std::vector<RandomState>{1u, 134775814u, 3698175007u, 870078620u}));
}

TEST(Generator, RandomBelowTakesTheHighBitsOfTheProduct) {
  RandomState state = 0;
  EXPECT_EQ(RandomBelow(state, 4), 0u);
  EXPECT_EQ(RandomBelow(state, 13), 0u);
  EXPECT_EQ(state, 134775814u);
  // 3698175007 * 4 >> 32 is 3: the top two bits of the new state.
  EXPECT_EQ(RandomBelow(state, 4), 3u);
  state = 0x4D60AE66u;  // the next state is 0xFFFFFFFF, the top of the range
  EXPECT_EQ(RandomBelow(state, 7), 6u);
  EXPECT_EQ(RandomBelow(state, 1), 0u);
}

TEST(Generator, RandomFractionIsTheNewStateOverTwoToThe32) {
  RandomState state = 1;
  EXPECT_DOUBLE_EQ(RandomFraction(state), 134775814.0 / 4294967296.0);
  // From this state the next one is 0xFFFFFFFF, the largest: the fraction still stays below 1.
  state = 0x4D60AE66u;
  double fraction = RandomFraction(state);
  EXPECT_EQ(state, 0xFFFFFFFFu);
  EXPECT_LT(fraction, 1.0);
  EXPECT_DOUBLE_EQ(fraction, 4294967295.0 / 4294967296.0);
}

TEST(Generator, DrawGameNumber) {
  RandomState state = 0;
  EXPECT_EQ(DrawGameNumber(state), 2056);
  EXPECT_EQ(state, 134775814u);  // exactly two steps
  state = 1;
  EXPECT_EQ(DrawGameNumber(state), 134798444);
}

TEST(Generator, DrawGameNumberIsNegativeExactlyForAHighHalfOf32768OrMore) {
  int negatives = 0;
  for (RandomState seed = 0; seed < 3000; ++seed) {
    RandomState state = seed * 1431655765u;
    auto high = static_cast<std::uint32_t>((static_cast<std::uint64_t>(NextState(state)) * 65535u) >> 32);
    GameNumber number = DrawGameNumber(state);
    EXPECT_EQ(number < 0, high >= 32768u) << seed;
    EXPECT_LT(static_cast<std::uint32_t>(number) & 0xFFFFu, 65535u);
    negatives += number < 0;
  }
  EXPECT_GT(negatives, 1000);
  EXPECT_LT(negatives, 2000);
}

TEST(Generator, SeedFromClockUsesMillisecondsOfTheDay) {
  RandomState state = 99;
  SeedFromClock(state, TimeOfDay{12, 34, 56, 789});
  EXPECT_EQ(state, 45296789u);
  SeedFromClock(state, TimeOfDay{23, 59, 59, 999});
  EXPECT_EQ(state, 86399999u);
  SeedFromClock(state, TimeOfDay{0, 0, 0, 0});
  EXPECT_EQ(state, 0u);
}

TEST(DrawUnusedCard, FirstCardOfGameZeroIsTheAceOfClubs) {
  RandomState state = 0;
  DealtFlags dealt{};
  EXPECT_EQ(DrawUnusedCard(state, dealt), MakeCard(kAce, kClubs));
  EXPECT_EQ(dealt[0], 1);
}

TEST(DrawUnusedCard, RedrawsUntilACardNotYetDealtComesUp) {
  RandomState state = 0;
  DealtFlags dealt{};
  dealt.fill(1);
  dealt[static_cast<std::size_t>(DealtIndex(kKing, kSpades))] = 0;
  EXPECT_EQ(DrawUnusedCard(state, dealt), MakeCard(kKing, kSpades));
  EXPECT_EQ(DealtIndex(kKing, kSpades), 51);
  EXPECT_EQ(DealtIndex(kAce, kSpades), 3);
  EXPECT_EQ(DealtIndex(kTwo, kClubs), 4);
}

struct KnownDeal {
  GameNumber number;
  std::vector<std::string> tableau;      // piles A to D
  std::vector<std::string> stockTop;     // top first
  std::vector<std::string> stockBottom;  // bottom first
};

std::vector<std::string> TopFirst(const PileList& pile, int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(Name(pile.At(pile.Count() - 1 - i)));
  return names;
}

std::vector<std::string> BottomFirst(const PileList& pile, int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(Name(pile.At(i)));
  return names;
}

class KnownDeals : public ::testing::TestWithParam<KnownDeal> {};

TEST_P(KnownDeals, DealsCardForCard) {
  const KnownDeal& known = GetParam();
  GameState game;
  game.random = 777;  // whatever the generator held before
  DealGame(game, known.number);
  std::vector<std::string> tableau;
  for (int pile = kPileA; pile <= kPileD; ++pile) {
    ASSERT_EQ(game.piles[static_cast<std::size_t>(pile)].Count(), 1);
    tableau.push_back(Name(game.piles[static_cast<std::size_t>(pile)].Top()));
  }
  EXPECT_EQ(tableau, known.tableau);
  EXPECT_EQ(TopFirst(game.piles[kStock], static_cast<int>(known.stockTop.size())), known.stockTop);
  EXPECT_EQ(BottomFirst(game.piles[kStock], static_cast<int>(known.stockBottom.size())), known.stockBottom);
  EXPECT_EQ(game.number, known.number);
}

INSTANTIATE_TEST_SUITE_P(
    Deals, KnownDeals,
    ::testing::Values(
        KnownDeal{0,
                  {"Eight of Clubs", "Six of Spades", "King of Diamonds", "Five of Hearts"},
                  {"Ten of Clubs", "Queen of Spades", "Ten of Diamonds", "Six of Clubs", "Eight of Spades",
                   "Seven of Diamonds", "Seven of Spades", "King of Clubs"},
                  {"Ace of Clubs", "Three of Spades", "Nine of Diamonds", "Three of Diamonds"}},
        KnownDeal{1,
                  {"Nine of Hearts", "Queen of Spades", "Two of Spades", "Six of Clubs"},
                  {"Three of Clubs", "King of Spades", "Six of Diamonds", "King of Diamonds", "Six of Spades",
                   "Ace of Hearts", "Four of Spades", "King of Clubs"},
                  {"Queen of Clubs", "Four of Clubs", "Five of Hearts", "Five of Clubs"}},
        KnownDeal{-1,
                  {"Eight of Diamonds", "Three of Hearts", "Three of Clubs", "Five of Clubs"},
                  {"Eight of Spades", "Four of Hearts", "Nine of Clubs", "Queen of Diamonds", "Six of Diamonds",
                   "Ace of Hearts", "Eight of Clubs", "Seven of Diamonds"},
                  {"Three of Spades", "Two of Hearts", "Ace of Spades", "King of Diamonds"}},
        KnownDeal{12345,
                  {"Ten of Diamonds", "Nine of Diamonds", "Seven of Spades", "Five of Clubs"},
                  {"Three of Diamonds", "Queen of Diamonds", "Ten of Spades", "King of Spades"},
                  {}},
        KnownDeal{2147483647,
                  {"Eight of Diamonds", "Two of Hearts", "Ace of Spades", "Ace of Clubs"},
                  {"Four of Clubs", "Queen of Hearts", "Jack of Hearts", "Ten of Clubs"},
                  {}},
        KnownDeal{-2147483647 - 1,
                  {"Five of Diamonds", "Queen of Clubs", "Eight of Diamonds", "Four of Spades"},
                  {"Ace of Hearts", "Six of Diamonds", "Two of Spades", "Queen of Hearts"},
                  {}}));

// Counts the generator steps of a deal by replaying its draws.
int StepsOfDeal(GameNumber number) {
  RandomState state = static_cast<RandomState>(number);
  DealtFlags dealt{};
  int steps = 0;
  for (int i = 0; i < kCardCount; ++i) {
    for (;;) {
      int suit = static_cast<int>(RandomBelow(state, 4)) + 1;
      int rank = static_cast<int>(RandomBelow(state, 13));
      steps += 2;
      auto& flag = dealt[static_cast<std::size_t>(DealtIndex(rank, suit))];
      if (flag == 0) {
        flag = 1;
        break;
      }
    }
  }
  return steps;
}

TEST(DealGame, GeneratorEndsWhereTheDrawsEnd) {
  for (GameNumber number : {0, 1, -1}) {
    GameState game;
    DealGame(game, number);
    RandomState state = static_cast<RandomState>(number);
    for (int i = 0; i < StepsOfDeal(number); ++i) state = NextState(state);
    EXPECT_EQ(game.random, state) << number;
  }
  EXPECT_EQ(StepsOfDeal(0), 416);
  EXPECT_EQ(StepsOfDeal(1), 332);
  EXPECT_EQ(StepsOfDeal(-1), 612);
}

TEST(DealGame, LeavesOneCardPerPileAFullStockAndEveryCardOnce) {
  for (GameNumber number : {0, 7, -7, 123456789, 2147483647}) {
    GameState game;
    game.piles[kDiscard].Append(MakeCard(kAce, kHearts));  // left over from before: must go
    DealGame(game, number);
    std::set<Card> seen;
    for (int pile = 0; pile < kPileCount; ++pile)
      for (int i = 0; i < game.piles[static_cast<std::size_t>(pile)].Count(); ++i)
        seen.insert(game.piles[static_cast<std::size_t>(pile)].At(i));
    EXPECT_EQ(seen.size(), 52u);
    for (Card card : seen) EXPECT_EQ(card >> 16, 0u);
    EXPECT_EQ(game.piles[kStock].Count(), 48);
    EXPECT_EQ(game.piles[kDiscard].Count(), 0);
    for (auto flag : game.dealt) EXPECT_EQ(flag, 1);
  }
}

TEST(DealGame, SameNumberSamePositionWhateverTheGeneratorHeld) {
  GameState first;
  first.random = 1;
  DealGame(first, 4242);
  GameState second;
  second.random = 0xDEADBEEF;
  DealGame(second, 4242);
  EXPECT_EQ(first.piles, second.piles);
}

TEST(PileList, LooksUpAndRemovesByWholeValue) {
  PileList pile;
  pile.Append(MakeCard(kTwo, kClubs));
  pile.Append(MakeCard(kAce, kHearts));
  pile.Append(MakeCard(kTwo, kClubs));
  EXPECT_EQ(pile.IndexOf(MakeCard(kAce, kHearts)), 1);
  EXPECT_EQ(pile.IndexOf(MakeCard(kAce, kHearts) | 0x10000u), -1);
  EXPECT_EQ(pile.IndexOf(MakeCard(kKing, kSpades)), -1);
  pile.Remove(MakeCard(kTwo, kClubs));
  EXPECT_EQ(pile.Count(), 2);
  EXPECT_EQ(pile.At(0), MakeCard(kAce, kHearts));
}

TEST(PileList, MovingTheTopCardOfARepeatedValueMovesTheTopOne) {
  // Loaded positions may hold a card twice; the card that moves must be the one on top.
  PileList from;
  from.Append(MakeCard(kFive, kHearts));
  from.Append(MakeCard(kNine, kClubs));
  from.Append(MakeCard(kFive, kHearts));
  PileList to;
  MoveTopCard(from, to);
  ASSERT_EQ(from.Count(), 2);
  EXPECT_EQ(from.At(0), MakeCard(kFive, kHearts));
  EXPECT_EQ(from.Top(), MakeCard(kNine, kClubs));
  EXPECT_EQ(to.Top(), MakeCard(kFive, kHearts));
}

}  // namespace
}  // namespace pelmor::game
