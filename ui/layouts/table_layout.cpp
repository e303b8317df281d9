// The table window as designed: six paint areas, the moves label, the status bar, two timers
// and the main menu.
#include "ui/layouts/layouts.h"

namespace pelmor::ui::layouts {

namespace {

constexpr FontSpec kLabelFont{"Fixedsys", 16, true, kRed};

constexpr ControlLayout kControls[] = {
    {.name = "PaintBox1", .kind = ControlKind::kPaintBox, .bounds = {0, 0, 71, 115}, .align = Align::kLeft, .tag = 0},
    {.name = "PaintBox2", .kind = ControlKind::kPaintBox, .bounds = {71, 0, 71, 115}, .align = Align::kLeft, .tag = 1},
    {.name = "PaintBox3", .kind = ControlKind::kPaintBox, .bounds = {142, 0, 71, 115}, .align = Align::kLeft, .tag = 2},
    {.name = "PaintBox4", .kind = ControlKind::kPaintBox, .bounds = {213, 0, 71, 115}, .align = Align::kLeft, .tag = 3},
    {.name = "PaintBox5", .kind = ControlKind::kPaintBox, .bounds = {414, 0, 71, 115}, .align = Align::kRight},
    {.name = "PaintBox6", .kind = ControlKind::kPaintBox, .bounds = {0, 115, 485, 96}, .align = Align::kBottom},
    {.name = "Label1",
     .kind = ControlKind::kLabel,
     .bounds = {296, 8, 136, 15},
     .caption = "Moves Avaliable",
     .font = kLabelFont,
     .visible = false,
     .transparent = true},
    {.name = "Panel1",
     .kind = ControlKind::kPanel,
     .bounds = {0, 211, 485, 30},
     .align = Align::kBottom,
     .caption = "Cards Left:%d Draws Left:%d Duration:%d days, %s",
     .enabled = false,
     .id = 300},
};

constexpr TimerLayout kTimers[] = {
    {"Timer1", kTimer1, 100, false},
    {"Timer2", kTimer2, 1000, true},
};

constexpr MenuItemLayout kMenu[] = {
    {0, "Game", "Game1", 0},
    {1, "New Game", "NewGame1", kNewGame1},
    {1, "Enter Game Number", "EnterGameNumber1", kEnterGameNumber1},
    {1, "Load Saved Game", "LoadSavedGame1", kLoadSavedGame1},
    {1, "Save Game", "SaveGame1", kSaveGame1},
    {1, "Change Card Deck", "ChangeCardDeck1", kChangeCardDeck1},
    {1, "High Scores", "HighScores1", kHighScores1},
    {1, "No Hints", "NoHints1", kNoHints1},
    {1, "Exit", "Exit1", kExit1},
    {0, "Help", "Help1", 0},
    {1, "About", "About1", kAbout1},
    {1, "How To Play", "HowToPlay1", kHowToPlay1},
    {1, "How To Use This Game", "HowToUseThisGame1", kHowToUseThisGame1},
    {1, "Buy Source Code", "BuySourceCode1", kBuySourceCode1},
};

}  // namespace

const WindowLayout kTableLayout{
    .className = "TPelmorTable",
    .objectName = "PelmorTable",
    .caption = "Pelmor Solitaire",
    .bounds = {43, 106, 501, 300},
    .border = Border::kSizeable,
    .colour = kWhite,
    .doubleClicks = true,
    .font = {"System", 13, false, kWindowText},
    .controls = kControls,
    .timers = kTimers,
    .menu = kMenu,
};

}  // namespace pelmor::ui::layouts
