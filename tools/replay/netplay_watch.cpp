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
constexpr auto kWaitingPoll = std::chrono::milliseconds(2);
// How far behind the newest confirmed tick a watcher plays: the feed comes in batches, and a
// watcher this far back never runs out of controls between them.
constexpr int32_t kWatchBehindTicks = 120;

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

}  // namespace

int netplayWatch(const std::string& lobbyHost, uint16_t port, const std::string& code, const std::string& outPath) {
  std::string error;
  if (!outPath.empty() && !canWriteAtomically(outPath, &error)) return refuse(error);
  const PackList pack = listPack(".");
  static LobbyClient c;
  if (!lobbyClientWatch(c, lobbyHost, port, code, pack, &error)) return refuse(error);
  while (c.state != kClientEnded && !(c.state == kClientWatching && c.planKnown)) {
    lobbyClientStep(c, netClockMs());
    std::this_thread::sleep_for(kWaitingPoll);
  }
  if (c.state == kClientEnded) return refuse(c.endMessage);
  const SessionPlan& plan = c.watchPlan;
  const int32_t end = static_cast<int32_t>(plan.ticks);
  useNullPlatform(true);
  startRecordedStage(plan.seed, plan.world, plan.stage);
  Recording out;
  out.world = plan.world;
  out.stage = plan.stage;
  out.seed = plan.seed;
  // Wait for the feed to run two seconds ahead (or to be whole), then catch up headless.
  while (c.state != kClientEnded && static_cast<int32_t>(c.feed.size()) < std::min(end, kWatchBehindTicks)) {
    lobbyClientStep(c, netClockMs());
    std::this_thread::sleep_for(kWaitingPoll);
  }
  const int32_t joinedAt = static_cast<int32_t>(c.feed.size());
  int32_t tick = 0;
  for (; tick + kWatchBehindTicks < joinedAt; ++tick) {
    headlessTick(inputOf(c.feed[tick]));
    out.ticks.push_back(inputOf(c.feed[tick]));
  }
  std::printf("netplay watching %s/%s seed %u ticks %u: joined at tick %d, caught up to tick %d\n", plan.world,
              plan.stage, plan.seed, plan.ticks, joinedAt, tick);
  std::fflush(stdout);
  auto next = std::chrono::steady_clock::now();
  while (tick < end) {
    lobbyClientStep(c, netClockMs());
    const int32_t known = static_cast<int32_t>(c.feed.size());
    if (tick < known) {
      headlessTick(inputOf(c.feed[tick]));
      out.ticks.push_back(inputOf(c.feed[tick]));
      ++tick;
    } else if (c.state == kClientEnded) {
      break;
    }
    next += kFrame;
    std::this_thread::sleep_until(next);
  }
  lobbyClientLeave(c);
  if (!outPath.empty()) {
    fingerprintContentUsed(&out);
    if (!writeFileAtomically(outPath, formatRecording(out), &error)) return refuse(error);
  }
  if (tick < end) return refuse("the fight ended before its end: " + c.endMessage);
  printDigest("end", static_cast<size_t>(tick));
  return 0;
}
