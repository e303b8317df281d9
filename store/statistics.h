// The four play statistics in the settings key, their reading and writing under one opening of
// the key, and the text the statistics box shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/registry.h"

namespace pelmor::store {

inline constexpr std::string_view kGamesPlayed = "GamesPlayed";
inline constexpr std::string_view kGamesWon = "GamesWon";
inline constexpr std::string_view kMaxScore = "MaxScore";
inline constexpr std::string_view kSumScore = "SumScore";

// The counters wrap modulo 2^32, as the stored values expect.
struct PlayStatistics {
  std::uint32_t gamesPlayed = 0;
  std::uint32_t gamesWon = 0;
  std::uint32_t maxScore = 0;
  std::uint32_t sumScore = 0;
};

// One opening of the settings key for reading and changing counters; closed by Close() or at the
// end of its scope. A counter that is not stored (or cannot be read) counts as 0.
class StatisticsKey {
 public:
  explicit StatisticsKey(Registry& registry);
  std::uint32_t Read(std::string_view name);
  void Write(std::string_view name, std::uint32_t value);
  void Close() { key_.Close(); }

 private:
  Registry& registry_;
  ScopedKey key_;
};

// GamesPlayed, GamesWon, MaxScore and SumScore in that order, with their own open and close.
PlayStatistics ReadStatistics(Registry& registry);

// The locale's separators for numbers.
struct NumberSeparators {
  std::string decimal = ".";
  std::string thousands = ",";
};

// The statistics box's text: counts, percentages and the average score, the ratios in full
// precision and rounded to two decimals, halves away from zero.
std::string StatisticsText(const PlayStatistics& statistics, const NumberSeparators& separators);

}  // namespace pelmor::store
