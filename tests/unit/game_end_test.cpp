// The ends of a game step by step (registry, clock, sounds, the saved game, the questions), the
// game clock's status line, and the store's two menu commands.
#include <gtest/gtest.h>

#include "app/table.h"
#include "game/rules.h"
#include "store/settings_store.h"
#include "tests/fakes/recording_platform.h"

namespace pelmor::app {
namespace {

using game::C;
using game::kDiscard;
using game::kStock;
using testing::ProcessEnded;
using testing::RecordingPlatform;
using Log = std::vector<std::string>;

constexpr char kKey[] = "Software\\Halvek\\Pelmor";
const std::string kOpen = "RegCreateKey Software\\Halvek\\Pelmor";
const std::string kClose = "RegCloseKey Software\\Halvek\\Pelmor";

class GameEnd : public ::testing::Test {
 protected:
  GameEnd() : table(platform, {"Pelmor.exe", "0"}) {
    platform.registry.AddKey(kKey);
    table.FormCreate();
    platform.files.insert("Pelmor.sav");
    Clear();
  }
  void Clear() {
    platform.log.clear();
    platform.messages.clear();
    platform.registry.calls.clear();
  }
  // Tableau piles bottom first, the stock bottom first, and `discards` cards already discarded.
  void SetPosition(std::vector<std::vector<game::Card>> tableau, std::vector<game::Card> stock, int discards) {
    auto& piles = table.MutableGame().piles;
    for (auto& pile : piles) pile.Clear();
    for (std::size_t p = 0; p < tableau.size(); ++p)
      for (auto card : tableau[p]) piles[p].Append(card);
    for (auto card : stock) piles[kStock].Append(card);
    for (int i = 0; i < discards; ++i) piles[kDiscard].Append(game::MakeCard(game::kTwo + i % 12, 1 + i % 4));
  }
  void Store(std::uint32_t played, std::uint32_t won, std::uint32_t sum, std::uint32_t max) {
    platform.registry.SetDword(kKey, "GamesPlayed", played);
    platform.registry.SetDword(kKey, "GamesWon", won);
    platform.registry.SetDword(kKey, "SumScore", sum);
    platform.registry.SetDword(kKey, "MaxScore", max);
  }
  std::uint32_t Stored(const char* name) const {
    const auto* value = platform.registry.Find(kKey, name);
    if (value == nullptr) return 0xDEADBEEF;
    return value->data[0] | value->data[1] << 8 | value->data[2] << 16 | static_cast<std::uint32_t>(value->data[3]) << 24;
  }
  // The log from the first entry that starts with `from`.
  Log From(const std::string& from) const {
    int at = platform.Find(from);
    return at < 0 ? Log{} : Log(platform.log.begin() + at, platform.log.end());
  }
  // A position whose discard of pile A's Five of Hearts (under B's Nine) leaves four suits on top,
  // no empty pile and no stock: lost with `discards` + 1 cards discarded.
  void LosingClick(int discards) {
    SetPosition({{C(game::kTwo, game::kClubs), C(game::kFive, game::kHearts)}, {C(game::kNine, game::kHearts)},
                 {C(game::kThree, game::kSpades)}, {C(game::kKing, game::kDiamonds)}},
                {}, discards);
    table.PaintBox1MouseDown(0, MouseButton::kLeft, false, 0, 0);
  }

  RecordingPlatform platform;
  PelmorTable table;
};

TEST_F(GameEnd, LossAboveTheBestRecordsPlaysDeletesAsksInOrder) {
  Store(10, 2, 200, 25);
  platform.answers = {Answer::kNo};
  LosingClick(29);
  EXPECT_EQ(From("Label1 hidden"),
            (Log{"Label1 hidden",  // CheckNoMoreMoves' MovesAvailable
                 kOpen, "RegQueryValue GamesPlayed", "Timer2 off", "RegQueryValue GamesWon",
                 "RegSetValue GamesPlayed = 11", "RegSetValue GamesWon = 2", "RegQueryValue SumScore",
                 "RegQueryValue MaxScore", "RegSetValue SumScore = 230", "RegSetValue MaxScore = 30", kClose,
                 "PlaySound lose.wav 0", "PlaySound ticktock.wav 11", "DeleteFile Pelmor.sav",
                 "MessageBox Sorry, there are no more moves.\r\nScore: 30/48\r\n"
                 "Congradulations, you broke a new record!\r\nPlay again?",
                 "PlaySound (none) 2",  // after No, CheckNoMoreMoves goes on
                 "Enable 0 off", "Enable 1 off", "Enable 2 off", "Enable 3 off",
                 "Enable 0 off", "Enable 1 off", "Enable 2 off", "Enable 3 off"}));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].caption, "Game Over");
  EXPECT_EQ(platform.messages[0].buttons, Buttons::kYesNo);
  EXPECT_EQ(platform.messages[0].icon, Icon::kNone);
  EXPECT_EQ(platform.registry.OpenKeyCount(), 0);
  EXPECT_FALSE(platform.FileExists("Pelmor.sav"));
}

