// The world record: what a snapshot holds comes back whole, the digest and the field-by-field
// comparison see every field, and content a spawn copied over a slot is put back as it was.
#include "sim/world.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "sim/sound_requests.h"
#include "sim/spawn.h"
#include "sim/tick.h"
#include "sim_support.h"

namespace {

using namespace simtest;

class World : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    clearWorld();
    lastEntity = 3;
    placeFighter(0, 300, 400, kFixtures + "fighter.dat");
    placeFighter(1, 200, 380);
    placeFighter(2, 360, 400, kFixtures + "fighter.dat");
    placeFighter(3, 800, 420);
  }
  std::unique_ptr<WorldSnapshot> before = std::make_unique<WorldSnapshot>();
  std::unique_ptr<WorldSnapshot> after = std::make_unique<WorldSnapshot>();
};

struct FieldCase {
  const char* name;
  std::function<void()> change;
  const char* difference;  // what firstWorldDifference names
};

TEST_F(World, EveryListedFieldIsHashedNamedAndRestored) {
  const FieldCase cases[] = {
      {"an entity's position", [] { entities[2].x += 1; }, "entity 2 x"},
      {"a dead slot's record", [] { entities[1].alive = 0, entities[1].weight = 7; }, "entity 1 alive"},
      {"one target in a hit list", [] { entities[0].hitList.add(999); }, "entity 0 hitList"},
      {"a name", [] { entities[3].landAnimation = "CROUCH"; }, "entity 3 landAnimation"},
      {"the running script line", [] { entitySprites[2].scriptLine += 1; }, "entity 2 sprite scriptLine"},
      {"the size the near-view test reads", [] { entitySprites[3].width = 90; }, "entity 3 sprite width"},
      {"the view", [] { cameraX = 12; }, "cameraX"},
      {"the shake's sign", [] { shakeSign = 1; }, "shakeSign"},
      {"a house rule", [] { gameRules.friendlyFire = 0; }, "gameRules"},
      {"the difficulty", [] { gameRules.opponentWaitPercent = 70; }, "gameRules"},
      {"the random generator", [] { randomUnit(); }, "random generator"},
      {"one more entity", [] { lastEntity = 4; }, "lastEntity"},
  };
  for (const FieldCase& c : cases) {
    SetUp();
    saveWorld(*before);
    const uint64_t digest = worldDigest();
    c.change();
    saveWorld(*after);
    EXPECT_NE(worldDigest(), digest) << c.name;
    EXPECT_EQ(firstWorldDifference(*before, *after), c.difference) << c.name;
    restoreWorld(*before);
    EXPECT_EQ(worldDigest(), digest) << c.name;
    saveWorld(*after);
    EXPECT_EQ(firstWorldDifference(*before, *after), "") << c.name;
    gameRules = GameRules{};
  }
}

TEST_F(World, TicksRunAgainFromASnapshotReachTheSameWorld) {
  keys({kRight}, {kRight});
  for (int t = 0; t < 5; ++t) runTick();
  saveWorld(*before);
  for (int t = 0; t < 40; ++t) runTick();
  const uint64_t first = worldDigest();
  restoreWorld(*before);
  for (int t = 0; t < 40; ++t) runTick();
  EXPECT_EQ(worldDigest(), first);
}

TEST_F(World, ASlotASparkTookOverGetsItsOwnContentBack) {
  const ScriptRef own = entitySprites[2].script;
  const FrameList* ownFrames = &entitySprites[2].frames;
  entitySprites[2].frames.frame[5].x2 = 77;
  saveWorld(*before);
  entities[2].alive = 0;
  spawnEntity(300, 410, kEffectsType, "SMALLSPARK");
  ASSERT_EQ(entitySprites[2].script, typeSprites[kEffectsType].script) << "the spark took slot 2";
  restoreWorld(*before);
  EXPECT_EQ(entitySprites[2].script, own);
  EXPECT_EQ(ownFrames->frame[5].x2, 77);
  EXPECT_EQ(entitySprites[2].contentFrom, 0);
  EXPECT_EQ(entities[2].alive, 1);
}

