// Scanline polygon filling with supersampling, and the two canvases the pictures are drawn on.
#include "raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace pelmor::cardart {

namespace {

constexpr int kCurveSteps = 20;

double signedArea(const std::vector<Pt>& c) {
  double sum = 0;
  for (std::size_t i = 0; i < c.size(); ++i) {
    const Pt& p = c[i];
    const Pt& q = c[(i + 1) % c.size()];
    sum += p.x * q.y - q.x * p.y;
  }
  return sum / 2;
}

int stepsFor(double length) {
  return std::clamp(static_cast<int>(std::ceil(length * 1.5)), 12, 360);
}

}  // namespace

Affine Affine::translate(double dx, double dy) { return {1, 0, 0, 1, dx, dy}; }
Affine Affine::scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }

Affine Affine::then(const Affine& n) const {
  return {n.a * a + n.c * b, n.b * a + n.d * b,       n.a * c + n.c * d,
          n.b * c + n.d * d, n.a * e + n.c * f + n.e, n.b * e + n.d * f + n.f};
}

Pt Affine::apply(Pt p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }

Path& Path::moveTo(double x, double y) {
  close();
  open_.push_back({x, y});
  return *this;
}

Path& Path::lineTo(double x, double y) {
  open_.push_back({x, y});
  return *this;
}

Path& Path::quadTo(double cx, double cy, double x, double y) {
  const Pt p0 = open_.empty() ? Pt{x, y} : open_.back();
  for (int i = 1; i <= kCurveSteps; ++i) {
    const double t = static_cast<double>(i) / kCurveSteps;
    const double u = 1 - t;
    open_.push_back(
        {u * u * p0.x + 2 * u * t * cx + t * t * x, u * u * p0.y + 2 * u * t * cy + t * t * y});
  }
  return *this;
}

Path& Path::cubicTo(double c1x, double c1y, double c2x, double c2y, double x, double y) {
  const Pt p0 = open_.empty() ? Pt{x, y} : open_.back();
  for (int i = 1; i <= kCurveSteps; ++i) {
    const double t = static_cast<double>(i) / kCurveSteps;
    const double u = 1 - t;
    const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
    open_.push_back(
        {w0 * p0.x + w1 * c1x + w2 * c2x + w3 * x, w0 * p0.y + w1 * c1y + w2 * c2y + w3 * y});
  }
  return *this;
}

Path& Path::close() {
  if (open_.size() >= 3) addNormalised(std::move(open_));
  open_.clear();
  return *this;
}

void Path::addNormalised(std::vector<Pt> contour) {
  if (signedArea(contour) < 0) std::reverse(contour.begin(), contour.end());
  contours_.push_back(std::move(contour));
}

Path& Path::ellipse(double cx, double cy, double rx, double ry) {
  return ellipse(cx, cy, rx, ry, 0.0);
}

Path& Path::ellipse(double cx, double cy, double rx, double ry, double rotation) {
  close();
  const int n = stepsFor(2 * std::numbers::pi * std::max(rx, ry));
  const double cr = std::cos(rotation), sr = std::sin(rotation);
  std::vector<Pt> c;
  for (int i = 0; i < n; ++i) {
    const double t = 2 * std::numbers::pi * i / n;
    const double x = rx * std::cos(t), y = ry * std::sin(t);
    c.push_back({cx + x * cr - y * sr, cy + x * sr + y * cr});
  }
  addNormalised(std::move(c));
  return *this;
}

