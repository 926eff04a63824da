// Props to knock about: wooden crates and oil drums. A light blow jolts one and it settles back
// into its standing frame on its own, as nothing else would put it back; a knock-down blow sends
// it tumbling and breaks it, and in the arcade what was inside is left on the street.
// Both stand taller than half a fighter: a jab lands between a quarter and half of the
// attacker's height below its head, and a prop any lower would let the first blows pass over it.
// Props are drawn mirrored when they face left, so nothing on them is lettering.
#include <cmath>
#include <functional>

#include "file_out.h"
#include "pack.h"
#include "rng.h"
#include "script_writer.h"
#include "shading.h"
#include "sheet.h"

namespace {

const int kCell = 150;
const int kGroundRow = 136;
const int kFrames = 5;  // standing, jolted, two tumbling, settling
const double kTilt[kFrames] = {0, 6, 35, 80, -4};
const double kLift[kFrames] = {0, 0, 14, 10, 0};

Canvas crate(Rng& rng) {
  const int w = 76, h = 88;
  Canvas c(w, h);
  Ramp wood = rampOf(rgb(176, 120, 62));
  c.fillRect(0, 0, w, h, wood.line);
  c.fillRect(1, 1, w - 2, h - 2, wood.base);
  for (int y = 1; y < h - 1; y += 11) {  // planks with a little grain
    c.fillRect(1, y, w - 2, 1, wood.dark);
    for (int k = 0; k < 4; ++k) c.fillRect(2 + rng.below(w - 14), y + 3 + rng.below(6), 6 + rng.below(8), 1, scaled(wood.base, 0.85));
  }
  Ramp frame = rampOf(rgb(140, 90, 46));
  auto bar = [&](int x, int y, int bw, int bh) {
    c.fillRect(x, y, bw, bh, frame.line);
    c.fillRect(x + 1, y + 1, bw - 2, bh - 2, frame.base);
    c.fillRect(x + 1, y + 1, bw - 2, 2, frame.light);
  };
  bar(0, 0, w, 8);
  bar(0, h - 8, w, 8);
  bar(0, 0, 8, h);
  bar(w - 8, 0, 8, h);
  c.line({8, h - 9.0}, {w - 9.0, 8}, 7, frame.line);
  c.line({8, h - 9.0}, {w - 9.0, 8}, 4.5, frame.base);
  for (int x : {3, w - 5})
    for (int y : {3, h - 5}) c.fillRect(x, y, 2, 2, rgb(60, 60, 66));
  return c;
}

Canvas drum() {
  const int w = 60, h = 90;
  Canvas c(w, h);
  Ramp steel = rampOf(rgb(46, 108, 176));
  for (int x = 0; x < w; ++x) {
    double t = (x + 0.5) / w * 2 - 1;  // across the drum, -1 left edge to 1 right edge
    double light = -t * 0.8 + 0.35 * std::sqrt(std::max(0.0, 1 - t * t));
    Color col = light > 0.55 ? steel.light : light > 0.0 ? steel.base : light > -0.5 ? steel.dark : scaled(steel.dark, 0.8);
    c.fillRect(x, 3, 1, h - 6, col);
  }
  c.fillEllipse(w / 2.0, 4, w / 2.0, 4, steel.line);
  c.fillEllipse(w / 2.0, 4, w / 2.0 - 2, 2.5, scaled(steel.dark, 0.7));
  for (int y : {3, 30, 58, h - 4}) {  // rolling hoops
    c.fillRect(0, y, w, 3, steel.line);
    c.fillRect(1, y + 1, w - 2, 1, steel.light);
  }
  // A hazard band with a flame diamond in its middle: it reads the same either way round.
  c.fillRect(1, 38, w - 2, 14, rgb(236, 206, 60));
  for (int x = 1; x < w - 1; x += 8) c.fillRect(x, 38, 3, 14, rgb(40, 30, 20, 200));
  c.fillPolygon({{w / 2.0, 34}, {w / 2.0 + 11, 45}, {w / 2.0, 56}, {w / 2.0 - 11, 45}}, rgb(40, 30, 20));
  c.fillPolygon({{w / 2.0, 37}, {w / 2.0 + 8, 45}, {w / 2.0, 53}, {w / 2.0 - 8, 45}}, rgb(236, 206, 60));
  c.fillEllipse(w / 2.0, 47, 3, 4, rgb(220, 60, 30));
  c.outline(steel.line);
  return c;
}

void writeProp(const std::string& root, const std::string& name, const std::string& description, const Canvas& art,
               int width, int weight, const char* item) {
  std::vector<Canvas> cells(kFrames, Canvas(kCell, kCell));
  for (int n = 0; n < kFrames; ++n)
    drawRotated(cells[n], art, kCell / 2.0, kGroundRow - art.height() / 2.0 - kLift[n], kTilt[n]);
  int height = art.height();
  PackedSheet sheet = packTrimmed(cells, -kCell / 2, height - kGroundRow);
  std::string base = root + "/gfx/entities/" + name;
  sheet.canvas.savePngRgba(base + ".PNG");
  writeTextFile(base + ".spr", frameLinesOf(sheet.frames));
  writeTextFile(base + ".off", offsetLinesOf(sheet.frames));

  ScriptWriter w;
  w.remark(description);
  w.stat("WIDTH", width);
  w.stat("HEIGHT", height);
  w.stat("WEIGHT", weight);
  w.stat("SETHP", 1);
  w.endStats();
  w.begin("STATIONARY");
  w.command("FRAMESET 0");
  w.stop();
  w.begin("DAMAGE");
  w.show(1, 4);
  w.show(0, 3);
  w.show(1, 3);
  w.command("ASSIGNANIMATION STATIONARY");
  w.remark("Tumbles for about as long as a knock keeps it in the air, then breaks open.");
  w.begin("FALL");
  for (int spin = 0; spin < 3; ++spin) {
    w.show(2, 5);
    w.show(3, 5);
  }
  w.show(4, 8);
  w.command(std::string("DROPITEM ") + item);
  w.command("DESTROY");
  w.stop();
  writeTextFile(root + "/scripts/" + name + ".dat", w.lines());
}

}  // namespace

void writeProps(const std::string& root) {
  Rng rng(31);
  const Canvas box = crate(rng);
  writeProp(root, "crate", "Wooden crate: breaks when knocked down; food inside.", box, 74, 1, "FOOD");
  writeProp(root, "barrel", "Oil drum: heavy, rolls a little when struck; a length of pipe inside.", drum(), 60, 2,
            "PIPE");
  writeProp(root, "hamper", "Wooden crate: breaks when knocked down; a whole feast inside.", box, 74, 1, "FEAST");
  writeProp(root, "drum", "Oil drum: heavy; a knife inside.", drum(), 60, 2, "KNIFE");
}
