#include "stage_check.h"

#include <cstdio>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <set>

#include "base/numbers.h"
#include "content/fighter_loader.h"
#include "sim/stage_setup.h"
#include "content/pack_layout.h"
#include "content/script_lines.h"
#include "content/stage_loader.h"
#include "content/text_file.h"
#include "entity_files.h"
#include "findings.h"
#include "line_shapes.h"
#include "number_ranges.h"
#include "platform/platform.h"
#include "sim/entity.h"
#include "sheets.h"

namespace fs = std::filesystem;

namespace {

// The world's folder and its overworld's nodes can both name a stage.
std::set<std::string> checkedStages;

// Opponents walk up to player 1 until they are this close, and strike only when the two bodies
// (x +- WIDTH / 2) overlap.
constexpr double kOpponentStopDistance = 50;
const char* const kFirstPlayer = kStartFighters[0];

struct StageCheck {
  std::string path;
  std::string tilesSpr;
  const SheetInfo* tiles = nullptr;
  long long objects = 0;  // counts of hand-written repeats, which can reach the int range
  int types = 0;
  long long entities = kStartPlayers;
  bool objectsOverflowReported = false;
  bool entitiesOverflowReported = false;
};

int numberField(const std::string& text, int n) { return roundToInt(toNumber(getField(text, n))); }

void addObjects(StageCheck& s, int line, long long count, int tile) {
  if (count <= 0) return;
  if (s.tiles && s.tiles->listed && !s.tiles->isDefined(tile))
    reportError(s.path, line, "tile " + std::to_string(tile) + " is not defined in " + s.tilesSpr);
  s.objects += count;
  if (s.objects > kSceneryCount && !s.objectsOverflowReported) {
    s.objectsOverflowReported = true;
    reportError(s.path, line, "more than " + std::to_string(kSceneryCount) +
                                  " scenery objects; the scenery table ends here");
  }
}

void addEntities(StageCheck& s, int line, long long count, int type) {
  if (count <= 0) return;
  if (type < 0 || type >= s.types)
    reportError(s.path, line, "type " + std::to_string(type) + " is not declared: " +
                                  std::to_string(s.types) +
                                  " LOADENTITY line(s) come before this line, numbered from 0");
  s.entities += count;
  if (s.entities > kEntityCount && !s.entitiesOverflowReported) {
    s.entitiesOverflowReported = true;
    reportError(s.path, line, "more than " + std::to_string(kEntityCount) +
                                  " entities with the players; the entity table ends here");
  }
}

// WIDTH as the statistics reader leaves it: the section ends after its first empty line.
double statisticWidth(const std::string& name) {
  const TextFile& file = textFile(entityScriptPath(name));
  double width = 0;
  for (int i = 0; i < kScriptLineCount && i < static_cast<int>(file.lines.size()); ++i) {
    const std::string keyword = getField(file.lines[i], 1);
    if (keyword == "WIDTH") width = toNumber(getField(file.lines[i], 2));
    if (keyword.empty()) break;
  }
  return width;
}

void checkOpponentReach(const StageCheck& s, int line, const std::string& name) {
  double opponent = statisticWidth(name), player = statisticWidth(kFirstPlayer);
  double reach = (opponent + player) / 2;
  if (reach >= kOpponentStopDistance) return;
  char message[300];
  std::snprintf(message, sizeof message,
                "%s (WIDTH %g) and %s (WIDTH %g) touch only within %g pixels, but opponents stop "
                "up to %g pixels away and strike only when the bodies touch: %s may never attack",
                name.c_str(), opponent, kFirstPlayer, player, reach, kOpponentStopDistance,
                name.c_str());
  reportWarning(s.path, line, message);
}

void declareType(StageCheck& s, int line, const std::string& name, int kind) {
  ++s.types;
  if (s.types > kStageTypeLimit) {
    reportError(s.path, line, "more than " + std::to_string(kStageTypeLimit) +
                                  " LOADENTITY lines; the type table holds " +
                                  std::to_string(kStageTypeLimit));
    return;
  }
  std::string what = "by LOADENTITY in " + s.path;
  switch (kind) {
    case 0: checkEntityFiles(name, kStageTypeFiles, kRoleObject, what); break;
    case 1:
      checkEntityFiles(name, kStageTypeFiles, kRoleFighter, what);
      checkOpponentReach(s, line, name);
      break;
    case 2: checkEntityFiles(name, kStageTypeFiles, kRoleEffects, what); break;
    default:
      reportWarning(s.path, line, "kind " + std::to_string(kind) +
                                      " is none of 0 (prop), 1 (fighter) and 2 (effect)");
  }
}

// Stage values the first pass of the loader collects wherever they stand; the last one wins.
std::string stageValue(const std::vector<std::string>& lines, const char* keyword) {
  std::string value;
  for (int i = 0; i < kStageLineCount && i < static_cast<int>(lines.size()); ++i)
    if (getField(lines[i], 1) == keyword) value = getField(lines[i], 2);
  return value;
}

bool hasStatement(const std::vector<std::string>& lines, const char* keyword) {
  for (int i = 0; i < kStageLineCount && i < static_cast<int>(lines.size()); ++i)
    if (getField(lines[i], 1) == keyword) return true;
  return false;
}

void checkStageFiles(StageCheck& s, const std::vector<std::string>& lines) {
  std::string bg = stageValue(lines, "BGNAME");
  std::string type = stageValue(lines, "STAGETYPE");
  std::string music = stageValue(lines, "BGMNAME");
  std::string what = "by " + s.path;
  if (bg.empty()) {
    reportError(s.path, 0, "no BGNAME line: the game loads \"" + stageBackgroundImage("") + "\" and stops");
  } else {
    const SheetInfo& bgSheet =
        checkSheet(stageBackgroundImage(bg), kImageRGB, kStageBackgroundFrames, what);
    requireFrames(kStageBackgroundFrames, bgSheet, 0, 0, "the stage background");
  }
  if (type.empty()) {
    reportError(s.path, 0, "no STAGETYPE line: the game loads \"" + stageTilesImage("") + "\" and stops");
  } else {
    s.tilesSpr = stageTilesFrames(type);
    s.tiles = &checkSheet(stageTilesImage(type), kImageRGBA, s.tilesSpr, what);
  }
  if (!hasStatement(lines, "VERTICALWALL"))
    reportWarning(s.path, 0, "no VERTICALWALL line: the floor band keeps the height the last "
                             "stage gave it (none on the first stage: every fighter on row 768)");
  if (!hasStatement(lines, "STAGEEND"))
    reportWarning(s.path, 0, "no STAGEEND line: the stage end stays where the last stage put it "
                             "(0 on the first stage: the camera never moves)");
  if (music.empty())
    reportWarning(s.path, 0, "no BGMNAME line: the stage plays in silence");
  else if (!leavesContentFolder(stageMusicPath(music)))  // reported at its line instead
    checkMusic(stageMusicPath(music), what + " as its music");
}

// A written number as the game rounds it, or false when it reads as 0 for another reason.
bool wholeNumber(const std::string& text, double* value) {
  if (!writtenNumber(text, value)) return false;
  *value = std::nearbyint(*value);
  return true;
}

// The camera shows the stage from its start up to STAGEEND, one screen at a time.
void checkStageEnd(const StageCheck& s, int line, const std::string& text) {
  double end = 0;
  if (!wholeNumber(getField(text, 2), &end) || end >= screenWidth) return;
  char message[200];
  if (end <= 0)
    std::snprintf(message, sizeof message,
                  "STAGEEND %.0f is not past the stage's start: the camera never moves", end);
  else
    std::snprintf(message, sizeof message,
                  "STAGEEND %.0f is shorter than the %d-pixel screen: the camera never moves",
                  end, screenWidth);
  reportWarning(s.path, line, message);
}

// VERTICALWALL is the band's height above the screen's bottom row, where its lower edge lies.
void checkFloorBand(const StageCheck& s, int line, const std::string& text) {
  double height = 0;
  if (!wholeNumber(getField(text, 2), &height)) return;
  char message[200];
  if (height < 0)
    std::snprintf(message, sizeof message,
                  "VERTICALWALL %.0f puts the floor band's top below its bottom (row %d): "
                  "fighters are thrown between the two rows every tick",
                  height, screenHeight);
  else if (height > screenHeight)
    std::snprintf(message, sizeof message,
                  "VERTICALWALL %.0f puts the floor band's top above the screen, which is %d "
                  "rows high: fighters can walk out of sight",
                  height, screenHeight);
  else
    return;
  reportWarning(s.path, line, message);
}

// How each statement that names a file turns its name into a path.
const std::pair<const char*, std::string (*)(const std::string&)> kNamedPaths[] = {
    {"BGNAME", stageBackgroundImage},
    {"STAGETYPE", stageTilesImage},
    {"BGMNAME", stageMusicPath},
    {"LOADENTITY", entityScriptPath},
};

// A pack must not reach the player's other files.
void checkNamedPath(const StageCheck& s, int line, const std::string& keyword,
                    const std::string& name) {
  for (const auto& [statement, pathOf] : kNamedPaths) {
    if (keyword != statement) continue;
    const std::string path = pathOf(name);
    if (leavesContentFolder(path))
      reportError(s.path, line, keyword + " names " + path + ", which is outside the content "
                                "folder; a pack must not read the player's other files");
  }
}

}  // namespace

