#include "stage_art.h"

#include <algorithm>
#include <cmath>

#include "rng.h"
#include "shading.h"

namespace {

const int kScreenW = 1024, kScreenH = 768;
const int kSheet = 1024, kSheetH = kFacadeH + kFarBlockH + 8 + 84;

void windowPane(Canvas& c, int x, int y, int w, int h, bool lit, const Theme& t, Rng& rng) {
  c.fillRect(x - 2, y - 2, w + 4, h + 4, scaled(t.trim, 0.55));
  c.fillRect(x - 1, y - 1, w + 2, h + 2, t.trim);
  if (lit) {
    c.verticalGradient(x, y, w, h, rgb(255, 236, 160), rgb(236, 160, 70));
    if (rng.unit() < 0.5) c.fillRect(x + w / 3, y + h / 4, w / 3, h * 3 / 4, rgb(120, 70, 50, 140));  // someone at home
  } else {
    c.verticalGradient(x, y, w, h, mixed(t.skyTop, rgb(20, 30, 50), 0.4), mixed(t.skyBottom, rgb(30, 40, 60), 0.55));
    for (int k = 0; k < w + h; k += 3)  // a diagonal glint
      if (k > w / 3 && k < w / 3 + 5) c.line({double(x + k), double(y)}, {double(x + k - h), double(y + h)}, 1.5, rgb(255, 255, 255, 70));
  }
  c.fillRect(x + w / 2, y, 1, h, t.trim);
  c.fillRect(x - 3, y + h + 1, w + 6, 3, mixed(t.trim, rgb(255, 255, 255), 0.3));
}

void paintWall(Canvas& c, int x, int y, int w, int h, Color base, Wall wall, Rng& rng) {
  Ramp r = rampOf(base);
  c.fillRect(x, y, w, h, r.base);
  switch (wall) {
    case Wall::Brick:
      for (int row = 0; row * 8 + 8 <= h; ++row) {
        c.fillRect(x, y + row * 8 + 7, w, 1, r.dark);
        for (int col = (row % 2) * 8; col < w; col += 16) c.fillRect(x + col, y + row * 8, 1, 7, r.dark);
        for (int k = 0; k < w / 24; ++k)
          c.fillRect(x + rng.below(w - 12), y + row * 8 + 1, 10, 2, mixed(r.base, rng.unit() < 0.5 ? r.light : r.dark, 0.35));
      }
      break;
    case Wall::Metal:
      for (int col = 0; col < w; col += 12) {
        c.fillRect(x + col, y, 3, h, r.light);
        c.fillRect(x + col + 3, y, 2, h, r.dark);
      }
      for (int k = 0; k < w * h / 900; ++k)  // rust streaks
        c.fillRect(x + rng.below(w), y + rng.below(h), 2, 6 + rng.below(14), rgb(140, 80, 40, 110));
      break;
    case Wall::Concrete:
      for (int row = 0; row < h; row += 64) c.fillRect(x, y + row, w, 2, r.dark);
      for (int col = 0; col < w; col += 128) c.fillRect(x + col, y, 2, h, r.dark);
      for (int k = 0; k < w * h / 60; ++k) c.set(x + rng.below(w), y + rng.below(h), mixed(r.base, r.dark, 0.5));
      break;
  }
}

void bigLetters(Canvas& c, const std::string& text, int cx, int y, int scale, Color fill, Color rim) {
  int w = Canvas::textWidth(text, scale);
  Canvas t(w + 8, 12 * scale);
  t.text(text, 4, 2, scale, fill);
  t.outline(rim);
  c.draw(t, cx - (w + 8) / 2, y);
}

void facade(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng) {
  const int roofs[4] = {110, 20, 150, 60};
  int roof = roofs[variant];
  int h = kFacadeH - roof;
  paintWall(c, ox, oy + roof, kFacadeW, h, t.walls[variant], t.wall, rng);
  Ramp wall = rampOf(t.walls[variant]);
  // Cornice along the roof line.
  c.fillRect(ox, oy + roof, kFacadeW, 10, scaled(t.trim, 0.8));
  c.fillRect(ox, oy + roof, kFacadeW, 3, t.trim);
  c.fillRect(ox, oy + roof + 10, kFacadeW, 3, wall.line);
  // Upper floors.
  int shopTop = kFacadeH - kShopH;
  for (int row = oy + roof + 26; row + 50 < oy + shopTop; row += 62)
    for (int k = 0; k < 3; ++k) windowPane(c, ox + 22 + k * 80, row, 50, 44, rng.unit() < (t.night ? 0.6 : 0.3), t, rng);
  // Shop front: sign board, awning, display window and door.
  int shopY = oy + shopTop;
  c.fillRect(ox + 14, shopY - 4, kFacadeW - 28, 34, rgb(20, 18, 24));
  c.fillRect(ox + 16, shopY - 2, kFacadeW - 32, 30, mixed(t.awnings[variant % 2], rgb(20, 20, 30), 0.55));
  bigLetters(c, t.signs[variant], ox + kFacadeW / 2, shopY, 2, rgb(255, 240, 200), rgb(30, 10, 10));
  std::vector<Point> awning = {{ox + 10.0, shopY + 30.0}, {ox + kFacadeW - 10.0, shopY + 30.0},
                               {ox + kFacadeW + 2.0, shopY + 54.0}, {ox - 2.0, shopY + 54.0}};
  c.fillPolygon(awning, t.awnings[variant % 2]);
  for (int s = 0; s < kFacadeW; s += 32) {
    std::vector<Point> stripe = {{ox + 10.0 + s, shopY + 30.0}, {ox + 26.0 + s, shopY + 30.0},
                                 {ox + 26.0 + s + 6, shopY + 54.0}, {ox + 10.0 + s + 6, shopY + 54.0}};
    c.fillPolygon(stripe, rgb(245, 240, 230, 230));
  }
  c.fillRect(ox - 2, shopY + 54, kFacadeW + 4, 3, rgb(30, 20, 20));
  int glassY = shopY + 66, glassH = oy + kFacadeH - 14 - glassY;
  c.fillRect(ox + 18, glassY - 3, 150, glassH + 3, rgb(30, 26, 30));
  c.verticalGradient(ox + 21, glassY, 144, glassH, rgb(90, 140, 150), rgb(30, 50, 70));
  for (int k = 0; k < 3; ++k)
    c.line({ox + 40.0 + k * 46, double(glassY + glassH)}, {ox + 70.0 + k * 46, double(glassY)}, 6, rgb(255, 255, 255, 40));
  c.fillRect(ox + 186, glassY - 6, 52, kFacadeH - 10 - (glassY - 6 - oy), rgb(30, 22, 20));
  c.fillRect(ox + 190, glassY - 2, 44, kFacadeH - 10 - (glassY - 2 - oy), mixed(t.walls[(variant + 2) % 4], rgb(60, 40, 30), 0.5));
  c.fillRect(ox + 226, glassY + 26, 4, 4, rgb(230, 200, 90));
  c.fillRect(ox, oy + kFacadeH - 10, kFacadeW, 10, scaled(t.pavement, 0.6));  // plinth
  c.fillRect(ox, oy + kFacadeH - 10, kFacadeW, 2, scaled(t.pavement, 0.8));
}

void farBlock(Canvas& c, int ox, int oy, int variant, const Theme& t, Rng& rng) {
  const int tops[3] = {60, 50, 110};
  int top = tops[variant];
  Color body = mixed(t.skyline, t.skyTop, 0.2 + 0.15 * variant);
  c.fillRect(ox, oy + top, kFarBlockW, kFarBlockH - top, body);
  c.fillRect(ox, oy + top, kFarBlockW, 4, mixed(body, t.skyBottom, 0.35));
  for (int y = oy + top + 16; y < oy + kFarBlockH - 16; y += 22)
    for (int x = ox + 12; x < ox + kFarBlockW - 16; x += 20)
      c.fillRect(x, y, 10, 12, rng.unit() < (t.night ? 0.45 : 0.25) ? t.skylineLit : scaled(body, 0.75));
  if (variant == 1) {  // water tank on the roof
    c.fillRect(ox + 130, oy + top - 40, 40, 30, scaled(body, 0.8));
    c.fillRect(ox + 134, oy + top - 10, 4, 10, scaled(body, 0.7));
    c.fillRect(ox + 162, oy + top - 10, 4, 10, scaled(body, 0.7));
  } else {
    c.fillRect(ox + 40, oy + top - 50, 3, 50, scaled(body, 0.8));  // antenna
    c.fillCircle(ox + 41.5, oy + top - 52.0, 3, rgb(255, 60, 60));
  }
}

void lampPost(Canvas& c, int ox, int oy) {
  Ramp metal = rampOf(rgb(50, 70, 64));
  shadedCapsule(c, {ox + 20.0, oy + 296.0}, {ox + 20.0, oy + 40.0}, 5, 3.5, metal);
  shadedCapsule(c, {ox + 20.0, oy + 296.0}, {ox + 20.0, oy + 270.0}, 9, 8, metal);
  shadedCapsule(c, {ox + 20.0, oy + 40.0}, {ox + 34.0, oy + 22.0}, 3, 3, metal);
  c.fillCircle(ox + 34.0, oy + 26.0, 9, rgb(255, 240, 180, 90));
  shadedCapsule(c, {ox + 26.0, oy + 18.0}, {ox + 40.0, oy + 18.0}, 5, 5, metal);
  c.fillEllipse(ox + 33.0, oy + 24.0, 6, 3, rgb(255, 250, 210));
}

void hydrant(Canvas& c, int ox, int oy) {
  Ramp red = rampOf(rgb(210, 40, 36));
  shadedCapsule(c, {ox + 16.0, oy + 40.0}, {ox + 16.0, oy + 12.0}, 9, 8, red);
  shadedDisc(c, {ox + 16.0, oy + 10.0}, 8, red);
  shadedCapsule(c, {ox + 5.0, oy + 24.0}, {ox + 27.0, oy + 24.0}, 4, 4, red);
  c.fillRect(ox + 4, oy + 40, 24, 4, red.line);
}

void bin(Canvas& c, int ox, int oy) {
  Ramp steel = rampOf(rgb(120, 130, 126));
  c.fillRect(ox + 4, oy + 12, 40, 52, steel.line);
  for (int x = 0; x < 38; ++x) c.fillRect(ox + 5 + x, oy + 13, 1, 50, x < 10 ? steel.light : x < 28 ? steel.base : steel.dark);
  for (int y = oy + 22; y < oy + 60; y += 12) c.fillRect(ox + 5, y, 38, 2, steel.dark);
  shadedCapsule(c, {ox + 3.0, oy + 9.0}, {ox + 45.0, oy + 9.0}, 5, 5, steel);
  c.fillRect(ox + 20, oy + 1, 8, 4, steel.line);
}

void bollard(Canvas& c, int ox, int oy) {
  c.fillRect(ox, oy, 24, 70, rgb(20, 20, 22));
  for (int y = 0; y < 66; y += 16) c.fillRect(ox + 2, oy + 2 + y, 20, 8, rgb(240, 200, 40));
  for (int y = 0; y < 66; y += 16) c.fillRect(ox + 2, oy + 10 + y, 20, 8, rgb(36, 36, 40));
  c.fillRect(ox + 2, oy + 2, 5, 66, rgb(255, 255, 255, 50));
}

void fence(Canvas& c, int ox, int oy) {
  for (int x = 0; x < 128; x += 8)
    for (int y = 0; y < 88; y += 8) {
      c.line({ox + x + 0.0, oy + y + 8.0}, {ox + x + 8.0, oy + y + 16.0}, 1, rgb(170, 176, 180, 220));
      c.line({ox + x + 8.0, oy + y + 8.0}, {ox + x + 0.0, oy + y + 16.0}, 1, rgb(130, 136, 140, 220));
    }
  Ramp post = rampOf(rgb(150, 156, 160));
  shadedCapsule(c, {ox + 4.0, oy + 100.0}, {ox + 4.0, oy + 4.0}, 3.5, 3.5, post);
  shadedCapsule(c, {ox + 124.0, oy + 100.0}, {ox + 124.0, oy + 4.0}, 3.5, 3.5, post);
  shadedCapsule(c, {ox + 4.0, oy + 8.0}, {ox + 124.0, oy + 8.0}, 2.5, 2.5, post);
}

void pavement(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp p = rampOf(t.pavement);
  c.fillRect(ox, oy, kPavementW, kPavementH, p.base);
  for (int k = 0; k < 500; ++k) c.set(ox + rng.below(kPavementW), oy + rng.below(kPavementH - 12), rng.unit() < 0.5 ? p.light : p.dark);
  for (int x = 0; x < kPavementW; x += 64) c.fillRect(ox + x, oy, 2, kPavementH - 12, p.dark);
  c.fillRect(ox, oy + 24, kPavementW, 2, p.dark);
  c.fillRect(ox, oy + kPavementH - 12, kPavementW, 3, p.light);  // kerb
  c.fillRect(ox, oy + kPavementH - 9, kPavementW, 9, p.dark);
}

void road(Canvas& c, int ox, int oy, const Theme& t, Rng& rng) {
  Ramp r = rampOf(t.road);
  c.verticalGradient(ox, oy, kRoadW, kRoadH, scaled(t.road, 0.8), t.road);
  for (int k = 0; k < 1400; ++k) c.set(ox + rng.below(kRoadW), oy + rng.below(kRoadH), rng.unit() < 0.5 ? r.light : r.dark);
  c.fillRect(ox, oy, kRoadW, 6, rgb(20, 20, 24, 120));  // gutter shadow
  c.fillRect(ox + 16, oy + 150, 64, 7, t.laneMark);
  c.fillRect(ox + 16, oy + 150, 64, 2, mixed(t.laneMark, rgb(255, 255, 255), 0.5));
}

void railing(Canvas& c, int ox, int oy) {
  Ramp metal = rampOf(rgb(70, 80, 96));
  shadedCapsule(c, {ox + 4.0, oy + 10.0}, {ox + 252.0, oy + 10.0}, 5, 5, metal);
  for (int x = 10; x < 256; x += 60) shadedCapsule(c, {ox + x + 0.0, oy + 10.0}, {ox + x + 0.0, oy + 78.0}, 5, 5, metal);
  shadedCapsule(c, {ox + 4.0, oy + 44.0}, {ox + 252.0, oy + 44.0}, 3, 3, metal);
}

void crateStack(Canvas& c, int ox, int oy, Rng& rng) {
  Ramp wood = rampOf(rgb(160, 112, 60));
  auto box = [&](int x, int y, int w, int h) {
    c.fillRect(x, y, w, h, wood.line);
    c.fillRect(x + 2, y + 2, w - 4, h - 4, wood.base);
    c.fillRect(x + 2, y + 2, w - 4, 3, wood.light);
    c.fillRect(x + w - 6, y + 2, 4, h - 4, wood.dark);
    for (int k = 0; k < 3; ++k) c.fillRect(x + 2, y + 10 + k * (h - 14) / 3, w - 4, 1, wood.dark);
    (void)rng;
  };
  box(ox, oy + 50, 70, 60);
  box(ox + 66, oy + 60, 60, 50);
  box(ox + 18, oy, 56, 52);
}

void downtownBackdrop(Canvas& c, const Theme& t, Rng& rng) {
  c.verticalGradient(0, 0, kScreenW, 480, t.skyTop, t.skyBottom);
  c.fillRect(0, 480, kScreenW, kScreenH - 480, scaled(t.skyBottom, 0.5));
  if (t.night)
    for (int k = 0; k < 160; ++k) c.set(rng.below(kScreenW), rng.below(300), rgb(255, 255, 255, 120 + rng.below(130)));
  c.fillCircle(780, t.night ? 110 : 300, t.night ? 40 : 70, mixed(t.sun, t.skyBottom, 0.0));
  c.fillCircle(780, t.night ? 110 : 300, t.night ? 52 : 96, rgb(t.sun.r, t.sun.g, t.sun.b, 60));
  // Two ranks of distant towers: the further one fainter.
  for (int rank = 0; rank < 2; ++rank) {
    Color body = mixed(t.skyline, t.skyBottom, rank == 0 ? 0.55 : 0.2);
    int x = -rng.below(40);
    while (x < kScreenW) {
      int w = 40 + rng.below(70), h = 90 + rng.below(rank == 0 ? 220 : 160);
      int top = 470 - h;
      c.fillRect(x, top, w, 480 - top, body);
      if (rank == 1)
        for (int y = top + 8; y < 460; y += 12)
          for (int wx = x + 5; wx < x + w - 6; wx += 10)
            if (rng.unit() < (t.night ? 0.35 : 0.12)) c.fillRect(wx, y, 4, 6, t.skylineLit);
      x += w + rng.below(12);
    }
  }
  c.verticalGradient(0, 380, kScreenW, 100, rgb(t.skyBottom.r, t.skyBottom.g, t.skyBottom.b, 0),
                     rgb(t.skyBottom.r, t.skyBottom.g, t.skyBottom.b, 90));
}

const PlacePainters& downtownPainters() {
  static const PlacePainters p = {downtownBackdrop, facade, farBlock, lampPost, hydrant, bin,
                                  bollard,          fence,  pavement, road,    railing, crateStack};
  return p;
}

const PlacePainters& paintersOf(const Theme& t) {
  switch (t.place) {
    case Place::Harbour: return harbourPainters();
    case Place::Factory: return factoryPainters();
    case Place::Railyard: return railyardPainters();
    case Place::Rooftops: return rooftopPainters();
    case Place::Pier: return pierPainters();
    case Place::Downtown:
    default: return downtownPainters();
  }
}

}  // namespace

