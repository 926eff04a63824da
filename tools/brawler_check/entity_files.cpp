#include "entity_files.h"

#include "content/pack_layout.h"
#include "content/text_file.h"
#include "findings.h"

namespace {

// Each spawned effect reads the offsets again and stops at the first line whose field 1 is
// empty, so a blank line in the middle leaves every later frame at the anchor's corner.
void checkSpawnedOffsets(const std::string& offPath) {
  const TextFile& file = textFile(offPath);
  int count = static_cast<int>(file.lines.size());
  int blank = 0;
  while (blank < count && !getField(file.lines[blank], 1).empty()) ++blank;
  for (int i = blank + 1; i < count; ++i) {
    if (getField(file.lines[i], 1) == "OFFSET") {
      reportWarning(shownPath(offPath), blank + 1,
                    "a spawned effect reads offsets only up to here; the OFFSET lines after this "
                    "empty line are never used");
      return;
    }
  }
}

}  // namespace

void checkEntityFiles(const std::string& name, EntitySource source, ScriptRole role,
                      const std::string& whatLoadsIt) {
  std::string base = entityFilesBase(name);
  std::string sprPath = base + ".spr";
  const SheetInfo& sheet = checkSheet(base + (source == kPlayerFiles ? ".png" : ".PNG"),
                                      kImageRGBA, sprPath, whatLoadsIt);
  checkOffsets(base + ".off", sheet, true, whatLoadsIt);
  if (role == kRoleEffects && contentFileExists(base + ".off")) checkSpawnedOffsets(base + ".off");
  checkScript(entityScriptPath(name), role, sheet, sprPath, whatLoadsIt);
}
