// The workbench's keys and its stage loop: the game's tick, run only when the author lets it,
// with the overlays drawn after the scene.
#include "workbench.h"

#include "audio/sound.h"
#include "render/stage_scene.h"
#include "screens/screens.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "shell/window.h"
#include "sim/combat.h"
#include "sim/entity.h"
#include "sim/game_state.h"

Workbench workbench;
ShownAttack shownAttacks[kMostShownAttacks];
int32_t shownAttackCount = 0;

namespace {

// Slow motion shows one tick in this many frames.
constexpr int32_t kSlowFrames = 4;

void toggle(int32_t* flag) { *flag = *flag == 1 ? 0 : 1; }
void toggleBoxes() { toggle(&workbench.showBoxes); }
void togglePause() { toggle(&workbench.paused); }
void stepOneTick() {
  // A step from a running stage pauses it first, so the tick it shows is the one it stops on.
  if (workbench.paused == 1) workbench.stepPending = 1;
  workbench.paused = 1;
}
void pauseToStepBack() { workbench.paused = 1; }
void toggleSlow() { toggle(&workbench.quarterSpeed); }
void toggleReadout() { toggle(&workbench.showReadout); }
void requestReload() { workbench.reloadPending = 1; }

// Keys away from both players' controls (cursor keys, z, x, c).
constexpr int kKeyB = 'b', kKeyP = 'p', kKeyN = 'n', kKeyS = 's', kKeyI = 'i', kKeyR = 'r';
constexpr int kKeyBackspace = 8;

}  // namespace

const WorkbenchKey kWorkbenchKeys[] = {
    {kKeyB, toggleBoxes, "b  boxes: outline bodies (fighters cyan, props yellow) and pending attacks\n"
                         "     (hit box magenta, attacker's foot line green, victims' orange); with\n"
                         "     --arcade also where a grab reaches (blue), where a held body is kept\n"
                         "     (violet square) and where an item is picked up from (red)"},
    {kKeyP, togglePause, "p  pause or resume the tick"},
    {kKeyN, stepOneTick, "n  run one tick while paused (pauses a running stage); after a step back,\n"
                         "     the tick that followed, on the same inputs"},
    {kKeyBackspace, pauseToStepBack, "Backspace  held: pause and step back a tick a frame, up to 10 seconds\n"
                                     "     (less on a crowded stage: the kept worlds take at most 32 MB)"},
    {kKeyS, toggleSlow, "s  quarter speed on or off"},
    {kKeyI, toggleReadout, "i  readout lines: the tick shown (and the oldest a step back reaches),\n"
                           "     player 1 and the entity nearest the mouse (name, animation,\n"
                           "     script line, frame, hit points, AI state and timer)"},
    {kKeyR, requestReload, "r  reload the stage's scripts, frame lists, offsets and stage file from\n"
                           "     disk and start the stage again"},
};
const int kWorkbenchKeyCount = sizeof kWorkbenchKeys / sizeof kWorkbenchKeys[0];

void applyWorkbenchKeys() {
  for (const WorkbenchKey& key : kWorkbenchKeys)
    if (isPressed(key.code)) key.apply();
}

bool tickRunsThisFrame() {
  if (workbench.paused == 1) {
    const bool step = workbench.stepPending == 1;
    workbench.stepPending = 0;
    return step;
  }
  return workbench.quarterSpeed == 0 || workbench.frameCount % kSlowFrames == 0;
}

void notePendingAttacks() {
  shownAttackCount = 0;
  for (int a = 0; a <= lastEntity && shownAttackCount < kMostShownAttacks; ++a) {
    if (entities[a].alive != 1 || entities[a].attackPending != 1) continue;
    shownAttacks[shownAttackCount].attacker = a;
    shownAttacks[shownAttackCount].box = attackHitBox(a);
    ++shownAttackCount;
  }
}

void notePendingAttacksBeforeHits(TickPhase next) {
  if (next == kTickAttacks) notePendingAttacks();
}

void restartStage() {
  // A knocked-down player would otherwise carry over into a stage that the game only ever
  // starts once; the stage start empties the rest of the world.
  setPlayerDefaults();
  shownAttackCount = 0;
  forgetRewind();
  startPlaystage();
  enterStage();
}

void enterWorkbenchStage() {
  forgetRewind();
  startPlaystage();
  enterStage();
}

bool workbenchStageFrame() {
  pollInput();
  buildPlayerCommands();
  // The game quits on Escape only inside a running tick; a paused bench must quit as well.
  if (isHeld(kKeyEscape)) endProgram();
  applyWorkbenchKeys();
  if (workbench.reloadPending == 1) {
    workbench.reloadPending = 0;
    restartStage();
  }
  if (isHeld(kKeyBackspace)) stepBackOneTick();
  const bool ticks = tickRunsThisFrame();
  if (ticks) {
    prepareRewindableTick();
    simulateTick(notePendingAttacksBeforeHits);
  }
  drawStageScene();
  drawHud();
  if (ticks) fadeIn();
  else drawFadeCover();
  if (workbench.showBoxes == 1) drawBoxOverlay();
  if (workbench.showReadout == 1) drawReadoutLines();
  ++workbench.frameCount;
  presentFrame();
  return true;
}
