// Discards, moves onto empty piles, draws, and the analyses that decide when a game is over.
#include "game/rules.h"

#include <algorithm>
#include <array>

namespace pelmor::game {

namespace {

const PileList& Tableau(const Piles& piles, int pile) { return piles[static_cast<std::size_t>(pile)]; }
PileList& Tableau(Piles& piles, int pile) { return piles[static_cast<std::size_t>(pile)]; }

bool DiscardRuleHolds(const Piles& piles, Card top) {
  for (int other = kPileA; other <= kPileD; ++other) {
    const PileList& candidate = Tableau(piles, other);
    if (candidate.Empty()) continue;
    Card higher = candidate.Top();
    if (SuitOf(higher) == SuitOf(top) &&
        RankOrder[static_cast<std::size_t>(RankOf(higher))] > RankOrder[static_cast<std::size_t>(RankOf(top))])
      return true;
  }
  return false;
}

}  // namespace

bool CanDiscard(const Piles& piles, int pile) {
  const PileList& p = Tableau(piles, pile);
  return !p.Empty() && DiscardRuleHolds(piles, p.Top());
}

bool DiscardTop(Piles& piles, int pile) {
  if (!CanDiscard(piles, pile)) return false;
  MoveTopCard(Tableau(piles, pile), piles[kDiscard]);
  return true;
}

bool MoveToEmptyPile(Piles& piles, int pile) {
  if (Tableau(piles, pile).Empty()) return false;
  for (int step = 1; step < kTableauCount; ++step) {
    int target = (pile + step) % kTableauCount;
    if (Tableau(piles, target).Empty()) {
      MoveTopCard(Tableau(piles, pile), Tableau(piles, target));
      return true;
    }
  }
  return false;
}

bool MovesAvailable(const Piles& piles) {
  std::array<int, kSuitCount + 1> perSuit{};
  for (int pile = kPileA; pile <= kPileD; ++pile) {
    const PileList& p = Tableau(piles, pile);
    if (p.Empty()) continue;
    int suit = SuitOf(p.Top());
    if (suit >= 1 && suit <= kSuitCount && ++perSuit[static_cast<std::size_t>(suit)] >= 2) return true;
  }
  return false;
}

bool SomePileEmpty(const Piles& piles) {
  for (int pile = kPileA; pile <= kPileD; ++pile)
    if (Tableau(piles, pile).Empty()) return true;
  return false;
}

bool NoMoreMoves(const Piles& piles) {
  return !MovesAvailable(piles) && piles[kStock].Empty() && piles[kDiscard].Count() < kWinningDiscards &&
         !SomePileEmpty(piles);
}

int AceCount(const Piles& piles, int pile) {
  int count = 0;
  for (int suit = kClubs; suit <= kSpades; ++suit)
    if (Tableau(piles, pile).IndexOf(MakeCard(kAce, suit)) >= 0) ++count;
  return count;
}

bool AcesBlocked(const Piles& piles) {
  std::array<int, kTableauCount> covering{};
  int coveringTotal = 0;
  int loneBottom = 0;
  int maxAces = 0;
  for (int suit = kClubs; suit <= kSpades; ++suit) {
    for (int pile = kPileA; pile <= kPileD; ++pile) {
      int index = Tableau(piles, pile).IndexOf(MakeCard(kAce, suit));
      if (index > 0) {
        ++covering[static_cast<std::size_t>(pile)];
        ++coveringTotal;
      } else {
        int aces = AceCount(piles, pile);
        if (index == 0 && aces == 1) ++loneBottom;
        maxAces = std::max(maxAces, aces);
      }
    }
  }
  bool eachPileOnce = std::all_of(covering.begin(), covering.end(), [](int c) { return c == 1; });
  return (coveringTotal == 4 && eachPileOnce) || (coveringTotal == 1 && loneBottom == 3) ||
         (coveringTotal == 2 && loneBottom == 2 && maxAces == 1);
}

int DrawFromStock(Piles& piles) {
  int dealt = 0;
  for (int pile = kPileA; pile <= kPileD && !piles[kStock].Empty(); ++pile, ++dealt)
    MoveTopCard(piles[kStock], Tableau(piles, pile));
  return dealt;
}

Card CardAtOffset(const PileList& pile, int y) {
  int index = y / 16;
  return index >= 0 && index < pile.Count() ? pile.At(index) : pile.Top();
}

}  // namespace pelmor::game
