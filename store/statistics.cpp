// The statistics counters in the registry and the statistics box's text.
#include "store/statistics.h"

#include <cstdlib>

#include "store/settings_store.h"

namespace pelmor::store {

StatisticsKey::StatisticsKey(Registry& registry) : registry_(registry), key_(OpenSettings(registry)) {}

std::uint32_t StatisticsKey::Read(std::string_view name) { return ReadNumber(registry_, key_.get(), name, 0); }

void StatisticsKey::Write(std::string_view name, std::uint32_t value) {
  WriteNumber(registry_, key_.get(), name, value);
}

PlayStatistics ReadStatistics(Registry& registry) {
  PlayStatistics statistics;
  StatisticsKey key(registry);
  statistics.gamesPlayed = key.Read(kGamesPlayed);
  statistics.gamesWon = key.Read(kGamesWon);
  statistics.maxScore = key.Read(kMaxScore);
  statistics.sumScore = key.Read(kSumScore);
  return statistics;
}

namespace {

// numerator / denominator with two decimals, halves rounded away from zero; the thousands
// separator goes between groups of three digits when one is given. The quotient of two 32-bit
// counts (scaled by at most 100) is exact here, and at two decimals it rounds as the extended
// quotient does: no such quotient lies close enough to a half-hundredth for the 64-bit
// significand's error to cross it.
std::string FixedTwo(std::int64_t numerator, std::int64_t denominator, const NumberSeparators& separators,
                     bool grouped) {
  bool negative = numerator < 0;
  std::uint64_t scaled = static_cast<std::uint64_t>(std::llabs(numerator)) * 100;
  auto divisor = static_cast<std::uint64_t>(denominator);
  std::uint64_t hundredths = scaled / divisor;
  if (2 * (scaled % divisor) >= divisor) ++hundredths;
  std::string digits = std::to_string(hundredths / 100);
  std::string whole;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (grouped && i > 0 && (digits.size() - i) % 3 == 0) whole += separators.thousands;
    whole += digits[i];
  }
  std::uint64_t cents = hundredths % 100;
  // A value that rounds to zero shows no sign.
  std::string text = negative && hundredths != 0 ? "-" : "";
  text += whole;
  text += separators.decimal;
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return text;
}

}  // namespace

std::string StatisticsText(const PlayStatistics& s, const NumberSeparators& separators) {
  std::uint32_t lost = s.gamesPlayed - s.gamesWon;
  // SafeRatio(a, b) is 0 when b is 0.
  std::int64_t played = s.gamesPlayed == 0 ? 1 : s.gamesPlayed;
  std::int64_t won = s.gamesPlayed == 0 ? 0 : s.gamesWon;
  std::int64_t sum = s.gamesPlayed == 0 ? 0 : s.sumScore;
  std::string winning = FixedTwo(100 * won, played, separators, false);
  std::string losing = FixedTwo(100 * played - 100 * won, played, separators, false);
  std::string average = FixedTwo(sum, played, separators, true);
  return "Games Played: " + std::to_string(s.gamesPlayed) + "\r\nGames won: " + std::to_string(s.gamesWon) +
         "\r\nGames lost: " + std::to_string(lost) + "\r\nWinning percentage: " + winning +
         "%\r\nLosing percentage: " + losing + "%\r\nHighest Score: " + std::to_string(s.maxScore) + "/48" +
         "\r\nAverage Score: " + average;
}

}  // namespace pelmor::store
