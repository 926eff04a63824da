// The readout lines: what player 1 and the entity under the mouse are doing, in the game's own
// font, at the foot of the screen on a dark plate.
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/numbers.h"
#include "content/fighter_loader.h"
#include "render/draw.h"
#include "render/stage_scene.h"
#include "shell/input.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "workbench.h"

namespace {

// The font's glyphs are drawn for the menus' big captions; a line of facts needs half that.
constexpr double kGlyphScale = 0.5;
constexpr int32_t kLineLeft = 8;
constexpr int32_t kLineSpacing = 24;
// Two lines at the foot of the screen, clear of the heads-up display at its top.
constexpr int32_t kFirstLineTop = screenHeight - 2 * kLineSpacing - 8;
constexpr int32_t kLetterGap = 1;
// The plate dims the scene under the lines by half, so they read over any scenery.
constexpr int32_t kPlateMargin = 4;
constexpr double kPlateTransparency = 0.5;
constexpr int kFirstGlyph = 32;
constexpr int kLastGlyph = 126;

void drawText(const std::string& text, int32_t left, int32_t top) {
  int32_t x = left;
  for (unsigned char c : text) {
    const Frame& glyph = fontFrames.frame[c];
    const int32_t w = roundToInt((glyph.x2 - glyph.x1) * kGlyphScale);
    if (c >= kFirstGlyph && c <= kLastGlyph) {
      drawParams.x = x;
      drawParams.y = top;
      drawParams.frame = c;
      drawParams.autoSize = 0;
      drawParams.width = w;
      drawParams.height = roundToInt((glyph.y2 - glyph.y1) * kGlyphScale);
      drawParams.transparency = 0;
      drawFrame(fontFrames);
    }
    x += w + kLetterGap;
  }
}

// Players carry their fighter's name; everything placed or spawned is known by its type's.
const std::string& typeName(int e) {
  const Entity& entity = entities[e];
  if (!entity.name.empty() || entity.type < 0 || entity.type >= kTypeSlots) return entity.name.str();
  return typeNames[entity.type];
}

std::string describe(const char* who, int e) {
  const Entity& entity = entities[e];
  const SpriteSet& sprite = entitySprites[e];
  char line[256];
  std::snprintf(line, sizeof line, "%s #%d %s  %s  line %d  frame %d  hp %g  ai %d  timer %d", who,
                e, typeName(e).c_str(), sprite.animation.str().c_str(), sprite.scriptLine,
                sprite.frame, entity.hp, entity.aiState, entity.aiTimer);
  return line;
}

void drawPlate() {
  const int32_t top = kFirstLineTop - kPlateMargin;
  drawFrameOver(interfaceSprites[0].frames, kInterfaceFadeFrame, 0, top, screenWidth,
                screenHeight - top, kPlateTransparency);
}

}  // namespace

int nearestEntityTo(int32_t screenX, int32_t screenY) {
  const int64_t x = screenX + cameraX, y = screenY + cameraY;
  int nearest = -1;
  int64_t nearestSquare = 0;
  for (int e = 0; e <= lastEntity; ++e) {
    if (entities[e].alive != 1) continue;
    // Measured to the middle of the body as drawn, altitude included.
    const int64_t dx = entities[e].x - x;
    const int64_t dy = entities[e].y - entities[e].z + roundToInt(entitySprites[e].bodyHeight / 2) - y;
    const int64_t square = dx * dx + dy * dy;
    if (nearest < 0 || square < nearestSquare) {
      nearest = e;
      nearestSquare = square;
    }
  }
  return nearest;
}

void drawReadoutLines() {
  drawPlate();
  const std::string tick = "tick " + std::to_string(workbench.shownTick) + " (from " +
                           std::to_string(oldestKeptTick()) + ")";
  drawText(tick + "  " + describe("P1", 0), kLineLeft, kFirstLineTop);
  const int pointed = nearestEntityTo(pointerX, pointerY);
  if (pointed >= 0) drawText(describe("mouse", pointed), kLineLeft, kFirstLineTop + kLineSpacing);
}
