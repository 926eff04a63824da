#include "crowded_stage.h"

#include <string>

#include "content/fighter_loader.h"
#include "content/text_file.h"
#include "shell/game_state.h"
#include "shell/input.h"
#include "shell/platform.h"
#include "shell/play_loop.h"
#include "shell/stage_start.h"
#include "sim/entity.h"

namespace {

constexpr int kCrowdTarget = 1001;  // more placements than slots: the table ends up full
constexpr int kPerLine = 50;

// The stage file is put into the stage lines directly: a stage name with no file leaves them
// as they are.
std::vector<int> buildCrowdedStage() {
  for (auto& line : stageLines) line.clear();
  readLines("stage/world1/stage3.lev", stageLines);
  std::vector<int> kinds;
  for (const auto& line : stageLines)
    if (getField(line, 1) == "LOADENTITY") kinds.push_back(roundToInt(toNumber(getField(line, 3))));
  std::vector<int> fighterTypes;
  for (size_t k = 0; k < kinds.size(); ++k)
    if (kinds[k] == kKindFighter) fighterTypes.push_back(static_cast<int>(k) + 1);
  int next = kStageLineCount - 1;
  while (next > 0 && stageLines[next].empty()) --next;
  ++next;
  for (int placed = 0, k = 0; placed < kCrowdTarget && next < kStageLineCount && !kinds.empty(); ++k) {
    const int type = k % static_cast<int>(kinds.size());
    const int x = 200 + (k * 137) % 3000;
    stageLines[next++] = "CPLACEENTITY " + std::to_string(x) + " 450 " + std::to_string(type) + " " +
                         std::to_string(kPerLine - 1) + " 200";
    placed += kPerLine;
  }
  return fighterTypes;
}

}  // namespace

std::vector<int> startCrowdedStage() {
  platformHeadless = 1;
  setDefaultBindings();
  setPlayerDefaults();
  gravity = 1;
  playerCount = 2;
  std::vector<int> fighterTypes = buildCrowdedStage();
  worldName = "soak";
  stageName = "no-such-stage";
  startStage();
  for (int e = 0; e <= lastEntity; ++e) entities[e].shownHp = entities[e].hp;
  enterStage();
  return fighterTypes;
}
