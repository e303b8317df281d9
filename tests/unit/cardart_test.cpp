// Tests of the card-picture generator: the pictures and the icon, the BMP, PNG and ICO files.
#include "cardart.h"
#include "raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using pelmor::cardart::Image;
using pelmor::cardart::NamedImage;
using pelmor::cardart::Rgb;
using pelmor::cardart::Rgba;
using pelmor::cardart::RgbaImage;
using Bytes = std::vector<std::uint8_t>;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kFeltGreen{0, 128, 0};
constexpr Rgb kLimeGreen{0, 255, 0};
constexpr int kW = 71, kH = 96;
const std::string kRankDigits = "0123456789ABC";

// Every picture, rendered once for the whole test run.
const std::vector<NamedImage>& allPictures() {
  static const std::vector<NamedImage> pictures = [] {
    std::vector<NamedImage> v;
    for (const std::string& name : pelmor::cardart::pictureNames())
      v.push_back({name, pelmor::cardart::renderPicture(name)});
    return v;
  }();
  return pictures;
}

const Image& picture(const std::string& name) {
  for (const NamedImage& p : allPictures())
    if (p.name == name) return p.image;
  throw std::out_of_range(name);
}

std::string faceName(int suit, int rank) {
  return "CARD" + std::to_string(suit) + kRankDigits[static_cast<std::size_t>(rank)];
}

bool isBack(const std::string& name) { return name.rfind("BACK", 0) == 0; }
bool isRedFace(int suit) { return suit == 2 || suit == 3; }

std::vector<Rgb> colours(const Image& img) {
  std::vector<Rgb> out;
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) out.push_back(img.colourAt(x, y));
  return out;
}

std::string describe(Rgb c) {
  return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

// A cluster of 8-connected pixels, with the columns and rows it spans.
struct Blob {
  std::vector<std::pair<int, int>> pixels;
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The clusters of pixels whose colour `ink` accepts, inside a rectangle.
template <typename Ink>
std::vector<Blob> findBlobs(const Image& img, Ink ink, int x0, int y0, int x1, int y1) {
  std::vector<bool> seen(static_cast<std::size_t>(img.width * img.height), false);
  std::vector<Blob> blobs;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (seen[static_cast<std::size_t>(y * img.width + x)] || !ink(img.colourAt(x, y))) continue;
      Blob b{{}, x, y, x, y};
      std::vector<std::pair<int, int>> todo = {{x, y}};
      seen[static_cast<std::size_t>(y * img.width + x)] = true;
      while (!todo.empty()) {
        const auto [cx, cy] = todo.back();
        todo.pop_back();
        b.pixels.push_back({cx, cy});
        b.left = std::min(b.left, cx);
        b.right = std::max(b.right, cx);
        b.top = std::min(b.top, cy);
        b.bottom = std::max(b.bottom, cy);
        for (int dy = -1; dy <= 1; ++dy) {
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = cx + dx, ny = cy + dy;
            if (nx < x0 || ny < y0 || nx > x1 || ny > y1) continue;
            const std::size_t i = static_cast<std::size_t>(ny * img.width + nx);
            if (seen[i] || !ink(img.colourAt(nx, ny))) continue;
            seen[i] = true;
            todo.push_back({nx, ny});
          }
        }
      }
      blobs.push_back(std::move(b));
    }
  }
  return blobs;
}

// ---------------------------------------------------------------------------------------------
// An independent reader of the BMP files, written from the file format, not from the encoder.

std::uint32_t le32(const Bytes& b, std::size_t at) {
  return std::uint32_t{b.at(at)} | std::uint32_t{b.at(at + 1)} << 8 |
         std::uint32_t{b.at(at + 2)} << 16 | std::uint32_t{b.at(at + 3)} << 24;
}
std::uint16_t le16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | b.at(at + 1) << 8);
}

struct DecodedBmp {
  int width = 0, height = 0, bits = 0;
  std::uint32_t fileSize = 0, offset = 0, infoSize = 0, compression = 0, imageSize = 0,
                coloursUsed = 0;
  std::uint16_t planes = 0;
  std::vector<Rgb> palette;
  std::vector<Rgb> pixels;  // top row first
  bool paddingZero = true;
};

DecodedBmp readBmp(const Bytes& b) {
  DecodedBmp d;
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') throw std::runtime_error("not a BMP");
  d.fileSize = le32(b, 2);
  d.offset = le32(b, 10);
  d.infoSize = le32(b, 14);
  d.width = static_cast<int>(le32(b, 18));
  d.height = static_cast<int>(le32(b, 22));
  d.planes = le16(b, 26);
  d.bits = le16(b, 28);
  d.compression = le32(b, 30);
  d.imageSize = le32(b, 34);
  d.coloursUsed = le32(b, 46);
  const std::size_t paletteEntries =
      d.bits <= 8 ? (d.coloursUsed ? d.coloursUsed : 1u << d.bits) : 0;
  for (std::size_t i = 0; i < paletteEntries; ++i) {
    const std::size_t at = 14 + d.infoSize + 4 * i;
    d.palette.push_back({b.at(at + 2), b.at(at + 1), b.at(at)});
  }
  const std::size_t stride = ((static_cast<std::size_t>(d.width) * d.bits + 31) / 32) * 4;
  const std::size_t usedBytes = (static_cast<std::size_t>(d.width) * d.bits + 7) / 8;
  d.pixels.resize(static_cast<std::size_t>(d.width * d.height));
  for (int row = 0; row < d.height; ++row) {
    const std::size_t start = d.offset + static_cast<std::size_t>(row) * stride;
    const int y = d.height - 1 - row;  // rows are stored bottom-up
    for (int x = 0; x < d.width; ++x) {
      Rgb c;
      if (d.bits == 24) {
        const std::size_t at = start + static_cast<std::size_t>(x) * 3;
        c = {b.at(at + 2), b.at(at + 1), b.at(at)};
      } else {
        const std::size_t bit = static_cast<std::size_t>(x) * d.bits;
        const unsigned byte = b.at(start + bit / 8);
        const unsigned shift = 8 - static_cast<unsigned>(d.bits) - static_cast<unsigned>(bit % 8);
        c = d.palette.at((byte >> shift) & ((1u << d.bits) - 1));
      }
      d.pixels[static_cast<std::size_t>(y * d.width + x)] = c;
    }
    for (std::size_t k = usedBytes; k < stride; ++k)
      if (b.at(start + k) != 0) d.paddingZero = false;
  }
  return d;
}

// ---------------------------------------------------------------------------------------------
// An independent PNG reader: chunk walk with its own CRC, zlib with an inflater for stored and
// fixed-Huffman blocks, Adler-32, and the five row filters.

std::uint32_t be32(const Bytes& b, std::size_t at) {
  return std::uint32_t{b.at(at)} << 24 | std::uint32_t{b.at(at + 1)} << 16 |
         std::uint32_t{b.at(at + 2)} << 8 | std::uint32_t{b.at(at + 3)};
}

