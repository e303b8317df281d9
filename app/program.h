// The program entry: which windows exist, in which order, before the message loop runs.
#pragma once

namespace pelmor::app {

class ProgramWindows {
 public:
  virtual ~ProgramWindows() = default;
  virtual void CreateTable() = 0;       // runs the table's creation sequence
  virtual void CreateChangeDeck() = 0;  // hidden until Change Card Deck shows it
  virtual void CreateAbout() = 0;       // hidden until Help > About shows it
  virtual int ShowTableAndRun() = 0;    // returns the exit code once the table window has closed
};

// The table comes first so that its start-up (and any box it shows) precedes the two dialogs.
int RunProgram(ProgramWindows& windows);

}  // namespace pelmor::app
