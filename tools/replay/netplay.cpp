// brawler-replay netplay: one side of an online fight, headless, at the game's pace, with this
// side's controls taken from a recording.
#include "netplay.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "base/whole_file.h"
#include "net/lobby/lobby.h"
#include "net/lobby_client.h"
#include "net/session.h"
#include "net_world.h"
#include "platform/net.h"
#include "platform/null_platform.h"
#include "sim/recording.h"
#include "netplay_watch.h"
#include "stage_run.h"

namespace {

constexpr int kRefused = 1;
// A frame of the game: the stage runs one tick in each.
constexpr auto kFrame = std::chrono::milliseconds(17);
// An IPv4 header without options and a UDP header, on every datagram.
constexpr uint64_t kIpUdpHeaderBytes = 20 + 8;
// The desktop's steps come this often: the line's latency is played out to about this much.
constexpr auto kLinePoll = std::chrono::milliseconds(1);

const char* const kNetplayUsage =
    "netplay takes --host [ADDRESS:]PORT or --join HOST[:PORT], or --lobby HOST[:PORT] with --host-room,\n"
    "--join-room CODE or --watch CODE; then --inputs FILE [--delay N] [--latency MS] [--jitter MS]\n"
    "[--loss PERCENT] [--ticks N] [--out FILE] [--relay]";

struct NetplayOptions {
  std::string host;  // [ADDRESS:]PORT
  std::string join;  // HOST[:PORT]
  std::string lobby;     // HOST[:PORT]
  bool hostRoom = false;
  std::string joinRoom;  // a room code
  std::string watch;     // a room code
  bool relay = false;    // through the lobby's relay without trying the direct path
  std::string inputs;
  std::string out;
  long delay = kDefaultInputDelay;
  long latency = 0;
  long jitter = 0;
  long loss = 0;
  long ticks = 0;
};

struct TextOption {
  const char* name;
  std::string NetplayOptions::*field;
};
constexpr TextOption kTextOptions[] = {
    {"--host", &NetplayOptions::host},
    {"--join", &NetplayOptions::join},
    {"--lobby", &NetplayOptions::lobby},
    {"--join-room", &NetplayOptions::joinRoom},
    {"--watch", &NetplayOptions::watch},
    {"--inputs", &NetplayOptions::inputs},
    {"--out", &NetplayOptions::out},
};

struct NumberOption {
  const char* name;
  long NetplayOptions::*field;
  long most;
};
constexpr NumberOption kNumberOptions[] = {
    {"--delay", &NetplayOptions::delay, kMostInputDelay},
    {"--latency", &NetplayOptions::latency, 2000},
    {"--jitter", &NetplayOptions::jitter, 1000},
    {"--loss", &NetplayOptions::loss, 100},
    {"--ticks", &NetplayOptions::ticks, 1L << 30},
};

int refuse(const std::string& message) {
  std::fprintf(stderr, "brawler-replay: %s\n", message.c_str());
  return kRefused;
}

bool parseWhole(const std::string& text, long most, long* value) {
  char* end = nullptr;
  *value = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0' && *value >= 0 && *value <= most;
}

struct FlagOption {
  const char* name;
  bool NetplayOptions::*field;
};
constexpr FlagOption kFlagOptions[] = {
    {"--host-room", &NetplayOptions::hostRoom},
    {"--relay", &NetplayOptions::relay},
};

bool setOption(NetplayOptions* o, const std::string& name, const std::string& value, std::string* error) {
  for (const TextOption& t : kTextOptions)
    if (name == t.name) {
      o->*t.field = value;
      return true;
    }
  for (const NumberOption& n : kNumberOptions)
    if (name == n.name) {
      if (parseWhole(value, n.most, &(o->*n.field))) return true;
      *error = name + " takes a whole number from 0 to " + std::to_string(n.most);
      return false;
    }
  *error = "netplay has no option " + name;
  return false;
}

// The switches, each a flag or a name and its value.
bool setOptions(NetplayOptions* o, const std::vector<std::string>& args, std::string* error) {
  for (size_t i = 0; i < args.size(); ++i) {
    bool flag = false;
    for (const FlagOption& f : kFlagOptions)
      if (args[i] == f.name) flag = o->*f.field = true;
    if (flag) continue;
    if (i + 1 >= args.size()) {
      *error = kNetplayUsage;
      return false;
    }
    if (!setOption(o, args[i], args[i + 1], error)) return false;
    ++i;
  }
  return true;
}

// "NAME:PORT", "PORT" (host only) or "NAME" (join only: the default port).
bool splitAddress(const std::string& text, bool portAlone, std::string* name, uint16_t* port) {
  const size_t colon = text.rfind(':');
  std::string portText = colon == std::string::npos ? (portAlone ? text : "") : text.substr(colon + 1);
  *name = colon == std::string::npos ? (portAlone ? "" : text) : text.substr(0, colon);
  long value = kNetDefaultPort;
  if (!portText.empty() && !parseWhole(portText, 65535, &value)) return false;
  *port = static_cast<uint16_t>(value);
  return portAlone || !name->empty();
}

// This side's command for a tick: its own column of the inputs file, nothing past its end.
NetCommand commandFromFile(const Recording& inputs, int32_t player, int32_t tick) {
  NetCommand c;
  if (tick < static_cast<int32_t>(inputs.ticks.size())) {
    c.held = inputs.ticks[tick].held[player];
    c.pressed = inputs.ticks[tick].pressed[player];
  }
  return c;
}

void takeConfirmed(const NetSession& s, Recording* out) {
  const int32_t confirmed = rollbackConfirmedEnd(s.rollback);
  for (int32_t t = static_cast<int32_t>(out->ticks.size()); t < confirmed; ++t) {
    TickInput input{};
    for (int32_t p = 0; p < kNetPlayers; ++p) {
      const NetCommand c = rollbackCommand(s.rollback, p, t);
      input.held[p] = c.held;
      input.pressed[p] = c.pressed;
    }
    out->ticks.push_back(input);
  }
}

bool writeOut(const std::string& path, Recording* out) {
  fingerprintContentUsed(out);
  std::string error;
  if (writeFileAtomically(path, formatRecording(*out), &error)) return true;
  std::fprintf(stderr, "brawler-replay: %s\n", error.c_str());
  return false;
}

void printCounts(const NetSession& s, double seconds) {
  const Rollback& r = s.rollback;
  std::printf("netplay rollbacks %lld ticks-again %lld depths", static_cast<long long>(r.rollbacks),
              static_cast<long long>(r.ticksRunAgain));
  for (int32_t d = 1; d <= kMostPrediction; ++d)
    std::printf(" %d:%lld", d, static_cast<long long>(r.rollbacksByDepth[d]));
  std::printf(" waited %lld idled %lld\n", static_cast<long long>(r.framesWaited),
              static_cast<long long>(r.framesIdled));
  std::printf("netplay felt delay over %lld presses: mean %.1f ticks, most %d\n",
              static_cast<long long>(r.pressesSeen), r.pressesSeen > 0 ? double(r.feltTicksTotal) / r.pressesSeen : 0.0,
              r.feltTicksMost);
  const NetCounters c = netCounters(s.endpoint);
  std::printf("netplay sent %llu bytes %llu packets (%llu lost on purpose; %llu bytes %llu datagrams on the wire) "
              "received %llu bytes %llu packets in %.1f s; dropped %lld; checks %lld\n",
              static_cast<unsigned long long>(c.bytesSent), static_cast<unsigned long long>(c.packetsSent),
              static_cast<unsigned long long>(c.packetsLostOnPurpose),
              static_cast<unsigned long long>(c.datagramBytesSent), static_cast<unsigned long long>(c.datagramsSent),
              static_cast<unsigned long long>(c.bytesReceived), static_cast<unsigned long long>(c.packetsReceived),
              seconds, static_cast<long long>(sessionDropped(s)), static_cast<long long>(s.checksCompared));
  if (c.stream) {
    std::printf("netplay out per second: %.0f bytes payload, %.0f bytes in %.1f WebSocket frames\n",
                c.bytesSent / seconds, c.datagramBytesSent / seconds, c.datagramsSent / seconds);
    return;
  }
  // What a player's line carries going out: every datagram with its IP and UDP headers.
  const double lineBytes = static_cast<double>(c.datagramBytesSent + kIpUdpHeaderBytes * c.datagramsSent);
  std::printf("netplay out per second: %.0f bytes payload, %.0f bytes in %.1f datagrams with IP and UDP headers\n",
              c.bytesSent / seconds, lineBytes / seconds, c.datagramsSent / seconds);
}

// The way to the other side: the session's own endpoint, or a lobby's client around it.
struct Link {
  NetSession* session = nullptr;
  LobbyClient* lobby = nullptr;
  void poll() const {
    if (lobby != nullptr)
      lobbyClientStep(*lobby, netClockMs());
    else
      sessionPoll(*session, netClockMs());
  }
  void leave(int32_t end) const {
    if (lobby != nullptr)
      lobbyClientLeave(*lobby);
    else
      sessionLeave(*session, end);
  }
};

SessionPlan planOf(const Recording& inputs, long ticks, long delay) {
  SessionPlan plan;
  plan.seed = inputs.seed;
  const long recorded = static_cast<long>(inputs.ticks.size());
  plan.ticks = static_cast<uint32_t>(ticks > 0 && ticks < recorded ? ticks : recorded);
  plan.delay = static_cast<int32_t>(delay);
  std::snprintf(plan.world, sizeof plan.world, "%s", inputs.world.c_str());
  std::snprintf(plan.stage, sizeof plan.stage, "%s", inputs.stage.c_str());
  return plan;
}

// Asks the lobby for a room, or for the room of the code.
bool startMeeting(LobbyClient& c, const NetplayOptions& o, const Recording& inputs, const PackList& pack,
                  std::string* error) {
  std::string name;
  uint16_t port = 0;
  if (!splitLobbyAddress(o.lobby, &name, &port)) {
    *error = "cannot read the address " + o.lobby;
    return false;
  }
  const bool started = o.hostRoom ? lobbyClientHost(c, name, port, planOf(inputs, o.ticks, o.delay), pack, error)
                                  : lobbyClientJoin(c, name, port, o.joinRoom, pack, error);
  c.forceRelay = o.relay;
  return started;
}

// Where a netplay stands between steps. A page cannot wait in a loop, so every phase is a step
// that looks at the line and runs what is due, and the desktop's loop calls it every millisecond.
enum NetplayPhase { kNetplayOver = 0, kNetplayMeeting, kNetplayGreeting, kNetplayFighting, kNetplayWatching };

// Who writes what: netplayStart fills the options, the inputs, the pack and the link; the
// phases' steps move the rest on; `status` is the program's once the phase is over.
struct NetplayRun {
  int32_t phase = kNetplayOver;
  int status = 0;
  NetplayOptions o;
  Recording inputs;
  PackList pack;
  LobbyClient client;
  NetSession own;
  Link link;
  uint16_t port = 0;
  bool hosting = false;
  bool codeShown = false;
  Recording out;
  std::chrono::steady_clock::time_point start, next;
};
NetplayRun run;

void endWith(int status) {
  run.status = status;
  run.phase = kNetplayOver;
}

void refuseAndEnd(const std::string& message) { endWith(refuse(message)); }

// The session found (directly, or through the lobby once the path is known): the line's
// conditions on its endpoint, then the greetings.
void startGreeting() {
  NetSession& s = *run.link.session;
  s.prediction = gameWorldPrediction;
  NetConditions conditions;
  conditions.latencyMs = static_cast<int32_t>(run.o.latency);
  conditions.jitterMs = static_cast<int32_t>(run.o.jitter);
  conditions.lossPercent = static_cast<int32_t>(run.o.loss);
  conditions.seed = 1 + run.port + (run.hosting ? 0u : 7919u);
  netSetConditions(s.endpoint, conditions);
  run.phase = kNetplayGreeting;
}

// A room through the lobby: asked for (and its code printed) or joined, then the path tried
// until the session is attached to it.
void meetingStep() {
  LobbyClient& c = run.client;
  lobbyClientStep(c, netClockMs());
  if (c.state == kClientWaiting && !run.codeShown) {
    std::printf("netplay room %s\n", c.code);
    std::fflush(stdout);
    run.codeShown = true;
  }
  if (c.state == kClientEnded) {
    const std::string why = c.endMessage;
    lobbyClientLeave(c);
    return refuseAndEnd(why);
  }
  if (c.state != kClientPlaying) return;
  std::printf("netplay path %s\n", lobbyPathName(c.path));
  std::fflush(stdout);
  startGreeting();
}

// The greetings, until the session plays or ends; then the stage, headless.
void greetingStep() {
  NetSession& s = *run.link.session;
  run.link.poll();
  if (s.state == kSessionEnded) {
    run.link.leave(s.end);
    return refuseAndEnd(sessionEndMessage(s));
  }
  if (s.state != kSessionPlaying) return;
  std::printf("netplay playing %s/%s seed %u ticks %u delay %d as player %d%s\n", s.plan.world, s.plan.stage,
              s.plan.seed, s.plan.ticks, s.plan.delay, s.rollback.localPlayer + 1,
              s.prediction == 0 ? " in lockstep" : "");
  std::fflush(stdout);
  useNullPlatform(true);
  startRecordedStage(s.plan.seed, s.plan.world, s.plan.stage);
  run.out = Recording{};
  run.out.world = s.plan.world;
  run.out.stage = s.plan.stage;
  run.out.seed = s.plan.seed;
  run.start = run.next = std::chrono::steady_clock::now();
  s.lastHeardMs = netClockMs();  // the stage load is not the other side's silence
  run.phase = kNetplayFighting;
}

void finishFight() {
  NetSession& s = *run.link.session;
  Rollback& r = s.rollback;
  const int32_t end = static_cast<int32_t>(s.plan.ticks);
  // Whatever is left to run is confirmed already: no guess, no wait.
  while (s.state == kSessionPlaying && r.tick < end) rollbackStep(r, gameWorld);
  takeConfirmed(s, &run.out);
  run.link.poll();  // a lobby's client sends the last of the watchers' feed
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - run.start).count();
  const bool finished = s.state == kSessionPlaying;
  printCounts(s, seconds);
  run.link.leave(kEndFinished);
  // A fight cut short still leaves what was agreed, for whoever looks into why.
  const std::string outPath = !run.o.out.empty() ? run.o.out
                              : finished         ? ""
                                                 : std::string("netplay-") + (run.hosting ? "host" : "joiner") + ".replay";
  if (!outPath.empty() && !writeOut(outPath, &run.out)) return endWith(kRefused);
  if (!finished) return refuseAndEnd(sessionEndMessage(s));
  printDigest("end", run.out.ticks.size());
  endWith(0);
}