std::uint32_t bitwiseCrc(const Bytes& b, std::size_t from, std::size_t to) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = from; i < to; ++i) {
    c ^= b[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return ~c;
}

class BitReader {
 public:
  explicit BitReader(const Bytes& data, std::size_t start) : data_(&data), pos_(start * 8) {}
  unsigned bits(int n) {
    unsigned v = 0;
    for (int i = 0; i < n; ++i, ++pos_) {
      if (pos_ / 8 >= data_->size()) throw std::runtime_error("deflate stream runs past its end");
      v |= (((*data_)[pos_ / 8] >> (pos_ % 8)) & 1u) << i;
    }
    return v;
  }
  unsigned huffmanBits(int n) {  // most significant bit first
    unsigned v = 0;
    for (int i = 0; i < n; ++i) v = (v << 1) | bits(1);
    return v;
  }
  void alignToByte() { pos_ = (pos_ + 7) / 8 * 8; }
  std::size_t byte() const { return pos_ / 8; }
  void skipTo(std::size_t byte) { pos_ = byte * 8; }

 private:
  const Bytes* data_;
  std::size_t pos_;
};

unsigned fixedSymbol(BitReader& r) {
  unsigned code = r.huffmanBits(7);
  if (code <= 23) return 256 + code;
  code = (code << 1) | r.bits(1);
  if (code >= 48 && code <= 191) return code - 48;
  if (code >= 192 && code <= 199) return 280 + code - 192;
  code = (code << 1) | r.bits(1);
  if (code >= 400 && code <= 511) return 144 + code - 400;
  throw std::runtime_error("bad fixed Huffman code");
}

Bytes inflate(const Bytes& z, std::size_t start, std::size_t* end) {
  static const unsigned lenBase[] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                     15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                     67, 83, 99, 115, 131, 163, 195, 227, 258};
  static const int lenExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  static const unsigned distBase[] = {
      1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
      193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
  static const int distExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                  6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
  BitReader r(z, start);
  Bytes out;
  bool last = false;
  while (!last) {
    last = r.bits(1) != 0;
    const unsigned type = r.bits(2);
    if (type == 0) {
      r.alignToByte();
      const std::size_t at = r.byte();
      const unsigned len = z.at(at) | z.at(at + 1) << 8;
      const unsigned nlen = z.at(at + 2) | z.at(at + 3) << 8;
      if ((len ^ 0xFFFFu) != nlen) throw std::runtime_error("stored block length check");
      out.insert(out.end(), z.begin() + static_cast<long>(at + 4),
                 z.begin() + static_cast<long>(at + 4 + len));
      r.skipTo(at + 4 + len);
    } else if (type == 1) {
      for (;;) {
        const unsigned sym = fixedSymbol(r);
        if (sym < 256) {
          out.push_back(static_cast<std::uint8_t>(sym));
        } else if (sym == 256) {
          break;
        } else {
          const unsigned li = sym - 257;
          if (li >= 29) throw std::runtime_error("bad length symbol");
          const unsigned length = lenBase[li] + r.bits(lenExtra[li]);
          const unsigned di = r.huffmanBits(5);
          if (di >= 30) throw std::runtime_error("bad distance symbol");
          const unsigned distance = distBase[di] + r.bits(distExtra[di]);
          if (distance > out.size()) throw std::runtime_error("distance before the start");
          for (unsigned k = 0; k < length; ++k) out.push_back(out[out.size() - distance]);
        }
      }
    } else {
      throw std::runtime_error("block type the generator never writes");
    }
  }
  r.alignToByte();
  *end = r.byte();
  return out;
}

struct DecodedPng {
  std::vector<std::string> chunkTypes;
  bool crcsValid = true;
  bool adlerValid = false;
  int width = 0, height = 0, bitDepth = 0, colourType = 0;
  std::vector<Rgb> pixels;
};

DecodedPng readPng(const Bytes& b) {
  const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (b.size() < 8 || !std::equal(signature.begin(), signature.end(), b.begin()))
    throw std::runtime_error("not a PNG");
  DecodedPng d;
  Bytes idat;
  std::size_t at = 8;
  while (at < b.size()) {
    const std::uint32_t length = be32(b, at);
    const std::string type(b.begin() + static_cast<long>(at + 4),
                           b.begin() + static_cast<long>(at + 8));
    d.chunkTypes.push_back(type);
    if (bitwiseCrc(b, at + 4, at + 8 + length) != be32(b, at + 8 + length)) d.crcsValid = false;
    if (type == "IHDR") {
      d.width = static_cast<int>(be32(b, at + 8));
      d.height = static_cast<int>(be32(b, at + 12));
      d.bitDepth = b.at(at + 16);
      d.colourType = b.at(at + 17);
    } else if (type == "IDAT") {
      idat.insert(idat.end(), b.begin() + static_cast<long>(at + 8),
                  b.begin() + static_cast<long>(at + 8 + length));
    }
    at += 12 + length;
  }
  if (idat.size() < 6 || (idat[0] & 0x0F) != 8 || ((idat[0] << 8) | idat[1]) % 31 != 0)
    throw std::runtime_error("bad zlib header");
  std::size_t end = 0;
  const Bytes raw = inflate(idat, 2, &end);
  std::uint32_t a = 1, s = 0;
  for (std::uint8_t v : raw) {
    a = (a + v) % 65521;
    s = (s + a) % 65521;
  }
  d.adlerValid = end + 4 <= idat.size() && be32(idat, end) == ((s << 16) | a);

  const std::size_t stride = static_cast<std::size_t>(d.width) * 3;
  if (raw.size() != (stride + 1) * static_cast<std::size_t>(d.height))
    throw std::runtime_error("wrong amount of image data");
  Bytes prev(stride, 0), cur(stride);
  for (int y = 0; y < d.height; ++y) {
    const std::size_t base = static_cast<std::size_t>(y) * (stride + 1);
    const unsigned filter = raw[base];
    for (std::size_t i = 0; i < stride; ++i) {
      const int left = i >= 3 ? cur[i - 3] : 0, up = prev[i], upLeft = i >= 3 ? prev[i - 3] : 0;
      int predictor = 0;
      if (filter == 1)
        predictor = left;
      else if (filter == 2)
        predictor = up;
      else if (filter == 3)
        predictor = (left + up) / 2;
      else if (filter == 4) {
        const int p = left + up - upLeft;
        const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
        predictor = (pa <= pb && pa <= pc) ? left : (pb <= pc ? up : upLeft);
      } else if (filter != 0) {
        throw std::runtime_error("unknown row filter");
      }
      cur[i] = static_cast<std::uint8_t>(raw[base + 1 + i] + predictor);
    }
    for (int x = 0; x < d.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(x) * 3;
      d.pixels.push_back({cur[i], cur[i + 1], cur[i + 2]});
    }
    prev = cur;
  }
  return d;
}

Image rgbImage(int w, int h, std::uint32_t seed, bool smooth) {
  Image img;
  img.width = w;
  img.height = h;
  img.bitsPerPixel = 24;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245u + 12345u;
      if (smooth)
        img.rgb.push_back({static_cast<std::uint8_t>(x * 3), static_cast<std::uint8_t>(y * 5),
                           static_cast<std::uint8_t>((x + y) / 2)});
      else
        img.rgb.push_back({static_cast<std::uint8_t>(seed >> 24),
                           static_cast<std::uint8_t>(seed >> 16),
                           static_cast<std::uint8_t>(seed >> 8)});
    }
  }
  return img;
}

// ---------------------------------------------------------------------------------------------
// An independent ICO reader: the directory, each entry's BITMAPINFOHEADER, the BGRA rows and
// the AND mask, all bottom-up; every field is kept so the tests can check it.

struct DecodedIcoImage {
  // From the directory entry.
  unsigned widthByte = 0, heightByte = 0, colourCount = 0, entryReserved = 0;
  std::uint16_t entryPlanes = 0, entryBits = 0;
  std::uint32_t bytesInRes = 0, offset = 0;
  // From the BITMAPINFOHEADER.
  std::uint32_t infoSize = 0, compression = 0, imageSize = 0, coloursUsed = 0;
  int width = 0, height = 0;
  std::uint16_t planes = 0, bits = 0;
  std::vector<Rgba> pixels;  // top row first
  std::vector<bool> mask;    // top row first; true where the screen shows through
  std::size_t maskBytes = 0;
  bool maskPaddingZero = true;
};

