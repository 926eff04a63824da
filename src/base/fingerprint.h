// Fingerprints of bytes and files: equal fingerprints, equal contents, as far as a check
// between two machines or two runs needs. Not a guard against tampering.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// FNV-1a, 64 bits, continued from `hash` (kFnvStart for a fresh one).
uint64_t fnv1a(const void* bytes, size_t count, uint64_t hash);
constexpr uint64_t kFnvStart = 14695981039346656037ull;
// 16 lower-case hex digits.
std::string hex64(uint64_t value);
// The fingerprint of a file's bytes as 16 hex digits, or "missing" when it cannot be read.
std::string fileDigest(const std::string& path);
