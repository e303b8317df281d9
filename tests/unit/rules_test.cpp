// The rules of play and the analyses of a position.
#include <gtest/gtest.h>

#include <initializer_list>

#include "game/rules.h"

namespace pelmor::game {
namespace {

using Pile = std::initializer_list<Card>;

Piles Position(Pile a, Pile b, Pile c, Pile d, int stockCount = 0) {
  Piles piles;
  Pile tableau[] = {a, b, c, d};
  for (int p = 0; p < 4; ++p)
    for (Card card : tableau[p]) piles[static_cast<std::size_t>(p)].Append(card);
  for (int i = 0; i < stockCount; ++i) piles[kStock].Append(MakeCard(i % 13, 1 + i % 4));
  return piles;
}


TEST(DiscardRule, NeedsAHigherCardOfTheSameSuitOnAnotherPile) {
  Piles piles = Position({C(kFive, kHearts)}, {C(kAce, kHearts)}, {C(kKing, kClubs)}, {C(kTwo, kClubs)});
  EXPECT_TRUE(CanDiscard(piles, kPileA));
  EXPECT_FALSE(CanDiscard(piles, kPileB));  // an ace is never discarded
  EXPECT_FALSE(CanDiscard(piles, kPileC));
  EXPECT_TRUE(CanDiscard(piles, kPileD));
  EXPECT_TRUE(MovesAvailable(piles));
}

TEST(DiscardRule, KingGoesOnlyUnderTheAceOfItsSuit) {
  Piles piles = Position({C(kKing, kSpades)}, {C(kQueen, kSpades)}, {C(kAce, kHearts)}, {});
  EXPECT_FALSE(CanDiscard(piles, kPileA));
  EXPECT_TRUE(CanDiscard(piles, kPileB));
  piles[kPileC].Append(C(kAce, kSpades));
  EXPECT_TRUE(CanDiscard(piles, kPileA));
  EXPECT_FALSE(CanDiscard(piles, kPileD));  // empty
}

TEST(DiscardRule, OnlyTopCardsCount) {
  Piles piles = Position({C(kTwo, kHearts)}, {C(kAce, kHearts), C(kThree, kClubs)}, {}, {});
  EXPECT_FALSE(CanDiscard(piles, kPileA));
}

TEST(DiscardTop, MovesTheCardOntoTheDiscardPileOrNothing) {
  Piles piles = Position({C(kFive, kHearts)}, {C(kNine, kHearts)}, {}, {C(kKing, kSpades)});
  EXPECT_FALSE(DiscardTop(piles, kPileB));
  EXPECT_FALSE(DiscardTop(piles, kPileC));
  EXPECT_TRUE(DiscardTop(piles, kPileA));
  EXPECT_TRUE(piles[kPileA].Empty());
  ASSERT_EQ(piles[kDiscard].Count(), 1);
  EXPECT_EQ(piles[kDiscard].Top(), C(kFive, kHearts));
}

TEST(MoveToEmptyPile, SearchesForwardFromThePileAndWrapsRound) {
  Piles fromC = Position({}, {C(kTwo, kClubs)}, {C(kSix, kHearts)}, {});
  EXPECT_TRUE(MoveToEmptyPile(fromC, kPileC));
  EXPECT_EQ(fromC[kPileD].Top(), C(kSix, kHearts));
  EXPECT_TRUE(fromC[kPileA].Empty());

  Piles fromD = Position({}, {}, {C(kTwo, kClubs)}, {C(kSix, kHearts)});
  EXPECT_TRUE(MoveToEmptyPile(fromD, kPileD));
  EXPECT_EQ(fromD[kPileA].Top(), C(kSix, kHearts));
  EXPECT_TRUE(fromD[kPileB].Empty());

  Piles full = Position({C(kTwo, kClubs)}, {C(kThree, kClubs)}, {C(kFour, kClubs)}, {C(kFive, kClubs)});
  Piles before = full;
  EXPECT_FALSE(MoveToEmptyPile(full, kPileB));
  EXPECT_EQ(full, before);
}

TEST(MoveToEmptyPile, MayMoveAPilesOnlyCard) {
  Piles piles = Position({C(kTwo, kClubs)}, {C(kSix, kHearts)}, {C(kFour, kClubs)}, {});
  EXPECT_TRUE(MoveToEmptyPile(piles, kPileB));
  EXPECT_TRUE(piles[kPileB].Empty());
  EXPECT_EQ(piles[kPileD].Count(), 1);
  Piles empty = Position({}, {}, {}, {});
  EXPECT_FALSE(MoveToEmptyPile(empty, kPileA));
}

TEST(MovesAvailable, TwoTopCardsOfOneSuit) {
  EXPECT_TRUE(MovesAvailable(Position({C(kFive, kHearts)}, {C(kNine, kHearts)}, {}, {C(kKing, kSpades)})));
  EXPECT_FALSE(MovesAvailable(
      Position({C(kFive, kHearts)}, {C(kNine, kClubs)}, {C(kTwo, kSpades)}, {C(kKing, kDiamonds)}, 40)));
  // Cards under the top do not count.
  EXPECT_FALSE(MovesAvailable(Position({C(kFive, kHearts), C(kSix, kClubs)}, {C(kNine, kHearts)}, {}, {})));
  EXPECT_FALSE(MovesAvailable(Position({}, {}, {}, {})));
}

TEST(SomePileEmpty, AnyOfTheFourTableauPiles) {
  EXPECT_FALSE(SomePileEmpty(Position({C(1, 1)}, {C(2, 1)}, {C(3, 1)}, {C(4, 1)})));
  EXPECT_TRUE(SomePileEmpty(Position({C(1, 1)}, {C(2, 1)}, {C(3, 1)}, {})));
  EXPECT_TRUE(SomePileEmpty(Position({}, {C(2, 1)}, {C(3, 1)}, {C(4, 1)})));
}

TEST(AceCount, CountsEachAceAnywhereInThePile) {
  Piles piles = Position({C(kAce, kClubs), C(kFive, kHearts), C(kAce, kSpades)}, {}, {}, {});
  EXPECT_EQ(AceCount(piles, kPileA), 2);
  EXPECT_EQ(AceCount(piles, kPileB), 0);
}

struct BlockedCase {
  const char* name;
  Piles piles;
  bool blocked;
};

class AcesBlockedCases : public ::testing::TestWithParam<BlockedCase> {};

TEST_P(AcesBlockedCases, RecognisesOnlyTheThreeHopelessShapes) {
  EXPECT_EQ(AcesBlocked(GetParam().piles), GetParam().blocked) << GetParam().name;
}

constexpr Card kX = C(kSeven, kClubs);
constexpr Card kY = C(kEight, kDiamonds);

INSTANTIATE_TEST_SUITE_P(
    Shapes, AcesBlockedCases,
    ::testing::Values(
        BlockedCase{"every pile an ace on other cards",
                    Position({kX, C(kAce, kClubs)}, {kY, C(kAce, kDiamonds)}, {kX, C(kAce, kHearts)},
                             {kY, C(kAce, kSpades)}),
                    true},
        BlockedCase{"three lone bottom aces and one covering",
                    Position({C(kAce, kClubs), kX}, {C(kAce, kDiamonds)}, {C(kAce, kHearts), kY},
                             {kX, C(kAce, kSpades)}),
                    true},
        BlockedCase{"two lone bottom aces and two covering",
                    Position({C(kAce, kClubs)}, {C(kAce, kDiamonds), kX}, {kX, C(kAce, kHearts)},
                             {kY, C(kAce, kSpades), kX}),
                    true},
        BlockedCase{"one lone bottom ace and three covering",
                    Position({C(kAce, kClubs)}, {kX, C(kAce, kDiamonds)}, {kX, C(kAce, kHearts)},
                             {kY, C(kAce, kSpades)}),
                    false},
        BlockedCase{"all four aces at the bottom",
                    Position({C(kAce, kClubs)}, {C(kAce, kDiamonds)}, {C(kAce, kHearts)}, {C(kAce, kSpades)}),
                    false},
        BlockedCase{"an ace still in the stock",
                    Position({kX, C(kAce, kClubs)}, {kY, C(kAce, kDiamonds)}, {kX, C(kAce, kHearts)}, {kY}, 4),
                    false},
        BlockedCase{"two covering aces in one pile beside two lone bottom aces",
                    Position({C(kAce, kClubs)}, {C(kAce, kDiamonds)}, {kX, C(kAce, kHearts), C(kAce, kSpades)},
                             {kY}),
                    false},
        BlockedCase{"two aces in one covering pile do not make case a",
                    Position({kX, C(kAce, kClubs), C(kAce, kDiamonds)}, {kY}, {kX, C(kAce, kHearts)},
                             {kY, C(kAce, kSpades)}),
                    false}));

TEST(DrawFromStock, DealsTheTopFourOntoAToD) {
  Piles piles = Position({C(1, 1)}, {C(2, 1)}, {C(3, 1)}, {C(4, 1)}, 48);
  Card top = piles[kStock].Top();
  Card fourth = piles[kStock].At(44);
  EXPECT_EQ(DrawFromStock(piles), 4);
  EXPECT_EQ(piles[kStock].Count(), 44);
  EXPECT_EQ(piles[kPileA].Top(), top);
  EXPECT_EQ(piles[kPileD].Top(), fourth);
  for (int p = 0; p < 4; ++p) EXPECT_EQ(piles[static_cast<std::size_t>(p)].Count(), 2);
}

TEST(DrawFromStock, AShortLoadedStockDealsWhatItHasOntoAFirst) {
  Piles piles = Position({}, {}, {}, {}, 2);
  Card top = piles[kStock].Top();
  EXPECT_EQ(DrawFromStock(piles), 2);
  EXPECT_EQ(piles[kPileA].Top(), top);
  EXPECT_EQ(piles[kPileB].Count(), 1);
  EXPECT_TRUE(piles[kPileC].Empty());
  EXPECT_TRUE(piles[kStock].Empty());
}

TEST(CardAtOffset, NamesTheCardWhoseStripWasClicked) {
  PileList pile;
  for (int rank = 0; rank < 5; ++rank) pile.Append(C(rank, kHearts));
  EXPECT_EQ(CardAtOffset(pile, 15), C(0, kHearts));
  EXPECT_EQ(CardAtOffset(pile, 16), C(1, kHearts));
  EXPECT_EQ(CardAtOffset(pile, 40), C(2, kHearts));
  EXPECT_EQ(CardAtOffset(pile, 79), C(4, kHearts));
  EXPECT_EQ(CardAtOffset(pile, 200), C(4, kHearts));
}

}  // namespace
}  // namespace pelmor::game
