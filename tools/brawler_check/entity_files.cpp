#include "entity_files.h"

void checkEntityFiles(const std::string& name, EntitySource source, ScriptRole role,
                      const std::string& whatLoadsIt) {
  std::string base = "gfx/entities/" + name;
  std::string sprPath = base + ".spr";
  const SheetInfo& sheet = checkSheet(base + (source == kPlayerFiles ? ".png" : ".PNG"),
                                      kImageRGBA, sprPath, whatLoadsIt);
  checkOffsets(base + ".off", sheet, true, whatLoadsIt);
  checkScript("scripts/" + name + ".dat", role, sheet, sprPath, whatLoadsIt);
}
