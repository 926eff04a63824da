// The online arcade: the wait for the other machine, the session in step, and its end.
//
// The whole session is a function of the host's seed and the two players' controls tick by
// tick. Each side runs a tick of whichever screen is up only once both players' controls for
// it are here (the rollback driver with no prediction), feeding the screens those controls as
// if both players sat at this machine; so both sides change screens at the same tick, and a
// stage's rules (cleared, everyone down, the continue) act on agreed ticks only.
#include "arcade/arcade_online.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "arcade/arcade.h"
#include "arcade/score.h"
#include "arcade/session_account.h"
#include "base/content_folder.h"
#include "base/fingerprint.h"
#include "base/whole_file.h"
#include "net/lobby_client.h"
#include "net/round_trip.h"
#include "net/session.h"
#include "platform/net.h"
#include "screens/screens.h"
#include "shell/input.h"
#include "shell/screen_state.h"
#include "shell/settings.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/random.h"
#include "sim/recording.h"
#include "sim/world.h"

namespace {

// While nothing can run (the other side's controls are on their way), the packets are looked
// at this often.
constexpr auto kWaitingPoll = std::chrono::milliseconds(1);
// A side that leaves the session on purpose waits this long at most for the other side to
// have its controls up to the tick it left on, so that the other side leaves there too.
constexpr uint64_t kLingerMs = 1000;
constexpr long kMostLatencyMs = 1000;
constexpr const char* kSessionWorldName = "arcade";
constexpr const char* kSessionStageName = "session";

// The screens a session runs through together; a tick that asks for any other screen ends it.
constexpr int32_t kSessionScreens[] = {kArcadeSelect, kArcadeMap, kArcadeStage, kArcadeEnd};

// The binding tables as a whole, so that the player's own (read for this side's controls) and
// the session's (the defaults, one code per action on both machines) can take turns.
struct BindingTables {
  int32_t up[kBindPlayers], down[kBindPlayers], left[kBindPlayers], right[kBindPlayers], attack[kBindPlayers],
      extra[kBindPlayers], jump[kBindPlayers];
};
// In the order of PlayerAction.
int32_t* const kActionBindings[kPlayerActions] = {bindUp, bindDown, bindLeft, bindRight, bindAttack, bindExtra, bindJump};

BindingTables takeBindings() {
  BindingTables t;
  int32_t* const tables[kPlayerActions] = {t.up, t.down, t.left, t.right, t.attack, t.extra, t.jump};
  for (int a = 0; a < kPlayerActions; ++a) std::memcpy(tables[a], kActionBindings[a], sizeof t.up);
  return t;
}

void putBindings(const BindingTables& t) {
  const int32_t* const tables[kPlayerActions] = {t.up, t.down, t.left, t.right, t.attack, t.extra, t.jump};
  for (int a = 0; a < kPlayerActions; ++a) std::memcpy(kActionBindings[a], tables[a], sizeof t.up);
}

// Where an online run stands between frames. A page cannot wait in a loop, so each phase is a
// step that runs once a frame (onlineFrame), on the desktop as in a browser.
enum OnlinePhase {
  kOnlineOver = 0,   // the arcade has its own screens again
  kOnlinePlaying,    // the session's ticks
  kOnlineLingering,  // this side left: the other side hears up to where
  kOnlineWatching,   // a watcher runs the players' confirmed controls
  kOnlineMessage,    // how it ended, in words, before the screen after it
};

// Who writes what: arcadeOnlineMain owns the session and the binding tables; the session's
// tick (sessionTick) writes tickCommands, leaving and runOver; the step after it writes agreed;
// the phases' steps write phase and what follows it.
struct OnlineArcade {
  int32_t phase = kOnlineOver;
  NetSession session;
  BindingTables own;      // the player's, from the settings
  BindingTables shared;   // the defaults, the same on both machines
  NetCommand tickCommands[kNetPlayers] = {};  // fed to the screens by the input poll
  bool leaving = false;   // a tick asked for a screen outside the session
  int32_t leftAtTick = 0;
  int32_t leftFrom = 0;   // the screen the session was on when it was left
  bool runOver = false;   // ... because the run ended: game over not continued, or THE END
  int32_t printedCheck = 0;
  Recording agreed;       // both players' controls of every agreed tick
  // The stage runs ahead on guesses and is put back (save and restore below) when they were
  // wrong; these three go back with it.
  int32_t nextTick = 0;   // the tick the world runs next
  int32_t exitTick = 0;   // the tick a step ended the stage on, in the world as it now runs
  // The stage's last still ticks, up to the one that left it: their commands no longer matter,
  // and a wrong guess among them must not take the next screen back to the stage.
  int32_t stillUpTo = -1;
  // How long this side's controls take to be acknowledged: the screens' input delay follows it.
  RoundTrip roundTrip;
  int32_t screenDelay = 0;  // the figure last used off the stage, for the closing line
  // The pace off the stage, for the closing line: ticks run there and the time they took.
  int64_t screenTicks = 0;
  uint64_t screenMs = 0;
  uint64_t steppedMs = 0;  // when the session last stepped
  // What a replay needs beyond the controls, and this side's fingerprint at every check so
  // far: written beside the controls when the two sides part, so that a replay shows which
  // side went its own way, and where.
  SessionAccount account;
  uint64_t frameMs = 0;  // when the session's last frame began
  uint64_t lingerUntilMs = 0;
  LobbyClient* watched = nullptr;  // a watcher's client
  std::string message;             // the message phase's line
  int32_t messageTicks = 0;        // frames it has been up
  int32_t afterMessage = kArcadeTitle;  // the screen that follows it
};
OnlineArcade online;
// The room's client while its session plays (the ONLINE screens), null for --host and --join.
LobbyClient* roomLine = nullptr;

// The session playing: --host's or --join's own, or the room's.
NetSession& liveSession() { return roomLine != nullptr ? roomLine->session : online.session; }

// The line to the other side: the session's own endpoint, or the lobby client's around it
// (which hands the session its packets, directly or through the relay, and feeds the watchers).
void pollLine(uint64_t nowMs) {
  if (roomLine != nullptr)
    lobbyClientStep(*roomLine, nowMs);
  else
    sessionPoll(online.session, nowMs);
}

// Through a lobby the client says the goodbyes, after the watchers' last controls.
void leaveLine(int32_t end) {
  if (roomLine != nullptr)
    lobbyClientLeave(*roomLine);
  else
    sessionLeave(online.session, end);
}

// The stage as it was before a tick: the world and what the arcade keeps of the stage.
struct StageSnapshot {
  WorldSnapshot world;
  ArcadeScores scores;
  int32_t phase, phaseTicks, pauseChoice, stageExit, boss, bossSeen, bossCardTicks, markTicks;
  int32_t nextTick, exitTick;
};
StageSnapshot snapshots[kSnapshotRing];

// The arcade's stage rules a tick writes, beside the world: a rollback puts back both. One list
// for the save and the restore, so a field added to one is in the other.
template <typename From, typename To>
void copyStageRules(const From& from, To& to) {
  to.phase = from.phase;
  to.phaseTicks = from.phaseTicks;
  to.pauseChoice = from.pauseChoice;
  to.stageExit = from.stageExit;
  to.boss = from.boss;
  to.bossSeen = from.bossSeen;
  to.bossCardTicks = from.bossCardTicks;
  to.markTicks = from.markTicks;
}

bool inSession(int32_t screen) {
  for (int32_t s : kSessionScreens)
    if (s == screen) return true;
  return false;
}

// ---- the controls ----------------------------------------------------------------------------

// The poll while a session runs: both players' agreed controls of the tick, on the session's
// bindings, Escape for either player's pause.
void feedTickCommands() {
  for (int code = 1; code <= kInputCodes; ++code) keyHeld[code] = keyPressed[code] = 0;
  for (int p = 0; p < kNetPlayers; ++p) {
    const NetCommand c = online.tickCommands[p];
    for (int a = 0; a < kPlayerActions; ++a) {
      const int32_t code = kActionBindings[a][p];
      if (code < 1 || code > kInputCodes) continue;
      if ((c.held >> a & 1) != 0) keyHeld[code] = -1;
      if ((c.pressed >> a & 1) != 0) keyPressed[code] = -1;
    }
    if ((c.pressed >> kNetPauseBit & 1) != 0) keyPressed[kKeyEscape] = -1;
  }
}

// This side's controls now: its devices through the player's own bindings, any of its players'
// rows (keys or pad), as the one player this machine has.
NetCommand readLocalCommand() {
  inputFeed = nullptr;
  putBindings(online.own);
  pollInput();
  buildPlayerCommands();
  putBindings(online.shared);
  inputFeed = feedTickCommands;
  NetCommand c;
  for (int row = 0; row < kNetPlayers; ++row) {
    const PlayerCommand& command = playerCommands[row];
    for (int a = 0; a < kPlayerActions; ++a) {
      c.held |= static_cast<uint8_t>((command.held[a] != 0 ? 1u : 0u) << a);
      c.pressed |= static_cast<uint8_t>((command.pressed[a] != 0 ? 1u : 0u) << a);
    }
    if (command.pausePressed != 0) c.pressed |= static_cast<uint8_t>(1u << kNetPauseBit);
  }
  return c;
}

// ---- the session's world: the arcade's screens, a tick a frame ---------------------------------

int32_t noteRunOver(int32_t otherwise) {
  online.runOver = true;
  return otherwise;
}

// The screen the tick asked for: one of the session's, or the session's end.
void goToNextScreen() {
  if (inSession(arcade.nextScreen)) {
    enterArcadeScreen(arcade.nextScreen);
    // Only the stage's ticks can be put back: everywhere else each tick waits for both players.
    liveSession().rollback.prediction = arcade.screen == kArcadeStage ? kMostPrediction : 0;
    return;
  }
  online.leaving = true;
  online.leftAtTick = online.nextTick - 1;
  online.leftFrom = arcade.screen;
}

// A step that ends the stage does not leave it at once: the stage stands still until
// kMostPrediction ticks later. A side never runs that far past the other's last known
// controls, so by then the tick that ended it ran with both players' real controls on both
// sides. Ticks guessed past that one are taken back (the driver's present set back to it).
void stageTick(bool again) {
  const int32_t tick = online.nextTick - 1;
  if (arcade.stageExit == kExitNone) {
    stageTickAlone(again);
    if (arcade.stageExit != kExitNone) online.exitTick = tick;
    return;
  }
  if (tick < online.exitTick + kMostPrediction) return;
  leaveStage();
  online.stillUpTo = tick;
  if (again) liveSession().rollback.tick = tick + 1;
  goToNextScreen();
}

void sessionTick(const NetCommand commands[kNetPlayers], bool again) {
  ++online.nextTick;
  if (online.leaving) return;
  if (onlineTickHook != nullptr) onlineTickHook(online.nextTick - 1);
  online.tickCommands[0] = commands[0];
  online.tickCommands[1] = commands[1];
  // The host alone walks the map; the joiner may still leave it.
  if (arcade.screen == kArcadeMap) {
    online.tickCommands[1].held = 0;
    online.tickCommands[1].pressed &= static_cast<uint8_t>(1u << kNetPauseBit);
  }
  if (arcade.screen == kArcadeStage) return stageTick(again);
  ++online.screenTicks;
  if (!runArcadeScreen()) arcade.nextScreen = kArcadeTitle;
  if (arcade.nextScreen != kArcadeNoScreen) goToNextScreen();
}

// Off the stage nothing of the world moves: the screen itself is what both sides must agree on.
uint64_t sessionDigest() {
  if (arcade.screen == kArcadeStage) return worldDigest() ^ fnv1a(&scores.points, sizeof scores.points, kFnvStart);
  return fnv1a(&arcade.screen, sizeof arcade.screen, kFnvStart);
}

void saveStage(int32_t slot) {
  StageSnapshot& s = snapshots[slot];
  s.nextTick = online.nextTick;
  s.exitTick = online.exitTick;
  if (arcade.screen != kArcadeStage) return;  // off the stage nothing is ever put back
  saveWorld(s.world);
  s.scores = scores;
  copyStageRules(arcade, s);
}

void restoreStage(int32_t slot) {
  const StageSnapshot& s = snapshots[slot];
  online.nextTick = s.nextTick;
  online.exitTick = s.exitTick;
  restoreWorld(s.world);
  scores = s.scores;
  copyStageRules(s, arcade);
}

void noSnapshot(int32_t) {}
void idleTick(const NetCommand[kNetPlayers], bool) {}

const RollbackWorld kSessionWorld = {saveStage, restoreStage, sessionTick, sessionDigest};
// After a side has left: its controls still go out, nothing more runs.
const RollbackWorld kIdleWorld = {noSnapshot, noSnapshot, idleTick, sessionDigest};

// ---- what a session leaves behind ------------------------------------------------------------

void takeAgreed() {
  const Rollback& r = liveSession().rollback;
  const int32_t confirmed = rollbackConfirmedEnd(r);
  for (int32_t t = static_cast<int32_t>(online.agreed.ticks.size()); t < confirmed; ++t) {
    TickInput input{};
    for (int32_t p = 0; p < kNetPlayers; ++p) {
      const NetCommand c = rollbackCommand(r, p, t);
      input.held[p] = c.held;
      input.pressed[p] = static_cast<uint8_t>(c.pressed & ~(1u << kNetPauseBit));
      if ((c.pressed >> kNetPauseBit & 1) != 0) online.account.escapes.push_back({t, p});
    }
    online.agreed.ticks.push_back(input);
  }
}

// Every kCheckEvery agreed ticks, the fingerprint both sides compare, for whoever watches.
void printChecks() {
  const NetSession& s = liveSession();
  while (online.printedCheck + kCheckEvery < s.nextCheck) {
    online.printedCheck += kCheckEvery;
    const int32_t slot = (online.printedCheck / kCheckEvery) % kCheckRing;
    online.account.checks.push_back(s.ourCheckDigests[slot]);
    std::fputs(checkLine(online.printedCheck, s.ourCheckDigests[slot]).c_str(), stdout);
    std::fflush(stdout);
  }
}

// Both players' agreed controls, and beside them this side's account: replayed on any machine,
// the controls give the honest world, and the first fingerprint that differs from it is where
// this side went its own way.
void writeAgreed() {
  const std::string name = liveSession().role == kRoleHost ? "netplay-host" : "netplay-joiner";
  const std::pair<std::string, std::string> files[] = {{name + ".replay", formatRecording(online.agreed)},
                                                       {name + ".checks", formatSessionAccount(online.account)}};
  for (const auto& [file, text] : files) {
    const std::string path = writtenFilePath(file);
    std::string error;
    if (writeFileAtomically(path, text, &error))
      std::printf("arcade: online %s written\n", path.c_str());
    else
      std::fprintf(stderr, "brawler-arcade: %s\n", error.c_str());
  }
}

// ---- the session's phases ----------------------------------------------------------------------

std::vector<std::string> waitLines(uint16_t port) {
  std::vector<std::string> lines = {"PORT " + std::to_string(port) + " (UDP)"};
  for (const std::string& address : netLocalAddresses()) lines.push_back(address);
  if (lines.size() == 1) lines.push_back("NO NETWORK ADDRESS BUT THIS MACHINE'S OWN");
  return lines;
}

// Until the greetings are through or the session ends; false when this side gave up.
bool waitForPeer(const OnlineRequest& request) {
  NetSession& s = liveSession();
  const std::string title = request.hosting ? "WAITING FOR THE OTHER PLAYER" : "JOINING " + request.host;
  const std::vector<std::string> lines = request.hosting ? waitLines(netLocalPort(s.endpoint)) : std::vector<std::string>{};
  if (request.hosting)
    std::printf("arcade: online waiting on port %u\n", netLocalPort(s.endpoint));
  else
    std::printf("arcade: online joining %s:%u\n", request.host.c_str(), request.port);
  std::fflush(stdout);
  while (s.state != kSessionPlaying && s.state != kSessionEnded) {
    pollLine(netClockMs());
    pollInput();
    if (windowCloseRequested != 0) {
      leaveLine(kEndLeft);
      endProgram();
    }
    if (isPressed(kKeyEscape)) {
      leaveLine(kEndLeft);
      return false;
    }
    drawOnlineWait(title, lines);
  }
  return true;
}

// This side's controls go ahead of its present by the session's delay on the stage, where a
// late one is guessed and put right, and off the stage by what the line asks for: there every
// tick waits for both players' controls, and a menu a few frames late is not felt where one
// that stops every other frame is. Each side's controls are a stream of their own, so each side
// picks its own figure with no word to the other: a rise is filled with what the other side
// would guess (the same actions held, nothing new pressed), a fall by not reading the devices
// until the present catches up (their events wait in the queue meanwhile).
void addLocalCommands() {
  Rollback& r = liveSession().rollback;
  const uint64_t now = netClockMs();
  roundTripHeardAck(online.roundTrip, liveSession().peerAck, now);
  int32_t ahead = r.delay;
  if (arcade.screen != kArcadeStage) ahead = online.screenDelay = delayForRoundTrip(roundTripMs(online.roundTrip), r.delay);
  int32_t& end = r.knownEnd[r.localPlayer];
  if (end > r.tick + ahead) return;
  NetCommand c = onlineControls != nullptr ? onlineControls() : readLocalCommand();
  while (end <= r.tick + ahead) {
    roundTripCommandAdded(online.roundTrip, end, now);
    rollbackAddLocal(r, c);
    c = predictCommand(c);
  }
}

// Off the stage every tick waits for both players, and every step sends this side's controls:
// while a tick cannot run, the loop looks at the packets every millisecond but steps (and
// sends) once a frame, as a running screen does.
bool stepDue(const Rollback& r, uint64_t now) {
  if (arcade.screen == kArcadeStage || r.firstWrong >= 0) return true;
  return std::min(r.knownEnd[0], r.knownEnd[1]) > r.tick || now >= online.steppedMs + kFrameMs;
}

// Both sides, and a replay, start the session's world alike: from the host's seed, on select.
void startSessionWorld(uint32_t seed, int32_t difficulty, int32_t lives) {
  seedRandom(seed);
  startNewGame(kNetPlayers, difficulty, lives);
  enterArcadeScreen(kArcadeSelect);
}

// The session's screens see the shared bindings, fed both players' controls of each tick.
void feedSessionControls() {
  online.own = takeBindings();
  setDefaultBindings();
  online.shared = takeBindings();
  inputFeed = feedTickCommands;
  endOfRun = noteRunOver;
}

// A page's frames come from the browser; only the desktop's loop waits for the line.
void restBriefly() {
  if (!framePacedByHost) std::this_thread::sleep_for(kWaitingPoll);
}

void startPlaying() {
  NetSession& s = liveSession();
  startSessionWorld(s.plan.seed, s.plan.difficulty, s.plan.lives);
  s.lastHeardMs = netClockMs();  // the screen's loading is not the other side's silence
  online.frameMs = netClockMs();
  online.phase = kOnlinePlaying;
}

// One frame of the session; false once it is over here (left, or ended by the line).
bool playFrame() {
  NetSession& s = liveSession();
  Rollback& r = s.rollback;
  if (s.state != kSessionPlaying || online.leaving) return false;
  const uint64_t now = netClockMs();
  if (arcade.screen != kArcadeStage) online.screenMs += now - online.frameMs;
  online.frameMs = now;
  pollLine(now);
  if (s.state != kSessionPlaying) return false;
  if (r.firstWrong >= 0 && r.firstWrong <= online.stillUpTo) r.firstWrong = -1;
  addLocalCommands();
  const int32_t before = r.tick;
  if (stepDue(r, now)) {
    sessionStep(s, kSessionWorld);
    online.steppedMs = now;
  }
  takeAgreed();
  printChecks();
  // The stage is drawn once a frame, however many ticks ran again, and its picture paces the
  // frames; the other screens draw (and pace) in their ticks.
  const bool drawn = arcade.screen == kArcadeStage && !online.leaving;
  if (drawn) drawStageAndOverlay();
  followWindowRequests();
  if (windowCloseRequested != 0) {
    leaveLine(kEndLeft);
    endProgram();
  }
  if (!drawn && r.tick == before) restBriefly();
  return true;
}

// The other side may have left on the tick it sent last: what is known still runs, so that
// this side reaches the same tick and leaves there too.
void runWhatIsKnown() {
  NetSession& s = liveSession();
  Rollback& r = s.rollback;
  if (s.end != kEndPeerLeft) return;
  for (int32_t tries = 0; tries < kCommandRing && !online.leaving && r.tick < std::min(r.knownEnd[0], r.knownEnd[1]); ++tries)
    rollbackStep(r, kSessionWorld);
}

// Each machine keeps its own player's run in its own table, named with its own controls:
// the joiner's run goes in as player 1's there.
int32_t ownRunOnly(int32_t localPlayer) {
  if (localPlayer != 0) {
    scores.points[0] = scores.points[localPlayer];
    scores.continued[0] = scores.continued[localPlayer];
    entities[0].name = entities[localPlayer].name;
  }
  arcade.players = 1;
  return screenAfterRun(kArcadeTitle);
}

// How the stage's guessing went, for whoever watches: rollbacks, ticks run again, frames
// spent waiting for the other side.
void printRollbacks(const Rollback& r) {
  std::printf("net rollbacks %lld ticks-again %lld waited %lld\n", static_cast<long long>(r.rollbacks),
              static_cast<long long>(r.ticksRunAgain), static_cast<long long>(r.framesWaited));
  // The screens off the stage: their pace, and the delay the line gave them.
  const double seconds = static_cast<double>(online.screenMs) / 1000;
  std::printf("net screens %lld ticks in %.1f s (%.1f a second) delay %d round trip %d ms\n",
              static_cast<long long>(online.screenTicks), seconds, seconds > 0 ? online.screenTicks / seconds : 0.0,
              online.screenDelay, roundTripMs(online.roundTrip));
  std::fflush(stdout);
}

// The run's own screens again, from `screen`.
void endOnlineRun(int32_t screen) {
  online.phase = kOnlineOver;
  roomLine = nullptr;
  enterArcadeScreen(screen);
}

// How it ended, in words, then `screen`.
void showEndThen(const std::string& message, int32_t screen) {
  std::printf("arcade: online %s\n", message.c_str());
  std::fflush(stdout);
  online.message = message;
  online.messageTicks = 0;
  online.afterMessage = screen;
  online.phase = kOnlineMessage;
}

void messageFrame() {
  if (!onlineMessageFrame(online.message, online.messageTicks++)) endOnlineRun(online.afterMessage);
}

// After the session: the title, or this machine's own end of the run.
void afterSession() {
  NetSession& s = liveSession();
  printRollbacks(s.rollback);
  inputFeed = nullptr;
  endOfRun = screenAfterRun;
  putBindings(online.own);
  if (online.leaving) {
    online.lingerUntilMs = netClockMs() + kLingerMs;
    online.phase = kOnlineLingering;
    return;
  }
  const int32_t end = s.end;
  leaveLine(end);
  printChecks();
  if (end == kEndDesync) writeAgreed();
  if (end != kEndLeft) return showEndThen(sessionEndMessage(s), kArcadeTitle);
  endOnlineRun(kArcadeTitle);
}

// This side left on its own tick: it stays until the other side has its controls up to there.
void lingerFrame() {
  NetSession& s = liveSession();
  if (s.state == kSessionPlaying && s.peerAck <= online.leftAtTick && netClockMs() < online.lingerUntilMs) {
    pollLine(netClockMs());
    sessionStep(s, kIdleWorld);
    restBriefly();
    return;
  }
  leaveLine(kEndFinished);
  const int32_t local = s.rollback.localPlayer;
  if (online.runOver) return endOnlineRun(ownRunOnly(local));
  // Escape off a menu, or the pause box's TITLE (player 1's): whoever did it knows.
  const NetCommand last = rollbackCommand(s.rollback, local, online.leftAtTick);
  const bool byThisSide = (last.pressed >> kNetPauseBit & 1) != 0 || (online.leftFrom == kArcadeStage && local == 0);
  if (!byThisSide) return showEndThen("the other player left", kArcadeTitle);
  endOnlineRun(kArcadeTitle);
}

void playingFrame() {
  if (playFrame()) return;
  runWhatIsKnown();
  afterSession();
}

bool parseNumber(const char* text, long most, long* value) {
  char* end = nullptr;
  *value = std::strtol(text, &end, 10);
  return *text != '\0' && *end == '\0' && *value >= 0 && *value <= most;
}

bool isNumber(const char* text) {
  long value = 0;
  return parseNumber(text, 65535, &value);
}

}  // namespace

