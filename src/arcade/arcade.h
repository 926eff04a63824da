// The arcade: the game's screens and stage tick strung into a game played from the title to
// the end of the world. A small state machine; each screen is an entry step plus a frame.
#pragma once
#include <cstdint>
#include <string>

#include "screens/overworld.h"

// Which screen the arcade runs.
enum ArcadeScreen { kArcadeTitle = 0, kArcadeSelect = 1, kArcadeMap = 2, kArcadeStage = 3, kArcadeEnd = 4 };
// Where a stage stands.
enum ArcadePhase { kPhasePlaying = 0, kPhasePaused = 1, kPhaseCleared = 2, kPhaseGameOver = 3 };
// The title's entries, top to bottom, as drawn on the menu sheet.
enum TitleEntry { kEntryOnePlayer = 0, kEntryTwoPlayers = 1, kEntryContinue = 2, kEntryQuit = 3 };
// The pause box's choices.
enum PauseChoice { kPauseGoOn = 0, kPauseToTitle = 1 };

constexpr int kArcadeClearedSlots = kOverworldNodes;  // a world has no more stages than nodes

// Who writes what: the flow (arcade_flow) owns screen, phase, phaseTicks, pauseChoice and
// quit; a new game and the stage clear (arcade_progress) own players, cleared and lastStage.
struct ArcadeState {
  int32_t screen;
  int32_t phase;       // stage only
  int32_t phaseTicks;  // ticks spent in the phase: the clear's hold, the continue count
  int32_t pauseChoice;
  int32_t quit;        // 1 once the title's quit entry closed
  int32_t players;     // players taking part in this game, 1 or 2
  std::string cleared[kArcadeClearedSlots];  // stages cleared in this game, empty slots unused
  std::string lastStage;  // the stage played last: the markers come back to its node
};
extern ArcadeState arcade;

// After start-up: the arcade's rules and bindings, then the title.
void enterArcade();
// One iteration of whichever screen runs; false once the program should end (quit chosen or
// the window closed).
bool arcadeFrame();
// Start-up, the arcade until it ends, and the clean exit (status 0).
int arcadeMain(int argc, char** argv);
// `--settings FILE` names the settings file (the player's own in the config folder otherwise);
// anything else prints the usage to standard error and gives false.
bool readArcadeArguments(int argc, char** argv);
constexpr int kArcadeUsageStatus = 2;

// ---- progress through the world (arcade_progress.cpp) -------------------------------------

void startNewGame(int32_t players);
bool anyStageCleared();
bool stageWasCleared(const std::string& stage);
void markStageCleared(const std::string& stage);
// The start stage, any cleared stage, and every stage a cleared stage's node leads to.
bool stageIsOpen(const OverworldState& map, const std::string& stage);
// Every stage the map names has been cleared.
bool worldFinished(const OverworldState& map);
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
// Players at the start of a stage: on the start spot, standing, not moving.
void readyPlayersForStage();
// The stage has no wall at its end: a player walking on would leave the screen, and the
// opponents following would go past where the tick animates them and freeze. Players stop
// just inside the end.
void holdPlayersInsideStageEnd();

// ---- the screens' entry steps and frames (arcade_flow.cpp, arcade_stage.cpp) --------------

void goToTitle();
void goToSelect();
void goToMap();
void goToStage();  // the stage `stageName` names
void goToEnd();
bool titleFrame();
bool selectFrame();
bool mapFrame();
bool stageFrame();
bool endFrame();
// A line on standard output once each screen has been entered and loaded ("arcade: map"):
// where the game is, for whoever watches it from outside.
void announceScreen(const std::string& what);
