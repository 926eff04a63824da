#include "net/rollback.h"

#include <algorithm>

namespace {

int32_t ring(int32_t tick) { return tick % kCommandRing; }

int32_t otherPlayer(const Rollback& r) { return 1 - r.localPlayer; }

NetCommand remoteCommandFor(const Rollback& r, int32_t tick) {
  const int32_t remote = otherPlayer(r);
  if (tick < r.knownEnd[remote]) return r.commands[remote][ring(tick)];
  if (r.knownEnd[remote] == 0) return NetCommand{};
  return predictCommand(r.commands[remote][ring(r.knownEnd[remote] - 1)]);
}

// The world is saved before each tick, so that a wrong guess can be taken back from there.
void runOneTick(Rollback& r, const RollbackWorld& world, int32_t tick, bool again) {
  world.save(tick % kSnapshotRing);
  NetCommand commands[kNetPlayers];
  commands[r.localPlayer] = r.commands[r.localPlayer][ring(tick)];
  commands[otherPlayer(r)] = remoteCommandFor(r, tick);
  r.used[ring(tick)] = commands[otherPlayer(r)];
  world.tick(commands, again);
  if ((tick + 1) % kCheckEvery == 0) r.checkDigest[((tick + 1) / kCheckEvery) % kCheckRing] = world.digest();
}

void runAgainFromFirstWrong(Rollback& r, const RollbackWorld& world) {
  const int32_t from = r.firstWrong;
  r.firstWrong = -1;
  world.restore(from % kSnapshotRing);
  for (int32_t t = from; t < r.tick; ++t) runOneTick(r, world, t, true);
  const int32_t depth = r.tick - from;
  ++r.rollbacks;
  r.ticksRunAgain += depth;
  ++r.rollbacksByDepth[std::min(depth, kMostPrediction)];
}

bool tooFarAhead(const Rollback& r) {
  return r.tick - r.knownEnd[otherPlayer(r)] >= r.prediction;
}

bool leadsTooMuch(Rollback& r) {
  if (!r.leadKnown) return false;
  ++r.framesSinceIdle;
  if (rollbackLead(r) - std::clamp(r.peerLead, -kMostLead, kMostLead) < kLeadToEvenOut || r.framesSinceIdle < kFramesBetweenIdles) return false;
  r.framesSinceIdle = 0;
  return true;
}

}  // namespace

NetCommand predictCommand(NetCommand lastKnown) {
  NetCommand guess;
  guess.held = lastKnown.held;
  return guess;
}

void rollbackStart(Rollback& r, int32_t localPlayer, int32_t delay, int32_t prediction) {
  r = Rollback{};
  r.localPlayer = localPlayer;
  r.delay = std::clamp(delay, 0, kMostInputDelay);
  r.prediction = std::clamp(prediction, 0, kMostPrediction);
  // The first ticks, before anyone's delayed controls arrive, run with nothing pressed.
  for (int32_t p = 0; p < kNetPlayers; ++p) r.knownEnd[p] = r.delay;
}

void rollbackAddLocal(Rollback& r, NetCommand command) {
  int32_t& end = r.knownEnd[r.localPlayer];
  r.commands[r.localPlayer][ring(end)] = command;
  ++end;
}

bool rollbackAddRemote(Rollback& r, int32_t tick, NetCommand command) {
  const int32_t remote = otherPlayer(r);
  if (tick != r.knownEnd[remote] || tick >= r.tick + kCommandRing / 2) return false;
  r.commands[remote][ring(tick)] = command;
  ++r.knownEnd[remote];
  if (command.pressed != 0) {
    // Pressed at its tick - delay on the other machine; shown here at that tick's turn, or now
    // when it has gone by. The two machines' tick counts are lined up by the leads: each holds
    // the line's delay one way, and their difference is twice how far this side is ahead (less
    // one: the other side told its lead after running its tick, this side's is before).
    const int32_t shown = std::max(tick, r.tick);
    const int32_t twiceAhead = r.leadKnown ? rollbackLead(r) - std::clamp(r.peerLead, -kMostLead, kMostLead) + 1 : 0;
    const int32_t felt = std::max(0, (2 * (shown - (tick - r.delay)) - twiceAhead + 1) / 2);
    ++r.pressesSeen;
    r.feltTicksTotal += felt;
    r.feltTicksMost = std::max(r.feltTicksMost, felt);
  }
  if (tick < r.tick && command != r.used[ring(tick)] && (r.firstWrong < 0 || tick < r.firstWrong))
    r.firstWrong = tick;
  return true;
}

bool rollbackStep(Rollback& r, const RollbackWorld& world) {
  if (r.firstWrong >= 0) runAgainFromFirstWrong(r, world);
  if (r.endTick > 0 && r.tick >= r.endTick) return false;
  if (r.knownEnd[r.localPlayer] <= r.tick || tooFarAhead(r)) {
    ++r.framesWaited;
    return false;
  }
  if (leadsTooMuch(r)) {
    ++r.framesIdled;
    return false;
  }
  runOneTick(r, world, r.tick, false);
  ++r.tick;
  return true;
}

int32_t rollbackConfirmedEnd(const Rollback& r) {
  int32_t end = std::min({r.tick, r.knownEnd[0], r.knownEnd[1]});
  if (r.firstWrong >= 0) end = std::min(end, r.firstWrong);
  return end;
}

NetCommand rollbackCommand(const Rollback& r, int32_t player, int32_t tick) {
  return r.commands[player][ring(tick)];
}

uint64_t rollbackCheckDigest(const Rollback& r, int32_t ticks) {
  return r.checkDigest[(ticks / kCheckEvery) % kCheckRing];
}

// Whatever the other side claimed for its tick, a lead past the command ring's reach means
// nothing more than one at its edge, and the sum must not overflow.
int32_t rollbackLead(const Rollback& r) {
  const int64_t lead = int64_t{r.tick} - r.peerTick;
  return static_cast<int32_t>(std::clamp<int64_t>(lead, -kMostLead, kMostLead));
}
