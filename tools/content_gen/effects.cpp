// The shared hit effects: sparks for blows, blood for the nastier ones.
#include <cmath>

#include "file_out.h"
#include "pack.h"
#include "rng.h"
#include "script_writer.h"
#include "sheet.h"

namespace {

const int kCell = 128;
const int kSmallSparkFrames = 4;
const int kBigSparkFrames = 5;
const int kBloodFrames = 5;
const double kPi = 3.14159265358979323846;
const int kEffectHeight = 170;
const int kKnifeDrop = 50;

void starburst(Canvas& c, double cx, double cy, double inner, double outer, int spikes, Rng& rng, Color fill) {
  std::vector<Point> pts;
  double turn = rng.unit() * kPi;
  for (int i = 0; i < spikes * 2; ++i) {
    double a = turn + kPi * i / spikes;
    double r = i % 2 ? inner : outer * rng.range(0.7, 1.0);
    pts.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
  }
  c.fillPolygon(pts, fill);
}

void spark(Canvas& c, double cx, double cy, double size, double fade, Rng& rng, bool ring) {
  Color outer = rgb(255, 150, 30, static_cast<int>(255 * fade));
  Color mid = rgb(255, 226, 90, static_cast<int>(255 * fade));
  Color core = rgb(255, 255, 236, static_cast<int>(255 * fade));
  starburst(c, cx, cy, size * 0.3, size, 8, rng, outer);
  starburst(c, cx, cy, size * 0.22, size * 0.72, 8, rng, mid);
  c.fillCircle(cx, cy, size * 0.26, core);
  for (int i = 0; i < 6; ++i) {
    double a = rng.unit() * 2 * kPi;
    double r0 = size * 0.8, r1 = size * rng.range(1.1, 1.45);
    c.line({cx + std::cos(a) * r0, cy + std::sin(a) * r0}, {cx + std::cos(a) * r1, cy + std::sin(a) * r1}, 2.2, mid);
  }
  if (ring) {
    for (int a = 0; a < 360; a += 3) {
      double r = size * 1.35;
      c.fillCircle(cx + std::cos(a * kPi / 180) * r, cy + std::sin(a * kPi / 180) * r, 1.6, core);
    }
  }
}

void blood(Canvas& c, double cx, double cy, int step, Rng& rng) {
  Rng drops(77);  // the same droplets in every frame, only further out
  for (int i = 0; i < 16; ++i) {
    double a = drops.range(-kPi * 0.9, kPi * 0.1);
    double speed = drops.range(6, 10.5);
    double r = drops.range(2.5, 5.5) * (1.0 - step * 0.12);
    double x = cx + std::cos(a) * speed * (step + 1), y = cy + std::sin(a) * speed * (step + 1) + 2.2 * step * step;
    c.fillCircle(x, y, r + 1, rgb(70, 0, 6));
    c.fillCircle(x, y, r, rgb(200, 16, 24));
    c.fillCircle(x - r * 0.3, y - r * 0.3, r * 0.35, rgb(255, 90, 90));
  }
  if (step < 2) c.fillCircle(cx, cy, 10 - step * 4, rgb(220, 30, 36, 220));
  (void)rng;
}

// Things lying on the street, drawn with their bottom on kItemFloor of their cell; and a knife
// in flight, centred. A loaf of bread and a roast on a plate; a length of pipe; a knife.
const int kItemFloor = 120;
const int kItemFrames = 5;  // food, feast, pipe, knife lying, knife flying

void bread(Canvas& c) {
  Ramp crust = rampOf(rgb(196, 130, 56));
  c.fillEllipse(64, kItemFloor - 9, 22, 9, crust.line);
  c.fillEllipse(64, kItemFloor - 10, 20, 7.5, crust.base);
  c.fillEllipse(60, kItemFloor - 13, 12, 3, crust.light);
  for (int k = -1; k <= 1; ++k) c.line({64.0 + 9 * k - 3, kItemFloor - 15.0}, {64.0 + 9 * k + 3, kItemFloor - 6.0}, 1.6, crust.dark);
}

void roast(Canvas& c) {
  c.fillEllipse(64, kItemFloor - 4, 34, 6, rgb(60, 60, 70));
  c.fillEllipse(64, kItemFloor - 5, 32, 5, rgb(236, 236, 240));
  Ramp meat = rampOf(rgb(170, 86, 40));
  c.fillEllipse(62, kItemFloor - 17, 22, 14, meat.line);
  c.fillEllipse(62, kItemFloor - 18, 20, 12, meat.base);
  c.fillEllipse(56, kItemFloor - 23, 10, 4, meat.light);
  for (int side : {-1, 1}) {
    c.line({62.0 + side * 16, kItemFloor - 22.0}, {62.0 + side * 27, kItemFloor - 32.0}, 4, meat.dark);
    c.fillCircle(62.0 + side * 28, kItemFloor - 33.0, 3.4, rgb(240, 232, 210));
  }
}

void pipe(Canvas& c) {
  Ramp steel = rampOf(rgb(150, 156, 166));
  c.fillRect(28, kItemFloor - 8, 72, 8, steel.line);
  c.fillRect(29, kItemFloor - 7, 70, 6, steel.base);
  c.fillRect(29, kItemFloor - 7, 70, 2, steel.light);
  c.fillRect(28, kItemFloor - 10, 6, 12, steel.dark);  // the flange at one end
}

void knife(Canvas& c, double cx, double cy) {
  c.fillRect(static_cast<int>(cx) - 16, static_cast<int>(cy) - 2, 11, 5, rgb(70, 46, 30));
  c.fillPolygon({{cx - 5, cy - 3}, {cx + 18, cy}, {cx - 5, cy + 3}}, rgb(214, 220, 228));
  c.line({cx - 4, cy - 1}, {cx + 14, cy}, 1, rgb(250, 252, 255));
}

}  // namespace

