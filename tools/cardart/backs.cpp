// The twelve card backs: anti-aliased scenes in a white margin, magenta outside the corners.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>

#include "art.h"

namespace pelmor::cardart {

namespace {

constexpr double kPi = std::numbers::pi;

// The picture sits inside a white margin; the scene may be drawn larger and is cut to it.
constexpr int kPicLeft = 4, kPicTop = 4, kPicRight = 66, kPicBottom = 91;
constexpr int kPicRadius = 3;

Colour rgb(double r, double g, double b) { return {r, g, b}; }

double clamp01(double t) { return t < 0 ? 0 : (t > 1 ? 1 : t); }

// A fill that runs from colour a at y0 to colour b at y1.
auto vertical(Colour a, Colour b, double y0, double y1) {
  return [=](double, double y) { return mix(a, b, clamp01((y - y0) / (y1 - y0))); };
}

auto radial(Colour inner, Colour outer, double cx, double cy, double r) {
  return [=](double x, double y) {
    return mix(inner, outer, clamp01(std::hypot(x - cx, y - cy) / r));
  };
}

Path circle(double cx, double cy, double r) {
  Path p;
  p.ellipse(cx, cy, r, r);
  return p;
}

Path oval(double cx, double cy, double rx, double ry, double rotation = 0) {
  Path p;
  p.ellipse(cx, cy, rx, ry, rotation);
  return p;
}

Path whole() {
  Path p;
  p.rect(0, 0, kCardWidth, kCardHeight);
  return p;
}

// Points along a cubic curve, for strokes that follow it.
std::vector<Pt> curve(Pt p0, Pt p1, Pt p2, Pt p3, int steps = 24) {
  std::vector<Pt> pts;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps, u = 1 - t;
    pts.push_back(
        {u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
         u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y});
  }
  return pts;
}

// A fixed pseudo-random sequence so that stars and tiles land in the same place every run.
class Sequence {
 public:
  explicit Sequence(std::uint32_t seed) : state_(seed) {}
  double next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
  }

 private:
  std::uint32_t state_;
};

void stars(RgbCanvas& cv, std::uint32_t seed, int count, double maxY) {
  Sequence s(seed);
  for (int i = 0; i < count; ++i) {
    const double x = 5 + s.next() * 61, y = 5 + s.next() * (maxY - 5);
    const double size = 0.35 + s.next() * 0.5;
    cv.fill(circle(x, y, size), rgb(255, 255, 240), 0.6 + 0.4 * s.next());
  }
}

// ---------------------------------------------------------------------------------------------
// The scenes.

void clouds(RgbCanvas& cv) {
  cv.fill(whole(), vertical(rgb(30, 90, 200), rgb(150, 205, 250), 5, 91));
  auto cloud = [&cv](double cx, double cy, double s) {
    Path shadow, body;
    const double puffs[][3] = {{-9, 1, 5.5}, {-3, -4, 7}, {5, -5, 8}, {12, 0, 5.5}, {2, 2, 6}};
    for (const auto& p : puffs) {
      body.ellipse(cx + p[0] * s, cy + p[1] * s, p[2] * s, p[2] * s);
      shadow.ellipse(cx + p[0] * s + 0.8, cy + p[1] * s + 1.5, p[2] * s, p[2] * s);
    }
    body.roundRect(cx - 14 * s, cy - 1 * s, cx + 17 * s, cy + 6 * s, 3 * s);
    shadow.roundRect(cx - 13 * s, cy + 0.5 * s, cx + 18 * s, cy + 7.5 * s, 3 * s);
    cv.fill(shadow, rgb(70, 110, 170), 0.35);
    cv.fill(body, vertical(rgb(255, 255, 255), rgb(200, 212, 232), cy - 12 * s, cy + 6 * s));
  };
  cloud(24, 22, 0.8);
  cloud(46, 50, 1.05);
  cloud(20, 76, 0.75);
  cloud(60, 82, 0.5);
}

