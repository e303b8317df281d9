// The deal analyser: depth-first search over a compact position with a memory of settled positions
// (and of the positions they dominate), proved bounds, forced safe discards and a work budget.
//
// The compact position. Every card that is still in play (tableau and stock) gets an index and a
// home pile: a tableau card's home is the pile it lies in at the start, a stock card's home is the
// pile the draw will put it on. A pile can only receive a card out of turn by a move onto it while
// it is empty, so every pile is: at most one such card at its bottom, then the cards of its home,
// in the order they arrived, that are neither discarded nor moved away. The whole position is
// therefore fixed by which cards are gone, how far the stock has been drawn, and the card (if any)
// at the bottom of each pile that it did not arrive at by deal or draw. That is 52 + 6 + 4 * 6 bits,
// the key of the memory. A card moved back onto an empty home pile counts as at home again, so one
// position has one key.
//
// Why a visited position never needs a second look: the search maximises the discard count and
// prunes a position when its proved bound is no better than the best score found so far. That best
// score only grows, so whatever a settled position could reach is already matched or beaten.
//
// Nor does a position that a settled one dominates. Take away from a position one or two of the
// weakest cards in play of a suit: the position left (same stock, every other card in its place)
// can play every play of the first, skipping the steps of the taken cards. A taken card could only
// ever leave, cover another card, or let a weaker card of its suit go, and every weaker card of its
// suit still in play is taken too (or proved by a bound never to go); a pile the first position
// empties is empty in the other as well, and a card on top in the first is on top in the other. So
// the position left reaches at least the same score, and when it is settled, the first needs no look.
#include "game/analysis.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "game/rules.h"

namespace pelmor::game {

namespace {

constexpr int kMaxCards = kCardCount;
constexpr int kMaxPile = kMaxCards;
constexpr int kStockShift = 52;
constexpr int kGenerationShift = 24;
constexpr std::uint64_t kUnsettled = std::uint64_t{1} << 63;

struct Entry {
  std::uint64_t lo;  // discarded cards, stock position
  std::uint64_t hi;  // out-of-turn bottom cards, generation
};

std::uint64_t Mix(std::uint64_t lo, std::uint64_t hi) {
  std::uint64_t h = lo * 0x9E3779B97F4A7C15ull ^ (hi + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
  h ^= h >> 31;
  h *= 0xD6E8FEB86659FD93ull;
  return h ^ (h >> 32);
}

enum class Outcome { kDone, kWon, kAborted };

enum class Kind : std::uint8_t { kDiscard, kMove, kDraw };

// A move onto an empty pile goes straight to the chosen empty pile: the keys reach any of them,
// since the card walks from one empty pile to the next in the program's order.
struct Move {
  Kind kind;
  std::uint8_t pile;
  std::uint8_t target;
};

}  // namespace

struct Analyser::Search {
  // Memory of settled positions: open addressing, linear probing; an entry of another generation
  // is empty, so a new analysis needs no clearing.
  std::unique_ptr<Entry[]> table;
  std::size_t mask = 0;
  std::uint64_t generation = 0;
  // One bit per hash of every position entered in the memory, eight bits per entry: most looks for
  // a dominating position end here, in a map small enough for the caches. Cleared per analysis.
  std::unique_ptr<std::uint64_t[]> filter;
  std::size_t filterMask = 0;

  // The cards in play.
  int count = 0;
  int firstStock = 0;
  int stockCount = 0;
  std::uint8_t suit[kMaxCards];
  std::uint8_t strength[kMaxCards];
  std::uint8_t home[kMaxCards];
  bool ace[kMaxCards];
  // Per suit, the cards in play from the weakest to the strongest.
  std::uint8_t bySuit[kSuitCount + 1][kRankCount];
  int suitCount[kSuitCount + 1];
  int nonAces = 0;

  // The position.
  std::uint8_t pile[kTableauCount][kMaxPile];
  int size[kTableauCount];
  std::uint8_t bottom[kTableauCount];  // card index + 1 of an out-of-turn bottom card, 0 for none
  int stockPos = 0;
  std::uint64_t discarded = 0;
  int discards = 0;

