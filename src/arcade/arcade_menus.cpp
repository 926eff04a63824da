// The arcade's screens around the stages: the title, character select, the map and the end.
#include "arcade/arcade.h"
#include "arcade/score.h"
#include "audio/sound.h"
#include "base/game_version.h"
#include "platform/platform.h"
#include "render/draw.h"
#include "render/font_text.h"
#include "render/stage_scene.h"
#include "screens/character_select.h"
#include "screens/main_menu.h"
#include "screens/options.h"
#include "screens/overworld.h"
#include "shell/input.h"
#include "shell/screen_state.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"

namespace {

// The menu sheet's whole picture, and its greyed plate for the continue entry under it.
constexpr int kMenuPictureFrame = 5;
constexpr int kGreyedContinueFrame = 6;
// The end screen stays this long, and can be passed over after the first second of it.
constexpr int32_t kEndTicks = 300;
constexpr int32_t kEndSkippableAfter = 60;
constexpr int32_t kEndTitleY = 320;
constexpr int32_t kEndTitleScale = 3;
// OPTIONS and ONLINE sit side by side in the open space above the sheet's plates.
constexpr int32_t kOptionsEntryCentreX = 300;
constexpr int32_t kOnlineEntryCentreX = 724;
constexpr int32_t kOptionsEntryY = 90;
constexpr int32_t kOptionsEntryScale = 2;
constexpr int32_t kVersionScale = 1;
constexpr int32_t kVersionMargin = 8;
constexpr double kVersionTransparency = kUnchosenEntryTransparency;

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
      arcade.nextScreen = kArcadeSelect;
      break;
    case kEntryContinue:
      continueFromTitle(arcade.players);
      arcade.nextScreen = kArcadeMap;
      break;
    case kEntryOptions:
      arcade.nextScreen = kArcadeOptions;
      break;
    case kEntryOnline:
      arcade.nextScreen = kArcadeOnline;
      break;
    default:
      arcade.quit = 1;
  }
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

// The release, small in the bottom right corner, for whoever reports a fault from a screenshot.
void drawVersion() {
  const std::string text = std::string("V") + gameVersion();
  drawFontText(text, screenWidth - kVersionMargin - fontTextWidth(text, kVersionScale),
               screenHeight - kVersionMargin - fontTextHeight(text, kVersionScale), kVersionScale,
               kVersionTransparency);
}

// The title's entries written in the font, side by side above the sheet's plates.
struct FontEntry {
  int32_t entry;
  const char* name;
  int32_t centreX;
};
constexpr FontEntry kFontEntries[] = {
    {kEntryOptions, "OPTIONS", kOptionsEntryCentreX},
    {kEntryOnline, "ONLINE", kOnlineEntryCentreX},
};

bool shownOnTitle(const FontEntry& e) {
  return e.entry != kEntryOnline || mainMenu.addedEntries > kEntryOnline - kMenuEntries;
}
// The chosen form is the wider: the whole of it answers a pointer.
std::string chosenForm(const FontEntry& e) { return std::string("> ") + e.name + " <"; }

void drawFontEntries() {
  for (const FontEntry& e : kFontEntries) {
    if (!shownOnTitle(e)) continue;
    const bool chosen = mainMenu.cursor == e.entry && mainMenu.phase == kMenuChoosing;
    drawFontTextCentred(chosen ? chosenForm(e) : e.name, e.centreX, kOptionsEntryY, kOptionsEntryScale,
                        chosen ? 0.0 : kUnchosenEntryTransparency);
  }
}

}  // namespace

int32_t titleFontEntryAt(int32_t x, int32_t y) {
  for (const FontEntry& e : kFontEntries) {
    if (!shownOnTitle(e)) continue;
    const int32_t half = fontTextWidth(chosenForm(e), kOptionsEntryScale) / 2;
    const int32_t height = fontTextHeight(chosenForm(e), kOptionsEntryScale);
    if (x >= e.centreX - half && x < e.centreX + half && y >= kOptionsEntryY && y < kOptionsEntryY + height)
      return e.entry;
  }
  return -1;
}

std::string titleEntry() {
  screenState = kScreenMainMenu;
  fadeOutMusic();  // a stage left through the pause or a game over still plays its music
  enterMainMenu();
  // OPTIONS, and ONLINE where this build can go online.
  mainMenu.addedEntries = arcadeScreenOffered(kArcadeOnline) ? 2 : 1;
  greyContinue();
  arcade.idleTicks = 0;
  return "title";
}

bool titleFrame() {
  const int32_t before = mainMenu.cursor;
  drawTitlePicture();
  drawFontEntries();
  drawVersion();
  const bool open = mainMenuFrame();
  if (open) {
    skipGreyedEntry(before);
    countTitleIdle();
    return true;
  }
  chooseFromTitle();
  return arcade.quit == 0;
}

std::string selectEntry() {
  playerCount = arcade.players;
  screenState = kScreenCharacterSelect;
  enterCharacterSelect();
  return "select";
}

bool selectFrame() {
  characterSelectFrame();
  if (screenState == kScreenOverworld) {
    arcade.nextScreen = kArcadeMap;
  } else if (isPressed(kKeyEscape)) {
    giveBackInterfaceSheet();
    arcade.nextScreen = kArcadeTitle;
  }
  return true;
}

std::string mapEntry() {
  playerCount = arcade.players;
  screenState = kScreenOverworld;
  enterOverworld();
  prepareMap(overworld);
  return "map";
}

bool mapFrame() {
  overworldFrame();
  if (screenState == kScreenPlaystage)
    arcade.nextScreen = kArcadeStage;
  else if (isPressed(kKeyEscape))
    arcade.nextScreen = kArcadeTitle;
  return true;
}

std::string optionsEntry() {
  enterOptions();
  return "options";
}

bool optionsScreenFrame() {
  if (!optionsFrame()) arcade.nextScreen = kArcadeTitle;
  return true;
}

std::string endEntry() {
  arcade.phaseTicks = 0;
  return "the end";
}

bool endFrame() {
  pollInput();
  buildPlayerCommands();
  ++arcade.phaseTicks;
  drawScreenCover(0.0);
  drawFontTextCentred("THE END", screenWidth / 2, kEndTitleY, kEndTitleScale, 0.0);
  presentFrame();
  const bool skipped = arcade.phaseTicks > kEndSkippableAfter &&
                       (playerCommands[0].confirmPressed != 0 || anyPlayerPressed(kActionAttack));
  if (skipped || arcade.phaseTicks >= kEndTicks) arcade.nextScreen = endOfRun(kArcadeTitle);
  return true;
}
