// The pile click, the draw, the keys and the hint cursor: their steps and their order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "app/table.h"
#include "tests/fakes/recording_platform.h"

namespace pelmor::app {
namespace {

using game::C;
using game::kDiscard;
using game::kStock;
using game::MakeCard;
using testing::RecordingPlatform;

constexpr char kKey[] = "Software\\Halvek\\Pelmor";

class Handlers : public ::testing::Test {
 protected:
  Handlers() : table(platform, {"Pelmor.exe", "0"}) {
    platform.registry.AddKey(kKey);
    table.FormCreate();
    Clear();
  }
  void Clear() {
    platform.log.clear();
    platform.messages.clear();
  }
  // Replaces the position: tableau piles given bottom first, and a stock of `stock` cards.
  void SetPosition(std::vector<std::vector<game::Card>> tableau, int stock = 0, int discards = 0) {
    auto& piles = table.MutableGame().piles;
    for (auto& pile : piles) pile.Clear();
    for (std::size_t p = 0; p < tableau.size(); ++p)
      for (auto card : tableau[p]) piles[p].Append(card);
    for (int i = 0; i < stock; ++i) piles[kStock].Append(MakeCard(game::kTwo + i % 12, 1 + i % 4));
    for (int i = 0; i < discards; ++i) piles[kDiscard].Append(MakeCard(game::kTwo + i % 12, 1 + i % 4));
  }
  const game::Piles& Piles() const { return table.Game().piles; }