  // The search. The order of the moves tried: the draw before or after the moves of lone cards.
  bool drawLast = false;
  int best = 0;
  int abortBound = 0;
  std::uint64_t work = 0;
  std::uint64_t budget = 0;
  int depth = 0;
  char path[kMaxLineKeys];
  Analysis* result = nullptr;

  // Scratch of the bound: the piles with the stock dealt out on them, each card's pile there, the
  // round it arrives in, the earliest round it could go in (each also as the mask of that round and
  // the later ones), the rounds it could lie on top in, and the cards in play suit by suit.
  std::uint8_t seq[kTableauCount][kMaxPile];
  int seqLen[kTableauCount];
  std::uint8_t where[kMaxCards];
  std::uint8_t arrive[kMaxCards];
  std::uint8_t goRound[kMaxCards];
  std::uint16_t shown[kMaxCards];
  std::uint16_t arriveFrom[kMaxCards];
  std::uint16_t goneFrom[kMaxCards];
  unsigned strongerElsewhere[kMaxCards];
  std::uint8_t liveBySuit[kMaxCards];
  std::uint16_t floating[kMaxCards];
  std::uint64_t neverGo = 0;  // the cards in play the last bound found never go

  explicit Search(std::size_t positions) {
    // As many entries as the budget needs with a quarter to spare, up to 8 GiB (256 MiB in a
    // 32-bit process), and a sixteenth more for the filter; a larger budget is clamped to it. Where
    // the machine cannot give that much, the memory is halved until it can, and so is the budget.
    const std::size_t largest = sizeof(void*) == 4 ? std::size_t{1} << 24 : std::size_t{1} << 29;
    std::size_t capacity = 1024;
    while (capacity / 4 * 3 < positions && capacity < largest) capacity *= 2;
    for (;; capacity /= 2) {
      try {
        table = std::make_unique_for_overwrite<Entry[]>(capacity);
        filter = std::make_unique_for_overwrite<std::uint64_t[]>(capacity / 8);
        break;
      } catch (const std::bad_alloc&) {
        table.reset();
        if (capacity == 1024) throw;
      }
    }
    std::memset(table.get(), 0, capacity * sizeof(Entry));
    mask = capacity - 1;
    filterMask = capacity * 8 - 1;
  }

  void ClearFilter() { std::memset(filter.get(), 0, (mask + 1) / 8 * sizeof(std::uint64_t)); }

  std::uint64_t MaxBudget() const { return (mask + 1) / 4 * 3; }

  // The key of the position and where its search in the memory starts.
  std::uint64_t KeyLo() const { return discarded | (static_cast<std::uint64_t>(stockPos) << kStockShift); }
  std::uint64_t KeyHi() const {
    return static_cast<std::uint64_t>(bottom[0]) | static_cast<std::uint64_t>(bottom[1]) << 6 |
           static_cast<std::uint64_t>(bottom[2]) << 12 | static_cast<std::uint64_t>(bottom[3]) << 18 |
           generation << kGenerationShift;
  }
  std::size_t SlotOf(std::uint64_t hash) const { return static_cast<std::size_t>(hash) & mask; }
  std::size_t Slot(std::uint64_t lo, std::uint64_t hi) const { return SlotOf(Mix(lo, hi)); }
  std::size_t FilterBit(std::uint64_t hash) const { return static_cast<std::size_t>(hash >> 32) & filterMask; }

  // Marks the position as visited and returns its slot, or returns nullptr when it was already.
  Entry* Visit() {
    std::uint64_t lo = KeyLo();
    std::uint64_t hi = KeyHi();
    std::uint64_t hash = Mix(lo, hi);
    for (std::size_t i = SlotOf(hash);; i = (i + 1) & mask) {
      Entry& e = table[i];
      if ((e.hi >> kGenerationShift) != generation) {
        e.lo = lo;
        e.hi = hi;
        std::size_t bit = FilterBit(hash);
        filter[bit >> 6] |= std::uint64_t{1} << (bit & 63);
        return &e;
      }
      if (e.lo == lo && e.hi == hi) return nullptr;
    }
  }