void blueAbstract(RgbCanvas& cv) {
  cv.fill(whole(), [](double x, double y) {
    return mix(rgb(0, 20, 90), rgb(0, 90, 190), clamp01((x + y - 10) / 140));
  });
  cv.fill(circle(22, 28, 19), rgb(0, 130, 255), 0.45);
  cv.fill(circle(52, 55, 23), rgb(40, 200, 255), 0.35);
  cv.fill(circle(24, 78, 15), rgb(120, 170, 255), 0.4);
  for (int k = 0; k < 4; ++k) {
    Path ring;
    ring.arcStroke(48, 26, 6.0 + 5 * k, 6.0 + 5 * k, 0, 2 * kPi, 1.2);
    cv.fill(ring, rgb(200, 235, 255), 0.55 - k * 0.1);
  }
  for (int k = 0; k < 5; ++k) {
    std::vector<Pt> wave;
    for (int i = 0; i <= 40; ++i) {
      const double x = 2 + i * 1.7;
      wave.push_back({x, 58 + k * 6 + 4 * std::sin(x / 7.0 + k * 0.8)});
    }
    Path p;
    p.stroke(wave, 1.4);
    cv.fill(p, rgb(160, 220, 255), 0.65);
  }
  cv.fill(circle(22, 28, 6), rgb(255, 255, 255), 0.25);
}

void tropicalFish(RgbCanvas& cv) {
  cv.fill(whole(), vertical(rgb(40, 180, 215), rgb(5, 55, 130), 5, 91));
  for (int k = 0; k < 3; ++k) {
    const double x = 10 + k * 22;
    Path ray;
    ray.polygon({{x, 0}, {x + 7, 0}, {x + 20, 96}, {x + 8, 96}});
    cv.fill(ray, rgb(255, 255, 255), 0.08);
  }
  // Sea grass and sand.
  Path sand;
  sand.moveTo(0, 84).quadTo(35, 76, 71, 86).lineTo(71, 96).lineTo(0, 96).close();
  cv.fill(sand, vertical(rgb(230, 200, 130), rgb(180, 150, 90), 78, 92));
  for (int k = 0; k < 6; ++k) {
    const double x = 8 + k * 10.5;
    Path weed;
    weed.stroke(curve({x, 88}, {x - 4, 78}, {x + 5, 72}, {x + 1, 62.0 + (k % 3) * 3}), 2.0);
    cv.fill(weed, k % 2 ? rgb(40, 150, 70) : rgb(20, 110, 60));
  }

  // A clownfish: orange body with three white bands edged in black, swimming left.
  const double cx = 35, cy = 44;
  Path tail;
  tail.moveTo(cx + 15, cy)
      .cubicTo(cx + 20, cy - 4, cx + 25, cy - 11, cx + 28, cy - 10)
      .cubicTo(cx + 26, cy - 4, cx + 26, cy + 4, cx + 28, cy + 10)
      .cubicTo(cx + 25, cy + 11, cx + 20, cy + 4, cx + 15, cy)
      .close();
  Path dorsal;
  dorsal.moveTo(cx - 8, cy - 9)
      .cubicTo(cx - 4, cy - 19, cx + 4, cy - 18, cx + 6, cy - 10)
      .cubicTo(cx + 9, cy - 16, cx + 15, cy - 15, cx + 16, cy - 6)
      .close();
  Path belly;
  belly.moveTo(cx - 2, cy + 9).cubicTo(cx + 1, cy + 17, cx + 8, cy + 17, cx + 10, cy + 8).close();
  Path fins;
  fins.append(tail).append(dorsal).append(belly);
  cv.fill(fins, rgb(20, 10, 0));
  cv.fill(fins.transformed(Affine::translate(-cx - 6, -cy)
                               .then(Affine::scale(0.9, 0.88))
                               .then(Affine::translate(cx + 6, cy))),
          rgb(255, 120, 10));
  cv.fill(oval(cx, cy, 19, 11.5), rgb(20, 10, 0));
  auto bandAt = [](double x, double y, double centre, double half) {
    return std::abs(x - centre - 0.01 * (y - 44) * (y - 44)) < half;
  };
  cv.fill(oval(cx, cy, 18, 10.5), [&](double x, double y) {
    const double centres[3] = {cx - 9, cx + 2, cx + 14};
    const double halves[3] = {2.6, 3.0, 1.6};
    for (int k = 0; k < 3; ++k) {
      if (bandAt(x, y, centres[k], halves[k])) return rgb(255, 255, 255);
      if (bandAt(x, y, centres[k], halves[k] + 1.1)) return rgb(20, 10, 0);
    }
    const double shade = clamp01((y - (cy - 10)) / 21);
    return mix(rgb(255, 160, 40), rgb(230, 80, 0), shade);
  });
  cv.fill(circle(cx - 13, cy - 2, 2.6), rgb(255, 255, 255));
  cv.fill(circle(cx - 13.4, cy - 2, 1.6), rgb(10, 10, 10));
  cv.fill(circle(cx - 14, cy - 2.7, 0.5), rgb(255, 255, 255));
  Path mouth;
  mouth.stroke({{cx - 19, cy + 2}, {cx - 16, cy + 3}}, 0.8);
  cv.fill(mouth, rgb(120, 40, 0));
  cv.fill(oval(cx - 4, cy + 4, 4, 2.2, 0.5), rgb(20, 10, 0));
  cv.fill(oval(cx - 4, cy + 4, 3, 1.4, 0.5), rgb(255, 140, 20));
  for (int k = 0; k < 4; ++k) {
    Path bubble;
    const double r = 1.0 + k * 0.5;
    bubble.arcStroke(14 - k * 2, 30 - k * 7, r, r, 0, 2 * kPi, 0.6);
    cv.fill(bubble, rgb(220, 245, 255), 0.8);
  }
}