  RecordingPlatform platform;
  PelmorTable table;
};

TEST_F(Handlers, LeftClickDiscardsThenRefreshesCursorRepaintsAndChecks) {
  SetPosition({{C(game::kFive, game::kHearts)}, {C(game::kNine, game::kHearts)}, {C(game::kTwo, game::kClubs)},
               {C(game::kKing, game::kSpades)}},
              8);
  table.PaintBox1MouseDown(0, MouseButton::kLeft, false, 3, 4);
  EXPECT_EQ(Piles()[kDiscard].Count(), 1);
  EXPECT_TRUE(Piles()[0].Empty());
  EXPECT_EQ(platform.log, (std::vector<std::string>{
                              "Label1 shown",  // refreshed before the move
                              "RegCreateKey Software\\Halvek\\Pelmor", "RegQueryValue NoHints",
                              "RegCloseKey Software\\Halvek\\Pelmor",
                              "Cursor 0 default",  // the clicked pile is empty now
                              "Repaint",
                              "Label1 hidden",  // the end-of-move check sees the new position
                              "PlaySound (none) 2",  // any sound stops
                              "Enable 0 on", "Enable 1 on", "Enable 2 on", "Enable 3 on",
                              "Enable 0 on", "Enable 1 on", "Enable 2 on", "Enable 3 on",
                          }));
}

TEST_F(Handlers, RefusedDiscardChangesNothingYetRepaintsAndChecks) {
  SetPosition({{C(game::kNine, game::kHearts)}, {C(game::kFive, game::kHearts)}, {}, {}}, 4);
  game::Piles before = Piles();
  table.PaintBox1MouseDown(0, MouseButton::kLeft, false, 0, 0);
  EXPECT_EQ(Piles(), before);
  EXPECT_TRUE(platform.Logged("Repaint"));
  EXPECT_GT(platform.Find("Enable 0 on"), platform.Find("Repaint"));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Handlers, RightClickMovesOntoAnEmptyPile) {
  SetPosition({{C(game::kTwo, game::kClubs)}, {C(game::kSix, game::kHearts)}, {C(game::kFour, game::kClubs)}, {}}, 4);
  table.PaintBox1MouseDown(1, MouseButton::kRight, false, 0, 0);
  EXPECT_TRUE(Piles()[1].Empty());
  EXPECT_EQ(Piles()[3].Top(), C(game::kSix, game::kHearts));
}

TEST_F(Handlers, MiddleButtonMovesNothingButRunsTheRest) {
  SetPosition({{C(game::kFive, game::kHearts)}, {C(game::kNine, game::kHearts)}, {}, {}}, 4);
  table.PaintBox1MouseDown(0, MouseButton::kMiddle, false, 0, 0);
  EXPECT_EQ(Piles()[0].Count(), 1);
  EXPECT_TRUE(platform.Logged("Repaint"));
  EXPECT_TRUE(platform.Logged("Cursor 0 hint"));
}

TEST_F(Handlers, ClickOnAnEmptyPileDoesNothingAtAll) {
  SetPosition({{}, {C(game::kNine, game::kHearts)}, {}, {}}, 4);
  table.PaintBox1MouseDown(0, MouseButton::kLeft, true, 0, 0);
  table.PaintBox1MouseDown(0, MouseButton::kLeft, false, 0, 0);
  EXPECT_TRUE(platform.log.empty());
}

TEST_F(Handlers, CtrlClickNamesTheCardAndStops) {
  SetPosition({{C(game::kAce, game::kClubs), C(game::kTwo, game::kDiamonds), C(game::kQueen, game::kHearts),
                C(game::kFour, game::kSpades), C(game::kKing, game::kSpades)}},
              4);
  const std::pair<int, const char*> clicks[] = {
      {15, "That card is The Ace Of Clubs"},
      {40, "That card is The Queen Of Hearts"},
      {200, "That card is The King Of Spades"},
  };
  for (auto [y, text] : clicks) {
    Clear();
    table.PaintBox1MouseDown(0, MouseButton::kRight, true, 5, y);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, text);
    EXPECT_EQ(platform.messages[0].caption, "Pelmor");
    EXPECT_EQ(platform.messages[0].icon, Icon::kInformation);
    EXPECT_EQ(platform.log.size(), 1u);  // no move, repaint or analysis
  }
  EXPECT_EQ(Piles()[0].Count(), 5);
}

TEST_F(Handlers, FinishedGameRefusesMovesAfterRefreshingTheLabel) {
  SetPosition({{C(game::kFive, game::kHearts)}, {C(game::kNine, game::kHearts)}, {}, {}});
  for (int p = 0; p < 4; ++p) platform.SetPileEnabled(p, false);
  Clear();
  table.PaintBox1MouseDown(0, MouseButton::kLeft, false, 0, 0);
  EXPECT_EQ(platform.log, (std::vector<std::string>{"Label1 shown"}));
  EXPECT_EQ(Piles()[0].Count(), 1);
}

TEST_F(Handlers, LosingPositionDisablesThePiles) {
  // Four suits on top, no empty pile, no stock: the last move leaves nothing to do.
  SetPosition({{C(game::kFive, game::kHearts)}, {C(game::kNine, game::kClubs)}, {C(game::kTwo, game::kSpades)},
               {C(game::kKing, game::kDiamonds)}},
              0, 10);
  table.PaintBox1MouseDown(0, MouseButton::kLeft, false, 0, 0);
  for (int p = 0; p < 4; ++p) EXPECT_FALSE(platform.pileEnabled[static_cast<std::size_t>(p)]);
}

TEST_F(Handlers, FortyEighthDiscardFinishesTheGame) {
  SetPosition({{C(game::kAce, game::kClubs), C(game::kKing, game::kHearts)}, {C(game::kAce, game::kHearts)},
               {C(game::kAce, game::kDiamonds)}, {C(game::kAce, game::kSpades)}},
              0, 47);
  table.PaintBox1MouseDown(0, MouseButton::kLeft, false, 0, 0);
  EXPECT_EQ(Piles()[kDiscard].Count(), 48);
  // Not lost (the score is 48), but finished: the piles end up disabled before the win flow.
  EXPECT_LT(platform.Find("Enable 0 on"), platform.Find("Enable 3 off"));
  EXPECT_LT(platform.Find("Enable 3 off"), platform.Find("DeleteFile Pelmor.sav"));
}

TEST_F(Handlers, DrawDealsFourRepaintsAndChecks) {
  SetPosition({{C(game::kFive, game::kHearts)}, {C(game::kNine, game::kClubs)}, {C(game::kTwo, game::kSpades)},
               {C(game::kKing, game::kDiamonds)}},
              48);
  table.PaintBox5Click();
  EXPECT_EQ(Piles()[kStock].Count(), 44);
  for (int p = 0; p < 4; ++p) EXPECT_EQ(Piles()[static_cast<std::size_t>(p)].Count(), 2);
  ASSERT_FALSE(platform.log.empty());
  EXPECT_EQ(platform.log[0], "Repaint");
  EXPECT_GT(platform.Find("Label1"), 0);
  EXPECT_FALSE(platform.Logged("Cursor"));  // the draw leaves the cursors alone
}

TEST_F(Handlers, StockDrawsOnAClickAndOnceOnADoubleClick) {
  SetPosition({{C(game::kFive, game::kHearts)}, {C(game::kNine, game::kClubs)}, {C(game::kTwo, game::kSpades)},
               {C(game::kKing, game::kDiamonds)}},
              48);
  table.PaintBox5MouseDown(false);
  table.PaintBox5MouseUp(true);
  table.PaintBox5MouseDown(true);  // the second press of a double-click
  table.PaintBox5MouseUp(true);
  EXPECT_EQ(Piles()[kStock].Count(), 44);
  EXPECT_EQ(std::count(platform.log.begin(), platform.log.end(), "Repaint"), 1);
  // A later press is a click again; a press let go off the stock, or a release alone, is none.
  table.PaintBox5MouseDown(false);
  table.PaintBox5MouseUp(true);
  table.PaintBox5MouseDown(false);
  table.PaintBox5MouseUp(false);
  table.PaintBox5MouseUp(true);
  EXPECT_EQ(Piles()[kStock].Count(), 40);
}

TEST_F(Handlers, DrawFromAnEmptyStockDoesNothingAtAll) {
  SetPosition({{C(game::kFive, game::kHearts)}}, 0);
  table.PaintBox5Click();
  EXPECT_TRUE(platform.log.empty());
}

TEST_F(Handlers, DrawIgnoresThePlayEnabledState) {
  SetPosition({{C(game::kFive, game::kHearts)}}, 4);
  for (int p = 0; p < 4; ++p) platform.SetPileEnabled(p, false);
  table.PaintBox5Click();
  EXPECT_EQ(Piles()[kStock].Count(), 0);
}

TEST_F(Handlers, ShortLoadedStockDealsWhatItHasAndEndsLikeEveryDraw) {
  SetPosition({{C(game::kFive, game::kHearts)}, {}, {}, {}}, 3);
  table.PaintBox5Click();
  EXPECT_EQ(Piles()[0].Count(), 2);
  EXPECT_EQ(Piles()[1].Count(), 1);
  EXPECT_EQ(Piles()[2].Count(), 1);
  EXPECT_TRUE(Piles()[3].Empty());
  EXPECT_TRUE(platform.Logged("Repaint"));
  EXPECT_TRUE(platform.Logged("Enable 0"));
}

TEST_F(Handlers, KeysActAsClicksOnTheirPiles) {
  SetPosition({{C(game::kTwo, game::kClubs)}, {C(game::kSix, game::kHearts)}, {C(game::kFour, game::kClubs)}, {}}, 8);
  table.FormKeyPress('C');  // pile C's top card onto the empty pile D
  EXPECT_TRUE(Piles()[2].Empty());
  EXPECT_EQ(Piles()[3].Top(), C(game::kFour, game::kClubs));
  table.FormKeyPress('a');  // Two of Clubs under the Four of Clubs
  EXPECT_TRUE(Piles()[0].Empty());
  EXPECT_EQ(Piles()[kDiscard].Count(), 1);
  game::Piles before = Piles();
  Clear();
  table.FormKeyPress('e');
  table.FormKeyPress('\r');
  EXPECT_TRUE(platform.log.empty());
  EXPECT_EQ(Piles(), before);
  table.FormKeyPress(' ');
  EXPECT_EQ(Piles()[kStock].Count(), 4);
}

TEST_F(Handlers, KeysNeverIdentifyCards) {
  SetPosition({{C(game::kTwo, game::kClubs)}, {C(game::kSix, game::kClubs)}, {}, {}}, 4);
  for (char key : {'a', 'b', 'c', 'd', 'A', 'B', 'C', 'D'}) table.FormKeyPress(key);
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Handlers, HintCursorFollowsTheDiscardRule) {
  SetPosition({{C(game::kFive, game::kHearts)}, {C(game::kNine, game::kHearts)}, {}, {}}, 4);
  table.PaintBox1MouseMove(0);
  table.PaintBox1MouseMove(1);
  table.PaintBox1MouseMove(2);
  EXPECT_EQ(platform.pileCursor[0], PileCursor::kHint);
  EXPECT_EQ(platform.pileCursor[1], PileCursor::kDefault);
  EXPECT_EQ(platform.pileCursor[2], PileCursor::kDefault);
}

TEST_F(Handlers, NoHintsLeavesTheCursorAsItWas) {
  SetPosition({{C(game::kFive, game::kHearts)}, {C(game::kNine, game::kHearts)}, {}, {}}, 4);
  table.PaintBox1MouseMove(0);
  platform.registry.SetDword(kKey, "NoHints", 1);
  SetPosition({{C(game::kFive, game::kHearts)}, {}, {}, {}}, 4);
  Clear();
  table.PaintBox1MouseMove(0);
  EXPECT_EQ(platform.pileCursor[0], PileCursor::kHint);
  EXPECT_FALSE(platform.Logged("Cursor"));
  // The setting is read afresh on every move.
  platform.registry.SetDword(kKey, "NoHints", 2);
  table.PaintBox1MouseMove(0);
  EXPECT_EQ(platform.pileCursor[0], PileCursor::kDefault);
}

}  // namespace
}  // namespace pelmor::app