  bool Settled(std::uint64_t lo, std::uint64_t hi) const {
    std::uint64_t hash = Mix(lo, hi);
    std::size_t bit = FilterBit(hash);
    if (!(filter[bit >> 6] >> (bit & 63) & 1)) return false;
    for (std::size_t i = SlotOf(hash);; i = (i + 1) & mask) {
      const Entry& e = table[i];
      if ((e.hi >> kGenerationShift) != generation) return false;
      if (e.lo == lo && e.hi == hi) return true;
    }
  }

  // Whether a settled position dominates this one: the same with the weakest card in play of a
  // suit, or its two weakest, gone (see the top of the file), passing over the cards of `never`,
  // proved never to go. Aces never go, so they are never taken.
  bool Dominated(std::uint64_t never) const {
    constexpr int kTakenMost = 2;  // three found almost no more
    const std::uint64_t lo = KeyLo();
    const std::uint64_t hi = KeyHi();
    for (int s = 1; s <= kSuitCount; ++s) {
      std::uint64_t takenLo = lo;
      std::uint64_t takenHi = hi;
      int taken = 0;
      for (int k = 0; k < suitCount[s] && taken < kTakenMost; ++k) {
        int w = bySuit[s][k];
        if ((discarded | never) >> w & 1) continue;
        if (ace[w]) break;
        takenLo |= std::uint64_t{1} << w;
        for (int p = 0; p < kTableauCount; ++p)
          if (bottom[p] == w + 1) takenHi &= ~(std::uint64_t{63} << (6 * p));
        ++taken;
        if (Settled(takenLo, takenHi)) return true;
      }
    }
    return false;
  }

  // A position whose search was abandoned is not settled: its entry stops matching any key (the
  // stock position never reaches the top bit) but still holds its place for the probes.
  static void Unsettle(Entry* e) { e->lo |= kUnsettled; }

  int Top(int p) const { return pile[p][size[p] - 1]; }

  bool Discardable(int p) const {
    if (size[p] == 0) return false;
    int x = Top(p);
    for (int q = 0; q < kTableauCount; ++q) {
      if (q == p || size[q] == 0) continue;
      int w = Top(q);
      if (suit[w] == suit[x] && strength[w] > strength[x]) return true;
    }
    return false;
  }

  // Whether no card will ever need x to be discarded: every weaker card of its suit still in play
  // is one of `never`, the cards proved never to go.
  bool NoneNeeds(int x, std::uint64_t never) const {
    for (int k = 0; k < suitCount[suit[x]]; ++k) {
      int c = bySuit[suit[x]][k];
      if ((discarded | never) >> c & 1) continue;
      return c == x;
    }
    return false;
  }

  // Appends the keys that carry pile a's top card onto the empty pile e: each key moves it to the
  // first empty pile after the one it lies on.
  void MoveKeys(int a, int e) {
    bool empty[kTableauCount];
    for (int q = 0; q < kTableauCount; ++q) empty[q] = size[q] == 0;
    int at = a;
    bool alone = size[a] == 1;
    for (;;) {
      path[depth++] = static_cast<char>('A' + at);
      int next = -1;
      for (int step = 1; step < kTableauCount && next < 0; ++step)
        if (empty[(at + step) % kTableauCount]) next = (at + step) % kTableauCount;
      empty[next] = false;
      if (at != a || alone) empty[at] = true;
      if (next == e) return;
      at = next;
    }
  }

  // Undo records: what a move changed besides the card itself.
  struct Undo {
    std::uint8_t card;
    std::uint8_t from;
    std::uint8_t to;
    std::uint8_t fromBottom;
    std::uint8_t dealt;
  };

