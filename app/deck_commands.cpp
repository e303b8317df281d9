// The change-deck dialog's commands.
#include "app/deck_commands.h"

#include "app/web_addresses.h"
#include "store/settings_store.h"

namespace pelmor::app {

namespace {

constexpr std::string_view kIniFile = "c:\\morvik.ini";
constexpr std::string_view kBackNotSaved = "The card back could not be saved: Pelmor.bac could not be written";

}  // namespace

void ChangeDeck::FormCreate() {
  if (dialog_.ReadIniInteger(kIniFile, "Games", "VelmarshWindows", 0) == 1) dialog_.SetDeckFolder("C:\\Cards");
}

void ChangeDeck::FormPaint() {
  dialog_.DrawPreviewBack(dialog_.ScrollPosition());
  // While a custom back file exists the preview shows it over the module's back.
  if (platform_.FileExists(kCustomBackFile)) dialog_.DrawPreviewBackPicture();
}

void ChangeDeck::Button1Click() {
  std::uint32_t back =
      dialog_.RandomBackChecked() ? store::kRandomCardBack : static_cast<std::uint32_t>(dialog_.ScrollPosition());
  store::WriteCardBack(platform_.Registry(), back);
  SaveAndRelaunch();
}

void ChangeDeck::Button2Click() {
  store::ResetDeck(platform_.Registry());
  SaveAndRelaunch();
}

void ChangeDeck::SaveAndRelaunch() {
  // A relaunch after a failed save would load an older game, or none: the game in play stays
  // here, and the settings just stored take effect at the next start.
  if (!table_.SaveGame1Click()) return;
  table_.RelaunchWithSavedGame();
}

void ChangeDeck::Button3Click() {
  std::optional<std::string> path = dialog_.ChooseDeckFile();
  if (!path) return;
  std::string error;
  if (!platform_.OpenDeckLibrary(*path, &error)) {
    dialog_.ShowError(error, kDeckErrorCaption);
    return;
  }
  store::WriteDeckLibrary(platform_.Registry(), *path);
  FormPaint();
}

void ChangeDeck::Button4Click() { dialog_.OpenWebPage(MakerPage(kDecksPagePath)); }

void ChangeDeck::Button5Click() { FormClose(); }

void ChangeDeck::FormClose() {
  platform_.Repaint();
  dialog_.Hide();
}

void ChangeDeck::Button6Click() {
  std::optional<std::string> file = dialog_.ChooseBackFile();
  if (!file) return;
  std::optional<std::vector<std::uint8_t>> picture =
      platform_.StretchedBitmapFile(*file, kPictureWidth, kPictureHeight);
  if (!picture) {
    dialog_.ShowError(kInvalidBitmapText, table_.ApplicationTitle());
    return;
  }
  WriteFailure failure;
  if (!platform_.ReplaceFile(kCustomBackFile, *picture, &failure)) {
    dialog_.ShowError(NotWrittenText(kBackNotSaved, failure), kMessageCaption);
    return;
  }
  // The file just written is a 71 x 96 bitmap of ours; it becomes the table's back.
  platform_.LoadCustomBack(kCustomBackFile);
  FormPaint();
}

}  // namespace pelmor::app
