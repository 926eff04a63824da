#include "content_walk.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "content_files.h"
#include "entity_files.h"
#include "findings.h"
#include "screens_check.h"
#include "script_check.h"
#include "sheets.h"
#include "stage_check.h"

namespace fs = std::filesystem;

namespace {

// The fighters the two players start with, and the stage the game opens on.
const char* const kPlayerFighters[] = {"kestor", "bluesoldier"};
const char* const kFirstWorld = "world1";
const char* const kFirstStage = "stage/world1/stage3.lev";
constexpr int kSoundFiles = 5;

void checkStartupSheets() {
  const std::string what = "at start-up";
  const SheetInfo& font = checkSheet("gfx/font/mainfont.png", kImageRGBA, "gfx\\font\\mainfont.spr", what);
  checkOffsets("gfx/font/mainfont.off", font, true, what);
  const SheetInfo& global =
      checkSheet("gfx\\interface\\global.png", kImageRGBA, "gfx\\interface\\global.spr", what);
  const char* uses[] = {"the health gauge", "the power gauge", "the player panel",
                        "the third gauge", "the full-screen fade layer"};
  for (int k = 0; k < 5; ++k) requireFrames("gfx\\interface\\global.spr", global, k, k, uses[k]);
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
  requireFile(kFirstStage, "when the game starts");
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
  if (std::find(worlds.begin(), worlds.end(), kFirstWorld) == worlds.end())
    worlds.insert(worlds.begin(), kFirstWorld);
  for (const std::string& world : worlds) checkOverworld(world, world == kFirstWorld);
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
  for (const char* name : kPlayerFighters)
    checkEntityFiles(name, kPlayerFiles, kRoleFighter, "for a player's fighter");
  checkStages();
  checkEntityFiles("globals", kStageTypeFiles, kRoleEffects, "with every stage as the hit effects");
  for (int slot = 0; slot < kSoundFiles; ++slot)
    checkSound("sound/" + std::to_string(slot) + ".wav", "with every stage as a sound effect");
  checkMainMenu();
  checkCharacterSelect();
  checkOverworlds();
}