  Undo Make(Move m) {
    Undo u{};
    switch (m.kind) {
      case Kind::kDiscard: {
        int p = m.pile;
        int x = pile[p][--size[p]];
        u.card = static_cast<std::uint8_t>(x);
        u.from = static_cast<std::uint8_t>(p);
        u.fromBottom = bottom[p];
        if (size[p] == 0) bottom[p] = 0;
        discarded |= std::uint64_t{1} << x;
        ++discards;
        break;
      }
      case Kind::kMove: {
        int a = m.pile;
        int e = m.target;
        int x = pile[a][--size[a]];
        u.card = static_cast<std::uint8_t>(x);
        u.from = static_cast<std::uint8_t>(a);
        u.to = static_cast<std::uint8_t>(e);
        u.fromBottom = bottom[a];
        if (size[a] == 0) bottom[a] = 0;
        pile[e][size[e]++] = static_cast<std::uint8_t>(x);
        bottom[e] = home[x] == e ? 0 : static_cast<std::uint8_t>(x + 1);
        break;
      }
      case Kind::kDraw: {
        int dealt = 0;
        for (int p = 0; p < kTableauCount && stockPos < stockCount; ++p, ++dealt) {
          pile[p][size[p]++] = static_cast<std::uint8_t>(firstStock + stockPos);
          ++stockPos;
        }
        u.dealt = static_cast<std::uint8_t>(dealt);
        break;
      }
    }
    return u;
  }

  void Unmake(Move m, const Undo& u) {
    switch (m.kind) {
      case Kind::kDiscard:
        pile[u.from][size[u.from]++] = u.card;
        bottom[u.from] = u.fromBottom;
        discarded &= ~(std::uint64_t{1} << u.card);
        --discards;
        break;
      case Kind::kMove:
        --size[u.to];
        bottom[u.to] = 0;
        pile[u.from][size[u.from]++] = u.card;
        bottom[u.from] = u.fromBottom;
        break;
      case Kind::kDraw:
        for (int p = u.dealt - 1; p >= 0; --p) {
          --size[p];
          --stockPos;
        }
        break;
    }
  }

  // A proved upper bound on the discard count any play from here reaches: the cards in play that
  // can never go are left out.
  //
  // It rests on a looser game played in rounds: round 0 is now, round k follows the k-th draw from
  // here. Each pile is what it holds now with the stock cards still to come to it on top, in
  // order. A card can leave its place in round t only if it has arrived by then, every card above
  // it that has arrived by then has left in round t or before, and either a stronger card of its
  // suit can lie on top of another pile in round t (a discard) or another pile can be empty in
  // round t (a move). A pile can be empty in round t when every card it has received by then can
  // have left by then. A moved card is taken to lie on top in every later round in which a pile
  // could be empty but for it. Starting from "never", the earliest round in which each card can
  // leave falls to a fixed point, and every step of a real play meets the looser rules (by
  // induction over the play), so a card that can neither be discarded in place nor after a move
  // never goes.
  int Bound() {
    int live = nonAces - std::popcount(discarded);
    int bound = discards + live;
    const int first = stockPos / kTableauCount;
    const int rounds = (stockCount + kTableauCount - 1) / kTableauCount - first;
    const int never = rounds + 1;
    const unsigned all = (1u << (rounds + 1)) - 1;
    auto from = [all](int t) { return all & ~((1u << t) - 1); };  // round t and after
    for (int p = 0; p < kTableauCount; ++p) {
      seqLen[p] = size[p];
      for (int i = 0; i < size[p]; ++i) {
        int x = pile[p][i];
        seq[p][i] = static_cast<std::uint8_t>(x);
        arrive[x] = 0;
      }
    }
    for (int t = stockPos; t < stockCount; ++t) {
      int p = t % kTableauCount;
      int x = firstStock + t;
      seq[p][seqLen[p]++] = static_cast<std::uint8_t>(x);
      arrive[x] = static_cast<std::uint8_t>(t / kTableauCount - first + 1);
    }
    for (int p = 0; p < kTableauCount; ++p)
      for (int i = 0; i < seqLen[p]; ++i) {
        int x = seq[p][i];
        where[x] = static_cast<std::uint8_t>(p);
        arriveFrom[x] = static_cast<std::uint16_t>(from(arrive[x]));
        goRound[x] = static_cast<std::uint8_t>(never);
        goneFrom[x] = 0;
        shown[x] = 0;
        floating[x] = 0;
      }
    // The cards in play, suit by suit from the strongest down.
    int liveCount = 0;
    int suitEnd[kSuitCount + 1];
    for (int s = 1; s <= kSuitCount; ++s) {
      for (int k = suitCount[s] - 1; k >= 0; --k) {
        int x = bySuit[s][k];
        if (!(discarded >> x & 1)) liveBySuit[liveCount++] = static_cast<std::uint8_t>(x);
      }
      suitEnd[s] = liveCount;
    }
    unsigned emptiable[kTableauCount] = {0, 0, 0, 0};
    bool changed = true;
    bool shownChanged = true;
    while (changed) {
      changed = false;
      if (shownChanged) StrongerOnTop(suitEnd);
      shownChanged = false;
      for (int p = 0; p < kTableauCount; ++p) {
        const unsigned emptyOther = OtherPiles(emptiable, p);
        const unsigned emptyAny = emptyOther | emptiable[p];
        unsigned blocked = 0;  // rounds in which a card above has arrived and not yet gone
        for (int i = seqLen[p] - 1; i >= 0; --i) {
          int x = seq[p][i];
          unsigned m = arriveFrom[x] & ~blocked;
          // Moved onto a pile that is empty in round t, a card lies on top in every later round
          // in which that pile, but for it, could be empty; and it can move on from there.
          unsigned moves = m & emptyOther;
          unsigned f = moves ? from(std::countr_zero(moves)) & emptyAny : 0;
          if (m != shown[x] || f != floating[x]) {
            shown[x] = static_cast<std::uint16_t>(m);
            floating[x] = static_cast<std::uint16_t>(f);
            shownChanged = true;
          }
          if (goRound[x] > arrive[x]) {
            unsigned leave = m & (emptyOther | strongerElsewhere[x]);
            int g = leave ? std::countr_zero(leave) : never;
            if (g < goRound[x]) {
              goRound[x] = static_cast<std::uint8_t>(g);
              goneFrom[x] = static_cast<std::uint16_t>(from(g));
              changed = true;
            }
          }
          blocked |= arriveFrom[x] & ~goneFrom[x];
        }
        if ((all & ~blocked) != emptiable[p]) {
          emptiable[p] = all & ~blocked;
          changed = true;
        }
      }
      changed |= shownChanged;
    }
    // The last sweep changed nothing, so the stronger cards' rounds gathered before it are final.
    int stuck = 0;
    neverGo = 0;
    for (int s = 1, k = 0; s <= kSuitCount; ++s) {
      unsigned anywhere = 0;  // rounds in which a stronger card of the suit can lie on top of any pile
      for (; k < suitEnd[s]; ++k) {
        int x = liveBySuit[k];
        if (!ace[x] && !(shown[x] & strongerElsewhere[x]) && !(floating[x] & anywhere)) {
          ++stuck;
          neverGo |= std::uint64_t{1} << x;
        }
        anywhere |= shown[x] | floating[x];
      }
    }
    return bound - std::max(stuck, AcesLockStuck());
  }

