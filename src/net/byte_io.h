// Little-endian fields and varints, written into and read out of a packet's bytes. The
// reader never reads past the end: once it runs out it gives zeros and `ok` turns false, so a
// decoder checks once, at the end, rather than before every field.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

struct Writer {
  uint8_t* out;
  size_t at = 0;
  void u8(uint8_t v) { out[at++] = v; }
  void u16(uint16_t v) {
    u8(static_cast<uint8_t>(v));
    u8(static_cast<uint8_t>(v >> 8));
  }
  void u32(uint32_t v) {
    for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(v >> (8 * i)));
  }
  // Seven bits a byte, the low ones first; the top bit says another byte follows.
  void varint(uint32_t v) {
    for (; v >= 0x80; v >>= 7) u8(static_cast<uint8_t>(v | 0x80));
    u8(static_cast<uint8_t>(v));
  }
  // A tick near `base`, as the zigzagged difference, so that a few ticks either way take a byte.
  void near(uint32_t v, uint32_t base) {
    const uint32_t d = v - base;
    varint((d << 1) ^ (0u - (d >> 31)));
  }
  void u64(uint64_t v) {
    for (int i = 0; i < 8; ++i) u8(static_cast<uint8_t>(v >> (8 * i)));
  }
  void bytes(const void* data, size_t size) {
    std::memcpy(out + at, data, size);
    at += size;
  }
};

// Reads what is there; once it runs past the end it reads zeros and `ok` stays false.
struct Reader {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  bool ok = true;
  bool has(size_t n) {
    if (size - at < n) ok = false;
    return ok;
  }
  uint8_t u8() { return has(1) ? data[at++] : 0; }
  uint16_t u16() {
    const uint16_t low = u8();
    return static_cast<uint16_t>(low | u8() << 8);
  }
  uint32_t u32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(u8()) << (8 * i);
    return v;
  }
  // Anything wider than 32 bits is not one the game wrote.
  uint32_t varint() {
    uint64_t v = 0;
    for (int shift = 0; shift < 35 && ok; shift += 7) {
      const uint8_t b = u8();
      v |= static_cast<uint64_t>(b & 0x7f) << shift;
      if ((b & 0x80) == 0) {
        if (v > UINT32_MAX) ok = false;
        return static_cast<uint32_t>(v);
      }
    }
    ok = false;
    return 0;
  }
  uint32_t near(uint32_t base) {
    const uint32_t z = varint();
    return base + ((z >> 1) ^ (0u - (z & 1)));
  }
  uint64_t u64() {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= static_cast<uint64_t>(u8()) << (8 * i);
    return v;
  }
  bool atEnd() const { return ok && at == size; }
};

