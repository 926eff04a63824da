#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>
#include <stb/stb_easy_font.h>

#include "file_out.h"

Canvas::Canvas(int width, int height, Color fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

Color Canvas::get(int x, int y) const {
  if (!inside(x, y)) return Color{0, 0, 0, 0};
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Canvas::set(int x, int y, Color c) {
  if (inside(x, y)) pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Canvas::blend(int x, int y, Color c) {
  if (!inside(x, y) || c.a == 0) return;
  Color& d = pixels_[static_cast<size_t>(y) * width_ + x];
  if (c.a == 255 || d.a == 0) {
    d = c;
    return;
  }
  double a = c.a / 255.0;
  double outA = a + d.a / 255.0 * (1 - a);
  auto ch = [&](uint8_t s, uint8_t t) {
    return static_cast<int>((s * a + t * (d.a / 255.0) * (1 - a)) / outA + 0.5);
  };
  d = rgb(ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), static_cast<int>(outA * 255 + 0.5));
}

void Canvas::fillRect(int x, int y, int w, int h, Color c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) set(i, j, c);
}

void Canvas::blendRect(int x, int y, int w, int h, Color c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) blend(i, j, c);
}

void Canvas::verticalGradient(int x, int y, int w, int h, Color top, Color bottom) {
  for (int j = 0; j < h; ++j) {
    Color c = mixed(top, bottom, h > 1 ? static_cast<double>(j) / (h - 1) : 0.0);
    for (int i = 0; i < w; ++i) blend(x + i, y + j, c);
  }
}

void Canvas::fillCircle(double cx, double cy, double r, Color c) { fillEllipse(cx, cy, r, r, c); }

void Canvas::fillEllipse(double cx, double cy, double rx, double ry, Color c) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) blend(x, y, c);
    }
}

void Canvas::fillPolygon(const std::vector<Point>& pts, Color c) {
  if (pts.size() < 3) return;
  double top = pts[0].y, bottom = pts[0].y;
  for (const Point& p : pts) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  for (int y = static_cast<int>(std::floor(top)); y <= static_cast<int>(std::ceil(bottom)); ++y) {
    double sy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < pts.size(); ++i) {
      Point a = pts[i], b = pts[(i + 1) % pts.size()];
      if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
        xs.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x < static_cast<int>(std::ceil(xs[i + 1] - 0.5)); ++x)
        blend(x, y, c);
  }
}

void Canvas::line(Point a, Point b, double thickness, Color c) {
  double r = thickness / 2;
  int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - r)), x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + r));
  int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - r)), y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + r));
  Point d = b - a;
  double len2 = d.x * d.x + d.y * d.y;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      Point p{x + 0.5, y + 0.5};
      double t = len2 > 0 ? std::clamp(((p.x - a.x) * d.x + (p.y - a.y) * d.y) / len2, 0.0, 1.0) : 0.0;
      Point q = a + d * t;
      if (std::hypot(p.x - q.x, p.y - q.y) <= r) blend(x, y, c);
    }
}

void Canvas::outline(Color c) {
  std::vector<Color> src = pixels_;
  auto opaque = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < width_ && y < height_ && src[static_cast<size_t>(y) * width_ + x].a > 96;
  };
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (!opaque(x, y) && (opaque(x - 1, y) || opaque(x + 1, y) || opaque(x, y - 1) || opaque(x, y + 1)))
        set(x, y, c);
}

void Canvas::draw(const Canvas& src, int x, int y) {
  for (int j = 0; j < src.height(); ++j)
    for (int i = 0; i < src.width(); ++i) blend(x + i, y + j, src.get(i, j));
}

void Canvas::copyFrom(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) set(dx + i, dy + j, src.get(sx + i, sy + j));
}

namespace {
struct FontQuadVertex {
  float x, y, z;
  unsigned char color[4];
};
}  // namespace

