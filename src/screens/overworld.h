// The overworld map: a node graph on a world picture, one marker per player travelling it.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "content/sprite_set.h"

constexpr int kOverworldLastNode = 20;
constexpr int kOverworldNodes = kOverworldLastNode + 1;  // nodes 0..20
constexpr int kOverworldMarkers = 5;                       // players 0..4
constexpr int kOverworldLineCount = 2001;                  // overworld lines 0..2000
constexpr int kOverworldTravelFrames = 25;

using OverworldLines = std::array<std::string, kOverworldLineCount>;

// Everything one run of the screen owns; cleared on every entry. Declare as `OverworldState o{};`.
struct OverworldState {
  Texture mapTexture;
  FrameList mapFrames;
  OverworldLines lines;

  int32_t nodeX[kOverworldNodes];
  int32_t nodeY[kOverworldNodes];
  int32_t nodeLeft[kOverworldNodes];  // 0: no way
  int32_t nodeRight[kOverworldNodes];
  int32_t nodeUp[kOverworldNodes];
  int32_t nodeDown[kOverworldNodes];
  std::string nodeStage[kOverworldNodes];  // empty: a waypoint, nothing to confirm
  int32_t nodeLocked[kOverworldNodes];     // 1: no marker walks there or picks it (arcade only)
  std::string startStage;                  // "START stage": the stage a new game opens with

  Texture markerTexture;
  SpriteSet marker[kOverworldMarkers];
  int32_t markerNode[kOverworldMarkers];
  int32_t markerMoving[kOverworldMarkers];
  int32_t markerTarget[kOverworldMarkers];
  double markerProgress[kOverworldMarkers];

  int32_t travelFrames;
  int32_t confirmed;
  int32_t chooser;
  double fadeAmount;
};
extern OverworldState overworld;

// Loads the map, the node graph and the markers, and puts every marker on node 0.
void enterOverworld();
// One iteration of the screen loop; false once the screen state has moved on.
bool overworldFrame();
// The node a tap at a point of the picture means: the nearest within reach of a finger, -1 for
// none. Locked nodes are never meant.
int32_t overworldNodeAt(const OverworldState& map, int32_t x, int32_t y);
// The first step from node `from` towards node `to` along open ways: the neighbour to walk to,
// `from` itself when already there, -1 when no open way leads there.
int32_t overworldStepTowards(const OverworldState& map, int32_t from, int32_t to);
// Fills the node tables and the start stage from the overworld lines
// ("NODE n x y left right up down stage", "START stage").
void readOverworldNodes(OverworldState& state);
