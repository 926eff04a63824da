// The pier with its funfair, late afternoon: striped stalls and a carousel on the boards, a big
// wheel and a coaster against the sea, bunting overhead.
#include <cmath>

#include "shading.h"
#include "stage_art.h"

namespace {

const int kW = kFacadeW, kH = kFacadeH;
const double kPi = 3.14159265358979323846;
// Tile row where a stall's counter stands on the boards.
const int kCounter = 290;
const Color kPlank = rgb(150, 110, 72), kWhite = rgb(244, 238, 224);

void stripes(Canvas& c, int x, int y, int w, int h, Color a, Color b) {
  for (int k = 0; k < w; k += 16) c.fillRect(x + k, y, std::min(8, w - k), h, a), c.fillRect(x + k + 8, y, std::min(8, std::max(0, w - k - 8)), h, b);
}

void stall(Canvas& c, int ox, int oy, const Theme& t, int variant, const std::string& name) {
  c.fillRect(ox + 10, oy + 120, kW - 20, kH - 120, scaled(t.walls[variant], 0.9));
  stripes(c, ox + 4, oy + 100, kW - 8, 36, t.awnings[variant % 2], kWhite);
  for (int x = 4; x < kW - 8; x += 16) c.fillCircle(ox + x + 8.0, oy + 136.0, 8, t.awnings[variant % 2]);  // scalloped edge
  c.fillRect(ox + 30, oy + 150, kW - 60, kCounter - 150, rgb(40, 30, 30));  // the dark inside
  c.fillRect(ox + 20, oy + kCounter, kW - 40, 20, t.trim);
  c.text(name, ox + kW / 2 - Canvas::textWidth(name, 3) / 2, oy + 64, 3, t.trim);
}

void prizes(Canvas& c, int ox, int oy, Rng& rng) {
  for (int k = 0; k < 7; ++k)  // soft toys on the shelf
    c.fillCircle(ox + 50 + k * 26.0, oy + 260.0, 11, rgb(120 + rng.below(130), 80 + rng.below(150), 80 + rng.below(170)));
}

void carousel(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  stripes(c, ox, oy + 90, kW, 40, t.awnings[0], kWhite);
  c.fillPolygon({{ox + 0.0, oy + 90.0}, {ox + 128.0, oy + 40.0}, {ox + 256.0, oy + 90.0}}, t.awnings[1]);
  c.fillRect(ox + 8, oy + 330, kW - 16, 20, t.trim);
  for (int k = 0; k < 4; ++k) {
    int x = ox + 28 + k * 60;
    c.fillRect(x + 10, oy + 130, 4, 200, rgb(230, 200, 90));
    int y = oy + 240 + (k % 2 ? -20 : 10);
    Ramp horse = rampOf(rng.unit() < 0.5 ? kWhite : rgb(200, 140, 90));
    shadedCapsule(c, {x - 6.0, y + 0.0}, {x + 30.0, y + 0.0}, 12, 12, horse);
    shadedCapsule(c, {x + 30.0, y + 0.0}, {x + 38.0, y - 22.0}, 6, 7, horse);
  }
}

void front(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng) {
  if (variant == 0) stall(c, ox, oy, t, 0, t.signs[0]), prizes(c, ox, oy, rng);
  if (variant == 1) carousel(c, ox, oy, t, rng);
  if (variant == 2) stall(c, ox, oy, t, 2, t.signs[2]);
  if (variant == 3) stall(c, ox, oy, t, 3, t.signs[3]), prizes(c, ox, oy, rng);
}

void far(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng&) {
  Color line = t.skyline;
  if (variant == 0) {  // the big wheel
    const double cx = ox + 100, cy = oy + 150, r = 90;
    c.line({cx, cy}, {cx - 40, oy + 360.0}, 5, line);
    c.line({cx, cy}, {cx + 40, oy + 360.0}, 5, line);
    for (int k = 0; k < 12; ++k) {
      double a = k * kPi / 6;
      c.line({cx, cy}, {cx + r * std::cos(a), cy + r * std::sin(a)}, 2, line);
      c.fillRect(static_cast<int>(cx + r * std::cos(a)) - 6, static_cast<int>(cy + r * std::sin(a)), 12, 10, t.awnings[k % 2]);
    }
    for (int k = 0; k < 72; ++k)
      c.fillCircle(cx + r * std::cos(k * kPi / 36), cy + r * std::sin(k * kPi / 36), 2, line);
  } else if (variant == 1) {  // a coaster's lattice
    for (int x = 0; x < kFarBlockW; x += 20) {
      double top = 160 + 80 * std::sin(x / 40.0);
      c.fillRect(ox + x, oy + static_cast<int>(top), 3, kFarBlockH - static_cast<int>(top), line);
      c.line({ox + x + 0.0, oy + top}, {ox + x + 20.0, oy + 160 + 80 * std::sin((x + 20) / 40.0)}, 4, line);
    }
  } else {  // the lighthouse at the pier's end
    c.fillPolygon({{ox + 80.0, oy + 360.0}, {ox + 90.0, oy + 110.0}, {ox + 110.0, oy + 110.0}, {ox + 120.0, oy + 360.0}}, kWhite);
    for (int y : {160, 240, 320}) c.fillRect(ox + 84, oy + y, 32, 20, rgb(200, 50, 50));
    c.fillRect(ox + 86, oy + 86, 28, 24, t.sun);
  }
}

void lampString(Canvas& c, int ox, int oy) {
  c.fillRect(ox + 20, oy + 20, 8, 280, rgb(40, 60, 70));
  c.fillCircle(ox + 24.0, oy + 18.0, 10, rgb(255, 240, 190));
  for (int k = 0; k < 5; ++k) c.fillPolygon({{ox + 4.0 + k * 8, oy + 40.0}, {ox + 12.0 + k * 8, oy + 40.0}, {ox + 8.0 + k * 8, oy + 52.0}},
                                            k % 2 ? rgb(230, 60, 60) : rgb(60, 130, 230));
}

void mooringPost(Canvas& c, int ox, int oy) {
  shadedCapsule(c, {ox + 16.0, oy + 44.0}, {ox + 16.0, oy + 16.0}, 12, 10, rampOf(rgb(60, 64, 70)));
}

void iceCreamCart(Canvas& c, int ox, int oy) {
  c.fillRect(ox + 2, oy + 20, 44, 36, kWhite);
  stripes(c, ox, oy, 48, 16, rgb(240, 120, 160), kWhite);
  shadedDisc(c, {ox + 12.0, oy + 58.0}, 7, rampOf(rgb(50, 50, 56)));
  shadedDisc(c, {ox + 36.0, oy + 58.0}, 7, rampOf(rgb(50, 50, 56)));
}

void railPost(Canvas& c, int ox, int oy) {
  Ramp wood = rampOf(kPlank);
  c.fillRect(ox, oy, 24, 70, wood.line);
  c.fillRect(ox + 2, oy + 2, 20, 68, wood.base);
  c.fillRect(ox + 2, oy + 2, 6, 68, wood.light);
}

void priceBoard(Canvas& c, int ox, int oy) {
  c.fillRect(ox, oy, 128, 80, rgb(40, 70, 60));
  c.fillRect(ox + 4, oy + 4, 120, 72, rgb(30, 90, 70));
  c.text("3 FOR 1", ox + 16, oy + 28, 2, kWhite);
  for (int x : {20, 100}) c.fillRect(ox + x, oy + 80, 8, 24, kPlank);
}

void boardEdge(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp r = rampOf(t.pavement);
  c.fillRect(ox, oy, kPavementW, kPavementH, r.base);
  for (int x = 0; x < kPavementW; x += 16) c.fillRect(ox + x, oy, 2, kPavementH, r.line);
  for (int k = 0; k < 200; ++k) c.set(ox + rng.below(kPavementW), oy + rng.below(kPavementH), r.dark);
  c.fillRect(ox, oy, kPavementW, 5, r.light);
}

void boards(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp r = rampOf(t.road);
  c.fillRect(ox, oy, kRoadW, kRoadH, r.base);
  for (int y = 0; y < kRoadH; y += 18) {
    c.fillRect(ox, oy + y, kRoadW, 2, r.line);  // gaps between the planks
    c.fillRect(ox + rng.below(kRoadW), oy + y + 2, 2, 16, r.dark);  // butt joints
    for (int k = 0; k < 20; ++k) c.set(ox + rng.below(kRoadW), oy + y + 3 + rng.below(14), r.light);
  }
}

void woodRail(Canvas& c, int ox, int oy) {
  Ramp wood = rampOf(kPlank);
  for (int x = 0; x < 256; x += 48) c.fillRect(ox + x, oy + 16, 10, 68, wood.dark);
  c.fillRect(ox, oy + 10, 256, 12, wood.line);
  c.fillRect(ox, oy + 12, 256, 8, wood.base);
  c.fillRect(ox, oy + 48, 256, 6, wood.dark);
}

void prizeBoxes(Canvas& c, int ox, int oy, Rng& rng) {
  for (int k = 0; k < 4; ++k) {
    int x = ox + (k < 3 ? k * 42 : 42), y = oy + (k < 3 ? 70 : 28);
    Ramp r = rampOf(rng.unit() < 0.5 ? rgb(230, 80, 80) : rgb(80, 150, 230));
    c.fillRect(x, y, 40, 40, r.line);
    c.fillRect(x + 2, y + 2, 36, 36, r.base);
    c.fillRect(x + 18, y + 2, 4, 36, rgb(250, 230, 80));  // ribbon
  }
}

void backdrop(Canvas& c, const Theme& t, Rng& rng) {
  c.verticalGradient(0, 0, 1024, 360, t.skyTop, t.skyBottom);
  c.fillCircle(300.0, 330.0, 60, t.sun);
  c.verticalGradient(0, 360, 1024, 120, rgb(60, 90, 140), rgb(30, 50, 90));  // the sea
  for (int k = 0; k < 90; ++k) c.fillRect(rng.below(1000), 362 + rng.below(110), 6 + rng.below(20), 1, rgb(255, 200, 150, 120));
  for (int k = 0; k < 6; ++k) c.fillEllipse(100 + k * 170.0, 80.0 + rng.below(120), 60, 12, rgb(255, 220, 200, 90));  // clouds
  c.fillRect(0, 480, 1024, 288, scaled(t.skyBottom, 0.5));
}

}  // namespace

const PlacePainters& pierPainters() {
  static const PlacePainters p = {backdrop, front,      far,       lampString, mooringPost, iceCreamCart,
                                  railPost, priceBoard, boardEdge, boards,     woodRail,    prizeBoxes};
  return p;
}
