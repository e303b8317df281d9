// Pile list operations.
#include "game/piles.h"

#include <algorithm>

namespace pelmor::game {

int PileList::IndexOf(Card card) const {
  auto it = std::find(cards_.begin(), cards_.end(), card);
  return it == cards_.end() ? -1 : static_cast<int>(it - cards_.begin());
}

void PileList::Remove(Card card) {
  auto it = std::find(cards_.begin(), cards_.end(), card);
  if (it != cards_.end()) cards_.erase(it);
}

void MoveTopCard(PileList& from, PileList& to) {
  // In a dealt game all 52 cards are distinct, so the top card is also the first occurrence of its
  // value; a loaded position may repeat a card, and then only taking it off the end moves the card
  // that is actually on top.
  to.Append(from.Top());
  from.RemoveTop();
}

}  // namespace pelmor::game
