#include "sim/combat.h"
void resolveAttacks() {}
