// The stage's boss in the arcade: its name on a card when it first comes into view, and its
// health under the players' panels until it falls. Which type is a boss is the content's to
// say (content/boss.h).
#include "arcade/arcade.h"

#include "base/numbers.h"
#include "content/boss.h"
#include "render/font_text.h"
#include "render/stage_scene.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"

namespace {

constexpr int32_t kCardTicks = 118;  // about two seconds
constexpr int32_t kCardY = 200;
constexpr int32_t kCardScale = 2;
constexpr int32_t kCardPlateMargin = 10;  // the name is 80 rows tall at its scale
constexpr int32_t kCardPlateHeight = 100;
constexpr double kPlateTransparency = 0.5;
// Under the players' panels (rows 10 to 90): a plate with the name over the bar.
constexpr int32_t kBarPlateX = 10, kBarPlateY = 96, kBarPlateWidth = 525, kBarPlateHeight = 72;
constexpr int32_t kBarNameX = 31, kBarNameY = 100;
constexpr int32_t kBarX = 31, kBarY = 146, kBarHeight = 14;
constexpr double kBarFullLength = 480.0;

bool bossStanding() {
  if (arcade.boss < 0 || arcade.boss >= kEntityCount) return false;
  const Entity& b = entities[arcade.boss];
  return b.alive == 1 && b.hp > 0;
}

// Any part of its body within the view.
bool bossInView() {
  const Entity& b = entities[arcade.boss];
  const int64_t half = roundToInt(entitySprites[arcade.boss].bodyWidth) / 2;
  return int64_t{b.x} + half >= cameraX && int64_t{b.x} - half <= int64_t{cameraX} + screenWidth;
}

void drawCard() {
  drawInterfaceFrame(kInterfacePanelFrame, 0, kCardY - kCardPlateMargin, screenWidth, kCardPlateHeight,
                     kPlateTransparency);
  drawFontTextCentred(arcade.bossName, screenWidth / 2, kCardY, kCardScale, 0.0);
}

void drawBar() {
  const Entity& b = entities[arcade.boss];
  drawInterfaceFrame(kInterfacePanelFrame, kBarPlateX, kBarPlateY, kBarPlateWidth, kBarPlateHeight,
                     kPlateTransparency);
  drawFontText(arcade.bossName, kBarNameX, kBarNameY, 1, 0.0);
  if (b.maxHp <= 0) return;
  const int32_t length = roundToInt(b.hp / b.maxHp * kBarFullLength);
  if (length > 0) drawInterfaceFrame(kInterfaceHealthFrame, kBarX, kBarY, length, kBarHeight, 0.0);
}

}  // namespace

void findStageBoss() {
  arcade.boss = -1;
  arcade.bossSeen = 0;
  arcade.bossCardTicks = 0;
  arcade.bossName.clear();
  for (int e = playerCount; e <= lastEntity && e < kEntityCount; ++e) {
    if (entities[e].alive != 1 || entities[e].kind != kKindFighter) continue;
    const std::string name = bossNameOf(entitySprites[e].script);
    if (name.empty()) continue;
    arcade.boss = e;
    arcade.bossName = name;
    return;
  }
}

void watchStageBoss() {
  if (arcade.bossCardTicks > 0) --arcade.bossCardTicks;
  if (arcade.bossSeen == 1 || !bossStanding() || !bossInView()) return;
  arcade.bossSeen = 1;
  arcade.bossCardTicks = kCardTicks;
}

void drawStageBoss() {
  if (arcade.bossSeen != 1) return;
  if (arcade.bossCardTicks > 0) drawCard();
  if (bossStanding()) drawBar();
}
