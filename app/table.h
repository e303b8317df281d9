// The table's game state and the sequences of its commands: start-up, new games, the pile clicks,
// the draw and the keys. Everything outside the game reaches the desktop through Platform.
#pragma once

#include <string>
#include <vector>

#include "app/platform.h"
#include "game/deal.h"
#include "game/extended.h"
#include "store/saved_game.h"

namespace pelmor::app {

inline constexpr std::string_view kDesignCaption = "Pelmor Solitaire";
inline constexpr std::string_view kProgramTitle = "Pelmor";
inline constexpr std::string_view kMessageCaption = "Pelmor";
inline constexpr std::string_view kSavedGameFile = "Pelmor.sav";
inline constexpr std::string_view kCustomBackFile = "Pelmor.bac";
inline constexpr std::string_view kWriteHelpFile = "pelmor16.wri";
inline constexpr std::string_view kWebHelpFile = "pelmor16.htm";
inline constexpr int kBackCount = 12;
// The toolkit's text for a picture file that is not a readable bitmap.
inline constexpr std::string_view kInvalidBitmapText = "Bitmap image is not valid";

// The box for a file that could not be written: its first line, then the folder the file was to
// be written in and the system's reason.
std::string NotWrittenText(std::string_view firstLine, const WriteFailure& failure);

class PelmorTable {
 public:
  // args[0] is the program's own path, as on every command line.
  PelmorTable(Platform& platform, std::vector<std::string> args);

  // The creation sequence, run once the window and its controls exist and before it is shown.
  void FormCreate();

  // Game menu.
  void NewGame1Click();
  void EnterGameNumber1Click();
  void LoadSavedGame1Click();
  // Saves the position, the game number and the elapsed time; false, after an error box, when
  // the file could not be written (the last good file then stays).
  bool SaveGame1Click();
  void HighScores1Click();
  void NoHints1Click();
  void Exit1Click();
  // Help menu (app/help.cpp).
  void About1Click();
  void HowToPlay1Click();
  void HowToUseThisGame1Click() { ShowHowToUse(); }
  void BuySourceCode1Click();
  // The two usage boxes, also shown at the first start.
  void ShowHowToUse();

  // Starts a new copy of the program for the number and ends this process: it does not return.
  void RelaunchWithGame(game::GameNumber number);
  // Starts a new copy of the program that loads the saved game ("/L") and ends this process.
  void RelaunchWithSavedGame();

  // Mouse and keys on the table; `pile` is the clicked tableau area's tag 0..3.
  void PaintBox1MouseDown(int pile, MouseButton button, bool ctrl, int x, int y);
  // The stock's left button: a press and its release over the stock make a click, which draws.
  // The second press of a double-click makes no click (the stock has no double-click action), so
  // a double-click draws once; the piles take every press, the second of a double-click too.
  void PaintBox5MouseDown(bool secondOfDoubleClick);
  void PaintBox5MouseUp(bool overStock);
  void PaintBox5Click();
  void FormKeyPress(char key);
  void PaintBox1MouseMove(int pile);
  // One step of the victory animation: a random face at a random place of the window.
  void Timer1Timer();
  // The game clock's tick: one second more, and the status line.
  void Timer2Timer();

  // MovesAvailable with its side effect: Label1 shows exactly when the result is true.
  bool MovesAvailable();
  // Whether the game has just been lost, running the loss flow when it has; stops any sound and
  // sets the play enabled state to the opposite.
  bool CheckNoMoreMoves();

  const game::GameState& Game() const { return game_; }
  game::GameState& MutableGame() { return game_; }
  int BackIndex() const { return backIndex_; }
  const std::string& StatusFormat() const { return statusFormat_; }
  const game::Extended& Elapsed() const { return elapsed_; }
  const std::string& ApplicationTitle() const { return applicationTitle_; }

 private:
  void ShowDeal(game::GameNumber number);
  // The status line for the position and the time in play.
  void ShowStatus();
  // Writes a help document the program carries, whole, under its own name.
  void WriteHelpFile(std::string_view name);
  // "Pelmor Solitaire #n" in the caption, and the application title read back from it.
  void ShowGameNumber();
  // The decoded file replaces the position, the game number and the elapsed time in one step.
  void TakeSavedGame(const store::SavedGame& saved);
  void ReadCardBack();
  void SetPlayEnabled(bool enabled);
  // The ends of a game: each records it and offers a new one (app/game_end.cpp).
  void LossFlow();
  void WinFlow();
  void ConcessionFlow();
  void StopSound();
  int Score() const { return game_.piles[game::kDiscard].Count(); }

  Platform& platform_;
  std::vector<std::string> args_;
  game::GameState game_;
  int backIndex_ = 0;
  bool stockClicked_ = false;  // a press on the stock that its release makes a click
  std::string statusFormat_;
  game::Extended elapsed_;  // FElapsed: days of play, 1.0 = 24 hours
  std::string applicationTitle_{kProgramTitle};
};

}  // namespace pelmor::app
