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

}  // namespace

void writeEffects(const std::string& root) {
  const int frames = kSmallSparkFrames + kBigSparkFrames + kBloodFrames;
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
  PackedSheet sheet = packTrimmed(cells, -kCell / 2, -kCell / 2);  // centred on the point of impact
  sheet.canvas.savePngRgba(root + "/gfx/entities/globals.PNG");
  writeTextFile(root + "/gfx/entities/globals.spr", frameLinesOf(sheet.frames));
  writeTextFile(root + "/gfx/entities/globals.off", offsetLinesOf(sheet.frames));

  ScriptWriter w;
  w.remark("Hit effects, spawned where a blow lands.");
  w.remark("A tall body puts an effect's foot line below the fighter it lands on, so it is drawn in front.");
  w.stat("WIDTH", 8);
  w.stat("HEIGHT", 170);
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
  writeTextFile(root + "/scripts/globals.dat", w.lines());
}
