// The rail yard at night: freight wagons on the sidings, signal gantries against the stars,
// ballast and sleepers underfoot.
#include <cmath>

#include "shading.h"
#include "stage_art.h"

namespace {

const int kW = kFacadeW, kH = kFacadeH;
// Tile row of the siding's rail head behind the walkway: wagons stand on it.
const int kRailRow = 372;
const Color kIron = rgb(64, 62, 70), kRust = rgb(132, 70, 44);

void siding(Canvas& c, int ox, int oy) {
  c.fillRect(ox, oy + kRailRow, kW, kH - kRailRow, rgb(46, 42, 48));  // ballast
  for (int x = 4; x < kW; x += 22) c.fillRect(ox + x, oy + kRailRow + 8, 14, 6, rgb(70, 54, 40));  // sleepers
  c.fillRect(ox, oy + kRailRow + 4, kW, 3, rgb(160, 160, 170));
}

void wheels(Canvas& c, int ox, int oy, int x0, int x1) {
  for (int x : {x0, x0 + 34, x1 - 34, x1})
    shadedDisc(c, {ox + x + 0.0, oy + kRailRow - 12.0}, 14, rampOf(kIron));
}

void boxcar(Canvas& c, int ox, int oy, Color paint, Rng& rng) {
  Ramp r = rampOf(paint);
  c.fillRect(ox + 6, oy + 200, kW - 12, 150, r.line);
  c.fillRect(ox + 8, oy + 202, kW - 16, 146, r.base);
  for (int x = 14; x < kW - 12; x += 12) c.fillRect(ox + x, oy + 206, 3, 138, r.dark);  // ribs
  c.fillRect(ox + 90, oy + 220, 76, 120, r.dark);  // the sliding door
  c.fillRect(ox + 126, oy + 220, 3, 120, r.line);
  c.text(rng.unit() < 0.5 ? "BX 4471" : "NR 2086", ox + 20, oy + 214, 2, rgb(230, 226, 210));
  wheels(c, ox, oy, 30, kW - 30);
}

void tanker(Canvas& c, int ox, int oy) {
  Ramp r = rampOf(rgb(40, 44, 52));
  c.fillRect(ox + 10, oy + 330, kW - 20, 10, kIron);
  shadedCapsule(c, {ox + 40.0, oy + 276.0}, {ox + kW - 40.0, oy + 276.0}, 52, 52, r);
  c.fillRect(ox + 116, oy + 212, 24, 14, r.base);  // the filler dome
  c.fillRect(ox + 40, oy + 270, kW - 80, 8, rgb(230, 200, 40));  // hazard band
  wheels(c, ox, oy, 30, kW - 30);
}

void hopper(Canvas& c, int ox, int oy, Rng& rng) {
  Ramp r = rampOf(kRust);
  c.fillPolygon({{ox + 8.0, oy + 210.0}, {ox + kW - 8.0, oy + 210.0}, {ox + kW - 50.0, oy + 340.0}, {ox + 50.0, oy + 340.0}}, r.line);
  c.fillPolygon({{ox + 11.0, oy + 213.0}, {ox + kW - 11.0, oy + 213.0}, {ox + kW - 52.0, oy + 337.0}, {ox + 52.0, oy + 337.0}}, r.base);
  for (int k = 0; k < 40; ++k) c.fillCircle(ox + 20 + rng.below(kW - 40), oy + 206 + rng.below(8), 5, rgb(30, 28, 30));  // coal
  for (int x = 40; x < kW - 40; x += 44) c.fillRect(ox + x, oy + 216, 4, 118, r.dark);
  wheels(c, ox, oy, 30, kW - 30);
}

void signalBox(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  wallTexture(c, ox + 30, oy + 150, 196, 210, t.walls[3], Wall::Brick, rng);
  c.fillRect(ox + 20, oy + 136, 216, 16, rgb(40, 30, 30));  // the roof's eaves
  for (int x = 46; x < 210; x += 44) c.fillRect(ox + x, oy + 180, 34, 44, rgb(250, 210, 120));  // lit windows
  c.text("SIGNALS", ox + 70, oy + 250, 2, rgb(240, 234, 214));
}

void front(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng) {
  siding(c, ox, oy);
  if (variant == 0) boxcar(c, ox, oy, rgb(150, 60, 40), rng);
  if (variant == 1) tanker(c, ox, oy);
  if (variant == 2) hopper(c, ox, oy, rng);
  if (variant == 3) signalBox(c, ox, oy, t, rng);
}

void far(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng) {
  Color dark = t.skyline;
  if (variant == 0) {  // a signal gantry across the far tracks
    c.fillRect(ox + 10, oy + 120, 10, 240, dark);
    c.fillRect(ox + 180, oy + 120, 10, 240, dark);
    c.fillRect(ox + 10, oy + 120, 180, 14, dark);
    for (int x : {50, 100, 150}) c.fillCircle(ox + x + 0.0, oy + 146.0, 5, rng.unit() < 0.5 ? rgb(230, 60, 50) : rgb(60, 220, 110));
  } else if (variant == 1) {  // a water tower
    c.fillRect(ox + 60, oy + 90, 80, 90, dark);
    c.fillPolygon({{ox + 52.0, oy + 92.0}, {ox + 100.0, oy + 60.0}, {ox + 148.0, oy + 92.0}}, dark);
    for (int x : {66, 128}) c.fillRect(ox + x, oy + 180, 6, 180, dark);
    c.line({ox + 70.0, oy + 180.0}, {ox + 130.0, oy + 360.0}, 3, dark);
  } else {  // sheds with a few lit windows
    c.fillRect(ox, oy + 220, kFarBlockW, 140, dark);
    c.fillPolygon({{ox + 0.0, oy + 220.0}, {ox + 100.0, oy + 180.0}, {ox + 200.0, oy + 220.0}}, dark);
    for (int k = 0; k < 6; ++k) c.fillRect(ox + 16 + k * 30, oy + 250, 14, 10, rng.unit() < 0.4 ? t.skylineLit : scaled(dark, 1.4));
  }
}

void signalPost(Canvas& c, int ox, int oy) {
  c.fillRect(ox + 20, oy + 40, 8, 260, kIron);
  c.fillRect(ox + 8, oy + 20, 32, 70, rgb(24, 24, 28));
  c.fillCircle(ox + 24.0, oy + 38.0, 9, rgb(230, 50, 40));
  c.fillCircle(ox + 24.0, oy + 70.0, 9, rgb(50, 60, 50));
  c.fillRect(ox + 10, oy + 292, 28, 8, kIron);
}

void pointLever(Canvas& c, int ox, int oy) {
  c.fillRect(ox + 2, oy + 34, 28, 12, kIron);
  c.line({ox + 16.0, oy + 38.0}, {ox + 26.0, oy + 4.0}, 4, rgb(210, 200, 190));
  c.fillCircle(ox + 26.0, oy + 4.0, 4, rgb(220, 40, 40));
}

void relayCabinet(Canvas& c, int ox, int oy) {
  Ramp r = rampOf(rgb(120, 130, 120));
  c.fillRect(ox, oy, 48, 66, r.line);
  c.fillRect(ox + 2, oy + 2, 44, 62, r.base);
  c.fillRect(ox + 2, oy + 2, 44, 5, r.light);
  c.fillRect(ox + 22, oy + 10, 2, 50, r.dark);
  c.fillRect(ox + 6, oy + 12, 12, 8, rgb(240, 220, 60));  // warning plate
}

void bufferPost(Canvas& c, int ox, int oy) {
  Ramp r = rampOf(rgb(200, 40, 40));
  c.fillRect(ox, oy, 24, 70, r.line);
  c.fillRect(ox + 2, oy + 2, 20, 68, r.base);
  c.fillRect(ox + 2, oy + 10, 20, 8, rgb(240, 240, 240));
  c.fillRect(ox + 2, oy + 30, 20, 8, rgb(240, 240, 240));
}

void sleeperPile(Canvas& c, int ox, int oy) {
  for (int row = 0; row < 5; ++row)
    for (int k = 0; k < (row % 2 ? 3 : 2); ++k) {
      int x = ox + (row % 2 ? 4 + k * 40 : 24 + k * 44), y = oy + 84 - row * 20;
      c.fillRect(x, y, 38, 18, rgb(40, 28, 22));
      c.fillRect(x + 2, y + 2, 34, 14, rgb(92, 66, 46));
    }
}

void wheelsets(Canvas& c, int ox, int oy, Rng& rng) {
  for (int k = 0; k < 3; ++k) {  // spare wheelsets waiting on the ground
    int x = ox + 20 + k * 44 - (k == 2 ? 66 : 0), y = oy + (k == 2 ? 40 : 82);
    c.fillRect(x + 4, y - 2, 80, 5, kIron);
    for (int w : {0, 80}) shadedDisc(c, {x + w + 4.0, y + 0.0}, 22 + rng.below(3), rampOf(kRust));
  }
}

void ballastEdge(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp r = rampOf(t.pavement);
  c.fillRect(ox, oy, kPavementW, kPavementH, r.base);
  for (int k = 0; k < 500; ++k) c.set(ox + rng.below(kPavementW), oy + rng.below(kPavementH), rng.unit() < 0.5 ? r.light : r.dark);
  c.fillRect(ox, oy + 18, kPavementW, 6, rgb(150, 150, 160));  // a rail along the edge
  c.fillRect(ox, oy + 24, kPavementW, 3, rgb(40, 40, 46));
}

void trackBed(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp r = rampOf(t.road);
  c.fillRect(ox, oy, kRoadW, kRoadH, r.base);
  for (int k = 0; k < 1600; ++k) c.set(ox + rng.below(kRoadW), oy + rng.below(kRoadH), rng.unit() < 0.5 ? r.light : r.dark);
  for (int x = 6; x < kRoadW; x += 32) c.fillRect(ox + x, oy + 150, 20, 90, rgb(74, 56, 42));  // sleepers across
  for (int y : {170, 220}) {
    c.fillRect(ox, oy + y, kRoadW, 6, rgb(170, 170, 180));
    c.fillRect(ox, oy + y + 6, kRoadW, 2, rgb(30, 30, 34));
  }
}

void lowFence(Canvas& c, int ox, int oy) {
  for (int x = 0; x < 256; x += 32) c.fillRect(ox + x, oy + 10, 6, 74, kIron);
  for (int y : {14, 44}) c.fillRect(ox, oy + y, 256, 4, kIron);
  for (int x = 0; x < 256; x += 8) c.line({ox + x + 0.0, oy + 14.0}, {ox + x + 8.0, oy + 48.0}, 1, rgb(90, 90, 100));
}

void backdrop(Canvas& c, const Theme& t, Rng& rng) {
  c.verticalGradient(0, 0, 1024, 480, t.skyTop, t.skyBottom);
  for (int k = 0; k < 160; ++k) c.set(rng.below(1024), rng.below(320), rgb(255, 255, 255, 120 + rng.below(120)));
  c.fillCircle(820.0, 110.0, 38, t.sun);  // the moon
  c.fillCircle(806.0, 102.0, 34, t.skyTop);
  for (int x = 0; x < 1024; x += 36 + rng.below(40)) {  // the city's glow far off
    int h = 40 + rng.below(90);
    c.fillRect(x, 480 - h, 30 + rng.below(20), h, scaled(t.skyline, 0.8));
  }
  c.fillRect(0, 480, 1024, 288, scaled(t.skyBottom, 0.4));
}

}  // namespace

const PlacePainters& railyardPainters() {
  static const PlacePainters p = {backdrop,   front,       far,         signalPost, pointLever, relayCabinet,
                                  bufferPost, sleeperPile, ballastEdge, trackBed,   lowFence,   wheelsets};
  return p;
}
