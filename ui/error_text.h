// The inserts of the system's texts for errors, filled portably.
#pragma once

#include <string>
#include <string_view>

namespace pelmor::ui {

// A system message fetched with its inserts left as they are ("Bad EXE format for %1.") with
// `insert` in place of each of them (%1 to %99, with or without a !format! after the number).
std::string FillInserts(std::string_view text, std::string_view insert);

}  // namespace pelmor::ui
