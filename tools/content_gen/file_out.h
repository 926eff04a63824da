// Writing the pack's files: folders are made on demand, text always ends lines with a line feed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

void ensureParentFolder(const std::string& path);
void writeTextFile(const std::string& path, const std::vector<std::string>& lines);
void writeBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes);
