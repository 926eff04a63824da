// The character select screen: four boxes, a cursor box and a sliding portrait per player.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "content/sprite_set.h"

constexpr int kSelectBoxes = 4;    // boxes 0..3
constexpr int kSelectPlayers = 4;  // players 0..3
constexpr int kRosterLineCount = 101;
constexpr int kPortraitTextures = 11;

extern Texture portraitTextures[kPortraitTextures];  // element 0: the portrait sheet

using RosterLines = std::array<std::string, kRosterLineCount>;

// Everything one run of the screen owns; cleared on every entry.
struct CharacterSelectState {
  Texture menuTexture;  // menusprites.png
  FrameList menuFrames;
  int32_t cursor[kSelectPlayers];
  int32_t sliding[kSelectPlayers];
  int32_t confirmed[kSelectPlayers];
  int32_t homeX[kSelectPlayers];
  int32_t homeY[kSelectPlayers];
  int32_t side[kSelectPlayers];  // 0 enters from the left, 1 from the right
  double pulse;
  int32_t pulseRising;
  double flash;  // transparency of the flash layer: 0 just confirmed, 1 clear
  RosterLines rosterLines;
  std::string boxFighter[kSelectBoxes];  // empty: confirming there keeps the fighter
  int32_t lastMover;                     // the player whose cursor moved last
};
extern CharacterSelectState characterSelect;

void enterCharacterSelect();
// One iteration of the screen loop; false once the screen state has moved on.
bool characterSelectFrame();
// Loads the global interface sheet back into the texture the screen borrowed for its own.
void giveBackInterfaceSheet();
// The box under a point of the picture, -1 for none (a tap's choice).
int32_t selectBoxAt(int32_t x, int32_t y);
// Moves player p's cursor straight to `box`, the portrait sliding in as after a step.
void pointCursorAt(int p, int32_t box);
// Fills boxFighter from the roster lines ("FIGHTER box name").
void readRoster(CharacterSelectState& state);
