// The deal analyser: an exact search that says whether a position can still be won, with a winning
// line in the game's own keys, or the best score that can be reached.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "game/piles.h"
#include "game/rules.h"

namespace pelmor::game {

enum class Verdict {
  kWon,          // the line reaches 48 discards
  kLost,         // the search was complete: bestScore is the most discards any play reaches
  kUnknown,      // the work budget ran out: bestScore was reached, bound is proved
  kUnsupported,  // the tableau and the stock repeat a card
};

// A line is at most this many keys long; a search deeper than this gives up (kUnknown).
inline constexpr int kMaxLineKeys = 2048;

struct Analysis {
  Verdict verdict = Verdict::kUnknown;
  int bestScore = 0;        // discard pile count of the best position reached
  int bound = 0;            // no play reaches more than this (bestScore itself when won or lost)
  std::uint64_t work = 0;   // positions expanded
  int lineLength = 0;       // keys of the line: the winning line, else one that reaches bestScore
  std::array<char, kMaxLineKeys> line{};

  std::string_view Line() const { return {line.data(), static_cast<std::size_t>(lineLength)}; }
};

// What a line does when played key by key into the game's rules, the way the table plays keys:
// a..d discard from pile A..D, A..D move the top card onto the first empty pile after it, space
// draws. Nothing else is accepted.
struct Replay {
  bool accepted = false;    // every key was legal and changed the position
  int keysPlayed = 0;       // keys applied before the first refused one (all of them when accepted)
  int finalScore = 0;       // discard pile count at the end
  bool passedEnd = false;   // a key before the last one ended the game (a loss, or 48 discards)
  int acesQuestions = 0;    // draws after which the game asks whether to go on with covered aces
};

// Plays the line from the position; the result says whether it was legal throughout.
Replay ReplayLine(const Piles& start, std::string_view line);

// The search. One analyser holds the memory of positions already settled, allocated once when it is
// built; Analyse itself allocates nothing, so one analyser per thread serves any number of deals.
class Analyser {
 public:
  // `positions`: how many positions the memory can hold. A budget is clamped to three quarters of it.
  explicit Analyser(std::size_t positions);
  ~Analyser();
  Analyser(const Analyser&) = delete;
  Analyser& operator=(const Analyser&) = delete;

  // Analyses the position (piles A..D, the stock in its order, the discard pile), expanding at most
  // `budget` positions.
  Analysis Analyse(const Piles& piles, std::uint64_t budget);

  std::uint64_t MaxBudget() const;

 private:
  struct Search;
  std::unique_ptr<Search> search_;
};

}  // namespace pelmor::game
