// The command sequences of the table window, in the order the game's behaviour depends on:
// start-up, new games and the moves. The ends of a game are in game_end.cpp, the store's menu
// commands in store_commands.cpp.
#include "app/table.h"

#include <algorithm>

#include "app/command_line.h"
#include "game/rules.h"
#include "store/settings_store.h"

namespace pelmor::app {

PelmorTable::PelmorTable(Platform& platform, std::vector<std::string> args)
    : platform_(platform), args_(std::move(args)) {}

void PelmorTable::FormCreate() {
  store::Registry& registry = platform_.Registry();
  statusFormat_ = platform_.StatusText();
  elapsed_ = game::Extended();
  platform_.SetAreaFill(kTableGreen);
  platform_.CreateFacePictures();
  for (auto& pile : game_.piles) pile.Clear();
  game::SeedFromClock(game_.random, platform_.UtcTimeOfDay());

  // A key created by this open means the first start for this user.
  store::StartupKey settings = store::OpenAtStartup(registry);
  if (settings.created) ShowHowToUse();
  platform_.SetNoHintsChecked(store::ReadNoHints(registry, settings.key.get()));
  store::ScopedKey parent(registry, registry.CreateKey(store::kParentKeyPath));

  std::string library = store::ReadDeckLibrary(registry, settings.key.get());
  platform_.SelectDeckModule(!library.empty() && platform_.FileExists(library) ? library : std::string());
  // The random back draws from the generator before a random game number does.
  ReadCardBack();

  StartChoice start = InterpretFirstArgument(args_);
  switch (start.kind) {
    case StartKind::kRandom:
      ShowDeal(game::DrawGameNumber(game_.random));
      break;
    case StartKind::kNumber:
      ShowDeal(start.number);
      break;
    case StartKind::kLoad:
      LoadSavedGame1Click();
      break;
    case StartKind::kNotANumber:
      // Reported like any failed conversion; the rest of the creation still runs, so the table
      // has its pictures and the registry keys are closed.
      platform_.ShowMessage(ConversionErrorText(args_[1]), applicationTitle_, Buttons::kOk, Icon::kError);
      break;
  }

  MovesAvailable();
  // The status line shows the game in play from the first moment, not its format; the clock's
  // first tick still comes a second after the start.
  ShowStatus();
  platform_.LoadCardPictures(backIndex_);
  parent.Close();
  settings.key.Close();
  if (platform_.FileExists(kCustomBackFile) && !platform_.LoadCustomBack(kCustomBackFile))
    platform_.ShowMessage(kInvalidBitmapText, applicationTitle_, Buttons::kOk, Icon::kError);
}

void PelmorTable::ReadCardBack() {
  std::uint32_t stored = store::ReadCardBackSetting(platform_.Registry());
  if (stored < static_cast<std::uint32_t>(kBackCount)) {
    backIndex_ = static_cast<int>(stored);
    return;
  }
  backIndex_ = static_cast<int>(game::RandomBelow(game_.random, kBackCount));
  // A fifth argument names a back only when it is one; relaunches put the old window's height
  // there, which must not leave the stock without backs.
  if (args_.size() > 5) {
    if (auto chosen = ParseGameNumber(args_[5]); chosen && *chosen >= 0 && *chosen < kBackCount)
      backIndex_ = *chosen;
  }
}

void PelmorTable::ShowDeal(game::GameNumber number) {
  game_.number = number;
  ShowGameNumber();
  game::DealGame(game_, number);
  platform_.Repaint();
}

void PelmorTable::ShowGameNumber() {
  platform_.SetCaption(std::string(kDesignCaption) + " #" + std::to_string(game_.number));
  applicationTitle_ = platform_.Caption();
  platform_.SetApplicationTitle(applicationTitle_);
}

void PelmorTable::NewGame1Click() {
  game::SeedFromClock(game_.random, platform_.UtcTimeOfDay());
  RelaunchWithGame(game::DrawGameNumber(game_.random));
}

void PelmorTable::EnterGameNumber1Click() {
  for (;;) {
    game::SeedFromClock(game_.random, platform_.UtcTimeOfDay());
    game::GameNumber suggestion = game::DrawGameNumber(game_.random);
    std::optional<std::string> text = platform_.InputQuery("New Game", "Enter game#", std::to_string(suggestion));
    if (!text) return;
    if (!PassesGameNumberScan(*text)) {
      platform_.ShowMessage("You must use whole numbers positive and negatives allowed", kMessageCaption,
                            Buttons::kOk, Icon::kInformation);
      continue;
    }
    std::optional<game::GameNumber> number = ParseGameNumber(*text);
    if (!number) {
      platform_.ShowMessage(ConversionErrorText(*text), applicationTitle_, Buttons::kOk, Icon::kError);
      return;
    }
    RelaunchWithGame(*number);
  }
}

void PelmorTable::Exit1Click() { platform_.CloseTable(); }

void PelmorTable::RelaunchWithGame(game::GameNumber number) {
  platform_.ShellStart(platform_.ProgramPath(), RelaunchParameters(number, platform_.WindowBounds()));
  // Whether the start worked is not looked at: this copy ends either way, asking and saving nothing.
  platform_.EndProcess(0);
}

bool PelmorTable::MovesAvailable() {
  bool available = game::MovesAvailable(game_.piles);
  platform_.SetMovesLabelVisible(available);
  return available;
}

void PelmorTable::SetPlayEnabled(bool enabled) {
  for (int pile = game::kPileA; pile <= game::kPileD; ++pile) platform_.SetPileEnabled(pile, enabled);
}

void PelmorTable::PaintBox1MouseDown(int pile, MouseButton button, bool ctrl, int /*x*/, int y) {
  const game::PileList& clicked = game_.piles[static_cast<std::size_t>(pile)];
  if (clicked.Empty()) return;
  if (ctrl) {
    game::Card card = game::CardAtOffset(clicked, y);
    platform_.ShowMessage("That card is The " + std::string(game::RankNames[static_cast<std::size_t>(game::RankOf(card))]) +
                              " Of " + std::string(game::SuitNames[static_cast<std::size_t>(game::SuitOf(card))]),
                          kMessageCaption, Buttons::kOk, Icon::kInformation);
    return;
  }
  MovesAvailable();
  if (!platform_.PileEnabled(game::kPileA)) return;
  if (button == MouseButton::kLeft)
    game::DiscardTop(game_.piles, pile);
  else if (button == MouseButton::kRight)
    game::MoveToEmptyPile(game_.piles, pile);
  PaintBox1MouseMove(pile);
  platform_.Repaint();
  // The end-of-move sequence.
  bool lost = CheckNoMoreMoves();
  bool finished = lost || Score() == game::kWinningDiscards;
  SetPlayEnabled(!finished);
  if (Score() == game::kWinningDiscards) WinFlow();
}

void PelmorTable::PaintBox5MouseDown(bool secondOfDoubleClick) { stockClicked_ = !secondOfDoubleClick; }

void PelmorTable::PaintBox5MouseUp(bool overStock) {
  bool clicked = stockClicked_;
  stockClicked_ = false;
  if (clicked && overStock) PaintBox5Click();
}

void PelmorTable::PaintBox5Click() {
  if (game_.piles[game::kStock].Empty()) return;
  // A loaded stock of one to three cards deals what it has onto A, B, C; the draw then ends as
  // every draw does, since the position has changed.
  game::DrawFromStock(game_.piles);
  platform_.Repaint();
  // The end-of-draw sequence.
  if (game::AcesBlocked(game_.piles)) ConcessionFlow();
  CheckNoMoreMoves();
}

void PelmorTable::FormKeyPress(char key) {
  switch (key) {
    case 'a': case 'b': case 'c': case 'd':
      PaintBox1MouseDown(key - 'a', MouseButton::kLeft, false, 0, 0);
      break;
    case 'A': case 'B': case 'C': case 'D':
      PaintBox1MouseDown(key - 'A', MouseButton::kRight, false, 0, 0);
      break;
    case ' ':
      PaintBox5Click();
      break;
    default:
      break;
  }
}

void PelmorTable::Timer1Timer() {
  // The four numbers are drawn in this order: suit, rank, then y and x within the outer size.
  int suit = static_cast<int>(game::RandomBelow(game_.random, 4)) + 1;
  int rank = static_cast<int>(game::RandomBelow(game_.random, 13));
  Bounds bounds = platform_.WindowBounds();
  int y = static_cast<int>(game::RandomBelow(game_.random, static_cast<std::uint32_t>(std::max(bounds.height, 1))));
  int x = static_cast<int>(game::RandomBelow(game_.random, static_cast<std::uint32_t>(std::max(bounds.width, 1))));
  platform_.DrawFaceOnWindow(rank, suit, x, y);
}

void PelmorTable::PaintBox1MouseMove(int pile) {
  store::Registry& registry = platform_.Registry();
  bool noHints;
  {
    store::ScopedKey key = store::OpenSettings(registry);
    noHints = store::ReadNoHints(registry, key.get());
  }
  if (noHints) return;
  platform_.SetPileCursor(pile, game::CanDiscard(game_.piles, pile) ? PileCursor::kHint : PileCursor::kDefault);
}

}  // namespace pelmor::app
