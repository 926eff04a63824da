#include "shell/play_loop.h"
void enterStage() {}
void stageTick() {}
void runStage() {}
