#include "audio_levels.h"

#include <algorithm>
#include <cmath>

#include "wav.h"

namespace {
const double kDcCutoffHz = 10.0;
const double kPi = 3.14159265358979323846;
}  // namespace

double decibels(double amplitude) { return 20.0 * std::log10(std::max(amplitude, 1e-12)); }
double amplitudeOf(double db) { return std::pow(10.0, db / 20.0); }

Levels measure(const std::vector<float>& samples, size_t first, size_t stride, size_t from, size_t to) {
  Levels l;
  double sum = 0, squares = 0;
  size_t count = 0;
  to = std::min(to, samples.size());
  for (size_t i = first + from * stride; i < to; i += stride, ++count) {
    double v = samples[i];
    l.peak = std::max(l.peak, std::fabs(v));
    sum += v;
    squares += v * v;
  }
  if (count) {
    l.mean = sum / count;
    l.rms = std::sqrt(squares / count);
  }
  return l;
}

void removeDc(std::vector<float>& samples, size_t first, size_t stride) {
  const double r = std::exp(-2 * kPi * kDcCutoffHz / kSampleRate);
  double previousIn = 0, out = 0;
  for (size_t i = first; i < samples.size(); i += stride) {
    out = samples[i] - previousIn + r * out;
    previousIn = samples[i];
    samples[i] = static_cast<float>(out);
  }
}

double fittingGain(const Levels& levels, double targetRmsDb, double ceilingDb) {
  if (levels.rms <= 0) return 1.0;
  double gain = amplitudeOf(targetRmsDb) / levels.rms;
  return std::min(gain, amplitudeOf(ceilingDb) / levels.peak);
}
