// The character select screen: each player picks one of four boxes, confirming with a flash.
#include "screens/character_select.h"

#include <algorithm>

#include "content/pack_layout.h"
#include "content/text_file.h"
#include "content/texture.h"
#include "render/draw.h"
#include "render/stage_scene.h"
#include "screens/screens.h"
#include "shell/input.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"

Texture portraitTextures[kPortraitTextures];
CharacterSelectState characterSelect;

namespace {


enum MenuFrame { kCursorBoxFrame = 0, kLowerBandFrame = 1, kFlashFrame = 2, kSelectBoxFrame = 3, kDividerFrame = 4 };

constexpr int32_t kRowX = 225;
constexpr int32_t kRowStep = 125;
constexpr int32_t kRowY = 625;
constexpr int32_t kCursorY = 623;
constexpr int32_t kLowerBandY = 460;
constexpr int32_t kDividerY = 450;
constexpr int32_t kDividerHeight = 10;
constexpr int32_t kSlideDistance = 300;
constexpr int32_t kSlideStep = 25;
constexpr double kSlideFadeStep = 0.1;
constexpr double kPulseStep = 0.025;
constexpr double kPulseHigh = 1.0;
constexpr double kPulseLow = 0.5;
constexpr double kFlashStep = 0.013;

int selectPlayers() { return std::clamp<int>(playerCount, 0, kSelectPlayers); }

void startSlide(int p) {
  CharacterSelectState& s = characterSelect;
  SpriteSet& portrait = portraitSprites[p];
  portrait.x = s.side[p] == 0 ? s.homeX[p] - kSlideDistance : s.homeX[p] + kSlideDistance;
  s.sliding[p] = 1;
  portrait.transparency = 1.0;
}

// Only portrait 0 is drawn; when it follows the last mover, that player's move slides it in.
void moved(int p) {
  characterSelect.lastMover = p;
  startSlide(p);
  if (gameRules.portraitFollowsMover == 1 && p != 0) startSlide(0);
}

void readPlayer(int p) {
  CharacterSelectState& s = characterSelect;
  if (isPressed(bindLeft[p])) {
    s.cursor[p] = s.cursor[p] == 0 ? kSelectBoxes - 1 : s.cursor[p] - 1;
    moved(p);
  }
  if (isPressed(bindRight[p])) {
    s.cursor[p] = s.cursor[p] == kSelectBoxes - 1 ? 0 : s.cursor[p] + 1;
    moved(p);
  }
  if (isPressed(bindJump[p])) {
    s.confirmed[p] = 1;
    s.flash = 0.0;
    const std::string& fighter = s.boxFighter[s.cursor[p]];
    if (!fighter.empty()) entities[p].name = fighter;
  }
}

void stepPulse() {
  CharacterSelectState& s = characterSelect;
  s.pulse += s.pulseRising == 0 ? kPulseStep : -kPulseStep;
  if (s.pulse >= kPulseHigh) s.pulseRising = 1;
  if (s.pulse <= kPulseLow) s.pulseRising = 0;
}

void slidePortrait(int k) {
  CharacterSelectState& s = characterSelect;
  SpriteSet& portrait = portraitSprites[k];
  portrait.transparency = std::max(0.0, portrait.transparency - kSlideFadeStep);
  bool fromLeft = s.side[k] == 0;
  portrait.x += fromLeft ? kSlideStep : -kSlideStep;
  bool passed = fromLeft ? portrait.x > s.homeX[k] : portrait.x < s.homeX[k];
  if (passed) {
    portrait.x = s.homeX[k];
    s.sliding[k] = 0;
  }
}

void drawMenuFrame(int frame, int32_t x, int32_t y) {
  drawParams.frame = frame;
  drawParams.x = x;
  drawParams.y = y;
  drawFrame(characterSelect.menuFrames);
}

void drawStretched(int frame, int32_t x, int32_t y, int32_t height) {
  drawParams.autoSize = 0;
  drawParams.width = screenWidth;
  drawParams.height = height;
  drawMenuFrame(frame, x, y);
}

// Later draws keep whatever an earlier one left in drawParams unless they set it.
void drawBoxes() {
  CharacterSelectState& s = characterSelect;
  drawParams.transparency = 0.0;
  drawStretched(kLowerBandFrame, 0, kLowerBandY, screenHeight);
  drawStretched(kDividerFrame, 0, kDividerY, kDividerHeight);
  drawParams.autoSize = 1;
  for (int k = 0; k < kSelectBoxes; ++k) drawMenuFrame(kSelectBoxFrame, kRowX + kRowStep * k, kRowY);
  for (int p = 0; p < selectPlayers(); ++p) {
    drawParams.transparency = s.confirmed[p] == 1 ? 0.0 : s.pulse;
    drawMenuFrame(kCursorBoxFrame, kRowX + kRowStep * s.cursor[p], kCursorY);
  }
}

void stepFlash() {
  CharacterSelectState& s = characterSelect;
  if (s.flash < 1.0) s.flash += kFlashStep;
  if (s.flash > 1.0) s.flash = 1.0;
  drawParams.transparency = s.flash;
  drawStretched(kFlashFrame, 0, 0, screenHeight);
}

bool everyoneConfirmed() {
  for (int p = 0; p < selectPlayers(); ++p)
    if (characterSelect.confirmed[p] != 1) return false;
  return selectPlayers() > 0;
}

void leaveForOverworld() {
  giveBackInterfaceSheet();
  screenState = kScreenOverworld;
}

}  // namespace

