// The deal analyser against the plain exhaustive search, on late positions of real deals.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "game/analysis.h"
#include "game/deal.h"
#include "game/rules.h"
#include "tools/analyse/plain_search.h"
#include "tools/analyse/scan.h"
#include "tools/analyse/scan_data.h"

namespace pelmor::game {
namespace {

// Plays keys picked by a small generator of its own (discards first) until `drawsLeft` draws remain.
Piles LatePosition(GameNumber number, int drawsLeft) {
  GameState game;
  DealGame(game, number);
  Piles& piles = game.piles;
  RandomState pick = static_cast<RandomState>(number) * 2654435761u;
  while (piles[kStock].Count() > 4 * drawsLeft) {
    bool moved = false;
    for (int tries = 0; tries < 8 && !moved; ++tries) {
      int key = static_cast<int>(RandomBelow(pick, 8));
      moved = key < 4 ? DiscardTop(piles, key) : (RandomBelow(pick, 3) == 0 && MoveToEmptyPile(piles, key - 4));
    }
    if (!moved) DrawFromStock(piles);
  }
  return piles;
}

const char* Name(Verdict verdict) {
  return verdict == Verdict::kWon ? "won" : verdict == Verdict::kLost ? "lost" : "unknown";
}

// The position a winning line of the whole deal reaches when `drawsLeft` draws remain.
bool WinnablePosition(Analyser& analyser, GameNumber number, int drawsLeft, Piles& piles) {
  GameState game;
  DealGame(game, number);
  piles = game.piles;
  Analysis whole = analyser.Analyse(piles, 200000);
  if (whole.verdict != Verdict::kWon) return false;
  for (char key : whole.Line()) {
    if (piles[kStock].Count() <= 4 * drawsLeft) break;
    if (key == ' ') DrawFromStock(piles);
    else if (key >= 'a') DiscardTop(piles, key - 'a');
    else MoveToEmptyPile(piles, key - 'A');
  }
  return true;
}

TEST(Analyser, AgreesWithThePlainSearchOnLatePositions) {
  Analyser analyser(1 << 20);
  int compared = 0, won = 0, secondPass = 0;
  // Then two positions whose best score a search that wrongly takes a position for dominated
  // misses by a discard.
  const std::pair<GameNumber, int> extra[] = {{48, 3}, {293, 2}};
  for (GameNumber number = 0; number < 242; ++number) {
    Piles piles;
    if (number < 200)
      piles = LatePosition(number, 2 + number % 3);
    else if (number >= 240)
      piles = LatePosition(extra[number - 240].first, extra[number - 240].second);
    else if (!WinnablePosition(analyser, number, 1 + number % 2, piles))
      continue;
    analyse::PlainResult plain = analyse::PlainSearch(piles, 200000);
    if (plain.verdict == Verdict::kUnknown) continue;
    Analysis a = analyser.Analyse(piles, 1 << 19);
    ++compared;
    SCOPED_TRACE("position " + std::to_string(number));
    EXPECT_STREQ(Name(a.verdict), Name(plain.verdict));
    EXPECT_EQ(a.bestScore, plain.bestScore);
    // The line reaches the best score: the win, or the most discards of a lost position.
    won += a.verdict == Verdict::kWon;
    Replay replay = ReplayLine(piles, a.Line());
    EXPECT_TRUE(replay.accepted) << '"' << a.Line() << '"';
    EXPECT_EQ(replay.finalScore, a.bestScore);
    // With a budget the first pass runs out of, the second goes on from the positions it settled.
    Analysis small = analyser.Analyse(piles, 1000);
    if (small.verdict != Verdict::kUnknown) {
      secondPass += small.work > 1000 / 8;
      EXPECT_STREQ(Name(small.verdict), Name(plain.verdict));
      EXPECT_EQ(small.bestScore, plain.bestScore);
    }
  }
  // Enough of both kinds were settled by the plain search to mean something.
  EXPECT_GE(compared, 150);
  EXPECT_GE(won, 5);
  EXPECT_GE(secondPass, 15);
}

// A position written as piles A..D and the stock in the order it is drawn, e.g. "7h | Ac | As | Ad |
// Ah 2c 3c 4c"; every card not named lies on the discard pile.
Piles Written(const std::string& text) {
  Piles piles;
  bool named[kCardCount] = {};
  int part = 0;
  std::vector<Card> stock;
  for (std::size_t at = 0; at < text.size(); ++at) {
    char c = text[at];
    if (c == '|') ++part;
    if (c == ' ' || c == '|') continue;
    int rank = static_cast<int>(std::string("A23456789TJQK").find(c));
    int suit = static_cast<int>(std::string(" cdhs").find(text[++at]));
    Card card = MakeCard(rank, suit);
    named[DealtIndex(rank, suit)] = true;
    if (part < kTableauCount) piles[static_cast<std::size_t>(part)].Append(card);
    else stock.insert(stock.begin(), card);  // the stock's top card is drawn first
  }
  for (Card card : stock) piles[kStock].Append(card);
  for (int rank = 0; rank < kRankCount; ++rank)
    for (int suit = kClubs; suit <= kSpades; ++suit)
      if (!named[DealtIndex(rank, suit)]) piles[kDiscard].Append(MakeCard(rank, suit));
  return piles;
}

// Aces that must move onto piles of their own: where there are not enough piles the cards under one
// of them stay, and where there are just enough (two aces on one pile count once, and the last one
// may leave a pile that keeps an ace) nothing is cut that can be won.
TEST(Analyser, CountsThePilesTheAcesNeed) {
  const char* positions[] = {
      "3d 3h | Ad Ks Qd | Ac 6c 8h | 5s 6s 2s Ah As Th 3c",  // Ah and As cannot both leave D
      " | Ac Ad | As | 5s Ah",                              // Ah to A, then 5s goes: won
      "9c | Ac | As | Ad 5s Ah",                            // Ah to A from a pile that keeps Ad: 9c stays
      "7h | Ac | As | Ad | Ah 2c 3c 4c",                    // Ah drawn onto 7h, which cannot go first
  };
  Analyser analyser(1 << 16);
  for (const char* text : positions) {
    SCOPED_TRACE(text);
    Piles piles = Written(text);
    analyse::PlainResult plain = analyse::PlainSearch(piles, 100000);
    ASSERT_NE(plain.verdict, Verdict::kUnknown);
    Analysis a = analyser.Analyse(piles, 100000);
    EXPECT_STREQ(Name(a.verdict), Name(plain.verdict));
    EXPECT_EQ(a.bestScore, plain.bestScore);
    EXPECT_EQ(ReplayLine(piles, a.Line()).finalScore, a.bestScore);
  }
}

TEST(ReplayLine, RefusesWhatTheGameRefusesAndStopsAtTheWin) {
  GameState game;
  DealGame(game, 19);
  Analyser analyser(1 << 16);
  Analysis a = analyser.Analyse(game.piles, 1 << 15);
  ASSERT_EQ(a.verdict, Verdict::kWon);
  std::string line(a.Line());
  EXPECT_TRUE(ReplayLine(game.piles, line).accepted);
  // At the deal of game 19 pile A's card cannot be discarded and no pile is empty.
  EXPECT_FALSE(ReplayLine(game.piles, "a" + line).accepted);
  EXPECT_FALSE(ReplayLine(game.piles, "B" + line).accepted);
  EXPECT_FALSE(ReplayLine(game.piles, "x").accepted);
  Replay past = ReplayLine(game.piles, line + " ");
  EXPECT_FALSE(past.accepted);
  EXPECT_TRUE(past.passedEnd);
  EXPECT_EQ(past.finalScore, kWinningDiscards);
}

// A scan stopped and resumed with --retry and a larger budget: the deals it left unknown are analysed
// again, every deal keeps one row (the newest), and nothing settled is analysed twice.
TEST(Scan, RetriesTheUnknownDealsAndKeepsOneRowPerDeal) {
  std::string file = (std::filesystem::temp_directory_path() / "pelmor-scan-test.csv").string();
  std::remove(file.c_str());
  auto rows = [&] {
    std::map<long long, std::string> byNumber;
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    int count = 0;
    while (std::getline(in, line)) {
      ++count;
      byNumber[std::stoll(line)] = line.substr(line.find(',') + 1, line.find(',', line.find(',') + 1) - line.find(',') - 1);
    }
    EXPECT_EQ(count, static_cast<int>(byNumber.size())) << "one row per deal";
    return byNumber;
  };
  analyse::ScanOptions options;
  options.from = 0;
  options.to = 9;
  options.budget = 2000;
  options.out = file;
  ASSERT_EQ(analyse::RunScan(options), 0);
  auto first = rows();
  ASSERT_EQ(first.size(), 10u);
  int unknown = 0;
  for (const auto& [number, answer] : first) unknown += answer == "unknown";
  ASSERT_GT(unknown, 0);
  EXPECT_EQ(analyse::RunScan(options), 2) << "an existing file needs --resume";
  options.resume = options.retry = true;
  options.budget = 300000;
  ASSERT_EQ(analyse::RunScan(options), 0);
  auto second = rows();
  ASSERT_EQ(second.size(), 10u);
  int settledNow = 0;
  for (const auto& [number, answer] : first) {
    if (answer != "unknown") EXPECT_EQ(second[number], answer) << number;
    else settledNow += second[number] != "unknown";
  }
  EXPECT_GT(settledNow, 0);
  std::remove(file.c_str());
}

}  // namespace
}  // namespace pelmor::game

