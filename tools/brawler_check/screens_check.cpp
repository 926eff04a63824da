#include "screens_check.h"

#include <algorithm>
#include <vector>

#include "base/numbers.h"
#include "content/text_file.h"
#include "entity_files.h"
#include "screens/character_select.h"
#include "screens/overworld.h"
#include "findings.h"
#include "line_shapes.h"
#include "sheets.h"

namespace {

const TextFormat kRosterFormat{"roster", {"FIGHTER"}, kRosterLineCount};
const TextFormat kOverworldFormat{"overworld data", {"NODE", "START"}, kOverworldLineCount};

int numberField(const std::string& text, int n) { return roundToInt(toNumber(getField(text, n))); }

void requireNamedFrames(const std::string& sprPath, const SheetInfo& sheet,
                        std::initializer_list<const char*> uses) {
  int k = 0;
  for (const char* use : uses) requireFrames(sprPath, sheet, k, k, use), ++k;
}

void checkRoster() {
  const std::string path = "roster.dat";
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
      checkEntityFiles(name, kPlayerFiles, kRoleFighter, "by " + path + " for a player's fighter");
  }
}

void checkMarkers() {
  const std::string what = "by the overworld for the players' markers";
  const SheetInfo& markers = checkSheet("gfx\\overworld\\markers.png", kImageRGBA,
                                        "gfx\\overworld\\markers.spr", what);
  checkOffsets("gfx\\overworld\\markers.off", markers, false, what);
  checkScript("scripts\\overworldmarkers.dat", kRoleMarker, markers, "gfx\\overworld\\markers.spr",
              what);
}

}  // namespace

void checkMainMenu() {
  const std::string what = "by the main menu";
  const SheetInfo& menu = checkSheet("gfx/interface/mainmenu.png", kImageRGB,
                                     "gfx/interface/mainmenu.spr", what);
  requireNamedFrames("gfx/interface/mainmenu.spr", menu,
                     {"menu entry 0", "menu entry 1", "menu entry 2", "menu entry 3",
                      "the highlight"});
}

void checkCharacterSelect() {
  const std::string what = "by the character select screen";
  // The screen swaps this image into the interface sheet's texture, so the global frame list
  // cuts it too.
  checkSheet("gfx\\interface\\menus.png", kImageRGBA, "gfx\\interface\\global.spr", what);
  const SheetInfo& boxes = checkSheet("gfx\\interface\\menusprites.png", kImageRGBA,
                                      "gfx\\interface\\menusprites.spr", what);
  requireNamedFrames("gfx\\interface\\menusprites.spr", boxes,
                     {"the cursor box", "the lower band", "the flash layer", "a selection box",
                      "the dividing line"});
  const SheetInfo& portraits =
      checkSheet("gfx\\portraits\\port.png", kImageRGBA, "gfx\\portraits\\port.spr", what);
  requireFrames("gfx\\portraits\\port.spr", portraits, 0, 0, "player 1's portrait");
  checkRoster();
}

void checkOverworld(const std::string& world, bool reached) {
  const std::string path = "stage/" + world + "/overworlddata.dat";
  if (!reached && !contentFileExists(path)) return;
  const std::string what = "by the overworld of " + world;
  const SheetInfo& map =
      checkSheet("gfx\\overworld\\" + world + ".png", kImageRGB, "gfx\\stage\\bg.spr", what);
  requireFrames("gfx\\stage\\bg.spr", map, 0, 0, "the overworld map");
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
    std::string stageFile = "stage/" + world + "/" + stage + ".lev";
    if (!stage.empty() && !contentFileExists(stageFile))
      reportError(path, line, "stage " + stageFile + " does not exist; picking node " +
                                  std::to_string(node) + " starts an empty stage");
  }
}
