// The jacks, queens and kings: 16-colour half figures, turned for the lower half.
#include <cmath>
#include <stdexcept>

#include "art.h"

namespace pelmor::cardart {

namespace {

using namespace pal;

// The picture frame: the figure lives inside it, the rank outside. Its interior is x 14..56,
// y 4..91: the suit mark beside the rank (from row 5) sits in its top-left corner. The figure
// is drawn in the upper part, above a line that slants through the centre, and the part below
// the line is its turn.
constexpr int kFrameLeft = 13, kFrameRight = 57, kFrameTop = 3, kFrameBottom = 92;
constexpr double kDivideSlope = 0.31;

// Each suit dresses its court in its own colours.
struct Dress {
  std::uint8_t robe;  // the main garment
  std::uint8_t trim;  // bands, sleeves and the jack's hat
  std::uint8_t hair;
  std::uint8_t flower;
  std::uint8_t shade;  // the robe colour in shadow, for its pattern
  std::uint8_t plume;  // the feather on the jack's cap
};

Dress dressFor(int suit) {
  switch (suit) {
    case kClubs: return {kBlue, kRed, kBrown, kRed, kNavy, kGold};
    case kDiamonds: return {kRed, kNavy, kGold, kSky, kDarkRed, kSky};
    case kHearts: return {kPurple, kRed, kOchre, kPaper, kNavy, kSky};
    default: return {kFelt, kRed, kInk, kGold, kNavy, kGold};
  }
}

// Fills a shape and rings it with a one-pixel line just outside its edge, the usual pixel-art
// outline. The ring follows the filled pixels, so overlapping parts of one shape merge, and
// small details keep their colour.
template <typename Paint>
void outlinedWith(IndexCanvas& cv, const Path& shape, Paint paint, std::uint8_t line) {
  const int w = cv.width(), h = cv.height();
  const std::vector<float> cov = coverage(shape, w, h, 4);
  auto in = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < w && y < h && cov[static_cast<std::size_t>(y * w + x)] >= 0.5f;
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (in(x, y))
        cv.set(x, y, paint(x, y));
      else if (in(x - 1, y) || in(x + 1, y) || in(x, y - 1) || in(x, y + 1))
        cv.set(x, y, line);
    }
  }
}

void outlined(IndexCanvas& cv, const Path& shape, std::uint8_t fill, std::uint8_t line = kInk) {
  outlinedWith(
      cv, shape, [fill](int, int) { return fill; }, line);
}

Path ellipse(double cx, double cy, double rx, double ry) {
  Path p;
  p.ellipse(cx, cy, rx, ry);
  return p;
}

Path poly(const std::vector<Pt>& pts) {
  Path p;
  p.polygon(pts);
  return p;
}

// Three points joined by a smooth bend through the middle one.
std::vector<Pt> curve3(Pt a, Pt b, Pt c) {
  std::vector<Pt> pts;
  for (int i = 0; i <= 12; ++i) {
    const double t = i / 12.0, u = 1 - t;
    pts.push_back(
        {u * u * a.x + 2 * u * t * b.x + t * t * c.x, u * u * a.y + 2 * u * t * b.y + t * t * c.y});
  }
  return pts;
}

void dot(IndexCanvas& cv, int x, int y, std::uint8_t c) { cv.set(x, y, c); }

void hline(IndexCanvas& cv, int x0, int x1, int y, std::uint8_t c) {
  for (int x = x0; x <= x1; ++x) cv.set(x, y, c);
}

// The face seen from the front: eyes, brows, nose and mouth on a skin oval centred at cx.
void face(IndexCanvas& cv, int cx, int top, std::uint8_t brows, bool lips) {
  outlined(cv, ellipse(cx + 0.5, top + 6.5, 5.6, 6.8), kSkin);
  hline(cv, cx - 3, cx - 2, top + 4, brows);
  hline(cv, cx + 2, cx + 3, top + 4, brows);
  dot(cv, cx - 2, top + 6, kInk);
  dot(cv, cx + 2, top + 6, kInk);
  dot(cv, cx - 3, top + 6, kPaper);
  dot(cv, cx + 3, top + 6, kPaper);
  dot(cv, cx, top + 7, kOchre);
  dot(cv, cx, top + 8, kOchre);
  hline(cv, cx - 1, cx + 1, top + 10, lips ? kRed : kDarkRed);
}

