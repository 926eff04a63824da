// The shipped content pack: every file the game asks for is there, decodes with the layout its
// loader expects, and every script gives the engine the animations it starts and waits on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "content/boss.h"
#include "content/script_flow.h"
#include "content/text_file.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace {

const std::string kData = BRAWLER_CONTENT_DIR;
const int kRgb = 3, kRgba = 4;
const std::vector<std::string> kPlayers = {"kestor", "bluesoldier"};
const int kPlayerStartY = 400;
const int kScreenBottom = 768;

std::string at(const std::string& relative) { return kData + "/" + relative; }

std::vector<std::string> linesOf(const std::string& relative) {
  std::vector<std::string> lines;
  TextFileReader reader(at(relative));
  std::string line;
  while (reader.next(&line)) lines.push_back(line);
  return lines;
}

int channelsOf(const std::string& relative) {
  int w, h, comp;
  return stbi_info(at(relative).c_str(), &w, &h, &comp) ? comp : -1;
}

struct Rect {
  int x1, y1, x2, y2;
};

// Frame n of a ".spr" file is line n; lines that are not frames still use up a number.
std::vector<Rect> framesOf(const std::string& relative, std::vector<bool>* defined = nullptr) {
  std::vector<Rect> frames;
  for (const std::string& line : linesOf(relative)) {
    bool frame = getField(line, 1) == "FRAME";
    frames.push_back(frame ? Rect{int(toNumber(getField(line, 2))), int(toNumber(getField(line, 3))),
                                  int(toNumber(getField(line, 4))), int(toNumber(getField(line, 5)))}
                           : Rect{0, 0, 0, 0});
    if (defined) defined->push_back(frame);
  }
  return frames;
}

double statOf(const std::vector<std::string>& script, const std::string& keyword) {
  double value = 0;
  for (const std::string& line : script) {
    if (getField(line, 1) == keyword) value = toNumber(getField(line, 2));
    if (getField(line, 1).empty()) break;
  }
  return value;
}

// A block as the game's interpreter runs it, through the control-flow model the checker uses
// too; a block the script lacks does nothing.
BlockRun runNamed(const ScriptFlow& flow, const std::string& name) {
  int begin = flow.blockAt(name);
  return begin < 0 ? BlockRun{} : runBlock(flow, begin);
}

// Runs on into the next block's lines or past the end of the script.
bool fallsThrough(const BlockRun& run) { return run.runsOff || run.fallsInto >= 0; }

const char* const kWorlds[] = {"world1", "world2"};

std::vector<std::string> stageFiles() {
  std::vector<std::string> stages;
  for (const std::string world : kWorlds)
    for (const auto& entry : std::filesystem::directory_iterator(at("stage/" + world)))
      if (entry.path().extension() == ".lev") stages.push_back("stage/" + world + "/" + entry.path().filename().string());
  std::sort(stages.begin(), stages.end());
  return stages;
}

struct EntityType {
  std::string name;
  int kind;
};

std::vector<EntityType> typesOf(const std::vector<std::string>& stage) {
  std::vector<EntityType> types;
  for (const std::string& line : stage)
    if (getField(line, 1) == "LOADENTITY") types.push_back({getField(line, 2), int(toNumber(getField(line, 3)))});
  return types;
}

std::string valueOf(const std::vector<std::string>& stage, const std::string& keyword) {
  std::string value;
  for (const std::string& line : stage)
    if (getField(line, 1) == keyword) value = getField(line, 2);
  return value;
}

// Every script the game can load: players, the types the stages declare, and the effects.
std::map<std::string, int> allScripts() {
  std::map<std::string, int> kinds;
  for (const std::string& p : kPlayers) kinds[p] = 1;
  for (const std::string& stage : stageFiles())
    for (const EntityType& t : typesOf(linesOf(stage))) kinds[t.name] = t.kind;
  kinds["globals"] = 2;
  return kinds;
}

// ---- Files asked for at start-up and by every stage --------------------------------------

struct ImageCase {
  const char* name;
  const char* path;
  int channels;
};

class StartUpImage : public ::testing::TestWithParam<ImageCase> {};

