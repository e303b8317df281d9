// The plain exhaustive search over the piles, with a hash set of the positions seen.
#include "tools/analyse/plain_search.h"

#include <string>
#include <unordered_set>

#include "game/rules.h"

namespace pelmor::analyse {

namespace {

struct Plain {
  std::unordered_set<std::string> seen;
  std::uint64_t budget = 0;
  PlainResult result;

  static std::string Key(const game::Piles& piles) {
    std::string key;
    for (int p = game::kPileA; p <= game::kPileD; ++p) {
      const game::PileList& pile = piles[static_cast<std::size_t>(p)];
      for (int i = 0; i < pile.Count(); ++i) key += static_cast<char>(pile.At(i) & 0xFF), key += static_cast<char>(pile.At(i) >> 8);
      key += '|';
    }
    key += static_cast<char>(piles[game::kStock].Count());
    key += static_cast<char>(piles[game::kDiscard].Count());
    return key;
  }

  // False when the budget ran out or the game was won: the search stops.
  bool Explore(const game::Piles& piles) {
    int score = piles[game::kDiscard].Count();
    if (score > result.bestScore) result.bestScore = score;
    if (score == game::kWinningDiscards) {
      result.verdict = game::Verdict::kWon;
      return false;
    }
    if (!seen.insert(Key(piles)).second) return true;
    if (result.work >= budget) {
      result.verdict = game::Verdict::kUnknown;
      return false;
    }
    ++result.work;
    for (int key = 0; key < 9; ++key) {
      game::Piles next = piles;
      bool moved = key < 4   ? game::DiscardTop(next, key)
                   : key < 8 ? game::MoveToEmptyPile(next, key - 4)
                             : game::DrawFromStock(next) > 0;
      if (moved && !Explore(next)) return false;
    }
    return true;
  }
};

}  // namespace

PlainResult PlainSearch(const game::Piles& piles, std::uint64_t budget) {
  Plain plain;
  plain.budget = budget;
  plain.result.bestScore = piles[game::kDiscard].Count();
  plain.result.verdict = game::Verdict::kLost;
  if (piles[game::kDiscard].Count() <= game::kWinningDiscards) plain.Explore(piles);
  return plain.result;
}

}  // namespace pelmor::analyse
