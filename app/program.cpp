// The program entry's order of creation.
#include "app/program.h"

namespace pelmor::app {

int RunProgram(ProgramWindows& windows) {
  windows.CreateTable();
  windows.CreateChangeDeck();
  windows.CreateAbout();
  return windows.ShowTableAndRun();
}

}  // namespace pelmor::app
