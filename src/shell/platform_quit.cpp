#include <cstdio>
#include <cstdlib>

#include "shell/platform.h"

void platformQuit(int status) {
  platformShutdown();
  std::fflush(stdout);
  std::exit(status);
}
