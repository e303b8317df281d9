// Save Game, Load Saved Game and the "/L" start: what they write, what they take over, and that a
// rejected or failed operation changes nothing.
#include <gtest/gtest.h>

#include "app/table.h"
#include "game/extended.h"
#include "tests/fakes/recording_platform.h"

namespace pelmor::app {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::RecordingPlatform;

constexpr char kKey[] = "Software\\Halvek\\Pelmor";

// The elapsed time of `seconds` whole seconds as the file holds it.
game::Extended Seconds(int seconds) { return game::Extended::FromDouble(seconds / 86400.0); }

class SaveLoad : public ::testing::Test {
 protected:
  void Start(std::vector<std::string> arguments) {
    platform.registry.AddKey(kKey);
    arguments.insert(arguments.begin(), "C:\\Games\\Pelmor.exe");
    table = std::make_unique<PelmorTable>(platform, arguments);
    table->FormCreate();
  }
  void Clear() {
    platform.log.clear();
    platform.messages.clear();
  }
  Bytes& Saved() { return platform.contents["Pelmor.sav"]; }
  // A valid file of game 77: the ace of clubs on pile A, nothing else, `seconds` of play.
  static Bytes SmallFile(int seconds) {
    Bytes file = {'P', 'E', 'L', 'M', 'O', 'R', 0, 77, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0};
    std::array<std::uint8_t, 10> time = Seconds(seconds).ToBytes();
    file.insert(file.end(), time.begin(), time.end());
    return file;
  }

  RecordingPlatform platform;
  std::unique_ptr<PelmorTable> table;
};

TEST_F(SaveLoad, SaveRightAfterTheDealWritesTheLayout) {
  Start({"-1"});
  ASSERT_TRUE(table->SaveGame1Click());
  const Bytes& file = Saved();
  ASSERT_EQ(file.size(), 131u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 11), (Bytes{'P', 'E', 'L', 'M', 'O', 'R', 0, 0xFF, 0xFF, 0xFF, 0xFF}));
  const game::Piles& piles = table->Game().piles;
  std::size_t at = 11;
  for (int p = 0; p < game::kPileCount; ++p) {
    const auto& pile = piles[static_cast<std::size_t>(p)];
    ASSERT_EQ(file[at++], p < 4 ? 1 : p == game::kStock ? 48 : 0);
    for (int i = 0; i < pile.Count(); ++i, at += 2) {
      EXPECT_EQ(file[at], game::RankOf(pile.At(i)));
      EXPECT_EQ(file[at + 1], game::SuitOf(pile.At(i)));
    }
  }
  EXPECT_EQ(Bytes(file.begin() + 121, file.end()), Bytes(10, 0));
}

TEST_F(SaveLoad, LoadTakesOverTheGameAndItsTimeThenTheClockGoesOn) {
  Start({"5"});
  platform.contents["Pelmor.sav"] = SmallFile(3661);
  Clear();
  table->LoadSavedGame1Click();
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(table->Game().number, 77);
  EXPECT_EQ(table->Game().piles[0].Count(), 1);
  EXPECT_TRUE(table->Game().piles[game::kStock].Empty());
  EXPECT_EQ(table->Elapsed(), Seconds(3661));
  EXPECT_EQ(platform.log, (std::vector<std::string>{"FileExists Pelmor.sav", "ReadFile Pelmor.sav 651", "Timer2 off",
                                                    "Timer2 on", "Repaint", "SetCaption Pelmor Solitaire #77",
                                                    "SetApplicationTitle Pelmor Solitaire #77",
                                                    "SetStatusText Cards Left:48 Draws Left:0 Duration:0 days, 01:01:01"}));
  // Saving at once writes the same bytes back, the time to the last bit.
  Bytes loaded = Saved();
  ASSERT_TRUE(table->SaveGame1Click());
  EXPECT_EQ(Saved(), loaded);
}