  // How many cards the aces' need for piles of their own leaves in place at the least, from the
  // looser game just worked out (0 when it proves nothing).
  //
  // An ace never leaves the tableau, so the cards under it go only once it has moved onto an empty
  // pile; call it a moving ace when a card that is not an ace lies under it: under it now, or, for
  // an ace still in the stock, a card the looser game says cannot have gone by the round the ace
  // arrives in. A pile holding an ace with only aces under it (grounded) is never empty again, and
  // a moved ace lies alone at the bottom of a pile that no other ace of the tableau can reach (moves
  // go onto empty piles only), so two aces of the tableau share a pile only where they do now. Take
  // the moment the last moving ace moves: each moving ace then has a pile of its own, the grounded
  // aces at least as many piles as they have now, and the pile the last one left still holds the
  // cards under it, without an ace unless it is one of the grounded piles. So all the moving aces
  // can move only if movers + grounded piles (+1 when no moving ace lies on a grounded pile) <= 4;
  // otherwise one of them never moves, and the cards under it stay: at least the fewest lying under
  // the lowest moving ace of a pile.
  int AcesLockStuck() const {
    int movers = 0;
    int groundedPiles = 0;
    bool moverOnGrounded = false;
    int fewestStuck = kMaxCards;
    for (int p = 0; p < kTableauCount; ++p) {
      bool grounded = false;
      bool mover = false;
      int under = 0;  // cards that are not aces under the cards seen so far, now
      for (int i = 0; i < seqLen[p]; ++i) {
        const int x = seq[p][i];
        if (!ace[x]) {
          under += arrive[x] == 0;
          continue;
        }
        int stays = under;  // what stays under this ace if it never moves
        if (arrive[x] != 0) {
          stays = 0;
          for (int j = 0; j < i; ++j) stays += !ace[seq[p][j]] && goRound[seq[p][j]] >= arrive[x];
        }
        if (stays == 0) {
          grounded |= arrive[x] == 0;
          continue;
        }
        ++movers;
        if (!mover) fewestStuck = std::min(fewestStuck, stays);
        mover = true;
      }
      groundedPiles += grounded;
      moverOnGrounded |= grounded && mover;
    }
    if (movers == 0 || movers + groundedPiles + (moverOnGrounded ? 0 : 1) <= kTableauCount) return 0;
    return fewestStuck;
  }

