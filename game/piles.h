// The six piles of the table: four tableau piles, the stock and the discard pile.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "game/card.h"

namespace pelmor::game {

// An ordered list of cards, bottom card (the first one placed) at index 0, top card last.
class PileList {
 public:
  int Count() const { return static_cast<int>(cards_.size()); }
  bool Empty() const { return cards_.empty(); }
  // Requires 0 <= index < Count().
  Card At(int index) const { return cards_[static_cast<std::size_t>(index)]; }
  // Requires a non-empty pile.
  Card Top() const { return cards_.back(); }
  void Append(Card card) { cards_.push_back(card); }
  void Clear() { cards_.clear(); }
  // Index of the first occurrence of the whole value, -1 when absent.
  int IndexOf(Card card) const;
  // Removes the first occurrence of the value; nothing when absent.
  void Remove(Card card);
  // Requires a non-empty pile.
  void RemoveTop() { cards_.pop_back(); }

  bool operator==(const PileList&) const = default;

 private:
  std::vector<Card> cards_;
};

inline constexpr int kPileA = 0;
inline constexpr int kPileB = 1;
inline constexpr int kPileC = 2;
inline constexpr int kPileD = 3;
inline constexpr int kStock = 4;
inline constexpr int kDiscard = 5;
inline constexpr int kTableauCount = 4;
inline constexpr int kPileCount = 6;

using Piles = std::array<PileList, kPileCount>;

// Takes the top card of `from` and appends it on top of `to`. Requires a non-empty `from`.
void MoveTopCard(PileList& from, PileList& to);

}  // namespace pelmor::game
