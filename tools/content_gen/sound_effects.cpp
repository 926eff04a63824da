// The five sound effects: light hit, heavy hit, swing, body on the ground, jump whoosh.
#include <cmath>

#include "audio_levels.h"
#include "pack.h"
#include "rng.h"
#include "wav.h"

namespace {

const double kPi = 3.14159265358979323846;

std::vector<float> silence(double seconds) { return std::vector<float>(static_cast<size_t>(seconds * kSampleRate), 0.0f); }

// A pitched thump: a sine whose pitch falls from f0 to f1 and whose level decays at `decay` per second.
void thump(std::vector<float>& s, double f0, double f1, double decay, double level) {
  double phase = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = static_cast<double>(i) / kSampleRate;
    double f = f1 + (f0 - f1) * std::exp(-t * 30);
    phase += 2 * kPi * f / kSampleRate;
    s[i] += static_cast<float>(level * std::sin(phase) * std::exp(-t * decay));
  }
}

// Noise through a one-pole low-pass whose cut-off follows `cutoff(t)`, shaped by `envelope(t)`.
template <typename Cutoff, typename Envelope>
void noise(std::vector<float>& s, Rng& rng, Cutoff cutoff, Envelope envelope, double level) {
  double y = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    double t = static_cast<double>(i) / kSampleRate;
    double a = 1 - std::exp(-2 * kPi * cutoff(t) / kSampleRate);
    y += a * (rng.range(-1, 1) - y);
    s[i] += static_cast<float>(level * y * envelope(t));
  }
}

// Takes out any offset, brings the sound to its level under the peak ceiling and fades its
// last few milliseconds so it stops without a click.
void finish(std::vector<float>& s, double rmsDb) {
  removeDc(s);
  const double gain = fittingGain(measure(s), rmsDb, kPeakCeilingDb);
  for (float& v : s) v = static_cast<float>(v * gain);
  const size_t fade = std::min<size_t>(s.size(), 200);
  for (size_t i = 0; i < fade; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / fade;
}

}  // namespace

void writeSounds(const std::string& root) {
  Rng rng(5);
  {  // 0: light hit, a short slap
    auto s = silence(0.18);
    thump(s, 260, 120, 28, 0.7);
    noise(s, rng, [](double) { return 3500.0; }, [](double t) { return std::exp(-t * 60); }, 0.9);
    finish(s, kLightHitRmsDb);
    writeWav(root + "/sound/0.wav", s);
  }
  {  // 1: heavy hit, deep with a crack on top
    auto s = silence(0.42);
    thump(s, 180, 55, 9, 0.95);
    noise(s, rng, [](double t) { return 5000.0 * std::exp(-t * 12) + 300; }, [](double t) { return std::exp(-t * 22); }, 1.0);
    finish(s, kHeavyHitRmsDb);
    writeWav(root + "/sound/1.wav", s);
  }
  {  // 2: swing, a band of air rising and falling
    auto s = silence(0.22);
    noise(s, rng, [](double t) { return 500 + 3000 * std::sin(kPi * t / 0.22); },
          [](double t) { return std::sin(kPi * t / 0.22) * std::sin(kPi * t / 0.22); }, 0.9);
    finish(s, kSwingRmsDb);
    writeWav(root + "/sound/2.wav", s);
  }
  {  // 3: a body hitting the ground
    auto s = silence(0.5);
    thump(s, 110, 42, 7, 1.0);
    noise(s, rng, [](double t) { return 900 * std::exp(-t * 6) + 100; }, [](double t) { return std::exp(-t * 10); }, 0.8);
    finish(s, kThudRmsDb);
    writeWav(root + "/sound/3.wav", s);
  }
  {  // 4: jump whoosh, short and rising
    auto s = silence(0.26);
    noise(s, rng, [](double t) { return 400 + 9000 * t; }, [](double t) { return std::sin(kPi * t / 0.26); }, 0.6);
    finish(s, kWhooshRmsDb);
    writeWav(root + "/sound/4.wav", s);
  }
}
