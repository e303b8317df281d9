// The change-deck dialog's commands: the settings they store, the save and relaunch, the deck
// library and the custom back, and that a failure changes nothing.
#include <gtest/gtest.h>

#include "app/deck_commands.h"
#include "tests/fakes/recording_platform.h"

namespace pelmor::app {
namespace {

using testing::ProcessEnded;
using testing::RecordingPlatform;

constexpr char kKey[] = "Software\\Halvek\\Pelmor";

// The dialog's controls and boxes, recorded into the platform's log so the order shows.
class RecordingDeckDialog : public DeckDialog {
 public:
  explicit RecordingDeckDialog(RecordingPlatform& platform) : platform_(platform) {}
  int scroll = 0;
  bool randomBack = false;
  std::optional<std::string> deckChoice, backChoice;
  int iniValue = 0;

  int ScrollPosition() override { return scroll; }
  bool RandomBackChecked() override { return randomBack; }
  std::optional<std::string> ChooseDeckFile() override { return Log("ChooseDeck"), deckChoice; }
  std::optional<std::string> ChooseBackFile() override { return Log("ChooseBack"), backChoice; }
  void SetDeckFolder(std::string_view folder) override { Log("SetDeckFolder " + std::string(folder)); }
  int ReadIniInteger(std::string_view file, std::string_view section, std::string_view key, int fallback) override {
    Log("ReadIni " + std::string(file) + "|" + std::string(section) + "|" + std::string(key) + "|" +
        std::to_string(fallback));
    return iniValue;
  }
  void ShowError(std::string_view text, std::string_view caption) override {
    Log("DialogError " + std::string(caption) + "|" + std::string(text));
  }
  void DrawPreviewBack(int back) override { Log("PreviewBack " + std::to_string(back)); }
  void DrawPreviewBackPicture() override { Log("PreviewBackPicture"); }
  void OpenWebPage(std::string_view address) override { Log("OpenWebPage " + std::string(address)); }
  void Hide() override { Log("Hide"); }

 private:
  void Log(const std::string& line) { platform_.log.push_back(line); }
  RecordingPlatform& platform_;
};

class Deck : public ::testing::Test {
 protected:
  Deck() : table(platform, {"C:\\Games\\Pelmor.exe", "5"}), dialog(platform), deck(table, platform, dialog) {
    platform.registry.AddKey(kKey);
    table.FormCreate();
    platform.log.clear();
  }
  const testing::MemoryRegistry::Value* Stored(const std::string& name) const { return platform.registry.Find(kKey, name); }
  // Runs a command that may end the process; true when it did.
  template <typename F>
  bool Ends(F command) {
    try {
      command();
    } catch (const ProcessEnded& end) {
      EXPECT_EQ(end.exitCode, 0u);
      return true;
    }
    return false;
  }

  RecordingPlatform platform;
  PelmorTable table;
  RecordingDeckDialog dialog;
  ChangeDeck deck;
};

TEST_F(Deck, SaveStoresTheBackSavesTheGameAndRelaunchesWithTheLoadSwitch) {
  dialog.scroll = 7;
  ASSERT_TRUE(Ends([&] { deck.Button1Click(); }));
  ASSERT_NE(Stored("CardBack"), nullptr);
  EXPECT_EQ(Stored("CardBack")->data, (std::vector<std::uint8_t>{7, 0, 0, 0}));
  EXPECT_EQ(Stored("CardBack")->type, store::ValueType::kDword);
  ASSERT_EQ(platform.contents["Pelmor.sav"].size(), 131u);
  std::vector<std::string> tail(platform.log.end() - 4, platform.log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"RegCloseKey Software\\Halvek\\Pelmor", "ReplaceFile Pelmor.sav",
                                            "ShellStart C:\\Games\\Pelmor.exe|/L 43 106 501 300", "EndProcess 0"}));

  dialog.randomBack = true;
  ASSERT_TRUE(Ends([&] { deck.Button1Click(); }));
  EXPECT_EQ(Stored("CardBack")->data, (std::vector<std::uint8_t>{255, 0, 0, 0}));
}

TEST_F(Deck, ResetDeletesBothSettingsThenSavesAndRelaunches) {
  platform.registry.SetDword(kKey, "CardBack", 3);
  platform.registry.SetRaw(kKey, "DeckDLL", store::ValueType::kString, {'x', 0});
  ASSERT_TRUE(Ends([&] { deck.Button2Click(); }));
  EXPECT_EQ(Stored("CardBack"), nullptr);
  EXPECT_EQ(Stored("DeckDLL"), nullptr);
  EXPECT_LT(platform.Find("RegDeleteValue DeckDLL"), platform.Find("RegDeleteValue CardBack"));
  EXPECT_LT(platform.Find("RegDeleteValue CardBack"), platform.Find("ReplaceFile Pelmor.sav"));
  EXPECT_TRUE(platform.Logged("ShellStart C:\\Games\\Pelmor.exe|/L "));
}

