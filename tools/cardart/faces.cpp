// The numbered faces (ace to ten), the card shape, the suit symbols and the three plain tiles.
#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "art.h"

namespace pelmor::cardart {

namespace {

constexpr int kCornerRadius = 5;
constexpr std::uint8_t kInk = 0, kPaper = 1;

// Pip centres of the numbered cards. The field runs from y 22.5 to 72.5 in three columns, so
// that the pips (rows 17 to 78) keep four clear pixels from the corner indices; centres sit on
// half pixels so that every pip has a twin at 95 - y.
constexpr int kLeft = 20, kMiddle = 35, kRight = 50;
constexpr double kTop = 22.5, kUpper = 39.5, kCentre = 47.5, kLower = 55.5, kBottom = 72.5;
constexpr double kHigh = 35.5, kLow = 59.5, kTenHigh = 31.5, kTenLow = 63.5;

struct Spot {
  int x;
  double y;
};

const std::vector<Spot>& layout(int rank) {
  // clang-format off
  static const std::array<std::vector<Spot>, 10> layouts = {{
      {},  // the ace has its own large pip
      {{kMiddle, kTop}, {kMiddle, kBottom}},
      {{kMiddle, kTop}, {kMiddle, kCentre}, {kMiddle, kBottom}},
      {{kLeft, kTop}, {kRight, kTop}, {kLeft, kBottom}, {kRight, kBottom}},
      {{kLeft, kTop}, {kRight, kTop}, {kMiddle, kCentre}, {kLeft, kBottom}, {kRight, kBottom}},
      {{kLeft, kTop}, {kRight, kTop}, {kLeft, kCentre}, {kRight, kCentre},
       {kLeft, kBottom}, {kRight, kBottom}},
      {{kLeft, kTop}, {kRight, kTop}, {kMiddle, kHigh}, {kLeft, kCentre}, {kRight, kCentre},
       {kLeft, kBottom}, {kRight, kBottom}},
      {{kLeft, kTop}, {kRight, kTop}, {kMiddle, kHigh}, {kLeft, kCentre}, {kRight, kCentre},
       {kMiddle, kLow}, {kLeft, kBottom}, {kRight, kBottom}},
      {{kLeft, kTop}, {kRight, kTop}, {kLeft, kUpper}, {kRight, kUpper}, {kMiddle, kCentre},
       {kLeft, kLower}, {kRight, kLower}, {kLeft, kBottom}, {kRight, kBottom}},
      {{kLeft, kTop}, {kRight, kTop}, {kMiddle, kTenHigh}, {kLeft, kUpper}, {kRight, kUpper},
       {kLeft, kLower}, {kRight, kLower}, {kMiddle, kTenLow}, {kLeft, kBottom}, {kRight, kBottom}},
  }};
  // clang-format on
  return layouts[static_cast<std::size_t>(rank)];
}

// Pip sizes in pixels: odd widths centre on a pixel column, even heights on the half-pixel rows.
struct PipSize {
  int w, h;
};
PipSize pipSize(int suit) { return suit == kDiamonds ? PipSize{9, 12} : PipSize{11, 12}; }
PipSize aceSize(int suit) { return suit == kDiamonds ? PipSize{25, 32} : PipSize{29, 32}; }

Path heartPath() {
  Path p;
  p.moveTo(0.5, 1.0)
      .cubicTo(0.40, 0.86, 0.0, 0.62, 0.0, 0.30)
      .cubicTo(0.0, 0.10, 0.13, 0.0, 0.27, 0.0)
      .cubicTo(0.40, 0.0, 0.48, 0.09, 0.5, 0.20)
      .cubicTo(0.52, 0.09, 0.60, 0.0, 0.73, 0.0)
      .cubicTo(0.87, 0.0, 1.0, 0.10, 1.0, 0.30)
      .cubicTo(1.0, 0.62, 0.60, 0.86, 0.5, 1.0)
      .close();
  return p;
}

Path spadePath() {
  Path p;
  p.moveTo(0.5, 0.0)
      .cubicTo(0.42, 0.14, 0.0, 0.36, 0.0, 0.60)
      .cubicTo(0.0, 0.75, 0.11, 0.84, 0.25, 0.84)
      .cubicTo(0.35, 0.84, 0.43, 0.79, 0.47, 0.72)
      .cubicTo(0.46, 0.85, 0.40, 0.95, 0.26, 1.0)
      .lineTo(0.74, 1.0)
      .cubicTo(0.60, 0.95, 0.54, 0.85, 0.53, 0.72)
      .cubicTo(0.57, 0.79, 0.65, 0.84, 0.75, 0.84)
      .cubicTo(0.89, 0.84, 1.0, 0.75, 1.0, 0.60)
      .cubicTo(1.0, 0.36, 0.58, 0.14, 0.5, 0.0)
      .close();
  return p;
}

Path clubPath() {
  Path p;
  p.ellipse(0.5, 0.25, 0.245, 0.245);
  p.ellipse(0.245, 0.60, 0.245, 0.245);
  p.ellipse(0.755, 0.60, 0.245, 0.245);
  p.polygon({{0.5, 0.3}, {0.28, 0.62}, {0.72, 0.62}});
  p.moveTo(0.46, 0.55)
      .cubicTo(0.46, 0.85, 0.40, 0.95, 0.26, 1.0)
      .lineTo(0.74, 1.0)
      .cubicTo(0.60, 0.95, 0.54, 0.85, 0.54, 0.55)
      .close();
  return p;
}

Path diamondPath() {
  Path p;
  p.moveTo(0.5, 0.0)
      .quadTo(0.73, 0.28, 1.0, 0.5)
      .quadTo(0.73, 0.72, 0.5, 1.0)
      .quadTo(0.27, 0.72, 0.0, 0.5)
      .quadTo(0.27, 0.28, 0.5, 0.0)
      .close();
  return p;
}

Stencil stencilOf(const IndexCanvas& cv) {
  Stencil s{cv.width(), cv.height(), {}};
  for (int y = 0; y < cv.height(); ++y)
    for (int x = 0; x < cv.width(); ++x) s.on.push_back(cv.get(x, y) == kInk ? 1 : 0);
  return s;
}

void stampAt(IndexCanvas& cv, const Stencil& s, int centreX, double centreY, bool upsideDown,
             std::uint8_t ink) {
  const int left = centreX - (s.width - 1) / 2;
  const int top = static_cast<int>(std::lround(centreY - s.height / 2.0 + 0.5));
  stamp(cv, s, left, top, upsideDown, ink);
}

// The ace of spades carries the deck's ornament: a large spade drawn with an inner white line.
void drawAceOfSpades(IndexCanvas& cv) {
  auto spadeAt = [](double w, double h, double top) {
    return spadePath().transformed(
        Affine::scale(w, h).then(Affine::translate(kMiddle + 0.5 - w / 2, top)));
  };
  const double w = 39, h = 44, top = kCentre + 0.5 - h / 2;
  cv.fill(spadeAt(w, h, top), kInk);
  Path line;
  line.append(spadeAt(w - 7, h - 8.5, top + 3.6));
  line.append(spadeAt(w - 10, h - 12, top + 5.3));
  cv.fill(line, kPaper, FillRule::EvenOdd);
}

}  // namespace

bool insideCard(int x, int y) {
  if (x < 0 || y < 0 || x >= kCardWidth || y >= kCardHeight) return false;
  const int dx = std::min(x, kCardWidth - 1 - x);
  const int dy = std::min(y, kCardHeight - 1 - y);
  if (dx >= kCornerRadius || dy >= kCornerRadius) return true;
  const double ex = kCornerRadius - dx - 0.5, ey = kCornerRadius - dy - 0.5;
  return ex * ex + ey * ey <= kCornerRadius * kCornerRadius;
}

bool onCardOutline(int x, int y) {
  return insideCard(x, y) && (!insideCard(x - 1, y) || !insideCard(x + 1, y) ||
                              !insideCard(x, y - 1) || !insideCard(x, y + 1));
}

Path suitPath(int suit) {
  switch (suit) {
    case kClubs: return clubPath();
    case kDiamonds: return diamondPath();
    case kHearts: return heartPath();
    case kSpades: return spadePath();
    default: throw std::out_of_range("suit");
  }
}

Stencil pipStencil(int suit, int w, int h) {
  IndexCanvas cv(w, h, kPaper);
  cv.fill(suitPath(suit).transformed(Affine::scale(w, h)), kInk);
  Stencil s = stencilOf(cv);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w / 2; ++x)
      s.on[static_cast<std::size_t>(y * w + (w - 1 - x))] =
          s.on[static_cast<std::size_t>(y * w + x)];
  return s;
}

