// How far the players have come in the world: which stages are cleared, and which are open.
#include "arcade/arcade.h"
#include "arcade/score.h"

#include "shell/screen_state.h"
#include "sim/entity.h"

namespace {

bool linksTo(const OverworldState& map, int from, const std::string& stage) {
  const int32_t ways[] = {map.nodeLeft[from], map.nodeRight[from], map.nodeUp[from], map.nodeDown[from]};
  for (int32_t to : ways)
    if (to != 0 && map.nodeStage[to] == stage) return true;
  return false;
}

void forgetStagesCleared() {
  for (std::string& s : arcade.cleared) s.clear();
  arcade.lastStage.clear();
}

void playWorld(int32_t world) {
  arcade.world = world;
  worldName = arcade.worlds.names[world];
}

}  // namespace

void startNewGame(int32_t players) { startNewGame(players, settings.difficulty, settings.lives); }

void startNewGame(int32_t players, int32_t difficulty, int32_t lives) {
  arcade.players = players;
  arcade.difficulty = difficulty;
  arcade.startLives = lives;
  forgetStagesCleared();
  playWorld(0);
  arcade.furthestStage.clear();
  startScores();
  // Fighters and hit points as at start-up: the select screen then names the fighters.
  setPlayerDefaults();
}

bool anyStageCleared() { return arcade.world > 0 || !arcade.cleared[0].empty(); }

bool goOnToNextWorld() {
  if (arcade.world + 1 >= arcade.worlds.count) return false;
  forgetStagesCleared();
  playWorld(arcade.world + 1);
  return true;
}

bool stageWasCleared(const std::string& stage) {
  for (const std::string& s : arcade.cleared)
    if (!stage.empty() && s == stage) return true;
  return false;
}

void markStageCleared(const std::string& stage) {
  if (stage.empty() || stageWasCleared(stage)) return;
  for (std::string& s : arcade.cleared)
    if (s.empty()) {
      s = stage;
      return;
    }
}

bool stageIsOpen(const OverworldState& map, const std::string& stage) {
  if (stage.empty()) return false;
  if (stage == map.startStage || stageWasCleared(stage)) return true;
  for (int n = 0; n < kOverworldNodes; ++n)
    if (stageWasCleared(map.nodeStage[n]) && linksTo(map, n, stage)) return true;
  return false;
}

bool worldFinished(const OverworldState& map) {
  bool anyStage = false;
  for (const std::string& stage : map.nodeStage) {
    if (stage.empty()) continue;
    anyStage = true;
    if (!stageWasCleared(stage)) return false;
  }
  return anyStage;
}

void prepareMap(OverworldState& map) {
  // Waypoints stay walkable: only a stage not yet open closes its node.
  for (int n = 0; n < kOverworldNodes; ++n)
    map.nodeLocked[n] = !map.nodeStage[n].empty() && !stageIsOpen(map, map.nodeStage[n]) ? 1 : 0;
  // Back where the last stage was played, or at the start of a new game.
  const std::string& here = arcade.lastStage.empty() ? map.startStage : arcade.lastStage;
  int home = 0;
  for (int n = 0; n < kOverworldNodes; ++n)
    if (!here.empty() && map.nodeStage[n] == here) {
      home = n;
      break;
    }
  for (int p = 0; p < kOverworldMarkers; ++p) {
    map.markerNode[p] = home;
    map.marker[p].x = map.nodeX[home];
    map.marker[p].y = map.nodeY[home];
  }
}
