// Scripted players for the pack's fairness runs. Each is a function of the world as the last
// tick left it: what stands where, who is down, who winds up, what lies on the street. None
// reads the random draws, so with the stage's seed fixed a run is one fixed replay.
#pragma once
#include <cstdint>
#include <vector>

#include "sim/tick_input.h"

// What a player's hands held in the tick before: a control counts as pressed when it is held
// now and was not then, so tapping is holding every other tick.
struct ScriptedHands {
  uint8_t held = 0;
};

// The controls player p holds this tick.
using ScriptedPlayer = uint8_t (*)(int p, const ScriptedHands& hands);

// Walks at the nearest of `targets` still standing, lines up on its foot line and taps attack
// once it stands within reach in front. Nothing more: no dodging, no moves.
uint8_t plainControls(int p, const ScriptedHands& hands, const std::vector<int>& targets);
// The plain player against whatever opponent stands nearest.
uint8_t masherControls(int p, const ScriptedHands& hands);
// A player who knows the arcade's moves and fights with care: it breaks the props it passes,
// takes food when hurt and a weapon when empty-handed, walks into a gang member to grab it,
// knees it and throws it (into the others when they stand behind), throws a knife it carries,
// uses the special when two crowd it, mashes free when held, and keeps off a boss's line
// while the boss winds up, striking in whole combos when it does not.
uint8_t sensibleControls(int p, const ScriptedHands& hands);

// The tick's input for player p from the held controls, the presses told from the hands; the
// hands remember them for the next tick.
TickInput handsInput(int p, uint8_t held, ScriptedHands& hands);
