// The genre's moves: grabs, knees and throws, the special, food and weapons, under the house
// rule that turns them on, and nothing of them with it off.
#include <gtest/gtest.h>

#include "sim/game_state.h"
#include "sim/moves.h"
#include "sim/moves_rules.h"
#include "sim/spawn.h"
#include "sim/world.h"
#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kFoe = 2;
constexpr int kSecondFoe = 3;
constexpr int kFarAway = 7;  // what the opponents pursue: out of waking range, so they stay put
const std::string kMover = kFixtures + "mover.dat";

// Player 1 at x 100 facing right, an opponent standing idle in front of it at x 150, both
// with the moves' blocks; the opponents' own decisions held off so only the moves act.
class Moves : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    gameRules.genreMoves = 1;
    readScript(kFixtures + "items.dat", typeSprites[kEffectsType].script);
    placeFighter(0, 100, 400, kMover);
    entities[1].playerState = kPlayerDead;  // player 2 sits this out
    foe(kFoe, 150);
    entities[kFarAway].x = 3000;
  }
  void TearDown() override { gameRules = GameRules{}; }
  Entity& player() { return entities[0]; }
  Entity& foe(int e) { return entities[e]; }
  Entity& foe(int e, int x, int y = 400) {
    Entity& o = placeFighter(e, x, y, kMover);
    o.target = kFarAway;
    o.facing = kFacingLeft;
    return o;
  }
  void ticks(int n, const std::vector<int>& pressed = {}, const std::vector<int>& held = {}) {
    for (int t = 0; t < n; ++t) {
      keys(t == 0 ? pressed : std::vector<int>{}, held);
      tick();
    }
  }
  // Walks right into the opponent in front: it is held from this tick.
  void grab() { ticks(1, {kRight}); }
  // Attack once, then let the blow play out.
  void strikeOnce(const std::vector<int>& held = {}) { ticks(14, {kAttack}, held); }
};