struct DecodedIco {
  std::uint16_t reserved = 0, type = 0, count = 0;
  std::vector<DecodedIcoImage> images;
};

DecodedIco readIco(const Bytes& b) {
  DecodedIco d;
  d.reserved = le16(b, 0);
  d.type = le16(b, 2);
  d.count = le16(b, 4);
  for (std::size_t i = 0; i < d.count; ++i) {
    const std::size_t e = 6 + 16 * i;
    DecodedIcoImage m;
    m.widthByte = b.at(e);
    m.heightByte = b.at(e + 1);
    m.colourCount = b.at(e + 2);
    m.entryReserved = b.at(e + 3);
    m.entryPlanes = le16(b, e + 4);
    m.entryBits = le16(b, e + 6);
    m.bytesInRes = le32(b, e + 8);
    m.offset = le32(b, e + 12);

    const std::size_t h = m.offset;
    m.infoSize = le32(b, h);
    m.width = static_cast<int>(le32(b, h + 4));
    m.height = static_cast<int>(le32(b, h + 8));
    m.planes = le16(b, h + 12);
    m.bits = le16(b, h + 14);
    m.compression = le32(b, h + 16);
    m.imageSize = le32(b, h + 20);
    m.coloursUsed = le32(b, h + 32);
    if (m.bits != 32 || m.height % 2 != 0) throw std::runtime_error("not a 32-bit icon image");

    const int w = m.width, rows = m.height / 2;
    const std::size_t colourStart = h + m.infoSize;
    m.pixels.resize(static_cast<std::size_t>(w * rows));
    for (int row = 0; row < rows; ++row) {
      const int y = rows - 1 - row;
      for (int x = 0; x < w; ++x) {
        const std::size_t at = colourStart + (static_cast<std::size_t>(row * w + x)) * 4;
        m.pixels[static_cast<std::size_t>(y * w + x)] = {b.at(at + 2), b.at(at + 1), b.at(at),
                                                         b.at(at + 3)};
      }
    }
    const std::size_t maskStart = colourStart + static_cast<std::size_t>(w * rows) * 4;
    const std::size_t maskStride = ((static_cast<std::size_t>(w) + 31) / 32) * 4;
    const std::size_t usedBytes = (static_cast<std::size_t>(w) + 7) / 8;
    m.maskBytes = maskStride * static_cast<std::size_t>(rows);
    m.mask.resize(static_cast<std::size_t>(w * rows));
    for (int row = 0; row < rows; ++row) {
      const std::size_t start = maskStart + static_cast<std::size_t>(row) * maskStride;
      const int y = rows - 1 - row;
      for (int x = 0; x < w; ++x) {
        const unsigned byte = b.at(start + static_cast<std::size_t>(x) / 8);
        m.mask[static_cast<std::size_t>(y * w + x)] = ((byte >> (7 - x % 8)) & 1u) != 0;
      }
      // Bits past the last pixel of a byte, and whole padding bytes, are both padding.
      const unsigned last = b.at(start + usedBytes - 1);
      const unsigned spareBits = static_cast<unsigned>(usedBytes * 8 - static_cast<std::size_t>(w));
      if ((last & ((1u << spareBits) - 1)) != 0) m.maskPaddingZero = false;
      for (std::size_t k = usedBytes; k < maskStride; ++k)
        if (b.at(start + k) != 0) m.maskPaddingZero = false;
    }
    d.images.push_back(std::move(m));
  }
  return d;
}

RgbaImage rgbaImage(int w, int h, std::uint32_t seed) {
  RgbaImage img;
  img.width = w;
  img.height = h;
  for (int i = 0; i < w * h; ++i) {
    seed = seed * 1103515245u + 12345u;
    // Every fourth pixel clear, the rest of any opacity, so the mask has both kinds of bit.
    const std::uint8_t a = i % 4 == 1 ? 0 : static_cast<std::uint8_t>(1 + (seed >> 24) % 255);
    img.pixels.push_back(a == 0 ? Rgba{}
                                : Rgba{static_cast<std::uint8_t>(seed >> 8),
                                       static_cast<std::uint8_t>(seed >> 16),
                                       static_cast<std::uint8_t>(i), a});
  }
  return img;
}

const std::vector<RgbaImage>& iconImages() {
  static const std::vector<RgbaImage> images = [] {
    std::vector<RgbaImage> v;
    for (int size : pelmor::cardart::kIconSizes) v.push_back(pelmor::cardart::renderIcon(size));
    return v;
  }();
  return images;
}

// ---------------------------------------------------------------------------------------------

TEST(CardArtCatalogue, NamesEveryResourceOfTheDeckOnce) {
  std::set<std::string> expected = {"CARD00", "CARD01", "CARD02"};
  for (int suit = 1; suit <= 4; ++suit)
    for (int rank = 0; rank <= 12; ++rank) expected.insert(faceName(suit, rank));
  for (int n = 0; n <= 11; ++n) expected.insert("BACK" + std::to_string(n));

  const std::vector<std::string> names = pelmor::cardart::pictureNames();
  const std::set<std::string> unique(names.begin(), names.end());
  EXPECT_EQ(unique.size(), names.size()) << "a name is listed twice";
  EXPECT_EQ(unique, expected);
}

TEST(CardArtCatalogue, RefusesNamesOutsideTheDeck) {
  for (const char* name : {"", "CARD", "CARD0D", "CARD03", "CARD1D", "CARD50", "CARD1a", "card10",
                           "CARD100", "BACK12", "BACK-1", "BACK01", "BACK", "BACKX"}) {
    EXPECT_THROW(pelmor::cardart::renderPicture(name), std::invalid_argument) << name;
  }
}

TEST(CardArtPictures, EveryPictureIsCardSizedWithItsBitDepthAndPalette) {
  for (const NamedImage& p : allPictures()) {
    SCOPED_TRACE(p.name);
    const Image& img = p.image;
    EXPECT_EQ(img.width, kW);
    EXPECT_EQ(img.height, kH);
    int expectedBits = 4;
    if (isBack(p.name))
      expectedBits = 24;
    else if (p.name == "CARD00")
      expectedBits = 1;
    else if (p.name != "CARD01" && p.name != "CARD02" && kRankDigits.find(p.name[5]) <= 9)
      expectedBits = 1;
    EXPECT_EQ(img.bitsPerPixel, expectedBits);
    if (expectedBits == 24) {
      EXPECT_EQ(img.rgb.size(), static_cast<std::size_t>(kW * kH));
      EXPECT_TRUE(img.palette.empty());
    } else {
      EXPECT_EQ(img.palette.size(), std::size_t{1} << expectedBits);
      ASSERT_EQ(img.indices.size(), static_cast<std::size_t>(kW * kH));
      const std::uint8_t highest = *std::max_element(img.indices.begin(), img.indices.end());
      EXPECT_LT(highest, img.palette.size());
    }
  }
}

