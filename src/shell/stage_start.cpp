#include "shell/stage_start.h"

#include "audio/sound.h"
#include "base/numbers.h"
#include "content/fighter_loader.h"
#include "content/pack_layout.h"
#include "content/stage_loader.h"
#include "content/text_file.h"
#include "shell/screen_state.h"
#include "sim/animation.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/world.h"

namespace {

// Every stage's music loops over the same stretch.
constexpr double kMusicLoopStartSeconds = 32.583;
constexpr double kMusicLoopEndSeconds = 145.072;

// The last ATTACKSAMOUNT anywhere in the script, past the statistics section too.
void scanAttacksAmount(int e) {
  for (int j = 0; j < kScriptLineCount; ++j) {
    const ScriptCommand& c = scriptCommand(entitySprites[e].script, j);
    if (c.keyword == kScriptAttacksAmount) entities[e].attacksAmount = roundToInt(c.arg[0]);
  }
}

}  // namespace

void startStage() {
  clearWorld();
  readLines(stageFilePath(worldName, stageName), stageLines);
  loadStage();
  loadPlayers();
  for (int k = 0; k < kDrawOrderCount; ++k) drawOrder[k] = k;
  for (int e = 0; e <= lastEntity; ++e) {
    if (entities[e].kind == kKindObject) startAnimation(entitySprites[e], "STATIONARY");
    if (entities[e].kind == kKindFighter) startAnimation(entitySprites[e], "STAND");
    currentEntity = e;
    readStats(e);
    scanAttacksAmount(e);
    entities[e].alive = 1;
  }
  loadMusic(stageMusicPath(bgmName));
  musicLoopStart = kMusicLoopStartSeconds;
  musicLoopEnd = kMusicLoopEndSeconds;
}