void toyFrog(RgbCanvas& cv) {
  cv.fill(whole(), vertical(rgb(255, 235, 150), rgb(250, 170, 80), 5, 91));
  for (int k = 0; k < 9; ++k) {
    Path dot;
    dot.ellipse(8 + (k % 3) * 27.5, 12 + (k / 3) * 33.0, 3, 3);
    cv.fill(dot, rgb(255, 255, 255), 0.35);
  }
  cv.fill(oval(35.5, 82, 24, 5), rgb(150, 80, 20), 0.35);
  const Colour dark = rgb(20, 90, 20), green = rgb(70, 190, 50), light = rgb(160, 240, 110);
  auto shaded = [=](double cx, double cy, double r) {
    return radial(light, green, cx - r * 0.4, cy - r * 0.5, r * 1.4);
  };
  // The wind-up key on its back.
  Path key;
  key.rect(53, 55, 60, 58);
  key.ellipse(62, 51, 3.2, 4.5, 0.3);
  key.ellipse(62, 62, 3.2, 4.5, -0.3);
  cv.fill(key, rgb(120, 80, 0));
  Path keyFace;
  keyFace.ellipse(62, 51, 2.2, 3.5, 0.3).ellipse(62, 62, 2.2, 3.5, -0.3).rect(53, 56, 60, 57);
  cv.fill(keyFace, rgb(250, 200, 40));
  // Back legs, body, belly.
  Path legs;
  legs.ellipse(17, 70, 9, 7).ellipse(54, 70, 9, 7);
  cv.fill(legs, dark);
  Path legFill;
  legFill.ellipse(17, 70, 8, 6).ellipse(54, 70, 8, 6);
  cv.fill(legFill, shaded(35.5, 60, 18));
  Path bodyEdge, bodyFill;
  bodyEdge.ellipse(35.5, 60, 20, 18);
  bodyFill.ellipse(35.5, 60, 19, 17);
  cv.fill(bodyEdge, dark);
  cv.fill(bodyFill, shaded(35.5, 60, 19));
  cv.fill(oval(35.5, 66, 11, 10), rgb(225, 245, 150));
  // Head with the big eyes on top.
  Path headEdge, headFill;
  headEdge.ellipse(35.5, 41, 20, 13).ellipse(25, 31, 8, 8).ellipse(46, 31, 8, 8);
  headFill.ellipse(35.5, 41, 19, 12).ellipse(25, 31, 7, 7).ellipse(46, 31, 7, 7);
  cv.fill(headEdge, dark);
  cv.fill(headFill, shaded(35.5, 38, 20));
  for (double ex : {25.0, 46.0}) {
    cv.fill(circle(ex, 31, 5.2), rgb(255, 255, 255));
    cv.fill(circle(ex + 0.5, 31.5, 2.8), rgb(10, 10, 10));
    cv.fill(circle(ex - 0.8, 29.8, 1.0), rgb(255, 255, 255));
  }
  Path smile;
  smile.arcStroke(35.5, 38, 13, 8, 0.35, kPi - 0.35, 1.3);
  cv.fill(smile, dark);
  cv.fill(circle(22, 45, 2.6), rgb(255, 120, 120), 0.6);
  cv.fill(circle(49, 45, 2.6), rgb(255, 120, 120), 0.6);
  // Front feet with round toes.
  for (double fx : {25.0, 46.0}) {
    Path foot;
    foot.ellipse(fx, 77, 6, 3.2);
    for (int t = -1; t <= 1; ++t) foot.ellipse(fx + t * 4.2, 79.5, 1.8, 1.8);
    cv.fill(foot, dark);
    Path footFill;
    footFill.ellipse(fx, 77, 5, 2.3);
    for (int t = -1; t <= 1; ++t) footFill.ellipse(fx + t * 4.2, 79.5, 1.1, 1.1);
    cv.fill(footFill, green);
  }
  cv.fill(circle(30, 53, 3), rgb(255, 255, 255), 0.3);
}

