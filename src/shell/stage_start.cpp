#include "shell/stage_start.h"
void startStage() {}
