// Public interface of the card-picture generator: picture names, rendering, BMP, PNG and ICO.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmor::cardart {

inline constexpr int kCardWidth = 71;
inline constexpr int kCardHeight = 96;

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
// The one red of the deck: the ink of the red faces and the red of the 16-colour palette.
inline constexpr Rgb kCardRed{255, 0, 0};
inline constexpr Rgb kTableGreen{0, 128, 0};
inline constexpr Rgb kBrightGreen{0, 255, 0};
inline constexpr Rgb kMagenta{255, 0, 255};
inline constexpr Rgb kDotGrey{128, 128, 128};

// A picture in memory, rows top first. Palette pictures (1 or 4 bits per pixel) hold one
// palette index per pixel in `indices` and leave `rgb` empty; 24-bit pictures hold `rgb` only.
struct Image {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 24;
  std::vector<Rgb> palette;
  std::vector<std::uint8_t> indices;
  std::vector<Rgb> rgb;

  // The colour shown at (x, y), looked up through the palette for palette pictures.
  Rgb colourAt(int x, int y) const;
};

// A colour with its opacity, 0 clear to 255 opaque; the colour is not premultiplied.
struct Rgba {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 0;
  friend constexpr bool operator==(const Rgba&, const Rgba&) = default;
};

// A picture with a transparent background, rows top first. Fully clear pixels are {0, 0, 0, 0}.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;

  Rgba at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

struct NamedImage {
  std::string name;
  Image image;
};

// The fixed palette of every 4-bit picture (court cards and the two green tiles).
const std::array<Rgb, 16>& palette16();

// Every picture the deck carries, in contact-sheet order: the 52 faces suit by suit
// (ace to king), the twelve backs, then CARD00, CARD01 and CARD02.
std::vector<std::string> pictureNames();

// Draws the named picture (a name from pictureNames()); throws std::invalid_argument otherwise.
Image renderPicture(std::string_view name);

// A Windows BMP file (1, 4, 8 or 24 bits per pixel): BITMAPFILEHEADER, BITMAPINFOHEADER,
// palette, bottom-up rows padded to 4 bytes.
std::vector<std::uint8_t> encodeBmp(const Image& image);

// A PNG file (8-bit RGB) of any picture; palette pictures are expanded.
std::vector<std::uint8_t> encodePng(const Image& image);

// The sizes of the program's icon, largest first: the order of the images in its ICO file.
inline constexpr std::array<int, 2> kIconSizes = {32, 16};

// The program's icon, an ace of spades fanned over a red heart card, drawn for one of
// kIconSizes; each size is laid out on its own pixel grid. Throws std::invalid_argument for
// any other size.
RgbaImage renderIcon(int size);

// A Windows ICO file holding the images in the order given, each as a 32-bit BGRA
// BITMAPINFOHEADER image (height doubled, rows bottom-up) followed by its AND mask, whose bits
// are set exactly where a pixel is fully clear; such a pixel is stored as all zero bytes,
// whatever its colour. Throws std::invalid_argument for an empty list, more than 65535 images,
// a side outside 1..256 or a pixel count that does not match the size.
std::vector<std::uint8_t> encodeIco(const std::vector<RgbaImage>& images);

// The about dialog's banner: 528 x 374 pixels of 256 colours, drawn so that it reads right when
// the dialog stretches it to 525 x 201.
inline constexpr int kBannerWidth = 528;
inline constexpr int kBannerHeight = 374;
Image renderBanner();

// The about dialog's donation pictures: kind 1 is 32 x 32 pixels, kind 2 is 16 x 16. Throws
// std::invalid_argument for any other kind.
RgbaImage renderDonationIcon(int kind);

// One 24-bit sheet showing every picture at natural size in a grid, each labelled with its name.
Image contactSheet(const std::vector<NamedImage>& pictures);

}  // namespace pelmor::cardart
