// The about dialog's pictures: the maker's banner (four aces fanned on a felt oval under a night
// sky, with a row of suit marks between the dialog's two captions) and the two donation icons.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <stdexcept>

#include "art.h"

namespace pelmor::cardart {

namespace {

// The banner is designed in the 525 x 201 box the dialog shows it in.
constexpr double kShownWidth = 525, kShownHeight = 201;

const Colour kSkyTop{8, 16, 48};
const Colour kSkyBottom{14, 44, 70};
const Colour kFeltCentre{30, 150, 70};
const Colour kFeltEdge{8, 80, 36};
const Colour kGoldLight{250, 214, 110};
const Colour kGoldDark{176, 128, 36};
const Colour kCardEdgeInk{50, 50, 50};
const Colour kPaper = toColour(kWhite);

Affine rotateAbout(double degrees, double cx, double cy) {
  const double t = degrees * std::numbers::pi / 180;
  const double c = std::cos(t), s = std::sin(t);
  return Affine::translate(-cx, -cy).then({c, s, -s, c, 0, 0}).then(Affine::translate(cx, cy));
}

Path pip(int suit, double cx, double cy, double w, double h) {
  return suitPath(suit).transformed(Affine::scale(w, h).then(Affine::translate(cx - w / 2, cy - h / 2)));
}

Colour inkOf(int suit) { return isRedSuit(suit) ? Colour{210, 20, 30} : Colour{20, 20, 24}; }

// An ace of the fan in its own upright frame, then turned into place.
void drawAce(RgbCanvas& cv, const Affine& toPixels, int suit, double degrees) {
  constexpr double w = 46, h = 64, pivotX = 140, pivotY = 200;
  const Affine place =
      Affine::translate(pivotX - w / 2, pivotY - h - 62).then(rotateAbout(degrees, pivotX, pivotY)).then(toPixels);
  Path body;
  body.roundRect(0, 0, w, h, 5);
  cv.fill(body.transformed(Affine::translate(2, 2).then(place)), {0, 0, 0}, 0.35);
  cv.fill(body.transformed(place), kCardEdgeInk);
  Path paper;
  paper.roundRect(1, 1, w - 1, h - 1, 4);
  cv.fill(paper.transformed(place), kPaper);
  cv.fill(pip(suit, w / 2, h / 2, 24, 26).transformed(place), inkOf(suit));
  cv.fill(pip(suit, 8, 17, 7, 7.5).transformed(place), inkOf(suit));
  Path a;  // the corner "A"
  a.stroke({{5, 11}, {8, 3}, {11, 11}}, 1.6).stroke({{6.2, 8}, {9.8, 8}}, 1.4);
  cv.fill(a.transformed(place), inkOf(suit));
}

// The closest palette entry by squared distance.
std::uint8_t nearest(const std::vector<Rgb>& palette, Rgb c) {
  int best = 0, bestDistance = 1 << 30;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int dr = c.r - palette[i].r, dg = c.g - palette[i].g, db = c.b - palette[i].b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) bestDistance = d, best = static_cast<int>(i);
  }
  return static_cast<std::uint8_t>(best);
}

// 256 colours by popularity: the pixels are grouped by their top five bits per channel, and the
// 256 fullest groups give their mean colours.
Image toPalette256(const Image& rgb) {
  struct Bucket {
    long count = 0, r = 0, g = 0, b = 0;
  };
  std::map<int, Bucket> buckets;
  for (const Rgb& c : rgb.rgb) {
    Bucket& k = buckets[(c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3)];
    ++k.count, k.r += c.r, k.g += c.g, k.b += c.b;
  }
  std::vector<Bucket> byCount;
  for (const auto& [key, bucket] : buckets) byCount.push_back(bucket);
  std::stable_sort(byCount.begin(), byCount.end(), [](const Bucket& x, const Bucket& y) { return x.count > y.count; });
  Image out;
  out.width = rgb.width;
  out.height = rgb.height;
  out.bitsPerPixel = 8;
  for (std::size_t i = 0; i < byCount.size() && i < 256; ++i) {
    const Bucket& k = byCount[i];
    out.palette.push_back({static_cast<std::uint8_t>(k.r / k.count), static_cast<std::uint8_t>(k.g / k.count),
                           static_cast<std::uint8_t>(k.b / k.count)});
  }
  std::map<int, std::uint8_t> cache;
  out.indices.reserve(rgb.rgb.size());
  for (const Rgb& c : rgb.rgb) {
    const int key = c.r << 16 | c.g << 8 | c.b;
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.emplace(key, nearest(out.palette, c)).first;
    out.indices.push_back(it->second);
  }
  return out;
}