void redFlower(RgbCanvas& cv) {
  cv.fill(whole(), radial(rgb(60, 140, 60), rgb(10, 50, 20), 35, 40, 60));
  Path stem;
  stem.stroke(curve({36, 50}, {33, 64}, {40, 78}, {35, 96}), 2.6);
  cv.fill(stem, rgb(50, 130, 40));
  for (int side = -1; side <= 1; side += 2) {
    Path leaf;
    leaf.ellipse(36 + side * 12, 75 - side * 3, 11, 4, side * 0.5);
    cv.fill(leaf, rgb(60, 160, 60));
    Path vein;
    vein.stroke({{37.0, 76.0 - side * 1.0}, {36 + side * 20.0, 75 - side * 8.0}}, 0.7);
    cv.fill(vein, rgb(30, 90, 30));
  }
  const double cx = 35.5, cy = 38;
  auto petals = [&](int count, double dist, double rx, double ry, double turn, Colour inner,
                    Colour outer) {
    for (int k = 0; k < count; ++k) {
      const double a = turn + 2 * kPi * k / count;
      const double px = cx + dist * std::cos(a), py = cy + dist * std::sin(a);
      Path edge, petal;
      edge.ellipse(px, py, rx + 0.8, ry + 0.8, a);
      petal.ellipse(px, py, rx, ry, a);
      cv.fill(edge, rgb(110, 0, 10));
      cv.fill(petal, radial(inner, outer, cx, cy, dist + rx));
    }
  };
  petals(6, 12, 11, 8.5, -kPi / 2, rgb(150, 0, 10), rgb(255, 40, 40));
  petals(5, 6.5, 8, 6.5, -kPi / 2 + 0.6, rgb(140, 0, 10), rgb(235, 20, 30));
  cv.fill(circle(cx, cy, 4.5), rgb(50, 10, 20));
  for (int k = 0; k < 10; ++k) {
    const double a = 2 * kPi * k / 10;
    cv.fill(circle(cx + 3.6 * std::cos(a), cy + 3.6 * std::sin(a), 0.9), rgb(255, 220, 40));
  }
}

void palmIsland(RgbCanvas& cv) {
  cv.fill(whole(), vertical(rgb(70, 150, 235), rgb(200, 230, 255), 5, 60));
  cv.fill(circle(53, 20, 12), rgb(255, 250, 200), 0.25);
  cv.fill(circle(53, 20, 7), rgb(255, 235, 110));
  Path sea;
  sea.rect(0, 60, 71, 96);
  cv.fill(sea, vertical(rgb(40, 150, 210), rgb(10, 70, 150), 60, 91));
  for (int k = 0; k < 6; ++k) {
    Path wave;
    const double y = 66 + k * 4.5, x = 8 + (k * 23) % 45;
    wave.stroke({{x, y}, {x + 6, y}}, 0.7);
    cv.fill(wave, rgb(220, 240, 255), 0.8);
  }
  Path island;
  island.ellipse(36, 68, 22, 6);
  cv.fill(island, vertical(rgb(245, 225, 160), rgb(200, 170, 100), 62, 74));
  // The trunk: a tapering curve, darker rings across it.
  std::vector<Pt> spine = curve({40, 67}, {44, 52}, {38, 40}, {28, 30}, 16);
  Path trunk;
  for (std::size_t i = 0; i + 1 < spine.size(); ++i) {
    const double w0 = 3.0 - 1.6 * static_cast<double>(i) / 16,
                 w1 = 3.0 - 1.6 * static_cast<double>(i + 1) / 16;
    const Pt p = spine[i], q = spine[i + 1];
    const double dx = q.x - p.x, dy = q.y - p.y, len = std::hypot(dx, dy);
    const double nx = -dy / len, ny = dx / len;
    trunk.polygon({{p.x + nx * w0, p.y + ny * w0},
                   {q.x + nx * w1, q.y + ny * w1},
                   {q.x - nx * w1, q.y - ny * w1},
                   {p.x - nx * w0, p.y - ny * w0}});
  }
  cv.fill(trunk, rgb(140, 90, 40));
  for (std::size_t i = 1; i < spine.size(); i += 2) {
    const Pt p = spine[i], q = spine[i + 1];
    const double dx = q.x - p.x, dy = q.y - p.y, len = std::hypot(dx, dy);
    const double w = 3.0 - 1.6 * static_cast<double>(i) / 16;
    Path ring;
    ring.stroke(
        {{p.x - dy / len * w, p.y + dx / len * w}, {p.x + dy / len * w, p.y - dx / len * w}}, 0.6);
    cv.fill(ring, rgb(90, 55, 20));
  }
  // Fronds droop from the crown in every direction.
  const Pt crown{28, 30};
  const double fronds[][4] = {{-18, 6, -14, -6}, {-16, 16, -12, 4},  {18, 8, 12, -6},
                              {16, 18, 12, 4},   {-4, -14, -8, -10}, {8, -12, 6, -10},
                              {-6, 20, -6, 8}};
  for (const auto& f : fronds) {
    const Pt tip{crown.x + f[0], crown.y + f[1]};
    const Pt bend{crown.x + f[2], crown.y + f[3]};
    std::vector<Pt> rib = curve(crown, bend, bend, tip, 14);
    Path leaf;
    for (std::size_t i = 0; i < rib.size(); ++i) {
      const double t = static_cast<double>(i) / static_cast<double>(rib.size() - 1);
      leaf.ellipse(rib[i].x, rib[i].y, 2.6 * (1 - t) + 0.5, 2.6 * (1 - t) + 0.5);
    }
    cv.fill(leaf, rgb(30, 120, 40));
    Path mid;
    mid.stroke(rib, 0.8);
    cv.fill(mid, rgb(110, 200, 80));
  }
  cv.fill(circle(27, 32, 1.8), rgb(110, 70, 20));
  cv.fill(circle(30, 32.5, 1.8), rgb(90, 55, 15));
}

