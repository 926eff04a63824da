#include "wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "file_out.h"

namespace {

void put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(v & 0xff);
  b.push_back((v >> 8) & 0xff);
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
  put16(b, v & 0xffff);
  put16(b, v >> 16);
}
void tag(std::vector<uint8_t>& b, const char* t) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(t[i]));
}

}  // namespace

void writeWav(const std::string& path, const std::vector<float>& samples) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> b;
  tag(b, "RIFF");
  put32(b, 36 + dataBytes);
  tag(b, "WAVE");
  tag(b, "fmt ");
  put32(b, 16);
  put16(b, 1);  // PCM
  put16(b, 1);  // mono
  put32(b, kSampleRate);
  put32(b, kSampleRate * 2);
  put16(b, 2);
  put16(b, 16);
  tag(b, "data");
  put32(b, dataBytes);
  for (float s : samples) {
    int v = static_cast<int>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767));
    put16(b, static_cast<uint16_t>(static_cast<int16_t>(v)));
  }
  writeBinaryFile(path, b);
}