TEST_F(Moves, WalkingIntoAStandingOpponentGrabsIt) {
  const struct { const char* shows; int x, y, aiState, down, ungrabbable; bool grabs; } cases[] = {
      {"standing in front", 150, 400, kAiIdle, 0, 0, true},
      {"walking up", 150, 400, kAiApproach, 0, 0, true},
      {"attacking", 150, 400, kAiBusy, 0, 0, false},
      {"lying down", 150, 400, kAiKnockedDown, 1, 0, false},
      {"marked ungrabbable", 150, 400, kAiIdle, 0, 1, false},
      {"behind the walker", 40, 400, kAiIdle, 0, 0, false},
      {"foot lines 15 apart", 150, 415, kAiIdle, 0, 0, false},
      {"out of touch", 185, 400, kAiIdle, 0, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    foe(kFoe, c.x, c.y).aiState = c.aiState;
    foe(kFoe).down = c.down;
    foe(kFoe).moves.ungrabbable = c.ungrabbable;
    grab();
    EXPECT_EQ(player().playerState, c.grabs ? kPlayerHolding : kPlayerMoving);
    EXPECT_EQ(foe(kFoe).moves.grabRole, c.grabs ? kGrabHeld : kGrabNone);
    if (c.grabs) {
      EXPECT_EQ(foe(kFoe).x, player().x + kHoldDistance) << "held at arm's length";
      EXPECT_EQ(foe(kFoe).facing, kFacingLeft) << "facing its holder";
    }
  }
}

TEST_F(Moves, TheHoldEndsByKneesThrowVaultOrWaiting) {
  grab();
  strikeOnce();
  strikeOnce();
  EXPECT_EQ(foe(kFoe).hp, 80) << "two knees";
  EXPECT_EQ(foe(kFoe).moves.grabRole, kGrabHeld) << "still held";
  strikeOnce();
  EXPECT_EQ(foe(kFoe).hp, 70);
  EXPECT_EQ(foe(kFoe).aiState, kAiKnockedDown) << "the third knee floors it";
  EXPECT_EQ(player().moves.grabRole, kGrabNone);
  EXPECT_EQ(player().playerState, kPlayerIdle);

  SetUp();
  grab();
  ticks(1, {kJump});
  EXPECT_EQ(player().playerState, kPlayerJumpStart) << "a vault over the held one";
  EXPECT_EQ(player().xv, 7);
  EXPECT_EQ(foe(kFoe).moves.grabRole, kGrabNone);

  SetUp();
  grab();
  ticks(100);
  EXPECT_EQ(foe(kFoe).moves.grabRole, kGrabHeld) << "still held after 100 quiet ticks";
  ticks(20);
  EXPECT_EQ(foe(kFoe).moves.grabRole, kGrabNone) << "loose after about two seconds";
  EXPECT_EQ(player().playerState, kPlayerIdle);
}

TEST_F(Moves, AThrowLandsBehindAndBowlsOverTheCrowdThere) {
  foe(kSecondFoe, 20);
  grab();
  strikeOnce({kLeft});
  EXPECT_LT(foe(kFoe).x, player().x) << "thrown behind the thrower";
  EXPECT_EQ(foe(kFoe).hp, 80);
  EXPECT_EQ(foe(kSecondFoe).hp, 80) << "the body hurts the one it lands on";
  EXPECT_EQ(foe(kSecondFoe).aiState, kAiKnockedDown);
  EXPECT_TRUE(player().hitList.has(kSecondFoe)) << "scored to the thrower";
  ticks(40);
  EXPECT_EQ(foe(kFoe).down, 1) << "knocked down on landing";
  EXPECT_EQ(entitySprites[kFoe].animation, "FALLLAND");
}

TEST_F(Moves, AGrabbingOpponentHoldsAPlayerWhoMashesFree) {
  int grabbed = 0, seed = 0;
  for (uint32_t s = 1; s <= 100; ++s) {
    SetUp();
    seedRandom(s);
    foe(kFoe).moves.grabsPlayers = 1;
    foe(kFoe).aiState = kAiBusy, foe(kFoe).inReach = 1, foe(kFoe).target = 0;
    startAnimation(entitySprites[kFoe], "QUICKATTACK1");
    updateMoves();
    if (player().moves.grabRole == kGrabHeld) ++grabbed, seed = int(s);
  }
  EXPECT_GT(grabbed, 25) << "about one attack in two becomes a grab";
  EXPECT_LT(grabbed, 75);

  SetUp();
  seedRandom(uint32_t(seed));
  foe(kFoe).moves.grabsPlayers = 1;
  foe(kFoe).aiState = kAiBusy, foe(kFoe).inReach = 1, foe(kFoe).target = 0;
  startAnimation(entitySprites[kFoe], "QUICKATTACK1");
  updateMoves();
  ASSERT_EQ(player().playerState, kPlayerHeld);
  foe(kFoe).target = kFarAway;
  for (int press = 1; press < kMashToBreakFree; ++press) ticks(2, {press % 2 ? kLeft : kUp});
  EXPECT_EQ(player().playerState, kPlayerHeld) << "one press short";
  ticks(1, {kDown});
  EXPECT_NE(player().playerState, kPlayerHeld) << "mashed loose";
  EXPECT_EQ(player().moves.grabRole, kGrabNone);
  EXPECT_EQ(foe(kFoe).moves.grabRole, kGrabNone);
}

TEST_F(Moves, TheSpecialFloorsEveryoneInReachAndCostsOnlyWhenItHits) {
  const struct { const char* shows; std::vector<int> foes; double hpBefore, hpAfter; } cases[] = {
      {"one each side: both floored, 8 % paid once", {250, 350}, 100, 92},
      {"nobody in reach: free", {460}, 100, 100},
      {"nearly spent: the cost stops at one hit point", {350}, 5, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    entities[kFoe].alive = 0;
    player().x = 300, player().hp = c.hpBefore;
    for (size_t i = 0; i < c.foes.size(); ++i) foe(kFoe + int(i), c.foes[i]);
    ticks(12, {kAttack, kJump});
    EXPECT_EQ(player().hp, c.hpAfter);
    for (size_t i = 0; i < c.foes.size(); ++i) {
      const Entity& o = foe(kFoe + int(i));
      const bool inReach = std::abs(o.x - player().x) <= 130;  // reach 40 past the body, half a body
      EXPECT_EQ(o.aiState, inReach ? kAiKnockedDown : kAiIdle) << "foe at " << c.foes[i];
      if (inReach) EXPECT_EQ(o.hp, 85);
    }
  }
}

TEST_F(Moves, NoBlowLandsWhileInvincible) {
  const struct { const char* shows; int invincible; double hpAfter; } cases[] = {
      {"invincible", 5, 100}, {"not", 0, 90}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    foe(kFoe, 150).facing = kFacingLeft;
    player().moves.invincible = c.invincible;
    foe(kFoe).attackPending = 1, foe(kFoe).attackReach = 30, foe(kFoe).attackDamage = 10;
    resolveAttacks();
    EXPECT_EQ(player().hp, c.hpAfter);
  }
}

TEST_F(Moves, FoodGivesBackHealthUpToTheMaximum) {
  const struct { const char* shows; const char* item; int itemX; double hpBefore, hpAfter; } cases[] = {
      {"food: a quarter", "FOOD", 110, 50, 75}, {"food near full: capped", "FOOD", 110, 90, 100},
      {"a feast: all of it", "FEAST", 110, 10, 100}, {"out of reach: not taken", "FOOD", 140, 50, 50}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    entities[kFoe].alive = 0;
    foe(kSecondFoe, c.itemX).alive = 1;
    dropItem(kSecondFoe, itemKindNamed(c.item), 0);
    entities[kSecondFoe].alive = 0;
    player().hp = c.hpBefore;
    ticks(1, {kAttack});
    EXPECT_EQ(player().hp, c.hpAfter);
    EXPECT_EQ(entitySprites[0].animation, c.hpAfter != c.hpBefore ? "PICKUP" : "QUICKATTACK1");
  }
}

TEST_F(Moves, APropLeavesItsItemOnItsOwnFootLine) {
  entities[kFoe].alive = 0;
  Entity& crate = entities[kSecondFoe];
  crate.alive = 1, crate.kind = kKindObject, crate.x = 400, crate.y = 500;
  readScript(kFixtures + "crate.dat", entitySprites[kSecondFoe].script);
  readStats(kSecondFoe);
  startAnimation(entitySprites[kSecondFoe], "DAMAGE");
  ticks(1);
  int item = -1;
  for (int e = 0; e <= lastEntity; ++e)
    if (entities[e].alive == 1 && entities[e].moves.itemKind == kItemFood) item = e;
  ASSERT_GE(item, 0);
  EXPECT_EQ(entities[item].x, 400);
  EXPECT_EQ(roundedFootLine(item), 540) << "the crate's foot line";
  EXPECT_EQ(entitySprites[item].animation, "ITEMFOOD");

  gameRules.genreMoves = 0;
  const int before = lastEntity;
  startAnimation(entitySprites[kSecondFoe], "DAMAGE");
  crate.alive = 1;
  ticks(1);
  EXPECT_EQ(lastEntity, before) << "with the rule off the line is passed over";
}

TEST_F(Moves, APipeFloorsOnTheThirdBlowAndBreaksWhenWornOut) {
  const struct { const char* shows; int hitsLeft; std::vector<int> aiStates; int weaponAfter; } cases[] = {
      {"a fresh pipe", 8, {kAiBusy, kAiBusy, kAiKnockedDown}, kItemPipe},
      {"a pipe with two blows left", 2, {kAiBusy, kAiBusy}, kItemNone}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    foe(kFoe, 170);
    player().moves.weapon = kItemPipe, player().moves.weaponHits = c.hitsLeft;
    for (size_t blow = 0; blow < c.aiStates.size(); ++blow) {
      strikeOnce();
      EXPECT_EQ(foe(kFoe).aiState, c.aiStates[blow]) << "blow " << blow + 1;
      EXPECT_EQ(foe(kFoe).hp, 100 - 20 * int(blow + 1));
    }
    EXPECT_EQ(player().moves.weapon, c.weaponAfter);
  }
}

TEST_F(Moves, AWeaponFallsFromAHandKnockedDownAndOpponentsPickItUp) {
  player().moves.weapon = kItemPipe, player().moves.weaponHits = 5;
  foe(kSecondFoe, 900);
  foe(kFoe, 150).attackPending = 1;
  foe(kFoe).attackKind = kAttackKnockHigh, foe(kFoe).attackReach = 30, foe(kFoe).attackDamage = 10;
  foe(kFoe).knockXv = 1, foe(kFoe).knockYv = 1;
  resolveAttacks();
  updateMoves();
  EXPECT_EQ(player().moves.weapon, kItemNone);
  int item = -1;
  for (int e = 0; e <= lastEntity; ++e)
    if (entities[e].alive == 1 && entities[e].moves.itemKind == kItemPipe) item = e;
  ASSERT_GE(item, 0);
  EXPECT_EQ(entities[item].moves.itemUses, 5) << "as worn as it was";

  foe(kSecondFoe).x = entities[item].x, foe(kSecondFoe).aiState = kAiApproach;
  updateMoves();
  EXPECT_EQ(foe(kSecondFoe).moves.weapon, kItemPipe);
  EXPECT_EQ(entities[item].alive, 0);
}

TEST_F(Moves, AnArmedOpponentWalksUpWithItsWeaponInHand) {
  const struct { const char* shows; int32_t weapon; const char* walk; } cases[] = {
      {"a pipe", kItemPipe, "PIPEWALK"}, {"a knife", kItemKnife, "KNIFEWALK"}, {"empty hands", kItemNone, "WALK"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    Entity& o = foe(kFoe, 400);
    o.target = 0, o.aiState = kAiApproach, o.aiTimer = 50;
    o.moves.weapon = c.weapon, o.moves.weaponHits = 1;
    startAnimation(entitySprites[kFoe], "WALK");
    ticks(10);
    EXPECT_EQ(entitySprites[kFoe].animation.str(), c.walk);
    EXPECT_EQ(o.x, 400 - 10 * o.walkSpeed) << "the weapon's walk carries it as the plain one does";
  }
}

// A player keeps the opponents' knocked-down state a fall gave it, so each later landing from
// its own jump sets `down` for the tick before it stands: that is no fall, and nothing of it
// may shake a weapon loose or have a pick-up dropped again as soon as it is taken.
TEST_F(Moves, ALandingFromAJumpAfterAnEarlierFallIsNoFall) {
  const struct { const char* shows; int32_t weaponBefore; bool pipeUnderFoot; } cases[] = {
      {"a pipe in hand stays there", kItemPipe, false},
      {"a pipe under foot is taken once and kept", kItemNone, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    entities[kFoe].alive = 0;
    player().aiState = kAiKnockedDown;  // left by a knock-down long ago
    player().moves.weapon = c.weaponBefore, player().moves.weaponHits = c.weaponBefore != kItemNone ? 5 : 0;
    if (c.pipeUnderFoot) {
      foe(kSecondFoe, 100);
      dropItem(kSecondFoe, kItemPipe, 0);
      entities[kSecondFoe].alive = 0;
    }
    ticks(1, {kJump});
    for (int t = 0; t < 60; ++t) ticks(1, t % 2 == 0 ? std::vector<int>{kAttack} : std::vector<int>{});
    EXPECT_EQ(player().moves.weapon, kItemPipe);
    int lying = 0;
    for (int e = 0; e <= lastEntity; ++e) lying += entities[e].alive == 1 && entities[e].moves.itemKind != kItemNone;
    EXPECT_EQ(lying, 0) << "pipes on the street";
  }
}

TEST_F(Moves, AThrownKnifeFliesUntilItHitsOrLeavesTheView) {
  const struct { const char* shows; int foeY; double foeHp; } cases[] = {
      {"an opponent in its lane", 400, 75}, {"an opponent out of its lane", 440, 100}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    foe(kFoe, 600, c.foeY);
    player().moves.weapon = kItemKnife, player().moves.weaponHits = 1;
    ticks(120, {kAttack, kJump});
    EXPECT_EQ(player().moves.weapon, kItemNone) << "thrown";
    EXPECT_EQ(foe(kFoe).hp, c.foeHp);
    for (int e = 0; e <= lastEntity; ++e)
      EXPECT_FALSE(entities[e].alive == 1 && entities[e].moves.knifeFlying == 1) << "knife " << e << " still flies";
  }
}

TEST_F(Moves, WithTheRuleOffNothingOfTheMovesHappens) {
  gameRules.genreMoves = 0;
  grab();
  EXPECT_EQ(player().playerState, kPlayerMoving) << "walked into it, no grab";
  EXPECT_EQ(foe(kFoe).moves.grabRole, kGrabNone);
  SetUp();
  gameRules.genreMoves = 0;
  player().x = 400;
  ticks(12, {kAttack, kJump});
  EXPECT_EQ(foe(kFoe).aiState, kAiIdle) << "no special";
  EXPECT_TRUE(moveStateEmpty(player().moves));
}

TEST_F(Moves, TheWorldRecordCarriesTheMoves) {
  grab();
  WorldSnapshot* held = new WorldSnapshot;
  saveWorld(*held);
  const uint64_t digest = worldDigest();
  ticks(1, {kJump});
  EXPECT_NE(worldDigest(), digest);
  restoreWorld(*held);
  EXPECT_EQ(worldDigest(), digest);
  EXPECT_EQ(foe(kFoe).moves.grabRole, kGrabHeld);
  WorldSnapshot* other = new WorldSnapshot;
  saveWorld(*other);
  other->slots[kFoe].entity.moves.knees = 2;
  EXPECT_EQ(firstWorldDifference(*held, *other), "entity 2 moves");
  delete held;
  delete other;
}

}  // namespace
