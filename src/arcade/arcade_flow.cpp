// The arcade's flow: title, character select, map, stage and the end, one frame at a time.
#include "arcade/arcade.h"

#include <cstdio>

#include "audio/sound.h"
#include "render/draw.h"
#include "render/font_text.h"
#include "render/stage_scene.h"
#include "screens/character_select.h"
#include "screens/main_menu.h"
#include "screens/overworld.h"
#include "screens/screens.h"
#include "shell/game_start.h"
#include "sim/game_state.h"
#include "shell/input.h"
#include "shell/settings.h"
#include "platform/platform.h"
#include "shell/window.h"
#include "sim/entity.h"

ArcadeState arcade;

namespace {

// The menu sheet's whole picture, and its greyed plate for the continue entry under it.
constexpr int kMenuPictureFrame = 5;
constexpr int kGreyedContinueFrame = 6;
// The end screen stays this long, and can be passed over after the first second of it.
constexpr int32_t kEndTicks = 300;
constexpr int32_t kEndSkippableAfter = 60;
constexpr int32_t kEndTitleY = 320;
constexpr int32_t kEndTitleScale = 3;

void greyContinue() {
  const bool open = anyStageCleared();
  mainMenu.menuItems[kEntryContinue].frame = open ? kEntryContinue : kGreyedContinueFrame;
}

// The highlight never rests on a greyed entry: it moves on past it the way it was going.
void skipGreyedEntry(int32_t before) {
  if (anyStageCleared() || mainMenu.cursor != kEntryContinue) return;
  mainMenu.cursor = before == kEntryTwoPlayers ? kEntryQuit : kEntryTwoPlayers;
  mainMenu.phase = kMenuChoosing;  // Return in the same frame chose nothing
}

void chooseFromTitle() {
  switch (mainMenu.cursor) {
    case kEntryOnePlayer:
    case kEntryTwoPlayers:
      startNewGame(mainMenu.cursor == kEntryOnePlayer ? 1 : 2);
      goToSelect();
      break;
    case kEntryContinue:
      goToMap();
      break;
    default:
      arcade.quit = 1;
  }
}

bool anyPlayerPressed(const int32_t* binding) {
  for (int p = 0; p < arcade.players && p < kBindPlayers; ++p)
    if (isPressed(binding[p])) return true;
  return false;
}

struct ArcadeScreenStep {
  int32_t screen;
  bool (*frame)();
};
const ArcadeScreenStep kScreenSteps[] = {
    {kArcadeTitle, titleFrame}, {kArcadeSelect, selectFrame}, {kArcadeMap, mapFrame},
    {kArcadeStage, stageFrame}, {kArcadeEnd, endFrame},
};

}  // namespace

bool readArcadeArguments(int argc, char** argv) {
  settingsPath = defaultSettingsPath();
  for (int a = 1; a < argc; ++a) {
    const std::string arg = argv[a];
    if (arg == "--settings" && a + 1 < argc) {
      settingsPath = argv[++a];
      continue;
    }
    std::fprintf(stderr, "usage: brawler-arcade [--settings FILE]\n"
                         "FILE keeps the controls, the window and the volumes (%s when left out).\n",
                 defaultSettingsPath().empty() ? "not kept" : defaultSettingsPath().c_str());
    return false;
  }
  return true;
}

void announceScreen(const std::string& what) {
  std::printf("arcade: %s\n", what.c_str());
  std::fflush(stdout);
}

void goToTitle() {
  arcade.screen = kArcadeTitle;
  screenState = kScreenMainMenu;
  fadeOutMusic();  // a stage left through the pause or a game over still plays its music
  enterMainMenu();
  greyContinue();
  announceScreen("title");
}

// The menu draws its entries on black; the title puts the sheet's picture behind them.
void drawTitlePicture() {
  drawParams.x = 0;
  drawParams.y = 0;
  drawParams.autoSize = 1;
  drawParams.frame = kMenuPictureFrame;
  drawParams.transparency = 0.0;
  drawFrame(mainMenu.menuItems[0].frames);
}

bool titleFrame() {
  const int32_t before = mainMenu.cursor;
  drawTitlePicture();
  const bool open = mainMenuFrame();
  if (open) {
    skipGreyedEntry(before);
    return true;
  }
  chooseFromTitle();
  return arcade.quit == 0;
}

void goToSelect() {
  arcade.screen = kArcadeSelect;
  playerCount = arcade.players;
  screenState = kScreenCharacterSelect;
  enterCharacterSelect();
  announceScreen("select");
}

bool selectFrame() {
  characterSelectFrame();
  if (screenState == kScreenOverworld) {
    goToMap();
  } else if (isPressed(kKeyEscape)) {
    giveBackInterfaceSheet();
    goToTitle();
  }
  return true;
}

void goToMap() {
  arcade.screen = kArcadeMap;
  playerCount = arcade.players;
  screenState = kScreenOverworld;
  enterOverworld();
  prepareMap(overworld);
  announceScreen("map");
}

bool mapFrame() {
  overworldFrame();
  if (screenState == kScreenPlaystage)
    goToStage();
  else if (isPressed(kKeyEscape))
    goToTitle();
  return true;
}

void goToEnd() {
  arcade.screen = kArcadeEnd;
  announceScreen("the end");
  arcade.phaseTicks = 0;
}

bool endFrame() {
  pollInput();
  ++arcade.phaseTicks;
  drawScreenCover(0.0);
  drawFontTextCentred("THE END", screenWidth / 2, kEndTitleY, kEndTitleScale, 0.0);
  presentFrame();
  const bool skipped = arcade.phaseTicks > kEndSkippableAfter &&
                       (isPressed(kKeyReturn) || anyPlayerPressed(bindAttack));
  if (skipped || arcade.phaseTicks >= kEndTicks) goToTitle();
  return true;
}

void enterArcade() {
  arcade = ArcadeState{};
  gameRules.friendlyFire = 0;
  gameRules.quitKeysEndProgram = 0;
  gameRules.portraitFollowsMover = 1;
  usePlayerSettings();
  windowCloseRequested = 0;
  goToTitle();
}

bool arcadeFrame() {
  for (const ArcadeScreenStep& s : kScreenSteps)
    if (s.screen == arcade.screen) {
      if (!s.frame()) return false;
      break;
    }
  followWindowRequests();
  return windowCloseRequested == 0;
}

int arcadeMain(int argc, char** argv) {
  if (!readArcadeArguments(argc, argv)) return kArcadeUsageStatus;
  startUp(monotonicSeconds());
  enterArcade();
  while (arcadeFrame()) {
  }
  endProgram();
}
