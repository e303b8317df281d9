// The deal: a game number seeds the generator, which fixes the order of all 52 cards.
#pragma once

#include <array>
#include <cstdint>

#include "game/card.h"
#include "game/piles.h"
#include "game/random.h"

namespace pelmor::game {

// One flag per card at index rank * 4 + suit - 1, set once the card has been dealt.
using DealtFlags = std::array<std::uint8_t, kCardCount>;

constexpr int DealtIndex(int rank, int suit) { return rank * 4 + suit - 1; }

// The module-level game state: the position, the number of the deal and the one generator that
// the deal, the game number draws, the random back and the victory animation all share.
struct GameState {
  Piles piles;
  DealtFlags dealt{};
  GameNumber number = 0;
  RandomState random = 0;
};

// Draws suit then rank until a card not dealt yet comes up; marks it dealt.
Card DrawUnusedCard(RandomState& state, DealtFlags& dealt);

// Seeds the generator with the number, fills the stock in draw order and deals its top four cards
// onto piles A, B, C, D. The caption and the repaint are the table's part of a deal.
void DealGame(GameState& game, GameNumber number);

}  // namespace pelmor::game