TEST(CardArtPictures, CornersAreWhiteOnFacesAndTilesAndMagentaOnBacks) {
  const int corners[4][2] = {{0, 0}, {kW - 1, 0}, {0, kH - 1}, {kW - 1, kH - 1}};
  for (const NamedImage& p : allPictures()) {
    SCOPED_TRACE(p.name);
    const Rgb outside = isBack(p.name) ? kMagenta : kWhite;
    for (const auto& c : corners) {
      EXPECT_EQ(p.image.colourAt(c[0], c[1]), outside) << "corner " << c[0] << "," << c[1];
      // The rounding takes more than the single corner pixel.
      const int inX = c[0] == 0 ? 1 : kW - 2, inY = c[1] == 0 ? 1 : kH - 2;
      EXPECT_EQ(p.image.colourAt(inX, c[1]), outside);
      EXPECT_EQ(p.image.colourAt(c[0], inY), outside);
    }
    // Midway along each edge is the outline, not the outside colour and not paper.
    for (const auto& [x, y] :
         std::vector<std::pair<int, int>>{{35, 0}, {35, kH - 1}, {0, 48}, {kW - 1, 48}}) {
      EXPECT_NE(p.image.colourAt(x, y), outside) << x << "," << y;
      EXPECT_NE(p.image.colourAt(x, y), kWhite) << x << "," << y;
    }
    // The shape outside the corner is the same at all four corners.
    for (int dy = 0; dy < 4; ++dy) {
      for (int dx = 0; dx + dy < 4; ++dx) {
        const bool out = p.image.colourAt(dx, dy) == outside;
        EXPECT_EQ(p.image.colourAt(kW - 1 - dx, dy) == outside, out);
        EXPECT_EQ(p.image.colourAt(dx, kH - 1 - dy) == outside, out);
        EXPECT_EQ(p.image.colourAt(kW - 1 - dx, kH - 1 - dy) == outside, out);
      }
    }
  }
}

TEST(CardArtPictures, NumberedFacesAreInkOnWhiteInTheirSuitColour) {
  const Rgb red = pelmor::cardart::kCardRed;
  EXPECT_EQ(red.g, 0);
  EXPECT_EQ(red.b, 0);
  EXPECT_GE(red.r, 128);
  for (int suit = 1; suit <= 4; ++suit) {
    for (int rank = 0; rank <= 9; ++rank) {
      const std::string name = faceName(suit, rank);
      SCOPED_TRACE(name);
      const Image& img = picture(name);
      const Rgb ink = isRedFace(suit) ? red : kBlack;
      ASSERT_EQ(img.palette.size(), 2u);
      EXPECT_EQ(img.palette[0], ink);
      EXPECT_EQ(img.palette[1], kWhite);
      int inked = 0;
      for (const Rgb& c : colours(img)) {
        EXPECT_TRUE(c == ink || c == kWhite) << describe(c);
        inked += c == ink;
      }
      EXPECT_GT(inked, 200);
      EXPECT_LT(inked, kW * kH / 2);
    }
  }
}

TEST(CardArtPictures, NumberedFacesShowOnePipPerPoint) {
  // The pip field lies between the rows of the two corner indices.
  for (int suit = 1; suit <= 4; ++suit) {
    for (int rank = 0; rank <= 9; ++rank) {
      const std::string name = faceName(suit, rank);
      SCOPED_TRACE(name);
      const Image& img = picture(name);
      const Rgb ink = img.palette[0];
      const auto blobs = findBlobs(img, [ink](Rgb c) { return c == ink; }, 13, 14, 57, 81).size();
      if (rank == 0 && suit == 4)
        EXPECT_GE(blobs, 1u);  // the ornamented ace of spades
      else
        EXPECT_EQ(blobs, static_cast<std::size_t>(rank + 1));
    }
  }
}

TEST(CardArtPictures, PipFieldsAreMirrorSymmetric) {
  for (int suit = 1; suit <= 4; ++suit) {
    for (int rank = 0; rank <= 9; ++rank) {
      const std::string name = faceName(suit, rank);
      SCOPED_TRACE(name);
      const Image& img = picture(name);
      for (int y = 14; y <= 81; ++y)
        for (int x = 13; x <= 35; ++x)
          ASSERT_EQ(img.colourAt(x, y), img.colourAt(kW - 1 - x, y)) << x << "," << y;
    }
  }
}

TEST(CardArtPictures, TwoFourTenAndCourtsReadTheSameUpsideDown) {
  std::vector<std::string> names;
  for (int suit = 1; suit <= 4; ++suit)
    for (int rank : {1, 3, 9, 10, 11, 12}) names.push_back(faceName(suit, rank));
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const Image& img = picture(name);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        ASSERT_EQ(img.colourAt(x, y), img.colourAt(kW - 1 - x, kH - 1 - y)) << x << "," << y;
  }
}

TEST(CardArtPictures, CornerIndexSitsTopLeftAndTurnedBottomRight) {
  for (int suit = 1; suit <= 4; ++suit) {
    for (int rank = 0; rank <= 12; ++rank) {
      const std::string name = faceName(suit, rank);
      SCOPED_TRACE(name);
      const Image& img = picture(name);
      int ink = 0;
      for (int y = 3; y < 23; ++y) {
        for (int x = 1; x < 12; ++x) {
          const Rgb c = img.colourAt(x, y);
          ink += !(c == kWhite);
          EXPECT_EQ(c, img.colourAt(kW - 1 - x, kH - 1 - y)) << x << "," << y;
        }
      }
      EXPECT_GT(ink, 25);
    }
  }
  // Every rank has its own character.
  for (int suit = 1; suit <= 4; ++suit) {
    std::set<std::vector<bool>> glyphs;
    for (int rank = 0; rank <= 12; ++rank) {
      std::vector<bool> bits;
      const Image& img = picture(faceName(suit, rank));
      for (int y = 3; y < 14; ++y)
        for (int x = 1; x < 12; ++x) bits.push_back(!(img.colourAt(x, y) == kWhite));
      glyphs.insert(bits);
    }
    EXPECT_EQ(glyphs.size(), 13u) << "suit " << suit;
  }
}