Stencil glyphStencil(const Glyph& g) {
  Stencil s{g.width(), g.height(), {}};
  for (int y = 0; y < g.height(); ++y)
    for (int x = 0; x < g.width(); ++x) s.on.push_back(g.ink(x, y) ? 1 : 0);
  return s;
}

void stamp(IndexCanvas& cv, const Stencil& s, int left, int top, bool upsideDown,
           std::uint8_t ink) {
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      const bool on = upsideDown ? s.at(s.width - 1 - x, s.height - 1 - y) : s.at(x, y);
      if (on) cv.set(left + x, top + y, ink);
    }
  }
}

void drawIndices(IndexCanvas& cv, int suit, int rank, std::uint8_t ink, std::uint8_t pipInk) {
  // Three clear pixels from the outline. The mark under the rank keeps to the index column
  // whatever the rank's width, so the marks line up along the discard row.
  constexpr int kLeftEdge = 4, kRankTop = 4, kUnderTop = 16;
  const Stencil r = glyphStencil(rankGlyph(rank));
  const Stencil p = glyphStencil(cornerPip(suit));
  // The mark beside the rank shares its baseline. On a court card it stands inside the picture
  // frame, two clear pixels right of the frame's left line.
  const int besideLeft = rank >= 10 ? 16 : kLeftEdge + r.width + 2;
  const int besideTop = kRankTop + r.height - p.height;
  stamp(cv, r, kLeftEdge, kRankTop, false, ink);
  stamp(cv, p, besideLeft, besideTop, false, pipInk);
  stamp(cv, p, kLeftEdge, kUnderTop, false, pipInk);
  stamp(cv, r, turnX(kLeftEdge + r.width - 1), turnY(kRankTop + r.height - 1), true, ink);
  stamp(cv, p, turnX(besideLeft + p.width - 1), turnY(besideTop + p.height - 1), true, pipInk);
  stamp(cv, p, turnX(kLeftEdge + p.width - 1), turnY(kUnderTop + p.height - 1), true, pipInk);
}