void blueSquares(RgbCanvas& cv) {
  cv.fill(whole(), rgb(10, 25, 80));
  Sequence s(77);
  const double size = 7.0, step = 7.8;
  for (int row = 0; row < 12; ++row) {
    for (int col = 0; col < 8; ++col) {
      const double x = 4.6 + col * step, y = 4.4 + row * step;
      const double t = s.next();
      const Colour base = mix(rgb(20, 70, 200), rgb(110, 180, 255), t);
      Path sq, light, dark;
      sq.rect(x, y, x + size, y + size);
      light.polygon({{x, y},
                     {x + size, y},
                     {x + size - 1.2, y + 1.2},
                     {x + 1.2, y + 1.2},
                     {x + 1.2, y + size - 1.2},
                     {x, y + size}});
      dark.polygon({{x + size, y},
                    {x + size, y + size},
                    {x, y + size},
                    {x + 1.2, y + size - 1.2},
                    {x + size - 1.2, y + size - 1.2},
                    {x + size - 1.2, y + 1.2}});
      cv.fill(sq, base);
      cv.fill(light, rgb(255, 255, 255), 0.45);
      cv.fill(dark, rgb(0, 0, 40), 0.45);
    }
  }
}

void purpleStreaks(RgbCanvas& cv) {
  cv.fill(whole(), radial(rgb(70, 10, 100), rgb(12, 0, 25), 35, 48, 60));
  struct Streak {
    Pt a, b, c, d;
    Colour glow;
  };
  const Streak streaks[] = {
      {{-5, 85}, {20, 60}, {40, 70}, {76, 20}, rgb(200, 90, 255)},
      {{-5, 70}, {25, 40}, {45, 55}, {76, 5}, rgb(255, 110, 230)},
      {{-5, 100}, {30, 75}, {50, 90}, {76, 40}, rgb(150, 90, 255)},
      {{-5, 40}, {15, 35}, {40, 20}, {60, -5}, rgb(230, 140, 255)},
      {{10, 100}, {40, 80}, {55, 80}, {76, 62}, rgb(255, 140, 255)},
  };
  for (const Streak& st : streaks) {
    const std::vector<Pt> pts = curve(st.a, st.b, st.c, st.d, 40);
    const double widths[] = {7.0, 4.0, 2.2, 0.9};
    const double alphas[] = {0.12, 0.2, 0.45, 0.95};
    for (int k = 0; k < 4; ++k) {
      Path p;
      p.stroke(pts, widths[k]);
      cv.fill(p, k == 3 ? rgb(255, 235, 255) : st.glow, alphas[k]);
    }
  }
  Sequence s(5);
  for (int i = 0; i < 14; ++i) {
    const double x = 6 + s.next() * 59, y = 6 + s.next() * 84;
    cv.fill(circle(x, y, 0.5 + s.next() * 0.4), rgb(255, 220, 255), 0.8);
  }
}

