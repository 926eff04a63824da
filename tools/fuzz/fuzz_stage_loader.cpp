// The stage loader on arbitrary stage lines. Lines that name images are pinned to the fuzz
// folder's pictures (a missing image ends the game by design); everything else is as fuzzed.
#include <cstddef>
#include <cstdint>

#include "content/stage_loader.h"
#include "sim/stage_setup.h"
#include "content/text_file.h"
#include "fuzz_content.h"
#include "sim/entity.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  enterFuzzContent();
  std::string path = writeFuzzFile("fuzz.lev", data, size);
  for (auto& line : stageLines) line.clear();
  stageLines[0] = "STAGETYPE fuzz";
  stageLines[1] = "BGNAME fuzz";
  readLines(path, stageLines.data() + 2, kStageLineCount - 2);
  for (int i = 2; i < kStageLineCount; ++i) {
    std::string keyword = getField(stageLines[i], 1);
    if (keyword == "STAGETYPE" || keyword == "BGNAME") {
      stageLines[i].clear();
    } else if (keyword == "LOADENTITY") {
      stageLines[i] = "LOADENTITY thug " + getField(stageLines[i], 3);
    }
  }
  playerCount = 2;
  loadStage();
  return 0;
}
