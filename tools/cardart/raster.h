// Vector shapes and the scanline rasterizer that turns them into palette or RGB pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "cardart.h"

namespace pelmor::cardart {

struct Pt {
  double x = 0;
  double y = 0;
};

// x' = a*x + c*y + e, y' = b*x + d*y + f.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  static Affine translate(double dx, double dy);
  static Affine scale(double sx, double sy);
  // Applies `*this` first, then `next`.
  Affine then(const Affine& next) const;
  Pt apply(Pt p) const;
};

// A set of closed contours. Curves are flattened on entry, so the rasterizer sees only polygons.
// Every contour is stored winding the same way, so that several shapes in one path unite under
// the non-zero rule; a hole therefore needs FillRule::EvenOdd.
class Path {
 public:
  Path& moveTo(double x, double y);
  Path& lineTo(double x, double y);
  Path& quadTo(double cx, double cy, double x, double y);
  Path& cubicTo(double c1x, double c1y, double c2x, double c2y, double x, double y);
  Path& close();

  Path& ellipse(double cx, double cy, double rx, double ry);
  Path& ellipse(double cx, double cy, double rx, double ry, double rotation);
  Path& rect(double x0, double y0, double x1, double y1);
  Path& roundRect(double x0, double y0, double x1, double y1, double r);
  Path& polygon(const std::vector<Pt>& points);
  // A polyline drawn with a round pen of the given width.
  Path& stroke(const std::vector<Pt>& points, double width, bool closed = false);
  // An arc of an ellipse drawn with a round pen; angles in radians, clockwise on screen.
  Path& arcStroke(double cx, double cy, double rx, double ry, double from, double to, double width);
  Path& append(const Path& other, const Affine& xf = {});

  Path transformed(const Affine& xf) const;
  const std::vector<std::vector<Pt>>& contours() const { return contours_; }

 private:
  void addNormalised(std::vector<Pt> contour);
  std::vector<std::vector<Pt>> contours_;
  std::vector<Pt> open_;
};

enum class FillRule { NonZero, EvenOdd };

// Fraction 0..1 of each pixel covered by the path, measured on ss x ss samples per pixel.
std::vector<float> coverage(const Path& path, int width, int height, int ss,
                            FillRule rule = FillRule::NonZero);

// Working colour with fractional channels 0..255, so blends accumulate without rounding.
struct Colour {
  double r = 0, g = 0, b = 0;
};
Colour toColour(Rgb c);
Colour mix(Colour a, Colour b, double t);

// A 24-bit picture being drawn with anti-aliasing.
class RgbCanvas {
 public:
  RgbCanvas(int width, int height, int samples = 4);
  int width() const { return width_; }
  int height() const { return height_; }
  void clear(Colour c);
  void fill(const Path& path, Colour c, double alpha = 1.0, FillRule rule = FillRule::NonZero);
  // Fills with a colour that varies over the picture (gradients, textures).
  void fill(const Path& path, const std::function<Colour(double x, double y)>& paint,
            double alpha = 1.0, FillRule rule = FillRule::NonZero);
  Colour& at(int x, int y) { return px_[static_cast<std::size_t>(y * width_ + x)]; }
  Image toImage() const;

 private:
  int width_, height_, samples_;
  std::vector<Colour> px_;
};

// A picture on a transparent background being drawn with anti-aliasing. Pixels are held
// premultiplied by their opacity, so that paint laid over a half-covered edge blends into it
// instead of darkening it.
class RgbaCanvas {
 public:
  RgbaCanvas(int width, int height, int samples = 4);
  int width() const { return width_; }
  int height() const { return height_; }
  void fill(const Path& path, Colour c, double alpha = 1.0, FillRule rule = FillRule::NonZero);
  // Lays `c` over one pixel at the given opacity: for touches placed by hand on small pictures.
  void paint(int x, int y, Colour c, double alpha = 1.0);
  RgbaImage toImage() const;

 private:
  struct Px {
    double r = 0, g = 0, b = 0, a = 0;
  };
  void over(std::size_t i, Colour c, double alpha);
  int width_, height_, samples_;
  std::vector<Px> px_;
};

// A palette picture being drawn without anti-aliasing: a pixel takes the colour when at least
// half of it is covered, so edges stay crisp.
class IndexCanvas {
 public:
  IndexCanvas(int width, int height, std::uint8_t background);
  int width() const { return width_; }
  int height() const { return height_; }
  void fill(const Path& path, std::uint8_t index, FillRule rule = FillRule::NonZero);
  void set(int x, int y, std::uint8_t index);
  std::uint8_t get(int x, int y) const;
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  Image toImage(int bitsPerPixel, const std::vector<Rgb>& palette) const;

 private:
  int width_, height_;
  std::vector<std::uint8_t> px_;
};

}  // namespace pelmor::cardart
