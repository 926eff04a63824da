// Files of the front-end screens: the main menu sheet, the character select sheets and
// portraits with the roster, and the world map with its node graph and player markers.
#include <cmath>

#include "canvas.h"
#include "fighter_looks.h"
#include "fighter_poses.h"
#include "file_out.h"
#include "interface_sheet.h"
#include "pack.h"
#include "portrait.h"
#include "rng.h"
#include "script_writer.h"
#include "shading.h"
#include "sheet.h"
#include "stage_art.h"

namespace {

const int kScreenW = 1024, kScreenH = 768;

struct RosterEntry {
  const char* name;
  const char* shown;
};
// Boxes left to right on the character select screen.
const RosterEntry kRoster[4] = {{"kestor", "KESTOR"}, {"bluesoldier", "BLUE"}, {"rider", "RIDER"}, {"brick", "BRICK"}};

// Lettering with a dark rim and a drop shadow, centred on cx.
void title(Canvas& c, const std::string& text, int cx, int y, int scale, Color top, Color bottom) {
  int w = Canvas::textWidth(text, scale) + 8;
  Canvas t(w, 12 * scale + 8);
  t.text(text, 4, 4, scale, rgb(255, 255, 255));
  for (int j = 0; j < t.height(); ++j)
    for (int i = 0; i < t.width(); ++i)
      if (t.get(i, j).a) t.set(i, j, mixed(top, bottom, static_cast<double>(j) / t.height()));
  t.outline(rgb(30, 10, 10));
  Canvas shadow(w, t.height());
  for (int j = 0; j < t.height(); ++j)
    for (int i = 0; i < t.width(); ++i)
      if (t.get(i, j).a) shadow.set(i, j, rgb(0, 0, 0, 150));
  c.draw(shadow, cx - w / 2 + scale, y + scale);
  c.draw(t, cx - w / 2, y);
}

// The title's entries, top to bottom; the third stays greyed until a stage has been cleared.
const char* const kMenuEntries[4] = {"1 PLAYER", "2 PLAYERS", "CONTINUE", "QUIT"};
const int kGreyedEntry = 2;
// Rows under the picture hold plates that are not part of it, such as the greyed entry.
const int kMenuSheetH = 1024;

void writeMainMenu(const std::string& root) {
  Canvas c(kScreenW, kMenuSheetH, rgb(10, 8, 22));
  c.verticalGradient(0, 0, kScreenW, kScreenH, rgb(16, 12, 40), rgb(60, 20, 40));
  const Theme& street = stageThemes()[0];
  Canvas skyline = paintBackdrop(street);
  c.copyFrom(skyline, 600, 180, 424, 300, 600, 300);
  c.verticalGradient(600, 560, 424, 208, rgb(40, 20, 40), rgb(12, 8, 20));
  paintPortrait(c, lookOf("bluesoldier"), 724, 250, 300, 330, rgb(60, 120, 255, 255));
  paintPortrait(c, lookOf("kestor"), 590, 330, 340, 438, rgb(255, 90, 60, 255));
  title(c, "BRAWLER", 812, 40, 9, rgb(255, 240, 150), rgb(230, 80, 30));
  title(c, "STREETS OF WORLD ONE", 812, 170, 2, rgb(220, 220, 255), rgb(140, 150, 220));

  const int plateW = 560, plateH = 120;
  std::vector<FrameRect> frames;
  auto plate = [&](int x, int y, Color top, Color bottom, Color rim) {
    c.fillRect(x, y, plateW, plateH, rim);
    c.verticalGradient(x + 4, y + 4, plateW - 8, plateH - 8, top, bottom);
    c.fillRect(x + 4, y + 4, plateW - 8, 3, mixed(top, rgb(255, 255, 255), 0.4));
  };
  for (int k = 0; k < 4; ++k) {
    int x = 20, y = 200 + 144 * k;  // the screen draws each entry at this very place
    plate(x, y, rgb(70, 60, 110), rgb(24, 18, 48), rgb(200, 180, 120));
    title(c, kMenuEntries[k], x + plateW / 2, y + 28, 6, rgb(255, 255, 255), rgb(190, 190, 230));
    frames.push_back({x, y, plateW, plateH});
  }
  // The highlight covers the chosen entry, pulsing: a gold plate with arrows either side. It
  // sits under the picture, so that the picture can serve as a backdrop.
  int hx = 20, hy = kScreenH + 132;
  plate(hx, hy, rgb(255, 220, 110), rgb(220, 110, 30), rgb(255, 250, 220));
  for (int side = 0; side < 2; ++side) {
    double ax = side ? hx + plateW - 40.0 : hx + 40.0, dir = side ? 1 : -1;
    c.fillPolygon({{ax - dir * 16, hy + 36.0}, {ax + dir * 16, hy + 60.0}, {ax - dir * 16, hy + 84.0}}, rgb(120, 30, 10));
  }
  frames.push_back({hx, hy, plateW, plateH});
  frames.push_back({0, 0, kScreenW, kScreenH});  // the whole picture, for a title backdrop
  // 6: the greyed entry, a dull plate in plain grey, under the picture.
  int gx = 20, gy = kScreenH + 8;
  plate(gx, gy, rgb(70, 70, 74), rgb(38, 38, 42), rgb(96, 96, 100));
  title(c, kMenuEntries[kGreyedEntry], gx + plateW / 2, gy + 28, 6, rgb(130, 130, 134), rgb(100, 100, 104));
  frames.push_back({gx, gy, plateW, plateH});
  c.savePngRgb(root + "/gfx/interface/mainmenu.png");
  writeTextFile(root + "/gfx/interface/mainmenu.spr", frameLinesOf(frames));
}

void writeCharacterSelect(const std::string& root) {
  // The character select screen swaps its own copy of the interface sheet into the same slot.
  std::vector<FrameRect> hudFrames;
  interfaceSheet(hudFrames).savePngRgba(root + "/gfx/interface/menus.png");

  const int boxX = 225, boxStep = 125, boxY = 625, bandY = 460, box = 110;
  Canvas c(1024, 1024);
  std::vector<FrameRect> frames(5);
  // 0: cursor box, slightly taller than a selection box (it is drawn 2 pixels higher).
  for (int t = 0; t < 5; ++t) {
    Color ring = mixed(rgb(255, 250, 200), rgb(255, 170, 20), t / 4.0);
    c.fillRect(t, t, box - 2 * t, 114 - 2 * t, ring);
    c.fillRect(t + 1, t + 1, box - 2 * t - 2, 114 - 2 * t - 2, rgb(0, 0, 0, 0));
  }
  c.text("P", 4, 4, 2, rgb(255, 255, 255));
  frames[0] = {0, 0, box, 114};
  // 1: the lower band, drawn at 1024 x 768 from row 460: faces and names sit under the boxes.
  const int bx = 0, by = 200;
  c.verticalGradient(bx, by, kScreenW, kScreenH, rgb(40, 30, 80), rgb(8, 6, 20));
  for (int x = 0; x < kScreenW; x += 32) c.fillRect(bx + x, by, 1, kScreenH, rgb(255, 255, 255, 8));
  title(c, "CHOOSE YOUR FIGHTER", bx + 512, by + 40, 5, rgb(255, 240, 160), rgb(240, 110, 40));
  for (int k = 0; k < 4; ++k) {
    int fx = bx + boxX + boxStep * k, fy = by + (boxY - bandY);
    const Look& look = lookOf(kRoster[k].name);
    Canvas face(box, box);
    face.verticalGradient(0, 0, box, box, rgb(90, 80, 140), rgb(30, 24, 60));
    Pose pose = fighterPoses()[fighterFrame("stance")].pose;
    paintFigure(face, look, pose, box * 0.42, box + 150, 1.55);
    c.copyFrom(face, 0, 0, box, box, fx, fy);
    title(c, kRoster[k].shown, fx + box / 2, fy + box + 8, 2, rgb(255, 255, 255), rgb(200, 200, 240));
  }
  frames[1] = {bx, by, kScreenW, kScreenH};
  // 2: the flash layer, plain white.
  c.fillRect(120, 0, 16, 16, rgb(255, 255, 255));
  frames[2] = {120, 0, 16, 16};
  // 3: selection box: a frame round the face that the band shows through.
  for (int t = 0; t < 4; ++t) {
    c.fillRect(140 + t, t, box - 2 * t, box - 2 * t, t == 0 ? rgb(20, 10, 30) : rgb(200, 190, 150));
    c.fillRect(140 + t + 1, t + 1, box - 2 * t - 2, box - 2 * t - 2, rgb(0, 0, 0, 0));
  }
  frames[3] = {140, 0, box, box};
  // 4: dividing line, stretched across the screen.
  c.verticalGradient(260, 0, 16, 10, rgb(255, 240, 170), rgb(200, 90, 20));
  frames[4] = {260, 0, 16, 10};
  c.savePngRgba(root + "/gfx/interface/menusprites.png");
  writeTextFile(root + "/gfx/interface/menusprites.spr", frameLinesOf(frames));

  const int portW = 520, portH = 440;
  Canvas ports(portW * 2, portH * 2);
  std::vector<FrameRect> portFrames;
  const Color glows[4] = {rgb(255, 90, 60), rgb(60, 120, 255), rgb(60, 220, 140), rgb(255, 170, 40)};
  for (int k = 0; k < 4; ++k) {
    int x = (k % 2) * portW, y = (k / 2) * portH;
    paintPortrait(ports, lookOf(kRoster[k].name), x, y, portW, portH, glows[k]);
    portFrames.push_back({x, y, portW, portH});
  }
  ports.savePngRgba(root + "/gfx/portraits/port.png");
  writeTextFile(root + "/gfx/portraits/port.spr", frameLinesOf(portFrames));

  std::vector<std::string> roster = {"# Fighters in the character select boxes, left to right."};
  for (int k = 0; k < 4; ++k) roster.push_back("FIGHTER " + std::to_string(k) + " " + kRoster[k].name);
  writeTextFile(root + "/roster.dat", roster);
}

struct Node {
  int x, y, left, right, up, down;
  const char* stage;
  const char* label;
};

// Node 0 is where the markers start; nothing can lead back to it, so downtown has a twin (3).
const Node kNodes[] = {
    {520, 430, 1, 0, 2, 0, "stage3", "DOWNTOWN"},
    {250, 560, 0, 3, 2, 0, "stage1", "HARBOR"},
    {740, 210, 1, 0, 0, 3, "stage2", "FACTORY"},
    {520, 430, 1, 0, 2, 0, "stage3", nullptr},
};

// A new game opens at the harbor only; each cleared stage opens the roads out of it.
const char* const kStartStage = "stage1";

void road(Canvas& c, const Node& a, const Node& b) {
  c.line({double(a.x), double(a.y)}, {double(b.x), double(b.y)}, 16, rgb(60, 50, 50));
  c.line({double(a.x), double(a.y)}, {double(b.x), double(b.y)}, 11, rgb(236, 220, 170));
  for (int s = 0; s < 20; s += 2) {
    double t0 = s / 20.0, t1 = (s + 1) / 20.0;
    c.line({a.x + (b.x - a.x) * t0, a.y + (b.y - a.y) * t0}, {a.x + (b.x - a.x) * t1, a.y + (b.y - a.y) * t1}, 2,
           rgb(200, 90, 60));
  }
}

void drawNodes(Canvas& c, const Node* nodes, size_t count) {
  for (size_t k = 0; k < count; ++k) {
    const Node& n = nodes[k];
    if (!n.label) continue;
    c.fillCircle(n.x, n.y, 26, rgb(40, 20, 20));
    c.fillCircle(n.x, n.y, 22, rgb(240, 80, 60));
    c.fillCircle(n.x - 6, n.y - 6, 8, rgb(255, 170, 140));
    title(c, n.label, n.x, n.y + 30, 3, rgb(255, 255, 255), rgb(230, 230, 180));
  }
}

void writeMapData(const std::string& path, const std::string& remark, const char* start, const Node* nodes,
                  size_t count) {
  std::vector<std::string> data = {remark, "# NODE n x y left right up down stage",
                                   "# START stage: the one stage open when a new game begins",
                                   std::string("START ") + start};
  for (size_t i = 0; i < count; ++i) {
    const Node& n = nodes[i];
    data.push_back("NODE " + std::to_string(i) + " " + std::to_string(n.x) + " " + std::to_string(n.y) + " " +
                   std::to_string(n.left) + " " + std::to_string(n.right) + " " + std::to_string(n.up) + " " +
                   std::to_string(n.down) + " " + n.stage);
  }
  writeTextFile(path, data);
}

// World 2 by night: the rail yard on the plain, the towers of the city, the pier out to sea.
// Node 0 is the yard, where a new world starts; its twin (3) lets the roads lead back to it.
const Node kWorld2Nodes[] = {
    {230, 560, 0, 1, 0, 0, "stage1", "RAIL YARD"},
    {540, 380, 3, 2, 0, 0, "stage2", "ROOFTOPS"},
    {820, 560, 1, 0, 0, 0, "stage3", "PIER"},
    {230, 560, 0, 1, 0, 0, "stage1", nullptr},
};

void writeWorld2Map(const std::string& root) {
  Canvas c(kScreenW, kScreenH, rgb(20, 30, 60));
  Rng rng(8);
  for (int k = 0; k < 120; ++k) c.set(rng.below(kScreenW), rng.below(200), rgb(255, 255, 255, 200));
  std::vector<Point> land = {{0, 200}, {700, 200}, {760, 420}, {680, 768}, {0, 768}};
  c.fillPolygon(land, rgb(40, 60, 50));
  for (int k = 0; k < 160; ++k) c.fillRect(rng.below(kScreenW), 220 + rng.below(548), 6 + rng.below(10), 1, rgb(40, 60, 110));
  c.fillPolygon(land, rgb(44, 66, 54));
  for (int x = 0; x < 700; x += 4) c.fillRect(x, 600 + (x % 8 ? 0 : 2), 3, 3, rgb(120, 110, 100));  // the main line
  c.fillRect(0, 604, 700, 2, rgb(170, 170, 180));
  for (int k = 0; k < 60; ++k) {  // the city's towers, lit
    int x = 400 + rng.below(260), h = 30 + rng.below(120), w = 12 + rng.below(14);
    c.fillRect(x, 420 - h, w, h, rgb(30, 24, 50));
    for (int y = 424 - h; y < 416; y += 8)
      if (rng.unit() < 0.5) c.fillRect(x + 3, y, 3, 3, rgb(255, 220, 140));
  }
  c.fillRect(760, 540, 200, 16, rgb(150, 110, 72));  // the pier over the water
  for (int x = 770; x < 960; x += 30) c.fillRect(x, 556, 4, 30, rgb(90, 70, 50));
  road(c, kWorld2Nodes[0], kWorld2Nodes[1]);
  road(c, kWorld2Nodes[1], kWorld2Nodes[2]);
  drawNodes(c, kWorld2Nodes, sizeof kWorld2Nodes / sizeof kWorld2Nodes[0]);
  title(c, "WORLD 2", 860, 690, 5, rgb(200, 240, 255), rgb(120, 80, 240));
  c.savePngRgb(root + "/gfx/overworld/world2.png");
  writeMapData(root + "/stage/world2/overworlddata.dat",
               "# World 2: start at the rail yard; the roofs, then the pier.", "stage1", kWorld2Nodes,
               sizeof kWorld2Nodes / sizeof kWorld2Nodes[0]);
}

void writeOverworld(const std::string& root) {
  Canvas c(kScreenW, kScreenH, rgb(40, 90, 150));
  Rng rng(7);
  // Sea with ripples, a coastline, land with blocks of town and a road linking the stages.
  for (int k = 0; k < 400; ++k) c.fillRect(rng.below(kScreenW), rng.below(kScreenH), 6 + rng.below(10), 1, rgb(90, 150, 200));
  std::vector<Point> land = {{1024, 0}, {180, 0}, {140, 120}, {220, 260}, {120, 420}, {170, 520}, {330, 640}, {300, 768}, {1024, 768}};
  std::vector<Point> beach;
  for (const Point& p : land) beach.push_back({p.x - 14, p.y});
  c.fillPolygon(beach, rgb(230, 210, 150));
  c.fillPolygon(land, rgb(110, 160, 90));
  for (int k = 0; k < 160; ++k) {  // town blocks, thicker near downtown
    double a = rng.unit() * 6.283, r = std::sqrt(rng.unit()) * 260;
    int x = static_cast<int>(560 + std::cos(a) * r * 1.4), y = static_cast<int>(420 + std::sin(a) * r);
    if (x < 260 || y < 40) continue;
    int w = 14 + rng.below(20), h = 12 + rng.below(16);
    c.fillRect(x, y, w, h, rgb(70, 60, 70));
    c.fillRect(x + 1, y + 1, w - 2, h - 3, mixed(rgb(200, 180, 160), rgb(170, 90, 70), rng.unit()));
  }
  for (int k = 0; k < 90; ++k) {  // trees on the outskirts
    int x = 300 + rng.below(700), y = rng.below(740);
    if (std::hypot((x - 560) / 1.4, y - 420.0) < 250) continue;
    c.fillCircle(x, y, 7, rgb(40, 100, 50));
    c.fillCircle(x - 2, y - 2, 4, rgb(80, 150, 70));
  }
  road(c, kNodes[0], kNodes[1]);
  road(c, kNodes[0], kNodes[2]);
  road(c, kNodes[1], kNodes[2]);
  drawNodes(c, kNodes, sizeof kNodes / sizeof kNodes[0]);
  title(c, "WORLD 1", 860, 690, 5, rgb(255, 240, 160), rgb(240, 110, 40));
  c.savePngRgb(root + "/gfx/overworld/world1.png");

  writeMapData(root + "/stage/world1/overworlddata.dat",
               "# World 1: start downtown; roads lead to the harbor and the factory.", kStartStage, kNodes,
               sizeof kNodes / sizeof kNodes[0]);

  // Markers: each player's fighter in miniature, bobbing on its node.
  const int cellW = 64, cellH = 92, ground = 88;
  const char* who[2] = {"kestor", "bluesoldier"};
  GridSheet markers(cellW, cellH, 4, 4);
  for (int p = 0; p < 2; ++p)
    for (int f = 0; f < 2; ++f) {
      int n = p * 2 + f;
      Canvas& mc = markers.canvas();
      mc.fillEllipse(markers.cellX(n) + cellW / 2.0 + (p ? 12 : -12), markers.cellY(n) + ground - 1.0, 16, 5,
                     rgb(0, 0, 0, 110));
      Pose pose = fighterPoses()[fighterFrame(f ? "stance2" : "stance")].pose;
      // Side by side, so two markers on one node both show.
      double cx = markers.cellX(n) + cellW / 2.0 + (p ? 12 : -12);
      paintFigure(mc, lookOf(who[p]), pose, cx, markers.cellY(n) + ground - (f ? 3 : 0), 0.45);
    }
  markers.setOffsets(-cellW / 2, -ground);
  markers.canvas().savePngRgba(root + "/gfx/overworld/markers.png");
  writeTextFile(root + "/gfx/overworld/markers.spr", markers.frameLines());
  writeTextFile(root + "/gfx/overworld/markers.off", markers.offsetLines());
  ScriptWriter w;
  w.remark("Overworld markers: player p runs block PLAYERp.");
  w.endStats();
  for (int p = 1; p <= 5; ++p) {
    int first = ((p - 1) % 2) * 2;
    w.begin("PLAYER" + std::to_string(p));
    w.show(first, 18);
    w.show(first + 1, 18);
    w.end();
  }
  writeTextFile(root + "/scripts/overworldmarkers.dat", w.lines());
}

}  // namespace

void writeFrontEnd(const std::string& root) {
  writeMainMenu(root);
  writeCharacterSelect(root);
  writeOverworld(root);
  writeWorld2Map(root);
}
