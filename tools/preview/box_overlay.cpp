// The box overlay: where hits land (bodies), what the pending attacks strike, the foot lines
// that decide whether attacker and victim stand near enough in depth, and under the arcade's
// moves where a grab reaches, where a held body is kept and where an item can be taken.
#include <cstdint>

#include "content/sprite_set.h"
#include "platform/platform.h"
#include "sim/body.h"
#include "sim/combat.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/moves.h"
#include "workbench.h"

namespace {

struct Colour {
  unsigned char r, g, b;
};
// One colour per kind of outline; pure and saturated so they stand apart from painted content.
constexpr Colour kOutlineColours[kOverlayKinds] = {
    {0, 255, 255},  // fighter body: cyan
    {255, 255, 0},  // prop body: yellow
    {255, 0, 255},  // attack box: magenta
    {0, 255, 0},    // attacker's foot line: green
    {255, 128, 0},  // victim's foot line: orange
    {0, 0, 255},    // grab reach: blue
    {128, 0, 255},  // hold spot: violet
    {255, 0, 0},    // pick-up area: red
};
constexpr int32_t kLineWidth = 2;
// The hold spot is a foot point, not an area: a square this many pixels either side marks it.
constexpr int32_t kSpotHalfSide = 4;

// A one-texel texture per colour, made on first use: the seam draws textured quads only.
uint32_t colourTextures[kOverlayKinds];

}  // namespace

uint32_t overlayTexture(OverlayKind kind) {
  if (colourTextures[kind] != 0) return colourTextures[kind];
  DecodedImage texel;
  texel.width = 1;
  texel.height = 1;
  texel.bytesPerPixel = 4;
  texel.pitch = 4;
  const Colour& c = kOutlineColours[kind];
  texel.pixels = {c.r, c.g, c.b, 255};
  colourTextures[kind] = gfxCreateTexture(texel, true);
  return colourTextures[kind];
}

namespace {

// A filled rectangle in stage coordinates, placed by the camera as the scene places sprites.
void fillStageRect(OverlayKind kind, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  const double l = left - cameraX, t = top - cameraY, r = right - cameraX, b = bottom - cameraY;
  const QuadVertex corners[4] = {{l, t, 0, 0}, {r, t, 1, 0}, {r, b, 1, 1}, {l, b, 0, 1}};
  gfxDrawTexturedQuad(overlayTexture(kind), corners, 1.0);
}

void outline(OverlayKind kind, const Rect& box) {
  fillStageRect(kind, box.left, box.top, box.right + 1, box.top + kLineWidth);
  fillStageRect(kind, box.left, box.bottom + 1 - kLineWidth, box.right + 1, box.bottom + 1);
  fillStageRect(kind, box.left, box.top, box.left + kLineWidth, box.bottom + 1);
  fillStageRect(kind, box.right + 1 - kLineWidth, box.top, box.right + 1, box.bottom + 1);
}

void footLineAcross(OverlayKind kind, int e, int32_t left, int32_t right) {
  const int32_t y = roundedFootLine(e);
  fillStageRect(kind, left, y - kLineWidth / 2, right + 1, y + kLineWidth - kLineWidth / 2);
}

void drawMoveReaches() {
  for (int e = 0; e <= lastEntity; ++e) {
    Rect box;
    int32_t x, footY;
    if (grabReach(e, &box)) outline(kGrabReach, box);
    if (holdSpot(e, &x, &footY))
      fillStageRect(kHoldSpot, x - kSpotHalfSide, footY - kSpotHalfSide, x + kSpotHalfSide,
                    footY + kSpotHalfSide);
    if (pickUpArea(e, &box)) outline(kPickUpArea, box);
  }
}

void drawBodies() {
  for (int e = 0; e <= lastEntity; ++e) {
    if (entities[e].alive != 1) continue;
    if (entities[e].kind == kKindFighter) outline(kFighterBody, bodyHitBox(e));
    if (entities[e].kind == kKindObject) outline(kPropBody, bodyHitBox(e));
  }
}

// The victims drawn are those the box reaches across, whatever their depth: the two foot
// lines then show at a glance whether depth is what kept a hit from landing.
void drawAttack(const ShownAttack& attack) {
  outline(kAttackBox, attack.box);
  footLineAcross(kAttackerFoot, attack.attacker, attack.box.left, attack.box.right);
  for (int v = 0; v <= lastEntity; ++v) {
    if (v == attack.attacker || entities[v].alive != 1 || entities[v].kind == kKindEffect) continue;
    const Rect body = bodyHitBox(v);
    if (rectsOverlap(body, attack.box)) footLineAcross(kVictimFoot, v, body.left, body.right);
  }
}

}  // namespace

void drawBoxOverlay() {
  drawBodies();
  drawMoveReaches();
  for (int a = 0; a < shownAttackCount; ++a) drawAttack(shownAttacks[a]);
  gfxDisableTexturing();
}
