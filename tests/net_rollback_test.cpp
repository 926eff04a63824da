// The rollback driver on a stand-in world whose state is a fingerprint of every command it was
// ticked with: a wrong guess taken back at any depth leaves the world exactly as a straight run
// with the real commands, every tick is heard once, and a side never runs away.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/fingerprint.h"
#include "net/rollback.h"

namespace {

struct StandIn {
  uint64_t state = kFnvStart;
  int32_t ticks = 0;
};

StandIn world;
StandIn saved[kSnapshotRing];
std::vector<int32_t> heard;  // the tick number of every tick run for the first time

void saveStandIn(int32_t slot) { saved[slot] = world; }
void restoreStandIn(int32_t slot) { world = saved[slot]; }
void tickStandIn(const NetCommand commands[kNetPlayers], bool again) {
  world.state = fnv1a(commands, sizeof(NetCommand) * kNetPlayers, world.state);
  world.state = fnv1a(&world.ticks, sizeof world.ticks, world.state);
  if (!again) heard.push_back(world.ticks);
  ++world.ticks;
}
uint64_t digestStandIn() { return world.state; }

const RollbackWorld standIn = {saveStandIn, restoreStandIn, tickStandIn, digestStandIn};

constexpr int32_t kRight = 1 << 3;
constexpr int32_t kAttack = 1 << 4;
constexpr int32_t kTicks = 150;
constexpr int32_t kChangeAt = 20;

// Player 1 (this side) attacks now and then; player 2 stands, then walks right from kChangeAt.
NetCommand localCommand(int32_t tick) {
  NetCommand c;
  if (tick % 7 == 3) c.held = c.pressed = kAttack;
  return c;
}
NetCommand remoteCommand(int32_t tick) {
  NetCommand c;
  if (tick >= kChangeAt) c.held = kRight;
  if (tick == kChangeAt) c.pressed = kRight;
  return c;
}

uint64_t straightRun(int32_t delay, int32_t ticks) {
  world = StandIn{};
  for (int32_t t = 0; t < ticks; ++t) {
    const NetCommand commands[kNetPlayers] = {t < delay ? NetCommand{} : localCommand(t),
                                              t < delay ? NetCommand{} : remoteCommand(t)};
    tickStandIn(commands, false);
  }
  heard.clear();
  return world.state;
}

void addLocalUpTo(Rollback& r) {
  while (r.knownEnd[0] <= r.tick + r.delay) rollbackAddLocal(r, localCommand(r.knownEnd[0]));
}

// The other side's commands reach this one `lateBy` ticks after they were due.
Rollback playWithRemoteLate(int32_t lateBy, int32_t delay) {
  world = StandIn{};
  heard.clear();
  Rollback r;
  rollbackStart(r, 0, delay, kMostPrediction);
  r.endTick = kTicks;
  for (int32_t frame = 0; frame < 4 * kTicks && r.tick < kTicks; ++frame) {
    addLocalUpTo(r);
    while (r.knownEnd[1] <= r.tick - lateBy && r.knownEnd[1] < kTicks)
      rollbackAddRemote(r, r.knownEnd[1], remoteCommand(r.knownEnd[1]));
    rollbackStep(r, standIn);
  }
  while (r.knownEnd[1] < kTicks) rollbackAddRemote(r, r.knownEnd[1], remoteCommand(r.knownEnd[1]));
  while (r.knownEnd[0] < kTicks) rollbackAddLocal(r, localCommand(r.knownEnd[0]));
  rollbackStep(r, standIn);
  return r;
}

TEST(NetRollback, AWrongGuessTakenBackAtAnyDepthEndsInTheStraightWorld) {
  const int32_t delay = kDefaultInputDelay;
  const uint64_t expected = straightRun(delay, kTicks);
  for (int32_t depth = 1; depth <= kMostPrediction; ++depth) {
    SCOPED_TRACE(depth);
    const Rollback r = playWithRemoteLate(depth, delay);
    EXPECT_EQ(r.tick, kTicks);
    EXPECT_EQ(world.state, expected);
    // One change of controls the guess misses (the first step right); holding it on is guessed.
    EXPECT_EQ(r.rollbacks, 1);
    EXPECT_EQ(r.rollbacksByDepth[depth], 1);
    EXPECT_EQ(r.ticksRunAgain, depth);
    EXPECT_EQ(rollbackConfirmedEnd(r), kTicks);
    // The step right was pressed `delay` ticks before it was due, and shown `depth` after.
    EXPECT_EQ(r.pressesSeen, 1);
    EXPECT_EQ(r.feltTicksMost, depth + delay);
    // Ticks run again are not heard again.
    ASSERT_EQ(heard.size(), static_cast<size_t>(kTicks));
    for (int32_t t = 0; t < kTicks; ++t) EXPECT_EQ(heard[t], t);
    // The fingerprints both sides compare are the straight world's at those ticks.
    const uint64_t at60 = straightRun(delay, 60);
    EXPECT_EQ(rollbackCheckDigest(r, 60), at60);
  }
}

TEST(NetRollback, NeverRunsMoreThanThePredictionAheadOfTheOtherSide) {
  struct Case {
    const char* name;
    int32_t prediction;
  };
  for (const Case c : {Case{"rollback", kMostPrediction}, Case{"lockstep", 0}, Case{"short", 3}}) {
    SCOPED_TRACE(c.name);
    world = StandIn{};
    Rollback r;
    rollbackStart(r, 0, kDefaultInputDelay, c.prediction);
    for (int32_t frame = 0; frame < 40; ++frame) {
      addLocalUpTo(r);
      rollbackStep(r, standIn);
    }
    // Only the delay's empty commands are known of the other side.
    EXPECT_EQ(r.tick, kDefaultInputDelay + c.prediction);
    EXPECT_EQ(r.framesWaited, 40 - r.tick);
    EXPECT_EQ(rollbackConfirmedEnd(r), kDefaultInputDelay);
  }
}

TEST(NetRollback, TheOtherSidesCommandsAreTakenOnlyInOrderAndOnce) {
  Rollback r;
  rollbackStart(r, 1, 0, kMostPrediction);
  EXPECT_FALSE(rollbackAddRemote(r, 1, NetCommand{}));  // a gap before it
  EXPECT_TRUE(rollbackAddRemote(r, 0, NetCommand{kRight, kRight}));
  EXPECT_FALSE(rollbackAddRemote(r, 0, NetCommand{}));  // known already
  EXPECT_EQ(rollbackCommand(r, 0, 0), (NetCommand{kRight, kRight}));
}

TEST(NetRollback, AGuessHoldsWhatWasHeldAndPressesNothingNew) {
  EXPECT_EQ(predictCommand(NetCommand{kRight | kAttack, kAttack}), (NetCommand{kRight | kAttack, 0}));
  EXPECT_EQ(predictCommand(NetCommand{}), NetCommand{});
}

TEST(NetRollback, ASideThatLeadsByMoreThanTheOtherSitsOutNowAndThen) {
  world = StandIn{};
  Rollback r;
  rollbackStart(r, 0, 0, kMostPrediction);
  r.leadKnown = true;
  r.peerLead = 0;  // the other side sees the two even; this side sees itself ahead
  for (int32_t frame = 0; frame < 4 * kFramesBetweenIdles; ++frame) {
    addLocalUpTo(r);
    while (r.knownEnd[1] <= r.tick) rollbackAddRemote(r, r.knownEnd[1], NetCommand{});
    r.peerTick = r.tick - kLeadToEvenOut;
    rollbackStep(r, standIn);
  }
  EXPECT_EQ(r.framesIdled, 4);
  EXPECT_EQ(r.tick, 4 * kFramesBetweenIdles - 4);
}

// Whatever tick and lead the other side claims, the leads stay within the ring's reach and the
// arithmetic on them never overflows (the sanitizer build would stop on it).
TEST(NetRollback, AClaimedTickOrLeadAtTheEdgesOfTheRangeGivesABoundedLead) {
  struct LeadCase {
    const char* name;
    int32_t peerTick, peerLead, lead;
  };
  const LeadCase cases[] = {
      {"EvenSides", 100, 0, 0},
      {"FarBehind", INT32_MIN, 0, kMostLead},
      {"FarAhead", INT32_MAX, 0, -kMostLead},
      {"ItsOwnLeadAtTheLimits", 100, INT32_MIN, 0},
      {"BothAtTheLimits", INT32_MIN, INT32_MAX, kMostLead},
  };
  for (const LeadCase& c : cases) {
    SCOPED_TRACE(c.name);
    world = StandIn{};
    Rollback r;
    rollbackStart(r, 0, 0, kMostPrediction);
    r.tick = 100;
    r.leadKnown = true;
    r.peerTick = c.peerTick;
    r.peerLead = c.peerLead;
    EXPECT_EQ(rollbackLead(r), c.lead);
    r.knownEnd[0] = r.knownEnd[1] = r.tick + 1;
    for (int32_t frame = 0; frame < kFramesBetweenIdles; ++frame) rollbackStep(r, standIn);
    r.knownEnd[1] = r.tick;
    rollbackAddRemote(r, r.tick, NetCommand{kRight, kRight});
    EXPECT_LE(r.feltTicksMost, kMostLead);
  }
}

}  // namespace