  // For each card in play, the rounds in which a stronger card of its suit can lie on top of
  // another pile.
  void StrongerOnTop(const int* suitEnd) {
    for (int s = 1, k = 0; s <= kSuitCount; ++s) {
      unsigned floats = 0;
      unsigned onPile[kTableauCount] = {0, 0, 0, 0};
      for (; k < suitEnd[s]; ++k) {
        int x = liveBySuit[k];
        int p = where[x];
        strongerElsewhere[x] = floats | OtherPiles(onPile, p);
        floats |= floating[x];
        onPile[p] |= shown[x];
      }
    }
  }

  static unsigned OtherPiles(const unsigned* onPile, int p) { return onPile[p ^ 1] | onPile[p ^ 2] | onPile[p ^ 3]; }

  // Remaining children of an abandoned position count with their bounds.
  void BoundRest(const Move* moves, int from, int to) {
    for (int i = from; i < to; ++i) {
      Undo u = Make(moves[i]);
      abortBound = std::max(abortBound, discards >= kWinningDiscards ? kWinningDiscards : Bound());
      Unmake(moves[i], u);
    }
  }

  // The pile whose top card can be discarded without harm, or -1: a card no other card needs (the
  // weakest of its suit still in play but for `never`, cards that never go); and, once the stock is
  // out, any discard. Then nothing covers a top card any more, so a stronger card of the suit stays
  // on top until a stronger one still lets it go: the discarded card was never needed.
  int SafeDiscard(std::uint64_t never) const {
    const bool drawing = stockPos < stockCount;
    for (int p = 0; p < kTableauCount; ++p)
      if (Discardable(p) && (!drawing || NoneNeeds(Top(p), never))) return p;
    return -1;
  }

  // `bounded`: whether the bound is worth working out here. After a discard it almost never cuts
  // what the position before did not (a few in a thousand), so it waits for the next draw or move.
  // `never`: cards a bound here or on the way here proved never to go; no later play moves them
  // either, since every play from here is the end of a play from there.
  //
  // The safe discards come first, all of them, without a look in the memory: each is the only move
  // tried where it is possible, so the positions on the way have one way on and settle with the
  // position at the end. A position on the way that is met again elsewhere is passed through again
  // to the same end, which the memory then knows.
  Outcome Dfs(bool bounded = true, std::uint64_t never = 0) {
    const int mark = depth;
    Undo taken[kMaxCards];
    std::uint8_t takenFrom[kMaxCards];
    int safe = 0;
    for (int p; discards < kWinningDiscards && (p = SafeDiscard(never)) >= 0; ++safe) {
      path[depth++] = static_cast<char>('a' + p);
      takenFrom[safe] = static_cast<std::uint8_t>(p);
      taken[safe] = Make({Kind::kDiscard, static_cast<std::uint8_t>(p), 0});
    }
    Outcome r = Expand(bounded, never);
    while (safe > 0) {
      --safe;
      Unmake({Kind::kDiscard, takenFrom[safe], 0}, taken[safe]);
    }
    depth = mark;
    return r;
  }