bool readOnlineArguments(int argc, char** argv, OnlineRequest* request, std::vector<char*>* rest, std::string* error) {
  long value = 0;
  request->port = kNetDefaultPort;
  request->delay = kDefaultInputDelay;
  rest->push_back(argv[0]);
  for (int a = 1; a < argc; ++a) {
    const std::string name = argv[a];
    const bool hasNext = a + 1 < argc;
    if (name == "--host") {
      request->hosting = true;
      if (hasNext && isNumber(argv[a + 1])) request->port = static_cast<uint16_t>(std::atoi(argv[++a]));
    } else if (name == "--join" && hasNext) {
      request->joining = true;
      std::string address = argv[++a];
      const size_t colon = address.rfind(':');
      if (colon != std::string::npos) {
        if (!parseNumber(address.c_str() + colon + 1, 65535, &value)) {
          *error = "cannot read the port of " + address;
          return false;
        }
        request->port = static_cast<uint16_t>(value);
        address.resize(colon);
      }
      request->host = address;
    } else if (name == "--lobby" && hasNext) {
      request->lobby = argv[++a];
      if (!validLobbyAddress(request->lobby)) {
        *error = "--lobby takes HOST, HOST:PORT or ws://HOST:PORT, not " + request->lobby;
        return false;
      }
    } else if (name == "--delay" && hasNext) {
      if (!parseNumber(argv[++a], kMostInputDelay, &value)) {
        *error = "--delay takes a whole number from 0 to " + std::to_string(kMostInputDelay);
        return false;
      }
      request->delay = static_cast<int32_t>(value);
    } else if (name == "--latency" && hasNext) {
      if (!parseNumber(argv[++a], kMostLatencyMs, &value)) {
        *error = "--latency takes a whole number of milliseconds from 0 to " + std::to_string(kMostLatencyMs);
        return false;
      }
      request->latencyMs = static_cast<int32_t>(value);
    } else {
      rest->push_back(argv[a]);
    }
  }
  if (request->hosting && request->joining) *error = "--host and --join do not go together";
  if (request->joining && request->host.empty()) *error = "--join needs the other machine's name or address";
  return error->empty();
}

