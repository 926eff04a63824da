// What one player asks of the simulation in one tick: the held and pressed state of each
// bound action, and Escape and Return. The shell fills the table once per tick, right after the input
// poll; the player step reads nothing else. A replay or a network peer can fill it instead.
#pragma once
#include <cstdint>

enum PlayerAction : int {
  kActionUp, kActionDown, kActionLeft, kActionRight, kActionAttack, kActionExtra, kActionJump,
  kPlayerActions
};

// One row per binding row; a player past the table has no controls.
constexpr int kCommandPlayers = 4;

struct PlayerCommand {
  uint8_t held[kPlayerActions] = {};     // 1: the action's code is held this tick
  uint8_t pressed[kPlayerActions] = {};  // 1: it went down in this tick's poll
  uint8_t escapeHeld = 0;                // 1: the player asks to leave the program
  // Escape and Return, the same in every row (with the player's own pause binding where the
  // arcade gives one): the tick ignores them, the menus over a stage (pause, continue) read them.
  uint8_t pausePressed = 0;    // 1: Escape or the player's own pause went down: pause, or back out
  uint8_t confirmPressed = 0;  // 1: Return went down: take the highlighted choice
};

extern PlayerCommand playerCommands[kCommandPlayers];