void writeEffects(const std::string& root) {
  const int hits = kSmallSparkFrames + kBigSparkFrames + kBloodFrames;
  const int frames = hits + kItemFrames;
  std::vector<Canvas> cells(frames, Canvas(kCell, kCell));
  const double mid = kCell / 2.0;
  Rng rng(1000);
  int n = 0;
  const double small[kSmallSparkFrames] = {18, 28, 24, 14};
  for (int i = 0; i < kSmallSparkFrames; ++i, ++n) spark(cells[n], mid, mid, small[i], i < 2 ? 1.0 : 0.75, rng, false);
  const double big[kBigSparkFrames] = {22, 38, 44, 34, 20};
  for (int i = 0; i < kBigSparkFrames; ++i, ++n)
    spark(cells[n], mid, mid, big[i], i < 3 ? 1.0 : 0.7, rng, i >= 1 && i <= 3);
  for (int i = 0; i < kBloodFrames; ++i, ++n) blood(cells[n], mid, mid, i, rng);
  bread(cells[n++]);
  roast(cells[n++]);
  pipe(cells[n++]);
  knife(cells[n++], mid, kItemFloor - 3);
  knife(cells[n++], mid, mid);
  PackedSheet sheet = packTrimmed(cells, -kCell / 2, -kCell / 2);  // centred on the point of impact
  // An item's anchor stands an effect's height above the foot line it lies on; a knife in flight
  // leaves its thrower's hand a little below the top of the head.
  for (int i = hits; i < hits + kItemFrames - 1; ++i) sheet.frames[i].dy += kEffectHeight - (kItemFloor - kCell / 2);
  sheet.frames[hits + kItemFrames - 1].dy += kKnifeDrop;
  sheet.canvas.savePngRgba(root + "/gfx/entities/globals.PNG");
  writeTextFile(root + "/gfx/entities/globals.spr", frameLinesOf(sheet.frames));
  writeTextFile(root + "/gfx/entities/globals.off", offsetLinesOf(sheet.frames));

  ScriptWriter w;
  w.remark("Hit effects, spawned where a blow lands.");
  w.remark("A tall body puts an effect's foot line below the fighter it lands on, so it is drawn in front.");
  w.stat("WIDTH", 8);
  w.stat("HEIGHT", kEffectHeight);
  w.endStats();
  auto effect = [&](const std::string& name, int first, int count, int ticks) {
    w.begin(name);
    for (int i = 0; i < count; ++i) w.show(first + i, ticks);
    w.command("DESTROY");
    w.stop();
  };
  effect("SMALLSPARK", 0, kSmallSparkFrames, 2);
  effect("BIGSPARK", kSmallSparkFrames, kBigSparkFrames, 3);
  effect("BLOODSPURT", kSmallSparkFrames + kBigSparkFrames, kBloodFrames, 3);
  w.remark("The arcade's items lying on the street, and a thrown knife in flight.");
  const char* const items[kItemFrames] = {"ITEMFOOD", "ITEMFEAST", "ITEMPIPE", "ITEMKNIFE", "KNIFEFLY"};
  for (int i = 0; i < kItemFrames; ++i) {
    w.begin(items[i]);
    w.command("FRAMESET " + std::to_string(hits + i));
    w.stop();
  }
  writeTextFile(root + "/scripts/globals.dat", w.lines());
}
