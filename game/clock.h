// The game clock's arithmetic and the status line it writes once a second.
#pragma once

#include <string>
#include <string_view>

#include "game/extended.h"

namespace pelmor::game {

// One tick: the double nearest 1/86400 of a day.
inline constexpr double kOneSecond = 1.0 / 86400.0;

// The status format filled in order with the cards left, the draws left, the whole days and the
// time of day "hh:nn:ss". Each %d, %u or %s takes the next of the four values, %% writes a
// percent sign, and anything else is copied as it stands; a directive past the fourth value is
// left out. The time of day is rounded to the millisecond first; a fraction that rounds up to a
// whole day shows as the next day at 00:00:00.
std::string StatusLine(std::string_view format, int cardsLeft, int drawsLeft, const Extended& elapsed);

}  // namespace pelmor::game
