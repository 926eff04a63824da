#include "netplay_watch.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "base/whole_file.h"
#include "net/lobby/lobby.h"
#include "net/lobby_client.h"
#include "net/pack_list.h"
#include "platform/null_platform.h"
#include "sim/recording.h"
#include "stage_run.h"

namespace {

constexpr int kRefused = 1;
constexpr auto kFrame = std::chrono::milliseconds(17);
// How far behind the newest confirmed tick a watcher plays: the feed comes in batches, and a
// watcher this far back never runs out of controls between them.
constexpr int32_t kWatchBehindTicks = 120;

enum WatchPhase { kWatchOver = 0, kWatchWaitingForPlan, kWatchWaitingForFeed, kWatchRunning };

// Who writes what: netplayWatchStart fills the client and the out path; the steps the rest.
struct WatchRun {
  int32_t phase = kWatchOver;
  LobbyClient client;
  PackList pack;
  std::string outPath;
  Recording out;
  int32_t tick = 0;
  std::chrono::steady_clock::time_point next;
};
WatchRun watch;

int refuse(const std::string& message) {
  std::fprintf(stderr, "brawler-replay: %s\n", message.c_str());
  return kRefused;
}

TickInput inputOf(const FeedTick& f) {
  TickInput input{};
  for (int p = 0; p < 2; ++p) {
    input.held[p] = f.player[p].held;
    input.pressed[p] = f.player[p].pressed;
  }
  return input;
}

void runFedTick() {
  const TickInput input = inputOf(watch.client.feed[static_cast<size_t>(watch.tick)]);
  headlessTick(input);
  watch.out.ticks.push_back(input);
  ++watch.tick;
}

int32_t planEnd() { return static_cast<int32_t>(watch.client.watchPlan.ticks); }

void startStage() {
  const SessionPlan& plan = watch.client.watchPlan;
  useNullPlatform(true);
  startRecordedStage(plan.seed, plan.world, plan.stage);
  watch.out = Recording{};
  watch.out.world = plan.world;
  watch.out.stage = plan.stage;
  watch.out.seed = plan.seed;
  watch.tick = 0;
  watch.phase = kWatchWaitingForFeed;
}

// Once the feed runs two seconds ahead (or is whole): caught up at once, headless.
void catchUp() {
  const LobbyClient& c = watch.client;
  const SessionPlan& plan = c.watchPlan;
  const int32_t joinedAt = static_cast<int32_t>(c.feed.size());
  while (watch.tick + kWatchBehindTicks < joinedAt) runFedTick();
  std::printf("netplay watching %s/%s seed %u ticks %u: joined at tick %d, caught up to tick %d\n", plan.world,
              plan.stage, plan.seed, plan.ticks, joinedAt, watch.tick);
  std::fflush(stdout);
  watch.next = std::chrono::steady_clock::now();
  watch.phase = kWatchRunning;
}

int finish() {
  LobbyClient& c = watch.client;
  lobbyClientLeave(c);
  watch.phase = kWatchOver;
  std::string error;
  if (!watch.outPath.empty()) {
    fingerprintContentUsed(&watch.out);
    if (!writeFileAtomically(watch.outPath, formatRecording(watch.out), &error)) return refuse(error);
  }
  if (watch.tick < planEnd()) return refuse("the fight ended before its end: " + c.endMessage);
  printDigest("end", static_cast<size_t>(watch.tick));
  return 0;
}

}  // namespace

bool netplayWatchStart(const std::string& lobbyHost, uint16_t port, const std::string& code, const std::string& outPath,
                       int* status) {
  std::string error;
  *status = 0;
  watch.phase = kWatchOver;
  if (!outPath.empty() && !canWriteAtomically(outPath, &error)) {
    *status = refuse(error);
    return false;
  }
  watch.outPath = outPath;
  watch.pack = listPack(".");
  if (!lobbyClientWatch(watch.client, lobbyHost, port, code, watch.pack, &error)) {
    *status = refuse(error);
    return false;
  }
  watch.phase = kWatchWaitingForPlan;
  return true;
}

bool netplayWatchStep(int* status) {
  LobbyClient& c = watch.client;
  lobbyClientStep(c, netClockMs());
  if (watch.phase == kWatchWaitingForPlan) {
    if (c.state == kClientEnded) {
      lobbyClientLeave(c);
      watch.phase = kWatchOver;
      *status = refuse(c.endMessage);
      return false;
    }
    if (c.state == kClientWatching && c.planKnown) startStage();
  }
  if (watch.phase == kWatchWaitingForFeed &&
      (c.state == kClientEnded || static_cast<int32_t>(c.feed.size()) >= std::min(planEnd(), kWatchBehindTicks)))
    catchUp();
  if (watch.phase != kWatchRunning) return true;
  // A tick a frame, never past the confirmed controls.
  if (watch.tick < planEnd() && std::chrono::steady_clock::now() >= watch.next) {
    if (watch.tick < static_cast<int32_t>(c.feed.size())) runFedTick();
    watch.next += kFrame;
  }
  const bool over = watch.tick >= planEnd() || (c.state == kClientEnded && watch.tick >= static_cast<int32_t>(c.feed.size()));
  if (!over) return true;
  *status = finish();
  return false;
}

int netplayWatch(const std::string& lobbyHost, uint16_t port, const std::string& code, const std::string& outPath) {
  int status = 0;
  if (!netplayWatchStart(lobbyHost, port, code, outPath, &status)) return status;
  while (netplayWatchStep(&status)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return status;
}
