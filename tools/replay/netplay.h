// brawler-replay netplay --host [ADDRESS:]PORT | --join HOST[:PORT] --inputs FILE [--delay N]
//   [--latency MS] [--jitter MS] [--loss PERCENT] [--ticks N] [--out FILE]
#pragma once
#include <string>
#include <vector>

int netplay(const std::vector<std::string>& args);
// The same a step at a time, for a program that cannot wait in a loop (a page): netplayStart
// reads the switches and opens the line (false, with the exit status, when it ends there);
// netplayStep looks at the line and runs what is due, as often as the program likes (false once
// the netplay is over, with its exit status).
bool netplayStart(const std::vector<std::string>& args, int* status);
bool netplayStep(int* status);
