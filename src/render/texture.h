// One loaded image as OpenGL holds it.
#pragma once
#include <cstdint>
#include <string>

struct Texture {
  double width = 0;   // pixels; divisors that turn frame rectangles into texture coordinates
  double height = 0;
  uint32_t glName = 0;
};

// Decode a PNG and hand its pixels to GL exactly as decoded (RGBA or RGB); a failed decode
// prints "Error loading <path>." , waits for a key and ends the program with status
// kImageFailureStatus; nothing else is cleaned up first.
constexpr int kImageFailureStatus = 1;
void loadTextureRGBA(const std::string& path, Texture& texture);
void loadTextureRGB(const std::string& path, Texture& texture);
