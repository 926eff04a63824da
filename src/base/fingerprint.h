// Fingerprints of bytes and files: whether a file is still the one it was.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// FNV-1a, 64 bits: a fingerprint, not a guard against tampering.
uint64_t fnv1a(const void* bytes, size_t count, uint64_t hash);
constexpr uint64_t kFnvStart = 14695981039346656037ull;
std::string hex64(uint64_t value);
// The digest of a file's bytes as 16 hex digits, or "missing" when it cannot be read.
std::string fileDigest(const std::string& path);