TEST_P(StartUpImage, DecodesWithTheLayoutItsLoaderUploads) {
  EXPECT_EQ(channelsOf(GetParam().path), GetParam().channels) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Pack, StartUpImage,
    ::testing::Values(ImageCase{"Font", "gfx/font/mainfont.png", kRgba},
                      ImageCase{"InterfaceSheet", "gfx/interface/global.png", kRgba},
                      ImageCase{"MainMenuPicture", "gfx/interface/mainmenu.png", kRgb},
                      ImageCase{"SelectInterfaceSheet", "gfx/interface/menus.png", kRgba},
                      ImageCase{"SelectSprites", "gfx/interface/menusprites.png", kRgba},
                      ImageCase{"Portraits", "gfx/portraits/port.png", kRgba},
                      ImageCase{"WorldMap", "gfx/overworld/world1.png", kRgb},
                      ImageCase{"SecondWorldMap", "gfx/overworld/world2.png", kRgb},
                      ImageCase{"Markers", "gfx/overworld/markers.png", kRgba},
                      ImageCase{"PlayerOneSheet", "gfx/entities/kestor.png", kRgba},
                      ImageCase{"PlayerTwoSheet", "gfx/entities/bluesoldier.png", kRgba},
                      ImageCase{"EffectsSheet", "gfx/entities/globals.PNG", kRgba}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ContentPack, StartsOnStageThreeOfWorldOneAmongAtLeastThreeStages) {
  std::vector<std::string> stages = stageFiles();
  EXPECT_GE(stages.size(), 3u);
  EXPECT_NE(std::find(stages.begin(), stages.end(), "stage/world1/stage3.lev"), stages.end());
}

TEST(ContentPack, EveryLoadedSheetHasFrameAndOffsetFiles) {
  for (const auto& [name, kind] : allScripts()) {
    SCOPED_TRACE(name);
    bool player = std::find(kPlayers.begin(), kPlayers.end(), name) != kPlayers.end();
    EXPECT_EQ(channelsOf("gfx/entities/" + name + (player ? ".png" : ".PNG")), kRgba);
    EXPECT_FALSE(framesOf("gfx/entities/" + name + ".spr").empty());
    EXPECT_FALSE(linesOf("gfx/entities/" + name + ".off").empty());
    EXPECT_FALSE(linesOf("scripts/" + name + ".dat").empty());
  }
}

TEST(ContentPack, SoundSlotsAreSixteenBitPcmAt22050Hz) {
  for (int slot = 0; slot <= 4; ++slot) {
    std::ifstream in(at("sound/" + std::to_string(slot) + ".wav"), std::ios::binary);
    ASSERT_TRUE(in) << slot;
    unsigned char h[44] = {};
    in.read(reinterpret_cast<char*>(h), sizeof h);
    EXPECT_EQ(std::memcmp(h, "RIFF", 4), 0);
    EXPECT_EQ(std::memcmp(h + 8, "WAVE", 4), 0);
    EXPECT_EQ(h[20] | h[21] << 8, 1) << "PCM";
    EXPECT_EQ(h[24] | h[25] << 8 | h[26] << 16, 22050);
    EXPECT_EQ(h[34] | h[35] << 8, 16);
  }
}

TEST(ContentPack, FontHasAGlyphAtEveryPrintableCodeAndNoneBelow) {
  std::vector<bool> defined;
  framesOf("gfx/font/mainfont.spr", &defined);
  ASSERT_GE(defined.size(), 127u);
  for (int code = 0; code < 32; ++code) EXPECT_FALSE(defined[code]) << code;
  for (int code = 32; code <= 126; ++code) EXPECT_TRUE(defined[code]) << code;
}

TEST(ContentPack, InterfaceSheetHasGaugesPanelAndAnOpaqueBlackFadeLayer) {
  std::vector<Rect> frames = framesOf("gfx/interface/global.spr");
  ASSERT_GE(frames.size(), 5u);
  const Rect& panel = frames[2];
  EXPECT_NEAR(panel.x2 - panel.x1, 250, 10);
  EXPECT_NEAR(panel.y2 - panel.y1, 80, 10);
  int w, h, comp;
  unsigned char* pixels = stbi_load(at("gfx/interface/global.png").c_str(), &w, &h, &comp, 4);
  ASSERT_NE(pixels, nullptr);
  const Rect& fade = frames[4];
  for (int y = fade.y1; y < fade.y2; ++y)
    for (int x = fade.x1; x < fade.x2; ++x) {
      const unsigned char* p = pixels + (y * w + x) * 4;
      ASSERT_EQ(p[0] + p[1] + p[2], 0);
      ASSERT_EQ(p[3], 255);
    }
  stbi_image_free(pixels);
}

// ---- Front-end screens ------------------------------------------------------------------------

struct SheetCase {
  const char* name;
  const char* frameList;
  size_t frames;
};

class ScreenSheet : public ::testing::TestWithParam<SheetCase> {};

TEST_P(ScreenSheet, DefinesEveryFrameTheScreenDraws) {
  std::vector<bool> defined;
  framesOf(GetParam().frameList, &defined);
  ASSERT_GE(defined.size(), GetParam().frames);
  for (size_t n = 0; n < GetParam().frames; ++n) EXPECT_TRUE(defined[n]) << n;
}

INSTANTIATE_TEST_SUITE_P(Pack, ScreenSheet,
                         ::testing::Values(SheetCase{"MainMenuEntriesAndHighlight", "gfx/interface/mainmenu.spr", 5},
                                           SheetCase{"SelectBoxesBandFlashAndLine", "gfx/interface/menusprites.spr", 5},
                                           SheetCase{"PlayerOnePortrait", "gfx/portraits/port.spr", 1},
                                           SheetCase{"MapFrame", "gfx/stage/bg.spr", 1},
                                           SheetCase{"MarkerFrames", "gfx/overworld/markers.spr", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// A roster fighter becomes a player, so it needs a player's lower-case ".png" sheet.
TEST(ContentPack, RosterFightersHavePlayerFilesAndEveryBlowTheyChain) {
  int boxes = 0;
  for (const std::string& line : linesOf("roster.dat")) {
    if (getField(line, 1) != "FIGHTER") continue;
    ++boxes;
    std::string name = getField(line, 3);
    SCOPED_TRACE(name);
    EXPECT_EQ(channelsOf("gfx/entities/" + name + ".png"), kRgba);
    EXPECT_FALSE(framesOf("gfx/entities/" + name + ".spr").empty());
    ScriptFlow script = loadScriptFlow(linesOf("scripts/" + name + ".dat"));
    for (const char* block : {"STAND", "QUICKATTACK1", "QUICKATTACK2", "QUICKATTACK3", "GETUP", "DIE"})
      EXPECT_GE(script.blockAt(block), 0) << block;
  }
  EXPECT_EQ(boxes, 4);
}

TEST(ContentPack, OverworldNodesLeadToStagesThatExist) {
  for (const std::string world : kWorlds) {
    int nodes = 0;
    std::set<int> reachable;
    for (const std::string& line : linesOf("stage/" + world + "/overworlddata.dat")) {
      if (getField(line, 1) != "NODE") continue;
      ++nodes;
      int x = int(toNumber(getField(line, 3))), y = int(toNumber(getField(line, 4)));
      EXPECT_TRUE(x >= 0 && x < 1024 && y >= 0 && y < 768) << line;
      for (int f = 5; f <= 8; ++f) reachable.insert(int(toNumber(getField(line, f))));
      std::string stage = getField(line, 9);
      if (!stage.empty()) EXPECT_FALSE(linesOf("stage/" + world + "/" + stage + ".lev").empty()) << line;
    }
    EXPECT_GE(nodes, 3);
    reachable.erase(0);
    EXPECT_GE(reachable.size(), 2u) << "markers must be able to move";
  }
}

TEST(ContentPack, MarkersAnimateForBothPlayersWithoutFighterCommands) {
  std::vector<std::string> script = linesOf("scripts/overworldmarkers.dat");
  ScriptFlow flow = loadScriptFlow(script);
  for (const char* block : {"PLAYER1", "PLAYER2"}) {
    EXPECT_GE(flow.blockAt(block), 0) << block;
    EXPECT_FALSE(fallsThrough(runNamed(flow, block))) << block;
  }
  const std::set<std::string> allowed = {"BEGIN", "FRAMESET", "LOOPSTART", "LOOPEND", "END", "STOP"};
  for (const std::string& line : script) {
    std::string key = getField(line, 1);
    bool keyword = !key.empty() && std::all_of(key.begin(), key.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    if (keyword) EXPECT_TRUE(allowed.count(key)) << line;
  }
}

// ---- Stages ---------------------------------------------------------------------------------

class Stage : public ::testing::TestWithParam<std::string> {
 protected:
  std::vector<std::string> lines = linesOf(GetParam());
};

TEST_P(Stage, BackgroundIsOpaqueAndTilesHaveAlpha) {
  EXPECT_EQ(channelsOf("gfx/stage/" + valueOf(lines, "BGNAME") + ".png"), kRgb);
  EXPECT_EQ(channelsOf("gfx/stage/" + valueOf(lines, "STAGETYPE") + "/tiles0.png"), kRgba);
  EXPECT_FALSE(framesOf("gfx/stage/bg.spr").empty());
}

// The game jumps back to the loop start at 145.072 s by its own clock: a shorter track falls silent.
TEST_P(Stage, MusicIsAVorbisStreamLongerThanItsLoopEnd) {
  std::ifstream in(at("bgm/" + valueOf(lines, "BGMNAME") + ".ogg"), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.compare(0, 4, "OggS"), 0);
  size_t id = bytes.find("\x01vorbis");
  ASSERT_NE(id, std::string::npos);
  auto le = [&](size_t at, int n) {
    uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  uint64_t rate = le(id + 12, 4);
  uint64_t samples = le(bytes.rfind("OggS") + 6, 8);  // the last page's granule position
  EXPECT_EQ(rate, 22050u);
  EXPECT_GE(static_cast<double>(samples) / rate, 150.0);
}

TEST_P(Stage, PlayersStartInsideTheFloorBand) {
  int band = int(toNumber(valueOf(lines, "VERTICALWALL")));
  for (const std::string& p : kPlayers) {
    int foot = kPlayerStartY + int(statOf(linesOf("scripts/" + p + ".dat"), "HEIGHT"));
    EXPECT_GE(foot, kScreenBottom - band) << p;
    EXPECT_LE(foot, kScreenBottom) << p;
  }
}

TEST_P(Stage, RunsSeveralScreensToTheRight) { EXPECT_GE(toNumber(valueOf(lines, "STAGEEND")), 3000); }

TEST_P(Stage, SceneryUsesDefinedTilesOnAllThreeLayers) {
  std::vector<bool> defined;
  framesOf("gfx/stage/" + valueOf(lines, "STAGETYPE") + "/tiles0.spr", &defined);
  std::map<std::string, int> tileField = {{"OBJECT", 4}, {"OBJECTSTRING", 4}, {"OBJECTBACK", 5}, {"OBJECTFORE", 5}};
  std::set<std::string> layers;
  std::string first;
  for (const std::string& line : lines) {
    std::string key = getField(line, 1);
    if (!tileField.count(key)) continue;
    if (first.empty()) first = key;
    layers.insert(key == "OBJECTSTRING" ? "OBJECT" : key);
    int tile = int(toNumber(getField(line, tileField[key])));
    ASSERT_LT(tile, static_cast<int>(defined.size())) << line;
    EXPECT_TRUE(defined[tile]) << line;
    if (key == "OBJECTBACK") EXPECT_GE(toNumber(getField(line, 4)), 1) << line;
  }
  EXPECT_EQ(layers.size(), 3u);
  EXPECT_NE(first, "OBJECTFORE") << "the first scenery object on the front layer is drawn half transparent";
}

// Only OBJECT gives a tile its size before its first draw; any other tile is tested for being on
// screen by its top-left corner alone until then, so a corner above or left of the screen as
// the camera meets it means the tile is never drawn.
TEST_P(Stage, UnsizedSceneryStartsWithItsCornerOnScreen) {
  for (const std::string& line : lines) {
    std::string key = getField(line, 1);
    if (key != "OBJECTBACK" && key != "OBJECTSTRING") continue;
    int divisor = key == "OBJECTBACK" ? int(toNumber(getField(line, 4))) : 1;
    int x = int(toNumber(getField(line, 2))), y = int(toNumber(getField(line, 3))) / divisor;
    EXPECT_GE(x, 0) << line;
    EXPECT_GE(y, 0) << line;
    EXPECT_LE(y, kScreenBottom) << line;
  }
}

// The backdrop never scrolls: where no ground tile lies, the walkers would float over the sky.
TEST_P(Stage, GroundTilesCoverTheFloorWhereverTheCameraStops) {
  std::vector<Rect> tiles = framesOf("gfx/stage/" + valueOf(lines, "STAGETYPE") + "/tiles0.spr");
  int band = int(toNumber(valueOf(lines, "VERTICALWALL")));
  int end = int(toNumber(valueOf(lines, "STAGEEND")));
  std::vector<bool> covered(end, false);
  for (const std::string& line : lines) {
    std::string key = getField(line, 1);
    if (key != "OBJECTSTRING" && key != "OBJECT") continue;
    int x = int(toNumber(getField(line, 2))), y = int(toNumber(getField(line, 3)));
    const Rect& t = tiles.at(int(toNumber(getField(line, 4))));
    int w = t.x2 - t.x1, h = t.y2 - t.y1;
    int count = key == "OBJECTSTRING" ? int(toNumber(getField(line, 5))) : 0;
    if (y > kScreenBottom - band || y + h < kScreenBottom - band) continue;  // not at the kerb row
    for (int k = 0; k <= count; ++k)
      for (int c = std::max(0, x + k * (w - 2)); c < std::min(end, x + k * (w - 2) + w); ++c) covered[c] = true;
  }
  EXPECT_EQ(std::count(covered.begin(), covered.end(), false), 0);
}

TEST_P(Stage, PlacesDeclaredTypesOnTheFloorBandAwayFromTheStart) {
  int band = int(toNumber(valueOf(lines, "VERTICALWALL")));
  int declared = 0, opponents = 0, props = 0;
  std::vector<EntityType> types = typesOf(lines);
  for (const std::string& line : lines) {
    std::string key = getField(line, 1);
    if (key == "LOADENTITY") ++declared;
    if (key != "PLACEENTITY" && key != "CPLACEENTITY") continue;
    int type = int(toNumber(getField(line, 4)));
    ASSERT_LT(type, declared) << line;
    int spread = key == "CPLACEENTITY" ? int(toNumber(getField(line, 6))) : 0;
    int x = int(toNumber(getField(line, 2))), y = int(toNumber(getField(line, 3)));
    int height = int(statOf(linesOf("scripts/" + types[type].name + ".dat"), "HEIGHT"));
    EXPECT_GE(y - spread + height, kScreenBottom - band) << line;
    EXPECT_LE(y + spread + height, kScreenBottom) << line;
    if (types[type].kind == 1) {
      EXPECT_GE(x - spread, 300) << line;
      ++opponents;
    } else {
      ++props;
    }
  }
  EXPECT_GE(opponents, 3);
  EXPECT_GE(props, 1);
}

INSTANTIATE_TEST_SUITE_P(Worlds, Stage, ::testing::ValuesIn(stageFiles()), [](const auto& info) {
  const std::filesystem::path path(info.param);
  return path.parent_path().filename().string() + "_" + path.stem().string();
});

// ---- Scripts ----------------------------------------------------------------------------------

class Script : public ::testing::TestWithParam<std::string> {
 protected:
  std::vector<std::string> lines = linesOf("scripts/" + GetParam() + ".dat");
  ScriptFlow flow = loadScriptFlow(lines);
  bool player = std::find(kPlayers.begin(), kPlayers.end(), GetParam()) != kPlayers.end();
};
class FighterScript : public Script {};
class PropScript : public Script {};
class EffectScript : public Script {};

std::vector<std::string> scriptsOfKind(int kind) {
  std::vector<std::string> names;
  for (const auto& [name, k] : allScripts())
    if (k == kind || kind < 0) names.push_back(name);
  return names;
}

TEST_P(FighterScript, BlocksTheEngineWaitsOnFinish) {
  int attacks = int(statOf(lines, "ATTACKSAMOUNT"));
  EXPECT_GE(attacks, 1);
  std::vector<std::string> mustFinish = {"RUNATTACK", "JUMPSTART", "LAND",    "HIGHDAMAGE",
                                         "LOWDAMAGE", "FALLLAND",  "GETUP",   "DIE"};
  // Players chain at least three blows; opponents pick among QUICKATTACK1 to ATTACKSAMOUNT.
  for (int n = 1; n <= (player ? std::max(attacks, 3) : attacks); ++n) mustFinish.push_back("QUICKATTACK" + std::to_string(n));
  for (const std::string& block : mustFinish) {
    EXPECT_GE(flow.blockAt(block), 0) << block;
    EXPECT_TRUE(runNamed(flow, block).finishes) << block;
  }
  for (const std::string& block : {"STAND", "WALK", "RUN", "JUMP", "JUMPATTACK", "FALL"}) {
    EXPECT_GE(flow.blockAt(block), 0) << block;
    EXPECT_FALSE(fallsThrough(runNamed(flow, block))) << block;
  }
}

TEST_P(FighterScript, ChainsItsQuickAttacks) {
  int attacks = int(statOf(lines, "ATTACKSAMOUNT"));
  for (int n = 1; n < attacks; ++n) {
    bool opens = false;
    bool inBlock = false;
    for (const std::string& line : lines) {
      if (getField(line, 1) == "BEGIN") inBlock = getField(line, 2) == "QUICKATTACK" + std::to_string(n);
      if (inBlock && getField(line, 1) == "COMBOALLOWED") opens = true;
    }
    EXPECT_TRUE(opens) << "QUICKATTACK" << n;
  }
}

// Opponents strike only once their body overlaps player 1's, and they stop 50 pixels short.
// A boss is drawn a sixth larger than the crews, and its body is as much wider.
TEST_P(FighterScript, BodyReachesAnyOtherFighter) {
  double width = statOf(lines, "WIDTH");
  const bool boss = std::any_of(lines.begin(), lines.end(),
                                [](const std::string& l) { return getField(l, 1) == kBossKeyword; });
  EXPECT_GE(width, 60);
  EXPECT_LE(width, boss ? 100 : 80);
  EXPECT_GT(statOf(lines, "HEIGHT"), 100);
  EXPECT_GT(statOf(lines, "SETHP"), 0);
}

// A light blow jolts a prop and it settles back by itself; a knock-down breaks it, leaving what
// it held (in the arcade) and taking it off the street.
TEST_P(PropScript, SettlesBackOrBreaks) {
  EXPECT_GE(runNamed(flow, "STATIONARY").holdLine, 0);
  EXPECT_EQ(runNamed(flow, "DAMAGE").entered.count(flow.blockAt("STATIONARY")), 1u);
  const BlockRun fall = runNamed(flow, "FALL");
  EXPECT_TRUE(fall.dropsItem);
  EXPECT_TRUE(fall.destroys);
  EXPECT_GE(fall.holdLine, 0);
}

TEST_P(EffectScript, RemovesItself) {
  for (const std::string& block : {"SMALLSPARK", "BIGSPARK", "BLOODSPURT"}) {
    BlockRun run = runNamed(flow, block);
    EXPECT_TRUE(run.destroys) << block;
    EXPECT_GE(run.holdLine, 0) << block;
  }
}

TEST_P(Script, ShowsOnlyFramesItsSheetDefines) {
  std::vector<bool> defined;
  framesOf("gfx/entities/" + GetParam() + ".spr", &defined);
  std::vector<std::string> offsets = linesOf("gfx/entities/" + GetParam() + ".off");
  for (const std::string& line : lines) {
    if (getField(line, 1) != "FRAMESET") continue;
    int frame = int(toNumber(getField(line, 2)));
    ASSERT_LT(frame, static_cast<int>(defined.size())) << line;
    EXPECT_TRUE(defined[frame]) << line;
    ASSERT_LT(frame, static_cast<int>(offsets.size())) << line;
    EXPECT_EQ(getField(offsets[frame], 1), "OFFSET") << line;
  }
}

auto byName = [](const auto& info) { return info.param; };
struct Picture {
  int w = 0, h = 0;
  std::vector<unsigned char> rgba;
  explicit Picture(const std::string& relative) {
    int comp;
    unsigned char* p = stbi_load(at(relative).c_str(), &w, &h, &comp, 4);
    if (p) rgba.assign(p, p + static_cast<size_t>(w) * h * 4);
    stbi_image_free(p);
  }
  bool opaque(int x, int y) const { return rgba[(static_cast<size_t>(y) * w + x) * 4 + 3] > 128; }
  // Lowest row of the rectangle with an opaque pixel, or -1 when it is empty.
  int lowestOpaqueRow(const Rect& r) const {
    for (int y = r.y2 - 1; y >= r.y1; --y)
      for (int x = r.x1; x < r.x2; ++x)
        if (opaque(x, y)) return y;
    return -1;
  }
};

std::string sheetOf(const std::string& name) {
  bool player = std::find(kPlayers.begin(), kPlayers.end(), name) != kPlayers.end() ||
                channelsOf("gfx/entities/" + name + ".png") == kRgba;
  return "gfx/entities/" + name + (player ? ".png" : ".PNG");
}

TEST_P(Script, EveryFrameItShowsHasAPicture) {
  Picture sheet(sheetOf(GetParam()));
  ASSERT_FALSE(sheet.rgba.empty());
  std::vector<Rect> frames = framesOf("gfx/entities/" + GetParam() + ".spr");
  for (const std::string& line : lines) {
    if (getField(line, 1) != "FRAMESET") continue;
    const Rect& r = frames.at(int(toNumber(getField(line, 2))));
    ASSERT_LE(r.x2, sheet.w) << line;
    ASSERT_LE(r.y2, sheet.h) << line;
    EXPECT_GE(sheet.lowestOpaqueRow(r), 0) << line;
  }
}

// The drawn feet of a standing fighter or a prop at rest are its foot line, y + HEIGHT: off by
// more than a few pixels and it floats above, or sinks into, the street it walks on.
TEST_P(Script, RestingFrameStandsOnTheFootLine) {
  std::string rest = GetParam() == "globals" ? "" : flow.blockAt("STAND") >= 0 ? "STAND" : "STATIONARY";
  if (rest.empty()) return;  // effects float where the blow lands
  int frame = -1;
  bool inBlock = false;
  for (const std::string& line : lines) {
    if (getField(line, 1) == "BEGIN") inBlock = getField(line, 2) == rest;
    if (inBlock && getField(line, 1) == "FRAMESET") {
      frame = int(toNumber(getField(line, 2)));
      break;
    }
  }
  ASSERT_GE(frame, 0);
  Picture sheet(sheetOf(GetParam()));
  const Rect r = framesOf("gfx/entities/" + GetParam() + ".spr").at(frame);
  double dy = toNumber(getField(linesOf("gfx/entities/" + GetParam() + ".off").at(frame), 3));
  int feet = sheet.lowestOpaqueRow(r) + 1 - r.y1 + int(dy);
  EXPECT_NEAR(feet, statOf(lines, "HEIGHT"), 4);
}

INSTANTIATE_TEST_SUITE_P(Pack, Script, ::testing::ValuesIn(scriptsOfKind(-1)), byName);
INSTANTIATE_TEST_SUITE_P(Pack, FighterScript, ::testing::ValuesIn(scriptsOfKind(1)), byName);
INSTANTIATE_TEST_SUITE_P(Pack, PropScript, ::testing::ValuesIn(scriptsOfKind(0)), byName);
INSTANTIATE_TEST_SUITE_P(Pack, EffectScript, ::testing::ValuesIn(scriptsOfKind(2)), byName);

}  // namespace
