// Points in the arcade: what each player has earned in this game, and the table of how much
// each deed is worth. Points are read off what the stage's tick did (blows landed, hit points
// lost, opponents and props gone); the tick itself knows nothing of them.
#pragma once
#include <cstdint>

#include "sim/entity.h"
#include "sim/move_state.h"

constexpr int kScoringPlayers = 2;

// The table of points; docs/arcade.md shows the same table.
constexpr int32_t kPointsBlow = 100;          // a blow landed on an opponent
constexpr int32_t kPointsKnockDown = 300;     // more when the blow throws the opponent down
constexpr int32_t kPointsDefeat = 1000;       // the blow that takes an opponent's last hit points
constexpr int32_t kPointsBossDefeat = 5000;   // ...instead, when it was the stage's boss
constexpr int32_t kPointsPropBroken = 500;    // a prop gone from the street after a player's blow
// The genre's moves, on top of the blow each lands (a thrown body's landing is the thrower's):
constexpr int32_t kPointsThrow = 500;         // a held opponent thrown over the shoulder
constexpr int32_t kPointsBowledOver = 200;    // each opponent the thrown body lands on
constexpr int32_t kPointsWeaponHit = 50;      // a blow of a swung pipe, or a thrown knife that strikes
constexpr int32_t kPointsStageClear = 3000;   // each player standing when the stage is cleared
constexpr int32_t kPointsPerHealthLeft = 10;  // ...and this much for each hit point left
constexpr int32_t kPointsExtraLife = 50000;   // a player's score reaching this gives a life

// Who writes what: startScores (a new game), continueScores (a continue) and the scoring
// steps around the tick (scoreTick*, scoreStageClear) own every field; the HUD, the initials
// entry and the high-score table read points and continued.
struct ArcadeScores {
  int32_t points[kScoringPlayers];
  int32_t continued[kScoringPlayers];  // 1 once the player has taken a continue this game
  // Lives left, the one being played included: 0 once the player has fallen for good. Kept
  // here, beside the points, so that whatever puts the points back puts these back too.
  int32_t lives[kScoringPlayers];
  // 1 once this game's run has ended and been offered to the high scores: going on from the
  // title's CONTINUE is then a continue too, or the same points would make the table twice.
  int32_t runEnded;
  // The player whose blow last landed on each prop, -1 for none; a prop still on the street
  // has propStanding 1.
  int8_t propStriker[kEntityCount];
  int8_t propStanding[kEntityCount];
  // Taken between the tick's first half and its attacks: what the attacks change, over the
  // entities there were then (effects the attacks spawn are not struck in the same tick).
  int32_t lastBefore;
  HitSet hitListBefore[kScoringPlayers];
  double hpBefore[kEntityCount];
  int32_t aiStateBefore[kEntityCount];
  MoveTallies talliesBefore;
};
extern ArcadeScores scores;

// A new game: every player on 0 with the run's lives, no continue taken.
void startScores();
// A continue: every player taking part starts again from 0 with the run's lives, marked as
// continued.
void continueScores(int32_t players);
// CONTINUE on the title: a continue when the run had ended, else the same run going on.
void continueFromTitle(int32_t players);
// A stage has started: the props standing on it.
void scoreStageStart();
// Around the tick's attacks (this just before its attacks phase, scoreTickAfterAttacks just
// after it): the blows the players landed, the opponents they beat, the props they broke.
void scoreTickBeforeAttacks(int32_t players);
void scoreTickAfterAttacks(int32_t players);
// The stage cleared: every living player's bonus, health left included.
void scoreStageClear(int32_t players);