NetCommand (*onlineControls)() = nullptr;
void (*onlineTickHook)(int32_t tick) = nullptr;

namespace {

// A watcher stays this far behind the newest confirmed tick, so that the fight flows on
// although the controls come in batches; one that comes late catches up without drawing.
constexpr int32_t kWatchBehindTicks = 2 * kTicksPerSecond;

// Escape on this machine: the watcher's own devices, not the players' controls.
bool watcherLeaves() {
  inputFeed = nullptr;
  pollInput();
  const bool leaving = keyboardPressed(kKeyEscape) || windowCloseRequested != 0;
  inputFeed = feedTickCommands;
  return leaving;
}

void watchTick(const LobbyClient& c, bool quiet) {
  const FeedTick& t = c.feed[static_cast<size_t>(online.nextTick)];
  sessionTick(t.player, quiet);
}

void endWatching(bool toTheEnd) {
  inputFeed = nullptr;
  endOfRun = screenAfterRun;
  putBindings(online.own);
  lobbyClientLeave(*online.watched);
  if (toTheEnd) return showEndThen("the players left", kArcadeTitle);
  endOnlineRun(kArcadeTitle);
}

// One frame of the fight as the players' confirmed controls tell it, through the same screens,
// until the feed runs out with the players gone or this side leaves.
void watchFrame() {
  LobbyClient& c = *online.watched;
  if (online.leaving) return endWatching(true);
  lobbyClientStep(c, netClockMs());
  if (watcherLeaves()) return endWatching(false);
  const int32_t fed = static_cast<int32_t>(c.feed.size());
  const bool feedOver = c.state == kClientEnded;
  const int32_t upTo = feedOver ? fed : fed - kWatchBehindTicks;
  while (online.nextTick < upTo - 1 && arcade.screen == kArcadeStage && !online.leaving) watchTick(c, true);
  const bool runs = online.nextTick < upTo && !online.leaving;
  if (runs) watchTick(c, false);
  if (feedOver && online.nextTick >= fed) return endWatching(true);
  if (arcade.screen == kArcadeStage && !online.leaving)
    drawStageAndOverlay();
  else if (!runs)
    restBriefly();
}

// The arcade's frames while an online run has them: the phase's step.
bool onlineFrame() {
  switch (online.phase) {
    case kOnlinePlaying: playingFrame(); break;
    case kOnlineLingering: lingerFrame(); break;
    case kOnlineWatching: watchFrame(); break;
    case kOnlineMessage: messageFrame(); break;
    default: break;
  }
  return online.phase != kOnlineOver;
}

// The session from its first tick: its phases take the arcade's frames until it is over.
void startSession() {
  const NetSession& s = liveSession();
  feedSessionControls();
  online.agreed.world = kSessionWorldName;
  online.agreed.stage = kSessionStageName;
  online.agreed.seed = s.plan.seed;
  online.account.difficulty = s.plan.difficulty;
  online.account.lives = s.plan.lives;
  if (s.state == kSessionPlaying)
    startPlaying();
  else
    afterSession();
}

}  // namespace