void duneMoon(RgbCanvas& cv) {
  cv.fill(whole(), vertical(rgb(6, 8, 40), rgb(80, 50, 110), 5, 70));
  stars(cv, 2024, 40, 62);
  cv.fill(circle(47, 24, 15), rgb(255, 250, 210), 0.1);
  cv.fill(circle(47, 24, 12), rgb(255, 250, 210), 0.15);
  cv.fill(circle(47, 24, 9), rgb(255, 248, 215));
  cv.fill(circle(44, 21.5, 2.0), rgb(225, 215, 170), 0.8);
  cv.fill(circle(50.5, 27, 1.5), rgb(225, 215, 170), 0.8);
  cv.fill(circle(48, 19.5, 1.0), rgb(225, 215, 170), 0.8);
  Path far;
  far.moveTo(0, 62)
      .cubicTo(12, 56, 22, 55, 32, 60)
      .cubicTo(44, 66, 58, 58, 71, 57)
      .lineTo(71, 96)
      .lineTo(0, 96)
      .close();
  cv.fill(far, vertical(rgb(120, 75, 80), rgb(80, 45, 60), 56, 70));
  // The near dune: its moonlit face turned to the right, the shadowed face to the left of a
  // sharp crest that sweeps down from the summit.
  Path dune;
  dune.moveTo(0, 74)
      .cubicTo(14, 70, 28, 60, 40, 57)
      .cubicTo(50, 60, 60, 66, 71, 68)
      .lineTo(71, 96)
      .lineTo(0, 96)
      .close();
  cv.fill(dune, vertical(rgb(225, 160, 95), rgb(165, 100, 60), 57, 92));
  Path shade;
  shade.moveTo(0, 74)
      .cubicTo(14, 70, 28, 60, 40, 57)
      .cubicTo(34, 70, 32, 84, 16, 96)
      .lineTo(0, 96)
      .close();
  cv.fill(shade, vertical(rgb(95, 55, 60), rgb(60, 32, 42), 57, 92));
  for (int k = 0; k < 5; ++k) {
    const double y = 70.0 + k * 5;
    Path ripple;
    ripple.stroke(curve({36.0 - k * 2, y}, {46.0, y - 3}, {56.0, y + 1}, {70.0, y - 1}), 0.6);
    cv.fill(ripple, rgb(150, 90, 55), 0.55);
  }
}

void astronaut(RgbCanvas& cv) {
  cv.fill(whole(), rgb(4, 4, 16));
  stars(cv, 99, 45, 90);
  // The earth below: ocean, land and cloud, with a thin glow of atmosphere.
  const double ex = 30, ey = 128, er = 56;
  cv.fill(circle(ex, ey, er + 3), rgb(120, 190, 255), 0.35);
  cv.fill(circle(ex, ey, er), radial(rgb(60, 140, 230), rgb(10, 40, 120), ex - 10, ey - 50, 70));
  Path land;
  land.ellipse(18, 78, 10, 4, 0.3)
      .ellipse(26, 80, 6, 3)
      .ellipse(48, 76, 9, 3.5, -0.2)
      .ellipse(55, 82, 6, 3);
  cv.fill(land, rgb(70, 140, 60));
  Path cloudBand;
  cloudBand.ellipse(36, 84, 12, 1.6, -0.1).ellipse(12, 86, 8, 1.4).ellipse(44, 77.5, 6, 1.2, 0.2);
  cv.fill(cloudBand, rgb(255, 255, 255), 0.8);
  // Cut the land and cloud to the globe by repainting the sky outside it.
  Path outside;
  outside.rect(0, 60, 71, 96).ellipse(ex, ey, er + 3, er + 3);
  cv.fill(outside, rgb(4, 4, 16), 1.0, FillRule::EvenOdd);
  Path halo;
  halo.arcStroke(ex, ey, er + 1.2, er + 1.2, -kPi, 0, 1.4);
  cv.fill(halo, rgb(140, 200, 255), 0.6);

  // The astronaut floats above it, waving.
  const Colour suit = rgb(240, 240, 245), fold = rgb(170, 175, 190), edge = rgb(60, 60, 80);
  const double cx = 36, cy = 40;
  Path pack;
  pack.roundRect(cx - 9, cy - 4, cx + 9, cy + 12, 3);
  cv.fill(pack, rgb(150, 150, 165));
  auto limb = [&](std::vector<Pt> pts, double w) {
    Path outline, fill;
    outline.stroke(pts, w + 1.4);
    fill.stroke(pts, w);
    cv.fill(outline, edge);
    cv.fill(fill, suit);
  };
  limb({{cx - 6, cy + 2}, {cx - 13, cy + 6}, {cx - 16, cy - 1}}, 4.4);
  limb({{cx + 6, cy + 2}, {cx + 13, cy + 9}}, 4.4);
  limb({{cx - 3.5, cy + 14}, {cx - 6, cy + 24}}, 5.0);
  limb({{cx + 3.5, cy + 14}, {cx + 8, cy + 23}}, 5.0);
  cv.fill(circle(cx - 16, cy - 2, 2.6), fold);
  cv.fill(circle(cx + 13.5, cy + 10, 2.6), fold);
  Path boots;
  boots.ellipse(cx - 6.3, cy + 25.5, 3.4, 2.3, 0.2).ellipse(cx + 8.5, cy + 24.5, 3.4, 2.3, -0.4);
  cv.fill(boots, rgb(120, 120, 135));
  Path torsoEdge, torso;
  torsoEdge.roundRect(cx - 7.7, cy - 0.7, cx + 7.7, cy + 16.7, 4);
  torso.roundRect(cx - 7, cy, cx + 7, cy + 16, 3.5);
  cv.fill(torsoEdge, edge);
  cv.fill(torso, [&](double x, double) { return mix(suit, fold, clamp01((x - cx) / 9)); });
  Path panel;
  panel.roundRect(cx - 3.5, cy + 5, cx + 3.5, cy + 10, 1);
  cv.fill(panel, rgb(200, 205, 215));
  cv.fill(circle(cx - 1.8, cy + 7.5, 0.8), rgb(230, 30, 30));
  cv.fill(circle(cx + 0.2, cy + 7.5, 0.8), rgb(40, 120, 255));
  cv.fill(circle(cx + 2.2, cy + 7.5, 0.8), rgb(40, 200, 60));
  // Helmet and the gold visor with a bright reflection.
  cv.fill(circle(cx, cy - 7, 9.2), edge);
  cv.fill(circle(cx, cy - 7, 8.5), radial(suit, fold, cx - 3, cy - 10, 12));
  Path visor;
  visor.ellipse(cx + 0.5, cy - 6.5, 6, 5);
  cv.fill(visor, radial(rgb(255, 210, 90), rgb(150, 90, 10), cx + 2, cy - 5, 7));
  Path glint;
  glint.ellipse(cx - 2, cy - 8.5, 2.2, 1.2, -0.6);
  cv.fill(glint, rgb(255, 255, 255), 0.85);
}

