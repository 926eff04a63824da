#include "screens/screens.h"
#include "shell/platform.h"

void endProgram() { platformQuit(0); }
