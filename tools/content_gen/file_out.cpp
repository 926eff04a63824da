#include "file_out.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>

void ensureParentFolder(const std::string& path) {
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent);
}

void writeTextFile(const std::string& path, const std::vector<std::string>& lines) {
  ensureParentFolder(path);
  std::ofstream out(path, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write " + path);
  for (const std::string& line : lines) out << line << '\n';
}

void writeBinaryFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  ensureParentFolder(path);
  std::ofstream out(path, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write " + path);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