void orangeStripes(RgbCanvas& cv) {
  cv.fill(whole(), rgb(255, 140, 0));
  const Colour tones[] = {rgb(255, 190, 70), rgb(230, 95, 0), rgb(255, 225, 150), rgb(210, 70, 0)};
  for (int k = -14; k < 14; ++k) {
    const double c = k * 9.0;
    const Colour tone = tones[(k + 28) % 4];
    Path stripe;
    stripe.polygon({{c, 0}, {c + 4.5, 0}, {c + 4.5 + 96 * 0.6, 96}, {c + 96 * 0.6, 96}});
    cv.fill(stripe, tone);
  }
  cv.fill(
      whole(),
      [](double x, double y) {
        return mix(rgb(255, 255, 220), rgb(120, 40, 0), clamp01((y - x * 0.3) / 100));
      },
      0.25);
}

void racingCars(RgbCanvas& cv) {
  cv.fill(whole(), vertical(rgb(95, 95, 100), rgb(70, 70, 78), 5, 91));
  // Kerbs along the track and a broken centre line.
  for (int k = 0; k < 10; ++k) {
    for (double y : {5.0, 87.0}) {
      Path kerb;
      kerb.rect(k * 8.0, y, k * 8.0 + 4, y + 4);
      cv.fill(kerb, rgb(230, 30, 30));
      Path white;
      white.rect(k * 8.0 + 4, y, k * 8.0 + 8, y + 4);
      cv.fill(white, rgb(245, 245, 245));
    }
    Path dash;
    dash.rect(k * 12.0 + 2, 47, k * 12.0 + 8, 48.5);
    cv.fill(dash, rgb(235, 235, 235));
  }
  // A low single-seater seen from the side, nose to the right.
  auto car = [&cv](double x0, double y0, Colour helmet) {
    const Colour yellow = rgb(255, 215, 0), dark = rgb(40, 30, 0);
    for (int k = 0; k < 3; ++k) {
      Path speed;
      speed.stroke({{x0 - 12.0 + k * 2, y0 + 6.0 + k * 4}, {x0 - 3.0, y0 + 6.0 + k * 4}}, 0.8);
      cv.fill(speed, rgb(230, 230, 230), 0.7);
    }
    Path wing;
    wing.rect(x0, y0 + 1, x0 + 8, y0 + 4).rect(x0 + 4, y0 + 3, x0 + 6, y0 + 10);
    cv.fill(wing, dark);
    Path body;
    body.moveTo(x0 + 2, y0 + 9)
        .lineTo(x0 + 18, y0 + 6)
        .lineTo(x0 + 26, y0 + 7)
        .lineTo(x0 + 36, y0 + 10)
        .lineTo(x0 + 56, y0 + 14)
        .lineTo(x0 + 56, y0 + 16)
        .lineTo(x0 + 2, y0 + 17)
        .close();
    cv.fill(body.transformed(Affine::translate(0, 0.7)), dark);  // a dark underside
    cv.fill(body, vertical(rgb(255, 240, 120), yellow, y0 + 6, y0 + 14));
    Path stripe;
    stripe.polygon({{x0 + 6, y0 + 13}, {x0 + 54, y0 + 15}, {x0 + 54, y0 + 16}, {x0 + 6, y0 + 15}});
    cv.fill(stripe, rgb(20, 20, 20));
    Path frontWing;
    frontWing.rect(x0 + 47, y0 + 15.5, x0 + 59, y0 + 17.5);
    cv.fill(frontWing, dark);
    cv.fill(circle(x0 + 29, y0 + 6, 3.0), helmet);
    Path visor;
    visor.rect(x0 + 29.5, y0 + 4.8, x0 + 32.2, y0 + 6.6);
    cv.fill(visor, rgb(20, 20, 40));
    cv.fill(circle(x0 + 19, y0 + 11.5, 3.0), rgb(255, 255, 255));
    Path number;
    number.stroke({{x0 + 19, y0 + 9.8}, {x0 + 19, y0 + 13.2}}, 0.9);
    cv.fill(number, rgb(20, 20, 20));
    for (double wx : {x0 + 11, x0 + 46}) {
      cv.fill(circle(wx, y0 + 16.5, 6.0), rgb(15, 15, 15));
      cv.fill(circle(wx, y0 + 16.5, 2.6), rgb(180, 180, 190));
      cv.fill(circle(wx, y0 + 16.5, 1.0), rgb(60, 60, 60));
    }
  };
  car(8, 16, rgb(230, 30, 30));
  car(4, 60, rgb(30, 90, 230));
}

}  // namespace

