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

struct Row {
  std::int64_t number = 0;
  game::Verdict verdict = game::Verdict::kUnknown;
  int best = 0;
  int bound = 0;
  std::uint64_t work = 0;
  double seconds = 0;  // time taken, for this run's report only
};

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
      // A win counts only with a line that wins when played through the rules.
      if (a.verdict == game::Verdict::kWon) {
        game::Replay replay = game::ReplayLine(state.piles, a.Line());
        if (!replay.accepted || replay.finalScore != game::kWinningDiscards) {
          a.verdict = game::Verdict::kUnknown;
          a.bestScore = replay.finalScore;
        }
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

void PrintSummary(const std::vector<Row>& rows) {
  long long won = 0, lost = 0, unknown = 0, open = 0;
  std::int64_t low = 0, high = 0;
  long long settled[game::kWinningDiscards + 1] = {};
  long long unsettled[game::kWinningDiscards + 1] = {};
  std::uint64_t work = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    if (i == 0 || row.number < low) low = row.number;
    if (i == 0 || row.number > high) high = row.number;
    work += row.work;
    switch (row.verdict) {
      case game::Verdict::kWon:
        ++won;
        ++settled[row.best];
        break;
      case game::Verdict::kLost:
        ++lost;
        ++settled[row.best];
        break;
      default:
        ++unknown;
        if (row.bound == game::kWinningDiscards) ++open;
        ++unsettled[row.best];
        break;
    }
  }
  auto total = static_cast<long long>(rows.size());
  std::printf("deals: %lld (game numbers %lld to %lld)\n", total, static_cast<long long>(low),
              static_cast<long long>(high));
  if (total == 0) return;
  double share = 100.0 / static_cast<double>(total);
  std::printf("won: %lld  lost: %lld  unknown: %lld (%lld of them could still be won)\n", won, lost, unknown, open);
  std::printf("win rate: %.4f%% (bounds %.4f%% to %.4f%%)\n", static_cast<double>(won) * share,
              static_cast<double>(won) * share, static_cast<double>(won + open) * share);
  std::printf("positions: %llu in all, %.0f per deal\n", static_cast<unsigned long long>(work),
              static_cast<double>(work) / static_cast<double>(total));
  std::printf("best score  deals (settled)  unknown (best found)\n");
  for (int score = game::kWinningDiscards; score >= 0; --score)
    if (settled[score] || unsettled[score])
      std::printf("%10d  %15lld  %20lld\n", score, settled[score], unsettled[score]);
}

}  // namespace

int RunScan(const ScanOptions& options) {
  if (options.out.empty()) {
    std::fprintf(stderr, "pelmor-analyse: --scan needs --out FILE.csv\n");
    return 2;
  }
  // What is already done, from the file of an earlier run.
  bool exists = false;
  std::vector<Row> done = ReadRows(options.out, exists);
  if (exists && !options.resume) {
    std::fprintf(stderr, "pelmor-analyse: %s exists; add --resume to go on with it\n", options.out.c_str());
    return 2;
  }
  std::vector<bool> isDone(static_cast<std::size_t>(options.to - options.from + 1));
  for (const Row& row : done)
    if (row.number >= options.from && row.number <= options.to && !(options.retry && row.verdict == game::Verdict::kUnknown))
      isDone[static_cast<std::size_t>(row.number - options.from)] = true;
  // Rewrite the file with its complete rows only, so that appending starts on a fresh line.
  if (!Rewrite(options.out, done)) return 1;
  std::vector<std::int64_t> numbers;
  for (std::int64_t n = options.from; n <= options.to; ++n)
    if ((n - options.from) % options.shards == options.shard && !isDone[static_cast<std::size_t>(n - options.from)])
      numbers.push_back(n);

  std::FILE* out = std::fopen(options.out.c_str(), "a");
  if (out == nullptr) {
    std::fprintf(stderr, "pelmor-analyse: cannot write %s\n", options.out.c_str());
    return 1;
  }
  std::vector<std::unique_ptr<game::Analyser>> analysers;
  if (!options.plain)
    for (int i = 0; i < options.threads; ++i)
      analysers.push_back(std::make_unique<game::Analyser>(static_cast<std::size_t>(options.budget)));

  bool terminal = PELMOR_ISATTY(2) != 0;
  auto start = std::chrono::steady_clock::now();
  std::size_t batchSize = static_cast<std::size_t>(std::max(64, options.threads * 64));
  std::vector<Row> rows(batchSize);
  std::size_t finished = 0;
  double slowest = 0;
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
    for (std::size_t i = 0; i < batch.end - batch.begin; ++i) {
      WriteRow(out, rows[i]);
      done.push_back(rows[i]);  // a retried deal's earlier row is replaced in the summary below
      slowest = std::max(slowest, rows[i].seconds);
    }
    std::fflush(out);
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
  std::fclose(out);
  done = LatestRows(std::move(done));
  if (options.retry && !Rewrite(options.out, done)) return 1;  // drop the rows the retry replaced
  double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("analysed: %zu deals in %.2f s on %d thread(s): %.1f deals/s, %.1f deals/s per thread\n", numbers.size(),
              elapsed, options.threads, static_cast<double>(numbers.size()) / std::max(elapsed, 1e-9),
              static_cast<double>(numbers.size()) / std::max(elapsed, 1e-9) / options.threads);
  std::printf("slowest deal: %.3f s\n", slowest);
  PrintSummary(done);
  return 0;
}

int RunSummary(const std::vector<std::string>& files) {
  std::vector<Row> rows;
  for (const std::string& file : files) {
    bool opened = false;
    std::vector<Row> part = ReadRows(file, opened);
    if (!opened) {
      std::fprintf(stderr, "pelmor-analyse: cannot read %s\n", file.c_str());
      return 1;
    }
    rows.insert(rows.end(), part.begin(), part.end());
  }
  PrintSummary(LatestRows(std::move(rows)));
  return 0;
}

}  // namespace pelmor::analyse
