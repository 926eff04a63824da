// The arcade: the game's screens and stage tick strung into a game played from the title to
// the end of the world. A small state machine; each screen is an entry step plus a frame.
#pragma once
#include <cstdint>
#include <string>

#include "content/world_list.h"
#include "screens/overworld.h"
#include "shell/settings.h"
#include "sim/difficulty.h"

// Which screen the arcade runs. A new screen is one more value here and one row in the
// screen table (arcade_flow.cpp): its entry step and its frame step.
enum ArcadeScreen {
  kArcadeTitle = 0, kArcadeSelect = 1, kArcadeMap = 2, kArcadeStage = 3, kArcadeEnd = 4,
  kArcadeOptions = 5, kArcadeInitials = 6, kArcadeHighScores = 7, kArcadeDemo = 8,
  // Online through a lobby (arcade_online_menu.cpp, arcade_online_room.cpp): HOST, JOIN, WATCH
  // and the lobby's address; a room code being typed; a room being opened, joined or watched.
  kArcadeOnline = 9, kArcadeRoomCode = 10, kArcadeRoom = 11,
  kArcadeScreens
};
// `nextScreen` when no screen change is asked for.
constexpr int32_t kArcadeNoScreen = -1;
// Where a stage stands.
enum ArcadePhase { kPhasePlaying = 0, kPhasePaused = 1, kPhaseCleared = 2, kPhaseGameOver = 3 };
// How a stage ends, set by the step that ends it. The arcade alone leaves at once (leaveStage);
// online, the stage stands still until both sides agree on the tick that ended it.
enum StageExit { kExitNone = 0, kExitCleared = 1, kExitRunOver = 2, kExitToTitle = 3 };
// The title's entries, top to bottom, as drawn on the menu sheet.
// OPTIONS and ONLINE are the arcade's own, written in the game's font side by side above the
// sheet's entries; the cursor reaches them past QUIT or before 1 PLAYER. ONLINE shows only where
// the program offers the online screens (the arcade, on the desktop and in a page).
enum TitleEntry {
  kEntryOnePlayer = 0, kEntryTwoPlayers = 1, kEntryContinue = 2, kEntryQuit = 3, kEntryOptions = 4, kEntryOnline = 5
};
// The pause box's choices.
enum PauseChoice { kPauseGoOn = 0, kPauseToTitle = 1 };

constexpr int32_t kTicksPerSecond = 59;  // frames are 17 ms apart: the arcade's clock
constexpr int kArcadeClearedSlots = kOverworldNodes;  // a world has no more stages than nodes

// Who writes what: the arcade frame (arcade_flow) owns screen and acts on nextScreen, which
// any screen's frame step may set to leave; the screens own phase, phaseTicks, pauseChoice and
// quit; a new game and the stage clear (arcade_progress) own players, cleared and lastStage;
// the stage entry owns furthestStage; the title owns idleTicks.
struct ArcadeState {
  int32_t screen;
  int32_t nextScreen = kArcadeNoScreen;  // entered once the frame step that set it returns
  int32_t phase;       // stage only
  int32_t phaseTicks;  // ticks spent in the phase: the clear's hold, the continue count
  int32_t stageExit = kExitNone;  // stage only: how it ends, once a step has ended it
  int32_t pauseChoice;
  int32_t quit;        // 1 once the title's quit entry closed
  int32_t players;     // players taking part in this game, 1 or 2
  std::string cleared[kArcadeClearedSlots];  // stages cleared in this game, empty slots unused
  std::string lastStage;  // the stage played last: the markers come back to its node
  std::string furthestStage;  // "world1/stage2": the last stage this game set foot on
  int32_t idleTicks;          // ticks the title has gone without a key: the attract mode's count
  // The stage's boss (arcade_boss): found at stage entry, watched every tick, drawn over it.
  int32_t boss = -1;       // its entity, -1 when the stage has none
  int32_t bossSeen = 0;    // 1 once it has come into view: its health bar shows from then
  int32_t bossCardTicks = 0;  // ticks its name card has left on the screen
  std::string bossName;
  int32_t markTicks = 0;  // ticks the players' "1P"/"2P" marks have left (arcade_players)
  // The pack's worlds (read once, as the arcade starts) and the one being played: a new game
  // and the end of a world (arcade_progress) move it; the map and the stages play in it.
  WorldList worlds;
  int32_t world = 0;
  // The run's own choices, fixed by a new game (the settings', or online the host's): how
  // hard the opponents are, and the lives each player starts with and gets back on a continue.
  int32_t difficulty = kDifficultyNormal;
  int32_t startLives = kDefaultLives;
};
extern ArcadeState arcade;

