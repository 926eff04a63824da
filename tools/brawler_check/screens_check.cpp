#include "screens_check.h"

#include <algorithm>
#include <vector>

#include "base/numbers.h"
#include "content/pack_layout.h"
#include "content/text_file.h"
#include "entity_files.h"
#include "findings.h"
#include "line_shapes.h"
#include "screens/character_select.h"
#include "screens/overworld.h"
#include "sheets.h"
#include "stage_check.h"

namespace {

const TextFormat kRosterFormat{"roster", {"FIGHTER"}, kRosterLineCount};
const TextFormat kOverworldFormat{"overworld data", {"NODE", "START"}, kOverworldLineCount};

int numberField(const std::string& text, int n) { return roundToInt(toNumber(getField(text, n))); }

void requireNamedFrames(const std::string& sprPath, const SheetInfo& sheet,
                        std::initializer_list<const char*> uses) {
  int k = 0;
  for (const char* use : uses) requireFrames(sprPath, sheet, k, k, use), ++k;
}

// Two players on one fighter: the arcade dresses player 2 in the second colours, cut by the
// fighter's own frame list. A pack without them still plays, with the two looking alike; one
// that cannot be decoded stops the game when the second player takes that fighter.
void checkRosterFighter(const std::string& name, const std::string& rosterPath) {
  checkEntityFiles(name, kPlayerFiles, kRoleFighter, "by " + rosterPath + " for a player's fighter");
  const std::string secondColours = secondColoursSheet(name);
  const std::string what = "by the arcade for player 2 when both players take " + name;
  if (requireFile(secondColours, what + "; without it the two look alike", kWarning))
    checkSheet(secondColours, kImageRGBA, entityFilesBase(name) + ".spr", what);
}

void checkRoster() {
  const std::string path = kRosterFile;
  if (!contentFileExists(path)) {
    reportWarning(path, 0, "missing: the character select boxes choose no fighter");
    return;
  }
  const TextFile& file = textFile(path);
  checkLineShapes(path, file, kRosterFormat);
  for (int i = 0; i < static_cast<int>(file.lines.size()) && i < kRosterLineCount; ++i) {
    const std::string& text = file.lines[i];
    if (getField(text, 1) != "FIGHTER") continue;
    int box = numberField(text, 2);
    std::string name = getField(text, 3);
    if (box < 0 || box >= kSelectBoxes)
      reportWarning(path, i + 1, "box " + std::to_string(box) + " does not exist (boxes are 0 to " +
                                     std::to_string(kSelectBoxes - 1) + "); the line is ignored");
    else if (name.empty())
      reportError(path, i + 1, "FIGHTER without a fighter name");
    else
      checkRosterFighter(name, path);
  }
}

// The game opens on a stage and never reaches the front-end screens from its start, so a pack
// may leave a screen out: its files are then missing only as a warning. A pack that ships any
// of a screen's own files evidently means to ship the screen, and is checked in full.
bool screenShipped(const std::string& screen, const std::vector<std::string>& ownFiles) {
  for (const std::string& file : ownFiles)
    if (contentFileExists(file)) return true;
  for (const std::string& file : ownFiles)
    reportWarning(shownPath(file), 0,
                  "missing file, loaded only by " + screen + ", which the game never opens from "
                  "its start (ship any of the screen's files and each missing one is an error)");
  return false;
}

void checkMarkers() {
  const std::string what = "by the overworld for the players' markers";
  const SheetInfo& markers = checkSheet(kMarkersImage, kImageRGBA, kMarkersFrames, what);
  checkOffsets(kMarkersOffsets, markers, false, what);
  checkScript(kMarkersScript, kRoleMarker, markers, kMarkersFrames, what);
}

}  // namespace

void checkMainMenu() {
  const std::string what = "by the main menu";
  if (!screenShipped("the main menu", {kMainMenuImage, kMainMenuFrames})) return;
  const SheetInfo& menu = checkSheet(kMainMenuImage, kImageRGB, kMainMenuFrames, what);
  requireNamedFrames(kMainMenuFrames, menu,
                     {"menu entry 0", "menu entry 1", "menu entry 2", "menu entry 3",
                      "the highlight"});
}