// The shoulders and body of a figure: a rounded yoke over a skirt that runs past the divide.
Path body(double cx, double shoulderTop) {
  Path p;
  p.roundRect(cx - 20.5, shoulderTop, cx + 20.5, 66, 8);
  return p;
}

void drawKing(IndexCanvas& cv, const Dress& d) {
  const int cx = 34;
  // The sword, raised behind the right shoulder.
  outlined(cv, poly({{48.5, 9}, {50.6, 12}, {50.6, 36}, {46.4, 36}, {46.4, 12}}), kSilver);
  hline(cv, 48, 48, 13, kPaper);
  // Hair and the long beard frame the face.
  outlined(cv, ellipse(cx + 0.5, 24, 8.2, 8.5), d.hair);
  // A brocade robe: a lattice of fine lines in the robe's shadow colour.
  outlinedWith(
      cv, body(35.5, 35),
      [&d](int x, int y) {
        return ((x + y) % 5 == 0 || (x - y + 100) % 5 == 0) ? d.shade : d.robe;
      },
      kInk);
  outlined(cv, poly({{cx - 2.0, 38}, {cx + 3.0, 38}, {cx + 5.0, 64}, {cx - 4.0, 64}}), d.trim);
  for (int y = 41; y <= 56; y += 3) hline(cv, cx, cx + 1, y, kGold);
  // The ermine collar across the shoulders.
  Path collar;
  collar.arcStroke(35.5, 47, 19.0, 10.0, -2.75, -0.39, 3.2);
  outlined(cv, collar, kPaper);
  for (int k = 0; k < 5; ++k) {
    const double a = -2.55 + k * 0.45;
    dot(cv, static_cast<int>(35.5 + 19.0 * std::cos(a)), static_cast<int>(47 + 10.0 * std::sin(a)),
        kInk);
  }
  face(cv, cx, 18, d.hair, false);
  outlined(cv,
           poly({{cx - 5.0, 27}, {cx + 6.0, 27}, {cx + 5.0, 33}, {cx + 0.5, 39}, {cx - 4.0, 33}}),
           d.hair);
  hline(cv, cx - 1, cx + 1, 29, kRed);
  outlined(cv, poly({{cx - 3.5, 26.5}, {cx + 4.5, 26.5}, {cx + 3.0, 28}, {cx - 2.0, 28}}), d.hair);
  // The crown: five points on a jewelled band.
  outlined(cv,
           poly({{cx - 7.5, 18},
                 {cx - 7.5, 9.5},
                 {cx - 4.0, 13.5},
                 {cx + 0.5, 8.5},
                 {cx + 5.0, 13.5},
                 {cx + 8.5, 9.5},
                 {cx + 8.5, 18}}),
           kGold);
  hline(cv, cx - 6, cx + 7, 15, kOchre);
  dot(cv, cx, 16, kRed);
  dot(cv, cx + 1, 16, kRed);
  dot(cv, cx - 4, 16, kBlue);
  dot(cv, cx + 5, 16, kBlue);
  dot(cv, cx - 7, 9, kRed);
  dot(cv, cx + 8, 9, kRed);
  // The hilt and the hand that holds it.
  outlined(cv, poly({{43, 33}, {54, 33}, {54, 35.5}, {43, 35.5}}), kGold);
  outlined(cv, poly({{47, 35.5}, {50, 35.5}, {50, 38}, {47, 38}}), kBrown);
  outlined(cv, ellipse(48.5, 39.5, 3.0, 2.5), kSkin);
}

