#include "shell/stage_start.h"

#include "audio/sound.h"
#include "content/fighter_loader.h"
#include "content/pack_layout.h"
#include "content/stage_loader.h"
#include "content/text_file.h"
#include "shell/screen_state.h"
#include "sim/stage_setup.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/world.h"

namespace {

// Every stage's music loops over the same stretch.
constexpr double kMusicLoopStartSeconds = 32.583;
constexpr double kMusicLoopEndSeconds = 145.072;

}  // namespace

void startStage() {
  clearWorld();
  readLines(stageFilePath(worldName, stageName), stageLines);
  loadStage();
  for (int k = 0; k < kStageSoundFiles; ++k) loadSound(soundEffectPath(k), k);
  loadPlayers();
  startStageEntities();
  loadMusic(stageMusicPath(bgmName));
  musicLoopStart = kMusicLoopStartSeconds;
  musicLoopEnd = kMusicLoopEndSeconds;
}
