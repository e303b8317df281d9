// New Game, Enter Game Number and Exit: every new game is a relaunch of the program.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/table.h"
#include "tests/fakes/recording_platform.h"

namespace pelmor::app {
namespace {

using testing::ProcessEnded;
using testing::RecordingPlatform;

class NewGames : public ::testing::Test {
 protected:
  NewGames() : table(platform, {"C:\\Games\\Pelmor.exe", "77"}) {
    platform.registry.AddKey("Software\\Halvek\\Pelmor");
    table.FormCreate();
    platform.log.clear();
    platform.messages.clear();
  }
  // Runs a command that may end the process; returns the exit code, or -1 when it returned.
  template <typename Command>
  int Run(Command command) {
    try {
      command();
    } catch (const ProcessEnded& ended) {
      return static_cast<int>(ended.exitCode);
    }
    return -1;
  }

  RecordingPlatform platform;
  PelmorTable table;
};

TEST_F(NewGames, NewGameSeedsDrawsAndRelaunchesWithTheWindowBounds) {
  platform.clock = {0, 0, 0, 1};  // seed 1: the next number is 134798444
  platform.bounds = {10, 20, 600, 400};
  EXPECT_EQ(Run([&] { table.NewGame1Click(); }), 0);
  ASSERT_EQ(platform.log.size(), 3u);
  EXPECT_EQ(platform.log[0], "GetSystemTime");
  EXPECT_EQ(platform.log[1], "ShellStart C:\\Games\\Pelmor.exe|134798444 10 20 600 400");
  EXPECT_EQ(platform.log[2], "EndProcess 0");
}

TEST_F(NewGames, NewGameRecordsAndSavesNothing) {
  Run([&] { table.NewGame1Click(); });
  for (const auto& entry : platform.log) {
    EXPECT_EQ(entry.find("RegSetValue"), std::string::npos);
    EXPECT_EQ(entry.find("Pelmor.sav"), std::string::npos);
  }
}

TEST_F(NewGames, EnterGameNumberOffersAFreshNumber) {
  platform.clock = {0, 0, 0, 0};  // seed 0: 2056
  platform.inputReplies.push_back(std::nullopt);
  EXPECT_EQ(Run([&] { table.EnterGameNumber1Click(); }), -1);
  EXPECT_EQ(platform.log, (std::vector<std::string>{"GetSystemTime", "InputQuery New Game|Enter game#|2056"}));
  EXPECT_EQ(platform.caption, "Pelmor Solitaire #77");
}

TEST_F(NewGames, EnterGameNumberRelaunchesWithTheEnteredNumber) {
  platform.inputReplies.push_back(std::string("-0"));
  EXPECT_EQ(Run([&] { table.EnterGameNumber1Click(); }), 0);
  EXPECT_TRUE(platform.Logged("ShellStart C:\\Games\\Pelmor.exe|0 43 106 501 300"));
  EXPECT_TRUE(platform.messages.empty());
}

TEST_F(NewGames, RejectedCharactersAskAgainWithANewNumber) {
  platform.inputReplies.push_back(std::string("12a"));
  platform.inputReplies.push_back(std::string("-123"));
  EXPECT_EQ(Run([&] { table.EnterGameNumber1Click(); }), 0);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].text, "You must use whole numbers positive and negatives allowed");
  EXPECT_EQ(platform.messages[0].caption, "Pelmor");
  EXPECT_EQ(platform.messages[0].icon, Icon::kInformation);
  // The clock is read again before the second dialog, which offers a newly drawn number.
  int first = platform.Find("InputQuery");
  int box = platform.Find("MessageBox You must", first);
  int reseed = platform.Find("GetSystemTime", box);
  int second = platform.Find("InputQuery", reseed);
  EXPECT_TRUE(first >= 0 && box > first && reseed > box && second > reseed);
  EXPECT_TRUE(platform.Logged("ShellStart C:\\Games\\Pelmor.exe|-123 "));
}

