// The elapsed time as the saved-game file holds it: the one place where the table's elapsed
// value and the file's ten bytes meet.
#pragma once

#include "store/saved_game.h"

namespace pelmor::app {

// Exact both ways wherever long double carries at least the 64-bit significand of the x87
// format; elsewhere the value is the nearest the type can hold.
store::ElapsedBytes ElapsedToFileBytes(long double days);
long double ElapsedFromFileBytes(const store::ElapsedBytes& bytes);

}  // namespace pelmor::app
