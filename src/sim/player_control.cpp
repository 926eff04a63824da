#include "sim/control.h"
void updatePlayers() {}
