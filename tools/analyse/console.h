// The console of pelmor-analyse on Windows: whether it was made for this program alone (the
// program was opened from Explorer), and a pause before such a console closes.
#pragma once

#include <string>

namespace pelmor::analyse {

// True only on Windows, when no other process shares the console (it was made for this program and
// closes with it) and both input and output are that console. False for a program started from a
// Command Prompt, with redirected input or output, and everywhere else.
bool HasConsoleOfItsOwn();

// Shows the text, asks for Enter and waits for it (or for the end of the input).
void ShowAndWaitForEnter(const std::string& text);

}  // namespace pelmor::analyse