namespace pelmor::analyse {
namespace {

// A scan folder: the blocks' bytes come back as written and anything else is refused; a scan into
// the folder resumes where it stopped and a retry can only add to what it knew.
TEST(ScanFolder, KeepsTheAnswersAndRefusesABrokenBlock) {
  std::vector<std::optional<Answer>> rows(static_cast<std::size_t>(kBlockGames));
  rows[0] = Answer{48, 48};
  rows[7] = Answer{40, 40};
  rows[99999] = Answer{45, 47};
  std::vector<std::uint8_t> bytes = EncodeBlock(-100000, rows);
  ASSERT_EQ(bytes.size(), kBlockHeaderBytes + 200000);
  EXPECT_EQ(DecodeBlock(bytes, -100000), rows);
  EXPECT_FALSE(DecodeBlock(bytes, 0)) << "another block's first game";
  for (std::size_t at : {std::size_t{0}, std::size_t{4}, std::size_t{6}, kBlockHeaderBytes + 14}) {
    std::vector<std::uint8_t> broken = bytes;
    broken[at] ^= 0x40;  // magic, version, reserved, a best score above its bound
    EXPECT_FALSE(DecodeBlock(broken, -100000)) << at;
  }
  bytes.pop_back();
  EXPECT_FALSE(DecodeBlock(bytes, -100000));
  EXPECT_EQ(BlockFileName(-100000), "block-000100000.pscan");
  EXPECT_EQ(BlockFirst(-1), -100000);
  EXPECT_FALSE(Combine({47, 47}, {48, 48})) << "a win where a loss was proved";
  EXPECT_EQ(Combine({44, 48}, {46, 46}), (Answer{46, 46}));

  std::filesystem::path folder = std::filesystem::temp_directory_path() / "pelmor-scan-folder-test";
  std::filesystem::remove_all(folder);
  ScanOptions options;
  options.from = 0;
  options.to = 9;
  options.budget = 2000;
  options.out = folder.string();
  ASSERT_EQ(RunScan(options), 0);
  ScanData first(folder.string());
  ASSERT_TRUE(first.Load(0, 9));
  EXPECT_EQ(first.Rows().size(), 10u);
  options.resume = options.retry = true;
  options.budget = 300000;
  ASSERT_EQ(RunScan(options), 0);
  ScanData second(folder.string());
  ASSERT_TRUE(second.Load(0, 9));
  int settledNow = 0;
  for (const auto& [number, before] : first.Rows()) {
    std::optional<Answer> after = second.Get(number);
    ASSERT_TRUE(after);
    EXPECT_EQ(Combine(before, *after), after) << number;
    settledNow += KindOf(before) == AnswerKind::kUnknown && KindOf(*after) != AnswerKind::kUnknown;
  }
  EXPECT_GT(settledNow, 0);
  std::filesystem::resize_file(folder / BlockFileName(0), 100);
  EXPECT_EQ(RunSummary({folder.string()}), 1);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace pelmor::analyse
