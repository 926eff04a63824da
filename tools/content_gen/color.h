// Colours and the shade ramps that give every painted part its light and dark side.
#pragma once

#include <algorithm>
#include <cstdint>

struct Color {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};

inline Color rgb(int r, int g, int b, int a = 255) {
  auto c = [](int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };
  return Color{c(r), c(g), c(b), c(a)};
}

inline Color scaled(Color c, double f) {
  return rgb(static_cast<int>(c.r * f), static_cast<int>(c.g * f), static_cast<int>(c.b * f), c.a);
}

inline Color mixed(Color a, Color b, double t) {
  auto m = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
  return rgb(m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a));
}

// Three tones of one material plus the line drawn round it.
struct Ramp {
  Color light, base, dark, line;
};

// Builds a ramp from a base colour: a warm highlight, a cool shadow and a very dark outline.
inline Ramp rampOf(Color base) {
  Color light = mixed(scaled(base, 1.25), rgb(255, 250, 225), 0.18);
  Color dark = mixed(scaled(base, 0.62), rgb(40, 30, 80), 0.15);
  Color line = mixed(scaled(base, 0.22), rgb(16, 10, 24), 0.6);
  return Ramp{light, base, dark, line};
}

inline Ramp dimmed(const Ramp& r, double f) {
  return Ramp{scaled(r.light, f), scaled(r.base, f), scaled(r.dark, f), r.line};
}
