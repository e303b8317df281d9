// The published scan's blocks: encoding, decoding, and a folder of them read and written.
#include "tools/analyse/scan_data.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "game/rules.h"

namespace pelmor::analyse {

namespace {

constexpr std::uint8_t kNotAnalysed = 0xFF;
constexpr char kMagic[4] = {'P', 'S', 'C', 'N'};
constexpr std::uint16_t kVersion = 1;

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint64_t GetLittleEndian(const std::vector<std::uint8_t>& in, std::size_t at, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(in[at + static_cast<std::size_t>(i)]) << (8 * i);
  return value;
}

bool Valid(Answer a) { return a.best >= 0 && a.best <= a.bound && a.bound <= game::kWinningDiscards; }

std::string PathOf(const std::string& folder, std::int64_t first) {
  return (std::filesystem::path(folder) / BlockFileName(first)).string();
}

}  // namespace

AnswerKind KindOf(Answer answer) {
  if (answer.best == game::kWinningDiscards) return AnswerKind::kWon;
  return answer.best == answer.bound ? AnswerKind::kLost : AnswerKind::kUnknown;
}

std::optional<Answer> Combine(Answer a, Answer b) {
  Answer both{std::max(a.best, b.best), std::min(a.bound, b.bound)};
  if (both.best > both.bound) return std::nullopt;
  return both;
}

std::vector<std::uint8_t> EncodeBlock(std::int64_t first, const std::vector<std::optional<Answer>>& rows) {
  std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
  PutLittleEndian(out, kVersion, 2);
  PutLittleEndian(out, 0, 2);
  PutLittleEndian(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(first)), 4);
  PutLittleEndian(out, rows.size(), 4);
  for (const std::optional<Answer>& row : rows) {
    out.push_back(row ? static_cast<std::uint8_t>(row->best) : kNotAnalysed);
    out.push_back(row ? static_cast<std::uint8_t>(row->bound) : kNotAnalysed);
  }
  return out;
}

std::optional<std::vector<std::optional<Answer>>> DecodeBlock(const std::vector<std::uint8_t>& bytes,
                                                              std::int64_t first) {
  if (bytes.size() != kBlockHeaderBytes + 2 * static_cast<std::size_t>(kBlockGames) ||
      !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin()) || GetLittleEndian(bytes, 4, 2) != kVersion ||
      GetLittleEndian(bytes, 6, 2) != 0 ||
      static_cast<std::int32_t>(GetLittleEndian(bytes, 8, 4)) != first ||
      GetLittleEndian(bytes, 12, 4) != static_cast<std::uint64_t>(kBlockGames))
    return std::nullopt;
  std::vector<std::optional<Answer>> rows(static_cast<std::size_t>(kBlockGames));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::uint8_t best = bytes[kBlockHeaderBytes + 2 * i];
    std::uint8_t bound = bytes[kBlockHeaderBytes + 2 * i + 1];
    if (best == kNotAnalysed && bound == kNotAnalysed) continue;
    Answer answer{best, bound};
    if (!Valid(answer)) return std::nullopt;
    rows[i] = answer;
  }
  return rows;
}

std::string BlockFileName(std::int64_t first) {
  char name[32];
  std::snprintf(name, sizeof name, "block%+010lld.pscan", static_cast<long long>(first));
  return name;
}

std::int64_t BlockFirst(std::int64_t game) {
  std::int64_t block = game >= 0 ? game / kBlockGames : -((-game + kBlockGames - 1) / kBlockGames);
  return block * kBlockGames;
}

bool ScanData::LoadBlock(std::int64_t first) {
  if (blocks_.count(first)) return true;
  Block block;
  block.rows.assign(static_cast<std::size_t>(kBlockGames), std::nullopt);
  const std::string path = PathOf(folder_, first);
  std::ifstream in(path, std::ios::binary);
  if (in) {
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::optional<std::vector<std::optional<Answer>>> rows = DecodeBlock(bytes, first);
    if (!rows) {
      std::fprintf(stderr, "pelmor-analyse: %s is not a valid block of the scan\n", path.c_str());
      return false;
    }
    block.rows = std::move(*rows);
  } else if (std::filesystem::exists(path)) {
    std::fprintf(stderr, "pelmor-analyse: cannot read %s\n", path.c_str());
    return false;
  }
  blocks_[first] = std::move(block);
  return true;
}

bool ScanData::Load(std::int64_t from, std::int64_t to) {
  for (std::int64_t first = BlockFirst(from); first <= to; first += kBlockGames)
    if (!LoadBlock(first)) return false;
  return true;
}

bool ScanData::LoadAll() {
  std::error_code error;
  std::filesystem::directory_iterator entries(folder_, error);
  if (error) {
    std::fprintf(stderr, "pelmor-analyse: cannot read the folder %s\n", folder_.c_str());
    return false;
  }
  for (const auto& entry : entries) {
    std::string name = entry.path().filename().string();
    long long first = 0;
    char rest = 0;
    if (std::sscanf(name.c_str(), "block%lld.psca%c", &first, &rest) != 2 || name != BlockFileName(first))
      continue;
    if (!LoadBlock(first)) return false;
  }
  return true;
}

std::optional<Answer> ScanData::Get(std::int64_t game) const {
  auto block = blocks_.find(BlockFirst(game));
  if (block == blocks_.end()) return std::nullopt;
  return block->second.rows[static_cast<std::size_t>(game - block->first)];
}

void ScanData::Put(std::int64_t game, Answer answer) {
  Block& block = blocks_.at(BlockFirst(game));
  block.rows[static_cast<std::size_t>(game - BlockFirst(game))] = answer;
  block.changed = true;
}

bool ScanData::Save() {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  for (auto& [first, block] : blocks_) {
    if (!block.changed) continue;
    const std::string path = PathOf(folder_, first);
    const std::string temporary = path + ".tmp";
    std::vector<std::uint8_t> bytes = EncodeBlock(first, block.rows);
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    std::filesystem::rename(temporary, path, error);
    if (!out || error) {
      std::fprintf(stderr, "pelmor-analyse: cannot write %s\n", path.c_str());
      return false;
    }
    block.changed = false;
  }
  return true;
}

std::vector<std::pair<std::int64_t, Answer>> ScanData::Rows() const {
  std::vector<std::pair<std::int64_t, Answer>> rows;
  for (const auto& [first, block] : blocks_)
    for (std::size_t i = 0; i < block.rows.size(); ++i)
      if (block.rows[i]) rows.emplace_back(first + static_cast<std::int64_t>(i), *block.rows[i]);
  return rows;
}

bool IsScanFolder(const std::string& path) {
  return path.size() < 4 || path.compare(path.size() - 4, 4, ".csv") != 0;
}

}  // namespace pelmor::analyse
