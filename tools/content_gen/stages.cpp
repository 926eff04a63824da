// The stages of world1: backdrops, tile sheets and the stage files that lay them out.
#include <algorithm>
#include <stdexcept>
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
// Entries in the game's list of stage lines.
const int kStageLineCount = 2001;

// One PLACEENTITY (extra < 0) or CPLACEENTITY line, its type given by name.
struct Placement {
  int x, y;
  std::string type;
  int extra = -1, spread = 0;
};

struct StagePlan {
  std::string name;
  int theme;
  int end;
  std::vector<std::string> fighters;  // declared first, in this order; then the props
  std::vector<Placement> placements;
  Placement boss;  // declared after the props and placed last, past the last crew
  std::string world = "world1";
  std::string music;  // the stage's own name when empty
};

const char* const kProps[] = {"crate", "barrel", "hamper", "drum"};

std::string join(std::initializer_list<std::string> fields) {
  std::string s;
  for (const std::string& f : fields) s += (s.empty() ? "" : " ") + f;
  return s;
}

std::string n(int v) { return std::to_string(v); }

std::vector<std::string> stageFile(const StagePlan& plan, const Theme& theme) {
  Rng rng(seedOf(plan.name.c_str()));
  std::vector<std::string> l;
  l.push_back("# " + plan.name + " of " + plan.world + ": " + theme.stageType + " by " + theme.backdrop);
  l.push_back(join({"STAGETYPE", theme.stageType}));
  l.push_back(join({"BGNAME", theme.backdrop}));
  l.push_back(join({"BGMNAME", plan.music.empty() ? plan.name : plan.music}));
  l.push_back(join({"VERTICALWALL", n(kFloorBand)}));
  l.push_back(join({"STAGEEND", n(plan.end)}));
  l.push_back("");
  l.push_back("# The far layer: its positions are halved on screen, so it is spread twice as wide.");
  for (int x = 0; x < plan.end + kScreenW; x += kFarBlockW * kBackParallax)
    l.push_back(join({"OBJECTBACK", n(x), n(kFarBlockRow * kBackParallax), n(kBackParallax),
                      n(kFarBlock0 + rng.below(3))}));
  l.push_back("# What stands behind the walkway, and the walkway itself.");
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
  l.push_back("# Things at the back edge of the walkway, behind the fighters.");
  for (int x = 300; x < plan.end; x += 560 + rng.below(160)) {
    l.push_back(join({"OBJECT", n(x), n(kKerbRow - 300), n(kLampPost)}));
    int extra = rng.below(4);
    if (extra == 0) l.push_back(join({"OBJECT", n(x + 90), n(kKerbRow - 46), n(kHydrant)}));
    if (extra == 1) l.push_back(join({"OBJECT", n(x + 120), n(kKerbRow - 66), n(kBin)}));
    if (extra == 2) l.push_back(join({"OBJECT", n(x + 140), n(kKerbRow - 112), n(kCrates)}));
    if (extra == 3) l.push_back(join({"OBJECT", n(x + 60), n(kKerbRow - 104), n(kFence)}));
  }
  l.push_back("# The front layer slides past twice as fast as the walkway.");
  for (int x = 200; x < (plan.end - kScreenW) * kForeParallax + kScreenW; x += 900 + rng.below(500)) {
    if (rng.unit() < 0.5)
      l.push_back(join({"OBJECTFORE", n(x), n(kForeRow), n(kForeParallax), n(kBollard)}));
    else
      l.push_back(join({"OBJECTFORE", n(x), n(kForeRow - 10), n(kForeParallax), n(kRailing)}));
  }
  l.push_back("");
  l.push_back("# Who lives here.");
  std::vector<std::string> types = plan.fighters;
  for (const std::string& name : types) l.push_back(join({"LOADENTITY", name, "1"}));
  for (const char* prop : kProps) {
    l.push_back(join({"LOADENTITY", prop, "0"}));
    types.push_back(prop);
  }
  l.push_back(join({"LOADENTITY", plan.boss.type, "1"}));
  types.push_back(plan.boss.type);
  std::vector<Placement> placements = plan.placements;
  placements.push_back(plan.boss);
  for (const Placement& p : placements) {
    // Stage files count types from 0 in the order they are declared.
    int type = static_cast<int>(std::find(types.begin(), types.end(), p.type) - types.begin());
    if (type == static_cast<int>(types.size())) throw std::runtime_error(plan.name + " places undeclared " + p.type);
    if (p.extra < 0)
      l.push_back(join({"PLACEENTITY", n(p.x), n(p.y), n(type)}));
    else
      l.push_back(join({"CPLACEENTITY", n(p.x), n(p.y), n(type), n(p.extra), n(p.spread)}));
  }
  // The game reads a stage file over the lines of the stage before and never empties them, so a
  // shorter file would inherit the longer one's last placements. Blank lines up to the whole
  // list overwrite every one of them.
  l.resize(kStageLineCount);
  return l;
}