TEST_F(GameEnd, LossAtTheBestHasAnEmptyRecordLine) {
  Store(10, 2, 200, 25);
  platform.answers = {Answer::kNo};
  LosingClick(24);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "Sorry, there are no more moves.\r\nScore: 25/48\r\n\r\nPlay again?");
  EXPECT_EQ(Stored("MaxScore"), 25u);
  EXPECT_EQ(Stored("SumScore"), 225u);
}

TEST_F(GameEnd, FirstLossEverStoresAllFourAndCountersWrap) {
  LosingClick(6);
  EXPECT_EQ(Stored("GamesPlayed"), 1u);
  EXPECT_EQ(Stored("GamesWon"), 0u);
  EXPECT_EQ(Stored("SumScore"), 7u);
  EXPECT_EQ(Stored("MaxScore"), 7u);
  EXPECT_NE(platform.messages.at(0).text.find("new record"), std::string::npos);

  Store(0xFFFFFFFF, 5, 0xFFFFFFFE, 48);
  platform.pileEnabled = {true, true, true, true};  // a fresh game
  LosingClick(6);
  EXPECT_EQ(Stored("GamesPlayed"), 0u);
  EXPECT_EQ(Stored("SumScore"), 5u);
  EXPECT_EQ(Stored("MaxScore"), 48u);
}

TEST_F(GameEnd, LossAnsweredYesStopsTheSoundAndStartsANewGame) {
  platform.answers = {Answer::kYes};
  EXPECT_THROW(LosingClick(29), ProcessEnded);
  Log tail = From("MessageBox Sorry");
  ASSERT_EQ(tail.size(), 5u);
  EXPECT_EQ(tail[1], "PlaySound (none) 2");
  EXPECT_EQ(tail[2], "GetSystemTime");  // New Game seeds, draws a number and relaunches
  EXPECT_EQ(tail[3].rfind("ShellStart C:\\Games\\Pelmor.exe|", 0), 0u);
  EXPECT_EQ(tail[4], "EndProcess 0");
  EXPECT_EQ(Stored("GamesPlayed"), 1u);
}

TEST_F(GameEnd, WinRecordsAndAnimatesThenStopsTheSoundAfterNo) {
  Store(10, 2, 200, 25);
  platform.answers = {Answer::kNo};
  SetPosition({{C(game::kAce, game::kClubs), C(game::kKing, game::kHearts)}, {C(game::kAce, game::kHearts)},
               {C(game::kAce, game::kDiamonds)}, {C(game::kAce, game::kSpades)}},
              {}, 47);
  table.PaintBox1MouseDown(0, MouseButton::kLeft, false, 0, 0);
  EXPECT_EQ(From("Label1 hidden"),
            (Log{"Label1 hidden", "PlaySound (none) 2",                      // CheckNoMoreMoves: not lost
                 "Enable 0 on", "Enable 1 on", "Enable 2 on", "Enable 3 on",   // ... so enabled,
                 "Enable 0 off", "Enable 1 off", "Enable 2 off", "Enable 3 off",  // then finished
                 "DeleteFile Pelmor.sav", "PlaySound winner.wav 0", "PlaySound ticktock.wav 9", kOpen,
                 "RegQueryValue GamesPlayed", "RegQueryValue GamesWon", "RegQueryValue SumScore",
                 "RegQueryValue MaxScore", "RegSetValue SumScore = 248", "RegSetValue MaxScore = 48",
                 "RegSetValue GamesPlayed = 11", "RegSetValue GamesWon = 3", kClose, "Timer1 on", "Timer2 off",
                 "MessageBox Congradulations, you won!\r\nPlay Again?", "PlaySound (none) 2"}));
  EXPECT_EQ(platform.messages.at(0).caption, "Pelmor");
  EXPECT_EQ(platform.messages.at(0).buttons, Buttons::kYesNo);
  EXPECT_EQ(platform.messages.at(0).icon, Icon::kNone);

  // Yes starts a new game before the sound would stop.
  SetPosition({{C(game::kAce, game::kClubs), C(game::kKing, game::kHearts)}, {C(game::kAce, game::kHearts)},
               {C(game::kAce, game::kDiamonds)}, {C(game::kAce, game::kSpades)}},
              {}, 47);
  platform.pileEnabled = {true, true, true, true};  // a fresh game
  Clear();
  platform.answers = {Answer::kYes};
  EXPECT_THROW(table.PaintBox1MouseDown(0, MouseButton::kLeft, false, 0, 0), ProcessEnded);
  EXPECT_EQ(platform.log.back(), "EndProcess 0");
  EXPECT_EQ(platform.Find("PlaySound (none)", platform.Find("MessageBox Congradulations")), -1);
}

