// The catalogue of pictures: names, the 16-colour palette, dispatch by name and the contact sheet.
#include <stdexcept>
#include <string>

#include "art.h"

namespace pelmor::cardart {

namespace {

constexpr char kHexDigits[] = "0123456789ABC";

std::string faceName(int suit, int rank) {
  return std::string("CARD") + static_cast<char>('0' + suit) + kHexDigits[rank];
}

}  // namespace

const std::array<Rgb, 16>& palette16() {
  static const std::array<Rgb, 16> palette = {{
      {0, 0, 0},        // black
      {255, 255, 255},  // white
      kCardRed,         // red
      kTableGreen,      // the table green of the tiles
      kBrightGreen,     // the ring of the empty pile
      {128, 0, 0},      // dark red: robe shadows
      {255, 200, 0},    // gold: crowns, hair, braid
      {176, 112, 0},    // ochre: gold in shadow
      {255, 204, 164},  // skin
      {112, 56, 16},    // brown: hair, wood
      {0, 64, 200},     // blue
      {120, 176, 255},  // sky blue
      {0, 0, 128},      // navy
      {128, 128, 128},  // grey: steel
      {200, 200, 200},  // silver
      {112, 32, 144},   // purple
  }};
  return palette;
}

std::vector<std::string> pictureNames() {
  std::vector<std::string> names;
  for (int suit = 1; suit <= 4; ++suit)
    for (int rank = 0; rank <= 12; ++rank) names.push_back(faceName(suit, rank));
  for (int n = 0; n < 12; ++n) names.push_back("BACK" + std::to_string(n));
  names.push_back("CARD00");
  names.push_back("CARD01");
  names.push_back("CARD02");
  return names;
}

Image renderPicture(std::string_view name) {
  if (name == "CARD00") return drawDottedCard();
  if (name == "CARD01") return drawStockTile();
  if (name == "CARD02") return drawEmptyPileTile();
  if (name.size() == 6 && name.substr(0, 4) == "CARD" && name[4] >= '1' && name[4] <= '4') {
    const int suit = name[4] - '0';
    const std::string_view digits = kHexDigits;
    const std::size_t rank = digits.find(name[5]);
    if (rank != std::string_view::npos) {
      return rank <= 9 ? drawPipCard(suit, static_cast<int>(rank))
                       : drawCourtCard(suit, static_cast<int>(rank));
    }
  }
  if (name.substr(0, 4) == "BACK") {
    for (int n = 0; n < 12; ++n)
      if (name == "BACK" + std::to_string(n)) return drawBack(n);
  }
  throw std::invalid_argument("no picture named " + std::string(name));
}

Image contactSheet(const std::vector<NamedImage>& pictures) {
  constexpr int kColumns = 13, kGap = 8, kLabel = 11;
  constexpr Rgb kSheet{176, 176, 176}, kText{16, 16, 16};
  const int cellW = kCardWidth + kGap, cellH = kCardHeight + kLabel + kGap;
  const int rows = (static_cast<int>(pictures.size()) + kColumns - 1) / kColumns;
  Image sheet;
  sheet.width = kColumns * cellW + kGap;
  sheet.height = rows * cellH + kGap;
  sheet.bitsPerPixel = 24;
  sheet.rgb.assign(static_cast<std::size_t>(sheet.width * sheet.height), kSheet);
  auto put = [&](int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < sheet.width && y < sheet.height)
      sheet.rgb[static_cast<std::size_t>(y * sheet.width + x)] = c;
  };
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const Image& img = pictures[i].image;
    const int left = kGap + static_cast<int>(i % kColumns) * cellW;
    const int top = kGap + static_cast<int>(i / kColumns) * cellH;
    for (int y = 0; y < img.height; ++y)
      for (int x = 0; x < img.width; ++x) put(left + x, top + y, img.colourAt(x, y));
    const std::string& name = pictures[i].name;
    const int textWidth = static_cast<int>(name.size()) * 6 - 1;
    int pen = left + (img.width - textWidth) / 2;
    for (char c : name) {
      if (const Glyph* g = labelGlyph(c)) {
        for (int y = 0; y < g->height(); ++y)
          for (int x = 0; x < g->width(); ++x)
            if (g->ink(x, y)) put(pen + x, top + img.height + 3 + y, kText);
      }
      pen += 6;
    }
  }
  return sheet;
}

}  // namespace pelmor::cardart