void checkCharacterSelect() {
  const std::string what = "by the character select screen";
  if (!screenShipped("the character select screen",
                     {kSelectBackgroundImage, kSelectBoxesImage, kSelectBoxesFrames, kPortraitsImage,
                      kPortraitsFrames, kRosterFile}))
    return;
  // The screen swaps this image into the interface sheet's texture, so the global frame list
  // cuts it too.
  checkSheet(kSelectBackgroundImage, kImageRGBA, kInterfaceFrames, what);
  const SheetInfo& boxes = checkSheet(kSelectBoxesImage, kImageRGBA, kSelectBoxesFrames, what);
  requireNamedFrames(kSelectBoxesFrames, boxes,
                     {"the cursor box", "the lower band", "the flash layer", "a selection box",
                      "the dividing line"});
  const SheetInfo& portraits = checkSheet(kPortraitsImage, kImageRGBA, kPortraitsFrames, what);
  requireFrames(kPortraitsFrames, portraits, 0, 0, "player 1's portrait");
  checkRoster();
}

void checkOverworld(const std::string& world, bool firstWorld) {
  const std::string path = shownPath(overworldDataFile(world));
  if (!firstWorld && !contentFileExists(path)) return;
  if (firstWorld && !screenShipped("the overworld", {overworldMapImage(world), kMarkersImage,
                                                     kMarkersFrames, kMarkersScript, path}))
    return;
  const std::string what = "by the overworld of " + world;
  const SheetInfo& map = checkSheet(overworldMapImage(world), kImageRGB, kOverworldMapFrames, what);
  requireFrames(kOverworldMapFrames, map, 0, 0, "the overworld map");
  checkMarkers();
  if (!requireFile(path, what)) return;
  const TextFile& file = textFile(path);
  checkLineShapes(path, file, kOverworldFormat);
  bool described[kOverworldNodes] = {};
  std::vector<std::string> mapStages;
  for (int i = 0; i < static_cast<int>(file.lines.size()) && i < kOverworldLineCount; ++i) {
    const std::string& text = file.lines[i];
    int node = numberField(text, 2);
    if (getField(text, 1) == "NODE" && node >= 0 && node < kOverworldNodes) {
      described[node] = true;
      mapStages.push_back(getField(text, 9));
    }
  }
  // The arcade opens only the start stage at first: one the map does not show can never be
  // reached, and with no start at all nothing can be played.
  for (int i = 0; i < static_cast<int>(file.lines.size()) && i < kOverworldLineCount; ++i) {
    const std::string& text = file.lines[i];
    if (getField(text, 1) != "START") continue;
    const std::string start = getField(text, 2);
    if (std::find(mapStages.begin(), mapStages.end(), start) == mapStages.end())
      reportError(path, i + 1, "the start stage \"" + start + "\" is on no node of the map");
  }
  for (int i = 0; i < static_cast<int>(file.lines.size()) && i < kOverworldLineCount; ++i) {
    const std::string& text = file.lines[i];
    if (getField(text, 1) != "NODE") continue;
    int line = i + 1;
    int node = numberField(text, 2);
    if (node < 0 || node >= kOverworldNodes) {
      reportWarning(path, line, "node " + std::to_string(node) + " does not exist (nodes are 0 to " +
                                    std::to_string(kOverworldNodes - 1) + "); the line is ignored");
      continue;
    }
    const char* directions[] = {"left", "right", "up", "down"};
    for (int d = 0; d < 4; ++d) {
      int to = numberField(text, 5 + d);
      if (to == 0) continue;
      if (to < 0 || to >= kOverworldNodes)
        reportWarning(path, line, std::string("the way ") + directions[d] + " names node " +
                                      std::to_string(to) + ", which does not exist; it is no way");
      else if (!described[to])
        reportWarning(path, line, std::string("the way ") + directions[d] + " leads to node " +
                                      std::to_string(to) + ", which no NODE line describes");
    }
    std::string stage = getField(text, 9);
    std::string stageFile = stageFilePath(world, stage);
    if (!stage.empty() && leavesContentFolder(stageFile))
      reportError(path, line, "stage " + stageFile + " is outside the content folder; a pack "
                              "must not read the player's other files");
    else if (!stage.empty() && !contentFileExists(stageFile))
      reportError(path, line, "stage " + stageFile + " does not exist; picking node " +
                                  std::to_string(node) + " starts an empty stage");
    else if (!stage.empty())
      checkStage(stageFile);  // a node may name a stage outside the world's own folder
  }
}