void drawCardEdge(IndexCanvas& cv, std::uint8_t ink, std::uint8_t outside) {
  for (int y = 0; y < kCardHeight; ++y) {
    for (int x = 0; x < kCardWidth; ++x) {
      if (!insideCard(x, y))
        cv.set(x, y, outside);
      else if (onCardOutline(x, y))
        cv.set(x, y, ink);
    }
  }
}

Image drawPipCard(int suit, int rank) {
  if (rank < 0 || rank > 9) throw std::out_of_range("rank");
  IndexCanvas cv(kCardWidth, kCardHeight, kPaper);
  if (rank == 0) {
    if (suit == kSpades) {
      drawAceOfSpades(cv);
    } else {
      const PipSize a = aceSize(suit);
      stampAt(cv, pipStencil(suit, a.w, a.h), kMiddle, kCentre, false, kInk);
    }
  } else {
    const PipSize ps = pipSize(suit);
    const Stencil pip = pipStencil(suit, ps.w, ps.h);
    for (const Spot& s : layout(rank)) stampAt(cv, pip, s.x, s.y, s.y > kCentre, kInk);
  }
  drawIndices(cv, suit, rank, kInk, kInk);
  drawCardEdge(cv, kInk, kPaper);
  return cv.toImage(1, {isRedSuit(suit) ? kCardRed : kBlack, kWhite});
}

Image drawStockTile() {
  IndexCanvas cv(kCardWidth, kCardHeight, pal::kFelt);
  Path cross;
  cross.stroke({{9, 10}, {62, 86}}, 4.0);
  cross.stroke({{62, 10}, {9, 86}}, 4.0);
  cv.fill(cross, pal::kRed);
  drawCardEdge(cv, pal::kInk, pal::kPaper);
  const auto& p = palette16();
  return cv.toImage(4, {p.begin(), p.end()});
}

Image drawEmptyPileTile() {
  IndexCanvas cv(kCardWidth, kCardHeight, pal::kFelt);
  Path ring;
  ring.ellipse(35.5, 48, 23, 23).ellipse(35.5, 48, 19, 19);
  cv.fill(ring, pal::kLime, FillRule::EvenOdd);
  drawCardEdge(cv, pal::kInk, pal::kPaper);
  const auto& p = palette16();
  return cv.toImage(4, {p.begin(), p.end()});
}

Image drawDottedCard() {
  constexpr std::uint8_t kDot = 0;
  IndexCanvas cv(kCardWidth, kCardHeight, kPaper);
  for (int y = 0; y < kCardHeight; ++y)
    for (int x = 0; x < kCardWidth; ++x)
      if ((x + y) % 2 == 0) cv.set(x, y, kDot);
  drawCardEdge(cv, kDot, kPaper);
  return cv.toImage(1, {kDotGrey, kWhite});
}

}  // namespace pelmor::cardart
