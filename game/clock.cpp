// The status line of the game clock.
#include "game/clock.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace pelmor::game {

namespace {

constexpr std::uint32_t kMillisecondsPerDay = 86'400'000;

std::string TimeOfDay(std::uint32_t milliseconds) {
  std::uint32_t seconds = milliseconds / 1000;
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%02u:%02u:%02u", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text.data();
}

}  // namespace

std::string StatusLine(std::string_view format, int cardsLeft, int drawsLeft, const Extended& elapsed) {
  std::int64_t days = elapsed.WholeDays();
  std::uint32_t milliseconds = elapsed.DayMilliseconds();
  if (milliseconds == kMillisecondsPerDay) {
    milliseconds = 0;
    if (days < std::numeric_limits<std::int64_t>::max()) ++days;
  }
  const std::array<std::string, 4> values = {std::to_string(cardsLeft), std::to_string(drawsLeft),
                                             std::to_string(days), TimeOfDay(milliseconds)};
  std::string line;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%' || i + 1 == format.size()) {
      line += c;
      continue;
    }
    char directive = format[i + 1];
    if (directive == '%') {
      line += '%';
      ++i;
    } else if (directive == 'd' || directive == 'u' || directive == 's') {
      if (next < values.size()) line += values[next++];
      ++i;
    } else {
      line += c;
    }
  }
  return line;
}

}  // namespace pelmor::game
