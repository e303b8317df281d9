// The console checks for a program opened from Explorer, whose console would close at once.
#include "tools/analyse/console.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

namespace pelmor::analyse {

bool HasConsoleOfItsOwn() {
#ifdef _WIN32
  DWORD processes[2] = {};
  DWORD mode = 0;
  return GetConsoleProcessList(processes, 2) == 1 && GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) &&
         GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode);
#else
  return false;
#endif
}

void ShowAndWaitForEnter(const std::string& text) {
  // In one piece: a console written to a character at a time shows the text slowly.
  std::setvbuf(stdout, nullptr, _IOFBF, 1 << 14);
  std::fputs(text.c_str(), stdout);
  std::fputs("Press Enter to close this window.", stdout);
  std::fflush(stdout);
  for (int c = std::getchar(); c != '\n' && c != EOF; c = std::getchar()) {
  }
}

}  // namespace pelmor::analyse
