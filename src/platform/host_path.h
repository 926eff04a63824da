// Turning a path as content writes it into one the host's file calls take.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

// Content paths are written with "/" or "\"; both must reach the same file.
std::string hostPath(const std::string& contentPath);
// Every host path handed out above, each once, in the order first asked for: the content files
// a run has opened or tried to. The game never reads it; the replay tool fingerprints them.
const std::vector<std::string>& hostPathsUsed();

// Opens a content file for binary reading only if it is a regular file; nullptr for a missing
// file, a directory, a pipe or a device, none of which a pack may stand in for a file with.
std::FILE* openRegularFile(const std::string& contentPath);
