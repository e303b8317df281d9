// Shared pieces of the picture families: the card shape, suit pips and each family's drawing.
#pragma once

#include <cstdint>
#include <vector>

#include "cardart.h"
#include "glyphs.h"
#include "raster.h"

namespace pelmor::cardart {

enum Suit { kClubs = 1, kDiamonds = 2, kHearts = 3, kSpades = 4 };

inline bool isRedSuit(int suit) { return suit == kDiamonds || suit == kHearts; }

// The rounded card outline shared by faces, tiles and backs, decided per pixel so that all
// four corners are exact mirror images of each other.
bool insideCard(int x, int y);
bool onCardOutline(int x, int y);

// The 180-degree turn that maps a pixel of the card onto its twin in the opposite corner.
inline int turnX(int x) { return kCardWidth - 1 - x; }
inline int turnY(int y) { return kCardHeight - 1 - y; }

// A suit symbol inside the unit square, point (or stem) downwards.
Path suitPath(int suit);

// A one-bit stencil: a pip drawn at an exact pixel size.
struct Stencil {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> on;
  bool at(int x, int y) const { return on[static_cast<std::size_t>(y * width + x)] != 0; }
};

// The suit symbol rendered to w x h pixels, made exactly left-right symmetric.
Stencil pipStencil(int suit, int w, int h);
Stencil glyphStencil(const Glyph& g);

// Draws `s` with its top-left pixel at (left, top); upside-down flips it top to bottom and left
// to right, as the lower half of a card shows it.
void stamp(IndexCanvas& cv, const Stencil& s, int left, int top, bool upsideDown, std::uint8_t ink);

// The corner index: the rank character with a small suit mark beside it and another under it,
// at the top-left corner and turned at the bottom-right. A card covered on a pile shows only
// its top 16 rows, which hold the rank and the mark beside it; a card covered in the discard
// row shows only its left 16 columns, which hold the rank and the mark under it.
void drawIndices(IndexCanvas& cv, int suit, int rank, std::uint8_t ink, std::uint8_t pipInk);

// The card outline in `ink`, with everything outside the rounded corners set to `outside`.
void drawCardEdge(IndexCanvas& cv, std::uint8_t ink, std::uint8_t outside);

Image drawPipCard(int suit, int rank);    // ranks 0..9
Image drawCourtCard(int suit, int rank);  // ranks 10..12
Image drawBack(int number);               // 0..11
Image drawStockTile();                    // CARD01
Image drawEmptyPileTile();                // CARD02
Image drawDottedCard();                   // CARD00

// Indices into the 16-colour palette: ink (black), paper (white), red, felt (the table green),
// lime (bright green), then the colours of the court cards.
namespace pal {
inline constexpr std::uint8_t kInk = 0, kPaper = 1, kRed = 2, kFelt = 3, kLime = 4, kDarkRed = 5,
                              kGold = 6, kOchre = 7, kSkin = 8, kBrown = 9, kBlue = 10, kSky = 11,
                              kNavy = 12, kGrey = 13, kSilver = 14, kPurple = 15;
}

}  // namespace pelmor::cardart
