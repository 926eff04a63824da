// Turning pending attacks into hits.
#pragma once

#include <cstdint>

#include "sim/rect.h"

void resolveAttacks();
// The box the attacker's pending attack strikes: in front of the body by its facing, at
// mid or low height, raised by the attacker's altitude.
Rect attackHitBox(int attacker);
// The box an attack must overlap to land on `victim`: its body about x, from its drawn top
// (altitude included) down by its height.
Rect bodyHitBox(int victim);

// Blows that come from no attack box (a knee, a throw, the special, a thrown body or knife):
// what the blow is, as an attack command would have said it.
struct Blow {
  int32_t kind;    // AttackKind
  int32_t effect;  // 0 spark, 1 blood
  int32_t damage;
  int32_t knockX, knockY;
};
// Whether v can take a blow now: a live fighter or prop, standing, not invincible, no item.
bool canBeStruck(int v);
// Lands `blow` from a on v as a hit of a's pending attack would land (a's hit list and power
// gauge, v's reaction, hit points, effect and sound), pushed or knocked toward `direction`
// (negative: to the left). a's own attack and facing are left as they were.
void landBlow(int a, int v, const Blow& blow, int direction);
