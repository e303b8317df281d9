// The scan over a range of game numbers: one CSV row per deal, resumable, in shards, and its summary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pelmor::analyse {

struct ScanOptions {
  std::int64_t from = 0;
  std::int64_t to = 0;
  int threads = 1;
  std::uint64_t budget = 0;
  std::string out;  // the CSV file
  int shard = 0;    // this run takes the numbers n with (n - from) % shards == shard
  int shards = 1;
  bool resume = false;
  bool retry = false;   // with resume: analyse again the deals the file leaves unknown
  bool plain = false;  // the plain exhaustive search instead of the analyser (for the benchmark)
};

// Runs the scan; returns the process exit code.
int RunScan(const ScanOptions& options);

// Prints the summary of one or more scan files; returns the process exit code.
int RunSummary(const std::vector<std::string>& files);

}  // namespace pelmor::analyse