const PackList& onlinePack() {
  // Kept apart from the session's record, which each session starts afresh: a lobby client
  // holds on to it from before its session begins.
  static PackList pack;
  if (pack.lines.empty()) pack = listPack(".");
  return pack;
}

SessionPlan hostPlan(int32_t delay) {
  SessionPlan plan;
  plan.seed = static_cast<uint32_t>(netClockMs());
  plan.delay = delay;
  plan.difficulty = settings.difficulty;
  plan.lives = settings.lives;
  std::snprintf(plan.world, sizeof plan.world, "%s", kSessionWorldName);
  std::snprintf(plan.stage, sizeof plan.stage, "%s", kSessionStageName);
  return plan;
}

void watchRoomSession(LobbyClient& client) {
  online = OnlineArcade{};
  online.watched = &client;
  // A headless fight of the replay tool has rooms and codes too, but no arcade run to show.
  if (std::strcmp(client.watchPlan.world, kSessionWorldName) != 0) {
    lobbyClientLeave(client);
    showEndThen("that room plays no arcade run", kArcadeTitle);
  } else {
    feedSessionControls();
    startSessionWorld(client.watchPlan.seed, client.watchPlan.difficulty, client.watchPlan.lives);
    online.phase = kOnlineWatching;
  }
  arcadeRunInCharge = onlineFrame;
}