// After start-up: the arcade's rules and bindings, then the title.
void enterArcade();
// The same without entering any screen: for a start that is not the title's.
void prepareArcade();
// The running screen's frame step alone (arcadeFrame without entering the screen it asks for).
bool runArcadeScreen();
// Start-up from the switches (readArcadeArguments), the high scores, the window and
// prepareArcade; false with the usage printed on a switch it does not know.
bool startArcade(int argc, char** argv);
// Frames until the program should end, then the clean exit.
[[noreturn]] void runArcade();
// One iteration of whichever screen runs, then the entry of the screen it asked for, if any;
// false once the program should end (quit chosen or the window closed).
bool arcadeFrame();
// A run that drives the screens itself (an online session, which feeds them both players'
// agreed controls and steps them as the line allows): while set, the arcade's frame is its
// frame, until it returns false, handing the arcade back the screen it entered last.
extern bool (*arcadeRunInCharge)();
// Makes `screen` the running screen now: its entry step, then its line on standard output.
void enterArcadeScreen(int32_t screen);
// The steps of a screen that only some builds have (the online screens): set by the program's
// start. A screen without steps is never entered; the title stands in for it.
void offerArcadeScreen(int32_t screen, std::string (*entry)(), bool (*frame)());
bool arcadeScreenOffered(int32_t screen);
// Start-up, the arcade until it ends, and the clean exit (status 0).
int arcadeMain(int argc, char** argv);
// The switches, each naming a file the player owns:
//   --settings FILE   the settings (the player's own in the config folder otherwise)
//   --scores FILE     the high scores (the player's own in the data folder otherwise)
// Anything else prints the usage to standard error and gives false.
bool readArcadeArguments(int argc, char** argv);
constexpr int kArcadeUsageStatus = 2;

// ---- progress through the world (arcade_progress.cpp) -------------------------------------

// A new game under the settings' difficulty and lives, or under the ones given.
void startNewGame(int32_t players);
void startNewGame(int32_t players, int32_t difficulty, int32_t lives);
// A stage cleared in this game, in this world or one before it.
bool anyStageCleared();
bool stageWasCleared(const std::string& stage);
void markStageCleared(const std::string& stage);
// The start stage, any cleared stage, and every stage a cleared stage's node leads to.
bool stageIsOpen(const OverworldState& map, const std::string& stage);
// Every stage the map names has been cleared.
bool worldFinished(const OverworldState& map);
// After a world's last stage: the next world's map, with none of its stages cleared yet;
// false when the world just finished was the last.
bool goOnToNextWorld();
// Locks the nodes of stages not yet open and puts the markers on the node of the last stage
// played, or of the start stage in a new game.
void prepareMap(OverworldState& map);

// ---- the stage's end conditions (arcade_rules.cpp) -----------------------------------------

// Every opponent the stage placed is gone and a living player stands within one screen width
// of the stage end.
bool stageCleared();
// Every player taking part has fallen for good.
bool everyPlayerDown();
// Players back on their feet where they fell, with full health.
void revivePlayers();
// After each tick: a player who has just fallen spends a life, and stands up at once while
// any are left.
void spendLivesOnFalls();
// Players at the start of a stage: on the start spot, standing, not moving.
void readyPlayersForStage();

// Any player taking part pressed the action this tick (in the players' commands).
bool anyPlayerPressed(int action);

// ---- the stage's boss (arcade_boss.cpp) ---------------------------------------------------

