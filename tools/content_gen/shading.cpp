#include "shading.h"

#include <algorithm>
#include <cmath>

namespace {

const Point kLight{-0.6, -0.8};
const double kLitAbove = 0.36;
const double kShadowBelow = -0.26;
const double kOutlineWidth = 1.3;

enum class Layer { Both, LineOnly, FillOnly };

void paintRound(Canvas& canvas, Point a, Point b, double ra, double rb, const Ramp& ramp, bool clipped,
                Point through, Point normal, Layer layer = Layer::Both) {
  double rmax = std::max(ra, rb);
  int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - rmax - 1));
  int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + rmax + 1));
  int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - rmax - 1));
  int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + rmax + 1));
  Point d = b - a;
  double len2 = d.x * d.x + d.y * d.y;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      Point p{x + 0.5, y + 0.5};
      if (clipped && (p.x - through.x) * normal.x + (p.y - through.y) * normal.y < 0) continue;
      double t = len2 > 0 ? std::clamp(((p.x - a.x) * d.x + (p.y - a.y) * d.y) / len2, 0.0, 1.0) : 0.0;
      Point q = a + d * t;
      double r = ra + (rb - ra) * t;
      double dist = std::hypot(p.x - q.x, p.y - q.y);
      if (dist > r) continue;
      if (dist > r - kOutlineWidth || layer == Layer::LineOnly) {
        if (layer != Layer::FillOnly) canvas.set(x, y, ramp.line);
        continue;
      }
      double light = ((p.x - q.x) * kLight.x + (p.y - q.y) * kLight.y) / r;
      Color c = light > kLitAbove ? ramp.light : light < kShadowBelow ? ramp.dark : ramp.base;
      canvas.set(x, y, c);
    }
}

}  // namespace

void shadedCapsule(Canvas& canvas, Point a, Point b, double ra, double rb, const Ramp& ramp) {
  paintRound(canvas, a, b, ra, rb, ramp, false, {}, {});
}

void shadedDisc(Canvas& canvas, Point centre, double r, const Ramp& ramp) {
  paintRound(canvas, centre, centre, r, r, ramp, false, {}, {});
}

void shadedDiscClipped(Canvas& canvas, Point centre, double r, const Ramp& ramp, Point through, Point normal) {
  paintRound(canvas, centre, centre, r, r, ramp, true, through, normal);
}

void shadedGroup(Canvas& canvas, const std::vector<Capsule>& parts, const Ramp& ramp) {
  for (const Capsule& p : parts) paintRound(canvas, p.a, p.b, p.ra, p.rb, ramp, false, {}, {}, Layer::LineOnly);
  for (const Capsule& p : parts) paintRound(canvas, p.a, p.b, p.ra, p.rb, ramp, false, {}, {}, Layer::FillOnly);
}
