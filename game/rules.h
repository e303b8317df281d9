// The rules of play and the analysis of a position, as pure functions over the piles.
#pragma once

#include "game/piles.h"

namespace pelmor::game {

// The top card of tableau pile p may be discarded when another tableau pile shows a card of the
// same suit and a strictly higher strength. False for an empty pile.
bool CanDiscard(const Piles& piles, int pile);

// Discards pile p's top card onto the discard pile when the rule allows; returns whether it moved.
bool DiscardTop(Piles& piles, int pile);

// Moves pile p's top card onto the first empty tableau pile after p (wrapping round to the piles
// before it); returns whether it moved.
bool MoveToEmptyPile(Piles& piles, int pile);

// Two tableau top cards share a suit, so the lower one may be discarded.
bool MovesAvailable(const Piles& piles);

bool SomePileEmpty(const Piles& piles);

// No move is left and the game is not won: no two top cards share a suit, the stock is empty,
// fewer than 48 cards are discarded and no tableau pile is empty.
bool NoMoreMoves(const Piles& piles);

// How many of the four aces lie anywhere in tableau pile p.
int AceCount(const Piles& piles, int pile);

// Recognises the positions in which every tableau pile holds exactly one ace and the aces lie on
// other cards so that 48 discards can no longer be reached.
bool AcesBlocked(const Piles& piles);

// Deals the stock's top cards onto piles A, B, C, D in turn; stops early when the stock runs out
// (only a loaded position can hold fewer than four). Returns how many cards were dealt.
int DrawFromStock(Piles& piles);

// The card shown at a point of a tableau pile fanned 16 pixels per card: the card whose strip
// holds y, or the top card below the last strip. Requires a non-empty pile.
Card CardAtOffset(const PileList& pile, int y);

inline constexpr int kWinningDiscards = 48;

}  // namespace pelmor::game
