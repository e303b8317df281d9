// PNG encoding with our own deflate (LZ77 and the fixed Huffman code), CRC-32 and Adler-32.
#include <array>
#include <cstdlib>
#include <stdexcept>

#include "bytes.h"
#include "cardart.h"

namespace pelmor::cardart {

namespace {

const std::array<std::uint32_t, 256>& crcTable() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) c = crcTable()[(c ^ data[i]) & 0xFFu] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const Bytes& data) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : data) {
    a = (a + v) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16) | a;
}

// Deflate writes its bits least significant first; Huffman codes go in most significant bit first.
class BitWriter {
 public:
  explicit BitWriter(Bytes& out) : out_(out) {}
  void bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
      acc_ |= ((value >> i) & 1u) << used_;
      if (++used_ == 8) flushByte();
    }
  }
  void code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) bits(code >> i, 1);
  }
  void finish() {
    if (used_ > 0) flushByte();
  }

 private:
  void flushByte() {
    out_.push_back(static_cast<std::uint8_t>(acc_));
    acc_ = 0;
    used_ = 0;
  }
  Bytes& out_;
  std::uint32_t acc_ = 0;
  int used_ = 0;
};

void putLiteralOrLength(BitWriter& w, unsigned symbol) {
  if (symbol < 144)
    w.code(0x30 + symbol, 8);
  else if (symbol < 256)
    w.code(0x190 + symbol - 144, 9);
  else if (symbol < 280)
    w.code(symbol - 256, 7);
  else
    w.code(0xC0 + symbol - 280, 8);
}

constexpr std::array<unsigned, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                  15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<unsigned, 30> kDistBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void putMatch(BitWriter& w, unsigned length, unsigned distance) {
  std::size_t li = kLengthBase.size() - 1;
  while (kLengthBase[li] > length) --li;
  putLiteralOrLength(w, 257 + static_cast<unsigned>(li));
  w.bits(length - kLengthBase[li], kLengthExtra[li]);
  std::size_t di = kDistBase.size() - 1;
  while (kDistBase[di] > distance) --di;
  w.code(static_cast<std::uint32_t>(di), 5);
  w.bits(distance - kDistBase[di], kDistExtra[di]);
}

// One final block with the fixed code; matches are found through hash chains over the window.
Bytes deflate(const Bytes& data) {
  constexpr std::size_t kWindow = 32768, kMaxLength = 258, kMaxChain = 96;
  constexpr std::size_t kHashSize = 1u << 15;
  std::vector<std::int64_t> head(kHashSize, -1), prev(kWindow, -1);
  auto hashAt = [&](std::size_t i) {
    return ((std::size_t{data[i]} << 10) ^ (std::size_t{data[i + 1]} << 5) ^ data[i + 2]) &
           (kHashSize - 1);
  };
  auto insert = [&](std::size_t i) {
    if (i + 2 >= data.size()) return;
    const std::size_t h = hashAt(i);
    prev[i % kWindow] = head[h];
    head[h] = static_cast<std::int64_t>(i);
  };

  Bytes out;
  BitWriter w(out);
  w.bits(1, 1);  // BFINAL
  w.bits(1, 2);  // BTYPE = fixed Huffman
  std::size_t i = 0;
  while (i < data.size()) {
    std::size_t bestLength = 0, bestDistance = 0;
    if (i + 2 < data.size()) {
      std::int64_t candidate = head[hashAt(i)];
      const std::size_t limit = std::min(kMaxLength, data.size() - i);
      for (std::size_t chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
        const std::size_t c = static_cast<std::size_t>(candidate);
        if (i - c > kWindow - 1) break;
        std::size_t n = 0;
        while (n < limit && data[c + n] == data[i + n]) ++n;
        if (n > bestLength) {
          bestLength = n;
          bestDistance = i - c;
          if (n == limit) break;
        }
        candidate = prev[c % kWindow];
      }
    }
    if (bestLength >= 3) {
      putMatch(w, static_cast<unsigned>(bestLength), static_cast<unsigned>(bestDistance));
      for (std::size_t k = 0; k < bestLength; ++k) insert(i + k);
      i += bestLength;
    } else {
      putLiteralOrLength(w, data[i]);
      insert(i);
      ++i;
    }
  }
  putLiteralOrLength(w, 256);
  w.finish();
  return out;
}

int paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Each row gets the filter whose output has the smallest sum of magnitudes, the usual heuristic.
Bytes filterRows(const Image& img) {
  const std::size_t stride = static_cast<std::size_t>(img.width) * 3;
  Bytes raw(stride * static_cast<std::size_t>(img.height));
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const Rgb c = img.colourAt(x, y);
      std::uint8_t* p =
          &raw[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3];
      p[0] = c.r;
      p[1] = c.g;
      p[2] = c.b;
    }
  }
  Bytes out;
  Bytes candidate(stride);
  Bytes best(stride);
  for (int y = 0; y < img.height; ++y) {
    const std::uint8_t* row = &raw[static_cast<std::size_t>(y) * stride];
    const std::uint8_t* up = y > 0 ? row - stride : nullptr;
    long bestScore = -1;
    unsigned bestFilter = 0;
    for (unsigned filter = 0; filter < 5; ++filter) {
      long score = 0;
      for (std::size_t i = 0; i < stride; ++i) {
        const int a = i >= 3 ? row[i - 3] : 0;
        const int b = up ? up[i] : 0;
        const int c = (up && i >= 3) ? up[i - 3] : 0;
        int predicted = 0;
        switch (filter) {
          case 1: predicted = a; break;
          case 2: predicted = b; break;
          case 3: predicted = (a + b) / 2; break;
          case 4: predicted = paeth(a, b, c); break;
          default: break;
        }
        const auto v = static_cast<std::uint8_t>((row[i] - predicted) & 0xFF);
        candidate[i] = v;
        score += v < 128 ? v : 256 - v;
      }
      if (bestScore < 0 || score < bestScore) {
        bestScore = score;
        bestFilter = filter;
        best = candidate;
      }
    }
    putU8(out, bestFilter);
    out.insert(out.end(), best.begin(), best.end());
  }
  return out;
}

void putChunk(Bytes& out, const char (&type)[5], const Bytes& body) {
  putU32BE(out, static_cast<std::uint32_t>(body.size()));
  const std::size_t typeStart = out.size();
  for (int i = 0; i < 4; ++i) putU8(out, static_cast<unsigned char>(type[i]));
  out.insert(out.end(), body.begin(), body.end());
  putU32BE(out, crc32(&out[typeStart], out.size() - typeStart));
}

}  // namespace

Bytes encodePng(const Image& img) {
  if (img.width <= 0 || img.height <= 0) throw std::invalid_argument("empty picture");
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

  Bytes header;
  putU32BE(header, static_cast<std::uint32_t>(img.width));
  putU32BE(header, static_cast<std::uint32_t>(img.height));
  putU8(header, 8);  // bits per channel
  putU8(header, 2);  // truecolour
  putU8(header, 0);
  putU8(header, 0);
  putU8(header, 0);
  putChunk(out, "IHDR", header);

  const Bytes filtered = filterRows(img);
  Bytes zlib = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary; 0x7801 is a multiple of 31
  const Bytes body = deflate(filtered);
  zlib.insert(zlib.end(), body.begin(), body.end());
  putU32BE(zlib, adler32(filtered));
  putChunk(out, "IDAT", zlib);
  putChunk(out, "IEND", {});
  return out;
}

}  // namespace pelmor::cardart
