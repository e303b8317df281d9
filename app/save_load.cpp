// Saving and loading the game in progress: Game > Save Game, Game > Load Saved Game, and the
// "/L" start that loads through the same command.
#include "app/save_load.h"

#include <cmath>

#include "app/command_line.h"
#include "app/table.h"

namespace pelmor::app {

namespace {

constexpr std::string_view kNoSavedGame = "No game was ever saved";
constexpr std::string_view kNotASavedGame = "Pelmor.sav isn't a valid saved game";
constexpr std::string_view kPartIncorrect = "Part of Pelmor.sav isn't correct";
constexpr std::string_view kNotSaved = "The game could not be saved: Pelmor.sav could not be written";

constexpr int kExponentBias = 16383;
constexpr unsigned kSpecialExponent = 0x7FFF;

}  // namespace

store::ElapsedBytes ElapsedToFileBytes(long double days) {
  std::uint64_t significand = 0;
  unsigned exponent = 0;
  const bool negative = std::signbit(days);
  const long double magnitude = std::fabs(days);
  if (std::isnan(days)) {
    exponent = kSpecialExponent;
    significand = 0xC000000000000000u;
  } else if (std::isinf(days)) {
    exponent = kSpecialExponent;
    significand = 0x8000000000000000u;
  } else if (magnitude != 0) {
    int power = 0;
    const long double fraction = std::frexp(magnitude, &power);  // magnitude = fraction * 2^power
    const int biased = power - 1 + kExponentBias;
    if (biased > 0) {
      exponent = static_cast<unsigned>(biased);
      significand = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    } else {
      // Too small for a normal number: the denormal scale, exponent field 0.
      significand = static_cast<std::uint64_t>(std::ldexp(magnitude, kExponentBias - 1 + 63));
    }
  }
  store::ElapsedBytes bytes{};
  for (std::size_t i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(significand >> (8 * i));
  const unsigned top = exponent | (negative ? 0x8000u : 0u);
  bytes[8] = static_cast<std::uint8_t>(top);
  bytes[9] = static_cast<std::uint8_t>(top >> 8);
  return bytes;
}

long double ElapsedFromFileBytes(const store::ElapsedBytes& bytes) {
  std::uint64_t significand = 0;
  for (int i = 7; i >= 0; --i) significand = significand << 8 | bytes[static_cast<std::size_t>(i)];
  const unsigned top = static_cast<unsigned>(bytes[8]) | static_cast<unsigned>(bytes[9]) << 8;
  const bool negative = (top & 0x8000u) != 0;
  const unsigned exponent = top & kSpecialExponent;
  long double magnitude;
  if (exponent == kSpecialExponent) {
    magnitude = (significand << 1) == 0 ? HUGE_VALL : std::nanl("");
  } else {
    const int scale = (exponent == 0 ? 1 : static_cast<int>(exponent)) - kExponentBias - 63;
    magnitude = std::ldexp(static_cast<long double>(significand), scale);
  }
  return negative ? -magnitude : magnitude;
}

bool PelmorTable::SaveGame1Click() {
  store::SavedGame saved;
  saved.number = game_.number;
  saved.piles = game_.piles;
  saved.elapsed = ElapsedToFileBytes(elapsed_);
  std::optional<std::vector<std::uint8_t>> content = store::EncodeSavedGame(saved);
  if (content && platform_.ReplaceFile(kSavedGameFile, *content)) return true;
  platform_.ShowMessage(kNotSaved, kMessageCaption, Buttons::kOk, Icon::kError);
  return false;
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
}

void PelmorTable::TakeSavedGame(const store::SavedGame& saved) {
  game_.piles = saved.piles;
  game_.number = saved.number;
  elapsed_ = ElapsedFromFileBytes(saved.elapsed);
}

void PelmorTable::RelaunchWithSavedGame() {
  platform_.ShellStart(platform_.ProgramPath(), SavedGameRelaunchParameters(platform_.WindowBounds()));
  // As with every relaunch, this copy ends whether or not the start worked.
  platform_.EndProcess(0);
}

}  // namespace pelmor::app