void wallTexture(Canvas& c, int x, int y, int w, int h, Color base, Wall wall, Rng& rng) {
  paintWall(c, x, y, w, h, base, wall, rng);
}

void hazardStripes(Canvas& c, int x, int y, int w, int h) {
  c.fillRect(x, y, w, h, rgb(240, 200, 40));
  for (int k = -h; k < w; k += 16)  // black bands leaning right, clipped to the box
    for (int row = 0; row < h; ++row) {
      int from = std::max(0, k + row), to = std::min(w, k + row + 8);
      if (from < to) c.fillRect(x + from, y + row, to - from, 1, rgb(30, 30, 34));
    }
}

const std::vector<Theme>& stageThemes() {
  // stage type, backdrop; sky top, sky bottom, sun or moon, far towers, lit windows; night; walls;
  // four wall colours; trim, two awnings, pavement, road, lane marks; four shop signs.
  static const std::vector<Theme> themes = {
      {"downtown", "downtown_dusk", Place::Downtown,
       rgb(38, 30, 86), rgb(244, 128, 92), rgb(255, 214, 120), rgb(70, 50, 104), rgb(255, 210, 120), false, Wall::Brick,
       {rgb(150, 70, 54), rgb(118, 96, 80), rgb(172, 120, 72), rgb(96, 84, 110)},
       rgb(220, 208, 180), {rgb(200, 40, 50), rgb(40, 120, 90)}, rgb(150, 146, 150), rgb(62, 60, 70), rgb(236, 224, 170),
       {"PIZZA", "HOTEL", "DINER", "GYM"}},
      {"harbor", "harbor_morning", Place::Harbour,
       rgb(92, 160, 222), rgb(236, 232, 214), rgb(255, 250, 220), rgb(120, 140, 160), rgb(190, 210, 220), false, Wall::Metal,
       {rgb(60, 110, 140), rgb(160, 70, 50), rgb(120, 124, 96), rgb(200, 150, 60)},
       rgb(230, 230, 220), {rgb(230, 180, 40), rgb(60, 80, 120)}, rgb(170, 160, 140), rgb(96, 92, 88), rgb(240, 200, 40),
       {"", "", "", ""}},
      {"factory", "factory_night", Place::Factory,
       rgb(18, 18, 28), rgb(64, 58, 70), rgb(236, 236, 250), rgb(60, 62, 74), rgb(250, 200, 120), true, Wall::Brick,
       {rgb(140, 64, 48), rgb(118, 60, 48), rgb(150, 82, 60), rgb(108, 62, 54)},
       rgb(240, 190, 40), {rgb(230, 170, 30), rgb(180, 50, 40)}, rgb(132, 130, 122), rgb(108, 108, 104), rgb(240, 190, 40),
       {"", "", "", ""}},
      // World 2: a rail yard at night, rooftops under neon, a pier's funfair before sunset.
      {"railyard", "railyard_night", Place::Railyard,
       rgb(10, 14, 40), rgb(40, 50, 90), rgb(236, 236, 210), rgb(28, 30, 50), rgb(250, 210, 130), true, Wall::Metal,
       {rgb(90, 60, 50), rgb(70, 70, 80), rgb(110, 80, 60), rgb(120, 60, 50)},
       rgb(200, 190, 170), {rgb(150, 60, 40), rgb(70, 70, 80)}, rgb(96, 92, 96), rgb(70, 64, 66), rgb(200, 190, 170),
       {"", "", "", ""}},
      {"rooftops", "rooftops_neon", Place::Rooftops,
       rgb(30, 10, 50), rgb(110, 40, 120), rgb(255, 200, 240), rgb(40, 24, 64), rgb(255, 220, 140), true, Wall::Concrete,
       {rgb(90, 84, 100), rgb(80, 76, 96), rgb(100, 90, 104), rgb(86, 80, 90)},
       rgb(150, 146, 160), {rgb(255, 70, 190), rgb(60, 230, 255)}, rgb(70, 66, 80), rgb(52, 48, 60), rgb(60, 230, 255),
       {"NIGHT", "CLUB", "", ""}},
      {"pier", "pier_sunset", Place::Pier,
       rgb(250, 150, 110), rgb(255, 220, 160), rgb(255, 236, 170), rgb(80, 60, 80), rgb(255, 220, 140), false, Wall::Metal,
       {rgb(220, 200, 160), rgb(200, 220, 230), rgb(230, 210, 120), rgb(200, 230, 200)},
       rgb(200, 40, 60), {rgb(220, 40, 50), rgb(40, 110, 200)}, rgb(160, 120, 84), rgb(140, 104, 70), rgb(240, 230, 210),
       {"HOOPLA", "", "DONUTS", "DARTS"}},
  };
  return themes;
}