TEST(CardArtPictures, ACoveredCardShowsItsSuitAndItsIndicesStandClear) {
  // A card covered on a pile shows only its top 16 rows, one covered in the discard row only
  // its left 16 columns. The blobs that show whole there must tell the card: a suit mark that
  // every face of the suit shows and no face of another suit shows, and a set of shapes that no
  // other face shows. Blobs within 10 x 10 pixels are the index (pips are 12 rows tall, the
  // foot of the ace of spades 17 columns wide, the outline and a court's picture far larger);
  // each keeps more than three pixels from the outline and, on the numbered faces, more than
  // four from every pip.
  using Shape = std::vector<std::pair<int, int>>;
  std::map<std::string, std::set<Shape>> strips[2];  // on a pile, in the discard row
  for (int suit = 1; suit <= 4; ++suit) {
    for (int rank = 0; rank <= 12; ++rank) {
      const std::string name = faceName(suit, rank);
      SCOPED_TRACE(name);
      const Image& img = picture(name);
      std::vector<Blob> index;
      // The squared distance within which no index ink may come, for each pixel.
      std::vector<int> keepOff(static_cast<std::size_t>(kW * kH), -1);
      for (Blob& b : findBlobs(img, [](Rgb c) { return !(c == kWhite); }, 0, 0, kW - 1, kH - 1)) {
        const bool outline = b.top == 0;
        if (!outline && b.bottom - b.top < 10 && b.right - b.left < 10) {
          index.push_back(std::move(b));
        } else if (outline || rank <= 9) {
          for (const auto& [x, y] : b.pixels)
            keepOff[static_cast<std::size_t>(y * kW + x)] = outline ? 3 * 3 : 4 * 4;
        }
      }
      int crowded = 0;
      std::string first;
      for (const Blob& b : index) {
        Shape shape;
        for (const auto& [x, y] : b.pixels) shape.push_back({x - b.left, y - b.top});
        std::sort(shape.begin(), shape.end());
        if (b.bottom < 16) strips[0][name].insert(shape);
        if (b.right < 16) strips[1][name].insert(shape);
        for (const auto& [x, y] : b.pixels) {
          for (int dy = -4; dy <= 4; ++dy) {
            for (int dx = -4; dx <= 4; ++dx) {
              const int nx = x + dx, ny = y + dy;
              if (nx < 0 || ny < 0 || nx >= kW || ny >= kH) continue;
              if (dx * dx + dy * dy <= keepOff[static_cast<std::size_t>(ny * kW + nx)] &&
                  crowded++ == 0)
                first = std::to_string(x) + "," + std::to_string(y) + " by " +
                        std::to_string(nx) + "," + std::to_string(ny);
            }
          }
        }
      }
      EXPECT_EQ(crowded, 0) << "index ink crowded, first at " << first;
    }
  }
  for (int view = 0; view < 2; ++view) {
    SCOPED_TRACE(view == 0 ? "top 16 rows" : "left 16 columns");
    for (int suit = 1; suit <= 4; ++suit) {
      std::set<Shape> mark = strips[view][faceName(suit, 0)];
      for (int rank = 1; rank <= 12; ++rank) {
        std::set<Shape> both;
        const std::set<Shape>& strip = strips[view][faceName(suit, rank)];
        std::set_intersection(mark.begin(), mark.end(), strip.begin(), strip.end(),
                              std::inserter(both, both.begin()));
        mark = both;
      }
      EXPECT_FALSE(mark.empty()) << "no mark that every face of suit " << suit << " shows";
      for (const auto& [name, strip] : strips[view]) {
        if (name[4] - '0' == suit) continue;
        for (const Shape& s : mark) EXPECT_EQ(strip.count(s), 0u) << name << ", suit " << suit;
      }
    }
    std::set<std::set<Shape>> distinct;
    for (const auto& [name, strip] : strips[view]) distinct.insert(strip);
    EXPECT_EQ(distinct.size(), 52u) << "two covered faces look alike";
  }
}

TEST(CardArtPictures, CourtsUseTheSixteenColourPaletteAndTheirSuitColour) {
  const auto& pal = pelmor::cardart::palette16();
  const std::set<std::tuple<int, int, int>> distinct = [&] {
    std::set<std::tuple<int, int, int>> s;
    for (const Rgb& c : pal) s.insert({c.r, c.g, c.b});
    return s;
  }();
  EXPECT_EQ(distinct.size(), 16u);
  for (const Rgb& needed : {kBlack, kWhite, pelmor::cardart::kCardRed, kFeltGreen, kLimeGreen})
    EXPECT_TRUE(std::find(pal.begin(), pal.end(), needed) != pal.end()) << describe(needed);

  for (int suit = 1; suit <= 4; ++suit) {
    for (int rank = 10; rank <= 12; ++rank) {
      const std::string name = faceName(suit, rank);
      SCOPED_TRACE(name);
      const Image& img = picture(name);
      ASSERT_TRUE(std::equal(img.palette.begin(), img.palette.end(), pal.begin(), pal.end()));
      std::set<std::uint8_t> used(img.indices.begin(), img.indices.end());
      EXPECT_GE(used.size(), 8u) << "a court card should be colourful";
      // The index is in the suit colour only.
      const Rgb suitInk = isRedFace(suit) ? pelmor::cardart::kCardRed : kBlack;
      const Rgb otherInk = isRedFace(suit) ? kBlack : pelmor::cardart::kCardRed;
      int inSuit = 0;
      for (int y = 3; y < 23; ++y) {
        for (int x = 2; x < 12; ++x) {
          inSuit += img.colourAt(x, y) == suitInk;
          EXPECT_FALSE(img.colourAt(x, y) == otherInk) << x << "," << y;
        }
      }
      EXPECT_GT(inSuit, 25);
    }
  }
  // Jack, queen and king of a suit are different figures, not recolourings of one picture.
  for (int suit = 1; suit <= 4; ++suit) {
    const Image& j = picture(faceName(suit, 10));
    const Image& q = picture(faceName(suit, 11));
    const Image& k = picture(faceName(suit, 12));
    int jq = 0, qk = 0, jk = 0;
    for (std::size_t i = 0; i < j.indices.size(); ++i) {
      jq += j.indices[i] != q.indices[i];
      qk += q.indices[i] != k.indices[i];
      jk += j.indices[i] != k.indices[i];
    }
    EXPECT_GT(jq, 500);
    EXPECT_GT(qk, 500);
    EXPECT_GT(jk, 500);
  }
}

TEST(CardArtPictures, TilesAreTableGreenWithTheirMarks) {
  const auto& pal = pelmor::cardart::palette16();
  for (const char* name : {"CARD01", "CARD02"}) {
    SCOPED_TRACE(name);
    const Image& img = picture(name);
    ASSERT_TRUE(std::equal(img.palette.begin(), img.palette.end(), pal.begin(), pal.end()));
    std::map<std::tuple<int, int, int>, int> counts;
    for (const Rgb& c : colours(img)) ++counts[{c.r, c.g, c.b}];
    const auto most =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_EQ(most->first, std::make_tuple(0, 128, 0));
    EXPECT_EQ(img.colourAt(35, 0), kBlack);
    EXPECT_EQ(img.colourAt(0, 48), kBlack);
  }
  const Image& stock = picture("CARD01");
  const Image& empty = picture("CARD02");
  auto count = [](const Image& img, Rgb c) {
    const auto all = colours(img);
    return std::count(all.begin(), all.end(), c);
  };
  EXPECT_GT(count(stock, pelmor::cardart::kCardRed), 200);
  EXPECT_EQ(count(stock, kLimeGreen), 0);
  EXPECT_GT(count(empty, kLimeGreen), 200);
  EXPECT_EQ(count(empty, pelmor::cardart::kCardRed), 0);
  // The cross runs corner to corner: red near all four corners and at the centre.
  for (const auto& [x, y] :
       std::vector<std::pair<int, int>>{{12, 14}, {58, 14}, {12, 82}, {58, 82}, {35, 48}})
    EXPECT_EQ(stock.colourAt(x, y), pelmor::cardart::kCardRed) << x << "," << y;
  // The ring leaves the centre green.
  EXPECT_EQ(empty.colourAt(35, 48), kFeltGreen);

  const Image& dotted = picture("CARD00");
  ASSERT_EQ(dotted.palette.size(), 2u);
  EXPECT_EQ(dotted.palette[1], kWhite);
  EXPECT_EQ(dotted.palette[0].r, dotted.palette[0].g);
  EXPECT_EQ(dotted.palette[0].g, dotted.palette[0].b);
  EXPECT_GT(dotted.palette[0].r, 0);
  EXPECT_LT(dotted.palette[0].r, 255);
  const auto grey = count(dotted, dotted.palette[0]);
  EXPECT_GT(grey, kW * kH / 3);
  EXPECT_LT(grey, kW * kH * 2 / 3);
}