void playRoomSession(LobbyClient& client) {
  online = OnlineArcade{};
  roomLine = &client;
  // Off the stage the screens cannot be put back: every tick waits for both players' controls.
  client.session.rollback.prediction = 0;
  startSession();
  arcadeRunInCharge = onlineFrame;
}

void playOnline(const OnlineRequest& request) {
  online = OnlineArcade{};
  NetSession& s = online.session;
  const SessionPlan plan = hostPlan(request.delay);
  std::string error;
  const bool started = request.hosting ? sessionHost(s, "", request.port, plan, onlinePack(), &error)
                                       : sessionJoin(s, request.host, request.port, onlinePack(), &error);
  // Off the stage the screens cannot be put back: every tick waits for both players' controls.
  s.prediction = 0;
  if (!started)
    showEndThen(error, kArcadeTitle);
  else if (waitForPeer(request))
    startSession();
  else
    return enterArcadeScreen(kArcadeTitle);
  // The desktop's switches wait for their session here, a frame at a time like any other run.
  while (onlineFrame()) {
  }
}

void replayOnlineSession(const Recording& agreed, const SessionAccount& account, std::vector<uint64_t>* checks) {
  online = OnlineArcade{};
  feedSessionControls();
  startSessionWorld(agreed.seed, account.difficulty, account.lives);
  size_t escape = 0;
  for (const TickInput& input : agreed.ticks) {
    const int32_t tick = online.nextTick;
    NetCommand commands[kNetPlayers];
    for (int32_t p = 0; p < kNetPlayers; ++p) commands[p] = {input.held[p], input.pressed[p]};
    for (; escape < account.escapes.size() && account.escapes[escape].tick <= tick; ++escape)
      if (account.escapes[escape].tick == tick)
        commands[account.escapes[escape].player].pressed |= static_cast<uint8_t>(1u << kNetPauseBit);
    // The world is put back in a live session only for ticks guessed wrong; here none is.
    sessionTick(commands, false);
    if (online.nextTick % kCheckEvery == 0) checks->push_back(sessionDigest());
    if (online.leaving) break;
  }
  inputFeed = nullptr;
  endOfRun = screenAfterRun;
  putBindings(online.own);
}

int arcadeOnlineMain(int argc, char** argv) {
  OnlineRequest request;
  std::vector<char*> rest;
  std::string error;
  if (!readOnlineArguments(argc, argv, &request, &rest, &error)) {
    std::fprintf(stderr, "brawler-arcade: %s\n", error.c_str());
    return kArcadeUsageStatus;
  }
  offerOnlineScreens();
  onlineLobby = request.lobby;
  if (!request.hosting && !request.joining) return arcadeMain(static_cast<int>(rest.size()), rest.data());
  if (!startArcade(static_cast<int>(rest.size()), rest.data())) return kArcadeUsageStatus;
  playOnline(request);
  runArcade();
}
