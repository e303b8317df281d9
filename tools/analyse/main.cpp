// pelmor-analyse: whether a deal or a saved game can be won, with a winning line in the game's keys,
// and scans over ranges of game numbers.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/analysis.h"
#include "game/deal.h"
#include "store/saved_game.h"
#include "tools/analyse/console.h"
#include "tools/analyse/plain_search.h"
#include "tools/analyse/scan.h"
#include "tools/analyse/scan_data.h"
#include "tools/analyse/usage.h"

namespace {

using pelmor::analyse::WithThousands;
using pelmor::game::Verdict;

constexpr std::uint64_t kDefaultBudget = 4'000'000;

bool ParseInteger(const char* text, long long low, long long high, long long& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text, &end, 10);
  return *text != '\0' && *end == '\0' && errno == 0 && value >= low && value <= high;
}

int Usage() {
  std::fputs(pelmor::analyse::UsageText(kDefaultBudget).c_str(), stderr);
  return 2;
}

// Prints one answer with its line, which is first played through the rules and printed only if it
// reaches the score reported: the win, or the best score of a deal that cannot be won.
bool Report(const char* what, const pelmor::game::Piles& piles, const pelmor::game::Analysis& a) {
  const char* answer = a.verdict == Verdict::kWon ? "won" : a.verdict == Verdict::kLost ? "lost" : "unknown";
  if (a.verdict == Verdict::kUnsupported) {
    std::printf("%s: cannot be analysed: the tableau and the stock repeat a card\n", what);
    return false;
  }
  std::printf("%s: %s, best score %d/48", what, answer, a.bestScore);
  if (a.verdict == Verdict::kUnknown) std::printf(", at most %d/48", a.bound);
  std::printf(", %s positions\n", WithThousands(a.work).c_str());
  pelmor::game::Replay replay = pelmor::game::ReplayLine(piles, a.Line());
  if (!replay.accepted || replay.finalScore != a.bestScore) {
    std::printf("  the line found does not replay to %d discards (key %d): not printed\n", a.bestScore,
                replay.keysPlayed + 1);
    return false;
  }
  if (a.lineLength > 0)
    std::printf("  %s: \"%.*s\"\n", a.verdict == Verdict::kWon ? "line" : "line to the best score", a.lineLength,
                a.line.data());
  if (replay.acesQuestions > 0)
    std::printf("  answer Yes (continue) to the %d covered-aces question(s) on the way\n", replay.acesQuestions);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  // Opened from Explorer, its console closes as soon as it ends: say what it is and wait for Enter.
  if (args.empty() && pelmor::analyse::HasConsoleOfItsOwn()) {
    pelmor::analyse::ShowAndWaitForEnter(pelmor::analyse::OpenedFromExplorerText());
    return 0;
  }
  std::uint64_t budget = kDefaultBudget;
  pelmor::analyse::ScanOptions scan;
  bool scanning = false, summary = false;
  pelmor::analyse::VerifyOptions verify;
  bool verifying = false;
  bool merging = false;
  std::string position;
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto next = [&]() -> const char* { return i + 1 < args.size() ? args[++i].c_str() : nullptr; };
    long long value = 0;
    if (pelmor::analyse::IsHelpSwitch(arg)) {
      std::fputs(pelmor::analyse::UsageText(kDefaultBudget).c_str(), stdout);
      return 0;
    } else if (arg == "--budget") {
      const char* text = next();
      if (!text || !ParseInteger(text, 1, 1'000'000'000'000LL, value)) return Usage();
      budget = static_cast<std::uint64_t>(value);
    } else if (arg == "--position") {
      const char* text = next();
      if (!text) return Usage();
      position = text;
    } else if (arg == "--scan") {
      const char* from = next();
      const char* to = next();
      long long low = 0, high = 0;
      if (!from || !to || !ParseInteger(from, INT32_MIN, INT32_MAX, low) || !ParseInteger(to, low, INT32_MAX, high))
        return Usage();
      scan.from = low;
      scan.to = high;
      scanning = true;
    } else if (arg == "--threads") {
      const char* text = next();
      if (!text || !ParseInteger(text, 1, 256, value)) return Usage();
      scan.threads = static_cast<int>(value);
    } else if (arg == "--out") {
      const char* text = next();
      if (!text) return Usage();
      scan.out = text;
    } else if (arg == "--shard") {
      const char* text = next();
      const char* slash = text ? std::strchr(text, '/') : nullptr;
      long long shard = 0, shards = 0;
      if (!slash || !ParseInteger(slash + 1, 1, 1'000'000, shards) ||
          !ParseInteger(std::string(text, slash).c_str(), 0, shards - 1, shard))
        return Usage();
      scan.shard = static_cast<int>(shard);
      scan.shards = static_cast<int>(shards);
    } else if (arg == "--resume") {
      scan.resume = true;
    } else if (arg == "--retry") {
      scan.retry = true;
    } else if (arg == "--plain") {
      scan.plain = true;
    } else if (arg == "--summary") {
      summary = true;
    } else if (arg == "--merge") {
      merging = true;
    } else if (arg == "--verify") {
      const char* text = next();
      if (!text) return Usage();
      verify.folder = text;
      verifying = true;
    } else if (arg == "--sample") {
      const char* text = next();
      if (!text || !ParseInteger(text, 1, 1'000'000'000LL, value)) return Usage();
      verify.count = value;
    } else if (arg == "--seed") {
      const char* text = next();
      if (!text || !ParseInteger(text, 0, INT64_MAX, value)) return Usage();
      verify.seed = static_cast<std::uint64_t>(value);
    } else if (!arg.empty() && arg[0] == '-' && !ParseInteger(arg.c_str(), INT32_MIN, INT32_MAX, value)) {
      return Usage();
    } else {
      rest.push_back(arg);
    }
  }
  if (summary) return rest.empty() ? Usage() : pelmor::analyse::RunSummary(rest);
  if (merging) {
    if (rest.empty() || scan.out.empty() || !pelmor::analyse::IsScanFolder(scan.out) || scanning) return Usage();
    return pelmor::analyse::RunMerge(rest, scan.out);
  }
  if (verifying) {
    if (!rest.empty() || scanning) return Usage();
    verify.budget = budget;
    verify.threads = scan.threads;
    return pelmor::analyse::RunVerify(verify);
  }
  if (scanning) {
    if (!rest.empty() || !position.empty() || (scan.retry && !scan.resume)) return Usage();
    scan.budget = budget;
    return pelmor::analyse::RunScan(scan);
  }

  pelmor::game::Analyser analyser(static_cast<std::size_t>(budget));
  pelmor::analyse::WarnIfBudgetLimited(budget, analyser.MaxBudget());
  bool ok = true;
  if (!position.empty()) {
    if (!rest.empty()) return Usage();
    // Read with the game's own decoder, so that a file is taken exactly when the game loads it.
    std::ifstream in(position, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "pelmor-analyse: cannot open %s\n", position.c_str());
      return 1;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    pelmor::store::DecodedSavedGame decoded = pelmor::store::DecodeSavedGame(bytes);
    if (!decoded.game) {
      std::fprintf(stderr, decoded.error == pelmor::store::SavedGameError::kNotASavedGame
                               ? "pelmor-analyse: %s isn't a valid saved game\n"
                               : "pelmor-analyse: part of %s isn't correct\n",
                   position.c_str());
      return 1;
    }
    std::string what = position + " (game " + std::to_string(decoded.game->number) + ")";
    ok = Report(what.c_str(), decoded.game->piles, analyser.Analyse(decoded.game->piles, budget));
    return ok ? 0 : 1;
  }
  if (rest.empty()) return Usage();
  for (const std::string& arg : rest) {
    long long number = 0;
    if (!ParseInteger(arg.c_str(), INT32_MIN, INT32_MAX, number)) {
      std::fprintf(stderr, "pelmor-analyse: '%s' is not a game number\n", arg.c_str());
      return 2;
    }
  }
  for (const std::string& arg : rest) {
    long long number = 0;
    ParseInteger(arg.c_str(), INT32_MIN, INT32_MAX, number);
    pelmor::game::GameState state;
    pelmor::game::DealGame(state, static_cast<pelmor::game::GameNumber>(number));
    std::string what = "game " + arg;
    if (scan.plain) {
      pelmor::analyse::PlainResult r = pelmor::analyse::PlainSearch(state.piles, budget);
      const char* answer = r.verdict == Verdict::kWon ? "won" : r.verdict == Verdict::kLost ? "lost" : "unknown";
      std::printf("%s: %s, best score %d/48, %s positions (plain search)\n", what.c_str(), answer, r.bestScore,
                  WithThousands(r.work).c_str());
      continue;
    }
    ok = Report(what.c_str(), state.piles, analyser.Analyse(state.piles, budget)) && ok;
  }
  return ok ? 0 : 1;
}
