// Taps on the arcade's menus: a finger on an entry chooses it, the way the keys would. Each
// answer moves the screen's cursor to the entry and presses the codes that choose there, so the
// screen's own frame step does the choosing as it does for a key.
#include "arcade/arcade.h"
#include "screens/character_select.h"
#include "screens/main_menu.h"
#include "screens/overworld.h"
#include "shell/input.h"

namespace {

constexpr int16_t kDown = -1;
constexpr int kTapPlayer = 0;  // the touch screen is player 1's

int32_t titleEntryAt(const PictureTap& tap) {
  const int32_t entry = mainMenuEntryAt(tap.x, tap.y);
  if (entry >= 0) return entry;
  return titleOptionsAt(tap.x, tap.y) ? kEntryOptions : -1;
}

void tapTitle(const PictureTap& tap) {
  const int32_t entry = titleEntryAt(tap);
  if (entry < 0 || mainMenu.phase != kMenuChoosing) return;
  if (entry == kEntryContinue && !anyStageCleared()) return;  // greyed: nothing to choose
  mainMenu.cursor = entry;
  keyPressed[kKeyReturn] = kDown;
}

void tapSelect(const PictureTap& tap) {
  const int32_t box = selectBoxAt(tap.x, tap.y);
  if (box < 0 || characterSelect.confirmed[kTapPlayer] == 1) return;
  pointCursorAt(kTapPlayer, box);
  keyPressed[bindJump[kTapPlayer]] = kDown;
}

// The marker's own node chooses its stage; another node walks one step of the way towards it.
void tapMap(const PictureTap& tap) {
  const int32_t target = overworldNodeAt(overworld, tap.x, tap.y);
  if (target < 0 || overworld.markerMoving[kTapPlayer] != 0) return;
  const int32_t here = overworld.markerNode[kTapPlayer];
  const int32_t step = overworldStepTowards(overworld, here, target);
  if (step < 0) return;
  if (step == here) {
    keyHeld[bindAttack[kTapPlayer]] = kDown;
    return;
  }
  const int32_t ways[] = {overworld.nodeLeft[here], overworld.nodeRight[here], overworld.nodeUp[here],
                          overworld.nodeDown[here]};
  const int32_t* directions[] = {bindLeft, bindRight, bindUp, bindDown};
  for (int d = 0; d < 4; ++d) {
    if (ways[d] != step) continue;
    keyHeld[directions[d][kTapPlayer]] = kDown;
    return;
  }
}

// Screens that wait for any key (the attract mode's demo and table, THE END) take a tap anywhere
// as the key that confirms.
void tapAnywhere(const PictureTap&) { keyPressed[kKeyReturn] = kDown; }

struct ScreenTap {
  int32_t screen;
  void (*answer)(const PictureTap& tap);
};
// Screens not listed take no taps: their entries answer the touch screen's buttons.
constexpr ScreenTap kScreenTaps[] = {
    {kArcadeTitle, tapTitle},
    {kArcadeSelect, tapSelect},
    {kArcadeMap, tapMap},
    {kArcadeDemo, tapAnywhere},
    {kArcadeHighScores, tapAnywhere},
    {kArcadeEnd, tapAnywhere},
};

}  // namespace

void answerArcadeTap(const PictureTap& tap) {
  for (const ScreenTap& s : kScreenTaps)
    if (s.screen == arcade.screen) return s.answer(tap);
}
