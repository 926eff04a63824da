// The main menu: player 1 moves a pulsing highlight over four entries; Return fades it out.
#include "screens/main_menu.h"

#include "content/pack_layout.h"
#include "content/texture.h"
#include "render/draw.h"
#include "render/stage_scene.h"
#include "screens/screens.h"
#include "shell/input.h"
#include "shell/window.h"

MainMenuState mainMenu;
SpriteSet fadeLayer;

namespace {


constexpr double kMenuX = 20.0;
constexpr double kMenuTop = 200.0;
constexpr double kMenuStep = 144.0;
constexpr double kPulseStep = 0.02;
constexpr double kPulseLow = 0.25;
constexpr double kPulseHigh = 0.75;
constexpr double kCloseFadeStep = 0.01;

double entryY(int32_t k) { return kMenuTop + kMenuStep * k; }

void stepPulse() {
  mainMenu.pulse += mainMenu.pulseRising == 0 ? -kPulseStep : kPulseStep;
  if (mainMenu.pulse < kPulseLow) mainMenu.pulseRising = 1;
  if (mainMenu.pulse > kPulseHigh) mainMenu.pulseRising = 0;
}

void drawEntries() {
  for (int k = 0; k < kMenuEntries; ++k) drawSprite(mainMenu.menuItems[k]);
}

// Frame 0 of the layer is the interface sheet's fade frame, so the layer can be drawn with
// frame 0 whatever sheet it comes from.
void buildFadeLayer() {
  const FrameList& sheet = interfaceSprites[0].frames;
  FrameList& f = fadeLayer.frames;
  f.frame[0].texture = sheet.frame[kInterfaceFadeFrame].texture;
  f.frame[0].x1 = sheet.frame[kInterfaceFadeFrame].x1;
  f.frame[0].x2 = sheet.frame[kInterfaceFadeFrame].x2;
  f.frame[0].y1 = sheet.frame[kInterfaceFadeFrame].y1;
  f.frame[0].y2 = sheet.frame[kInterfaceFadeFrame].y2;
  f.offsetX[0] = 0.0;
  f.offsetY[0] = 0.0;
  f.count = 1;
}

void moveCursor() {
  const int32_t last = kMenuEntries - 1 + mainMenu.addedEntries;
  if (isPressed(bindDown[0])) mainMenu.cursor = mainMenu.cursor == last ? 0 : mainMenu.cursor + 1;
  if (isPressed(bindUp[0])) mainMenu.cursor = mainMenu.cursor == 0 ? last : mainMenu.cursor - 1;
}

void choose() {
  stepPulse();
  drawEntries();
  moveCursor();
  if (isPressed(kKeyReturn)) {
    mainMenu.phase = kMenuClosing;
    fadeLayer.x = 0.0;
    fadeLayer.y = 0.0;
    mainMenu.fade = 0.0;
  }
  // An added entry is drawn, highlight and all, by whoever added it.
  if (mainMenu.cursor >= kMenuEntries) return;
  SpriteSet& highlight = mainMenu.menuItems[kMenuHighlight];
  highlight.y = entryY(mainMenu.cursor);
  highlight.transparency = mainMenu.pulse;
  drawSprite(highlight);
}

// The menu closing: its entries under the fade layer, one fade step a frame. Returns false
// once the layer has cleared.
bool closeMenuBehindFade() {
  drawEntries();
  mainMenu.fade += kCloseFadeStep;
  // Stretched rather than drawn at its own size: the fade frame is a small swatch.
  fadeLayer.autoSize = 0;
  fadeLayer.width = screenWidth;
  fadeLayer.height = screenHeight;
  fadeLayer.frame = 0;
  fadeLayer.transparency = mainMenu.fade;
  drawSprite(fadeLayer);
  return mainMenu.fade < 1.0;
}

}  // namespace

void enterMainMenu() {
  // The texture record survives the reset so that reloading into it frees the old picture.
  Texture picture = mainMenu.menuTexture;
  mainMenu = MainMenuState{};
  mainMenu.menuTexture = picture;
  mainMenu.pulse = 1.0;
  mainMenu.pulseRising = 0;
  loadTextureRGB(kMainMenuImage, mainMenu.menuTexture);
  for (int k = 0; k <= kMenuHighlight; ++k) {
    SpriteSet& item = mainMenu.menuItems[k];
    item.autoSize = 1;
    loadFrameList(item.frames, mainMenu.menuTexture, kMainMenuFrames);
    item.x = kMenuX;
    item.y = entryY(k);
    item.frame = k;
  }
  buildFadeLayer();
  mainMenu.phase = kMenuChoosing;
}

int32_t mainMenuEntryAt(int32_t x, int32_t y) {
  for (int k = 0; k < kMenuEntries; ++k) {
    const SpriteSet& entry = mainMenu.menuItems[k];
    const Frame& plate = entry.frames.frame[entry.frame];
    const double left = entry.x + entry.frames.offsetX[entry.frame];
    const double top = entry.y + entry.frames.offsetY[entry.frame];
    if (x >= left && x < left + (plate.x2 - plate.x1) && y >= top && y < top + (plate.y2 - plate.y1)) return k;
  }
  return -1;
}

bool mainMenuFrame() {
  pollInput();
  if (mainMenu.phase == kMenuChoosing) {
    choose();
  } else if (mainMenu.phase == kMenuClosing) {
    if (!closeMenuBehindFade()) return false;
  }
  presentFrame();
  return true;
}

void runMainMenu() {
  enterMainMenu();
  while (mainMenuFrame()) {
  }
}