  Outcome Expand(bool bounded, std::uint64_t never) {
    if (discards > best) {
      best = discards;
      result->lineLength = depth;
      std::copy(path, path + depth, result->line.begin());
    }
    if (discards >= kWinningDiscards) return Outcome::kWon;
    if (work >= budget || depth > kMaxLineKeys - kTableauCount) {
      abortBound = std::max(abortBound, Bound());
      return Outcome::kAborted;
    }
    Entry* entry = Visit();
    if (entry == nullptr) return Outcome::kDone;
    ++work;
    // After a draw or a move, the bound; after a discard, the cheaper look for a settled position
    // that dominates this one (9 % of the positions after a discard are dominated, 3 % after a draw).
    if (bounded ? Bound() <= best : Dominated(never)) return Outcome::kDone;
    if (bounded) never |= neverGo;

    Move moves[kTableauCount * kTableauCount + 1];
    int n = 0;
    // A safe discard (the bound may just have proved more cards never go) is taken alone.
    const bool drawing = stockPos < stockCount;
    if (int p = SafeDiscard(never); p >= 0) moves[n++] = {Kind::kDiscard, static_cast<std::uint8_t>(p), 0};
    if (n == 0) {
      for (int p = 0; p < kTableauCount; ++p)
        if (Discardable(p)) moves[n++] = {Kind::kDiscard, static_cast<std::uint8_t>(p), 0};
      int empties = 0;
      for (int e = 0; e < kTableauCount; ++e) empties += size[e] == 0;
      if (empties > 0) {
        // Uncovering moves. Once the stock is out, which pile is which no longer matters: one
        // empty pile serves as well as another.
        for (int p = 0; p < kTableauCount; ++p) {
          if (size[p] < 2) continue;
          for (int e = 0; e < kTableauCount; ++e) {
            if (size[e] != 0) continue;
            moves[n++] = {Kind::kMove, static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(e)};
            if (!drawing) break;
          }
        }
      }
      if (drawing && !drawLast) moves[n++] = {Kind::kDraw, 0, 0};
      // Moving a lone card only changes which card the next draw covers.
      if (empties > 0 && drawing)
        for (int p = 0; p < kTableauCount; ++p)
          if (size[p] == 1)
            for (int e = 0; e < kTableauCount; ++e)
              if (size[e] == 0) moves[n++] = {Kind::kMove, static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(e)};
      if (drawing && drawLast) moves[n++] = {Kind::kDraw, 0, 0};
    }

    // The memory is far bigger than the caches: ask for each next position's place ahead of time.
    for (int i = 0; i < n; ++i) {
      Undo u = Make(moves[i]);
      __builtin_prefetch(&table[Slot(KeyLo(), KeyHi())]);
      Unmake(moves[i], u);
    }
    for (int i = 0; i < n; ++i) {
      int mark = depth;
      if (moves[i].kind == Kind::kMove)
        MoveKeys(moves[i].pile, moves[i].target);
      else
        path[depth++] = moves[i].kind == Kind::kDraw ? ' ' : static_cast<char>('a' + moves[i].pile);
      Undo u = Make(moves[i]);
      Outcome r = Dfs(moves[i].kind != Kind::kDiscard, never);
      depth = mark;
      Unmake(moves[i], u);
      if (r == Outcome::kWon) return r;
      if (r == Outcome::kAborted) {
        BoundRest(moves, i + 1, n);
        Unsettle(entry);
        return r;
      }
    }
    return Outcome::kDone;
  }