TEST(CardArtPictures, BacksAreFramedFullColourScenes) {
  for (int n = 0; n <= 11; ++n) {
    const std::string name = "BACK" + std::to_string(n);
    SCOPED_TRACE(name);
    const Image& img = picture(name);
    // A white margin runs round the picture just inside the outline.
    for (int x = 10; x < kW - 10; ++x) {
      EXPECT_EQ(img.colourAt(x, 2), kWhite);
      EXPECT_EQ(img.colourAt(x, kH - 3), kWhite);
    }
    for (int y = 10; y < kH - 10; ++y) {
      EXPECT_EQ(img.colourAt(2, y), kWhite);
      EXPECT_EQ(img.colourAt(kW - 3, y), kWhite);
    }
    std::set<std::tuple<int, int, int>> tones;
    for (int y = 6; y < kH - 6; ++y)
      for (int x = 6; x < kW - 6; ++x) {
        const Rgb c = img.colourAt(x, y);
        tones.insert({c.r, c.g, c.b});
      }
    EXPECT_GT(tones.size(), 40u) << "a back is a picture, not a flat colour";
  }
}

TEST(CardArtPictures, AllPicturesDifferAndRenderIdenticallyEveryTime) {
  const auto& all = allPictures();
  for (std::size_t i = 0; i < all.size(); ++i)
    for (std::size_t j = i + 1; j < all.size(); ++j)
      EXPECT_NE(colours(all[i].image), colours(all[j].image))
          << all[i].name << " vs " << all[j].name;
  for (const NamedImage& p : all) {
    EXPECT_EQ(pelmor::cardart::encodeBmp(pelmor::cardart::renderPicture(p.name)),
              pelmor::cardart::encodeBmp(p.image))
        << p.name;
  }
}

// ---------------------------------------------------------------------------------------------

TEST(CardArtBmp, HeadersDescribeThePictureAndPixelsRoundTrip) {
  for (const NamedImage& p : allPictures()) {
    SCOPED_TRACE(p.name);
    const Bytes file = pelmor::cardart::encodeBmp(p.image);
    const DecodedBmp d = readBmp(file);
    const std::uint32_t stride = p.image.bitsPerPixel == 1   ? 12
                                 : p.image.bitsPerPixel == 4 ? 36
                                                             : 216;
    const std::uint32_t paletteBytes = p.image.bitsPerPixel == 24 ? 0 : 4u << p.image.bitsPerPixel;
    EXPECT_EQ(d.fileSize, file.size());
    EXPECT_EQ(d.offset, 54 + paletteBytes);
    EXPECT_EQ(d.infoSize, 40u);
    EXPECT_EQ(d.width, kW);
    EXPECT_EQ(d.height, kH);  // positive: bottom-up rows
    EXPECT_EQ(d.planes, 1);
    EXPECT_EQ(d.bits, p.image.bitsPerPixel);
    EXPECT_EQ(d.compression, 0u);
    EXPECT_EQ(d.imageSize, stride * kH);
    EXPECT_EQ(file.size(), d.offset + stride * kH);
    EXPECT_TRUE(d.paddingZero);
    ASSERT_EQ(d.pixels.size(), static_cast<std::size_t>(kW * kH));
    EXPECT_EQ(d.pixels, colours(p.image));
  }
}

TEST(CardArtBmp, PadsOddWidthsAndStoresTheBottomRowFirst) {
  for (int bits : {1, 4, 24}) {
    for (int w = 1; w <= 9; ++w) {
      SCOPED_TRACE("bits " + std::to_string(bits) + " width " + std::to_string(w));
      Image img;
      img.width = w;
      img.height = 3;
      img.bitsPerPixel = bits;
      const std::vector<Rgb> pal = {{10, 20, 30}, {200, 100, 50}, {1, 2, 3}, {9, 8, 7}};
      if (bits == 24) {
        for (int i = 0; i < w * 3; ++i)
          img.rgb.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(100 + i),
                             static_cast<std::uint8_t>(200 - i)});
      } else {
        img.palette.assign(pal.begin(), pal.begin() + (bits == 1 ? 2 : 4));
        for (int i = 0; i < w * 3; ++i)
          img.indices.push_back(static_cast<std::uint8_t>((i * 7 + i / w) % img.palette.size()));
      }
      const Bytes file = pelmor::cardart::encodeBmp(img);
      const DecodedBmp d = readBmp(file);
      const std::size_t stride = ((static_cast<std::size_t>(w) * bits + 31) / 32) * 4;
      EXPECT_EQ(stride % 4, 0u);
      EXPECT_EQ(file.size(), d.offset + stride * 3);
      EXPECT_TRUE(d.paddingZero);
      EXPECT_EQ(d.pixels, colours(img));
    }
  }
  // Known bytes: leftmost pixel in the high bits, the bottom row stored first, BGR order.
  Image two;
  two.width = 2;
  two.height = 2;
  two.bitsPerPixel = 4;
  two.palette = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 0, 255}};
  two.indices = {1, 2, 3, 0};  // top row 1 2, bottom row 3 0
  const Bytes f = pelmor::cardart::encodeBmp(two);
  const std::size_t off = le32(f, 10);
  EXPECT_EQ(f.at(off), 0x30);
  EXPECT_EQ(f.at(off + 4), 0x12);
  EXPECT_EQ(f.at(54 + 2 * 4), 0x00);      // palette entry 2 (red), blue byte
  EXPECT_EQ(f.at(54 + 2 * 4 + 2), 0xFF);  // red byte
}

TEST(CardArtBmp, RejectsPicturesItCannotDescribe) {
  Image img;
  img.width = 2;
  img.height = 2;
  img.bitsPerPixel = 16;
  img.indices = {0, 0, 0, 0};
  img.palette = {{0, 0, 0}};
  EXPECT_THROW(pelmor::cardart::encodeBmp(img), std::invalid_argument);
  img.bitsPerPixel = 1;
  img.indices = {0, 0, 0};
  EXPECT_THROW(pelmor::cardart::encodeBmp(img), std::invalid_argument);
  img.indices = {0, 0, 0, 0};
  img.palette = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}};
  EXPECT_THROW(pelmor::cardart::encodeBmp(img), std::invalid_argument);
}

TEST(CardArtPng, ChunksCarryValidCrcsAndTheImageDecodes) {
  std::vector<Image> samples = {rgbImage(1, 1, 1, false),   rgbImage(37, 11, 2, true),
                                rgbImage(64, 40, 3, false), picture("BACK9"),
                                picture("CARD3C"),          picture("CARD17")};
  Image flat = rgbImage(300, 200, 4, true);
  std::fill(flat.rgb.begin(), flat.rgb.end(), Rgb{7, 7, 7});  // long runs: the longest matches
  samples.push_back(flat);
  for (const Image& img : samples) {
    SCOPED_TRACE(std::to_string(img.width) + "x" + std::to_string(img.height));
    const Bytes file = pelmor::cardart::encodePng(img);
    const DecodedPng d = readPng(file);
    ASSERT_FALSE(d.chunkTypes.empty());
    EXPECT_EQ(d.chunkTypes.front(), "IHDR");
    EXPECT_EQ(d.chunkTypes.back(), "IEND");
    EXPECT_TRUE(d.crcsValid);
    EXPECT_TRUE(d.adlerValid);
    EXPECT_EQ(d.width, img.width);
    EXPECT_EQ(d.height, img.height);
    EXPECT_EQ(d.bitDepth, 8);
    EXPECT_EQ(d.colourType, 2);
    EXPECT_EQ(d.pixels, colours(img));
  }
  // A damaged header CRC is caught by the reader, so the check above can fail.
  Bytes damaged = pelmor::cardart::encodePng(rgbImage(5, 5, 9, false));
  damaged[8 + 8 + 13] ^= 0x01;
  EXPECT_FALSE(readPng(damaged).crcsValid);
}

