// brawler-replay session FILE...: an online arcade session's agreed controls, as a DESYNC
// writes them, run again on this machine, each held against the fingerprints its side wrote
// beside it.
#pragma once
#include <string>
#include <vector>

int sessionReplay(const std::vector<std::string>& files);
