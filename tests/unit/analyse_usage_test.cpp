// What pelmor-analyse says to people: counts with thousands separators, and the help switches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>

#include "tools/analyse/usage.h"

namespace pelmor::analyse {
namespace {

TEST(AnalyseUsage, CountsCarryACommaBetweenEveryThreeDigits) {
  EXPECT_EQ(WithThousands(0), "0");
  EXPECT_EQ(WithThousands(999), "999");
  EXPECT_EQ(WithThousands(1000), "1,000");
  EXPECT_EQ(WithThousands(152295), "152,295");
  EXPECT_EQ(WithThousands(4000000), "4,000,000");
  EXPECT_EQ(WithThousands(UINT64_MAX), "18,446,744,073,709,551,615");
  EXPECT_NE(UsageText(4000000).find("(default 4,000,000)"), std::string::npos);
}

TEST(AnalyseUsage, OnlyTheHelpSwitchesAskForHelpNeverANegativeGameNumber) {
  for (const char* arg : {"/?", "-h", "--help"}) EXPECT_TRUE(IsHelpSwitch(arg)) << arg;
  for (const char* arg : {"-7", "-0", "-", "/", "?", "-H", "-help", "--h", "/?7", "/help", ""})
    EXPECT_FALSE(IsHelpSwitch(arg)) << arg;
}

// Opened from Explorer, the words show in a console of 80 by 25 (they end with a prompt to press
// Enter), where a longer line would break in the middle of a word and the first lines scroll away.
TEST(AnalyseUsage, TextsFitAConsoleOf80By25) {
  for (const std::string& text : {UsageText(4000000), OpenedFromExplorerText()}) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) EXPECT_LT(line.size(), 80u) << line;
  }
  std::string words = OpenedFromExplorerText();
  EXPECT_LT(std::count(words.begin(), words.end(), '\n'), 24);
}

}  // namespace
}  // namespace pelmor::analyse