namespace pelmor::app {
namespace {

TEST(VictoryAnimation, DrawsSuitRankYThenXFromTheGenerator) {
  testing::RecordingPlatform platform;
  PelmorTable table(platform, {"Pelmor.exe", "1"});
  table.FormCreate();
  platform.bounds = {0, 0, 501, 300};
  platform.log.clear();
  game::RandomState state = table.Game().random;
  int suit = static_cast<int>(game::RandomBelow(state, 4)) + 1;
  int rank = static_cast<int>(game::RandomBelow(state, 13));
  int y = static_cast<int>(game::RandomBelow(state, 300));
  int x = static_cast<int>(game::RandomBelow(state, 501));
  table.Timer1Timer();
  EXPECT_EQ(platform.log, (std::vector<std::string>{"DrawFace " + std::to_string(rank) + " " + std::to_string(suit) +
                                                    " at " + std::to_string(x) + "," + std::to_string(y)}));
  EXPECT_EQ(table.Game().random, state);
  // Many steps stay within the outer size and cover every suit.
  std::set<int> suits;
  for (int i = 0; i < 200; ++i) table.Timer1Timer();
  for (const auto& entry : platform.log) {
    int r, s, px, py;
    ASSERT_EQ(std::sscanf(entry.c_str(), "DrawFace %d %d at %d,%d", &r, &s, &px, &py), 4);
    EXPECT_TRUE(r >= 0 && r <= 12 && s >= 1 && s <= 4 && px >= 0 && px < 501 && py >= 0 && py < 300) << entry;
    suits.insert(s);
  }
  EXPECT_EQ(suits.size(), 4u);
}

TEST(CustomBack, UnreadableFileIsReportedAndStartUpGoesOn) {
  testing::RecordingPlatform platform;
  platform.files.insert("Pelmor.bac");
  platform.customBackReadable = false;
  PelmorTable table(platform, {"Pelmor.exe", "3"});
  table.FormCreate();
  ASSERT_EQ(platform.messages.size(), 3u);  // the first start's two boxes come first
  EXPECT_EQ(platform.messages.back().text, "Bitmap image is not valid");
  EXPECT_EQ(platform.messages.back().caption, "Pelmor Solitaire #3");
  EXPECT_EQ(platform.registry.OpenKeyCount(), 0);
}

}  // namespace
}  // namespace pelmor::app