TEST_F(Deck, AFailedSaveKeepsTheGameHereAndTheStoredSetting) {
  platform.failWrites = true;
  dialog.scroll = 4;
  EXPECT_FALSE(Ends([&] { deck.Button1Click(); }));
  ASSERT_NE(Stored("CardBack"), nullptr);
  EXPECT_EQ(Stored("CardBack")->data, (std::vector<std::uint8_t>{4, 0, 0, 0}));
  EXPECT_FALSE(Ends([&] { deck.Button2Click(); }));
  EXPECT_EQ(Stored("CardBack"), nullptr);
  EXPECT_FALSE(platform.Logged("ShellStart"));
  EXPECT_EQ(platform.messages.size(), 2u);  // one error box per failed save
}

TEST_F(Deck, BrowseStoresALibraryOnlyWhenItOpens) {
  deck.Button3Click();  // cancelled
  EXPECT_EQ(platform.log, std::vector<std::string>{"ChooseDeck"});

  dialog.deckChoice = "C:\\Cards\\notes.CAR";
  platform.log.clear();
  deck.Button3Click();
  EXPECT_EQ(platform.log, (std::vector<std::string>{
                              "ChooseDeck", "OpenDeckLibrary C:\\Cards\\notes.CAR failed",
                              "DialogError Orvandis Card Deck|Bad EXE format for C:\\Cards\\notes.CAR."}));
  EXPECT_EQ(Stored("DeckDLL"), nullptr);

  dialog.deckChoice = "C:\\Cards\\red.CAR";
  platform.deckLibraries.insert(*dialog.deckChoice);
  dialog.scroll = 2;
  platform.log.clear();
  deck.Button3Click();
  ASSERT_NE(Stored("DeckDLL"), nullptr);
  const std::string path = "C:\\Cards\\red.CAR";
  std::vector<std::uint8_t> withZero(path.begin(), path.end());
  withZero.push_back(0);
  EXPECT_EQ(Stored("DeckDLL")->data, withZero);
  EXPECT_EQ(Stored("DeckDLL")->type, store::ValueType::kString);
  EXPECT_GT(platform.Find("PreviewBack 2"), platform.Find("RegSetValue DeckDLL"));
}

TEST_F(Deck, CustomBackIsWrittenSafelyAndOnlyFromABitmap) {
  dialog.backChoice = "C:\\text.bmp";
  deck.Button6Click();
  EXPECT_EQ(platform.log, (std::vector<std::string>{"ChooseBack", "StretchedBitmapFile C:\\text.bmp 71x96",
                                                    "DialogError Pelmor Solitaire #5|Bitmap image is not valid"}));

  dialog.backChoice = "C:\\big.bmp";
  platform.bitmaps[*dialog.backChoice] = {'B', 'M', 1};
  platform.failWrites = true;
  platform.log.clear();
  deck.Button6Click();
  EXPECT_FALSE(platform.Logged("LoadCustomBack"));
  EXPECT_TRUE(platform.Logged("DialogError Pelmor|The card back could not be saved: Pelmor.bac could not be "
                              "written\r\nFolder: C:\\Games\r\nReason: Access is denied."));
  EXPECT_FALSE(platform.FileExists("Pelmor.bac"));

  platform.failWrites = false;
  platform.log.clear();
  deck.Button6Click();
  EXPECT_EQ(platform.contents["Pelmor.bac"], (std::vector<std::uint8_t>{'B', 'M', 1}));
  EXPECT_EQ(platform.log, (std::vector<std::string>{"ChooseBack", "StretchedBitmapFile C:\\big.bmp 71x96",
                                                    "ReplaceFile Pelmor.bac", "LoadCustomBack Pelmor.bac",
                                                    "PreviewBack 0", "FileExists Pelmor.bac", "PreviewBackPicture"}));
}

TEST_F(Deck, PreviewIniFolderWebPageAndClose) {
  deck.FormCreate();
  dialog.iniValue = 1;
  deck.FormCreate();
  dialog.scroll = 11;
  deck.ScrollBar1Change();  // no custom back: the module's back only
  deck.Button4Click();
  deck.Button5Click();
  EXPECT_EQ(platform.log,
            (std::vector<std::string>{"ReadIni c:\\morvik.ini|Games|VelmarshWindows|0",
                                      "ReadIni c:\\morvik.ini|Games|VelmarshWindows|0", "SetDeckFolder C:\\Cards",
                                      "PreviewBack 11", "FileExists Pelmor.bac",
                                      "OpenWebPage https://www.halvek.example/decks", "Repaint", "Hide"}));
}

}  // namespace
}  // namespace pelmor::app
