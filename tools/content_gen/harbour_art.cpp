// The harbour: a quay with water behind it, moored boats, cranes and stacked containers.
#include <cmath>

#include "shading.h"
#include "stage_art.h"

namespace {

const int kW = kFacadeW, kH = kFacadeH;
// Tile rows of a front piece (which stands at screen row 40): the water from here down to the quay.
const int kWaterTop = 300;
const Color kSea = rgb(40, 96, 122), kSeaDeep = rgb(20, 52, 74);

void water(Canvas& c, int ox, int oy, int top, int h, Rng& rng) {
  c.verticalGradient(ox, oy + top, kW, h, kSea, kSeaDeep);
  for (int k = 0; k < 70; ++k) {  // ripples catching the light
    int y = top + 4 + rng.below(h - 8);
    c.fillRect(ox + rng.below(kW - 20), oy + y, 8 + rng.below(16), 1, rgb(150, 200, 214, 140));
  }
}

void hull(Canvas& c, double x0, double x1, double deck, double keel, Color paint, Color band) {
  std::vector<Point> shape = {{x0, deck}, {x1 + 14, deck - 8}, {x1, keel}, {x0 + 10, keel}};
  c.fillPolygon(shape, rgb(24, 22, 26));
  std::vector<Point> inner = {{x0 + 2, deck + 2}, {x1 + 10, deck - 6}, {x1 - 2, keel - 2}, {x0 + 11, keel - 2}};
  c.fillPolygon(inner, paint);
  c.fillRect(static_cast<int>(x0 + 4), static_cast<int>(deck + 6), static_cast<int>(x1 - x0), 5, band);
}

void fishingBoat(Canvas& c, int ox, int oy, Rng& rng) {
  water(c, ox, oy, kWaterTop, kH - kWaterTop, rng);
  hull(c, ox + 30, ox + 200, oy + 282, oy + 318, rgb(196, 50, 44), rgb(240, 236, 224));
  c.fillRect(ox + 120, oy + 236, 60, 46, rgb(236, 232, 220));  // wheelhouse
  c.fillRect(ox + 128, oy + 244, 18, 14, rgb(60, 90, 110));
  c.fillRect(ox + 152, oy + 244, 18, 14, rgb(60, 90, 110));
  c.fillRect(ox + 116, oy + 230, 68, 6, rgb(40, 60, 80));
  c.fillRect(ox + 70, oy + 120, 4, 162, rgb(70, 60, 50));  // mast and its rigging
  c.line({ox + 72.0, oy + 124.0}, {ox + 34.0, oy + 282.0}, 1, rgb(40, 40, 40));
  c.line({ox + 72.0, oy + 124.0}, {ox + 196.0, oy + 280.0}, 1, rgb(40, 40, 40));
  c.line({ox + 72.0, oy + 170.0}, {ox + 120.0, oy + 236.0}, 1.5, rgb(60, 60, 60));
  c.fillRect(ox + 60, oy + 160, 24, 3, rgb(70, 60, 50));
  c.fillRect(ox + 20, oy + 318, 200, 3, rgb(20, 40, 56, 120));  // its shadow on the water
}

void containerBox(Canvas& c, int x, int y, int w, int h, Color paint) {
  Ramp r = rampOf(paint);
  c.fillRect(x, y, w, h, r.line);
  c.fillRect(x + 2, y + 2, w - 4, h - 4, r.base);
  for (int k = x + 6; k < x + w - 4; k += 6) c.fillRect(k, y + 4, 2, h - 8, r.dark);  // corrugation
  c.fillRect(x + 2, y + 2, w - 4, 3, r.light);
  c.fillRect(x + w - 16, y + 8, 2, h - 16, r.line);  // door bars
  c.fillRect(x + w - 10, y + 8, 2, h - 16, r.line);
}

void containerPier(Canvas& c, int ox, int oy, Rng& rng) {
  water(c, ox, oy, kWaterTop, kH - kWaterTop, rng);
  c.fillRect(ox, oy + 290, kW, 14, rgb(110, 100, 90));  // the far pier's deck
  c.fillRect(ox, oy + 304, kW, 4, rgb(50, 44, 40));
  for (int x = 10; x < kW; x += 40) c.fillRect(ox + x, oy + 308, 6, 40, rgb(70, 56, 44));  // piles
  const Color paints[5] = {rgb(190, 70, 40), rgb(40, 110, 150), rgb(60, 130, 70), rgb(200, 160, 50), rgb(120, 120, 130)};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 2; ++col)
      if (row < 2 || col == 0) containerBox(c, ox + 8 + col * 122, oy + 238 - row * 52, 118, 52, paints[rng.below(5)]);
}

