// The stages of world1: backdrops, tile sheets and the stage files that lay them out.
#include <string>
#include <vector>

#include "file_out.h"
#include "pack.h"
#include "rng.h"
#include "stage_art.h"

namespace {

// Scenery rows on the screen when the view is level.
const int kPavementTop = 440;
const int kFacadeTop = kPavementTop - kFacadeH;
const int kRoadTop = 500;
const int kKerbRow = 450;  // where things stand on the pavement
const int kForeRow = 700;
// Foot lines may lie from row 768 - kFloorBand down to 768: the pavement's top edge to the screen's bottom.
const int kFloorBand = 300;
const int kBackParallax = 2;
// Screen row of the far blocks' top edge. A scenery tile that has never been drawn is tested for
// being on screen by its top-left corner alone, so that corner must not start above the screen.
const int kFarBlockRow = 0;
const int kForeParallax = 2;
const int kScreenW = 1024;

struct StagePlan {
  std::string name;
  int theme;
  int end;
  std::vector<std::string> types;  // LOADENTITY lines, type numbers count from 0
  std::vector<std::string> placements;
};

std::string join(std::initializer_list<std::string> fields) {
  std::string s;
  for (const std::string& f : fields) s += (s.empty() ? "" : " ") + f;
  return s;
}

std::string n(int v) { return std::to_string(v); }

std::vector<std::string> stageFile(const StagePlan& plan, const Theme& theme) {
  Rng rng(seedOf(plan.name.c_str()));
  std::vector<std::string> l;
  l.push_back("# " + plan.name + " of world1: " + theme.stageType + " by " + theme.backdrop);
  l.push_back(join({"STAGETYPE", theme.stageType}));
  l.push_back(join({"BGNAME", theme.backdrop}));
  l.push_back(join({"BGMNAME", plan.name}));
  l.push_back(join({"VERTICALWALL", n(kFloorBand)}));
  l.push_back(join({"STAGEEND", n(plan.end)}));
  l.push_back("");
  l.push_back("# Far blocks: their positions are halved on screen, so they are spread twice as wide.");
  for (int x = 0; x < plan.end + kScreenW; x += kFarBlockW * kBackParallax)
    l.push_back(join({"OBJECTBACK", n(x), n(kFarBlockRow * kBackParallax), n(kBackParallax),
                      n(kFarBlock0 + rng.below(3))}));
  l.push_back("# Street fronts.");
  int last = -1;
  for (int x = 0; x < plan.end; x += kFacadeW) {
    int v = rng.below(4);
    if (v == last) v = (v + 1) % 4;
    last = v;
    l.push_back(join({"OBJECT", n(x), n(kFacadeTop), n(kFacade0 + v)}));
  }
  int tiles = plan.end / (kPavementW - 2) + 1;
  l.push_back(join({"OBJECTSTRING", "0", n(kPavementTop), n(kPavement), n(tiles)}));
  l.push_back(join({"OBJECTSTRING", "0", n(kRoadTop), n(kRoad), n(tiles)}));
  l.push_back("# Street furniture on the pavement, behind the fighters.");
  for (int x = 300; x < plan.end; x += 560 + rng.below(160)) {
    l.push_back(join({"OBJECT", n(x), n(kKerbRow - 300), n(kLampPost)}));
    int extra = rng.below(4);
    if (extra == 0) l.push_back(join({"OBJECT", n(x + 90), n(kKerbRow - 46), n(kHydrant)}));
    if (extra == 1) l.push_back(join({"OBJECT", n(x + 120), n(kKerbRow - 66), n(kBin)}));
    if (extra == 2) l.push_back(join({"OBJECT", n(x + 140), n(kKerbRow - 112), n(kCrates)}));
    if (extra == 3) l.push_back(join({"OBJECT", n(x + 60), n(kKerbRow - 104), n(kFence)}));
  }
  l.push_back("# Foreground rail and bollards slide past twice as fast as the street.");
  for (int x = 200; x < (plan.end - kScreenW) * kForeParallax + kScreenW; x += 900 + rng.below(500)) {
    if (rng.unit() < 0.5)
      l.push_back(join({"OBJECTFORE", n(x), n(kForeRow), n(kForeParallax), n(kBollard)}));
    else
      l.push_back(join({"OBJECTFORE", n(x), n(kForeRow - 10), n(kForeParallax), n(kRailing)}));
  }
  l.push_back("");
  l.push_back("# Who lives here.");
  for (const std::string& t : plan.types) l.push_back(t);
  for (const std::string& p : plan.placements) l.push_back(p);
  return l;
}

std::vector<std::string> standardTypes() {
  return {"LOADENTITY punk 1", "LOADENTITY biker 1", "LOADENTITY bruiser 1", "LOADENTITY crate 0",
          "LOADENTITY barrel 0"};
}

// Type numbers as the stage files count them.
const int kPunk = 0, kBiker = 1, kBruiser = 2, kCrate = 3, kBarrel = 4;

std::string place(int x, int y, int type) { return join({"PLACEENTITY", n(x), n(y), n(type)}); }
std::string group(int x, int y, int type, int extra, int spread) {
  return join({"CPLACEENTITY", n(x), n(y), n(type), n(extra), n(spread)});
}

std::vector<StagePlan> world1() {
  StagePlan stage3{"stage3", 0, 5200, standardTypes(),
                   {place(520, 430, kCrate), place(900, 360, kPunk), place(1350, 470, kBarrel),
                    group(1800, 380, kPunk, 1, 40), place(2400, 420, kCrate), place(2500, 360, kBiker),
                    group(3200, 400, kPunk, 1, 50), place(3350, 340, kBiker), place(3900, 460, kBarrel),
                    place(4300, 380, kBruiser), group(4700, 380, kPunk, 2, 60)}};
  StagePlan stage1{"stage1", 1, 4600, standardTypes(),
                   {place(600, 440, kBarrel), place(950, 380, kPunk), group(1600, 400, kPunk, 1, 40),
                    place(2100, 430, kCrate), place(2200, 470, kCrate), place(2600, 360, kBiker),
                    group(3300, 380, kBiker, 1, 40), place(3900, 400, kBruiser)}};
  StagePlan stage2{"stage2", 2, 5600, standardTypes(),
                   {place(700, 420, kCrate), place(1000, 380, kBiker), group(1500, 380, kPunk, 2, 50),
                    place(2200, 460, kBarrel), place(2500, 360, kBruiser), group(3100, 400, kBiker, 1, 40),
                    place(3600, 440, kCrate), group(4200, 380, kPunk, 2, 60), place(4900, 380, kBruiser),
                    place(5050, 440, kBiker)}};
  return {stage1, stage2, stage3};
}

}  // namespace

void writeStages(const std::string& root) {
  const std::vector<Theme>& themes = stageThemes();
  for (const Theme& theme : themes) {
    paintBackdrop(theme).savePngRgb(root + "/gfx/stage/" + theme.backdrop + ".png");
    std::vector<FrameRect> frames;
    Canvas tiles = paintTiles(theme, frames);
    tiles.savePngRgba(root + "/gfx/stage/" + theme.stageType + "/tiles0.png");
    writeTextFile(root + "/gfx/stage/" + theme.stageType + "/tiles0.spr", frameLinesOf(frames));
  }
  writeTextFile(root + "/gfx/stage/bg.spr", {"FRAME 0 0 1024 768"});
  for (const StagePlan& plan : world1())
    writeTextFile(root + "/stage/world1/" + plan.name + ".lev", stageFile(plan, themes[plan.theme]));
}
