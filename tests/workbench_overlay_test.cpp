// The workbench's box overlay under the arcade's moves, read back from the quads it records on
// the null platform: where a grab reaches, where a held body is kept, where an item is taken.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "recorded_quads.h"
#include "render/stage_scene.h"
#include "sim/game_state.h"
#include "sim/move_state.h"
#include "sim_support.h"
#include "workbench.h"

namespace {

// The outside edges of everything drawn in one kind's colour, in screen pixels.
struct Drawn {
  bool any;
  double left, top, right, bottom;
};

Drawn drawnIn(OverlayKind kind) {
  Drawn d{false, 0, 0, 0, 0};
  for (const RecordedQuad& q : quadsOf(overlayTexture(kind))) {
    const double l = quadLeft(q), t = quadTop(q), r = l + quadWidth(q), b = t + quadHeight(q);
    d = d.any ? Drawn{true, std::min(d.left, l), std::min(d.top, t), std::max(d.right, r),
                      std::max(d.bottom, b)}
              : Drawn{true, l, t, r, b};
  }
  return d;
}

// Fighters 60 wide and 150 tall standing at y 300: their foot line is 450.
constexpr int kFighterY = 300;

void facing(int e, int32_t f) { entities[e].facing = f; }

void holds(int holder, int held) {
  entities[holder].moves.grabRole = kGrabHolding;
  entities[holder].moves.grabPartner = held;
  entities[held].moves.grabRole = kGrabHeld;
  entities[held].moves.grabPartner = holder;
}

// An item lying with its foot line at 450.
void itemAt(int e, int x, int32_t kind) {
  Entity& item = entities[e];
  item.alive = 1;
  item.kind = kKindEffect;
  item.x = int16_t(x);
  item.y = 430;
  entitySprites[e].bodyHeight = 20;
  item.moves.itemKind = kind;
}

struct OverlayCase {
  const char* shows;
  bool arcadeRules;
  std::function<void()> place;
  OverlayKind kind;
  Drawn expected;
};

TEST(WorkbenchOverlay, ShowsTheMovesReachUnderTheArcadesRules) {
  const Drawn kNothing{false, 0, 0, 0, 0};
  const OverlayCase cases[] = {
      {"a player facing right reaches from its centre to its right edge, 15 either side of its feet",
       true, [] { simtest::placeFighter(0, 200, kFighterY); }, kGrabReach, {true, 200, 435, 231, 466}},
      {"a player facing left reaches to its left edge", true,
       [] { simtest::placeFighter(0, 200, kFighterY), facing(0, kFacingLeft); }, kGrabReach,
       {true, 170, 435, 201, 466}},
      {"under the game's own rules no one grabs, so no reach is drawn", false,
       [] { simtest::placeFighter(0, 200, kFighterY); }, kGrabReach, kNothing},
      {"an opponent that grabs players reaches across its whole body", true,
       [] { simtest::placeFighter(2, 500, kFighterY).moves.grabsPlayers = 1; }, kGrabReach,
       {true, 470, 435, 531, 466}},
      {"an opponent that does not grab shows no reach", true,
       [] { simtest::placeFighter(2, 500, kFighterY); }, kGrabReach, kNothing},
      {"a holder reaches for no one else", true,
       [] { simtest::placeFighter(0, 200, kFighterY), simtest::placeFighter(2, 246, kFighterY), holds(0, 2); },
       kGrabReach, kNothing},
      {"a holder facing right keeps the held one's feet 46 ahead on its own foot line", true,
       [] { simtest::placeFighter(0, 200, kFighterY), simtest::placeFighter(2, 246, kFighterY), holds(0, 2); },
       kHoldSpot, {true, 242, 446, 250, 454}},
      {"a holder facing left keeps them 46 behind its x", true,
       [] {
         simtest::placeFighter(0, 200, kFighterY), facing(0, kFacingLeft);
         simtest::placeFighter(2, 154, kFighterY), holds(0, 2);
       },
       kHoldSpot, {true, 150, 446, 158, 454}},
      {"a hold come apart (the held one gone) keeps no one", true,
       [] {
         simtest::placeFighter(0, 200, kFighterY), simtest::placeFighter(2, 246, kFighterY), holds(0, 2);
         entities[2].alive = 0;
       },
       kHoldSpot, kNothing},
      {"food is taken with the feet within 30 of its x and 20 of its foot line", true,
       [] { itemAt(3, 400, kItemFood); }, kPickUpArea, {true, 370, 430, 431, 471}},
      {"a pipe shows the same floor", true, [] { itemAt(3, 400, kItemPipe); }, kPickUpArea,
       {true, 370, 430, 431, 471}},
      {"the overlay follows the camera", true,
       [] { itemAt(3, 400, kItemKnife), cameraX = 100, cameraY = 10; }, kPickUpArea,
       {true, 270, 420, 331, 461}},
      {"an item taken is no longer drawn", true,
       [] { itemAt(3, 400, kItemFood), entities[3].alive = 0; }, kPickUpArea, kNothing},
      {"a prop that has dropped nothing has no pick-up floor", true,
       [] { itemAt(3, 400, kItemNone); }, kPickUpArea, kNothing},
  };
  const GameRules kept = gameRules;
  for (const OverlayCase& c : cases) {
    SCOPED_TRACE(c.shows);
    simtest::resetSim();
    gameRules = GameRules{};
    if (c.arcadeRules) applyArcadeHouseRules(gameRules);
    cameraX = cameraY = 0;
    shownAttackCount = 0;
    c.place();
    nullQuads.clear();
    drawBoxOverlay();
    const Drawn d = drawnIn(c.kind);
    EXPECT_EQ(d.any, c.expected.any);
    if (!d.any || !c.expected.any) continue;
    EXPECT_EQ(d.left, c.expected.left);
    EXPECT_EQ(d.top, c.expected.top);
    EXPECT_EQ(d.right, c.expected.right);
    EXPECT_EQ(d.bottom, c.expected.bottom);
  }
  gameRules = kept;
  cameraX = cameraY = 0;
}

}  // namespace
