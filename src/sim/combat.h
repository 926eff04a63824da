// Turning pending attacks into hits.
#pragma once

#include "sim/rect.h"

void resolveAttacks();
// The box the attacker's pending attack strikes: in front of the body by its facing, at
// mid or low height, raised by the attacker's altitude.
Rect attackHitBox(int attacker);
