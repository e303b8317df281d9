// The creation sequence: its order of steps, the first start, the command line and the back.
#include <gtest/gtest.h>

#include "app/program.h"
#include "app/table.h"
#include "tests/fakes/recording_platform.h"

namespace pelmor::app {
namespace {

using testing::ProcessEnded;
using testing::RecordingPlatform;

constexpr char kKey[] = "Software\\Halvek\\Pelmor";

class Startup : public ::testing::Test {
 protected:
  // Starts with the given arguments after the program path. The key exists unless firstStart.
  void Start(std::vector<std::string> arguments, bool firstStart = false) {
    if (!firstStart) platform.registry.AddKey(kKey);
    arguments.insert(arguments.begin(), "C:\\Games\\Pelmor.exe");
    table = std::make_unique<PelmorTable>(platform, arguments);
    table->FormCreate();
  }
  int At(const std::string& prefix) const { return platform.Find(prefix); }

  RecordingPlatform platform;
  std::unique_ptr<PelmorTable> table;
};

TEST_F(Startup, StepsRunInTheirOrder) {
  Start({"5"}, /*firstStart=*/true);
  const std::vector<std::string> steps = {
      "SetAreaFill 32768",                        // the areas' green before anything is painted
      "CreateFacePictures",
      "GetSystemTime",                            // the seed
      "RegCreateKeyEx Software\\Halvek\\Pelmor created",
      "MessageBox To discard a card",             // first start: both usage boxes, in order
      "MessageBox lowercase a through d",
      "RegQueryValue NoHints",
      "NoHints1 unchecked",
      "RegCreateKey Software\\Halvek",            // the parent key, opened and left alone
      "RegQueryValue DeckDLL",
      "SelectDeckModule",
      "RegCreateKey Software\\Halvek\\Pelmor",    // the card back has its own open and close
      "RegQueryValue CardBack",
      "RegCloseKey Software\\Halvek\\Pelmor",
      "SetCaption Pelmor Solitaire #5",           // the deal
      "SetApplicationTitle Pelmor Solitaire #5",
      "Repaint",
      "Label1 ",                                  // moves available, after the deal
      // The status line is filled before the window shows, at the time the game starts with.
      "SetStatusText Cards Left:48 Draws Left:12 Duration:0 days, 00:00:00",
      "LoadCardPictures",
      "RegCloseKey Software\\Halvek",             // parent first, then the program's key
      "RegCloseKey Software\\Halvek\\Pelmor",
      "FileExists Pelmor.bac",
  };
  int from = 0;
  for (const auto& step : steps) {
    int at = platform.Find(step, from);
    ASSERT_GE(at, 0) << "missing or out of order: " << step;
    from = at + 1;
  }
  EXPECT_EQ(platform.registry.OpenKeyCount(), 0);
  EXPECT_EQ(table->StatusFormat(), "Cards Left:%d Draws Left:%d Duration:%d days, %s");
  EXPECT_EQ(table->Elapsed(), game::Extended());
}

TEST_F(Startup, LaterStartsShowNoUsageBoxes) {
  Start({"5"});
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_FALSE(platform.Logged("RegCreateKeyEx Software\\Halvek\\Pelmor created"));
}

TEST_F(Startup, FirstStartBoxesAreThePlainUsageTexts) {
  Start({"5"}, true);
  ASSERT_EQ(platform.messages.size(), 2u);
  for (const auto& box : platform.messages) {
    EXPECT_EQ(box.caption, "Pelmor");
    EXPECT_EQ(box.buttons, Buttons::kOk);
    EXPECT_EQ(box.icon, Icon::kNone);
  }
  EXPECT_EQ(platform.messages[0].text,
            "To discard a card use the left mouse button.\r\nTo move a card to an empty pile use the right mouse "
            "button.\r\nTo see a covered card hold down the Ctrl key while clicking on the card.\r\nYou can use the "
            "space key to draw.");
  EXPECT_EQ(platform.messages[1].text,
            "lowercase a through d keys to discard from pile a through d\r\nuppercase A through D keys to move a "
            "card to an empty pile");
  EXPECT_TRUE(platform.registry.KeyExists(kKey));
}

TEST_F(Startup, UnopenableKeyShowsNoBoxesAndUsesDefaults) {
  platform.registry.failOpens = true;
  Start({"5"}, true);
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_FALSE(platform.noHintsChecked);
  EXPECT_GE(table->BackIndex(), 0);
  EXPECT_LT(table->BackIndex(), 12);
}

TEST_F(Startup, NoHintsCheckMarkOnlyForOne) {
  for (std::uint32_t stored : {1u, 2u, 0u}) {
    RecordingPlatform fresh;
    fresh.registry.SetDword(kKey, "NoHints", stored);
    PelmorTable t(fresh, {"Pelmor.exe", "1"});
    t.FormCreate();
    EXPECT_EQ(fresh.noHintsChecked, stored == 1) << stored;
  }
}

TEST_F(Startup, RandomGameDrawsFromTheClockSeededGenerator) {
  // 12:34:56.789 seeds 45296789; the back draw (no CardBack stored) takes one step, then the
  // game number takes two.
  Start({});
  game::RandomState state = 45296789;
  game::RandomBelow(state, 12);
  game::GameNumber expected = game::DrawGameNumber(state);
  EXPECT_EQ(table->Game().number, expected);
  EXPECT_EQ(platform.caption, "Pelmor Solitaire #" + std::to_string(expected));
}

TEST_F(Startup, AFixedBackLeavesTheGeneratorToTheGameNumber) {
  platform.registry.SetDword(kKey, "CardBack", 7);
  Start({"/"});
  game::RandomState state = 45296789;
  EXPECT_EQ(table->Game().number, game::DrawGameNumber(state));
  EXPECT_EQ(table->BackIndex(), 7);
}

TEST_F(Startup, BackDrawComesBeforeTheGameNumberDraw) {
  // The same clock with and without a stored back gives different random games.
  Start({});
  RecordingPlatform other;
  other.registry.SetDword(kKey, "CardBack", 0);
  PelmorTable fixed(other, {"Pelmor.exe"});
  fixed.FormCreate();
  EXPECT_NE(table->Game().number, fixed.Game().number);
}

struct BackCase {
  std::optional<std::uint32_t> stored;
  std::vector<std::string> arguments;
  int expected;  // -1: the random draw
};

class CardBackChoice : public ::testing::TestWithParam<BackCase> {};

TEST_P(CardBackChoice, SettlesTheBackIndex) {
  const BackCase& c = GetParam();
  RecordingPlatform platform;
  platform.registry.AddKey(kKey);
  if (c.stored) platform.registry.SetDword(kKey, "CardBack", *c.stored);
  std::vector<std::string> args = c.arguments;
  args.insert(args.begin(), "Pelmor.exe");
  PelmorTable table(platform, args);
  table.FormCreate();
  game::RandomState state = 45296789;
  int random = static_cast<int>(game::RandomBelow(state, 12));
  EXPECT_EQ(table.BackIndex(), c.expected < 0 ? random : c.expected);
  EXPECT_TRUE(platform.Logged("LoadCardPictures " + std::to_string(table.BackIndex())));
}

INSTANTIATE_TEST_SUITE_P(
    Backs, CardBackChoice,
    ::testing::Values(BackCase{0u, {"1"}, 0}, BackCase{11u, {"1"}, 11}, BackCase{12u, {"1"}, -1},
                      BackCase{255u, {"1"}, -1}, BackCase{0xFFFFFFFFu, {"1"}, -1}, BackCase{std::nullopt, {"1"}, -1},
                      // A relaunch writes the old window's height in the fifth place: no back.
                      BackCase{255u, {"1", "43", "106", "501", "300"}, -1},
                      // A fifth argument that names a back is honoured for a random back only.
                      BackCase{255u, {"1", "0", "0", "0", "9"}, 9}, BackCase{3u, {"1", "0", "0", "0", "9"}, 3},
                      BackCase{255u, {"1", "0", "0", "0", "-1"}, -1}, BackCase{255u, {"1", "0", "0", "0", "x"}, -1}));

TEST(CardBackSetting, ShorterValuesKeepTheDefaultsUpperBytes) {
  RecordingPlatform platform;
  platform.registry.SetRaw(kKey, "CardBack", store::ValueType::kBinary, {0x05});
  // 0x000000FF with its low byte replaced by 5 is 5: a valid back.
  PelmorTable table(platform, {"Pelmor.exe", "1"});
  table.FormCreate();
  EXPECT_EQ(table.BackIndex(), 5);
}

TEST(CardBackSetting, ValuesLongerThanFourBytesCountAsMissing) {
  RecordingPlatform platform;
  platform.registry.SetRaw(kKey, "CardBack", store::ValueType::kBinary, {1, 0, 0, 0, 0});
  PelmorTable table(platform, {"Pelmor.exe", "1"});
  table.FormCreate();
  game::RandomState state = 45296789;
  EXPECT_EQ(table.BackIndex(), static_cast<int>(game::RandomBelow(state, 12)));
}

TEST_F(Startup, DeckLibraryIsUsedOnlyWhenItsFileExists) {
  platform.registry.SetRaw(kKey, "DeckDLL", store::ValueType::kString,
                           {'C', ':', '\\', 'd', '.', 'C', 'A', 'R', 0});
  platform.files.insert("C:\\d.CAR");
  Start({"1"});
  EXPECT_TRUE(platform.Logged("SelectDeckModule C:\\d.CAR"));

  RecordingPlatform missing;
  missing.registry.SetRaw(kKey, "DeckDLL", store::ValueType::kString, {'C', ':', '\\', 'x', 0});
  PelmorTable t(missing, {"Pelmor.exe", "1"});
  t.FormCreate();
  EXPECT_EQ(missing.log[static_cast<std::size_t>(missing.Find("SelectDeckModule"))], "SelectDeckModule ");
}

TEST_F(Startup, TooLongDeckPathCountsAsMissing) {
  std::vector<std::uint8_t> path(261, 'a');  // 261 characters and their zero: 262 bytes
  path.push_back(0);
  platform.registry.SetRaw(kKey, "DeckDLL", store::ValueType::kString, path);
  Start({"1"});
  EXPECT_FALSE(platform.Logged("FileExists aaaa"));
  EXPECT_TRUE(platform.Logged("SelectDeckModule "));

  RecordingPlatform fits;  // 260 characters and the zero fit
  std::vector<std::uint8_t> longest(260, 'b');
  longest.push_back(0);
  fits.registry.SetRaw(kKey, "DeckDLL", store::ValueType::kString, longest);
  fits.files.insert(std::string(260, 'b'));
  PelmorTable t(fits, {"Pelmor.exe", "1"});
  t.FormCreate();
  EXPECT_TRUE(fits.Logged("SelectDeckModule bbbb"));
}

TEST_F(Startup, CustomBackFileIsAppliedLast) {
  platform.files.insert("Pelmor.bac");
  Start({"1"});
  EXPECT_EQ(platform.log.back(), "LoadCustomBack Pelmor.bac");
  EXPECT_GT(At("LoadCustomBack"), At("LoadCardPictures"));
}

TEST_F(Startup, NumberArgumentDealsThatGame) {
  Start({"-7", "10", "20", "600", "400"});
  EXPECT_EQ(table->Game().number, -7);
  EXPECT_EQ(platform.caption, "Pelmor Solitaire #-7");
  EXPECT_EQ(platform.applicationTitle, "Pelmor Solitaire #-7");
  EXPECT_EQ(table->Game().piles[game::kStock].Count(), 48);
}

TEST_F(Startup, ArgumentThatIsNotANumberIsReportedAndDealsNothing) {
  for (const char* argument : {"/l", "2147483648", "12a", "0x10", " 5"}) {
    RecordingPlatform p;
    p.registry.AddKey(kKey);
    PelmorTable t(p, {"Pelmor.exe", argument});
    t.FormCreate();
    ASSERT_EQ(p.messages.size(), 1u) << argument;
    EXPECT_EQ(p.messages[0].text, std::string("'") + argument + "' is not a valid integer value.");
    EXPECT_EQ(p.messages[0].caption, "Pelmor");  // the application title before any deal
    EXPECT_EQ(p.messages[0].icon, Icon::kError);
    EXPECT_EQ(p.messages[0].buttons, Buttons::kOk);
    EXPECT_EQ(p.caption, "Pelmor Solitaire");
    EXPECT_FALSE(p.Logged("SetCaption"));
    for (const auto& pile : t.Game().piles) EXPECT_TRUE(pile.Empty());
    // The rest of the creation still runs: pictures loaded, every key closed.
    EXPECT_TRUE(p.Logged("LoadCardPictures"));
    EXPECT_EQ(p.registry.OpenKeyCount(), 0);
  }
}

TEST_F(Startup, LoadSwitchWithoutASavedGameSaysSoAndDealsNothing) {
  Start({"/L"});
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "No game was ever saved");
  EXPECT_EQ(platform.messages[0].caption, "Pelmor");
  EXPECT_EQ(platform.messages[0].icon, Icon::kInformation);
  EXPECT_EQ(platform.caption, "Pelmor Solitaire");
  EXPECT_TRUE(platform.applicationTitle.empty());
  EXPECT_TRUE(platform.movesLabelVisible == false);
}

TEST_F(Startup, MovesLabelFollowsTheDealtPosition) {
  // Game 0 deals the Eight of Clubs, Six of Spades, King of Diamonds and Five of Hearts: no two
  // top cards share a suit.
  Start({"0"});
  EXPECT_FALSE(platform.movesLabelVisible);
  // Game 2147483647 deals the Ace of Spades and the Ace of Clubs beside the Eight of Diamonds
  // and the Two of Hearts: still four suits.
  RecordingPlatform p;
  PelmorTable t(p, {"Pelmor.exe", "12345"});  // Ten and Nine of Diamonds
  t.FormCreate();
  EXPECT_TRUE(p.movesLabelVisible);
}

class RecordingWindows : public ProgramWindows {
 public:
  std::vector<std::string> order;
  void CreateTable() override { order.push_back("table"); }
  void CreateChangeDeck() override { order.push_back("change deck"); }
  void CreateAbout() override { order.push_back("about"); }
  int ShowTableAndRun() override {
    order.push_back("run");
    return 0;
  }
};

TEST(ProgramEntry, CreatesTheTableThenBothDialogsThenRuns) {
  RecordingWindows windows;
  EXPECT_EQ(RunProgram(windows), 0);
  EXPECT_EQ(windows.order, (std::vector<std::string>{"table", "change deck", "about", "run"}));
}

}  // namespace
}  // namespace pelmor::app
