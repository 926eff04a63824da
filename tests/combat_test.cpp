#include <gtest/gtest.h>

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
    loadEffects(std::string(BRAWLER_TEST_DATA) + "/sim/globals.dat");
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

struct BoxCase { const char* name; int facing, kind, z; Rect box; };
class HitBox : public Combat, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(HitBox, SitsInFrontOfTheBodyAtItsHeight) {
  attacker().facing = GetParam().facing, attacker().attackKind = GetParam().kind;
  attacker().z = int16_t(GetParam().z);
  const Rect b = attackHitBox(0), e = GetParam().box;
  EXPECT_EQ(std::vector<int>({b.left, b.right, b.top, b.bottom}),
            std::vector<int>({e.left, e.right, e.top, e.bottom}));
}

// Body 60 by 150 at x 100, y 400: mid rows 437.5 (rounds to 438) to 475, low rows 475 to 550.
INSTANTIATE_TEST_SUITE_P(Boxes, HitBox, ::testing::Values(
    BoxCase{"MidFacingRight", 0, kAttackMid, 0, {130, 190, 438, 475}},
    BoxCase{"MidFacingLeft", 1, kAttackMid, 0, {10, 70, 438, 475}},
    BoxCase{"KnockLowFacingLeft", 1, kAttackKnockLow, 0, {10, 70, 475, 550}},
    BoxCase{"AltitudeRaisesIt", 0, kAttackMid, 100, {130, 190, 338, 375}}),
    [](const auto& i) { return std::string(i.param.name); });

struct ReachCase { const char* name; int x, y, z, down; bool hits; };
class Reach : public Combat, public ::testing::WithParamInterface<ReachCase> {};

TEST_P(Reach, StrikesStandingVictimsInTheBoxOnANearFootLine) {
  const ReachCase& c = GetParam();
  victim().x = int16_t(c.x), victim().y = int16_t(c.y), victim().z = int16_t(c.z), victim().down = c.down;
  resolveAttacks();
  EXPECT_EQ(victim().hp, c.hits ? 90 : 100);
  EXPECT_EQ(attacker().attackPending, 0) << "spent either way";
}

INSTANTIATE_TEST_SUITE_P(Victims, Reach, ::testing::Values(
    ReachCase{"TouchingTheFarEdge", 220, 400, 0, 0, true}, ReachCase{"PastTheFarEdge", 221, 400, 0, 0, false},
    ReachCase{"LyingDown", 150, 400, 0, 1, false}, ReachCase{"FootLinesNineteenApart", 150, 419, 0, 0, true},
    ReachCase{"FootLinesTwentyApart", 150, 380, 0, 0, false}, ReachCase{"HighAbove", 150, 400, 200, 0, false}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(Combat, OneHitPerAnimationAndPowerCappedAtMax) {
  attacker().power = 95;
  arm(kAttackMid, 80);
  resolveAttacks();
  arm(kAttackMid, 80);
  resolveAttacks();
  EXPECT_EQ(victim().hp, 20);
  EXPECT_EQ(attacker().power, 100);
  startAnimation(entitySprites[0], "QUICKATTACK2");
  arm(kAttackMid, 80);
  resolveAttacks();
  EXPECT_EQ(victim().hp, -60);
}

struct KnockCase { const char* name; int facing, victimX, lowest; };
class KnockBack : public Combat, public ::testing::WithParamInterface<KnockCase> {};

TEST_P(KnockBack, ThrowsAwayFromTheAttackerWithFourSpeeds) {
  std::set<int> xvs;
  for (uint32_t seed = 1; seed <= 100; ++seed) {
    SetUp();
    seedRandom(seed);
    attacker().facing = GetParam().facing, victim().x = int16_t(GetParam().victimX);
    arm(kAttackKnockHigh, 10);
    resolveAttacks();
    xvs.insert(victim().xv);
  }
  const int low = GetParam().lowest;
  EXPECT_EQ(xvs, (std::set<int>{low, low + 1, low + 2, low + 3}));
  EXPECT_EQ(shakeX, 15);
  EXPECT_EQ(entitySprites[kVictim].animation, "FALL");
}

INSTANTIATE_TEST_SUITE_P(Sides, KnockBack,
    ::testing::Values(KnockCase{"FromTheLeft", 0, 150, 4}, KnockCase{"FromTheRight", 1, 50, -8}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(Combat, FighterHitInTheAirIsThrownDown) {
  victim().physicsOn = 1;
  resolveAttacks();
  EXPECT_EQ(victim().xv, 7);
  EXPECT_EQ(victim().yv, 10);
  EXPECT_EQ(victim().aiState, kAiKnockedDown);
  EXPECT_EQ(entitySprites[kVictim].animation, "FALL");
}

TEST_F(Combat, ObjectsArePushedButKeepTheirHitPoints) {
  victim().kind = kKindObject;
  resolveAttacks();
  EXPECT_EQ(victim().hp, 100);
  EXPECT_EQ(victim().x, 155);
  EXPECT_EQ(entitySprites[kVictim].animation, "DAMAGE");
  EXPECT_EQ(nullSoundLog.size(), 0u);
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
  EXPECT_EQ(entities[4].x, x);
  EXPECT_EQ(entities[4].y, y);
}

TEST_F(Combat, ReachPastTheIntegerRangeStillStrikes) {
  attacker().attackReach = 2147483647;
  resolveAttacks();
  EXPECT_EQ(victim().hp, 90);
  EXPECT_EQ(entities[1].kind, kKindEffect);
}

}  // namespace