TEST(CardArtPng, CompressesTheContactSheet) {
  const Image sheet = pelmor::cardart::contactSheet(allPictures());
  const Bytes file = pelmor::cardart::encodePng(sheet);
  EXPECT_LT(file.size(), static_cast<std::size_t>(sheet.width * sheet.height * 3 / 4));
  const DecodedPng d = readPng(file);
  EXPECT_TRUE(d.crcsValid);
  EXPECT_TRUE(d.adlerValid);
  EXPECT_EQ(d.pixels, colours(sheet));
}

// ---------------------------------------------------------------------------------------------

TEST(CardArtContactSheet, ShowsEveryPictureAtNaturalSizeWithALabel) {
  const auto& all = allPictures();
  const Image sheet = pelmor::cardart::contactSheet(all);
  ASSERT_EQ(sheet.bitsPerPixel, 24);
  std::set<std::pair<int, int>> places;
  for (const NamedImage& p : all) {
    SCOPED_TRACE(p.name);
    bool found = false;
    for (int top = 0; top + kH <= sheet.height && !found; ++top) {
      for (int left = 0; left + kW <= sheet.width && !found; ++left) {
        bool match = true;
        for (int y = 0; y < kH && match; ++y)
          for (int x = 0; x < kW && match; ++x)
            match = sheet.colourAt(left + x, top + y) == p.image.colourAt(x, y);
        if (!match) continue;
        found = true;
        places.insert({left, top});
        // Some dark lettering lies just below or above the picture.
        int lettering = 0;
        for (int y : {top - 9, top + kH + 1}) {
          for (int dy = 0; dy < 9; ++dy)
            for (int x = left; x < left + kW; ++x) {
              if (y + dy < 0 || y + dy >= sheet.height) continue;
              const Rgb c = sheet.colourAt(x, y + dy);
              lettering += c.r < 64 && c.g < 64 && c.b < 64;
            }
        }
        EXPECT_GT(lettering, 20) << "no label";
      }
    }
    EXPECT_TRUE(found) << "picture missing from the sheet";
  }
  EXPECT_EQ(places.size(), all.size()) << "pictures overlap";
}

// ---------------------------------------------------------------------------------------------

TEST(CardArtIcon, TwoCardsOnAClearGroundAtEachSize) {
  const auto& sizes = pelmor::cardart::kIconSizes;
  ASSERT_EQ(iconImages().size(), sizes.size());
  for (std::size_t k = 0; k < sizes.size(); ++k) {
    const int n = sizes[k];
    SCOPED_TRACE("size " + std::to_string(n));
    const RgbaImage& img = iconImages()[k];
    ASSERT_EQ(img.width, n);
    ASSERT_EQ(img.height, n);
    ASSERT_EQ(img.pixels.size(), static_cast<std::size_t>(n * n));
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {n - 1, 0}, {0, n - 1}})
      EXPECT_EQ(img.at(x, y), Rgba{}) << x << "," << y;
    int clear = 0, opaque = 0, red = 0, black = 0, white = 0;
    for (const Rgba& p : img.pixels) {
      if (p.a == 0) {
        ++clear;
        EXPECT_EQ(p, Rgba{}) << "a clear pixel keeps no colour";
        continue;
      }
      if (p.a < 255) continue;
      ++opaque;
      red += p.r > 200 && p.g < 60 && p.b < 60;
      black += p.r < 30 && p.g < 30 && p.b < 30;
      white += p.r > 240 && p.g > 240 && p.b > 240;
    }
    // Cards, not a filled square: some ground shows, but the cards fill most of the icon.
    EXPECT_GT(clear, n * n / 20);
    EXPECT_GT(opaque, n * n / 2);
    // The heart, the spade and the paper each take a fair share of the opaque pixels.
    EXPECT_GT(red, n * n / 50) << "red heart";
    EXPECT_GT(black, n * n / 20) << "black spade";
    EXPECT_GT(white, n * n / 6) << "white paper";
    EXPECT_EQ(pelmor::cardart::renderIcon(n).pixels, img.pixels) << "drawn the same every time";
  }
  // The 16-pixel icon is laid out on whole pixels rather than scaled down: its edges are hard,
  // where scaling would leave a band of half-transparent pixels round the cards.
  const RgbaImage& small = iconImages().at(1);
  ASSERT_EQ(small.width, 16);
  const auto soft = std::count_if(small.pixels.begin(), small.pixels.end(),
                                  [](const Rgba& p) { return p.a != 0 && p.a != 255; });
  EXPECT_LT(soft, 8);
  EXPECT_THROW(pelmor::cardart::renderIcon(24), std::invalid_argument);
  EXPECT_THROW(pelmor::cardart::renderIcon(0), std::invalid_argument);
}

TEST(CardArtIcon, CanvasKeepsColourStraightWhereAnEdgeIsHalfCovered) {
  using pelmor::cardart::Colour;
  using pelmor::cardart::Path;
  pelmor::cardart::RgbaCanvas cv(4, 1, 4);
  Path left;
  left.rect(0, 0, 1.5, 1);  // pixel 1 half covered
  cv.fill(left, Colour{255, 0, 0});
  Path second;
  second.rect(2.5, 0, 4, 1);  // pixel 2 half covered, then painted over at half opacity
  cv.fill(second, Colour{0, 0, 255});
  cv.paint(2, 0, Colour{255, 255, 255}, 0.5);
  const RgbaImage img = cv.toImage();
  EXPECT_EQ(img.at(0, 0), (Rgba{255, 0, 0, 255}));
  // Half covered: half opaque but still full red, not red darkened towards black.
  EXPECT_EQ(img.at(1, 0), (Rgba{255, 0, 0, 128}));
  // Half blue under half white: three quarters opaque, a third blue and two thirds white.
  EXPECT_EQ(img.at(2, 0), (Rgba{170, 170, 255, 191}));
  EXPECT_EQ(img.at(3, 0), (Rgba{0, 0, 255, 255}));
}

TEST(CardArtAbout, BannerIs256ColoursAtItsSizeAndTheDonationIconsAreRoundedTiles) {
  const DecodedBmp d = readBmp(pelmor::cardart::encodeBmp(pelmor::cardart::renderBanner()));
  EXPECT_EQ(d.width, 528);
  EXPECT_EQ(d.height, 374);
  EXPECT_EQ(d.bits, 8);
  std::set<std::uint32_t> colours;
  for (const Rgb& c : d.pixels) colours.insert(std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b);
  EXPECT_GT(colours.size(), 128u) << "gradients keep most of the palette";
  const Rgb sky = d.pixels[10 * 528 + 520];
  EXPECT_LT(sky.r + sky.g, sky.b * 2) << "the night sky is dark blue";
  const Rgb felt = d.pixels[static_cast<std::size_t>(208 * 528 + 45)];  // inside the oval, left of the cards
  EXPECT_GT(felt.g, felt.r + 40);

  for (auto [kind, size] : {std::pair{1, 32}, std::pair{2, 16}}) {
    const RgbaImage icon = pelmor::cardart::renderDonationIcon(kind);
    EXPECT_EQ(icon.width, size);
    EXPECT_EQ(icon.height, size);
    EXPECT_EQ(icon.at(0, 0).a, 0) << "rounded corner";
    EXPECT_EQ(icon.at(size / 2, 2).a, 255);
  }
  EXPECT_THROW(pelmor::cardart::renderDonationIcon(3), std::invalid_argument);
}