Image drawBack(int number) {
  using Scene = void (*)(RgbCanvas&);
  static constexpr Scene kScenes[12] = {clouds,    blueAbstract, tropicalFish,  toyFrog,
                                        redFlower, palmIsland,   blueSquares,   purpleStreaks,
                                        duneMoon,  astronaut,    orangeStripes, racingCars};
  static constexpr Colour kFrames[12] = {{20, 60, 140}, {0, 20, 90},   {0, 50, 110}, {20, 90, 20},
                                         {20, 60, 20},  {10, 70, 150}, {10, 25, 80}, {40, 0, 60},
                                         {8, 10, 45},   {4, 4, 16},    {170, 60, 0}, {40, 40, 45}};
  if (number < 0 || number > 11) throw std::out_of_range("back number");
  RgbCanvas cv(kCardWidth, kCardHeight);
  kScenes[number](cv);

  // The frame, decided per pixel: magenta outside the rounded corners, a dark outline, a white
  // margin, then a line in the scene's own dark colour around the rounded picture.
  auto insideRounded = [](int x, int y, int x0, int y0, int x1, int y1, int r) {
    if (x < x0 || y < y0 || x > x1 || y > y1) return false;
    const int dx = std::min(x - x0, x1 - x), dy = std::min(y - y0, y1 - y);
    if (dx >= r || dy >= r) return true;
    const double ex = r - dx - 0.5, ey = r - dy - 0.5;
    return ex * ex + ey * ey <= r * r;
  };
  auto inPicture = [&](int x, int y) {
    return insideRounded(x, y, kPicLeft, kPicTop, kPicRight, kPicBottom, kPicRadius);
  };
  for (int y = 0; y < kCardHeight; ++y) {
    for (int x = 0; x < kCardWidth; ++x) {
      Colour& c = cv.at(x, y);
      if (!insideCard(x, y))
        c = toColour(kMagenta);
      else if (onCardOutline(x, y))
        c = rgb(0, 0, 0);
      else if (!inPicture(x, y))
        c = rgb(255, 255, 255);
      else if (!inPicture(x - 1, y) || !inPicture(x + 1, y) || !inPicture(x, y - 1) ||
               !inPicture(x, y + 1))
        c = kFrames[number];
    }
  }
  return cv.toImage();
}

}  // namespace pelmor::cardart
