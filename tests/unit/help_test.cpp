// The Help menu's flows: which help file is written and opened, the fallback and the error, and
// the about and payment requests.
#include <gtest/gtest.h>

#include "app/table.h"
#include "app/web_addresses.h"
#include "tests/fakes/recording_platform.h"

namespace pelmor::app {
namespace {

using testing::RecordingPlatform;

struct HowToPlayCase {
  bool failWrites;
  std::vector<std::uintptr_t> shellResults;
  std::vector<std::string> expectedLog;
  bool errorShown;
};

TEST(HowToPlay, WritesAndOpensTheWriteDocumentThenFallsBackToTheWebPage) {
  const HowToPlayCase cases[] = {
      // Write.exe starts: only the Write document is written.
      {false, {42}, {"ReplaceFile pelmor16.wri", "ShellOpen Write.exe|pelmor16.wri"}, false},
      // It does not: the web page is written and opened by its association.
      {false, {2, 42},
       {"ReplaceFile pelmor16.wri", "ShellOpen Write.exe|pelmor16.wri", "ReplaceFile pelmor16.htm",
        "ShellOpen pelmor16.htm|"},
       false},
      // Neither opens (32 is still a failure): the error box follows.
      {false, {2, 32},
       {"ReplaceFile pelmor16.wri", "ShellOpen Write.exe|pelmor16.wri", "ReplaceFile pelmor16.htm",
        "ShellOpen pelmor16.htm|", "MessageBox Couldn't launch help file"},
       true},
      // A folder that takes no files: the shell is asked all the same.
      {true, {2, 42},
       {"ReplaceFile pelmor16.wri failed", "ShellOpen Write.exe|pelmor16.wri", "ReplaceFile pelmor16.htm failed",
        "ShellOpen pelmor16.htm|"},
       false},
  };
  for (const auto& c : cases) {
    RecordingPlatform platform;
    platform.carriedDocuments = {{"pelmor16.wri", std::string("\x31\xBE\0\0", 4)}, {"pelmor16.htm", "<html>\r\n"}};
    platform.shellResults.assign(c.shellResults.begin(), c.shellResults.end());
    platform.failWrites = c.failWrites;
    PelmorTable table(platform, {"Pelmor.exe"});
    table.HowToPlay1Click();
    EXPECT_EQ(platform.log, c.expectedLog);
    for (const auto& [name, bytes] : platform.contents)
      EXPECT_EQ(std::string(bytes.begin(), bytes.end()), platform.carriedDocuments[name]) << name;
    ASSERT_EQ(platform.messages.size(), c.errorShown ? 1u : 0u);
    if (c.errorShown) {
      EXPECT_EQ(platform.messages[0].caption, "Pelmor");
      EXPECT_EQ(platform.messages[0].icon, Icon::kError);
      EXPECT_EQ(platform.messages[0].buttons, Buttons::kOk);
    }
  }
}

TEST(HelpMenu, HowToUseShowsBothBoxesInOrderAndAboutAndBuyAskForTheirPages) {
  RecordingPlatform platform;
  PelmorTable table(platform, {"Pelmor.exe"});
  table.HowToUseThisGame1Click();
  table.About1Click();
  table.BuySourceCode1Click();
  ASSERT_EQ(platform.messages.size(), 2u);
  EXPECT_EQ(platform.messages[0].text.rfind("To discard a card use the left mouse button.\r\n", 0), 0u);
  EXPECT_EQ(platform.messages[1].text.rfind("lowercase a through d keys", 0), 0u);
  for (const auto& m : platform.messages) EXPECT_EQ(m.icon, Icon::kNone);
  ASSERT_EQ(platform.aboutRequests.size(), 1u);
  const AboutRequest& about = platform.aboutRequests[0];
  EXPECT_EQ(about.name, "Pelmor");
  EXPECT_EQ(about.pagePath, "/pelmor-solitaire/");
  EXPECT_EQ(std::vector<std::uint32_t>({about.major, about.minor, about.release, about.build}),
            std::vector<std::uint32_t>({1, 0, 0, 1}));
  EXPECT_EQ(about.options, 0u);
  EXPECT_EQ(platform.log.back(), "ShellOpen " + std::string(kPaymentPageBase) + std::string(kSourceCodeItem) + "|");
}

}  // namespace
}  // namespace pelmor::app
