// The program's icon: an ace of spades fanned over a red heart card, drawn afresh for each size.
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "art.h"

namespace pelmor::cardart {

namespace {

const Colour kEdge{40, 40, 40};
const Colour kPaperWhite = toColour(kWhite);
const Colour kRedInk = toColour(kCardRed);
const Colour kBlackInk = toColour(kBlack);
const Colour kShadow{0, 0, 0};

// Turns by `degrees` clockwise on screen about (cx, cy).
Affine rotateAbout(double degrees, double cx, double cy) {
  const double t = degrees * std::numbers::pi / 180;
  const double c = std::cos(t), s = std::sin(t);
  return Affine::translate(-cx, -cy).then({c, s, -s, c, 0, 0}).then(Affine::translate(cx, cy));
}

// A suit symbol of w x h pixels centred on (cx, cy) in card coordinates.
Path pipAt(int suit, double cx, double cy, double w, double h) {
  return suitPath(suit).transformed(
      Affine::scale(w, h).then(Affine::translate(cx - w / 2, cy - h / 2)));
}

// One card of the 32-pixel fan, drawn in its own upright frame and then placed.
struct FanCard {
  int suit;
  double pipX, pipY, pipW, pipH;  // in the card's frame
  Affine place;
};

constexpr double kFanW = 17, kFanH = 23, kFanRadius = 2.5;

void drawFanCard(RgbaCanvas& cv, const FanCard& card) {
  Path body;
  body.roundRect(0, 0, kFanW, kFanH, kFanRadius);
  Path shadow = body.transformed(card.place.then(Affine::translate(0.8, 0.8)));
  cv.fill(shadow, kShadow, 0.3);
  cv.fill(body.transformed(card.place), kEdge);
  Path paper;
  paper.roundRect(1, 1, kFanW - 1, kFanH - 1, kFanRadius - 1);
  cv.fill(paper.transformed(card.place), kPaperWhite);
  cv.fill(pipAt(card.suit, card.pipX, card.pipY, card.pipW, card.pipH).transformed(card.place),
          isRedSuit(card.suit) ? kRedInk : kBlackInk);
}

RgbaImage drawIcon32() {
  RgbaCanvas cv(32, 32, 8);
  // Both cards turn about a point below their lower edges, as a hand holds a fan.
  const double pivotX = 16, pivotY = 38;
  auto placed = [&](double degrees) {
    return Affine::translate(pivotX - kFanW / 2, pivotY - kFanH - 8.5)
        .then(rotateAbout(degrees, pivotX, pivotY));
  };
  drawFanCard(cv, {kHearts, 6, 7.5, 7.5, 7.5, placed(-15)});
  drawFanCard(cv, {kSpades, kFanW / 2, kFanH / 2, 11.5, 12.5, placed(11)});
  return cv.toImage();
}

// Pips drawn pixel by pixel for the 16-pixel icon, where a scaled outline turns to mush.
// clang-format off
const Glyph kSmallHeart{{
    ".#.#.",
    "#####",
    "#####",
    ".###.",
    "..#.."}};
// clang-format on

void paintGlyph(RgbaCanvas& cv, const Glyph& g, int left, int top, Colour ink) {
  for (int y = 0; y < g.height(); ++y)
    for (int x = 0; x < g.width(); ++x)
      if (g.ink(x, y)) cv.paint(left + x, top + y, ink);
}

// A card on whole pixels from (x0, y0) to (x1, y1) inclusive: a one-pixel edge with its four
// corner pixels left out, which at this size reads as rounded without blurring.
void paintSmallCard(RgbaCanvas& cv, int x0, int y0, int x1, int y1) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const bool edgeX = x == x0 || x == x1, edgeY = y == y0 || y == y1;
      if (edgeX && edgeY) continue;
      cv.paint(x, y, edgeX || edgeY ? kEdge : kPaperWhite);
    }
  }
}

// The back card stands tall at the top left and the front card sits low at the right, so that
// the heart fits whole in the corner the front card leaves uncovered.
RgbaImage drawIcon16() {
  RgbaCanvas cv(16, 16);
  paintSmallCard(cv, 0, 0, 9, 13);
  paintGlyph(cv, kSmallHeart, 1, 1, kRedInk);
  paintSmallCard(cv, 5, 4, 15, 15);
  paintGlyph(cv, cornerPip(kSpades), 7, 6, kBlackInk);
  return cv.toImage();
}

}  // namespace

RgbaImage renderIcon(int size) {
  if (size == 32) return drawIcon32();
  if (size == 16) return drawIcon16();
  throw std::invalid_argument("the icon is drawn at 32 and 16 pixels only");
}

}  // namespace pelmor::cardart