// Players start at x 20, and an opponent more than a screen's width from player 1 stands still.
// So every stage opens with a screen of props and no one in it, and each group stands more than
// a screen beyond the one before: a player meets one group at a time, and whoever waits at the
// start is left alone. The crews get harder from stage to stage: the harbour's dock crew is the
// softest, the factory mixes them with the downtown gangs, and downtown has the gangs at full
// strength with bigger groups. Each stage ends on its boss, waiting in the last group past the
// last crew.
std::vector<StagePlan> world1() {
  Placement crate{460, 430, "crate"}, barrel{600, 440, "barrel"};
  StagePlan stage1{"stage1", 1, 4600, {"punk2", "biker2", "bruiser2"},
                   {crate, barrel, {1200, 400, "punk2"},
                    {2400, 400, "punk2", 1, 40}, {2700, 450, "drum"},
                    {3500, 380, "biker2"}, {3560, 440, "punk2"}, {3900, 430, "hamper"},
                    {4400, 400, "bruiser2"}},
                   {4520, 380, "harbourmaster"}};
  StagePlan stage2{"stage2", 2, 5600, {"punk", "biker", "bruiser2", "punk2"},
                   {crate, barrel, {1200, 400, "punk", 1, 40},
                    {2300, 440, "drum"}, {2500, 380, "biker"}, {2560, 440, "punk2"},
                    {3700, 400, "punk", 2, 50}, {4000, 460, "hamper"},
                    {4900, 380, "bruiser2"}, {5000, 440, "biker"}},
                   {5380, 380, "furnace"}};
  StagePlan stage3{"stage3", 0, 5200, {"punk", "biker", "bruiser"},
                   {crate, barrel, {1300, 400, "punk", 1, 40},
                    {1900, 450, "drum"}, {2500, 380, "punk", 1, 40}, {2600, 440, "biker"},
                    {3100, 420, "hamper"}, {3700, 400, "biker", 1, 50}, {3800, 360, "bruiser"},
                    {4800, 380, "punk", 2, 60}, {4950, 420, "bruiser"}},
                   {5100, 380, "kingpin"}};
  return {stage1, stage2, stage3};
}

// World 2 asks more from the first group on: the downtown gangs at full strength mixed with
// the two new kinds (the yard hand's long, slow reach; the roof runner's speed and flying
// kicks), groups of three and four, and longer stages.
std::vector<StagePlan> world2() {
  Placement crate{460, 430, "crate"}, barrel{600, 440, "barrel"};
  StagePlan railyard{"stage1", 3, 5000, {"punk", "yardhand", "bruiser"},
                     {crate, barrel, {1300, 400, "yardhand"}, {1360, 450, "punk"},
                      {2500, 380, "punk", 1, 40}, {2600, 440, "yardhand"}, {3000, 430, "hamper"},
                      {3700, 400, "bruiser"}, {3760, 450, "punk", 1, 40},
                      {4700, 400, "yardhand", 1, 50}},
                     {4880, 380, "signalman"}, "world2", "railyard"};
  StagePlan rooftops{"stage2", 4, 5400, {"runner", "biker", "punk"},
                     {crate, barrel, {1300, 400, "runner"}, {1360, 450, "punk"},
                      {2500, 380, "biker"}, {2560, 440, "runner"}, {2900, 430, "drum"},
                      {3700, 400, "punk", 2, 50}, {3800, 440, "runner"},
                      {4900, 380, "biker"}, {4960, 440, "runner"}},
                     {5250, 380, "skyline"}, "world2", "rooftops"};
  StagePlan pier{"stage3", 5, 5800, {"runner", "yardhand", "bruiser", "biker"},
                 {crate, barrel, {1300, 400, "runner", 1, 40},
                  {2500, 380, "yardhand"}, {2560, 440, "biker"}, {2700, 430, "hamper"},
                  {3700, 400, "bruiser"}, {3780, 450, "runner", 1, 40},
                  {4900, 380, "yardhand"}, {4960, 440, "bruiser"}, {5020, 400, "runner"}},
                 {5650, 380, "ringmaster"}, "world2", "pier"};
  return {railyard, rooftops, pier};
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
  for (const std::vector<StagePlan>& world : {world1(), world2()})
    for (const StagePlan& plan : world)
      writeTextFile(root + "/stage/" + plan.world + "/" + plan.name + ".lev", stageFile(plan, themes[plan.theme]));
  // The worlds the arcade plays through, in order.
  writeTextFile(root + "/stage/worlds.dat", {"# The worlds, played in this order; each is a folder of stage/ with its map.",
                                             "WORLD world1", "WORLD world2"});
}
