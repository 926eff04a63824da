// Turning a path as content writes it into one the host's file calls take.
#pragma once
#include <cstdio>
#include <string>

// Content paths are written with "/" or "\"; both must reach the same file.
std::string hostPath(const std::string& contentPath);

// Opens a content file for binary reading only if it is a regular file; nullptr for a missing
// file, a directory, a pipe or a device, none of which a pack may stand in for a file with.
std::FILE* openRegularFile(const std::string& contentPath);
