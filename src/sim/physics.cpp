#include "sim/physics.h"
void updatePhysics() {}
void holdOnFloorBand(int, int32_t) {}