Path& Path::rect(double x0, double y0, double x1, double y1) {
  return polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

Path& Path::roundRect(double x0, double y0, double x1, double y1, double r) {
  close();
  std::vector<Pt> c;
  const int quarter = std::max(4, stepsFor(r * std::numbers::pi / 2) / 2);
  const Pt centres[4] = {{x1 - r, y0 + r}, {x1 - r, y1 - r}, {x0 + r, y1 - r}, {x0 + r, y0 + r}};
  for (int k = 0; k < 4; ++k) {
    for (int i = 0; i <= quarter; ++i) {
      const double t = std::numbers::pi / 2 * (k - 1 + static_cast<double>(i) / quarter);
      c.push_back({centres[k].x + r * std::cos(t), centres[k].y + r * std::sin(t)});
    }
  }
  addNormalised(std::move(c));
  return *this;
}

Path& Path::polygon(const std::vector<Pt>& points) {
  close();
  if (points.size() >= 3) addNormalised(points);
  return *this;
}

Path& Path::stroke(const std::vector<Pt>& points, double width, bool closed) {
  close();
  const double h = width / 2;
  const std::size_t n = points.size();
  const std::size_t segments = closed ? n : (n == 0 ? 0 : n - 1);
  for (std::size_t i = 0; i < segments; ++i) {
    const Pt p = points[i];
    const Pt q = points[(i + 1) % n];
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double len = std::hypot(dx, dy);
    if (len <= 0) continue;
    const double nx = -dy / len * h, ny = dx / len * h;
    polygon(
        {{p.x + nx, p.y + ny}, {q.x + nx, q.y + ny}, {q.x - nx, q.y - ny}, {p.x - nx, p.y - ny}});
  }
  for (const Pt& p : points) ellipse(p.x, p.y, h, h);
  return *this;
}

Path& Path::arcStroke(double cx, double cy, double rx, double ry, double from, double to,
                      double width) {
  const int n = std::max(2, stepsFor(std::abs(to - from) * std::max(rx, ry)) / 2);
  std::vector<Pt> pts;
  for (int i = 0; i <= n; ++i) {
    const double t = from + (to - from) * i / n;
    pts.push_back({cx + rx * std::cos(t), cy + ry * std::sin(t)});
  }
  return stroke(pts, width);
}

Path& Path::append(const Path& other, const Affine& xf) {
  close();
  for (const auto& c : other.contours_) {
    std::vector<Pt> t;
    t.reserve(c.size());
    for (const Pt& p : c) t.push_back(xf.apply(p));
    addNormalised(std::move(t));
  }
  return *this;
}

Path Path::transformed(const Affine& xf) const {
  Path p;
  p.append(*this, xf);
  return p;
}

std::vector<float> coverage(const Path& path, int width, int height, int ss, FillRule rule) {
  std::vector<int> hits(static_cast<std::size_t>(width * height), 0);
  struct Edge {
    Pt p, q;
  };
  std::vector<Edge> edges;
  double minY = 1e30, maxY = -1e30;
  for (const auto& c : path.contours()) {
    for (std::size_t i = 0; i < c.size(); ++i) {
      const Pt& p = c[i];
      const Pt& q = c[(i + 1) % c.size()];
      minY = std::min(minY, p.y);
      maxY = std::max(maxY, p.y);
      if (p.y != q.y) edges.push_back({p, q});
    }
  }
  std::vector<float> out(hits.size(), 0.0f);
  if (edges.empty()) return out;

  const int firstRow = std::max(0, static_cast<int>(std::floor(minY * ss)) - 1);
  const int lastRow = std::min(height * ss - 1, static_cast<int>(std::ceil(maxY * ss)) + 1);
  const int columns = width * ss;
  std::vector<std::pair<double, int>> crossings;
  for (int sy = firstRow; sy <= lastRow; ++sy) {
    const double y = (sy + 0.5) / ss;
    crossings.clear();
    for (const Edge& e : edges) {
      const bool down = e.p.y <= y && y < e.q.y;
      const bool up = e.q.y <= y && y < e.p.y;
      if (!down && !up) continue;
      const double x = e.p.x + (y - e.p.y) * (e.q.x - e.p.x) / (e.q.y - e.p.y);
      crossings.push_back({x, down ? 1 : -1});
    }
    std::sort(crossings.begin(), crossings.end());
    int winding = 0;
    int* row = &hits[static_cast<std::size_t>((sy / ss) * width)];
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += crossings[i].second;
      const bool filled = rule == FillRule::NonZero ? winding != 0 : (i % 2) == 0;
      if (!filled) continue;
      const int from = std::max(0, static_cast<int>(std::ceil(crossings[i].first * ss - 0.5)));
      const int to =
          std::min(columns, static_cast<int>(std::ceil(crossings[i + 1].first * ss - 0.5)));
      for (int sx = from; sx < to; ++sx) ++row[sx / ss];
    }
  }
  const float total = static_cast<float>(ss * ss);
  for (std::size_t i = 0; i < hits.size(); ++i) out[i] = static_cast<float>(hits[i]) / total;
  return out;
}