// Four clubs dealt, then a stock whose next draw puts an ace on each of them.
std::vector<game::Card> AcesOnTop(std::vector<game::Card> below) {
  for (int suit : {game::kSpades, game::kDiamonds, game::kHearts, game::kClubs}) below.push_back(C(game::kAce, suit));
  return below;
}
const std::vector<std::vector<game::Card>> kFourClubs = {
    {C(game::kTwo, game::kClubs)}, {C(game::kThree, game::kClubs)}, {C(game::kFour, game::kClubs)},
    {C(game::kFive, game::kClubs)}};

TEST_F(GameEnd, ConcessionAnsweredNoCountsAGameAndStartsANewOne) {
  Store(10, 2, 200, 25);
  SetPosition(kFourClubs, AcesOnTop({C(game::kSix, game::kClubs), C(game::kSix, game::kDiamonds),
                                     C(game::kSix, game::kHearts), C(game::kSix, game::kSpades)}),
              3);
  platform.answers = {Answer::kNo};
  EXPECT_THROW(table.PaintBox5Click(), ProcessEnded);
  EXPECT_EQ(platform.log[0], "Repaint");
  EXPECT_EQ(platform.log[1], "MessageBox Aces are covering all piles making it impossible to win.\r\nScore 3/48\r\n"
                             "Continue playing?");
  EXPECT_EQ(Log(platform.log.begin() + 2, platform.log.begin() + 7),
            (Log{kOpen, "RegQueryValue GamesPlayed", "RegSetValue GamesPlayed = 11", kClose, "GetSystemTime"}));
  EXPECT_EQ(platform.log.back(), "EndProcess 0");
  EXPECT_FALSE(platform.Logged("PlaySound"));
  EXPECT_TRUE(platform.FileExists("Pelmor.sav"));
  EXPECT_EQ(Stored("GamesWon"), 2u);
  EXPECT_EQ(Stored("SumScore"), 200u);
  EXPECT_EQ(Stored("MaxScore"), 25u);
}

TEST_F(GameEnd, ConcessionAnsweredYesGoesOnAndAsksAgainUntilTheLoss) {
  SetPosition(kFourClubs, AcesOnTop({C(game::kSix, game::kClubs), C(game::kSix, game::kDiamonds),
                                     C(game::kSix, game::kHearts), C(game::kSix, game::kSpades)}),
              3);
  platform.answers = {Answer::kYes, Answer::kYes, Answer::kNo};
  table.PaintBox5Click();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_TRUE(platform.registry.calls.empty());
  EXPECT_EQ(platform.messages[0].caption, "Pelmor");
  EXPECT_EQ(platform.messages[0].buttons, Buttons::kYesNo);
  EXPECT_EQ(platform.messages[0].icon, Icon::kNone);
  EXPECT_TRUE(platform.pileEnabled[0]);
  // The aces still cover every pile: the next draw asks again, and leaves no move, so the loss
  // flow follows at once.
  table.PaintBox5Click();
  ASSERT_EQ(platform.messages.size(), 3u);
  EXPECT_EQ(platform.messages[1].text, platform.messages[0].text);
  EXPECT_EQ(platform.messages[2].caption, "Game Over");
  EXPECT_EQ(Stored("GamesPlayed"), 1u);
  EXPECT_EQ(Stored("SumScore"), 3u);
  EXPECT_FALSE(platform.pileEnabled[0]);
}

TEST_F(GameEnd, StatusLineShowsCardsDrawsDaysAndTime) {
  SetPosition(kFourClubs, std::vector<game::Card>(36, C(game::kSix, game::kClubs)), 8);
  for (int tick = 0; tick < 3723; ++tick) table.Timer2Timer();
  EXPECT_EQ(platform.statusText, "Cards Left:40 Draws Left:9 Duration:0 days, 01:02:03");
  EXPECT_EQ(platform.log.size(), 3723u);  // a tick writes the status line and nothing else
  // A full day of ticks sums to a hair below 1.0, whose time of day rounds up to the next day.
  for (int tick = 3723; tick < 86400; ++tick) table.Timer2Timer();
  EXPECT_EQ(platform.statusText, "Cards Left:40 Draws Left:9 Duration:1 days, 00:00:00");
  table.Timer2Timer();
  EXPECT_EQ(platform.statusText, "Cards Left:40 Draws Left:9 Duration:1 days, 00:00:01");
}

