#include "screens/screens.h"
#include "platform/platform.h"

void endProgram() { platformQuit(0); }