void drawQueen(IndexCanvas& cv, const Dress& d) {
  const int cx = 35;
  // Long hair falling to the shoulders.
  outlined(cv, poly({{cx - 8.0, 21}, {cx + 9.0, 21}, {cx + 11.0, 40}, {cx - 10.0, 40}}), d.hair);
  outlined(cv, ellipse(cx + 0.5, 23, 8.4, 8.0), d.hair);
  // The gown, a low neckline and a necklace.
  // A gown sprinkled with small flowers.
  outlinedWith(
      cv, body(35.5, 33),
      [&d](int x, int y) { return (y % 4 == 1 && (x + (y / 4) * 2) % 4 == 0) ? d.flower : d.robe; },
      kInk);
  outlined(cv, poly({{cx - 8.0, 35}, {cx - 5.0, 34}, {cx - 2.0, 46}, {cx - 8.0, 46}}), d.hair);
  outlined(cv, poly({{cx + 6.0, 34}, {cx + 9.0, 35}, {cx + 9.0, 46}, {cx + 3.0, 46}}), d.hair);
  outlined(cv, ellipse(cx + 0.5, 33.5, 4.5, 3.4), kSkin);
  for (int x = cx - 3; x <= cx + 4; x += 2) dot(cv, x, 35, kGold);
  outlined(cv, poly({{cx - 3.0, 38}, {cx + 4.0, 38}, {cx + 7.0, 64}, {cx - 6.0, 64}}), d.trim);
  for (int y = 41; y <= 56; y += 3) hline(cv, cx - 1, cx + 2, y, kGold);
  face(cv, cx, 18, kBrown, true);
  // The crown: three pearl-tipped points.
  outlined(cv,
           poly({{cx - 5.5, 18},
                 {cx - 5.5, 12},
                 {cx - 2.5, 15},
                 {cx + 0.5, 11},
                 {cx + 3.5, 15},
                 {cx + 6.5, 12},
                 {cx + 6.5, 18}}),
           kGold);
  outlined(cv, ellipse(cx - 5.0, 11, 1.5, 1.5), kPaper);
  outlined(cv, ellipse(cx + 0.5, 9.8, 1.5, 1.5), kPaper);
  outlined(cv, ellipse(cx + 6.0, 11, 1.5, 1.5), kPaper);
  dot(cv, cx, 16, kRed);
  dot(cv, cx + 1, 16, kRed);
  // The flower in her hand.
  Path stem;
  stem.stroke({{20.5, 42}, {21.5, 31}, {20.5, 24}}, 1.2);
  cv.fill(stem, kFelt);
  outlined(cv, ellipse(24, 32, 2.2, 1.2), kFelt);
  for (int k = 0; k < 5; ++k) {
    const double a = -1.5708 + k * 1.2566;
    outlined(cv, ellipse(20.5 + 2.6 * std::cos(a), 21.0 + 2.6 * std::sin(a), 1.8, 1.8), d.flower);
  }
  outlined(cv, ellipse(20.5, 21.0, 1.3, 1.3), kGold);
  outlined(cv, ellipse(21, 42, 3.0, 2.5), kSkin);
}