TEST_F(GameEnd, HighScoresShowsTheStatisticsAndNeverWrites) {
  Store(3, 1, 80, 48);
  table.HighScores1Click();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text,
            "Games Played: 3\r\nGames won: 1\r\nGames lost: 2\r\nWinning percentage: 33.33%\r\n"
            "Losing percentage: 66.67%\r\nHighest Score: 48/48\r\nAverage Score: 26.67");
  EXPECT_EQ(platform.messages[0].caption, "Pelmor Statistics");
  EXPECT_EQ(platform.messages[0].buttons, Buttons::kOk);
  EXPECT_EQ(platform.messages[0].icon, Icon::kNone);
  EXPECT_EQ(platform.registry.calls,
            (Log{kOpen, "RegQueryValue GamesPlayed", "RegQueryValue GamesWon", "RegQueryValue MaxScore",
                 "RegQueryValue SumScore", kClose}));
}

TEST(StatisticsText, FreshHandEditedAndOtherSeparators) {
  store::NumberSeparators dot;
  EXPECT_EQ(store::StatisticsText({}, dot),
            "Games Played: 0\r\nGames won: 0\r\nGames lost: 0\r\nWinning percentage: 0.00%\r\n"
            "Losing percentage: 100.00%\r\nHighest Score: 0/48\r\nAverage Score: 0.00");
  std::string edited = store::StatisticsText({0, 1, 0, 0}, dot);
  EXPECT_NE(edited.find("Games lost: 4294967295\r\nWinning percentage: 0.00%\r\nLosing percentage: 100.00%"),
            std::string::npos);
  EXPECT_NE(store::StatisticsText({1, 0, 48, 1234}, dot).find("Average Score: 1,234.00"), std::string::npos);
  store::NumberSeparators comma{",", "."};
  std::string text = store::StatisticsText({3, 5, 48, 1234567}, comma);
  EXPECT_NE(text.find("Winning percentage: 166,67%\r\nLosing percentage: -66,67%"), std::string::npos) << text;
  EXPECT_NE(text.find("Average Score: 411.522,33"), std::string::npos) << text;
  // Halves round away from zero: 1/32 is 3.125 %.
  EXPECT_NE(store::StatisticsText({32, 1, 0, 0}, dot).find("Winning percentage: 3.13%"), std::string::npos);
}

TEST_F(GameEnd, NoHintsTogglesTheMarkAndTheStoredValue) {
  table.NoHints1Click();
  EXPECT_TRUE(platform.noHintsChecked);
  EXPECT_EQ(Stored("NoHints"), 1u);
  table.NoHints1Click();
  EXPECT_FALSE(platform.noHintsChecked);
  EXPECT_EQ(Stored("NoHints"), 0u);
  EXPECT_EQ(platform.registry.calls, (Log{kOpen, "RegSetValue NoHints = 1", kClose, kOpen, "RegSetValue NoHints = 0",
                                          kClose}));
}

TEST(DeckSettings, WritesAndResetEachUnderTheirOwnOpening) {
  testing::MemoryRegistry registry;
  store::WriteDeckLibrary(registry, "C:\\Decks\\a.car");
  store::WriteCardBack(registry, 7);
  const auto* path = registry.Find(kKey, "DeckDLL");
  ASSERT_NE(path, nullptr);
  EXPECT_EQ(path->type, store::ValueType::kString);
  EXPECT_EQ(std::string(path->data.begin(), path->data.end()), std::string("C:\\Decks\\a.car", 14) + '\0');
  registry.calls.clear();
  store::ResetDeck(registry);
  store::ResetDeck(registry);
  EXPECT_EQ(registry.Find(kKey, "DeckDLL"), nullptr);
  EXPECT_EQ(registry.Find(kKey, "CardBack"), nullptr);
  EXPECT_EQ(registry.calls, (Log{kOpen, "RegDeleteValue DeckDLL", "RegDeleteValue CardBack", kClose, kOpen,
                                 "RegDeleteValue DeckDLL", "RegDeleteValue CardBack", kClose}));
}

}  // namespace
}  // namespace pelmor::app
