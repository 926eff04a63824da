#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kVictim = 2;

// Player 1 at x 100 facing right with a pending mid attack (reach 30, damage 10); a fighter
// in front of it at x 150 on the same foot line; slot 1 free for the spark.
class Combat : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    lastEntity = kVictim;
    placeFighter(0, 100, 400);
    placeFighter(kVictim, 150, 400);
    arm(kAttackMid, 10);
  }
  Entity& attacker() { return entities[0]; }
  Entity& victim() { return entities[kVictim]; }
  void arm(int kind, int damage) {
    attacker().attackPending = 1, attacker().attackKind = kind, attacker().attackReach = 30;
    attacker().attackDamage = damage, attacker().knockXv = 6, attacker().knockYv = 12;
  }
};

// Body 60 by 150 at x 100, y 400: mid rows 437.5 (rounds to 438) to 475, low rows 475 to 550.
TEST_F(Combat, HitBoxSitsInFrontOfTheBodyAtItsHeight) {
  const struct { const char* shows; int facing, kind, z; std::vector<int> box; } cases[] = {
      {"mid facing right", 0, kAttackMid, 0, {130, 190, 438, 475}},
      {"mid facing left", 1, kAttackMid, 0, {10, 70, 438, 475}},
      {"knock-down low facing left", 1, kAttackKnockLow, 0, {10, 70, 475, 550}},
      {"raised by altitude", 0, kAttackMid, 100, {130, 190, 338, 375}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    attacker().facing = c.facing, attacker().attackKind = c.kind, attacker().z = int16_t(c.z);
    const Rect b = attackHitBox(0);
    EXPECT_EQ(std::vector<int>({b.left, b.right, b.top, b.bottom}), c.box);
  }
}

TEST_F(Combat, StrikesStandingVictimsInTheBoxOnANearFootLine) {
  const struct { const char* shows; int x, y, z, down; bool hits; } cases[] = {
      {"touching the far edge", 220, 400, 0, 0, true}, {"past the far edge", 221, 400, 0, 0, false},
      {"lying down", 150, 400, 0, 1, false}, {"foot lines 19 apart", 150, 419, 0, 0, true},
      {"foot lines 20 apart", 150, 380, 0, 0, false}, {"high above", 150, 400, 200, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    victim().x = int16_t(c.x), victim().y = int16_t(c.y), victim().z = int16_t(c.z), victim().down = c.down;
    resolveAttacks();
    EXPECT_EQ(victim().hp, c.hits ? 90 : 100);
    EXPECT_EQ(attacker().attackPending, 0) << "spent either way";
  }
}

TEST_F(Combat, OneHitPerAnimationAndPowerCappedAtMax) {
  attacker().power = 95;
  arm(kAttackMid, 80), resolveAttacks();
  arm(kAttackMid, 80), resolveAttacks();
  EXPECT_EQ(victim().hp, 20);
  EXPECT_EQ(attacker().power, 100);
  startAnimation(entitySprites[0], "QUICKATTACK2");
  arm(kAttackMid, 80), resolveAttacks();
  EXPECT_EQ(victim().hp, -60);
}

TEST_F(Combat, KnockDownThrowsAwayFromTheAttackerWithFourSpeeds) {
  const struct { const char* shows; int facing, victimX, lowest; } cases[] = {
      {"from the left, knock 6: 4..7", 0, 150, 4}, {"from the right: -8..-5", 1, 50, -8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    std::set<int> xvs;
    for (uint32_t seed = 1; seed <= 100; ++seed) {
      SetUp();
      seedRandom(seed);
      attacker().facing = c.facing, victim().x = int16_t(c.victimX);
      arm(kAttackKnockHigh, 10), resolveAttacks();
      xvs.insert(victim().xv);
    }
    EXPECT_EQ(xvs, (std::set<int>{c.lowest, c.lowest + 1, c.lowest + 2, c.lowest + 3}));
    EXPECT_EQ(shakeX, 15);
  }
}

TEST_F(Combat, LightHitsPushHurtOrThrowByWhoIsHit) {
  const struct { const char* shows; int kind, physicsOn; const char* animation; std::vector<int> state; } cases[] = {
      {"fighter on the ground", kKindFighter, 0, "HIGHDAMAGE", {165, 0, 0, 90}},
      {"fighter in the air: thrown 7 and 10", kKindFighter, 1, "FALL", {165, 7, 10, 90}},
      {"object: pushed 5, keeps its hit points", kKindObject, 0, "DAMAGE", {155, 0, 0, 100}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    victim().kind = c.kind, victim().physicsOn = c.physicsOn;
    resolveAttacks();
    EXPECT_EQ(entitySprites[kVictim].animation, c.animation);
    EXPECT_EQ(std::vector<int>({victim().x, victim().xv, victim().yv, int(victim().hp)}), c.state);
  }
}

// The effect's jitter is drawn for every live entity looked at, hit or not, before the test.
TEST_F(Combat, JitterIsDrawnForEveryVictimLookedAt) {
  lastEntity = 4;
  placeFighter(1, 900, 400);  // missed
  victim().y = 300;           // missed: another foot line
  placeFighter(3, 151, 400);  // struck; the spark goes to the free slot 4
  seedRandom(7);
  for (int skipped = 0; skipped < 4; ++skipped) randomUnit();
  const int x = 160 + randomBelow(60) - 30, y = 456 + randomBelow(60) - 30;
  seedRandom(7);
  resolveAttacks();
  EXPECT_EQ(entitySprites[4].animation, "SMALLSPARK");
  EXPECT_EQ(std::vector<int>({entities[4].x, entities[4].y}), std::vector<int>({x, y}));
}

// A knock speed of -3e9 is stored as the bottom of the range; thrown the other way it passes
// the top, and the 16-bit speed keeps the low bits of the true sum.
TEST_F(Combat, KnockSpeedAtTheRangeEdgeWrapsIntoTheSixteenBitSpeed) {
  std::set<int> xvs, yvs;
  for (uint32_t seed = 1; seed <= 100; ++seed) {
    SetUp();
    seedRandom(seed);
    attacker().facing = 1, victim().x = 50;
    arm(kAttackKnockHigh, 10);
    attacker().knockXv = attacker().knockYv = std::numeric_limits<int32_t>::min();
    resolveAttacks();
    xvs.insert(victim().xv), yvs.insert(victim().yv);
  }
  EXPECT_EQ(xvs, (std::set<int>{-2, -1, 0, 1}));
  EXPECT_EQ(yvs, (std::set<int>{-2, -1, 0, 1}));
}

// A WIDTH of 1e10 puts both ends of a leftward hit box at the bottom of the range; the spark's
// place is that edge plus the jitter, wrapped as a position.
TEST_F(Combat, HitBoxAtTheRangeEdgePlacesItsSparkWithoutOverflow) {
  entitySprites[0].bodyWidth = 1e10;
  attacker().facing = 1;
  resolveAttacks();
  EXPECT_EQ(victim().hp, 100) << "the box lies far to the left";
}

TEST_F(Combat, ReachPastTheIntegerRangeStillStrikes) {
  attacker().attackReach = 2147483647;
  resolveAttacks();
  EXPECT_EQ(victim().hp, 90);
}

}  // namespace
