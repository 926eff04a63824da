// The overworld map: players walk their markers along the node graph and pick the next stage.
#include "screens/overworld.h"

#include <algorithm>

#include "audio/sound.h"
#include "content/pack_layout.h"
#include "content/text_file.h"
#include "content/texture.h"
#include "render/draw.h"
#include "render/stage_scene.h"
#include "screens/screens.h"
#include "shell/input.h"
#include "shell/window.h"
#include "sim/animation.h"
#include "sim/entity.h"
#include "sim/game_state.h"

OverworldState overworld;

namespace {

const char* const kMarkerAnimationPrefix = "PLAYER";  // PLAYER1 is player 1's marker

// Players beyond the marker table have no marker to walk.
int markerPlayers() { return std::clamp<int>(playerCount, 0, kOverworldMarkers); }

// A marker's script acts on its player's entity.
void animateMarker(int p, const std::string* startName) {
  if (startName)
    startAnimation(p, overworld.marker[p], *startName);
  else
    stepAnimation(p, overworld.marker[p]);
}

void loadMarkers() {
  loadTextureRGBA(kMarkersImage, overworld.markerTexture);
  // Only the lines of this file: stale lines of an earlier offset file must not move markers.
  int offsetCount = readLines(kMarkersOffsets, offsetLines);
  for (int p = 0; p < markerPlayers(); ++p) {
    SpriteSet& m = overworld.marker[p];
    loadFrameList(m.frames, overworld.markerTexture, kMarkersFrames);
    for (int k = 0; k < offsetCount && k < kFrameCount; ++k) applyOffsetLine(m.frames, k, offsetLines[k]);
    readScript(kMarkersScript, m.script);
    m.autoSize = 1;
    m.x = overworld.nodeX[0];
    m.y = overworld.nodeY[0];
    std::string animation = kMarkerAnimationPrefix + std::to_string(p + 1);
    animateMarker(p, &animation);
  }
}

void startMove(int p, int32_t heldCode, int32_t neighbour) {
  if (!isHeld(heldCode) || overworld.markerMoving[p] != 0 || neighbour == 0) return;
  if (overworld.nodeLocked[neighbour] == 1) return;
  overworld.markerMoving[p] = 1;
  overworld.markerTarget[p] = neighbour;
  overworld.markerProgress[p] = 0.0;
}

void readPlayer(int p) {
  int n = overworld.markerNode[p];
  if (gameRules.quitKeysEndProgram == 1 && isHeld(kKeyEscape)) endProgram();
  // Each test needs a marker at rest, so the first direction that starts a move wins.
  startMove(p, bindLeft[p], overworld.nodeLeft[n]);
  startMove(p, bindRight[p], overworld.nodeRight[n]);
  startMove(p, bindUp[p], overworld.nodeUp[n]);
  startMove(p, bindDown[p], overworld.nodeDown[n]);
  // Held attack restarts the fade every frame: it only runs its course once released.
  if (isHeld(bindAttack[p]) && overworld.markerMoving[p] == 0 && !overworld.nodeStage[n].empty() &&
      overworld.nodeLocked[n] == 0) {
    overworld.confirmed = 1;
    overworld.chooser = p;
    overworld.fadeAmount = 0.0;
    fadeOutMusic();
  }
}

void drawMap() {
  drawFullScreen(overworld.mapFrames, 0, 0.0);
}

void travel(int p) {
  SpriteSet& m = overworld.marker[p];
  int n = overworld.markerNode[p];
  int t = overworld.markerTarget[p];
  // Node positions are content numbers at most the range apart each way: taken wide.
  const int64_t dx = int64_t{overworld.nodeX[t]} - overworld.nodeX[n];
  const int64_t dy = int64_t{overworld.nodeY[t]} - overworld.nodeY[n];
  overworld.markerProgress[p] += 1.0;
  m.x += static_cast<double>(dx) / overworld.travelFrames;
  m.y += static_cast<double>(dy) / overworld.travelFrames;
  if (overworld.markerProgress[p] >= overworld.travelFrames) {
    overworld.markerProgress[p] = 0.0;
    overworld.markerMoving[p] = 0;
    overworld.markerNode[p] = t;
    // Real-number steps drift; the marker lands exactly on the node.
    m.x = overworld.nodeX[t];
    m.y = overworld.nodeY[t];
  }
}

void fadeToStage() {
  overworld.fadeAmount += kFadeStep;
  drawScreenCover(1.0 - overworld.fadeAmount);
  if (overworld.fadeAmount <= 1.0) return;
  const std::string& stage = overworld.nodeStage[overworld.markerNode[overworld.chooser]];
  // The chooser may have walked on to a waypoint during the fade: no stage, no switch.
  if (stage.empty()) {
    overworld.confirmed = 0;
    return;
  }
  stageName = stage;
  screenState = kScreenPlaystage;
}

}  // namespace

void enterOverworld() {
  // Texture records survive the reset so that reloading into them frees the old pictures.
  Texture map = overworld.mapTexture;
  Texture markers = overworld.markerTexture;
  overworld = OverworldState{};
  overworld.mapTexture = map;
  overworld.markerTexture = markers;
  overworld.travelFrames = kOverworldTravelFrames;
  overworld.fadeAmount = 0.0;
  overworld.confirmed = 0;
  loadTextureRGB(overworldMapImage(worldName), overworld.mapTexture);
  loadFrameList(overworld.mapFrames, overworld.mapTexture, kOverworldMapFrames);
  readLines(overworldDataFile(worldName), overworld.lines);
  readOverworldNodes(overworld);
  loadMarkers();
}

bool overworldFrame() {
  pollInput();
  for (int p = 0; p < markerPlayers(); ++p) readPlayer(p);
  drawMap();
  for (int p = 0; p < markerPlayers(); ++p) {
    if (overworld.markerMoving[p] == 1) travel(p);
    animateMarker(p, nullptr);
    drawSprite(overworld.marker[p]);
  }
  if (overworld.confirmed == 1) fadeToStage();
  presentFrame();
  return screenState == kScreenOverworld;
}

void runOverworld() {
  enterOverworld();
  while (screenState == kScreenOverworld && overworldFrame()) {
  }
}