// The fight, a tick a frame, until both sides have every command or it ends otherwise. The
// network is looked at at every step, between the frames too, so that a packet the line holds
// back leaves when its latency is up rather than at the next frame, as it would on a real line.
void fightingStep() {
  NetSession& s = *run.link.session;
  Rollback& r = s.rollback;
  const int32_t local = r.localPlayer;
  const int32_t end = static_cast<int32_t>(s.plan.ticks);
  run.link.poll();
  if (s.state == kSessionPlaying && !sessionDone(s) && std::chrono::steady_clock::now() >= run.next) {
    while (r.knownEnd[local] <= r.tick + r.delay && r.knownEnd[local] < end)
      rollbackAddLocal(r, commandFromFile(run.inputs, local, r.knownEnd[local]));
    sessionStep(s, gameWorld);
    takeConfirmed(s, &run.out);
    run.next += kFrame;
  }
  if (s.state != kSessionPlaying || sessionDone(s)) finishFight();
}

// The switches read, the inputs loaded and the line opened: the phase to start in, or the
// run over with its status.
void startRun(const std::vector<std::string>& args) {
  run.phase = kNetplayOver;
  run.status = 0;
  run.o = NetplayOptions{};
  run.inputs = Recording{};
  run.link = Link{};
  run.port = 0;
  run.hosting = false;
  run.codeShown = false;
  NetplayOptions& o = run.o;
  std::string error;
  if (!setOptions(&o, args, &error)) return refuseAndEnd(error);
  const bool direct = !o.host.empty() || !o.join.empty();
  const int ways = !o.host.empty() + !o.join.empty() + o.hostRoom + !o.joinRoom.empty() + !o.watch.empty();
  if (ways != 1 || direct == !o.lobby.empty()) return refuseAndEnd(kNetplayUsage);
  if (!o.watch.empty()) {
    std::string name;
    uint16_t port = 0;
    if (!splitLobbyAddress(o.lobby, &name, &port)) return refuseAndEnd("cannot read the address " + o.lobby);
    if (!netplayWatchStart(name, port, o.watch, o.out, &run.status)) return endWith(run.status);
    run.phase = kNetplayWatching;
    return;
  }
  if (o.inputs.empty()) return refuseAndEnd(kNetplayUsage);
  if (!loadRecording(o.inputs, ".", &run.inputs, &error)) return refuseAndEnd(error);
  if (!o.out.empty() && !canWriteAtomically(o.out, &error)) return refuseAndEnd(error);
  run.pack = listPack(".");
  run.hosting = !o.host.empty() || o.hostRoom;
  if (!o.lobby.empty()) {
    if (!startMeeting(run.client, o, run.inputs, run.pack, &error)) return refuseAndEnd(error);
    run.link.session = &run.client.session;
    run.link.lobby = &run.client;
  } else {
    std::string name;
    run.link.session = &run.own;
    if (!splitAddress(run.hosting ? o.host : o.join, run.hosting, &name, &run.port))
      return refuseAndEnd("cannot read the address " + (run.hosting ? o.host : o.join));
    if (run.hosting) {
      if (!sessionHost(run.own, name, run.port, planOf(run.inputs, o.ticks, o.delay), run.pack, &error))
        return refuseAndEnd(error);
      std::printf("netplay hosting on port %u\n", netLocalPort(run.own.endpoint));
    } else if (!sessionJoin(run.own, name, run.port, run.pack, &error)) {
      return refuseAndEnd(error);
    }
  }
  std::fflush(stdout);
  if (!o.lobby.empty()) {
    run.phase = kNetplayMeeting;
    return;
  }
  startGreeting();
}

}  // namespace

bool netplayStart(const std::vector<std::string>& args, int* status) {
  startRun(args);
  *status = run.status;
  return run.phase != kNetplayOver;
}

bool netplayStep(int* status) {
  switch (run.phase) {
    case kNetplayMeeting: meetingStep(); break;
    case kNetplayGreeting: greetingStep(); break;
    case kNetplayFighting: fightingStep(); break;
    case kNetplayWatching:
      if (!netplayWatchStep(&run.status)) run.phase = kNetplayOver;
      break;
    default: break;
  }
  *status = run.status;
  return run.phase != kNetplayOver;
}

int netplay(const std::vector<std::string>& args) {
  int status = 0;
  if (!netplayStart(args, &status)) return status;
  while (netplayStep(&status)) std::this_thread::sleep_for(kLinePoll);
  return status;
}
