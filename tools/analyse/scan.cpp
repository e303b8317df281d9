// The scan: batches of game numbers shared among worker threads, rows appended in batches so that a
// stopped scan loses at most one batch, a progress line on a terminal, and the summary.
#include "tools/analyse/scan.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "game/analysis.h"
#include "game/deal.h"
#include "tools/analyse/plain_search.h"
#include "tools/analyse/scan_data.h"
#include "tools/analyse/usage.h"
#include "tools/analyse/workers.h"

#ifdef _WIN32
#include <io.h>
#define PELMOR_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define PELMOR_ISATTY(fd) isatty(fd)
#endif

namespace pelmor::analyse {

namespace {

constexpr char kHeader[] = "game,answer,best,bound,work";

// The most positions every one of the analysers holds (each may have got less memory than the one
// before it), or no limit when there is none (the plain search).
std::uint64_t LeastMaxBudget(const std::vector<std::unique_ptr<game::Analyser>>& analysers) {
  std::uint64_t least = UINT64_MAX;
  for (const auto& a : analysers) least = std::min(least, a->MaxBudget());
  return least;
}

struct Row {
  std::int64_t number = 0;
  game::Verdict verdict = game::Verdict::kUnknown;
  int best = 0;
  int bound = 0;
  std::uint64_t work = 0;
  double seconds = 0;       // time taken, for this run's report only
  bool lineFailed = false;  // the line found did not replay to its score (never expected)
};

Answer AnswerOf(const Row& row) {
  if (row.verdict == game::Verdict::kWon) return {game::kWinningDiscards, game::kWinningDiscards};
  if (row.verdict == game::Verdict::kLost) return {row.best, row.best};
  return {row.best, row.bound};
}

Row RowOf(std::int64_t number, Answer answer) {
  Row row;
  row.number = number;
  row.best = answer.best;
  row.bound = answer.bound;
  switch (KindOf(answer)) {
    case AnswerKind::kWon:
      row.verdict = game::Verdict::kWon;
      break;
    case AnswerKind::kLost:
      row.verdict = game::Verdict::kLost;
      break;
    case AnswerKind::kUnknown:
      row.verdict = game::Verdict::kUnknown;
      break;
  }
  return row;
}

// Whether New Game can deal the number: it draws each 16-bit half of it from 0 to 65534.
bool NewGameCanDeal(std::int64_t number) {
  auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(number));
  return (bits >> 16) != 0xFFFF && (bits & 0xFFFF) != 0xFFFF;
}

const char* AnswerName(game::Verdict verdict) {
  switch (verdict) {
    case game::Verdict::kWon:
      return "won";
    case game::Verdict::kLost:
      return "lost";
    default:
      return "unknown";
  }
}

bool ParseRow(const std::string& line, Row& row) {
  std::istringstream in(line);
  std::string number, answer, best, bound, work;
  if (!std::getline(in, number, ',') || !std::getline(in, answer, ',') || !std::getline(in, best, ',') ||
      !std::getline(in, bound, ',') || !std::getline(in, work) || work.empty())
    return false;
  try {
    std::size_t used = 0;
    row.number = std::stoll(number, &used);
    if (used != number.size()) return false;
    row.best = std::stoi(best);
    row.bound = std::stoi(bound);
    row.work = std::stoull(work, &used);
    if (used != work.size()) return false;
  } catch (...) {
    return false;
  }
  if (answer == "won")
    row.verdict = game::Verdict::kWon;
  else if (answer == "lost")
    row.verdict = game::Verdict::kLost;
  else if (answer == "unknown")
    row.verdict = game::Verdict::kUnknown;
  else
    return false;
  return row.best >= 0 && row.best <= row.bound && row.bound <= game::kWinningDiscards;
}

// One row per game number, the last one written: a deal analysed again replaces its earlier row.
std::vector<Row> LatestRows(std::vector<Row> rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.number < b.number; });
  std::vector<Row> latest;
  for (const Row& row : rows) {
    if (!latest.empty() && latest.back().number == row.number)
      latest.back() = row;
    else
      latest.push_back(row);
  }
  return latest;
}

