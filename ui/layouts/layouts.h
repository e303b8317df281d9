// The program's window layouts and the identifiers their windows answer to.
#pragma once

#include "ui/layout.h"

namespace pelmor::ui::layouts {

// Table window: menu commands and timers.
enum TableCommand : int {
  kNewGame1 = 101,
  kEnterGameNumber1,
  kLoadSavedGame1,
  kSaveGame1,
  kChangeCardDeck1,
  kHighScores1,
  kNoHints1,
  kExit1,
  kAbout1 = 201,
  kHowToPlay1,
  kHowToUseThisGame1,
  kBuySourceCode1,
};
enum TableTimer : int { kTimer1 = 1, kTimer2 = 2 };

// About dialog controls: the clickable ones and the OK button.
enum AboutControl : int {
  kAboutOk = 1,
  kAboutImage1 = 400,
  kAboutAppType,
  kAboutImage2,
  kAboutImage3,
  kAboutProgramIcon,
};

// Change-deck dialog controls.
enum ChangeDeckControl : int {
  kDeckScrollBar1 = 100,
  kDeckButton1,
  kDeckCheckBox1,
  kDeckButton2,
  kDeckButton3,
  kDeckButton4,
  kDeckButton5,
  kDeckButton6,
};

// Input dialog controls.
enum InputQueryControl : int { kInputOk = 1, kInputCancel = 2, kInputEdit = 100, kInputPrompt = 101 };

extern const WindowLayout kTableLayout;
extern const WindowLayout kChangeDeckLayout;
extern const WindowLayout kAboutLayout;
extern const WindowLayout kInputQueryLayout;

}  // namespace pelmor::ui::layouts