RgbaImage drawDonation32() {
  RgbaCanvas cv(32, 32, 8);
  Path tile;
  tile.roundRect(1, 1, 31, 31, 6);
  cv.fill(tile, {22, 62, 140});
  Path glow;
  glow.roundRect(2, 2, 30, 16, 5);
  cv.fill(glow, {70, 120, 210}, 0.45);
  cv.fill(pip(kHearts, 16, 15, 18, 17), toColour(kWhite));
  Path coin;
  coin.ellipse(23, 23, 6, 6);
  cv.fill(coin, kGoldDark);
  Path face;
  face.ellipse(23, 23, 4.6, 4.6);
  cv.fill(face, kGoldLight);
  Path mark;
  mark.stroke({{23, 20.5}, {23, 25.5}}, 1.4);
  cv.fill(mark, kGoldDark);
  return cv.toImage();
}

RgbaImage drawDonation16() {
  RgbaCanvas cv(16, 16, 8);
  Path tile;
  tile.roundRect(0.5, 0.5, 15.5, 15.5, 3.5);
  cv.fill(tile, {20, 150, 70});
  Path ring;
  ring.ellipse(8, 8, 5.2, 5.2);
  cv.fill(ring, toColour(kWhite));
  Path inner;
  inner.ellipse(8, 8, 3.6, 3.6);
  cv.fill(inner, {20, 150, 70});
  Path bar;
  bar.stroke({{8, 5.6}, {8, 10.4}}, 1.5);
  cv.fill(bar, toColour(kWhite));
  return cv.toImage();
}

}  // namespace

Image renderBanner() {
  RgbCanvas cv(kBannerWidth, kBannerHeight, 4);
  const Affine toPixels = Affine::scale(kBannerWidth / kShownWidth, kBannerHeight / kShownHeight);
  Path all;
  all.rect(0, 0, kBannerWidth, kBannerHeight);
  cv.fill(all, [](double, double y) { return mix(kSkyTop, kSkyBottom, y / kBannerHeight); });

  // Stars over the right half, where the captions stand.
  std::uint32_t seed = 12345;
  auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8 & 0xFFFF; };
  for (int i = 0; i < 70; ++i) {
    const double x = 250 + next() % 270, y = 4 + next() % 190, r = 0.5 + (next() % 10) / 10.0;
    Path star;
    star.ellipse(x, y, r, r);
    cv.fill(star.transformed(toPixels), {230, 236, 255}, 0.35 + (next() % 60) / 100.0);
  }

  // The felt oval with its gold rim, lit from its centre.
  Path rim;
  rim.ellipse(140, 112, 132, 84);
  const double sx = kBannerWidth / kShownWidth, sy = kBannerHeight / kShownHeight;
  cv.fill(rim.transformed(toPixels),
          [&](double, double y) { return mix(kGoldLight, kGoldDark, std::clamp((y / sy - 28) / 170, 0.0, 1.0)); });
  Path felt;
  felt.ellipse(140, 112, 127, 79);
  cv.fill(felt.transformed(toPixels), [&](double x, double y) {
    const double dx = (x / sx - 140) / 127, dy = (y / sy - 112) / 79;
    return mix(kFeltCentre, kFeltEdge, std::clamp(std::sqrt(dx * dx + dy * dy), 0.0, 1.0));
  });

  const int suits[] = {kSpades, kHearts, kClubs, kDiamonds};
  const double angles[] = {-33, -11, 11, 33};
  for (int i = 0; i < 4; ++i) drawAce(cv, toPixels, suits[i], angles[i]);

  // The maker's mark between the two captions: a gold rule and the four suits.
  Path rule;
  rule.stroke({{300, 100}, {380, 100}}, 1.2).stroke({{430, 100}, {510, 100}}, 1.2);
  cv.fill(rule.transformed(toPixels), kGoldLight);
  for (int i = 0; i < 4; ++i) {
    const int suit = suits[i];
    cv.fill(pip(suit, 389 + 11.5 * i, 100, 9, 10).transformed(toPixels),
            isRedSuit(suit) ? Colour{235, 70, 70} : kGoldLight);
  }
  return toPalette256(cv.toImage());
}

RgbaImage renderDonationIcon(int kind) {
  if (kind == 1) return drawDonation32();
  if (kind == 2) return drawDonation16();
  throw std::invalid_argument("there are two donation icons, 1 and 2");
}

}  // namespace pelmor::cardart
