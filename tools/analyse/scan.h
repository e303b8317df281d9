// The scan over a range of game numbers: one row per deal in a CSV file or a scan folder, resumable,
// in shards; its summary; and the check of a scan folder against the analyser.
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
  std::string out;  // the CSV file, or a scan folder (any path not ending in .csv)
  int shard = 0;    // this run takes the numbers n with (n - from) % shards == shard
  int shards = 1;
  bool resume = false;
  bool retry = false;   // with resume: analyse again the deals the file leaves unknown
  bool plain = false;  // the plain exhaustive search instead of the analyser (for the benchmark)
};

// Runs the scan; returns the process exit code.
int RunScan(const ScanOptions& options);

// Prints the summary of one or more scan files or folders; returns the process exit code.
int RunSummary(const std::vector<std::string>& files);

// Takes the rows of CSV files and scan folders into a scan folder, each combined with what the
// folder knew of the deal; returns the process exit code (1 when a row contradicts the folder).
int RunMerge(const std::vector<std::string>& inputs, const std::string& folder);

struct VerifyOptions {
  std::string folder;
  std::int64_t count = 1000;  // deals drawn from the folder's analysed ones
  std::uint64_t seed = 1;
  std::uint64_t budget = 0;
  int threads = 1;
};

// Analyses again a sample of a scan folder's deals, replays every line found, and prints each deal
// whose new answer contradicts the recorded one; returns the process exit code (1 on any).
int RunVerify(const VerifyOptions& options);

}  // namespace pelmor::analyse
