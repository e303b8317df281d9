// Dealing a numbered game.
#include "game/deal.h"

namespace pelmor::game {

Card DrawUnusedCard(RandomState& state, DealtFlags& dealt) {
  for (;;) {
    int suit = static_cast<int>(RandomBelow(state, 4)) + 1;
    int rank = static_cast<int>(RandomBelow(state, 13));
    auto& flag = dealt[static_cast<std::size_t>(DealtIndex(rank, suit))];
    if (flag == 0) {
      flag = 1;
      return MakeCard(rank, suit);
    }
  }
}

void DealGame(GameState& game, GameNumber number) {
  game.random = static_cast<RandomState>(number);
  game.number = number;
  for (auto& pile : game.piles) pile.Clear();
  game.dealt.fill(0);
  PileList& stock = game.piles[kStock];
  for (int i = 0; i < kCardCount; ++i) stock.Append(DrawUnusedCard(game.random, game.dealt));
  for (int pile = kPileA; pile <= kPileD; ++pile) MoveTopCard(stock, game.piles[static_cast<std::size_t>(pile)]);
}

}  // namespace pelmor::game