void drawJack(IndexCanvas& cv, const Dress& d) {
  const int cx = 35;
  // The halberd at his side: a spear point and an axe blade on a long staff.
  outlined(cv, poly({{50, 17}, {52, 17}, {52, 60}, {50, 60}}), kBrown);
  outlined(cv, poly({{51, 8.5}, {53.2, 14}, {51, 18}, {48.8, 14}}), kSilver);
  Path blade;
  blade.moveTo(52, 13.5).lineTo(55, 11.5).quadTo(53.5, 16, 55, 20.5).lineTo(52, 18.5).close();
  outlined(cv, blade, kSilver);
  // Short curled hair.
  outlined(cv, ellipse(cx + 0.5, 25, 7.8, 7.5), d.hair);
  outlined(cv, ellipse(cx - 6.5, 30, 2.2, 2.2), d.hair);
  outlined(cv, ellipse(cx + 7.5, 30, 2.2, 2.2), d.hair);
  // A tunic with slashed sleeves: stripes of the trim colour down both sides, a white collar
  // and a row of buttons.
  outlinedWith(
      cv, body(35.5, 34),
      [&d](int x, int) { return ((x < 24 || x > 47) && x % 3 == 0) ? d.trim : d.robe; }, kInk);
  outlined(cv, poly({{cx - 6.0, 34}, {cx + 7.0, 34}, {cx + 0.5, 40}}), kPaper);
  for (int y = 42; y <= 57; y += 3) hline(cv, cx, cx + 1, y, kGold);
  face(cv, cx, 19, d.hair, true);
  // A wide cap with a gold band, and a plume sweeping up and back from it.
  const std::vector<Pt> spine = curve3({cx - 3.0, 13}, {cx + 4.0, 7.5}, {cx + 12.0, 10.5});
  Path plume;
  for (std::size_t i = 0; i < spine.size(); ++i) {
    const double r = 2.4 - 1.3 * static_cast<double>(i) / static_cast<double>(spine.size() - 1);
    plume.ellipse(spine[i].x, spine[i].y + 0.6, r, r);
  }
  outlined(cv, plume, d.plume);
  Path quill;
  quill.stroke(spine, 0.8);
  cv.fill(quill, kPaper);
  outlined(cv, poly({{cx - 6.0, 20}, {cx - 5.0, 12}, {cx + 6.0, 12}, {cx + 7.0, 20}}), d.trim);
  outlined(cv, ellipse(cx + 0.5, 20, 10.0, 2.6), d.trim);
  hline(cv, cx - 5, cx + 6, 17, kGold);
  outlined(cv, ellipse(51, 41, 3.0, 2.5), kSkin);
}

}  // namespace

Image drawCourtCard(int suit, int rank) {
  if (rank < 10 || rank > 12) throw std::out_of_range("rank");
  IndexCanvas cv(kCardWidth, kCardHeight, kPaper);
  const Dress d = dressFor(suit);
  if (rank == 10)
    drawJack(cv, d);
  else if (rank == 11)
    drawQueen(cv, d);
  else
    drawKing(cv, d);

  const std::uint8_t suitInk = isRedSuit(suit) ? kRed : kInk;

  // The lower half is the upper half turned, as on a real deck, and a slanting line divides
  // them. side() changes sign under the turn, so the two halves are exact twins.
  auto side = [](int x, int y) { return (y - 47.5) + kDivideSlope * (x - 35); };
  for (int y = kFrameTop + 1; y < kFrameBottom; ++y) {
    for (int x = kFrameLeft + 1; x < kFrameRight; ++x) {
      if (side(x, y) > 0) cv.set(x, y, cv.get(turnX(x), turnY(y)));
    }
  }
  for (int y = kFrameTop + 1; y < kFrameBottom; ++y)
    for (int x = kFrameLeft + 1; x < kFrameRight; ++x)
      if (std::abs(side(x, y)) <= 0.5) cv.set(x, y, kInk);
  for (int y = 0; y < kCardHeight; ++y)
    for (int x = 0; x < kCardWidth; ++x)
      if (x < kFrameLeft || x > kFrameRight || y < kFrameTop || y > kFrameBottom)
        cv.set(x, y, kPaper);
  for (int x = kFrameLeft; x <= kFrameRight; ++x) {
    cv.set(x, kFrameTop, kInk);
    cv.set(x, kFrameBottom, kInk);
  }
  for (int y = kFrameTop; y <= kFrameBottom; ++y) {
    cv.set(kFrameLeft, y, kInk);
    cv.set(kFrameRight, y, kInk);
  }
  drawIndices(cv, suit, rank, suitInk, suitInk);
  drawCardEdge(cv, kInk, kPaper);
  const auto& p = palette16();
  return cv.toImage(4, {p.begin(), p.end()});
}

}  // namespace pelmor::cardart