void quayCrane(Canvas& c, int ox, int oy, Rng& rng) {
  water(c, ox, oy, kWaterTop, kH - kWaterTop, rng);
  Ramp steel = rampOf(rgb(214, 150, 40));
  for (int leg : {40, 180}) {
    c.fillRect(ox + leg, oy + 60, 14, 240, steel.line);
    c.fillRect(ox + leg + 2, oy + 60, 10, 240, steel.base);
    c.fillRect(ox + leg + 2, oy + 60, 3, 240, steel.light);
  }
  for (int y = 80; y < 290; y += 52) {  // cross bracing
    c.line({ox + 54.0, oy + y + 0.0}, {ox + 180.0, oy + y + 48.0}, 3, steel.dark);
    c.line({ox + 180.0, oy + y + 0.0}, {ox + 54.0, oy + y + 48.0}, 3, steel.dark);
  }
  c.fillRect(ox, oy + 44, kW, 20, steel.line);  // the boom runs right across the piece
  c.fillRect(ox, oy + 46, kW, 16, steel.base);
  for (int x = 0; x < kW; x += 16) c.line({ox + x + 0.0, oy + 62.0}, {ox + x + 8.0, oy + 46.0}, 1.5, steel.dark);
  c.fillRect(ox + 100, oy + 24, 56, 22, rgb(230, 226, 214));  // cab
  c.fillRect(ox + 106, oy + 28, 44, 8, rgb(60, 90, 110));
  c.fillRect(ox + 127, oy + 64, 2, 120, rgb(30, 30, 30));  // hoist cable and hook
  c.fillRect(ox + 120, oy + 184, 16, 6, rgb(30, 30, 30));
  c.fillRect(ox + 36, oy + 290, 180, 12, rgb(60, 56, 54));  // its rail on the far pier
}

void tug(Canvas& c, int ox, int oy, Rng& rng) {
  water(c, ox, oy, kWaterTop, kH - kWaterTop, rng);
  hull(c, ox + 40, ox + 210, oy + 288, oy + 320, rgb(30, 40, 60), rgb(220, 60, 40));
  c.fillRect(ox + 70, oy + 246, 90, 42, rgb(236, 232, 220));
  c.fillRect(ox + 96, oy + 214, 50, 32, rgb(236, 232, 220));
  for (int k = 0; k < 3; ++k) c.fillRect(ox + 100 + k * 15, oy + 222, 10, 10, rgb(60, 90, 110));
  c.fillRect(ox + 150, oy + 190, 16, 56, rgb(40, 40, 44));  // funnel
  c.fillRect(ox + 150, oy + 204, 16, 8, rgb(220, 60, 40));
  for (int k = 0; k < 4; ++k)  // tyre fenders along the side
    c.fillCircle(ox + 70.0 + k * 36, oy + 300.0, 7, rgb(24, 24, 26));
}

void farCrane(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng) {
  Color body = mixed(t.skyline, t.skyBottom, 0.3);
  if (variant == 0) {  // a container gantry, legs astride the far quay
    c.fillRect(ox + 30, oy + 120, 10, 240, body);
    c.fillRect(ox + 150, oy + 120, 10, 240, body);
    c.fillRect(ox + 10, oy + 110, 190, 14, body);
    c.fillRect(ox + 60, oy + 40, 8, 72, body);
    c.line({ox + 64.0, oy + 40.0}, {ox + 196.0, oy + 112.0}, 2, body);
    c.line({ox + 64.0, oy + 40.0}, {ox + 10.0, oy + 110.0}, 2, body);
    c.fillRect(ox + 80, oy + 124, 40, 16, scaled(body, 0.85));
  } else if (variant == 1) {  // containers stacked on the far quay
    const Color tints[4] = {rgb(170, 90, 70), rgb(80, 120, 150), rgb(100, 140, 100), rgb(190, 170, 100)};
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 3 - row / 2; ++col)
        c.fillRect(ox + 6 + col * 64, oy + 320 - row * 30, 60, 28, mixed(tints[rng.below(4)], t.skyBottom, 0.45));
  } else {  // a warehouse with a saw-tooth roof
    for (int k = 0; k < 4; ++k)
      c.fillPolygon({{ox + k * 50.0, oy + 230.0}, {ox + k * 50.0 + 50, oy + 200.0}, {ox + k * 50.0 + 50, oy + 230.0}}, body);
    c.fillRect(ox, oy + 230, 200, 130, scaled(body, 0.9));
    for (int x = 12; x < 190; x += 46) c.fillRect(ox + x, oy + 280, 30, 80, scaled(body, 0.7));
  }
}

