// The published scan: each deal's answer kept in blocks of 100,000 game numbers, two bytes a deal,
// one file a block in a folder. A scan of more numbers adds block files; a deal analysed again
// changes its two bytes. The format is described in data/scan/README.md.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace pelmor::analyse {

// What is known of a deal: no play discards more than `bound` cards, and a replayed line reaches
// `best`. Won: best 48. Lost: best == bound < 48 (the search was complete). Unknown: best < bound.
struct Answer {
  int best = 0;
  int bound = 0;

  bool operator==(const Answer&) const = default;
};

enum class AnswerKind { kWon, kLost, kUnknown };
AnswerKind KindOf(Answer answer);

// Both answers as one: the best reached by either, the tighter bound. Nothing when they contradict
// each other (one reaches more than the other proves possible).
std::optional<Answer> Combine(Answer a, Answer b);

inline constexpr std::int64_t kBlockGames = 100000;
inline constexpr std::size_t kBlockHeaderBytes = 16;

// One block's bytes: the header ("PSCN", version 1, reserved 0, first game number, count, all
// little-endian), then per game its best score and bound, 0xFF 0xFF for a game not analysed.
std::vector<std::uint8_t> EncodeBlock(std::int64_t first, const std::vector<std::optional<Answer>>& rows);
// The rows of a block; nothing when the bytes are not a whole, valid block starting at `first`.
std::optional<std::vector<std::optional<Answer>>> DecodeBlock(const std::vector<std::uint8_t>& bytes,
                                                              std::int64_t first);

// The block file of the games first .. first + 99,999, e.g. "block+000100000.pscan".
std::string BlockFileName(std::int64_t first);
std::int64_t BlockFirst(std::int64_t game);

// A scan folder, read and written block by block.
class ScanData {
 public:
  explicit ScanData(std::string folder) : folder_(std::move(folder)) {}

  // Reads the blocks of the games from .. to (missing block files are empty blocks); false, with
  // a message on stderr, when a block file cannot be read or is not a valid block.
  bool Load(std::int64_t from, std::int64_t to);
  // Reads every block file of the folder; false as above, or when the folder cannot be listed.
  bool LoadAll();

  std::optional<Answer> Get(std::int64_t game) const;
  // Records the answer of a game of a loaded block.
  void Put(std::int64_t game, Answer answer);
  // Writes the blocks changed since they were loaded, each through a temporary file; false, with a
  // message on stderr, when one cannot be written.
  bool Save();

  // Every analysed game of the loaded blocks, in order, with its answer.
  std::vector<std::pair<std::int64_t, Answer>> Rows() const;

 private:
  struct Block {
    std::vector<std::optional<Answer>> rows;
    bool changed = false;
  };
  bool LoadBlock(std::int64_t first);

  std::string folder_;
  std::map<std::int64_t, Block> blocks_;
};

// Whether the path names a scan folder rather than a CSV file (it does not end in ".csv").
bool IsScanFolder(const std::string& path);

}  // namespace pelmor::analyse
