// Turning a path as content writes it into one the host's file calls take.
#pragma once
#include <string>

// Content paths are written with "/" or "\"; both must reach the same file.
std::string hostPath(const std::string& contentPath);
