// Reading the points off the tick: a blow landed is a new entry in a player's hit list, a
// defeat is a blow that takes an opponent from above zero hit points to none.
#include "arcade/score.h"

#include "arcade/arcade.h"
#include "sim/entity.h"

ArcadeScores scores;

namespace {

constexpr int kFirstOpponentSlot = 2;  // entities 0 and 1 are the players

int32_t lastIndex() { return lastEntity < kEntityCount ? lastEntity : kEntityCount - 1; }
int32_t scoringPlayers(int32_t players) { return players < kScoringPlayers ? players : kScoringPlayers; }

bool isOpponent(int e) { return e >= kFirstOpponentSlot && entities[e].kind == kKindFighter; }

// Points, and the life that comes with passing the mark; a player who has fallen for good is
// not brought back by it.
void award(int p, int32_t points) {
  const int32_t before = scores.points[p];
  scores.points[p] += points;
  if (before < kPointsExtraLife && scores.points[p] >= kPointsExtraLife && scores.lives[p] > 0) scores.lives[p] += 1;
}

// One blow of player p that landed on v in this tick's attacks. Where both players struck
// the same opponent in one tick, the hit points are taken in the tick's order (player 1 first)
// to say whose blow was the last.
void scoreBlow(int p, int v, double* hpLeft) {
  if (entities[v].kind == kKindObject) {
    scores.propStriker[v] = static_cast<int8_t>(p);
    return;
  }
  if (!isOpponent(v)) return;
  award(p, kPointsBlow);
  const bool thrownDown = scores.aiStateBefore[v] != kAiKnockedDown && entities[v].aiState == kAiKnockedDown;
  if (thrownDown) award(p, kPointsKnockDown);
  const double before = *hpLeft;
  *hpLeft -= entities[p].attackDamage;
  if (before > 0 && *hpLeft <= 0)
    award(p, v == arcade.boss ? kPointsBossDefeat : kPointsDefeat);
}

void scoreBrokenProps() {
  for (int e = 0; e <= lastIndex(); ++e) {
    if (scores.propStanding[e] == 0) continue;
    if (entities[e].alive == 1 && entities[e].kind == kKindObject) continue;
    if (scores.propStriker[e] >= 0) award(scores.propStriker[e], kPointsPropBroken);
    scores.propStanding[e] = 0;
  }
}

}  // namespace

void startScores() {
  scores.runEnded = 0;
  for (int p = 0; p < kScoringPlayers; ++p) {
    scores.points[p] = 0;
    scores.continued[p] = 0;
    scores.lives[p] = arcade.startLives;
  }
}

void continueFromTitle(int32_t players) {
  if (scores.runEnded == 1) continueScores(players);
}

void continueScores(int32_t players) {
  scores.runEnded = 0;
  for (int p = 0; p < scoringPlayers(players); ++p) {
    scores.points[p] = 0;
    scores.continued[p] = 1;
    scores.lives[p] = arcade.startLives;
  }
}

void scoreStageStart() {
  for (int e = 0; e < kEntityCount; ++e) {
    const bool prop = e <= lastIndex() && entities[e].alive == 1 && entities[e].kind == kKindObject;
    scores.propStanding[e] = prop ? 1 : 0;
    scores.propStriker[e] = -1;
  }
}

void scoreTickBeforeAttacks(int32_t players) {
  const int32_t last = lastIndex();
  scores.lastBefore = last;
  for (int p = 0; p < scoringPlayers(players); ++p)
    scores.hitListBefore[p] = entities[p].hitList;
  for (int e = 0; e <= last; ++e) {
    scores.hpBefore[e] = entities[e].hp;
    scores.aiStateBefore[e] = entities[e].aiState;
  }
}

void scoreTickAfterAttacks(int32_t players) {
  for (int v = 0; v <= scores.lastBefore; ++v) {
    double hpLeft = scores.hpBefore[v];
    for (int p = 0; p < scoringPlayers(players); ++p)
      if (!scores.hitListBefore[p].has(v) && entities[p].hitList.has(v)) scoreBlow(p, v, &hpLeft);
  }
  scoreBrokenProps();
}

void scoreStageClear(int32_t players) {
  for (int p = 0; p < scoringPlayers(players); ++p) {
    const Entity& pl = entities[p];
    if (pl.alive != 1 || pl.hp <= 0) continue;
    award(p, kPointsStageClear + kPointsPerHealthLeft * static_cast<int32_t>(pl.hp));
  }
}
