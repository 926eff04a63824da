// startAnimation and stepAnimation on an arbitrary script and animation name, many ticks.
#include <cstddef>
#include <cstdint>

#include "content/script_lines.h"
#include "content/text_file.h"
#include "fuzz_content.h"
#include "sim/animation.h"
#include "sim/entity.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  enterFuzzContent();
  // The first line of the input is the animation to start; the rest is the script.
  size_t split = 0;
  while (split < size && data[split] != '\n') ++split;
  std::string name(reinterpret_cast<const char*>(data), split);
  size_t rest = split < size ? split + 1 : size;
  std::string path = writeFuzzFile("scripts/fuzz.dat", data + rest, size - rest);

  constexpr int kEntity = 2;
  entities[kEntity] = Entity{};
  entitySprites[kEntity] = SpriteSet{};
  readScript(path, entitySprites[kEntity].script);
  lastEntity = kEntity;
  entities[kEntity].alive = 1;
  startAnimation(entitySprites[kEntity], name);
  for (int tick = 0; tick < 200; ++tick) {
      stepAnimation(kEntity, entitySprites[kEntity]);
    if (entitySprites[kEntity].scriptLine < 0 || entitySprites[kEntity].scriptLine > 1000) __builtin_trap();
  }
  return 0;
}
