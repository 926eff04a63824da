// The factory: a hall of brick and steel with machines, pipes, a conveyor and hazard paint.
#include <cmath>

#include "shading.h"
#include "stage_art.h"

namespace {

const int kW = kFacadeW, kH = kFacadeH;
// Tile row where a front piece's wall begins: above it the hall's upper gallery shows through.
const int kWallTop = 70;
const Color kSteel = rgb(96, 104, 116), kMachine = rgb(70, 110, 96);

void steelColumn(Canvas& c, int x, int y, int h) {
  Ramp s = rampOf(kSteel);
  c.fillRect(x, y, 18, h, s.line);
  c.fillRect(x + 2, y, 14, h, s.base);
  c.fillRect(x + 2, y, 4, h, s.light);
  for (int r = y + 20; r < y + h; r += 40) c.fillRect(x + 4, r, 3, 3, s.dark);  // rivets
}

void wall(Canvas& c, int ox, int oy, const Theme& t, int variant, Rng& rng) {
  wallTexture(c, ox, oy + kWallTop, kW, kH - kWallTop, t.walls[variant], t.wall, rng);
  c.fillRect(ox, oy + kWallTop, kW, 8, scaled(kSteel, 0.7));  // the steel beam the bay hangs from
  steelColumn(c, ox, oy + kWallTop, kH - kWallTop);
  c.fillRect(ox, oy + kH - 24, kW, 24, scaled(t.walls[variant], 0.55));  // grime at the foot
}

void press(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  wall(c, ox, oy, t, 0, rng);
  Ramp m = rampOf(kMachine);
  c.fillRect(ox + 50, oy + 130, 160, 270, m.line);
  c.fillRect(ox + 53, oy + 133, 154, 264, m.base);
  c.fillRect(ox + 53, oy + 133, 154, 6, m.light);
  c.fillRect(ox + 80, oy + 200, 100, 110, rgb(30, 30, 34));  // the press's mouth
  shadedCapsule(c, {ox + 130.0, oy + 150.0}, {ox + 130.0, oy + 250.0}, 12, 12, rampOf(rgb(200, 200, 206)));
  c.fillRect(ox + 96, oy + 250, 68, 20, m.dark);
  hazardStripes(c, ox + 53, oy + 320, 154, 16);
  c.fillCircle(ox + 186.0, oy + 162.0, 12, rgb(236, 236, 226));  // pressure gauge
  c.line({ox + 186.0, oy + 162.0}, {ox + 192.0, oy + 154.0}, 2, rgb(200, 40, 40));
  c.fillCircle(ox + 70.0, oy + 160.0, 5, rgb(80, 220, 90));
}

void pipes(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  wall(c, ox, oy, t, 1, rng);
  const Color colours[3] = {rgb(190, 60, 40), rgb(60, 120, 170), rgb(210, 190, 60)};
  for (int k = 0; k < 3; ++k) {
    Ramp p = rampOf(colours[k]);
    int y = oy + 120 + k * 46;
    shadedCapsule(c, {double(ox - 4), double(y)}, {double(ox + kW + 4), double(y)}, 9 - k, 9 - k, p);
    for (int x = 40; x < kW; x += 90) c.fillRect(ox + x, y - 12 + k, 6, 24 - 2 * k, p.dark);  // flanges
  }
  Ramp v = rampOf(rgb(120, 124, 130));
  shadedCapsule(c, {ox + 170.0, oy + 120.0}, {ox + 170.0, oy + 380.0}, 8, 8, v);
  c.fillCircle(ox + 170.0, oy + 300.0, 18, rgb(200, 40, 40));  // valve wheel
  c.fillCircle(ox + 170.0, oy + 300.0, 12, v.base);
  c.line({ox + 152.0, oy + 300.0}, {ox + 188.0, oy + 300.0}, 3, rgb(200, 40, 40));
  c.line({ox + 170.0, oy + 282.0}, {ox + 170.0, oy + 318.0}, 3, rgb(200, 40, 40));
}

void conveyor(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  wall(c, ox, oy, t, 2, rng);
  Ramp frame = rampOf(rgb(70, 74, 84));
  c.fillRect(ox, oy + 280, kW, 24, frame.line);  // the belt runs across the whole piece
  c.fillRect(ox, oy + 282, kW, 8, rgb(40, 40, 44));
  for (int x = 8; x < kW; x += 24) c.fillCircle(ox + x + 0.0, oy + 296.0, 6, frame.light);
  for (int x = 20; x < kW; x += 120) {
    c.fillRect(ox + x, oy + 304, 8, 96, frame.base);  // legs
    Ramp box = rampOf(rgb(180, 140, 90));
    c.fillRect(ox + x + 20, oy + 244, 50, 38, box.line);
    c.fillRect(ox + x + 22, oy + 246, 46, 34, box.base);
    c.fillRect(ox + x + 22, oy + 258, 46, 6, rgb(200, 190, 170));  // tape
  }
  hazardStripes(c, ox, oy + 304, kW, 10);
}

void loadingDoor(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  wall(c, ox, oy, t, 3, rng);
  hazardStripes(c, ox + 30, oy + 150, 196, 16);
  hazardStripes(c, ox + 30, oy + 150, 16, 250);
  hazardStripes(c, ox + 210, oy + 150, 16, 250);
  Ramp door = rampOf(rgb(150, 156, 160));
  for (int y = oy + 166; y < oy + kH; y += 8) {
    c.fillRect(ox + 46, y, 164, 6, door.base);
    c.fillRect(ox + 46, y, 164, 1, door.light);
    c.fillRect(ox + 46, y + 6, 164, 2, door.dark);
  }
  c.fillRect(ox + 110, oy + 96, 36, 36, rgb(30, 30, 30));  // a warning lamp over the bay
  c.fillCircle(ox + 128.0, oy + 114.0, 13, rgb(240, 150, 30));
}

void gallery(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng) {
  Color body = mixed(t.skyline, t.skyTop, 0.3);
  // Only the strip above the walls shows, so everything hangs in the piece's top rows.
  if (variant == 0) {  // a catwalk on trusses
    c.fillRect(ox, oy + 70, 200, 8, body);
    for (int x = 0; x < 200; x += 25) c.line({ox + x + 0.0, oy + 78.0}, {ox + x + 12.0, oy + 104.0}, 2, body);
    c.fillRect(ox, oy + 104, 200, 6, body);
    c.fillRect(ox, oy + 44, 200, 3, body);
    for (int x = 0; x < 200; x += 20) c.fillRect(ox + x, oy + 44, 2, 26, body);
  } else if (variant == 1) {  // a storage tank
    c.fillEllipse(ox + 100.0, oy + 40.0, 70, 14, scaled(body, 1.2));
    c.fillRect(ox + 30, oy + 40, 140, 320, body);
    for (int y = 70; y < 360; y += 40) c.fillRect(ox + 30, oy + y, 140, 3, scaled(body, 0.8));
  } else {  // ductwork and a hanging lamp
    c.fillRect(ox, oy + 30, 200, 34, body);
    c.fillRect(ox + 140, oy + 64, 40, 296, body);
    c.fillRect(ox + 60, oy + 64, 2, 30, scaled(body, 0.8));
    c.fillPolygon({{ox + 46.0, oy + 104.0}, {ox + 76.0, oy + 104.0}, {ox + 68.0, oy + 94.0}, {ox + 54.0, oy + 94.0}}, body);
    c.fillEllipse(ox + 61.0, oy + 106.0, 12, 4, t.skylineLit);
  }
  (void)rng;
}

void backdrop(Canvas& c, const Theme& t, Rng& rng) {
  c.verticalGradient(0, 0, 1024, 480, t.skyTop, t.skyBottom);
  for (int x = 40; x < 1024; x += 240) {  // skylights with the night beyond
    c.fillRect(x, 30, 160, 70, rgb(20, 24, 50));
    for (int k = 0; k < 12; ++k) c.set(x + rng.below(160), 30 + rng.below(70), rgb(255, 255, 255, 180));
    c.fillRect(x + 78, 30, 4, 70, rgb(40, 40, 50));
  }
  Color truss = mixed(t.skyline, rgb(0, 0, 0), 0.3);
  c.fillRect(0, 100, 1024, 8, truss);
  c.fillRect(0, 10, 1024, 6, truss);
  for (int x = 0; x < 1024; x += 64) {  // roof trusses
    c.line({double(x), 108.0}, {x + 32.0, 16.0}, 3, truss);
    c.line({x + 32.0, 16.0}, {x + 64.0, 108.0}, 3, truss);
  }
  for (int x = 100; x < 1024; x += 300) {  // pools of light under the lamps
    c.fillPolygon({{x + 0.0, 110.0}, {x + 20.0, 110.0}, {x + 120.0, 480.0}, {x - 100.0, 480.0}}, rgb(255, 220, 150, 26));
    c.fillRect(x, 108, 20, 8, rgb(255, 230, 170));
  }
}

void front(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng) {
  if (variant == 0) press(c, ox, oy, t, rng);
  if (variant == 1) pipes(c, ox, oy, t, rng);
  if (variant == 2) conveyor(c, ox, oy, t, rng);
  if (variant == 3) loadingDoor(c, ox, oy, t, rng);
}

void column(Canvas& c, int ox, int oy) {
  steelColumn(c, ox + 15, oy, 300);
  c.fillRect(ox + 4, oy + 290, 40, 10, rgb(60, 60, 66));  // its foot plate
  hazardStripes(c, ox + 15, oy + 240, 18, 40);
}

void extinguisher(Canvas& c, int ox, int oy) {
  Ramp red = rampOf(rgb(210, 40, 36));
  shadedCapsule(c, {ox + 16.0, oy + 42.0}, {ox + 16.0, oy + 14.0}, 9, 9, red);
  c.fillRect(ox + 12, oy + 2, 8, 8, rgb(40, 40, 44));
  c.fillRect(ox + 10, oy + 24, 12, 8, rgb(236, 232, 220));
}

void gasBottles(Canvas& c, int ox, int oy) {
  const Color tops[2] = {rgb(60, 130, 80), rgb(40, 90, 190)};
  for (int k = 0; k < 2; ++k) {
    Ramp b = rampOf(rgb(110, 110, 118));
    shadedCapsule(c, {ox + 12.0 + k * 24, oy + 62.0}, {ox + 12.0 + k * 24, oy + 14.0}, 10, 9, b);
    shadedDisc(c, {ox + 12.0 + k * 24, oy + 10.0}, 6, rampOf(tops[k]));
  }
  c.fillRect(ox, oy + 34, 48, 3, rgb(40, 40, 40));  // the chain that holds them up
}

void hazardPost(Canvas& c, int ox, int oy) {
  c.fillRect(ox, oy, 24, 70, rgb(20, 20, 22));
  hazardStripes(c, ox + 2, oy + 2, 20, 66);
}

void safetyRail(Canvas& c, int ox, int oy) {
  Ramp yellow = rampOf(rgb(230, 190, 40));
  for (int x : {4, 64, 124}) shadedCapsule(c, {ox + x + 0.0, oy + 102.0}, {ox + x + 0.0, oy + 8.0}, 3, 3, yellow);
  shadedCapsule(c, {ox + 2.0, oy + 8.0}, {ox + 126.0, oy + 8.0}, 3, 3, yellow);
  shadedCapsule(c, {ox + 2.0, oy + 54.0}, {ox + 126.0, oy + 54.0}, 2.5, 2.5, yellow);
  hazardStripes(c, ox, oy + 90, 128, 12);
}

void floorEdge(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp f = rampOf(t.pavement);
  c.fillRect(ox, oy, kPavementW, kPavementH, f.base);
  hazardStripes(c, ox, oy + 4, kPavementW, 14);  // keep clear of the machines
  for (int k = 0; k < 260; ++k) c.set(ox + rng.below(kPavementW), oy + 22 + rng.below(38), rng.unit() < 0.5 ? f.light : f.dark);
  c.fillRect(ox, oy + kPavementH - 4, kPavementW, 4, rgb(236, 200, 40));  // walkway line
}

void concreteFloor(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp r = rampOf(t.road);
  c.verticalGradient(ox, oy, kRoadW, kRoadH, scaled(t.road, 0.85), t.road);
  for (int k = 0; k < 900; ++k) c.set(ox + rng.below(kRoadW), oy + rng.below(kRoadH), rng.unit() < 0.5 ? r.light : r.dark);
  c.fillRect(ox, oy + 134, kRoadW, 2, r.dark);  // pour joints
  c.fillRect(ox + 127, oy, 1, kRoadH, r.dark);
  c.fillRect(ox + 40, oy + 200, 48, 20, rgb(40, 40, 46));  // a drain grate
  for (int x = 42; x < 88; x += 5) c.fillRect(ox + x, oy + 202, 2, 16, rgb(90, 90, 96));
  c.fillEllipse(ox + 90.0, oy + 80.0, 18, 5, rgb(20, 20, 26, 60));
}

void lowPipe(Canvas& c, int ox, int oy) {
  Ramp p = rampOf(rgb(190, 60, 40));
  shadedCapsule(c, {ox + 2.0, oy + 40.0}, {ox + 254.0, oy + 40.0}, 10, 10, p);
  for (int x : {30, 226}) {
    c.fillRect(ox + x - 6, oy + 40, 12, 44, rgb(50, 50, 56));  // stands
    c.fillRect(ox + x - 10, oy + 26, 20, 28, p.dark);
  }
}

void pallet(Canvas& c, int ox, int oy, Rng& rng) {
  c.fillRect(ox, oy + 100, 128, 12, rgb(150, 110, 60));
  for (int x = 0; x < 128; x += 40) c.fillRect(ox + x, oy + 104, 10, 8, rgb(90, 60, 30));
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 3 - row; ++col) {
      Ramp box = rampOf(rng.unit() < 0.5 ? rgb(180, 140, 90) : rgb(160, 120, 80));
      int x = ox + 4 + col * 40 + row * 20, y = oy + 54 - row * 46;
      c.fillRect(x, y, 40, 46, box.line);
      c.fillRect(x + 2, y + 2, 36, 42, box.base);
      c.fillRect(x + 2, y + 18, 36, 6, rgb(200, 190, 170));
    }
}

}  // namespace

const PlacePainters& factoryPainters() {
  static const PlacePainters p = {backdrop,     front,      gallery,   column, extinguisher, gasBottles,
                                  hazardPost,   safetyRail, floorEdge, concreteFloor, lowPipe, pallet};
  return p;
}
