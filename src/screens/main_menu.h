// The main menu: four entries under a pulsing highlight, closed with Return and a fade.
#pragma once
#include <cstdint>

#include "content/sprite_set.h"

constexpr int kMenuEntries = 4;               // entries 0..3
constexpr int kMenuHighlight = kMenuEntries;  // record 4 is the highlight

enum MenuPhase { kMenuChoosing = 1, kMenuClosing = 2 };

// Everything one run of the screen owns; cleared on every entry.
struct MainMenuState {
  Texture menuTexture{};
  SpriteSet menuItems[kMenuEntries + 1]{};
  int32_t cursor{};
  double pulse{};  // the highlight's transparency
  int32_t pulseRising{};
  int32_t phase{};
  double fade{};
  // Entries past the sheet's four that the cursor moves over too (after the last, before the
  // first); whoever adds them draws them. 0 unless a program sets it after the entry step.
  int32_t addedEntries{};
};
extern MainMenuState mainMenu;
// The closing layer: the global interface sheet's fade frame, stretched over the screen.
extern SpriteSet fadeLayer;

void enterMainMenu();
// The sheet's entry under a point of the picture (0..3), -1 for none (a tap's choice).
int32_t mainMenuEntryAt(int32_t x, int32_t y);
// One iteration of the screen loop; false when the menu has closed (that frame is not shown).
bool mainMenuFrame();
