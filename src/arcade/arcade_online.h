// The arcade played by two machines: one hosts (player 1), the other joins (player 2), each on
// its own controls. Both run the same arcade frames with the same two players' controls, tick
// by tick and in step, so every screen change happens on both sides at the same tick without a
// word about it; only the controls and the world's fingerprint go between them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "arcade/session_account.h"
#include "net/lobby_message.h"
#include "net/packet.h"
#include "sim/recording.h"

struct LobbyClient;
struct PackList;
struct SessionPlan;

// What the online switches asked for; read by arcadeOnlineMain.
struct OnlineRequest {
  bool hosting = false;
  bool joining = false;
  std::string host;  // the machine joined
  uint16_t port = 0;
  int32_t delay = 0;
  int32_t latencyMs = 0;  // added to this side's outgoing packets: a far line without one
  std::string lobby;      // --lobby HOST[:PORT]: the ONLINE screens' lobby for this run
};

// Takes --host [PORT], --join HOST[:PORT], --lobby HOST[:PORT], --delay N and --latency MS out of the switches (the rest stay in
// `rest` for readArcadeArguments). False with the reason on a switch it cannot read.
bool readOnlineArguments(int argc, char** argv, OnlineRequest* request, std::vector<char*>* rest,
                         std::string* error);
// The arcade with the online switches: waits for or joins the other machine, plays the session
// and goes on to the title (and the arcade alone) when it ends. Without --host or --join, the
// arcade as ever (arcadeMain).
int arcadeOnlineMain(int argc, char** argv);
// The session the request asks for, from the wait for the other machine to its end, after
// the arcade has started: returns on the screen that follows it (the title, or this machine's
// own end of the run).
void playOnline(const OnlineRequest& request);
// A session's agreed controls (as a DESYNC writes them) run again on this machine alone: the
// same screens and stage from the same seed, the run's choices and the Escapes of a side's
// account, each tick once. `checks` gets the fingerprint after every kCheckEvery ticks, to
// hold against the ones the side wrote.
void replayOnlineSession(const Recording& agreed, const SessionAccount& account, std::vector<uint64_t>* checks);

// ---- for tests: a session with nobody at the keys ---------------------------------------------

// This side's controls for its next tick, in place of its devices' (nullptr: the devices).
extern NetCommand (*onlineControls)();
// Called at the start of every run of every session tick (ticks run again included) with the
// tick's number: a way to shorten a run that acts on both sides alike (a stage cleared at a
// given tick), or to upset one side's world.
extern void (*onlineTickHook)(int32_t tick);

// ---- a session through a lobby (the ONLINE screens' room) ---------------------------------------

// This machine's content pack as the greetings compare it (listed once).
const PackList& onlinePack();
// What a host offers: a new seed, the stage's input delay, its own difficulty and lives.
SessionPlan hostPlan(int32_t delay);
// The client's session, playing, from the character select to the screen after it (the title,
// or this machine's own end of the run), as a session of --host or --join plays.
void playRoomSession(LobbyClient& client);
// The room's fight as a watcher sees it: both players' confirmed controls through the same
// screens, about two seconds behind, from the character select to the players' leaving.
void watchRoomSession(LobbyClient& client);

// ---- the screens around a session (arcade_online_screens.cpp) ------------------------------

// One frame of the host's wait: the port, this machine's addresses, how to give up. `title`
// says what is waited for.
void drawOnlineWait(const std::string& title, const std::vector<std::string>& lines);
// The session's end in words, until a key or button goes down or a few seconds pass; the
// program ends instead if the window is closed.
void showOnlineMessage(const std::string& message);

// ---- the ONLINE screens: HOST, JOIN and WATCH a room through a lobby --------------------------
// (arcade_online_menu.cpp: the menu and the code; arcade_online_room.cpp: the room)

enum OnlineMenuRow { kOnlineHost = 0, kOnlineJoin, kOnlineWatch, kOnlineLobby, kOnlineBack, kOnlineRows };

// Who writes what: the online menu owns row, editing, typed and notice; the code entry owns
// code, slot and letter; either sets role before the room is entered, which reads role and code.
struct OnlineMenuState {
  int32_t row = kOnlineHost;
  int32_t editing = 0;    // 1 while the lobby's address is being typed
  std::string typed;      // the address as typed so far
  std::string notice;     // a line under the rows: why an entry cannot be taken yet
  int32_t role = 0;       // the room's: kRoomAsHost, kRoomAsJoiner, kRoomAsWatcher
  char code[kRoomCodeLetters + 1] = {};  // the code's letters confirmed so far
  int32_t slot = 0;       // the letter being chosen, 0..3
  int32_t letter = 0;     // its place in the code's alphabet
};
enum RoomAs { kRoomAsHost = 0, kRoomAsJoiner, kRoomAsWatcher };
extern OnlineMenuState onlineMenu;
// The lobby the ONLINE screens use: --lobby's for this run, else the settings' `lobby` line.
extern std::string onlineLobby;
// The online screens' steps, handed to the arcade's screen table (offerArcadeScreen).
void offerOnlineScreens();

std::string onlineMenuEntry();
bool onlineMenuFrame();
std::string roomCodeEntry();
bool roomCodeFrame();
std::string roomEntry();
bool roomFrame();
// The room's client, for whoever looks at where the meeting stands (the tests).
const LobbyClient& roomClient();