// Reads the complete rows of a scan file; a row cut short by a stopped scan is left out.
std::vector<Row> ReadRows(const std::string& path, bool& opened) {
  std::vector<Row> rows;
  std::ifstream in(path);
  opened = static_cast<bool>(in);
  std::string line;
  while (std::getline(in, line)) {
    if (in.eof()) break;  // no newline after it: cut short
    Row row;
    if (ParseRow(line, row)) rows.push_back(row);
  }
  return LatestRows(std::move(rows));
}

void WriteRow(std::FILE* out, const Row& row) {
  std::fprintf(out, "%lld,%s,%d,%d,%llu\n", static_cast<long long>(row.number), AnswerName(row.verdict), row.best,
               row.bound, static_cast<unsigned long long>(row.work));
}

// Writes the rows to the file through a temporary file; false (with a message) on failure.
bool Rewrite(const std::string& path, const std::vector<Row>& rows) {
  std::string temporary = path + ".tmp";
  std::FILE* out = std::fopen(temporary.c_str(), "w");
  if (out == nullptr) {
    std::fprintf(stderr, "pelmor-analyse: cannot write %s\n", temporary.c_str());
    return false;
  }
  std::fprintf(out, "%s\n", kHeader);
  for (const Row& row : rows) WriteRow(out, row);
  bool written = std::fclose(out) == 0;
  std::remove(path.c_str());
  if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::fprintf(stderr, "pelmor-analyse: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

struct Batch {
  const std::vector<std::int64_t>* numbers = nullptr;
  std::size_t begin = 0;
  std::size_t end = 0;
  std::vector<Row>* rows = nullptr;
  std::atomic<std::size_t> next{0};
  std::vector<std::unique_ptr<game::Analyser>>* analysers = nullptr;
  std::uint64_t budget = 0;
  bool plain = false;
};

void AnalyseBatch(void* context, int worker) {
  auto& batch = *static_cast<Batch*>(context);
  game::GameState state;
  for (;;) {
    std::size_t i = batch.next.fetch_add(1);
    if (batch.begin + i >= batch.end) return;
    std::int64_t number = (*batch.numbers)[batch.begin + i];
    game::DealGame(state, static_cast<game::GameNumber>(number));
    Row& row = (*batch.rows)[i];
    row = Row{};
    row.number = number;
    auto start = std::chrono::steady_clock::now();
    if (batch.plain) {
      PlainResult r = PlainSearch(state.piles, batch.budget);
      row.verdict = r.verdict;
      row.best = r.bestScore;
      row.bound = r.verdict == game::Verdict::kUnknown ? game::kWinningDiscards : r.bestScore;
      row.work = r.work;
    } else {
      game::Analysis a = (*batch.analysers)[static_cast<std::size_t>(worker)]->Analyse(state.piles, batch.budget);
      // A best score counts only with a line that reaches it when played through the rules.
      game::Replay replay = game::ReplayLine(state.piles, a.Line());
      if (!replay.accepted || replay.finalScore != a.bestScore) {
        // Only what the keys it played reached stands; the bound, proved by the search, holds.
        row.lineFailed = true;
        if (a.verdict == game::Verdict::kLost) a.bound = a.bestScore;
        a.verdict = game::Verdict::kUnknown;
        a.bestScore = replay.finalScore;
      }
      row.verdict = a.verdict;
      row.best = a.bestScore;
      row.bound = a.bound;
      row.work = a.work;
    }
    row.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
}

std::string Duration(double seconds) {
  char text[32];
  auto s = static_cast<long long>(seconds);
  if (s >= 3600)
    std::snprintf(text, sizeof text, "%lldh%02lldm", s / 3600, s / 60 % 60);
  else
    std::snprintf(text, sizeof text, "%lldm%02llds", s / 60, s % 60);
  return text;
}

// Won, lost and unknown deals with the win rate's bounds; a row of the table for `what`.
struct Tally {
  long long won = 0, lost = 0, unknown = 0, open = 0;

  void Add(const Row& row) {
    if (row.verdict == game::Verdict::kWon)
      ++won;
    else if (row.verdict == game::Verdict::kLost)
      ++lost;
    else
      open += row.bound == game::kWinningDiscards, ++unknown;
  }
  void Print(const char* what) const {
    long long total = won + lost + unknown;
    if (total == 0) return;
    double share = 100.0 / static_cast<double>(total);
    std::printf("%s: %lld deals, won %lld, lost %lld, unknown %lld (%lld of them could still be won)\n", what, total,
                won, lost, unknown, open);
    std::printf("%s: win rate %.4f%% to %.4f%%\n", what, static_cast<double>(won) * share,
                static_cast<double>(won + open) * share);
  }
};

void PrintSummary(const std::vector<Row>& rows) {
  std::int64_t low = 0, high = 0;
  long long settled[game::kWinningDiscards + 1] = {};
  long long unsettled[game::kWinningDiscards + 1] = {};
  std::uint64_t work = 0;
  Tally all, newGame;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    if (i == 0 || row.number < low) low = row.number;
    if (i == 0 || row.number > high) high = row.number;
    work += row.work;
    all.Add(row);
    if (NewGameCanDeal(row.number)) newGame.Add(row);
    ++(row.verdict == game::Verdict::kUnknown ? unsettled : settled)[row.best];
  }
  auto total = static_cast<long long>(rows.size());
  std::printf("deals: %lld (game numbers %lld to %lld)\n", total, static_cast<long long>(low),
              static_cast<long long>(high));
  if (total == 0) return;
  std::printf("won: %lld  lost: %lld  unknown: %lld (%lld of them could still be won)\n", all.won, all.lost,
              all.unknown, all.open);
  double share = 100.0 / static_cast<double>(total);
  std::printf("win rate: %.4f%% (bounds %.4f%% to %.4f%%)\n", static_cast<double>(all.won) * share,
              static_cast<double>(all.won) * share, static_cast<double>(all.won + all.open) * share);
  newGame.Print("numbers New Game can deal");
  // Rows read from a scan folder carry no count of positions.
  if (work > 0)
    std::printf("positions: %llu in all, %.0f per deal\n", static_cast<unsigned long long>(work),
                static_cast<double>(work) / static_cast<double>(total));
  std::printf("best score  deals (settled)  unknown (best found)\n");
  for (int score = game::kWinningDiscards; score >= 0; --score)
    if (settled[score] || unsettled[score])
      std::printf("%10d  %15lld  %20lld\n", score, settled[score], unsettled[score]);
}

// The rows of a CSV file or a scan folder; false (with a message) when it cannot be read.
bool ReadAny(const std::string& path, std::vector<Row>& rows) {
  if (IsScanFolder(path)) {
    ScanData data(path);
    if (!data.LoadAll()) return false;
    for (const auto& [number, answer] : data.Rows()) rows.push_back(RowOf(number, answer));
    return true;
  }
  bool opened = false;
  std::vector<Row> part = ReadRows(path, opened);
  if (!opened) {
    std::fprintf(stderr, "pelmor-analyse: cannot read %s\n", path.c_str());
    return false;
  }
  rows.insert(rows.end(), part.begin(), part.end());
  return true;
}

// Puts a batch's rows into the scan folder, each combined with what the folder knew of the deal;
// false when a new answer contradicts the recorded one (that one is kept and both are reported).
bool Record(ScanData& data, const std::vector<Row>& rows, std::size_t count) {
  bool agreed = true;
  for (std::size_t i = 0; i < count; ++i) {
    Answer now = AnswerOf(rows[i]);
    std::optional<Answer> before = data.Get(rows[i].number);
    std::optional<Answer> both = before ? Combine(*before, now) : now;
    if (!both) {
      std::fprintf(stderr, "pelmor-analyse: game %lld: best %d, at most %d now, against best %d, at most %d before\n",
                   static_cast<long long>(rows[i].number), now.best, now.bound, before->best, before->bound);
      agreed = false;
      continue;
    }
    data.Put(rows[i].number, *both);
  }
  return agreed;
}

}  // namespace

int RunScan(const ScanOptions& options) {
  if (options.out.empty()) {
    std::fprintf(stderr, "pelmor-analyse: --scan needs --out FILE.csv or --out FOLDER\n");
    return 2;
  }
  // What is already done, from the file or folder of an earlier run.
  const bool folder = IsScanFolder(options.out);
  ScanData data(options.out);
  bool exists = false;
  std::vector<Row> done;
  if (folder) {
    if (!data.Load(options.from, options.to)) return 1;
    for (const auto& [number, answer] : data.Rows())
      if (number >= options.from && number <= options.to) done.push_back(RowOf(number, answer));
    exists = !done.empty();
  } else {
    done = ReadRows(options.out, exists);
  }
  if (exists && !options.resume) {
    std::fprintf(stderr, "pelmor-analyse: %s exists; add --resume to go on with it\n", options.out.c_str());
    return 2;
  }
  std::vector<bool> isDone(static_cast<std::size_t>(options.to - options.from + 1));
  for (const Row& row : done)
    if (row.number >= options.from && row.number <= options.to && !(options.retry && row.verdict == game::Verdict::kUnknown))
      isDone[static_cast<std::size_t>(row.number - options.from)] = true;
  // Rewrite the file with its complete rows only, so that appending starts on a fresh line.
  if (!folder && !Rewrite(options.out, done)) return 1;
  std::vector<std::int64_t> numbers;
  for (std::int64_t n = options.from; n <= options.to; ++n)
    if ((n - options.from) % options.shards == options.shard && !isDone[static_cast<std::size_t>(n - options.from)])
      numbers.push_back(n);

  std::FILE* out = folder ? nullptr : std::fopen(options.out.c_str(), "a");
  if (!folder && out == nullptr) {
    std::fprintf(stderr, "pelmor-analyse: cannot write %s\n", options.out.c_str());
    return 1;
  }
  std::vector<std::unique_ptr<game::Analyser>> analysers;
  if (!options.plain)
    for (int i = 0; i < options.threads; ++i)
      analysers.push_back(std::make_unique<game::Analyser>(static_cast<std::size_t>(options.budget)));
  WarnIfBudgetLimited(options.budget, LeastMaxBudget(analysers));

  bool terminal = PELMOR_ISATTY(2) != 0;
  auto start = std::chrono::steady_clock::now();
  std::size_t batchSize = static_cast<std::size_t>(std::max(64, options.threads * 64));
  std::vector<Row> rows(batchSize);
  std::size_t finished = 0;
  double slowest = 0;
  long long failedLines = 0;
  bool agreed = true;
  while (finished < numbers.size()) {
    Batch batch;
    batch.numbers = &numbers;
    batch.begin = finished;
    batch.end = std::min(numbers.size(), finished + batchSize);
    batch.rows = &rows;
    batch.analysers = &analysers;
    batch.budget = options.budget;
    batch.plain = options.plain;
    RunWorkers(options.threads, AnalyseBatch, &batch);
    const std::size_t count = batch.end - batch.begin;
    for (std::size_t i = 0; i < count; ++i) {
      if (out != nullptr) WriteRow(out, rows[i]);
      done.push_back(rows[i]);  // a retried deal's earlier row is replaced in the summary below
      slowest = std::max(slowest, rows[i].seconds);
      failedLines += rows[i].lineFailed;
    }
    if (out != nullptr) std::fflush(out);
    if (folder) {
      agreed = Record(data, rows, count) && agreed;
      if (!data.Save()) return 1;
    }
    finished = batch.end;
    if (terminal) {
      double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      double rate = static_cast<double>(finished) / std::max(elapsed, 1e-9);
      double part = static_cast<double>(finished) / static_cast<double>(numbers.size());
      int filled = static_cast<int>(part * 30);
      std::fprintf(stderr, "\r[%.*s%.*s] %5.1f%% %zu/%zu  %.1f deals/s  %s left ", filled,
                   "##############################", 30 - filled, "..............................", part * 100,
                   finished, numbers.size(), rate, Duration(static_cast<double>(numbers.size() - finished) / rate).c_str());
    }
  }
  if (terminal) std::fprintf(stderr, "\n");
  if (out != nullptr) std::fclose(out);
  if (folder) {
    done.clear();
    for (const auto& [number, answer] : data.Rows())
      if (number >= options.from && number <= options.to) done.push_back(RowOf(number, answer));
  } else {
    done = LatestRows(std::move(done));
    if (options.retry && !Rewrite(options.out, done)) return 1;  // drop the rows the retry replaced
  }
  double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("analysed: %zu deals in %.2f s on %d thread(s): %.1f deals/s, %.1f deals/s per thread\n", numbers.size(),
              elapsed, options.threads, static_cast<double>(numbers.size()) / std::max(elapsed, 1e-9),
              static_cast<double>(numbers.size()) / std::max(elapsed, 1e-9) / options.threads);
  std::printf("slowest deal: %.3f s\n", slowest);
  if (failedLines > 0) std::printf("lines that did not replay to their score: %lld (those deals kept as unknown)\n", failedLines);
  PrintSummary(done);
  return agreed && failedLines == 0 ? 0 : 1;
}

int RunSummary(const std::vector<std::string>& files) {
  std::vector<Row> rows;
  for (const std::string& file : files)
    if (!ReadAny(file, rows)) return 1;
  PrintSummary(LatestRows(std::move(rows)));
  return 0;
}

int RunMerge(const std::vector<std::string>& inputs, const std::string& folder) {
  std::vector<Row> rows;
  for (const std::string& input : inputs)
    if (!ReadAny(input, rows)) return 1;
  ScanData data(folder);
  for (const Row& row : rows)
    if (!data.Load(row.number, row.number)) return 1;
  bool agreed = Record(data, rows, rows.size());
  if (!data.Save()) return 1;
  std::printf("merged %s rows into %s\n", WithThousands(rows.size()).c_str(), folder.c_str());
  return agreed ? 0 : 1;
}

int RunVerify(const VerifyOptions& options) {
  ScanData data(options.folder);
  if (!data.LoadAll()) return 1;
  std::vector<std::pair<std::int64_t, Answer>> published = data.Rows();
  if (published.empty()) {
    std::fprintf(stderr, "pelmor-analyse: %s holds no analysed deal\n", options.folder.c_str());
    return 1;
  }
  // A sample without repeats, the same for the same seed: the first steps of a shuffle.
  std::uint64_t state = options.seed;
  auto next = [&state] {  // splitmix64
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  };
  std::size_t count = std::min(published.size(), static_cast<std::size_t>(options.count));
  // The draw is made in 64 bits, so a seed picks the same deals in both programs.
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t pick = i + static_cast<std::size_t>(next() % (published.size() - i));
    std::swap(published[i], published[pick]);
  }
  published.resize(count);
  std::sort(published.begin(), published.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::int64_t> numbers;
  for (const auto& row : published) numbers.push_back(row.first);

  std::vector<std::unique_ptr<game::Analyser>> analysers;
  for (int i = 0; i < options.threads; ++i)
    analysers.push_back(std::make_unique<game::Analyser>(static_cast<std::size_t>(options.budget)));
  WarnIfBudgetLimited(options.budget, LeastMaxBudget(analysers));
  std::vector<Row> rows(numbers.size());
  Batch batch;
  batch.numbers = &numbers;
  batch.end = numbers.size();
  batch.rows = &rows;
  batch.analysers = &analysers;
  batch.budget = options.budget;
  RunWorkers(options.threads, AnalyseBatch, &batch);

  long long same = 0, settledNow = 0, notSettledAgain = 0, otherwise = 0, disagree = 0, wins = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const Answer before = published[i].second;
    const Answer now = AnswerOf(rows[i]);
    wins += rows[i].verdict == game::Verdict::kWon;
    if (rows[i].lineFailed || !Combine(before, now)) {
      ++disagree;
      std::printf("game %lld: the data says best %d, at most %d; analysed again: best %d, at most %d%s\n",
                  static_cast<long long>(published[i].first), before.best, before.bound, now.best, now.bound,
                  rows[i].lineFailed ? " (its line did not replay to its score)" : "");
    } else if (before == now) {
      ++same;
    } else if (KindOf(before) == AnswerKind::kUnknown && KindOf(now) != AnswerKind::kUnknown) {
      ++settledNow;
    } else if (KindOf(before) != AnswerKind::kUnknown && KindOf(now) == AnswerKind::kUnknown) {
      ++notSettledAgain;
    } else {
      ++otherwise;
    }
  }
  std::printf("verified %zu of the %s deals of %s (seed %llu, budget %llu positions):\n", count,
              WithThousands(data.Rows().size()).c_str(), options.folder.c_str(),
              static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(options.budget));
  std::printf("  the same answer: %lld\n", same);
  std::printf("  settled now, unknown in the data: %lld\n", settledNow);
  std::printf("  settled in the data, unknown now (the budget ran out first): %lld\n", notSettledAgain);
  std::printf("  unknown both times, with other figures that agree: %lld\n", otherwise);
  std::printf("  winning lines found and replayed to 48: %lld\n", wins);
  std::printf("  disagreements: %lld\n", disagree);
  return disagree == 0 ? 0 : 1;
}

}  // namespace pelmor::analyse
