// Card values, rank strengths and the display names of ranks and suits.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace pelmor::game {

// One card: rank 0..12 in the low byte (0 is the ace, 12 the king), suit 1..4 in the next byte
// (clubs, diamonds, hearts, spades), upper 16 bits always zero. Piles look cards up by the whole
// value, so every card that enters a pile must be built by MakeCard.
using Card = std::uint32_t;

inline constexpr int kRankCount = 13;
inline constexpr int kSuitCount = 4;
inline constexpr int kCardCount = kRankCount * kSuitCount;

enum Suit : int { kClubs = 1, kDiamonds = 2, kHearts = 3, kSpades = 4 };
enum Rank : int { kAce = 0, kTwo, kThree, kFour, kFive, kSix, kSeven, kEight, kNine, kTen, kJack, kQueen, kKing };

constexpr Card MakeCard(int rank, int suit) {
  return static_cast<Card>((rank & 0xFF) | ((suit & 0xFF) << 8));
}
// Short form for positions written out in code.
constexpr Card C(int rank, int suit) { return MakeCard(rank, suit); }
constexpr int RankOf(Card card) { return static_cast<int>(card & 0xFF); }
constexpr int SuitOf(Card card) { return static_cast<int>((card >> 8) & 0xFF); }

// Strength of each rank for every "higher card" test: the ace beats the king, the two is weakest.
inline constexpr std::array<std::uint8_t, kRankCount> RankOrder = {13, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

inline constexpr std::array<std::string_view, kRankCount> RankNames = {
    "Ace", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten", "Jack", "Queen", "King"};

// Indexed by suit 1..4; index 0 is never a suit.
inline constexpr std::array<std::string_view, kSuitCount + 1> SuitNames = {"", "Clubs", "Diamonds", "Hearts",
                                                                           "Spades"};

}  // namespace pelmor::game
