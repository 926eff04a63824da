#include "content/world_list.h"

#include "content/pack_layout.h"
#include "content/text_file.h"

WorldList readWorldList() {
  WorldList worlds;
  std::string lines[kWorldListCapacity];
  readLines(kWorldListFile, lines, kWorldListCapacity);
  for (int i = 0; i < kWorldListCapacity; ++i) {
    const std::string name = getField(lines[i], 2);
    if (getField(lines[i], 1) == kWorldKeyword && !name.empty()) worlds.names[worlds.count++] = name;
  }
  if (worlds.count == 0) worlds.names[worlds.count++] = kStartWorld;
  return worlds;
}
