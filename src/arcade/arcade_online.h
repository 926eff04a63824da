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
// own end of the run). The desktop's --host and --join alone: it waits for the other machine.
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
// or this machine's own end of the run), as a session of --host or --join plays. It takes the
// arcade's frames (arcadeRunInCharge) from the next one on, and never waits in a loop.
void playRoomSession(LobbyClient& client);
// The room's fight as a watcher sees it: both players' confirmed controls through the same
// screens, about two seconds behind, from the character select to the players' leaving; it
// takes the arcade's frames as a room's session does.
void watchRoomSession(LobbyClient& client);

// ---- the screens around a session (arcade_online_screens.cpp) ------------------------------

// One frame of the host's wait: the port, this machine's addresses, how to give up. `title`
// says what is waited for.
void drawOnlineWait(const std::string& title, const std::vector<std::string>& lines);
// One frame of the session's end in words, the `shownTicks`th: false once a key or button went
// down (after the first half second) or a few seconds passed. The program ends instead if the
// window is closed.
bool onlineMessageFrame(const std::string& message, int32_t shownTicks);

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
// The lobby the ONLINE screens use: --lobby's for this run, else the settings' `lobby` line,
// else onlineLobbyFallback.
extern std::string onlineLobby;
// A page's lobby: `onlineLobbyScheme` ("ws://" or "wss://", as the page was served) reaches a
// lobby named without one, on the lobby's WebSocket port unless it names one, and the fallback
// is the page's own host. Both empty on the desktop, whose lobbies are UDP's.
extern std::string onlineLobbyScheme;
extern std::string onlineLobbyFallback;
// The lobby as its client is given it: `named` itself, or in a page its WebSocket address.
std::string onlineLobbyAddress(const std::string& named);
// Straight to a room from outside the menus (a page's shared link): joined or watched (`role`)
// by its code.
void enterRoomByCode(int32_t role, const std::string& code);
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