  // Loads the position; false when the tableau and the stock repeat a card.
  bool Load(const Piles& piles) {
    count = 0;
    bool seen[kSuitCount + 1][kRankCount] = {};
    auto add = [&](Card card, int homePile) {
      int r = RankOf(card);
      int s = SuitOf(card);
      if (count == kMaxCards || seen[s][r]) return false;
      seen[s][r] = true;
      suit[count] = static_cast<std::uint8_t>(s);
      strength[count] = RankOrder[static_cast<std::size_t>(r)];
      home[count] = static_cast<std::uint8_t>(homePile);
      ace[count] = r == kAce;
      ++count;
      return true;
    };
    for (int p = 0; p < kTableauCount; ++p) {
      const PileList& list = piles[static_cast<std::size_t>(p)];
      size[p] = 0;
      bottom[p] = 0;
      for (int i = 0; i < list.Count(); ++i) {
        pile[p][size[p]++] = static_cast<std::uint8_t>(count);
        if (!add(list.At(i), p)) return false;
      }
    }
    firstStock = count;
    const PileList& stock = piles[kStock];
    stockCount = stock.Count();
    for (int t = 0; t < stockCount; ++t)
      if (!add(stock.At(stockCount - 1 - t), t % kTableauCount)) return false;
    stockPos = 0;
    discarded = 0;
    discards = piles[kDiscard].Count();
    nonAces = 0;
    for (int s = 0; s <= kSuitCount; ++s) suitCount[s] = 0;
    for (int strengthOf = 1; strengthOf <= kRankCount; ++strengthOf)
      for (int c = 0; c < count; ++c)
        if (strength[c] == strengthOf) bySuit[suit[c]][suitCount[suit[c]]++] = static_cast<std::uint8_t>(c);
    for (int c = 0; c < count; ++c)
      if (!ace[c]) ++nonAces;
    return true;
  }
};

Analyser::Analyser(std::size_t positions) : search_(std::make_unique<Search>(positions)) {}
Analyser::~Analyser() = default;

std::uint64_t Analyser::MaxBudget() const { return search_->MaxBudget(); }

Analysis Analyser::Analyse(const Piles& piles, std::uint64_t budget) {
  Analysis result;
  Search& s = *search_;
  if (!s.Load(piles)) {
    result.verdict = Verdict::kUnsupported;
    return result;
  }
  if (s.discards > kWinningDiscards) {
    // The win needs exactly 48 on the discard pile, and the pile only grows.
    result.verdict = Verdict::kLost;
    result.bestScore = result.bound = s.discards;
    return result;
  }
  // Two passes that differ only in when they try the draw: the first with an eighth of the budget,
  // the second, only when the first ran out, with the rest. Either finds wins the other takes long
  // to reach. The second keeps the positions the first settled (every visited position but those on
  // the abandoned path), so a loss is proved by the two together, and each pass's bound holds.
  s.best = s.discards;
  s.result = &result;
  std::uint64_t total = std::min(budget, s.MaxBudget());
  Outcome outcome = Outcome::kAborted;
  int bound = kWinningDiscards;
  ++s.generation;
  s.ClearFilter();
  for (int pass = 0; pass < 2 && outcome == Outcome::kAborted; ++pass) {
    s.drawLast = pass == 1;
    s.abortBound = 0;
    s.work = 0;
    s.budget = pass == 0 ? total / 8 : total - result.work;
    s.depth = 0;
    outcome = s.Dfs();
    result.work += s.work;
    if (outcome == Outcome::kAborted) bound = std::min(bound, std::max(s.best, s.abortBound));
  }
  result.bestScore = s.best;
  switch (outcome) {
    case Outcome::kWon:
      result.verdict = Verdict::kWon;
      result.bound = kWinningDiscards;
      break;
    case Outcome::kDone:
      result.verdict = Verdict::kLost;
      result.bound = s.best;
      break;
    case Outcome::kAborted:
      result.verdict = Verdict::kUnknown;
      result.bound = bound;
      break;
  }
  return result;
}

Replay ReplayLine(const Piles& start, std::string_view line) {
  Replay replay;
  Piles piles = start;
  for (char key : line) {
    if (replay.passedEnd) break;
    bool moved = false;
    if (key >= 'a' && key <= 'd') {
      moved = DiscardTop(piles, key - 'a');
    } else if (key >= 'A' && key <= 'D') {
      moved = MoveToEmptyPile(piles, key - 'A');
    } else if (key == ' ') {
      moved = DrawFromStock(piles) > 0;
      if (moved && AcesBlocked(piles)) ++replay.acesQuestions;
    }
    if (!moved) break;
    ++replay.keysPlayed;
    int score = piles[kDiscard].Count();
    if ((NoMoreMoves(piles) || score == kWinningDiscards) && replay.keysPlayed < static_cast<int>(line.size()))
      replay.passedEnd = true;
  }
  replay.finalScore = piles[kDiscard].Count();
  replay.accepted = replay.keysPlayed == static_cast<int>(line.size()) && !replay.passedEnd;
  return replay;
}

}  // namespace pelmor::game
