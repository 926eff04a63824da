#include "portrait.h"

#include <cmath>

#include "shading.h"

namespace {

// Every measure below is for a bust 440 pixels tall and scales with the box.
const double kDesignHeight = 440;

struct Face {
  double cx, cy, r, u;  // centre, radius and one design pixel
};

Ramp sleeveOf(const Look& look) {
  if (look.jacket_ && !look.vest) return look.jacket;
  return look.longSleeves ? look.shirt : look.skin;
}

void eye(Canvas& c, const Face& f, double side, const Look& look) {
  const double ex = f.cx + side * 0.38 * f.r, ey = f.cy + 0.02 * f.r, u = f.u;
  c.fillEllipse(ex, ey, 15 * u, 8 * u, look.skin.line);
  c.fillEllipse(ex, ey, 13 * u, 6.5 * u, rgb(246, 242, 236));
  c.fillCircle(ex + side * -1.5 * u, ey, 6 * u, rgb(70, 50, 36));
  c.fillCircle(ex + side * -1.5 * u, ey, 3 * u, rgb(12, 10, 12));
  c.fillCircle(ex + side * -3.5 * u, ey - 2 * u, 1.6 * u, rgb(255, 255, 255));
  // Brows low over the eyes and angled down to the nose: a fighter's glare.
  c.line({ex + side * 18 * u, ey - 21 * u}, {ex - side * 16 * u, ey - 13 * u}, 6 * u, look.hair.line);
}

void face(Canvas& c, const Face& f, const Look& look) {
  const double u = f.u;
  eye(c, f, -1, look);
  eye(c, f, 1, look);
  c.line({f.cx + 2 * u, f.cy + 6 * u}, {f.cx - 6 * u, f.cy + 0.42 * f.r}, 4 * u, look.skin.dark);  // nose
  c.line({f.cx - 12 * u, f.cy + 0.46 * f.r}, {f.cx + 8 * u, f.cy + 0.46 * f.r}, 3 * u, look.skin.dark);
  c.line({f.cx - 0.24 * f.r, f.cy + 0.64 * f.r}, {f.cx + 0.26 * f.r, f.cy + 0.6 * f.r}, 4 * u, look.skin.line);  // mouth
  if (look.beard)
    c.fillPolygon({{f.cx - 0.78 * f.r, f.cy + 0.3 * f.r}, {f.cx - 0.3 * f.r, f.cy + 0.72 * f.r}, {f.cx + 0.3 * f.r, f.cy + 0.72 * f.r},
                   {f.cx + 0.78 * f.r, f.cy + 0.3 * f.r}, {f.cx + 0.45 * f.r, f.cy + 1.02 * f.r}, {f.cx - 0.45 * f.r, f.cy + 1.02 * f.r}},
                  look.hair.dark);
  if (look.shades) {
    for (double side : {-1.0, 1.0}) c.fillEllipse(f.cx + side * 0.38 * f.r, f.cy, 24 * u, 14 * u, rgb(16, 16, 22));
    c.line({f.cx - 0.2 * f.r, f.cy - 4 * u}, {f.cx + 0.2 * f.r, f.cy - 4 * u}, 4 * u, rgb(16, 16, 22));
    c.fillEllipse(f.cx - 0.46 * f.r, f.cy - 5 * u, 8 * u, 3 * u, rgb(255, 255, 255, 120));
  }
}

void hair(Canvas& c, const Face& f, const Look& look) {
  const double u = f.u, r = f.r;
  const Point top{f.cx, f.cy - 0.45 * r}, up{0, -1};
  switch (look.hairStyle) {
    case Hair::Bald:
      c.fillEllipse(f.cx - 0.3 * r, f.cy - 0.7 * r, 0.22 * r, 0.1 * r, look.skin.light);
      break;
    case Hair::Mohawk:
      for (int k = 0; k < 5; ++k) {  // a crest of spikes down the middle
        double y = f.cy - 0.95 * r + k * 0.07 * r;
        c.fillPolygon({{f.cx - 0.16 * r, y + 0.2 * r}, {f.cx + (k - 2) * 0.14 * r, y - 0.5 * r}, {f.cx + 0.16 * r, y + 0.2 * r}},
                      k % 2 ? look.hair.base : look.hair.light);
      }
      shadedCapsule(c, {f.cx, f.cy - 0.9 * r}, {f.cx, f.cy - 0.55 * r}, 0.16 * r, 0.14 * r, look.hair);
      break;
    case Hair::Cap:
      shadedDiscClipped(c, {f.cx, f.cy - 0.05 * r}, 1.08 * r, look.accent, {f.cx, f.cy - 0.5 * r}, up);
      shadedCapsule(c, {f.cx - 0.95 * r, f.cy - 0.5 * r}, {f.cx + 0.95 * r, f.cy - 0.5 * r}, 10 * u, 10 * u, dimmed(look.accent, 0.8));
      break;
    case Hair::Spiky:
      for (int k = -3; k <= 3; ++k)
        c.fillPolygon({{f.cx + k * 0.26 * r - 0.2 * r, f.cy - 0.75 * r}, {f.cx + k * 0.34 * r, f.cy - 1.35 * r + std::abs(k) * 0.1 * r},
                       {f.cx + k * 0.26 * r + 0.2 * r, f.cy - 0.75 * r}},
                      k % 2 ? look.hair.base : look.hair.dark);
      shadedDiscClipped(c, {f.cx, f.cy - 0.05 * r}, 1.07 * r, look.hair, top, up);
      break;
    case Hair::Long:
    case Hair::Short:
    default:
      shadedDiscClipped(c, {f.cx, f.cy - 0.05 * r}, 1.07 * r, look.hair, top, up);
      break;
  }
  if (look.headband) {
    shadedCapsule(c, {f.cx - 1.0 * r, f.cy - 0.42 * r}, {f.cx + 1.0 * r, f.cy - 0.42 * r}, 9 * u, 9 * u, look.accent);
    shadedCapsule(c, {f.cx + 0.95 * r, f.cy - 0.42 * r}, {f.cx + 1.45 * r, f.cy - 0.1 * r}, 7 * u, 4 * u, look.accent);
  }
}

// A fist held up in guard before the chest: four folded fingers and the thumb across them.
void fist(Canvas& c, Point at, double u, const Look& look) {
  for (int k = 0; k < 4; ++k) {
    double y = at.y - 27 * u + k * 18 * u;
    shadedCapsule(c, {at.x - 26 * u, y}, {at.x + 22 * u, y + 2 * u}, 10.5 * u, 10 * u, look.hands);
  }
  shadedCapsule(c, {at.x - 30 * u, at.y + 22 * u}, {at.x + 12 * u, at.y + 8 * u}, 10 * u, 8.5 * u, look.hands);
}

}  // namespace

