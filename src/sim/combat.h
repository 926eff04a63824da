// Turning pending attacks into hits.
#pragma once

#include "sim/rect.h"

void resolveAttacks();
// The box the attacker's pending attack strikes: in front of the body by its facing, at
// mid or low height, raised by the attacker's altitude.
Rect attackHitBox(int attacker);
// The box an attack must overlap to land on `victim`: its body about x, from its drawn top
// (altitude included) down by its height.
Rect bodyHitBox(int victim);
