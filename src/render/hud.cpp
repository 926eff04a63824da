// The heads-up display: per player a panel with health, power and third gauges.
#include "render/stage_scene.h"

#include "base/numbers.h"
#include "render/draw.h"
#include "sim/entity.h"

HudGauge hudGauges[kHudGauges];

namespace {

constexpr int kSpritesPerPlayer = 6;
constexpr int32_t kPanelSpacing = 275;
constexpr double kPanelTransparency = 0.5;
// A full gauge is one pixel short of this.
constexpr double kGaugeFullLength = 200.0;
// The third gauge fills at a sixth of the fighter's full health.
constexpr double kThirdGaugeShare = 6.0;
// Health shown drains towards the real value at this many points a frame.
constexpr double kShownHpDrain = 0.5;

enum HudSlot { kSlotPanel = 0, kSlotHealth = 1, kSlotPower = 2, kSlotThird = 3 };

struct Gauge {
  int slot;
  int32_t y;
  int frame;
  double height;
};
constexpr Gauge kHealthGauge{kSlotHealth, 20, kInterfaceHealthFrame, 25.0};
constexpr Gauge kPowerGauge{kSlotPower, 50, kInterfacePowerFrame, 15.0};
constexpr Gauge kThirdGauge{kSlotThird, 69, kInterfaceThirdFrame, 3.0};
constexpr int32_t kPanelX = 10, kPanelY = 10, kGaugeX = 21;

// Pixels of a gauge holding `value` of `full`. A fighter with no full value (a script that
// set its health to 0) has nothing to show rather than a gauge of undefined length.
int32_t gaugeLength(double value, double full) {
  if (full == 0.0) return 0;
  return roundToInt(value / full * kGaugeFullLength - 1.0);
}

void drawGauge(int firstSlot, int32_t baseX, const Gauge& gauge, int32_t length) {
  if (length <= 0) return;
  SpriteSet& sprite = interfaceSprites[firstSlot + gauge.slot];
  sprite.x = baseX + kGaugeX;
  sprite.y = gauge.y;
  sprite.frame = gauge.frame;
  sprite.autoSize = 0;
  sprite.width = length;
  sprite.height = gauge.height;
  drawSprite(sprite);
}

void drawPanel(int firstSlot, int32_t baseX) {
  SpriteSet& panel = interfaceSprites[firstSlot + kSlotPanel];
  panel.x = baseX + kPanelX;
  panel.y = kPanelY;
  panel.transparency = kPanelTransparency;
  panel.frame = kInterfacePanelFrame;
  drawSprite(panel);
}

// The health gauge shows last frame's value: the drain comes after its length is taken.
void drainShownHp(const Entity& fighter, HudGauge& gauges) {
  if (gauges.shownHp <= fighter.hp) return;
  gauges.shownHp -= kShownHpDrain;
  if (gauges.shownHp < fighter.hp) gauges.shownHp = fighter.hp;
}

void drawPlayerHud(int p) {
  const Entity& fighter = entities[p];
  HudGauge& gauges = hudGauges[p];
  const int firstSlot = kSpritesPerPlayer * p;
  const int32_t baseX = kPanelSpacing * p;

  drawPanel(firstSlot, baseX);
  const double thirdFull = fighter.maxHp / kThirdGaugeShare;
  if (gauges.gauge3 > thirdFull) gauges.gauge3 = thirdFull;
  const int32_t health = gaugeLength(gauges.shownHp, fighter.maxHp);
  const int32_t power = gaugeLength(fighter.power, fighter.maxPower);
  const int32_t third = gaugeLength(gauges.gauge3, thirdFull);
  drainShownHp(fighter, gauges);
  drawGauge(firstSlot, baseX, kHealthGauge, health);
  drawGauge(firstSlot, baseX, kPowerGauge, power);
  drawGauge(firstSlot, baseX, kThirdGauge, third);
}

}  // namespace

void drawHud() {
  // Each player's four sprites must fit the interface table.
  for (int p = 0; p < playerCount; ++p) {
    if (kSpritesPerPlayer * p + kSlotThird >= kInterfaceSprites || p >= kEntityCount) break;
    drawPlayerHud(p);
  }
}

void showFullHealth() {
  for (int e = 0; e <= lastEntity && e < kHudGauges; ++e) hudGauges[e].shownHp = entities[e].hp;
}