Colour toColour(Rgb c) { return {double(c.r), double(c.g), double(c.b)}; }

Colour mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

RgbCanvas::RgbCanvas(int width, int height, int samples)
    : width_(width),
      height_(height),
      samples_(samples),
      px_(static_cast<std::size_t>(width * height), Colour{255, 255, 255}) {}

void RgbCanvas::clear(Colour c) { std::fill(px_.begin(), px_.end(), c); }

void RgbCanvas::fill(const Path& path, Colour c, double alpha, FillRule rule) {
  fill(
      path, [c](double, double) { return c; }, alpha, rule);
}

void RgbCanvas::fill(const Path& path, const std::function<Colour(double, double)>& paint,
                     double alpha, FillRule rule) {
  const std::vector<float> cov = coverage(path, width_, height_, samples_, rule);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * width_ + x);
      if (cov[i] <= 0) continue;
      px_[i] = mix(px_[i], paint(x + 0.5, y + 0.5), cov[i] * alpha);
    }
  }
}

Image RgbCanvas::toImage() const {
  Image img;
  img.width = width_;
  img.height = height_;
  img.bitsPerPixel = 24;
  img.rgb.reserve(px_.size());
  auto channel = [](double v) {
    return static_cast<std::uint8_t>(std::clamp(static_cast<int>(std::lround(v)), 0, 255));
  };
  for (const Colour& c : px_) img.rgb.push_back({channel(c.r), channel(c.g), channel(c.b)});
  return img;
}

RgbaCanvas::RgbaCanvas(int width, int height, int samples)
    : width_(width),
      height_(height),
      samples_(samples),
      px_(static_cast<std::size_t>(width * height)) {}

void RgbaCanvas::over(std::size_t i, Colour c, double alpha) {
  Px& p = px_[i];
  const double keep = 1 - alpha;
  p.r = c.r * alpha + p.r * keep;
  p.g = c.g * alpha + p.g * keep;
  p.b = c.b * alpha + p.b * keep;
  p.a = alpha + p.a * keep;
}

void RgbaCanvas::fill(const Path& path, Colour c, double alpha, FillRule rule) {
  const std::vector<float> cov = coverage(path, width_, height_, samples_, rule);
  for (std::size_t i = 0; i < px_.size(); ++i) {
    if (cov[i] > 0) over(i, c, cov[i] * alpha);
  }
}

void RgbaCanvas::paint(int x, int y, Colour c, double alpha) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_)
    over(static_cast<std::size_t>(y * width_ + x), c, alpha);
}

RgbaImage RgbaCanvas::toImage() const {
  RgbaImage img;
  img.width = width_;
  img.height = height_;
  img.pixels.reserve(px_.size());
  auto channel = [](double v) {
    return static_cast<std::uint8_t>(std::clamp(static_cast<int>(std::lround(v)), 0, 255));
  };
  for (const Px& p : px_) {
    const std::uint8_t a = channel(p.a * 255);
    if (a == 0) {
      img.pixels.push_back({});
    } else {
      img.pixels.push_back({channel(p.r / p.a), channel(p.g / p.a), channel(p.b / p.a), a});
    }
  }
  return img;
}

IndexCanvas::IndexCanvas(int width, int height, std::uint8_t background)
    : width_(width), height_(height), px_(static_cast<std::size_t>(width * height), background) {}

void IndexCanvas::fill(const Path& path, std::uint8_t index, FillRule rule) {
  const std::vector<float> cov = coverage(path, width_, height_, 4, rule);
  for (std::size_t i = 0; i < px_.size(); ++i) {
    if (cov[i] >= 0.5f) px_[i] = index;
  }
}

void IndexCanvas::set(int x, int y, std::uint8_t index) {
  if (inside(x, y)) px_[static_cast<std::size_t>(y * width_ + x)] = index;
}

std::uint8_t IndexCanvas::get(int x, int y) const {
  return px_[static_cast<std::size_t>(y * width_ + x)];
}

Image IndexCanvas::toImage(int bitsPerPixel, const std::vector<Rgb>& palette) const {
  Image img;
  img.width = width_;
  img.height = height_;
  img.bitsPerPixel = bitsPerPixel;
  img.palette = palette;
  img.indices = px_;
  return img;
}

}  // namespace pelmor::cardart