void forgetStages() { checkedStages.clear(); }

void checkStage(const std::string& stagePath) {
  StageCheck s;
  s.path = shownPath(fs::path(stagePath).lexically_normal().generic_string());
  if (!checkedStages.insert(s.path).second) return;
  const TextFile& file = textFile(s.path);
  // The statements are the loader's own: a keyword it does not act on is a remark or a slip.
  checkLineShapes(s.path, file,
                  TextFormat{"stage file", keywordsOf(kStageStatements, kStageStatementCount),
                             kStageLineCount});
  checkStageFiles(s, file.lines);
  for (int i = 0; i < kStageLineCount && i < static_cast<int>(file.lines.size()); ++i) {
    const std::string& text = file.lines[i];
    const std::string keyword = getField(text, 1);
    int line = i + 1;
    checkNamedPath(s, line, keyword, getField(text, 2));
    if (keyword == "STAGEEND") checkStageEnd(s, line, text);
    if (keyword == "VERTICALWALL") checkFloorBand(s, line, text);
    if (keyword == "OBJECT") {
      addObjects(s, line, 1, numberField(text, 4));
    } else if (keyword == "OBJECTFORE" || keyword == "OBJECTBACK") {
      if (keyword == "OBJECTBACK" && numberField(text, 4) == 0)
        reportError(s.path, line, "OBJECTBACK with parallax 0: the back layer divides by it");
      addObjects(s, line, 1, numberField(text, 5));
    } else if (keyword == "OBJECTSTRING") {
      addObjects(s, line, numberField(text, 5) + 1LL, numberField(text, 4));
    } else if (keyword == "LOADENTITY") {
      declareType(s, line, getField(text, 2), numberField(text, 3));
    } else if (keyword == "PLACEENTITY") {
      addEntities(s, line, 1, numberField(text, 4));
    } else if (keyword == "CPLACEENTITY") {
      addEntities(s, line, numberField(text, 5) + 1LL, numberField(text, 4));
    }
  }
}
