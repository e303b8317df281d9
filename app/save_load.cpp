// Saving and loading the game in progress: Game > Save Game, Game > Load Saved Game, and the
// "/L" start that loads through the same command.
#include "app/command_line.h"
#include "app/table.h"

namespace pelmor::app {

namespace {

constexpr std::string_view kNoSavedGame = "No game was ever saved";
constexpr std::string_view kNotASavedGame = "Pelmor.sav isn't a valid saved game";
constexpr std::string_view kPartIncorrect = "Part of Pelmor.sav isn't correct";
constexpr std::string_view kNotSaved = "The game could not be saved: Pelmor.sav could not be written";

}  // namespace

bool PelmorTable::SaveGame1Click() {
  store::SavedGame saved;
  saved.number = game_.number;
  saved.piles = game_.piles;
  saved.elapsed = elapsed_;
  std::optional<std::vector<std::uint8_t>> content = store::EncodeSavedGame(saved);
  if (!content) {
    // A position no file can carry: nothing was written, so there is no folder or reason to tell.
    platform_.ShowMessage(kNotSaved, kMessageCaption, Buttons::kOk, Icon::kError);
    return false;
  }
  WriteFailure failure;
  if (platform_.ReplaceFile(kSavedGameFile, *content, &failure)) return true;
  platform_.ShowMessage(NotWrittenText(kNotSaved, failure), kMessageCaption, Buttons::kOk, Icon::kError);
  return false;
}

std::string NotWrittenText(std::string_view firstLine, const WriteFailure& failure) {
  return std::string(firstLine) + "\r\nFolder: " + failure.folder + "\r\nReason: " + failure.reason;
}

void PelmorTable::LoadSavedGame1Click() {
  if (!platform_.FileExists(kSavedGameFile)) {
    platform_.ShowMessage(kNoSavedGame, kMessageCaption, Buttons::kOk, Icon::kInformation);
    return;
  }
  // The whole file is read and checked before anything changes: a rejected file leaves the game
  // in play, its number, its time and its clock exactly as they were.
  std::optional<std::vector<std::uint8_t>> file = platform_.ReadFile(kSavedGameFile, store::kMaxSavedGameSize);
  store::DecodedSavedGame decoded;
  if (file) decoded = store::DecodeSavedGame(*file);
  if (!decoded.game) {
    bool identified = file && decoded.error == store::SavedGameError::kPartIncorrect;
    platform_.ShowMessage(identified ? kPartIncorrect : kNotASavedGame, kMessageCaption, Buttons::kOk, Icon::kError);
    return;
  }
  platform_.SetTimerEnabled(Timer::kClock, false);
  TakeSavedGame(*decoded.game);
  // The clock goes on from the loaded time.
  platform_.SetTimerEnabled(Timer::kClock, true);
  platform_.Repaint();
  ShowGameNumber();
  // The status line tells the loaded game at once, not the old one until the clock's next tick.
  ShowStatus();
}

void PelmorTable::TakeSavedGame(const store::SavedGame& saved) {
  game_.piles = saved.piles;
  game_.number = saved.number;
  elapsed_ = saved.elapsed;
}

void PelmorTable::RelaunchWithSavedGame() {
  platform_.ShellStart(platform_.ProgramPath(), SavedGameRelaunchParameters(platform_.WindowBounds()));
  // As with every relaunch, this copy ends whether or not the start worked.
  platform_.EndProcess(0);
}

}  // namespace pelmor::app
