// The end of a game: the loss, win and concession flows with their statistics, sounds and
// questions, the check that finds a loss, and the game clock.
#include <algorithm>
#include <string>

#include "app/table.h"
#include "game/clock.h"
#include "game/rules.h"
#include "store/statistics.h"

namespace pelmor::app {

namespace {

constexpr std::string_view kLoseSound = "lose.wav";
constexpr std::string_view kWinSound = "winner.wav";
constexpr std::string_view kTickTockSound = "ticktock.wav";
constexpr std::string_view kRecordLine = "Congradulations, you broke a new record!";
constexpr std::uint32_t kFullScore = game::kWinningDiscards;

}  // namespace

void PelmorTable::StopSound() { platform_.PlayWave("", kSoundNoDefault); }

bool PelmorTable::CheckNoMoreMoves() {
  MovesAvailable();  // always, for its label
  bool lost = game::NoMoreMoves(game_.piles);
  if (lost) LossFlow();
  StopSound();
  SetPlayEnabled(!lost);
  return lost;
}

void PelmorTable::LossFlow() {
  auto score = static_cast<std::uint32_t>(Score());
  store::StatisticsKey key(platform_.Registry());
  std::uint32_t played = key.Read(store::kGamesPlayed) + 1;
  platform_.SetTimerEnabled(Timer::kClock, false);
  std::uint32_t won = key.Read(store::kGamesWon);
  key.Write(store::kGamesPlayed, played);
  key.Write(store::kGamesWon, won);
  std::uint32_t sum = key.Read(store::kSumScore);
  std::uint32_t best = key.Read(store::kMaxScore);
  std::string_view record = score > best ? kRecordLine : "";
  best = std::max(best, score);
  sum += score;
  key.Write(store::kSumScore, sum);
  key.Write(store::kMaxScore, best);
  key.Close();

  platform_.PlayWave(kLoseSound, kSoundSync);
  platform_.PlayWave(kTickTockSound, kSoundAsync | kSoundNoDefault | kSoundLoop);
  platform_.DeleteNamedFile(kSavedGameFile);
  std::string question = "Sorry, there are no more moves.\r\nScore: " + std::to_string(score) + "/" +
                         std::to_string(kFullScore) + "\r\n" + std::string(record) + "\r\nPlay again?";
  if (platform_.ShowMessage(question, "Game Over", Buttons::kYesNo, Icon::kNone) == Answer::kYes) {
    StopSound();
    NewGame1Click();
  }
}

void PelmorTable::WinFlow() {
  platform_.DeleteNamedFile(kSavedGameFile);
  platform_.PlayWave(kWinSound, kSoundSync);
  platform_.PlayWave(kTickTockSound, kSoundAsync | kSoundLoop);
  {
    store::StatisticsKey key(platform_.Registry());
    std::uint32_t played = key.Read(store::kGamesPlayed);
    std::uint32_t won = key.Read(store::kGamesWon);
    std::uint32_t sum = key.Read(store::kSumScore);
    key.Read(store::kMaxScore);  // read with the others, then replaced by the full score
    key.Write(store::kSumScore, sum + kFullScore);
    key.Write(store::kMaxScore, kFullScore);
    key.Write(store::kGamesPlayed, played + 1);
    key.Write(store::kGamesWon, won + 1);
  }
  // The animation draws from now on, through the question and after it, until the process ends.
  platform_.SetTimerEnabled(Timer::kVictory, true);
  platform_.SetTimerEnabled(Timer::kClock, false);
  if (platform_.ShowMessage("Congradulations, you won!\r\nPlay Again?", kMessageCaption, Buttons::kYesNo,
                            Icon::kNone) == Answer::kYes)
    NewGame1Click();
  StopSound();
}

void PelmorTable::ConcessionFlow() {
  std::string question = "Aces are covering all piles making it impossible to win.\r\nScore " +
                         std::to_string(Score()) + "/" + std::to_string(kFullScore) + "\r\nContinue playing?";
  if (platform_.ShowMessage(question, kMessageCaption, Buttons::kYesNo, Icon::kNone) == Answer::kYes) return;
  {
    store::StatisticsKey key(platform_.Registry());
    key.Write(store::kGamesPlayed, key.Read(store::kGamesPlayed) + 1);
  }
  NewGame1Click();
}

void PelmorTable::Timer2Timer() {
  elapsed_ = elapsed_.Plus(game::kOneSecond);
  ShowStatus();
}

void PelmorTable::ShowStatus() {
  int cardsLeft = game::kWinningDiscards - Score();
  int drawsLeft = game_.piles[game::kStock].Count() / 4;
  platform_.SetStatusText(game::StatusLine(statusFormat_, cardsLeft, drawsLeft, elapsed_));
}

}  // namespace pelmor::app
