#include "base/fingerprint.h"

#include <cstdio>

uint64_t fnv1a(const void* bytes, size_t count, uint64_t hash) {
  const unsigned char* b = static_cast<const unsigned char*>(bytes);
  for (size_t i = 0; i < count; ++i) {
    hash ^= b[i];
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string hex64(uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

std::string fileDigest(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return "missing";
  uint64_t hash = kFnvStart;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) hash = fnv1a(buffer, got, hash);
  std::fclose(file);
  return hex64(hash);
}