void backdrop(Canvas& c, const Theme& t, Rng& rng) {
  c.verticalGradient(0, 0, 1024, 330, t.skyTop, t.skyBottom);
  c.fillCircle(820, 120, 50, t.sun);
  c.fillCircle(820, 120, 70, rgb(t.sun.r, t.sun.g, t.sun.b, 60));
  for (int k = 0; k < 7; ++k) {  // clouds
    double x = rng.below(1024), y = 40 + rng.below(160);
    for (int p = 0; p < 5; ++p) c.fillEllipse(x + p * 22, y + (p % 2) * 6, 34, 14, rgb(255, 255, 255, 150));
  }
  // The far shore: low hills and a lighthouse on the point.
  std::vector<Point> hills = {{0, 330}};
  for (int x = 0; x <= 1024; x += 64) hills.push_back({double(x), 290.0 + 22 * std::sin(x / 130.0) + rng.below(10)});
  hills.push_back({1024, 330});
  c.fillPolygon(hills, mixed(rgb(90, 120, 110), t.skyBottom, 0.5));
  c.fillRect(140, 236, 14, 64, rgb(236, 236, 230));
  c.fillRect(140, 252, 14, 10, rgb(200, 60, 50));
  c.fillRect(136, 226, 22, 10, rgb(60, 60, 66));
  c.verticalGradient(0, 330, 1024, 438, rgb(70, 130, 160), kSeaDeep);
  for (int k = 0; k < 260; ++k) c.fillRect(rng.below(1000), 334 + rng.below(140), 10 + rng.below(20), 1, rgb(180, 220, 230, 90));
}

void front(Canvas& c, int ox, int oy, int variant, const Theme&, Rng& rng) {
  if (variant == 0) fishingBoat(c, ox, oy, rng);
  if (variant == 1) containerPier(c, ox, oy, rng);
  if (variant == 2) quayCrane(c, ox, oy, rng);
  if (variant == 3) tug(c, ox, oy, rng);
}

void quayLight(Canvas& c, int ox, int oy) {
  Ramp metal = rampOf(rgb(200, 200, 196));
  shadedCapsule(c, {ox + 24.0, oy + 296.0}, {ox + 24.0, oy + 30.0}, 4, 3, metal);
  c.fillRect(ox + 12, oy + 10, 24, 22, rgb(40, 44, 50));
  c.fillRect(ox + 15, oy + 14, 18, 14, rgb(255, 240, 190));
  c.fillRect(ox + 10, oy + 6, 28, 5, rgb(40, 44, 50));
  c.fillRect(ox + 14, oy + 286, 20, 10, metal.dark);
}

void mooringBollard(Canvas& c, int ox, int oy) {
  Ramp iron = rampOf(rgb(50, 52, 58));
  shadedCapsule(c, {ox + 16.0, oy + 44.0}, {ox + 16.0, oy + 18.0}, 10, 8, iron);
  shadedCapsule(c, {ox + 4.0, oy + 12.0}, {ox + 28.0, oy + 12.0}, 6, 6, iron);
  c.fillRect(ox + 2, oy + 42, 28, 4, iron.line);
}

void lifeRing(Canvas& c, int ox, int oy) {
  Ramp post = rampOf(rgb(140, 100, 60));
  shadedCapsule(c, {ox + 24.0, oy + 64.0}, {ox + 24.0, oy + 4.0}, 3, 3, post);
  for (int k = 0; k < 8; ++k) {  // four orange and four white quarters round the ring
    double a0 = k * 3.14159265 / 4, a1 = (k + 1) * 3.14159265 / 4;
    Color col = k % 2 ? rgb(240, 240, 236) : rgb(240, 110, 30);
    c.fillPolygon({{ox + 24 + 18 * std::cos(a0), oy + 30 + 18 * std::sin(a0)},
                   {ox + 24 + 18 * std::cos(a1), oy + 30 + 18 * std::sin(a1)},
                   {ox + 24 + 9 * std::cos(a1), oy + 30 + 9 * std::sin(a1)},
                   {ox + 24 + 9 * std::cos(a0), oy + 30 + 9 * std::sin(a0)}},
                  col);
  }
}

