// An RGBA picture in memory with the drawing primitives every painter of the pack uses.
#pragma once

#include <string>
#include <vector>

#include "color.h"

struct Point {
  double x = 0, y = 0;
};

inline Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
inline Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
inline Point operator*(Point a, double k) { return {a.x * k, a.y * k}; }

class Canvas {
 public:
  Canvas(int width, int height, Color fill = Color{0, 0, 0, 0});

  int width() const { return width_; }
  int height() const { return height_; }
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Color get(int x, int y) const;
  void set(int x, int y, Color c);
  // Paints c over what is there, weighted by c's alpha.
  void blend(int x, int y, Color c);

  void fillRect(int x, int y, int w, int h, Color c);
  void blendRect(int x, int y, int w, int h, Color c);
  void verticalGradient(int x, int y, int w, int h, Color top, Color bottom);
  void fillCircle(double cx, double cy, double r, Color c);
  void fillEllipse(double cx, double cy, double rx, double ry, Color c);
  void fillPolygon(const std::vector<Point>& points, Color c);
  void line(Point a, Point b, double thickness, Color c);
  // Draws a one-pixel line of colour c round every opaque area, on the transparent side.
  void outline(Color c);
  // Copies another canvas in, blending by its alpha.
  void draw(const Canvas& src, int x, int y);
  // Copies a rectangle of another canvas in, replacing what is there.
  void copyFrom(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy);
  // Text in the built-in pixel font, each font pixel drawn as a scale-by-scale block.
  void text(const std::string& s, int x, int y, int scale, Color c);
  static int textWidth(const std::string& s, int scale);

  // Writes the picture as 32-bit RGBA or, dropping alpha, as 24-bit RGB.
  void savePngRgba(const std::string& path) const;
  void savePngRgb(const std::string& path) const;

 private:
  int width_, height_;
  std::vector<Color> pixels_;
};

// Draws src turned by `degrees` (clockwise on screen) with its centre at (cx, cy).
void drawRotated(Canvas& dst, const Canvas& src, double cx, double cy, double degrees);

// A square picture `size` pixels wide made from a larger square one: each pixel the average of
// the pixels under it, partly covered ones by the part covered, colour weighted by opacity so
// that transparent neighbours do not darken it.
Canvas averagedDown(const Canvas& src, int size);