Canvas paintBackdrop(const Theme& t) {
  Canvas c(kScreenW, kScreenH);
  Rng rng(seedOf(t.backdrop.c_str()));
  paintersOf(t).backdrop(c, t, rng);
  return c;
}

Canvas paintTiles(const Theme& t, std::vector<FrameRect>& frames) {
  Canvas c(kSheet, kSheetH);
  Rng rng(seedOf(t.stageType.c_str()));
  frames.assign(kTileCount, FrameRect{});
  const PlacePainters& paint = paintersOf(t);
  for (int v = 0; v < 4; ++v) {
    paint.front(c, v * kFacadeW, 0, v, t, rng);
    frames[kFacade0 + v] = {v * kFacadeW, 0, kFacadeW, kFacadeH};
  }
  for (int v = 0; v < 3; ++v) {
    paint.far(c, v * kFarBlockW, kFacadeH, v, t, rng);
    frames[kFarBlock0 + v] = {v * kFarBlockW, kFacadeH, kFarBlockW, kFarBlockH};
  }
  // The small pieces fill the columns beside the far blocks, and the railing takes a short
  // row of its own: the sheet is as tall as the pieces need and no taller.
  const int top = kFacadeH + 4, right = 3 * kFarBlockW + 4;
  paint.post(c, right, top);
  frames[kLampPost] = {right, top, 48, 300};
  paint.ground(c, right + 56, top, t, rng);
  frames[kRoad] = {right + 56, top, kRoadW, kRoadH};
  paint.small(c, right + 56, top + kRoadH + 10);
  frames[kHydrant] = {right + 56, top + kRoadH + 10, 32, 46};
  paint.box(c, right + 96, top + kRoadH + 10);
  frames[kBin] = {right + 96, top + kRoadH + 10, 48, 66};
  paint.forePost(c, right + 152, top + kRoadH + 10);
  frames[kBollard] = {right + 152, top + kRoadH + 10, 24, 70};
  const int stack = right + 56 + kRoadW + 8;
  paint.edge(c, stack, top, t, rng);
  frames[kPavement] = {stack, top, kPavementW, kPavementH};
  paint.stack(c, stack, top + kPavementH + 8, rng);
  frames[kCrates] = {stack, top + kPavementH + 8, 128, 112};
  paint.screen(c, stack, top + kPavementH + 128);
  frames[kFence] = {stack, top + kPavementH + 128, 128, 104};
  paint.foreRail(c, 0, kFacadeH + kFarBlockH + 8);
  frames[kRailing] = {0, kFacadeH + kFarBlockH + 8, 256, 84};
  return c;
}
