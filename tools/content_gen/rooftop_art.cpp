// The rooftops under neon: tar roofs and parapets high over the city, water tanks, vents and
// signs that glow pink, cyan and green against a purple night.
#include <cmath>

#include "shading.h"
#include "stage_art.h"

namespace {

const int kW = kFacadeW, kH = kFacadeH;
// Tile row of the parapet's top behind the walkway.
const int kParapet = 300;
const Color kNeon[3] = {rgb(255, 70, 190), rgb(60, 230, 255), rgb(120, 255, 90)};

void glow(Canvas& c, int x, int y, int w, int h, Color neon) {
  for (int r = 10; r > 0; r -= 2) c.blendRect(x - r, y - r, w + 2 * r, h + 2 * r, rgb(neon.r, neon.g, neon.b, 10));
  c.fillRect(x, y, w, h, neon);
  c.fillRect(x + 1, y + 1, w - 2, std::max(1, h - 2), mixed(neon, rgb(255, 255, 255), 0.6));
}

void neonWord(Canvas& c, const std::string& word, int x, int y, int scale, Color neon) {
  for (int r = 8; r > 0; r -= 2) c.blendRect(x - r, y - r, Canvas::textWidth(word, scale) + 2 * r, 7 * scale + 2 * r,
                                             rgb(neon.r, neon.g, neon.b, 12));
  c.text(word, x, y, scale, neon);
}

void parapet(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  wallTexture(c, ox, oy + kParapet, kW, kH - kParapet, t.walls[rng.below(4)], Wall::Concrete, rng);
  c.fillRect(ox, oy + kParapet, kW, 10, scaled(t.trim, 0.8));  // the coping
}

void signFrame(Canvas& c, int ox, int oy, const std::string& word, Color neon) {
  for (int x : {40, 200}) c.fillRect(ox + x, oy + 150, 8, kParapet - 150, rgb(40, 36, 50));
  c.line({ox + 44.0, oy + 200.0}, {ox + 204.0, oy + 290.0}, 2, rgb(40, 36, 50));
  c.fillRect(ox + 16, oy + 60, 224, 96, rgb(24, 20, 34));
  neonWord(c, word, ox + 128 - Canvas::textWidth(word, 4) / 2, oy + 90, 4, neon);
}

void waterTank(Canvas& c, int ox, int oy) {
  Ramp wood = rampOf(rgb(110, 76, 60));
  for (int x : {70, 180}) c.fillRect(ox + x, oy + 200, 8, kParapet - 200, rgb(30, 28, 36));
  c.line({ox + 74.0, oy + 210.0}, {ox + 184.0, oy + 290.0}, 3, rgb(30, 28, 36));
  c.fillRect(ox + 60, oy + 90, 136, 112, wood.line);
  c.fillRect(ox + 63, oy + 93, 130, 106, wood.base);
  for (int y = 110; y < 200; y += 26) c.fillRect(ox + 60, oy + y, 136, 4, rgb(50, 48, 56));  // hoops
  c.fillPolygon({{ox + 54.0, oy + 92.0}, {ox + 128.0, oy + 50.0}, {ox + 202.0, oy + 92.0}}, wood.dark);
}

void coolingUnits(Canvas& c, int ox, int oy, Rng& rng) {
  Ramp m = rampOf(rgb(150, 150, 170));
  for (int k = 0; k < 2; ++k) {
    int x = ox + 20 + k * 116;
    c.fillRect(x, oy + 200, 100, 100, m.line);
    c.fillRect(x + 2, oy + 202, 96, 96, m.base);
    c.fillCircle(x + 50.0, oy + 250.0, 36, m.dark);
    for (int a = 0; a < 3; ++a)
      c.line({x + 50.0, oy + 250.0}, {x + 50 + 32 * std::cos(a * 2.1 + rng.unit()), oy + 250 + 32 * std::sin(a * 2.1)}, 6, m.light);
  }
}

void front(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng) {
  parapet(c, ox, oy, t, rng);
  if (variant == 0) signFrame(c, ox, oy, t.signs[0], kNeon[0]);
  if (variant == 1) waterTank(c, ox, oy);
  if (variant == 2) coolingUnits(c, ox, oy, rng);
  if (variant == 3) signFrame(c, ox, oy, t.signs[1], kNeon[1]);
}

void far(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng) {
  const int top = 60 + variant * 50, w = 150 - variant * 20, x = ox + (kFarBlockW - w) / 2;
  c.fillRect(x, oy + top, w, kFarBlockH - top, t.skyline);
  for (int y = top + 12; y < kFarBlockH - 10; y += 18)
    for (int wx = 8; wx < w - 8; wx += 16)
      if (rng.unit() < 0.35) c.fillRect(x + wx, oy + y, 8, 10, t.skylineLit);
  glow(c, x + 10, oy + top + 6, w - 20, 4, kNeon[variant]);  // a band of light round the crown
}

void antenna(Canvas& c, int ox, int oy) {
  c.fillRect(ox + 22, oy + 20, 4, 280, rgb(50, 46, 60));
  for (int y = 60; y < 280; y += 50) c.line({ox + 8.0, oy + y + 0.0}, {ox + 40.0, oy + y + 20.0}, 2, rgb(50, 46, 60));
  c.fillCircle(ox + 24.0, oy + 16.0, 6, rgb(255, 40, 40));
  c.fillRect(ox + 10, oy + 292, 28, 8, rgb(50, 46, 60));
}

void roofVent(Canvas& c, int ox, int oy) {
  Ramp m = rampOf(rgb(160, 160, 176));
  shadedCapsule(c, {ox + 16.0, oy + 44.0}, {ox + 16.0, oy + 14.0}, 10, 10, m);
  c.fillRect(ox + 2, oy + 4, 28, 10, m.dark);
}

void fuseBox(Canvas& c, int ox, int oy) {
  Ramp r = rampOf(rgb(80, 90, 110));
  c.fillRect(ox, oy, 48, 66, r.line);
  c.fillRect(ox + 2, oy + 2, 44, 62, r.base);
  glow(c, ox + 8, oy + 10, 6, 6, kNeon[2]);
  c.fillRect(ox + 6, oy + 40, 36, 3, r.dark);
}

void chimneyPipe(Canvas& c, int ox, int oy) {
  shadedCapsule(c, {ox + 12.0, oy + 70.0}, {ox + 12.0, oy + 8.0}, 10, 10, rampOf(rgb(150, 90, 70)));
}

void wirePanel(Canvas& c, int ox, int oy) {
  for (int x : {0, 124}) c.fillRect(ox + x, oy, 4, 104, rgb(70, 70, 80));
  for (int k = -104; k < 128; k += 10) {
    c.line({ox + k + 0.0, oy + 0.0}, {ox + k + 104.0, oy + 104.0}, 1, rgb(120, 120, 140));
    c.line({ox + k + 104.0, oy + 0.0}, {ox + k + 0.0, oy + 104.0}, 1, rgb(120, 120, 140));
  }
}

void roofEdge(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp r = rampOf(t.pavement);
  c.fillRect(ox, oy, kPavementW, kPavementH, r.base);
  for (int k = 0; k < 400; ++k) c.set(ox + rng.below(kPavementW), oy + 10 + rng.below(50), rng.unit() < 0.5 ? r.light : r.dark);
  glow(c, ox, oy + 2, kPavementW, 3, kNeon[1]);  // a strip light along the walkway's back edge
}

void tarRoof(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp r = rampOf(t.road);
  c.verticalGradient(ox, oy, kRoadW, kRoadH, scaled(t.road, 0.8), t.road);
  for (int k = 0; k < 900; ++k) c.set(ox + rng.below(kRoadW), oy + rng.below(kRoadH), rng.unit() < 0.5 ? r.light : r.dark);
  for (int y = 40; y < kRoadH; y += 80) c.fillRect(ox, oy + y, kRoadW, 3, r.line);  // seams of the felt
  c.fillEllipse(ox + 64.0, oy + 200.0, 30, 8, rgb(180, 60, 160, 50));  // a neon sign's light in a puddle
}

void neonRail(Canvas& c, int ox, int oy) {
  for (int x = 0; x < 256; x += 64) c.fillRect(ox + x + 4, oy + 20, 6, 64, rgb(40, 36, 50));
  glow(c, ox, oy + 14, 256, 5, kNeon[0]);
  c.fillRect(ox, oy + 50, 256, 4, rgb(40, 36, 50));
}

void crates(Canvas& c, int ox, int oy, Rng& rng) {
  for (int k = 0; k < 3; ++k) {
    int x = ox + (k == 2 ? 32 : k * 64), y = oy + (k == 2 ? 8 : 58);
    Ramp r = rampOf(rng.unit() < 0.5 ? rgb(70, 70, 90) : rgb(90, 60, 90));
    c.fillRect(x, y, 62, 52, r.line);
    c.fillRect(x + 2, y + 2, 58, 48, r.base);
    c.fillRect(x + 2, y + 2, 58, 4, r.light);
  }
}

void backdrop(Canvas& c, const Theme& t, Rng& rng) {
  c.verticalGradient(0, 0, 1024, 480, t.skyTop, t.skyBottom);
  for (int x = -20; x < 1024; x += 50 + rng.below(60)) {  // towers all round, lit
    int w = 50 + rng.below(60), top = 60 + rng.below(260);
    c.fillRect(x, top, w, 480 - top, scaled(t.skyline, 0.9));
    for (int y = top + 10; y < 470; y += 16)
      for (int wx = 6; wx < w - 6; wx += 12)
        if (rng.unit() < 0.3) c.fillRect(x + wx, y, 6, 8, t.skylineLit);
    if (rng.unit() < 0.4) glow(c, x + 6, top + 4, w - 12, 3, kNeon[rng.below(3)]);
  }
  c.fillRect(0, 480, 1024, 288, scaled(t.skyBottom, 0.35));
}

}  // namespace

const PlacePainters& rooftopPainters() {
  static const PlacePainters p = {backdrop,    front,     far,      antenna, roofVent, fuseBox,
                                  chimneyPipe, wirePanel, roofEdge, tarRoof, neonRail, crates};
  return p;
}
