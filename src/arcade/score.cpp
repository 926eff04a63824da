// Reading the points off the tick: a blow landed is a new entry in a player's hit list, a
// defeat is a blow that takes an opponent from above zero hit points to none.
#include "arcade/score.h"

#include "arcade/arcade.h"
#include "base/saturate.h"
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

// One blow of player p that landed on v in this tick, taking `damage` off. Where both players
// struck the same opponent in one tick, the hit points are taken in the tick's order (player 1
// first) to say whose blow was the last.
void scoreBlow(int p, int v, double damage, double* hpLeft) {
  if (entities[v].kind == kKindObject) {
    scores.propStriker[v] = static_cast<int8_t>(p);
    return;
  }
  if (!isOpponent(v)) return;
  award(p, kPointsBlow);
  const bool thrownDown = scores.aiStateBefore[v] != kAiKnockedDown && entities[v].aiState == kAiKnockedDown;
  if (thrownDown) award(p, kPointsKnockDown);
  const double before = *hpLeft;
  *hpLeft -= damage;
  if (before > 0 && *hpLeft <= 0)
    award(p, v == arcade.boss ? kPointsBossDefeat : kPointsDefeat);
}

// The moves' own deeds this tick, read off the players' tallies.
void scoreMoves(int p) {
  const MoveTally& now = moveTallies.player[p];
  const MoveTally& before = scores.talliesBefore.player[p];
  const int64_t points = int64_t{kPointsThrow} * (now.throws - before.throws) +
                         int64_t{kPointsBowledOver} * (now.bowledOver - before.bowledOver) +
                         int64_t{kPointsWeaponHit} * (now.weaponBlows - before.weaponBlows + now.knifeHits - before.knifeHits);
  if (points > 0) award(p, saturate32(points));
}

bool struckNow(int p, int v) { return !scores.hitListBefore[p].has(v) && entities[p].hitList.has(v); }

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
  scores.talliesBefore = moveTallies;
  for (int e = 0; e <= last; ++e) {
    scores.hpBefore[e] = entities[e].hp;
    scores.aiStateBefore[e] = entities[e].aiState;
  }
}

void scoreTickAfterAttacks(int32_t players) {
  const int32_t scoring = scoringPlayers(players);
  for (int v = 0; v <= scores.lastBefore; ++v) {
    int strikers = 0;
    for (int p = 0; p < scoring; ++p) strikers += struckNow(p, v) ? 1 : 0;
    double hpLeft = scores.hpBefore[v];
    for (int p = 0; p < scoring; ++p) {
      if (!struckNow(p, v)) continue;
      // A lone striker took what the victim lost, whatever the blow was (a knee, a throw, the
      // special or a knife carry their own damage); two share it as their attacks say.
      const double damage = strikers == 1 ? scores.hpBefore[v] - entities[v].hp : entities[p].attackDamage;
      scoreBlow(p, v, damage, &hpLeft);
    }
  }
  for (int p = 0; p < scoring; ++p) scoreMoves(p);
  scoreBrokenProps();
}

void scoreStageClear(int32_t players) {
  for (int p = 0; p < scoringPlayers(players); ++p) {
    const Entity& pl = entities[p];
    if (pl.alive != 1 || pl.hp <= 0) continue;
    award(p, kPointsStageClear + kPointsPerHealthLeft * static_cast<int32_t>(pl.hp));
  }
}
