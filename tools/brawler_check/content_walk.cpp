#include "content_walk.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "content/pack_layout.h"
#include "content/text_file.h"
#include "content/world_list.h"
#include "line_shapes.h"
#include "content_files.h"
#include "entity_files.h"
#include "findings.h"
#include "screens_check.h"
#include "script_check.h"
#include "sheets.h"
#include "stage_check.h"

namespace fs = std::filesystem;

namespace {

void checkStartupSheets() {
  const std::string what = "at start-up";
  const SheetInfo& font = checkSheet(kFontImage, kImageRGBA, kFontFrames, what);
  checkOffsets(kFontOffsets, font, true, what);
  const SheetInfo& global = checkSheet(kInterfaceImage, kImageRGBA, kInterfaceFrames, what);
  const char* uses[] = {"the health gauge", "the power gauge", "the player panel",
                        "the third gauge", "the full-screen fade layer"};
  for (int k = 0; k < 5; ++k) requireFrames(kInterfaceFrames, global, k, k, uses[k]);
}

std::vector<std::string> sortedEntries(const std::string& folder, bool directories) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (directories ? it->is_directory() : it->is_regular_file())
      names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void checkStages() {
  requireFile(stageFilePath(kStartWorld, kStartStage), "when the game starts");
  for (const std::string& world : sortedEntries("stage", true)) {
    for (const std::string& file : sortedEntries("stage/" + world, false)) {
      if (fs::path(file).extension() == ".lev") checkStage("stage/" + world + "/" + file);
    }
  }
}

// After the stages, so that a file the stages load as well (the background frame list) is
// reported for them, not as a screen's.
void checkOverworlds() {
  std::vector<std::string> worlds = sortedEntries("stage", true);
  if (std::find(worlds.begin(), worlds.end(), kStartWorld) == worlds.end())
    worlds.insert(worlds.begin(), kStartWorld);
  for (const std::string& world : worlds) checkOverworld(world, world == kStartWorld);
}

// The arcade plays the listed worlds in order and goes on to each one's map in turn.
void checkWorldList() {
  if (!contentFileExists(kWorldListFile)) return;
  const TextFile& file = textFile(kWorldListFile);
  checkLineShapes(kWorldListFile, file, TextFormat{"worlds list", {kWorldKeyword}, kWorldListCapacity});
  std::vector<std::string> seen;
  for (int i = 0; i < static_cast<int>(file.lines.size()) && i < kWorldListCapacity; ++i) {
    if (getField(file.lines[i], 1) != kWorldKeyword) continue;
    const std::string world = getField(file.lines[i], 2);
    const int line = i + 1;
    const std::string map = shownPath(overworldDataFile(world));
    if (world.empty())
      reportWarning(kWorldListFile, line, "WORLD without a name; the line is ignored");
    else if (std::find(seen.begin(), seen.end(), world) != seen.end())
      reportWarning(kWorldListFile, line, "world " + world + " is listed again; the arcade plays it twice");
    else if (leavesContentFolder(map))
      reportError(kWorldListFile, line, "world " + world + " is outside the content folder; a pack "
                                        "must not read the player's other files");
    else if (!contentFileExists(map))
      reportError(kWorldListFile, line, "world " + world + " has no " + map + ": the arcade goes on "
                                        "to a map with no stages on it, and the game can never end");
    seen.push_back(world);
  }
}

}  // namespace

void checkContent() {
  // Every run starts from an empty memory, so one process can check many folders in turn.
  forgetFindings();
  forgetContentFiles();
  forgetSheets();
  forgetScripts();
  forgetStages();
  checkStartupSheets();
  for (const char* name : kStartFighters)
    checkEntityFiles(name, kPlayerFiles, kRoleFighter, "for a player's fighter");
  checkStages();
  checkEntityFiles("globals", kStageTypeFiles, kRoleEffects, "with every stage as the hit effects");
  for (int slot = 0; slot < kStageSoundFiles; ++slot)
    checkSound(soundEffectPath(slot), "with every stage as a sound effect");
  checkMainMenu();
  checkCharacterSelect();
  checkOverworlds();
  checkWorldList();
}
