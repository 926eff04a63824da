// Taps on the arcade's menus: a finger on an entry chooses it, the way the keys would. Each
// answer moves the screen's cursor to the entry and presses the codes that choose there (player
// 1's bound actions, or a key where the screen reads the keyboard alone), so the screen's own
// frame step does the choosing as it does for a key.
#include "arcade/arcade.h"
#include "screens/character_select.h"
#include "screens/main_menu.h"
#include "screens/menu_taps.h"
#include "screens/options.h"
#include "screens/overworld.h"
#include "shell/bindings.h"
#include "shell/input.h"

namespace {

constexpr int16_t kDown = -1;
constexpr int kTapPlayer = 0;  // the touch screen is player 1's

void pressAction(int action) { keyPressed[boundActionCode(kTapPlayer, action)] = kDown; }

int32_t titleEntryAt(const PictureTap& tap) {
  const int32_t entry = mainMenuEntryAt(tap.x, tap.y);
  if (entry >= 0) return entry;
  return titleFontEntryAt(tap.x, tap.y);
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

// A row chosen and confirmed, as Return would. A binding being captured waits for a key or a
// pad control, which a finger is not: a tap cancels it, as Escape does.
void tapOptions(const PictureTap& tap) {
  if (options.capturing == 1) return pressKeyForTap(kKeyEscape);
  const int32_t row = optionsRowAt(tap.x, tap.y);
  if (row < 0) return;
  options.row = row;
  pressAction(kBoundAttack);
}

// The pause box's choices; out of the pause (playing, cleared) the picture takes no taps, and a
// game over's CONTINUE? takes one anywhere, as its attack would.
void tapStage(const PictureTap& tap) {
  if (arcade.phase == kPhaseGameOver) return pressAction(kBoundAttack);
  if (arcade.phase != kPhasePaused) return;
  const int32_t choice = pauseChoiceAt(tap.x, tap.y);
  if (choice < 0) return;
  arcade.pauseChoice = choice;
  pressAction(kBoundAttack);
}

void tapInitials(const PictureTap& tap) {
  switch (initialsTapAt(kTapPlayer, tap.x, tap.y)) {
    case kLetterTapUp: return pressAction(kBoundUp);
    case kLetterTapDown: return pressAction(kBoundDown);
    case kLetterTapNext: return pressAction(kBoundAttack);
    default: return;
  }
}

// Screens that wait for any key (the attract mode's demo and table, THE END) take a tap anywhere
// as the key that confirms.
void tapAnywhere(const PictureTap&) { keyPressed[kKeyReturn] = kDown; }

struct ScreenTap {
  int32_t screen;
  void (*answer)(const PictureTap& tap);
};
// Every screen answers taps; the online screens' answers come with their steps (offerArcadeTap).
ScreenTap screenTaps[] = {
    {kArcadeTitle, tapTitle},
    {kArcadeSelect, tapSelect},
    {kArcadeMap, tapMap},
    {kArcadeStage, tapStage},
    {kArcadeEnd, tapAnywhere},
    {kArcadeOptions, tapOptions},
    {kArcadeInitials, tapInitials},
    {kArcadeHighScores, tapAnywhere},
    {kArcadeDemo, tapAnywhere},
    {kArcadeOnline, nullptr},
    {kArcadeRoomCode, nullptr},
};

}  // namespace

void offerArcadeTap(int32_t screen, void (*answer)(const PictureTap& tap)) {
  for (ScreenTap& s : screenTaps)
    if (s.screen == screen) s.answer = answer;
}

void answerArcadeTap(const PictureTap& tap) {
  for (const ScreenTap& s : screenTaps)
    if (s.screen == arcade.screen && s.answer != nullptr) return s.answer(tap);
}