void pile(Canvas& c, int ox, int oy) {
  Ramp wood = rampOf(rgb(110, 80, 56));
  c.fillRect(ox, oy, 24, 70, wood.line);
  c.fillRect(ox + 2, oy + 2, 20, 68, wood.base);
  c.fillRect(ox + 2, oy + 2, 6, 68, wood.light);
  for (int y : {14, 22}) c.fillRect(ox, oy + y, 24, 4, rgb(200, 180, 130));  // rope turns
}

void lobsterPots(Canvas& c, int ox, int oy) {
  for (int k = 0; k < 3; ++k) {
    int x = ox + (k == 2 ? 32 : k * 64), y = oy + (k == 2 ? 4 : 52);
    c.fillRect(x, y, 62, 50, rgb(40, 60, 56));
    for (int gx = 2; gx < 60; gx += 6)
      for (int gy = 2; gy < 48; gy += 6) c.fillRect(x + gx, y + gy, 4, 4, rgb(0, 0, 0, 0));
    c.fillRect(x, y, 62, 3, rgb(200, 140, 60));
  }
}

void quayEdge(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp stone = rampOf(t.pavement);
  c.fillRect(ox, oy, kPavementW, kPavementH, stone.base);
  c.fillRect(ox, oy, kPavementW, 14, stone.light);  // the coping stones at the water's edge
  for (int x = 0; x < kPavementW; x += 42) c.fillRect(ox + x, oy, 2, 14, stone.dark);
  c.fillRect(ox, oy + 14, kPavementW, 3, stone.line);
  c.fillRect(ox, oy + 22, kPavementW, 5, rgb(236, 200, 40));  // keep-back line
  for (int k = 0; k < 300; ++k) c.set(ox + rng.below(kPavementW), oy + 28 + rng.below(32), rng.unit() < 0.5 ? stone.light : stone.dark);
}

void quayDeck(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp r = rampOf(t.road);
  c.verticalGradient(ox, oy, kRoadW, kRoadH, scaled(t.road, 0.9), t.road);
  for (int k = 0; k < 1200; ++k) c.set(ox + rng.below(kRoadW), oy + rng.below(kRoadH), rng.unit() < 0.5 ? r.light : r.dark);
  for (int y = 0; y < kRoadH; y += 90) c.fillRect(ox, oy + y, kRoadW, 2, r.dark);  // slab joints
  c.fillRect(ox + 63, oy, 2, kRoadH, r.dark);
  for (int rail : {120, 160}) {  // the crane's rails let into the deck
    c.fillRect(ox, oy + rail, kRoadW, 6, rgb(60, 58, 56));
    c.fillRect(ox, oy + rail, kRoadW, 2, rgb(190, 186, 176));
  }
  c.fillEllipse(ox + 30 + rng.below(60), oy + 220, 20, 6, rgb(30, 30, 34, 70));  // an oil stain
}

void mooringChain(Canvas& c, int ox, int oy) {
  Ramp iron = rampOf(rgb(60, 60, 66));
  for (int post : {10, 236}) shadedCapsule(c, {ox + post + 0.0, oy + 80.0}, {ox + post + 0.0, oy + 10.0}, 7, 6, iron);
  for (int k = 0; k <= 22; ++k) {  // a sagging chain of links
    double x = ox + 14 + k * 10, y = oy + 16 + 40 * std::sin(3.14159265 * k / 22);
    c.fillEllipse(x, y, k % 2 ? 5 : 3, k % 2 ? 3 : 5, iron.line);
    c.fillEllipse(x, y, k % 2 ? 3 : 1.5, k % 2 ? 1.5 : 3, iron.base);
  }
}

void fishBoxes(Canvas& c, int ox, int oy, Rng& rng) {
  for (int k = 0; k < 5; ++k) {
    int x = ox + (k < 3 ? k * 42 : 20 + (k - 3) * 42), y = oy + (k < 3 ? 76 : 40);
    Ramp box = rampOf(rng.unit() < 0.5 ? rgb(60, 110, 190) : rgb(220, 120, 40));
    c.fillRect(x, y, 40, 36, box.line);
    c.fillRect(x + 2, y + 2, 36, 32, box.base);
    c.fillRect(x + 2, y + 2, 36, 4, box.light);
    c.fillRect(x + 12, y + 10, 16, 5, box.line);  // hand hole
  }
}

}  // namespace

const PlacePainters& harbourPainters() {
  static const PlacePainters p = {backdrop,    front,      farCrane,    quayLight, mooringBollard, lifeRing,
                                  pile,        lobsterPots, quayEdge,   quayDeck,  mooringChain,   fishBoxes};
  return p;
}
