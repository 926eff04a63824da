// The few global settings that screens and the stage share.
#pragma once
#include <cstddef>
#include <cstdint>

// Every fade (the screen's cover, a beaten opponent) moves this much a tick: 40 ticks from
// one end to the other.
constexpr double kFadeStep = 0.025;

extern int32_t cameraTarget;

constexpr int kDrawOrderCount = 1001;  // one entry per entity slot
extern int32_t drawOrder[kDrawOrderCount];

extern int32_t cameraX;
extern int32_t cameraY;
extern int32_t shakeSign;

// The content's own figures, in percent: the difficulty's neutral value.
constexpr int32_t kContentPercent = 100;

// House rules the arcade changes; brawler keeps each at its start value.
struct GameRules {
  int32_t friendlyFire = 1;          // a player's attack lands on the other player
  int32_t quitKeysEndProgram = 1;    // Escape on the stage and map, Return on character select
  int32_t portraitFollowsMover = 0;  // the big portrait shows the box of whoever moved last
  int32_t holdInsideStageEnd = 0;    // no player walks past the stage end
  // An opponent hurt once stays marked hurt, so its next jump lands as if knocked down and
  // leaves it lying, unhittable, for good. With this on, its own jump lands on its feet.
  int32_t jumpLandsOnFeet = 0;
  // Rules from here on came after the first recorded fights: the world's digest takes them in
  // only when one of them is off its start value, so those fights keep their digests.
  // The difficulty, in percent of the content's own figures (100 leaves them as written):
  int32_t opponentHpPercent = kContentPercent;      // an opponent's hit points as it starts
  int32_t opponentDamagePercent = kContentPercent;  // what an opponent's blow takes off a player
  int32_t opponentWaitPercent = kContentPercent;    // an opponent's wait before it decides again
  // The genre's moves: grabs and throws, knees, the special, food and weapons, and the script
  // commands behind them (docs/scripts.md). Off, those commands do nothing and no one grabs.
  int32_t genreMoves = 0;
};
extern GameRules gameRules;
// The arcade's house rules on a stage (the difficulty left as it is): no friendly fire, no quit
// keys, the portrait follows the mover, the end wall, jumps land on their feet, the genre's moves.
void applyArcadeHouseRules(GameRules& rules);
// How a recording names those rules ("rules arcade").
constexpr const char* kArcadeRulesName = "arcade";
// The bytes of GameRules that every digest takes in, whatever the later rules hold.
constexpr size_t kFirstRulesBytes = offsetof(GameRules, jumpLandsOnFeet) + sizeof(int32_t);

// One of an opponent's figures under a difficulty percentage: the figure itself at 100, else
// the nearest whole number (hit points and damage stay whole, as the panels show them).
double scaledByPercent(double value, int32_t percent);
