// The usage text with its legend, the words for Explorer, the help switches and counts for people.
// Every line fits a console 80 columns wide.
#include "tools/analyse/usage.h"

#include <cstdio>

namespace pelmor::analyse {

namespace {

const char kKeys[] =
    "A winning line is a string of the game's keys: a..d discard from pile A..D,\n"
    "A..D move pile A..D's top card onto the first empty pile after it, space draws.\n";

const char kLegend[] =
    "What an answer says, as in \"unknown, best score 47/48, at most 48/48,\n"
    "4,000,000 positions\" (a score is the number of cards discarded; 48 wins):\n"
    "  won        a winning line was found, and checked by playing it through the\n"
    "             game's rules.\n"
    "  lost       every way of playing was examined and none wins; the best score\n"
    "             is the most cards any way of playing discards.\n"
    "  unknown    the budget ran out before the answer was certain: the best score\n"
    "             is the most cards discarded so far, and \"at most\" a proved upper\n"
    "             limit that no way of playing can pass.\n"
    "  positions  how many positions of the game were examined.\n";

}  // namespace

std::string UsageText(std::uint64_t defaultBudget) {
  return std::string(
             "usage: pelmor-analyse [--budget N] [--plain] GAME...\n"
             "       pelmor-analyse [--budget N] --position FILE\n"
             "       pelmor-analyse --scan FROM TO --out FILE.csv|FOLDER [--threads K]\n"
             "                      [--budget N] [--shard I/N] [--resume [--retry]] [--plain]\n"
             "       pelmor-analyse --summary FILE.csv|FOLDER...\n"
             "       pelmor-analyse --merge FILE.csv|FOLDER... --out FOLDER\n"
             "       pelmor-analyse --verify FOLDER [--sample N] [--seed S] [--threads K]\n"
             "                      [--budget N]\n"
             "       pelmor-analyse /?   (or -h, --help): this text\n"
             "  GAME             a game number, such as 12345 or -7\n"
             "  --position FILE  a saved game, such as Pelmor.sav: can it still be won?\n"
             "  --budget N       the most positions examined per deal (default ") +
         WithThousands(defaultBudget) +
         ");\n"
         "                   a deal that needs more is reported unknown\n"
         "  --plain          the plain exhaustive search instead of the analyser\n"
         "  --scan FROM TO   every deal from game FROM to TO, a row each in FILE.csv,\n"
         "                   or two bytes each in the blocks of a scan FOLDER (any\n"
         "                   path not ending in .csv; see data/scan/README.md)\n"
         "  --threads K      deals analysed at the same time (default 1)\n"
         "  --shard I/N      only the games FROM+I, FROM+I+N, FROM+I+2N and so on\n"
         "  --resume         go on with the scan in FILE.csv or FOLDER\n"
         "  --retry          with --resume: also analyse again the deals left unknown\n"
         "  --summary        the won, lost and unknown deals of scan files and folders\n"
         "  --merge          take the rows of scan files and folders into the FOLDER\n"
         "                   of --out, each deal's answers combined\n"
         "  --verify FOLDER  analyse again N deals drawn from it (--sample N, default\n"
         "                   1,000; --seed S) and print every answer that disagrees\n" +
         kKeys + "\n" + kLegend;
}

std::string OpenedFromExplorerText() {
  return std::string(
             "pelmor-analyse tells whether a deal of Pelmor can be won, and how.\n"
             "\n"
             "It runs in a Command Prompt: in the folder that holds it, type cmd in the\n"
             "address bar and press Enter. Then type a command such as\n"
             "  pelmor-analyse 12345                   can game 12345 be won?\n"
             "  pelmor-analyse --position Pelmor.sav   can the saved game still be won?\n"
             "  pelmor-analyse /?                      all it can do\n"
             "\n") +
         kKeys + "\n" + kLegend + "\n";
}

bool IsHelpSwitch(std::string_view arg) { return arg == "/?" || arg == "-h" || arg == "--help"; }

std::string WithThousands(std::uint64_t count) {
  std::string digits = std::to_string(count);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

void WarnIfBudgetLimited(std::uint64_t budget, std::uint64_t most) {
  if (budget > most)
    std::fprintf(stderr, "pelmor-analyse: the budget is limited to %s positions by memory\n", WithThousands(most).c_str());
}

}  // namespace pelmor::analyse
