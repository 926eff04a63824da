#include <cstdlib>

#include "screens/screens.h"
#include "shell/platform.h"

void endProgram() {
  platformShutdown();
  std::exit(0);
}