TEST_F(World, SlotsTakenAfterTheSnapshotAreEmptiedAgain) {
  saveWorld(*before);
  spawnEntity(300, 410, kEffectsType, "BIGSPARK");
  ASSERT_EQ(lastEntity, 4);
  restoreWorld(*before);
  EXPECT_EQ(lastEntity, 3);
  EXPECT_EQ(entities[4].alive, 0);
  EXPECT_EQ(entitySprites[4].animation, "");
  spawnEntity(300, 410, kEffectsType, "BIGSPARK");
  EXPECT_EQ(entitySprites[4].animation, "BIGSPARK") << "the slot takes a spawn as a fresh one";
}

TEST_F(World, ClearingKeepsOnlyThePlayers) {
  entities[0].hp = 42;
  shakeX = 5;
  clearWorld();
  EXPECT_EQ(lastEntity, playerCount - 1);
  EXPECT_EQ(entities[0].hp, 42);
  EXPECT_EQ(entities[2].alive, 0);
  EXPECT_EQ(entitySprites[2].animation, "");
  EXPECT_EQ(shakeX, 0);
}

TEST_F(World, ATickOnlyAsksForItsSounds) {
  entities[0].attackPending = 1, entities[0].attackReach = 80, entities[0].attackDamage = 1;
  const int before = nullSoundsPlayed;
  runTick();
  EXPECT_FALSE(requestedSounds().empty());
  EXPECT_EQ(nullSoundsPlayed, before) << "the loop plays them, not the tick";
  clearSoundRequests();
}

// A snapshot that no saveWorld could have written is refused whole: the world stays as it was.
TEST_F(World, ASnapshotWhoseCountsDoNotFitIsNotTaken) {
  struct DamageCase {
    const char* name;
    std::function<void(WorldSnapshot&)> damage;
  };
  const DamageCase cases[] = {
      {"MoreSlotsThanTheTable", [](WorldSnapshot& s) { s.usedSlots = kEntityCount + 1, s.values.lastEntity = kEntityCount; }},
      {"ANegativeSlotCount", [](WorldSnapshot& s) { s.usedSlots = -5, s.values.lastEntity = -6; }},
      {"ALastEntityPastTheTable", [](WorldSnapshot& s) { s.values.lastEntity = kEntityCount; }},
      {"ALastEntityBelowNone", [](WorldSnapshot& s) { s.values.lastEntity = -2; }},
      {"CountsThatDisagree", [](WorldSnapshot& s) { s.values.lastEntity = s.usedSlots + 2; }},
      {"ContentOfNoType", [](WorldSnapshot& s) { s.slots[1].animation.contentFrom = kTypeSlots + 1; }},
  };
  for (const DamageCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    saveWorld(*before);
    c.damage(*before);
    cameraX = 55;
    const uint64_t digest = worldDigest();
    EXPECT_FALSE(restoreWorld(*before));
    EXPECT_EQ(worldDigest(), digest);
  }
  SetUp();
  saveWorld(*before);
  EXPECT_TRUE(restoreWorld(*before)) << "an undamaged one is taken";
}

TEST_F(World, ASoundAskedForOnEveryLineOfEveryTickKeepsTheQueueBounded) {
  clearSoundRequests();
  for (int32_t tick = 0; tick < 1000; ++tick)
    for (int32_t line = 0; line < 100; ++line) requestSound(line);
  ASSERT_EQ(requestedSounds().size(), kMostSoundRequests);
  EXPECT_EQ(requestedSounds().front(), 0) << "the first asked for are the ones kept";
  EXPECT_EQ(requestedSounds().back(), static_cast<int32_t>(kMostSoundRequests) - 1);
  clearSoundRequests();
}

}  // namespace
