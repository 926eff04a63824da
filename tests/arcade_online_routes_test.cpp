// Every way an online arcade session can go, over loopback: each side a forked copy of this
// test on the null platform, played by a small script instead of hands, with a hook that
// shortens the way on both sides alike (a stage cleared, everyone down, a world finished) and
// never changes the rules. The sides print where they are ("arcade: map"), as the game does.
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "arcade/arcade_online.h"
#include "arcade/score.h"
#include "arcade_driver.h"
#include "net/session.h"
#include "platform/net.h"
#include "process_helpers.h"

namespace {

constexpr int kWaitMs = 60000;
constexpr int kPollMs = 100;
constexpr int32_t kTicksBeforeShortcut = 30;
// After its session the arcade runs on by itself; the initials and high scores close in time.
constexpr int kFramesToTitle = 20000;
// The map takes a held attack once its markers stand, and sets off once it is let go.
constexpr int32_t kMapHoldCalls = 90;
constexpr int32_t kCallsBeforePause = 10;

// ---- the scripts, one per side, each in its own process ------------------------------------

struct Script {
  void (*hook)(int32_t tick) = nullptr;  // the same on both sides, or only on the side it upsets
  bool walksMap = false;                 // the host: sets off from every map
  int32_t leavesOnMap = 0;               // Escape on the map the nth time it shows (0: never)
  bool continues = false;                // presses attack while the game is over
  bool pausesOnce = false;               // Escape once on the stage
  bool goesOnFromPause = false;          // attack in the pause box: GO ON
  std::string confirmsOnceThere;         // select is confirmed only once this file is there
};

Script script;
int32_t screenSeen = -1, mapsSeen = 0, calls = 0, callsOnScreen = 0;
bool saidContinue = false, confirmed = false, paused = false;

NetCommand scriptedControls() {
  if (arcade.screen != screenSeen) {
    screenSeen = arcade.screen;
    callsOnScreen = 0;
    if (screenSeen == kArcadeMap) ++mapsSeen;
  }
  ++callsOnScreen;
  // A press every other frame: each one goes down anew.
  const bool beat = ++calls % 2 == 0;
  NetCommand c;
  auto press = [&](int action) {
    if (!beat) return;
    c.held |= static_cast<uint8_t>(1u << action);
    c.pressed |= static_cast<uint8_t>(1u << action);
  };
  // One press confirms; another would start the box's flash again and hold the screen.
  if (arcade.screen == kArcadeSelect && !confirmed &&
      (script.confirmsOnceThere.empty() || access(script.confirmsOnceThere.c_str(), F_OK) == 0)) {
    press(kActionJump);
    confirmed = beat;
  }
  if (arcade.screen == kArcadeMap && mapsSeen == script.leavesOnMap && beat)
    c.pressed |= static_cast<uint8_t>(1u << kNetPauseBit);
  else if (arcade.screen == kArcadeMap && script.walksMap && callsOnScreen < kMapHoldCalls)
    c.held |= static_cast<uint8_t>(1u << kActionAttack);
  if (arcade.screen == kArcadeStage && script.pausesOnce && !paused && callsOnScreen > kCallsBeforePause && beat) {
    c.pressed |= static_cast<uint8_t>(1u << kNetPauseBit);
    paused = true;
  }
  if (arcade.screen == kArcadeStage && arcade.phase == kPhasePaused && script.goesOnFromPause) press(kActionAttack);
  if (arcade.screen == kArcadeStage && arcade.phase == kPhaseGameOver && script.continues) {
    press(kActionAttack);
    if (!saidContinue) std::printf("script: continue pressed\n");
    saidContinue = true;
  }
  return c;
}

// The session tick the stage began on: the stage starts on an agreed tick, and every tick run
// again is at or past it, so both sides count from the same tick.
int32_t stageSince = -1;
bool onStageFor(int32_t tick, int32_t ticks) {
  if (arcade.screen != kArcadeStage) {
    stageSince = -1;
    return false;
  }
  if (stageSince < 0) stageSince = tick;
  return tick - stageSince >= ticks;
}

void clearEachStage(int32_t tick) {
  if (onStageFor(tick, kTicksBeforeShortcut)) clearStageAtOnce();
}

// Everyone down on their last life until someone continues; then the stage is cleared.
void gameOverThenClear(int32_t tick) {
  if (!onStageFor(tick, kTicksBeforeShortcut) || arcade.phase != kPhasePlaying) return;
  if (scores.continued[0] != 0) return clearStageAtOnce();
  for (int p = 0; p < kNetPlayers; ++p) scores.lives[p] = 1, entities[p].hp = 0, entities[p].playerState = kPlayerDead;
}

// Every other stage of the world counted as cleared, and this one cleared: the world is done.
void finishEachWorld(int32_t tick) {
  if (!onStageFor(tick, kTicksBeforeShortcut)) return;
  for (const std::string& stage : overworld.nodeStage) markStageCleared(stage);
  clearStageAtOnce();
}

// One side's world goes its own way, at one tick (on every run of it).
void upsetOnce(int32_t tick) {
  if (onStageFor(tick, kTicksBeforeShortcut) && tick == stageSince + kTicksBeforeShortcut) entities[0].hp -= 1;
}

// ---- the two sides -------------------------------------------------------------------------

// The shipped pack as links in a folder of its own, where a DESYNC's files may go.
std::string packCopy() {
  const std::string folder = makeEmptyDir();
  const std::string command = "cp -rs '" + std::string(BRAWLER_CONTENT_DIR) + "/.' '" + folder + "'";
  return std::system(command.c_str()) == 0 ? folder : "";
}

void playSide(const std::string& folder, const OnlineRequest& request, const Script& own) {
  if (chdir(folder.c_str()) != 0) _exit(3);
  script = own;
  onlineControls = scriptedControls;
  onlineTickHook = own.hook;
  // The other side runs in real time: so does this one while the session lasts.
  nullRealClock = true;
  playOnline(request);
  nullRealClock = false;
  onlineControls = nullptr;
  onlineTickHook = nullptr;
  for (int f = 0; f < kFramesToTitle && arcade.screen != kArcadeTitle; ++f) arcadeFrame(), nullQuads.clear();
  std::fflush(stdout);
}

struct Pair {
  std::string folder;
  ChildProcess host, joiner;
  int port = 0;
};

::testing::AssertionResult startPair(Pair* pair, const Script& host, const Script& joiner) {
  pair->folder = packCopy();
  if (pair->folder.empty()) return ::testing::AssertionFailure() << "no copy of the pack";
  OnlineRequest hosting;
  hosting.hosting = true;
  hosting.port = 0;
  if (!forkChild([&] { playSide(pair->folder, hosting, host); }, &pair->host))
    return ::testing::AssertionFailure() << "no host";
  std::smatch port;
  if (!waitForOutput(&pair->host, " port ", kWaitMs) || !waitForOutput(&pair->host, "\n", kWaitMs) ||
      !std::regex_search(pair->host.out, port, std::regex("waiting on port ([0-9]+)\n")))
    return ::testing::AssertionFailure() << "the host never said its port:\n" << pair->host.out;
  pair->port = std::stoi(port[1].str());
  OnlineRequest joining;
  joining.joining = true;
  joining.host = "127.0.0.1";
  joining.port = static_cast<uint16_t>(pair->port);
  if (!forkChild([&] { playSide(pair->folder, joining, joiner); }, &pair->joiner))
    return ::testing::AssertionFailure() << "no joiner";
  return ::testing::AssertionSuccess();
}

// The lines appear in this order in the side's output (others may come between).
::testing::AssertionResult showsInOrder(ChildProcess* side, const std::vector<std::string>& lines) {
  size_t from = 0;
  int waitedMs = 0;
  for (const std::string& line : lines) {
    for (;;) {
      const size_t at = side->out.find(line + "\n", from);
      if (at != std::string::npos) {
        from = at + line.size() + 1;
        break;
      }
      const bool running = stillRunningAfter(side, kPollMs);
      waitedMs += kPollMs;
      if ((!running || waitedMs > kWaitMs) && side->out.find(line + "\n", from) == std::string::npos)
        return ::testing::AssertionFailure() << "never showed \"" << line << "\":\n" << side->out;
    }
  }
  return ::testing::AssertionSuccess();
}

void finish(Pair* pair) {
  for (ChildProcess* side : {&pair->host, &pair->joiner}) {
    const ChildResult result = finishChild(side, kWaitMs);
    EXPECT_TRUE(result.exited && result.exitCode == 0) << result.out;
  }
}

class OnlineRoutes : public ArcadeFlow {
 protected:
  void SetUp() override {
    ArcadeFlow::SetUp();
    script = Script{};
    screenSeen = -1, mapsSeen = 0, calls = 0, stageSince = -1, saidContinue = false, confirmed = false, paused = false;
  }
};

const std::vector<std::string> kToTheSecondMap = {"arcade: select", "arcade: map", "arcade: stage world1/stage1",
                                                   "arcade: map"};

TEST_F(OnlineRoutes, EveryRouteThroughTheRunEndsTheSameOnBothSides) {
  struct Case {
    const char* shows;
    Script host, joiner;
    std::vector<std::string> hostLines, joinerLines;
  };
  std::vector<std::string> leftAfterTheClear = kToTheSecondMap;
  leftAfterTheClear.insert(leftAfterTheClear.end(), {"arcade: online the other player left", "arcade: title"});
  std::vector<std::string> clearedThenLeft = kToTheSecondMap;
  clearedThenLeft.push_back("arcade: title");
  std::vector<std::string> continuedThenLeft = {"script: continue pressed"};
  continuedThenLeft.insert(continuedThenLeft.end(), leftAfterTheClear.begin() + 3, leftAfterTheClear.end());
  const std::vector<std::string> toTheEnd = {"arcade: stage world1/stage1", "arcade: map", "arcade: stage world2/stage1",
                                             "arcade: the end", "arcade: title"};
  const Case cases[] = {
      {"a stage cleared together leads both to the map",
       {clearEachStage, true, 2}, {clearEachStage}, clearedThenLeft, leftAfterTheClear},
      {"the game over's continue, pressed on one side, takes both on to the map",
       {gameOverThenClear, true, 2}, {gameOverThenClear, false, 0, true}, clearedThenLeft, continuedThenLeft},
      {"the last world's end shows THE END on both, then each its own title",
       {finishEachWorld, true}, {finishEachWorld}, toTheEnd, toTheEnd},
      {"Escape on the map ends the session on both; the other side is told",
       {nullptr, false, 1}, {nullptr, false, 0},
       {"arcade: map", "arcade: title"}, {"arcade: map", "arcade: online the other player left", "arcade: title"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shows);
    Pair pair;
    ASSERT_TRUE(startPair(&pair, c.host, c.joiner));
    EXPECT_TRUE(showsInOrder(&pair.host, c.hostLines));
    EXPECT_TRUE(showsInOrder(&pair.joiner, c.joinerLines));
    finish(&pair);
  }
}

// The joiner pauses the stage once and the host goes on from the box: the replay takes the
// Escape from the side's account, which a recording of the actions cannot hold.
TEST_F(OnlineRoutes, OneSideUpsetShowsDesyncOnBothAndTheReplayNamesThatSide) {
  Script host{upsetOnce, true};
  host.goesOnFromPause = true;
  Script joiner;
  joiner.pausesOnce = true;
  Pair pair;
  ASSERT_TRUE(startPair(&pair, host, joiner));
  ASSERT_TRUE(showsInOrder(&pair.host, {"arcade: stage world1/stage1"}));
  ASSERT_TRUE(waitForOutput(&pair.host, "arcade: online DESYNC after tick ", kWaitMs)) << pair.host.out;
  ASSERT_TRUE(waitForOutput(&pair.host, "\n", kWaitMs));
  std::smatch tick;
  ASSERT_TRUE(std::regex_search(pair.host.out, tick, std::regex("DESYNC after tick ([0-9]+)\n")));
  const std::string desync = "arcade: online DESYNC after tick " + tick[1].str();
  for (ChildProcess* side : {&pair.host, &pair.joiner})
    EXPECT_TRUE(showsInOrder(side, {desync, "arcade: title"}));
  EXPECT_TRUE(showsInOrder(&pair.host, {"arcade: online netplay-host.replay written", "arcade: online netplay-host.checks written"}));
  EXPECT_TRUE(showsInOrder(&pair.joiner, {"arcade: online netplay-joiner.replay written", "arcade: online netplay-joiner.checks written"}));
  finish(&pair);
  std::ifstream account(pair.folder + "/netplay-joiner.checks");
  const std::string accountText((std::istreambuf_iterator<char>(account)), std::istreambuf_iterator<char>());
  EXPECT_NE(accountText.find("\nescape "), std::string::npos) << "the pause is in the account:\n" << accountText;

  ChildOptions replay;
  replay.program = BRAWLER_REPLAY_BINARY;
  replay.workDir = pair.folder;
  replay.setEnv = {{"ASAN_OPTIONS", "detect_leaks=0"}};
  replay.args = {"session", "netplay-host.replay", "netplay-joiner.replay"};
  const ChildResult result = runChild(replay, kWaitMs);
  EXPECT_EQ(result.exitCode, 1) << result.out;
  EXPECT_NE(result.out.find("netplay-host.replay: parts from the replay after tick " + tick[1].str() + " "), std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("netplay-joiner.replay: the same as the replay at all "), std::string::npos) << result.out;
}

TEST_F(OnlineRoutes, TheOtherSideGoneSilentIsConnectionLost) {
  Pair pair;
  ASSERT_TRUE(startPair(&pair, Script{nullptr, true}, Script{}));
  ASSERT_TRUE(showsInOrder(&pair.joiner, {"arcade: stage world1/stage1"}));
  kill(pair.joiner.pid, SIGKILL);
  EXPECT_TRUE(showsInOrder(&pair.host, {"arcade: online CONNECTION LOST", "arcade: title"}));
  const ChildResult host = finishChild(&pair.host, kWaitMs);
  EXPECT_TRUE(host.exited && host.exitCode == 0) << host.out;
  finishChild(&pair.joiner, kWaitMs);
}

TEST_F(OnlineRoutes, AThirdMachineIsToldTheSessionIsFullAndTheFightGoesOn) {
  Script host{clearEachStage, true, 2};
  Script joiner{clearEachStage};
  const std::string letGo = makeEmptyDir() + "/third-done";
  host.confirmsOnceThere = joiner.confirmsOnceThere = letGo;
  Pair pair;
  ASSERT_TRUE(startPair(&pair, host, joiner));
  ASSERT_TRUE(showsInOrder(&pair.host, {"arcade: select"}));
  ASSERT_TRUE(showsInOrder(&pair.joiner, {"arcade: select"}));
  const int port = pair.port;
  const ChildResult third = runInFork(
      [port] {
        const PackList pack = listPack(".");
        NetSession s;
        std::string error;
        if (!sessionJoin(s, "127.0.0.1", static_cast<uint16_t>(port), pack, &error)) return;
        while (s.state != kSessionEnded) {
          sessionPoll(s, netClockMs());
          std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::printf("third: %s\n", sessionEndMessage(s).c_str());
        sessionLeave(s, s.end);
      },
      kWaitMs);
  EXPECT_NE(third.out.find("third: session full\n"), std::string::npos) << third.out;
  std::ofstream(letGo) << "\n";
  std::vector<std::string> joinerLines = kToTheSecondMap;
  joinerLines.insert(joinerLines.end(), {"arcade: online the other player left", "arcade: title"});
  EXPECT_TRUE(showsInOrder(&pair.host, kToTheSecondMap));
  EXPECT_TRUE(showsInOrder(&pair.joiner, joinerLines));
  finish(&pair);
}

}  // namespace