// Finds the stage's boss, if any, among the fighters it placed.
void findStageBoss();
// After each tick: the boss coming into view for the first time shows its card.
void watchStageBoss();
// The card while it lasts, and the boss's health under the players' panels until it falls.
void drawStageBoss();

// ---- the players' colours and marks (arcade_players.cpp) -----------------------------------

// After the stage's players are loaded: player 2 on player 1's fighter wears its second
// colours, and both marks go up.
void dressPlayersForStage();
// After each tick: the marks' time runs down.
void countDownPlayerMarks();
// "1P" and "2P" over the heads of the players taking part while the marks last.
void drawPlayerMarks();

// ---- the screens' entry steps and frames (arcade_menus.cpp, arcade_stage.cpp) -------------
// An entry step sets the screen up and returns the line announcing it ("map"), printed as
// "arcade: map" once the screen is loaded: where the game is, for whoever watches it from
// outside. A frame step is one iteration; it leaves by setting arcade.nextScreen, and returns
// false only when the program should end.

// The title's entry written in the font (OPTIONS, or ONLINE where it shows) under a point of
// the picture, -1 for none.
int32_t titleFontEntryAt(int32_t x, int32_t y);
// A tap on the picture, answered by the running screen's entries (arcade_taps.cpp): the
// answerTap of the arcade's input.
struct PictureTap;
void answerArcadeTap(const PictureTap& tap);
// A screen that only some builds have (the online screens) gives its answer with its steps.
void offerArcadeTap(int32_t screen, void (*answer)(const PictureTap& tap));
// What lies under a point of the picture, for the taps: the pause box's choice (-1 for none),
// and what a finger does on player p's initials (a LetterTap, screens/menu_taps.h).
int32_t pauseChoiceAt(int32_t x, int32_t y);
int32_t initialsTapAt(int p, int32_t x, int32_t y);
std::string titleEntry();
bool titleFrame();
std::string selectEntry();
bool selectFrame();
std::string mapEntry();
bool mapFrame();
std::string stageEntry();  // the stage `stageName` names
bool stageFrame();
// The stage's frame in two halves, for a caller that runs ticks again: one tick without a
// picture (`quiet`: a tick run again, which sounds nothing), and the picture.
void stageTickAlone(bool quiet);
void drawStageAndOverlay();
// Takes the exit a step chose (arcade.stageExit): the map, THE END, the run's end or the title.
void leaveStage();
std::string endEntry();
bool endFrame();
std::string optionsEntry();  // the player's settings (screens/options.h)
bool optionsScreenFrame();
std::string initialsEntry();  // the runs that just made the high scores, named
bool initialsFrame();
std::string highScoresEntry();
bool highScoresFrame();
std::string demoEntry();  // the next shipped recording that fits the pack, playing itself
bool demoFrame();

// ---- the end of a run and the attract mode (arcade_initials.cpp, arcade_attract.cpp) -------

// The runs that just made the high scores, being named. Written by screenAfterRun (which runs)
// and the initials entry (the letters); read by the high-score screen to pick them out.
struct InitialsEntry {
  int32_t run[2];     // each player's run's place in highScores, -1 when it made no place
  int32_t letter[2];  // the initial being chosen, 0 to 2; 3 once all three are confirmed
  int32_t ticks;      // ticks on the entry screen: it closes by itself in time
};
extern InitialsEntry initials;
constexpr InitialsEntry kNoInitials{{-1, -1}, {0, 0}, 0};

// A run is over (game over not continued, or the world's end): the screen that follows, the
// initials entry when a player's run made the table, else `otherwise`.
int32_t screenAfterRun(int32_t otherwise);
// What the stage and THE END call when a run is over: screenAfterRun, unless an online session
// takes the run's end itself.
extern int32_t (*endOfRun)(int32_t otherwise);
// The title's count towards the attract mode: reset by any key, after 20 s the demo.
void countTitleIdle();
// A new session: every shipped recording may be shown again, starting from the first.
void resetAttract();
// Whether any key or button went down in this frame's poll.
bool anyInputPressed();
