// The options screen: each player's controls, the window, the volumes and the game, drawn in the game's
// font and worked with the directions and confirm of either keyboard layout or any pad (a tap
// on a row chooses it and confirms it).
// Every change is applied and saved at once (shell/settings.h).
#pragma once
#include <cstdint>
#include <string>

enum OptionsPage { kOptionsMain = 0, kOptionsControls = 1, kOptionsVideo = 2, kOptionsSound = 3, kOptionsGame = 4 };
// The main page's rows, top to bottom.
enum OptionsMainRow {
  kRowFirstControls = 0, kRowSecondControls = 1, kRowVideo = 2, kRowSound = 3, kRowGame = 4, kRowDefaults = 5,
  kRowLeave = 6
};
// The game page's rows: what a new game in the arcade is played under.
enum OptionsGameRow { kRowDifficulty = 0, kRowLives = 1 };
// A controls page: the pad, then the actions in the order of BoundAction, then BACK.
constexpr int32_t kControlsPadRow = 0;
constexpr int32_t kControlsFirstActionRow = 1;

// Everything one visit of the screen owns; the options screen alone writes it.
struct OptionsState {
  int32_t page;
  int32_t player;      // whose controls the controls page shows
  int32_t row;         // the highlighted row of the page
  int32_t capturing;   // 1: the next key or pad control pressed becomes the row's binding
  std::string notice;  // a line under the rows: what a capture swapped, defaults restored
  int32_t noticeTicks; // how long the notice stays
  int32_t left;        // 1 once BACK or Escape left the main page
};
extern OptionsState options;

void enterOptions();
// One iteration; false once the player has left the screen (that frame is not shown).
bool optionsFrame();
// How many rows a page has, BACK included.
int32_t optionsRowCount(int32_t page);
// The row of the page shown under a point of the picture, -1 for none (a tap's choice).
int32_t optionsRowAt(int32_t x, int32_t y);
