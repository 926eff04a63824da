#include "crowded_stage.h"

#include <string>

#include "base/numbers.h"
#include "content/fighter_loader.h"
#include "content/pack_layout.h"
#include "content/script_lines.h"
#include "content/text_file.h"
#include "platform/null_platform.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "shell/screen_state.h"
#include "shell/stage_start.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/random.h"

namespace {

constexpr int kCrowdTarget = 1001;  // more placements than slots: the table ends up full
constexpr int kPerLine = 50;

// The stage file is put into the stage lines directly: a stage name with no file leaves them
// as they are.
std::vector<int> buildCrowdedStage() {
  for (auto& line : stageLines) line.clear();
  readLines(stageFilePath(kStartWorld, kStartStage), stageLines);
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

void queueKey(int code, bool down) {
  PlatformEvent ev;
  if (code >= 440 && code < 500) {
    ev.type = kEventJoyHat;
    ev.value = down ? code - 440 : 0;
  } else if (code >= 40 && code < 60) {
    ev.type = down ? kEventJoyButtonDown : kEventJoyButtonUp;
    ev.button = code - 40;
  } else {
    ev.type = down ? kEventKeyDown : kEventKeyUp;
    ev.key = code;
  }
  nullQueueEvent(ev);
}

}  // namespace

void queueRandomInput() {
  for (int p = 0; p < 2; ++p) {
    const int32_t codes[] = {bindUp[p], bindDown[p], bindLeft[p], bindRight[p], bindAttack[p], bindJump[p]};
    for (int32_t code : codes)
      if (randomBelow(8) == 0) queueKey(code, randomBelow(2) == 0);
  }
}

std::vector<int> startCrowdedStage() {
  setDefaultBindings();
  setPlayerDefaults();
  gravity = 1;
  playerCount = 2;
  std::vector<int> fighterTypes = buildCrowdedStage();
  worldName = "soak";
  stageName = "no-such-stage";
  startPlaystage();
  enterStage();
  return fighterTypes;
}

std::string tableFault() {
  auto at = [](const char* what, int index) { return std::string(what) + " (" + std::to_string(index) + ")"; };
  if (lastEntity > kEntityCount - 1 || lastEntity < playerCount - 1) return at("lastEntity out of range", lastEntity);
  static bool seen[kDrawOrderCount];
  for (bool& s : seen) s = false;
  for (int k = 0; k < kDrawOrderCount; ++k) {
    const int32_t e = drawOrder[k];
    if (e < 0 || e >= kDrawOrderCount || seen[e]) return at("drawOrder is not a permutation", k);
    seen[e] = true;
  }
  for (int e = 0; e <= lastEntity; ++e) {
    if (entities[e].alive != 1) continue;
    const int line = entitySprites[e].scriptLine;
    if (line < 0 || line > kScriptLineCount - 1) return at("scriptLine outside the script", e);
    const int t = entities[e].type;
    if (e >= playerCount && !((t >= 1 && t <= typeCount) || t == kEffectsType))
      return at("live entity of a type that is not loaded", e);
  }
  return "";
}

void observe(Coverage& c) {
  for (int e = 0; e < kEntityCount; ++e) {
    const Entity& en = entities[e];
    const bool live = e <= lastEntity && en.alive == 1;
    if (live) c.slotUsed[e] = true;
    if (live && !c.wasAlive[e] && en.kind == kKindEffect) ++c.effectsBorn;
    if (!live && c.wasAlive[e] && c.wasKind[e] == kKindEffect) ++c.effectsFreed;
    if (live && c.wasAlive[e] && en.kind == kKindFighter && en.hp < c.lastHp[e]) ++c.hitsTaken;
    if (live && c.wasAlive[e] && en.kind == kKindObject && en.x != c.lastX[e]) ++c.propsMoved;
    // A prop may break where it stands now: a blow that lands on it counts as moving it.
    if (live && c.wasAlive[e] && en.kind == kKindObject && en.hp < c.lastHp[e]) ++c.propsMoved;
    if (!live && c.wasAlive[e] && c.wasKind[e] == kKindObject) ++c.propsMoved;
    c.wasAlive[e] = live;
    c.wasKind[e] = en.kind;
    c.lastHp[e] = en.hp;
    c.lastX[e] = en.x;
  }
}