// The screen borrowed the interface sheet's texture; the overworld's fade and the stage's
// panels need the global sheet back.
void giveBackInterfaceSheet() { loadTextureRGBA(kInterfaceImage, interfaceTextures[0]); }

int32_t selectBoxAt(int32_t x, int32_t y) {
  const Frame& box = characterSelect.menuFrames.frame[kSelectBoxFrame];
  const double width = box.x2 - box.x1, height = box.y2 - box.y1;
  for (int k = 0; k < kSelectBoxes; ++k) {
    const int32_t left = kRowX + kRowStep * k;
    if (x >= left && x < left + width && y >= kRowY && y < kRowY + height) return k;
  }
  return -1;
}

void pointCursorAt(int p, int32_t box) {
  if (p < 0 || p >= kSelectPlayers || box < 0 || box >= kSelectBoxes || characterSelect.cursor[p] == box) return;
  characterSelect.cursor[p] = box;
  moved(p);
}

void enterCharacterSelect() {
  CharacterSelectState& s = characterSelect;
  // The texture record survives the reset so that reloading into it frees the old sheet.
  Texture sheet = s.menuTexture;
  s = CharacterSelectState{};
  s.menuTexture = sheet;
  s.homeX[0] = -50;
  s.homeY[0] = 10;
  for (int p = 0; p < kSelectPlayers; ++p) s.side[p] = p % 2;
  s.pulse = 0.0;
  s.flash = 1.0;

  loadTextureRGBA(kSelectBackgroundImage, interfaceTextures[0]);
  loadTextureRGBA(kSelectBoxesImage, s.menuTexture);
  loadFrameList(s.menuFrames, s.menuTexture, kSelectBoxesFrames);
  loadTextureRGBA(kPortraitsImage, portraitTextures[0]);
  for (int k = 0; k < kSelectPlayers; ++k) {
    loadFrameList(portraitSprites[k].frames, portraitTextures[0], kPortraitsFrames);
    portraitSprites[k].autoSize = 1;
    portraitSprites[k].x = s.homeX[k];
    portraitSprites[k].y = s.homeY[k];
  }
  readLines(kRosterFile, s.rosterLines);
  readRoster(s);
}

bool characterSelectFrame() {
  CharacterSelectState& s = characterSelect;
  pollInput();
  if (gameRules.quitKeysEndProgram == 1 && isPressed(kKeyReturn)) endProgram();
  for (int p = 0; p < selectPlayers(); ++p) readPlayer(p);
  portraitSprites[0].frame = gameRules.portraitFollowsMover == 1 ? s.cursor[s.lastMover] : 0;
  stepPulse();
  for (int k = 0; k < kSelectPlayers; ++k)
    if (s.sliding[k] == 1) slidePortrait(k);
  drawSprite(portraitSprites[0]);
  drawBoxes();
  stepFlash();
  if (everyoneConfirmed() && s.flash >= 1.0) leaveForOverworld();
  presentFrame();
  return screenState == kScreenCharacterSelect;
}

void runCharacterSelect() {
  enterCharacterSelect();
  while (screenState == kScreenCharacterSelect && characterSelectFrame()) {
  }
}