void paintPortrait(Canvas& c, const Look& look, int x, int y, int w, int h, Color glow) {
  Canvas b(w, h);
  for (int r = static_cast<int>(w * 0.48); r > 0; r -= 4)
    b.fillCircle(w / 2.0, h * 0.45, r, mixed(rgb(0, 0, 0, 0), glow, 0.35 * (1.0 - r / (w * 0.5))));
  const double u = h / kDesignHeight, cx = w / 2.0;
  const double broad = look.build.chestR / 21.5;  // the heavies fill more of the box
  Face f{cx, h * 0.36, 98 * u * look.build.headR / 12.5, u};
  const double shoulders = h * 0.7;
  if (look.hairStyle == Hair::Long)  // hair falling behind the shoulders
    shadedCapsule(b, {f.cx, f.cy}, {f.cx, f.cy + 1.4 * f.r}, 1.12 * f.r, 1.0 * f.r, look.hair);
  const Ramp body = look.jacket_ ? look.jacket : look.shirt;
  shadedGroup(b, {{{cx - 130 * u * broad, shoulders + 30 * u}, {cx + 130 * u * broad, shoulders + 30 * u}, 62 * u, 62 * u},
                  {{cx, shoulders + 60 * u}, {cx, h + 120 * u}, 150 * u * broad, 150 * u * broad}},
              body);
  if (look.jacket_)  // the shirt showing between the jacket's fronts
    b.fillPolygon({{cx - 44 * u, shoulders - 10 * u}, {cx + 44 * u, shoulders - 10 * u}, {cx + 20 * u, double(h)}, {cx - 20 * u, double(h)}},
                  look.shirt.base);
  for (double side : {-1.0, 1.0})
    shadedCapsule(b, {cx + side * 175 * u * broad, shoulders + 30 * u}, {cx + side * 190 * u * broad, h + 40.0 * u}, 48 * u * broad,
                  44 * u * broad, sleeveOf(look));
  shadedCapsule(b, {cx, f.cy + 0.7 * f.r}, {cx, shoulders}, 34 * u * broad, 38 * u * broad, look.skin);  // neck
  for (double side : {-1.0, 1.0}) shadedDisc(b, {f.cx + side * 0.96 * f.r, f.cy + 0.08 * f.r}, 0.2 * f.r, look.skin);
  shadedGroup(b, {{{f.cx, f.cy - 0.15 * f.r}, {f.cx, f.cy + 0.25 * f.r}, f.r, 0.8 * f.r}}, look.skin);
  face(b, f, look);
  hair(b, f, look);
  // The guard: forearm up from below the box, fist before the chest.
  const Point knuckles{cx + 100 * u * broad, shoulders + 50 * u};
  shadedCapsule(b, {cx + 170 * u * broad, h + 30.0 * u}, {knuckles.x + 10 * u, knuckles.y + 10 * u}, 36 * u, 30 * u, sleeveOf(look));
  fist(b, knuckles, 1.5 * u * broad, look);
  c.draw(b, x, y);
}
