// brawler-replay netplay --host [ADDRESS:]PORT | --join HOST[:PORT] --inputs FILE [--delay N]
//   [--latency MS] [--jitter MS] [--loss PERCENT] [--ticks N] [--out FILE]
#pragma once
#include <string>
#include <vector>

int netplay(const std::vector<std::string>& args);