TEST(CardArtIco, DirectoryListsBothSizesAndEntriesPointAtTheirImages) {
  const Bytes file = pelmor::cardart::encodeIco(iconImages());
  const DecodedIco d = readIco(file);
  EXPECT_EQ(d.reserved, 0);
  EXPECT_EQ(d.type, 1) << "1 is an icon, 2 a cursor";
  ASSERT_EQ(d.count, 2);
  ASSERT_EQ(d.images.size(), 2u);
  const int sides[] = {32, 16};
  std::size_t expectedOffset = 6 + 16 * 2;
  for (std::size_t i = 0; i < 2; ++i) {
    const DecodedIcoImage& m = d.images[i];
    const int n = sides[i];
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_EQ(m.widthByte, static_cast<unsigned>(n));
    EXPECT_EQ(m.heightByte, static_cast<unsigned>(n));
    EXPECT_EQ(m.colourCount, 0u);
    EXPECT_EQ(m.entryReserved, 0u);
    EXPECT_EQ(m.entryPlanes, 1);
    EXPECT_EQ(m.entryBits, 32);
    // Images follow the directory back to back, each as long as its entry says.
    EXPECT_EQ(m.offset, expectedOffset);
    const std::size_t mask = 4u * static_cast<std::size_t>(n);  // 32 bits a row at both sizes
    EXPECT_EQ(m.bytesInRes, 40u + static_cast<std::size_t>(n * n) * 4 + mask);
    expectedOffset = m.offset + m.bytesInRes;
  }
  EXPECT_EQ(expectedOffset, file.size()) << "the last image ends the file";
  // Not PNG-compressed: each image opens with a 40-byte header, not a PNG signature.
  for (const DecodedIcoImage& m : d.images) EXPECT_NE(file.at(m.offset), 0x89);
}

TEST(CardArtIco, ImagesAreDoubledHeightBitmapsWithAMaskThatAgreesWithAlpha) {
  const Bytes file = pelmor::cardart::encodeIco(iconImages());
  const DecodedIco d = readIco(file);
  ASSERT_EQ(d.images.size(), iconImages().size());
  for (std::size_t i = 0; i < d.images.size(); ++i) {
    const DecodedIcoImage& m = d.images[i];
    const RgbaImage& img = iconImages()[i];
    SCOPED_TRACE("size " + std::to_string(img.width));
    EXPECT_EQ(m.infoSize, 40u);
    EXPECT_EQ(m.width, img.width);
    EXPECT_EQ(m.height, 2 * img.width) << "colour rows and mask rows together";
    EXPECT_EQ(m.planes, 1);
    EXPECT_EQ(m.bits, 32);
    EXPECT_EQ(m.compression, 0u);
    EXPECT_EQ(m.coloursUsed, 0u);
    EXPECT_EQ(m.maskBytes, static_cast<std::size_t>(img.height) * 4);
    EXPECT_EQ(m.infoSize + static_cast<std::size_t>(img.width * img.height) * 4 + m.maskBytes,
              m.bytesInRes);
    EXPECT_TRUE(m.imageSize == 0 || m.imageSize == m.bytesInRes - m.infoSize) << m.imageSize;
    EXPECT_EQ(m.pixels, img.pixels) << "colours and alpha round-trip, top row first";
    for (int y = 0; y < img.height; ++y)
      for (int x = 0; x < img.width; ++x)
        ASSERT_EQ(m.mask[static_cast<std::size_t>(y * img.width + x)], img.at(x, y).a == 0)
            << x << "," << y;
    // The corners are clear: mask bit set, colour bytes zero so an XOR draw changes nothing.
    EXPECT_TRUE(m.mask.front());
    EXPECT_EQ(m.pixels.front(), Rgba{});
    EXPECT_FALSE(m.mask[static_cast<std::size_t>(img.height / 2 * img.width + img.width / 2)]);
  }
}

TEST(CardArtIco, OddSizesPadTheMaskAndStoreTheBottomRowFirst) {
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{
           {1, 1}, {3, 2}, {8, 3}, {9, 4}, {31, 2}, {33, 5}, {64, 64}}) {
    SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
    const RgbaImage img = rgbaImage(w, h, static_cast<std::uint32_t>(w * 100 + h));
    const Bytes file = pelmor::cardart::encodeIco({img});
    const DecodedIco d = readIco(file);
    ASSERT_EQ(d.count, 1);
    const DecodedIcoImage& m = d.images.at(0);
    EXPECT_EQ(m.width, w);
    EXPECT_EQ(m.height, 2 * h);
    const std::size_t maskStride = ((static_cast<std::size_t>(w) + 31) / 32) * 4;
    EXPECT_EQ(m.maskBytes, maskStride * static_cast<std::size_t>(h));
    EXPECT_EQ(file.size(), 22 + 40 + static_cast<std::size_t>(w * h) * 4 + m.maskBytes);
    EXPECT_EQ(m.bytesInRes, file.size() - 22);
    EXPECT_TRUE(m.maskPaddingZero);
    EXPECT_EQ(m.pixels, img.pixels);
    for (std::size_t i = 0; i < img.pixels.size(); ++i)
      ASSERT_EQ(m.mask[i], img.pixels[i].a == 0) << i;
  }
  // Known bytes: the bottom-left pixel comes first, blue green red alpha; its mask bit is the
  // high bit of the first mask byte.
  RgbaImage two;
  two.width = 2;
  two.height = 2;
  two.pixels = {{1, 2, 3, 4}, {5, 6, 7, 8}, {0, 0, 0, 0}, {9, 10, 11, 255}};
  const Bytes f = pelmor::cardart::encodeIco({two});
  const std::size_t colour = 22 + 40;
  EXPECT_EQ(Bytes(f.begin() + colour, f.begin() + colour + 16),
            (Bytes{0, 0, 0, 0, 11, 10, 9, 255, 3, 2, 1, 4, 7, 6, 5, 8}));
  EXPECT_EQ(Bytes(f.begin() + colour + 16, f.end()), (Bytes{0x80, 0, 0, 0, 0x00, 0, 0, 0}));
  // A clear pixel is stored as zero whatever colour it was handed with.
  two.pixels[0] = {200, 100, 50, 0};
  const Bytes g = pelmor::cardart::encodeIco({two});
  EXPECT_EQ(Bytes(g.begin() + colour + 8, g.begin() + colour + 12), (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(g.at(colour + 20), 0x80);  // top row's mask, first pixel clear
  // The directory's byte for a side of 256 is 0.
  const RgbaImage big = rgbaImage(256, 256, 7);
  const Bytes b = pelmor::cardart::encodeIco({big, two});
  const DecodedIco db = readIco(b);
  EXPECT_EQ(db.images.at(0).widthByte, 0u);
  EXPECT_EQ(db.images.at(0).heightByte, 0u);
  EXPECT_EQ(db.images.at(0).width, 256);
  EXPECT_EQ(db.images.at(1).widthByte, 2u);
  EXPECT_EQ(db.images.at(1).offset, db.images.at(0).offset + db.images.at(0).bytesInRes);
  EXPECT_EQ(db.images.at(1).offset + db.images.at(1).bytesInRes, b.size());
}

TEST(CardArtIco, RejectsImagesItCannotHold) {
  EXPECT_THROW(pelmor::cardart::encodeIco({}), std::invalid_argument);
  EXPECT_THROW(pelmor::cardart::encodeIco({RgbaImage{}}), std::invalid_argument);
  RgbaImage wide = rgbaImage(257, 1, 1);
  EXPECT_THROW(pelmor::cardart::encodeIco({wide}), std::invalid_argument);
  RgbaImage shortOfPixels = rgbaImage(4, 4, 2);
  shortOfPixels.pixels.pop_back();
  EXPECT_THROW(pelmor::cardart::encodeIco({rgbaImage(4, 4, 3), shortOfPixels}),
               std::invalid_argument);
}

}  // namespace