TEST_F(SaveLoad, ARejectedFileChangesNothing) {
  struct Case {
    const char* what;
    Bytes file;
    const char* message;
  };
  Bytes badId = SmallFile(1);
  badId[6] = 1;
  Bytes badCount = SmallFile(1);
  badCount[14] = 53;  // pile B's count, after pile A's card
  Bytes badCard = SmallFile(1);
  badCard[12] = 0x0D;
  Bytes negative = SmallFile(1);
  negative.back() |= 0x80;
  Bytes cut = SmallFile(1);
  cut.resize(cut.size() - 1);
  const Case cases[] = {
      {"identification", badId, "Pelmor.sav isn't a valid saved game"},
      {"short", Bytes{'P', 'E'}, "Pelmor.sav isn't a valid saved game"},
      {"count", badCount, "Part of Pelmor.sav isn't correct"},
      {"card", badCard, "Part of Pelmor.sav isn't correct"},
      {"time", negative, "Part of Pelmor.sav isn't correct"},
      {"cut", cut, "Part of Pelmor.sav isn't correct"},
  };
  Start({"5"});
  const game::Piles before = table->Game().piles;
  for (const auto& c : cases) {
    platform.contents["Pelmor.sav"] = c.file;
    Clear();
    table->LoadSavedGame1Click();
    ASSERT_EQ(platform.messages.size(), 1u) << c.what;
    EXPECT_EQ(platform.messages[0].text, c.message) << c.what;
    EXPECT_EQ(platform.messages[0].caption, "Pelmor");
    EXPECT_EQ(platform.messages[0].icon, Icon::kError);
    EXPECT_EQ(table->Game().piles, before) << c.what;
    EXPECT_EQ(table->Game().number, 5) << c.what;
    EXPECT_EQ(table->Elapsed(), game::Extended()) << c.what;
    EXPECT_FALSE(platform.Logged("Timer2") || platform.Logged("Repaint") || platform.Logged("SetCaption")) << c.what;
  }
}

TEST_F(SaveLoad, NoFileSaysSoAndAnUnreadableOneIsNotASavedGame) {
  Start({"5"});
  Clear();
  table->LoadSavedGame1Click();
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "No game was ever saved");
  EXPECT_EQ(platform.messages[0].icon, Icon::kInformation);
  EXPECT_FALSE(platform.Logged("ReadFile"));

  platform.files.insert("Pelmor.sav");  // exists, but reading it fails
  table->LoadSavedGame1Click();
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[1].text, "Pelmor.sav isn't a valid saved game");
}

TEST_F(SaveLoad, AFailedSaveSaysSoAndKeepsTheLastGoodFile) {
  Start({"5"});
  platform.contents["Pelmor.sav"] = SmallFile(9);
  platform.failWrites = true;
  platform.writeFailure = {"D:\\Play\\Pelmor", "The media is write protected."};
  Clear();
  EXPECT_FALSE(table->SaveGame1Click());
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].caption, "Pelmor");
  EXPECT_EQ(platform.messages[0].icon, Icon::kError);
  EXPECT_EQ(platform.messages[0].text,
            "The game could not be saved: Pelmor.sav could not be written\r\nFolder: D:\\Play\\Pelmor\r\n"
            "Reason: The media is write protected.");
  EXPECT_EQ(Saved(), SmallFile(9));
}

TEST_F(SaveLoad, LoadSwitchAtStartUp) {
  platform.contents["Pelmor.sav"] = SmallFile(2);
  Start({"/L", "10", "20", "600", "400"});
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_EQ(platform.caption, "Pelmor Solitaire #77");
  EXPECT_EQ(table->Game().piles[0].Top(), game::MakeCard(0, 1));
  EXPECT_LT(platform.Find("SetCaption"), platform.Find("LoadCardPictures"));
  // The status line shows the stored time at once, and the clock has not moved on from it.
  EXPECT_EQ(platform.statusText, "Cards Left:48 Draws Left:0 Duration:0 days, 00:00:02");
  EXPECT_EQ(table->Elapsed(), Seconds(2));

  RecordingPlatform broken;
  broken.registry.AddKey(kKey);
  broken.contents["Pelmor.sav"] = Bytes{'P', 'E', 'L', 'M', 'O', 'R', 0, 1};
  PelmorTable other(broken, {"Pelmor.exe", "/L"});
  other.FormCreate();
  ASSERT_EQ(broken.messages.size(), 1u);
  EXPECT_EQ(broken.messages[0].text, "Part of Pelmor.sav isn't correct");
  EXPECT_EQ(broken.caption, "Pelmor Solitaire");
  for (const auto& pile : other.Game().piles) EXPECT_TRUE(pile.Empty());
  EXPECT_TRUE(broken.Logged("LoadCardPictures"));
}

}  // namespace
}  // namespace pelmor::app
