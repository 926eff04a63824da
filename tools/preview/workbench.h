// The content author's workbench on the preview's stage screen: hit boxes drawn over the
// scene, the tick paused, stepped or slowed, a line about what the scripts are doing, and the
// stage reloaded from disk after an edit.
#pragma once
#include <cstdint>

#include "sim/rect.h"

// What the author has switched on. Written by the key handlers, read by the stage loop.
struct Workbench {
  int32_t showBoxes;    // 1: outline bodies and pending attacks
  int32_t paused;       // 1: the tick stands still
  int32_t stepPending;  // 1: run one tick although paused, then stand still again
  int32_t quarterSpeed; // 1: run one tick in four frames
  int32_t showReadout;  // 1: the readout lines at the foot of the screen
  int32_t reloadPending;
  int32_t frameCount;   // frames shown, paused or not: the quarter-speed clock
  int32_t shownTick;    // ticks run since the stage started, less those stepped back over
};
extern Workbench workbench;

// An attack that was pending in the last tick that ran, with the box it struck.
constexpr int kMostShownAttacks = 64;
struct ShownAttack {
  int32_t attacker;
  Rect box;
};
extern ShownAttack shownAttacks[kMostShownAttacks];
extern int32_t shownAttackCount;

// One key of the workbench: an SDL key symbol, what it does, and its line in --help.
struct WorkbenchKey {
  int code;
  void (*apply)();
  const char* help;
};
extern const WorkbenchKey kWorkbenchKeys[];
extern const int kWorkbenchKeyCount;

// The keys pressed this frame act on `workbench`; true when this frame runs a tick.
void applyWorkbenchKeys();
bool tickRunsThisFrame();
// Notes the attacks pending between the attack-making and attack-resolving halves of a tick.
void notePendingAttacks();
// Loads the stage named by worldName/stageName from disk into fresh tables, as at start.
void restartStage();
// The stage screen with the workbench: its entry step, and one frame of it (which runs a tick
// or not, as the author has it); the frame never ends the screen, Escape ends the program.
void enterWorkbenchStage();
bool workbenchStageFrame();

// Rewind (rewind.cpp). A new stage keeps nothing; before each tick runs, the world is kept
// (or, when the author stepped back, the tick takes the commands it ran on the first time);
// stepping back restores the world before the last tick shown, up to 10 seconds back (fewer
// on a crowded stage: the ring's bytes are capped), and is false when nothing older is kept.
void forgetRewind();
void prepareRewindableTick();
bool stepBackOneTick();
// The oldest tick the author can step back to.
int32_t oldestKeptTick();

// What the box overlay draws, each kind in a colour of its own; the moves' three show only
// under the arcade's rules (--arcade).
enum OverlayKind {
  kFighterBody, kPropBody, kAttackBox, kAttackerFoot, kVictimFoot,
  kGrabReach, kHoldSpot, kPickUpArea,
  kOverlayKinds
};
// The one-texel texture the overlay draws a kind with, made on first use.
uint32_t overlayTexture(OverlayKind kind);

// Drawing over the scene (box_overlay.cpp, readout_lines.cpp).
void drawBoxOverlay();
void drawReadoutLines();
// The entity whose foot point lies nearest the screen point, or -1 when none is alive.
int nearestEntityTo(int32_t screenX, int32_t screenY);
