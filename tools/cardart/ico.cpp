// Windows ICO encoding: a directory, then each image as 32-bit BGRA rows and an AND mask.
#include <limits>
#include <stdexcept>

#include "bytes.h"
#include "cardart.h"

namespace pelmor::cardart {

namespace {

constexpr std::uint32_t kDirectorySize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr int kMaxSide = 256;

// The AND mask is one bit a pixel, each row padded to a whole 32-bit word.
std::uint32_t maskRowBytes(int width) { return static_cast<std::uint32_t>((width + 31) / 32 * 4); }

std::uint32_t imageBytes(const RgbaImage& img) {
  const std::uint32_t h = static_cast<std::uint32_t>(img.height);
  return kInfoHeaderSize + static_cast<std::uint32_t>(img.width) * 4 * h +
         maskRowBytes(img.width) * h;
}

// The directory stores a side of 256 as 0, having only a byte for it.
unsigned sideByte(int side) { return side == kMaxSide ? 0u : static_cast<unsigned>(side); }

void putImage(Bytes& out, const RgbaImage& img) {
  const std::uint32_t xorBytes =
      static_cast<std::uint32_t>(img.width) * 4 * static_cast<std::uint32_t>(img.height);
  const std::uint32_t andBytes = maskRowBytes(img.width) * static_cast<std::uint32_t>(img.height);

  // BITMAPINFOHEADER; the height counts the colour rows and the mask rows together.
  putU32LE(out, kInfoHeaderSize);
  putI32LE(out, img.width);
  putI32LE(out, 2 * img.height);
  putU16LE(out, 1);
  putU16LE(out, 32);
  putU32LE(out, 0);  // BI_RGB, no compression
  putU32LE(out, xorBytes + andBytes);
  putI32LE(out, 0);
  putI32LE(out, 0);
  putU32LE(out, 0);
  putU32LE(out, 0);

  // Colour rows bottom-up, blue first; 4 bytes a pixel needs no row padding.
  for (int y = img.height - 1; y >= 0; --y) {
    for (int x = 0; x < img.width; ++x) {
      const Rgba c = img.at(x, y).a == 0 ? Rgba{} : img.at(x, y);
      putU8(out, c.b);
      putU8(out, c.g);
      putU8(out, c.r);
      putU8(out, c.a);
    }
  }

  // Mask rows bottom-up, leftmost pixel in the high bit. Systems that ignore the alpha channel
  // draw through this mask, so a set bit (screen kept) must coincide with a clear pixel, whose
  // colour bytes were written as zero above and so leave the screen unchanged.
  for (int y = img.height - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    for (int x = 0; x < img.width; x += 8) {
      unsigned byte = 0;
      for (int k = 0; k < 8 && x + k < img.width; ++k)
        if (img.at(x + k, y).a == 0) byte |= 0x80u >> k;
      putU8(out, byte);
    }
    while (out.size() - start < maskRowBytes(img.width)) putU8(out, 0);
  }
}

}  // namespace

Bytes encodeIco(const std::vector<RgbaImage>& images) {
  if (images.empty()) throw std::invalid_argument("an icon needs at least one image");
  if (images.size() > std::numeric_limits<std::uint16_t>::max())
    throw std::invalid_argument("too many images for one icon");
  for (const RgbaImage& img : images) {
    if (img.width < 1 || img.height < 1 || img.width > kMaxSide || img.height > kMaxSide)
      throw std::invalid_argument("icon images are 1 to 256 pixels a side");
    if (img.pixels.size() != static_cast<std::size_t>(img.width * img.height))
      throw std::invalid_argument("pixel count does not match the picture size");
  }

  const std::uint16_t count = static_cast<std::uint16_t>(images.size());
  Bytes out;

  // ICONDIR
  putU16LE(out, 0);
  putU16LE(out, 1);  // an icon, not a cursor
  putU16LE(out, count);

  // ICONDIRENTRY for each image, the images following the directory in the same order.
  std::uint32_t offset = kDirectorySize + kEntrySize * count;
  for (const RgbaImage& img : images) {
    putU8(out, sideByte(img.width));
    putU8(out, sideByte(img.height));
    putU8(out, 0);  // no palette
    putU8(out, 0);
    putU16LE(out, 1);
    putU16LE(out, 32);
    putU32LE(out, imageBytes(img));
    putU32LE(out, offset);
    offset += imageBytes(img);
  }
  out.reserve(offset);
  for (const RgbaImage& img : images) putImage(out, img);
  return out;
}

}  // namespace pelmor::cardart
