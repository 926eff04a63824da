#include "soak_report.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

long residentKiB(int pid) {
  std::ifstream statm("/proc/" + (pid == 0 ? std::string("self") : std::to_string(pid)) + "/statm");
  long pages = 0, resident = 0;
  if (!(statm >> pages >> resident)) return 0;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

bool enterContentFolder(int argc, char** argv, const char* usage) {
  if (argc < 2) {
    std::fprintf(stderr, "%s", usage);
    return false;
  }
  if (chdir(argv[1]) != 0) {
    std::perror(argv[1]);
    return false;
  }
  return true;
}

void SoakVerdict::require(bool held, const std::string& what) {
  if (!held) std::fprintf(stderr, "%s: %s\n", name, what.c_str());
  ok = ok && held;
}
