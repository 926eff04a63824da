#include "sim/control.h"
void updateOpponents() {}
