// Windows BMP encoding of the pictures (the format the resource compiler embeds).
#include <stdexcept>

#include "bytes.h"
#include "cardart.h"

namespace pelmor::cardart {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t rowBytes(int width, int bitsPerPixel) {
  return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

// One row as stored in the file: leftmost pixel in the high bits for palette rows, BGR for 24-bit.
void putRow(Bytes& out, const Image& img, int y) {
  const std::size_t start = out.size();
  const std::size_t base = static_cast<std::size_t>(y * img.width);
  if (img.bitsPerPixel == 24) {
    for (int x = 0; x < img.width; ++x) {
      const Rgb& c = img.rgb[base + static_cast<std::size_t>(x)];
      putU8(out, c.b);
      putU8(out, c.g);
      putU8(out, c.r);
    }
  } else {
    const unsigned bpp = static_cast<unsigned>(img.bitsPerPixel);
    const unsigned perByte = 8 / bpp;
    const unsigned mask = (1u << bpp) - 1;
    for (int x = 0; x < img.width; x += static_cast<int>(perByte)) {
      unsigned byte = 0;
      for (unsigned k = 0; k < perByte; ++k) {
        const int xx = x + static_cast<int>(k);
        const unsigned v =
            xx < img.width ? img.indices[base + static_cast<std::size_t>(xx)] & mask : 0;
        byte |= v << (8 - bpp * (k + 1));
      }
      putU8(out, byte);
    }
  }
  while (out.size() - start < rowBytes(img.width, img.bitsPerPixel)) putU8(out, 0);
}

}  // namespace

Bytes encodeBmp(const Image& img) {
  const int bpp = img.bitsPerPixel;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24) throw std::invalid_argument("unsupported bit depth");
  const std::size_t pixels = static_cast<std::size_t>(img.width * img.height);
  if (bpp == 24 ? img.rgb.size() != pixels : img.indices.size() != pixels)
    throw std::invalid_argument("pixel count does not match the picture size");
  const std::uint32_t colours = bpp == 24 ? 0u : (1u << bpp);
  if (bpp != 24 && img.palette.size() > colours)
    throw std::invalid_argument("palette larger than the bit depth allows");

  const std::uint32_t imageSize = rowBytes(img.width, bpp) * static_cast<std::uint32_t>(img.height);
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * colours;
  Bytes out;
  out.reserve(offset + imageSize);

  // BITMAPFILEHEADER
  putU8(out, 'B');
  putU8(out, 'M');
  putU32LE(out, offset + imageSize);
  putU16LE(out, 0);
  putU16LE(out, 0);
  putU32LE(out, offset);

  // BITMAPINFOHEADER; a positive height means the rows run bottom-up.
  putU32LE(out, kInfoHeaderSize);
  putI32LE(out, img.width);
  putI32LE(out, img.height);
  putU16LE(out, 1);
  putU16LE(out, static_cast<std::uint16_t>(bpp));
  putU32LE(out, 0);  // BI_RGB, no compression
  putU32LE(out, imageSize);
  putI32LE(out, 2835);  // 72 dots per inch
  putI32LE(out, 2835);
  putU32LE(out, colours);
  putU32LE(out, 0);

  // RGBQUAD palette, blue first; unused entries stay black.
  for (std::uint32_t i = 0; i < colours; ++i) {
    const Rgb c = i < img.palette.size() ? img.palette[i] : Rgb{};
    putU8(out, c.b);
    putU8(out, c.g);
    putU8(out, c.r);
    putU8(out, 0);
  }

  for (int y = img.height - 1; y >= 0; --y) putRow(out, img, y);
  return out;
}

Rgb Image::colourAt(int x, int y) const {
  const std::size_t i = static_cast<std::size_t>(y * width + x);
  if (bitsPerPixel == 24) return rgb[i];
  return palette[indices[i]];
}

}  // namespace pelmor::cardart