void Canvas::text(const std::string& s, int x, int y, int scale, Color c) {
  static FontQuadVertex buffer[20000];
  int quads = stb_easy_font_print(0, 0, const_cast<char*>(s.c_str()), nullptr, buffer, sizeof(buffer));
  for (int q = 0; q < quads; ++q) {
    const FontQuadVertex* v = &buffer[q * 4];
    int qx0 = static_cast<int>(v[0].x), qy0 = static_cast<int>(v[0].y);
    int qx1 = static_cast<int>(v[2].x), qy1 = static_cast<int>(v[2].y);
    fillRect(x + qx0 * scale, y + qy0 * scale, (qx1 - qx0) * scale, (qy1 - qy0) * scale, c);
  }
}

int Canvas::textWidth(const std::string& s, int scale) {
  return stb_easy_font_width(const_cast<char*>(s.c_str())) * scale;
}

void Canvas::savePngRgba(const std::string& path) const {
  ensureParentFolder(path);
  if (!stbi_write_png(path.c_str(), width_, height_, 4, pixels_.data(), width_ * 4))
    throw std::runtime_error("cannot write " + path);
}

void Canvas::savePngRgb(const std::string& path) const {
  ensureParentFolder(path);
  std::vector<uint8_t> rgbBytes;
  rgbBytes.reserve(pixels_.size() * 3);
  for (const Color& c : pixels_) {
    rgbBytes.push_back(c.r);
    rgbBytes.push_back(c.g);
    rgbBytes.push_back(c.b);
  }
  if (!stbi_write_png(path.c_str(), width_, height_, 3, rgbBytes.data(), width_ * 3))
    throw std::runtime_error("cannot write " + path);
}

void drawRotated(Canvas& dst, const Canvas& src, double cx, double cy, double degrees) {
  double r = degrees * 3.14159265358979323846 / 180.0;
  double cs = std::cos(r), sn = std::sin(r);
  double half = std::hypot(src.width(), src.height()) / 2 + 1;
  double sx0 = src.width() / 2.0, sy0 = src.height() / 2.0;
  for (int y = static_cast<int>(cy - half); y <= static_cast<int>(cy + half); ++y)
    for (int x = static_cast<int>(cx - half); x <= static_cast<int>(cx + half); ++x) {
      double px = x + 0.5 - cx, py = y + 0.5 - cy;
      // Inverse rotation finds the source pixel that lands here.
      double sx = px * cs + py * sn + sx0, sy = -px * sn + py * cs + sy0;
      if (sx < 0 || sy < 0 || sx >= src.width() || sy >= src.height()) continue;
      dst.blend(x, y, src.get(static_cast<int>(sx), static_cast<int>(sy)));
    }
}

// Each pixel of the result is the average of the master's pixels under it, partly covered ones
// by the part covered; colour is weighted by opacity so that the transparent corners do not
// darken the rim.
Canvas averagedDown(const Canvas& src, int size) {
  const double step = static_cast<double>(src.width()) / size;
  Canvas out(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0, a = 0, area = 0;
      const double x0 = x * step, x1 = x0 + step, y0 = y * step, y1 = y0 + step;
      for (int sy = static_cast<int>(y0); sy < std::ceil(y1); ++sy)
        for (int sx = static_cast<int>(x0); sx < std::ceil(x1); ++sx) {
          const double w = (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0)) *
                           (std::min<double>(sy + 1, y1) - std::max<double>(sy, y0));
          const Color c = src.get(sx, sy);
          const double alpha = c.a / 255.0;
          r += c.r * alpha * w;
          g += c.g * alpha * w;
          b += c.b * alpha * w;
          a += alpha * w;
          area += w;
        }
      if (a <= 0) continue;
      out.set(x, y, rgb(static_cast<int>(std::lround(r / a)), static_cast<int>(std::lround(g / a)),
                        static_cast<int>(std::lround(b / a)), static_cast<int>(std::lround(255 * a / area))));
    }
  return out;
}