TEST_F(NewGames, TextThatPassesTheScanButDoesNotConvertEndsTheCommand) {
  for (const char* text : {"", "1-2", "--5", "-", "2147483648", "-2147483649", "99999999999"}) {
    RecordingPlatform p;
    PelmorTable t(p, {"Pelmor.exe", "4"});
    t.FormCreate();
    p.messages.clear();
    p.inputReplies.push_back(std::string(text));
    EXPECT_NO_THROW(t.EnterGameNumber1Click()) << text;
    ASSERT_EQ(p.messages.size(), 1u) << text;
    EXPECT_EQ(p.messages[0].text, std::string("'") + text + "' is not a valid integer value.");
    // Under the application title, which the deal set.
    EXPECT_EQ(p.messages[0].caption, "Pelmor Solitaire #4");
    EXPECT_EQ(p.messages[0].icon, Icon::kError);
    EXPECT_EQ(p.inputInitialTexts.size(), 1u);  // asked once only
    EXPECT_FALSE(p.Logged("ShellStart"));
  }
}

TEST_F(NewGames, ExitClosesTheTable) {
  table.Exit1Click();
  EXPECT_EQ(platform.log, (std::vector<std::string>{"CloseTable"}));
}

TEST(GameNumberText, ParsesSignedDecimalInRange) {
  struct Case {
    const char* text;
    std::optional<game::GameNumber> number;
  };
  const Case cases[] = {
      {"0", 0}, {"-0", 0}, {"+7", 7}, {"007", 7}, {"-7", -7}, {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1}, {"2147483648", std::nullopt}, {"-2147483649", std::nullopt},
      {"", std::nullopt}, {"-", std::nullopt}, {"+", std::nullopt}, {"1-2", std::nullopt}, {"--5", std::nullopt},
      {"12a", std::nullopt}, {"$10", std::nullopt}, {"0x10", std::nullopt}, {" 1", std::nullopt},
      {"1 ", std::nullopt}, {"/l", std::nullopt}, {"+-1", std::nullopt},
      {"000000000000000000012", 12},  // leading zeros never overflow
  };
  for (const auto& c : cases) EXPECT_EQ(ParseGameNumber(c.text), c.number) << '"' << c.text << '"';
}

TEST(GameNumberText, ScanAcceptsOnlyMinusSignsAndDigits) {
  EXPECT_TRUE(PassesGameNumberScan(""));
  EXPECT_TRUE(PassesGameNumberScan("--5-"));
  EXPECT_TRUE(PassesGameNumberScan("0123456789"));
  EXPECT_FALSE(PassesGameNumberScan("+5"));
  EXPECT_FALSE(PassesGameNumberScan("12a"));
  EXPECT_FALSE(PassesGameNumberScan(" 1"));
}

TEST(CommandLine, FirstArgumentSelectsWhatIsPlayed) {
  EXPECT_EQ(InterpretFirstArgument({"p"}).kind, StartKind::kRandom);
  EXPECT_EQ(InterpretFirstArgument({"p", "/"}).kind, StartKind::kRandom);
  EXPECT_EQ(InterpretFirstArgument({"p", "/L"}).kind, StartKind::kLoad);
  EXPECT_EQ(InterpretFirstArgument({"p", "/l"}).kind, StartKind::kNotANumber);
  EXPECT_EQ(InterpretFirstArgument({"p", "//"}).kind, StartKind::kNotANumber);
  StartChoice number = InterpretFirstArgument({"p", "-7", "10", "20", "600", "400"});
  EXPECT_EQ(number.kind, StartKind::kNumber);
  EXPECT_EQ(number.number, -7);
}

TEST(CommandLine, RelaunchParametersAreSignedDecimals) {
  EXPECT_EQ(RelaunchParameters(-2147483647 - 1, {-8, -8, 1040, 784}), "-2147483648 -8 -8 1040 784");
}

}  // namespace
}  // namespace pelmor::app
