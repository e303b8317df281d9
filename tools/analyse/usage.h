// What pelmor-analyse says to people: its usage with a legend of the answers, the words for a player
// who opened it from Explorer, the switches that ask for help, and counts with thousands separators.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pelmor::analyse {

// The usage: the command lines, the options and what an answer's words mean.
std::string UsageText(std::uint64_t defaultBudget);

// For a player who opened the program from Explorer, in a console as high as 25 lines: what it
// does, how to run it from a Command Prompt, and what an answer's words mean.
std::string OpenedFromExplorerText();

// "/?", "-h" and "--help": never a game number, so a negative number like -7 is not one of them.
bool IsHelpSwitch(std::string_view arg);

// The count in decimal with a comma between groups of three digits ("4,000,000"), whatever the
// locale: it is read by people, never by programs.
std::string WithThousands(std::uint64_t count);

// On standard error, when the memory an analyser could get holds fewer positions than the budget
// asks for: the budget it works with instead.
void WarnIfBudgetLimited(std::uint64_t budget, std::uint64_t most);

}  // namespace pelmor::analyse
