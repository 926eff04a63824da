// Turning a path as content writes it into one the host's file calls take.
#pragma once
#include <string>
#include <vector>

// Content paths are written with "/" or "\"; both must reach the same file.
std::string hostPath(const std::string& contentPath);
// Every host path handed out above, each once, in the order first asked for: the content files
// a run has opened or tried to. The game never reads it; the replay tool fingerprints them.
const std::vector<std::string>& hostPathsUsed();
