// Stage music, composed and played by code. The game plays a track from its start, and when it
// reaches kLoopEnd jumps back to kLoopStart for good. So every track is an intro that ends
// exactly at kLoopStart and a loop of whole bars that fills kLoopStart..kLoopEnd; the intro's
// last bar is the loop's last bar, so whatever rings on into the loop's first bar is the same
// whether it follows the intro or the jump back. A few bars past kLoopEnd repeat the loop's
// start, in case the jump comes a little late.
#include <cmath>
#include <vector>

#include "audio_levels.h"
#include "music_timing.h"
#include "ogg_writer.h"
#include "pack.h"
#include "rng.h"

namespace {

const int kRate = 22050;
const int kTailBars = 4;
const float kQuality = 0.05f;
const double kPi = 3.14159265358979323846;

struct Chord {
  int root;  // semitones above the key note
  bool minor;
};

// Each stage's piece has a lead voice, a groove and a bass figure of its own.
enum class Voice { Pulse, Bell, Reed, Whistle, Saw, Organ };
enum class Groove { Backbeat, HalfTime, FourFloor };

enum class Part { IntroLight, IntroFull, A, B, Breakdown, Turnaround };

// A run of bars of one part. A song's loop is its sections, then one turnaround bar.
struct Section {
  Part part;
  int bars;
};

struct Song {
  std::string name;
  std::vector<Section> form;
  Voice voice;
  Groove groove;
  int bassFigure;  // row of kBassFigures
  int loopBars;  // sets the tempo: the loop is always kLoopEnd - kLoopStart long
  int key;       // MIDI note of the key, bass octave
  bool minorKey;
  Chord chords[4];
  uint64_t seed;
};

double hz(double midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

class Mix {
 public:
  explicit Mix(double seconds) : left(static_cast<size_t>(seconds * kRate) + 1), right(left.size()) {}
  void add(double t, double v, double pan) {  // pan -1 left .. 1 right
    long i = std::lround(t * kRate);
    if (i < 0 || i >= static_cast<long>(left.size())) return;
    left[i] += static_cast<float>(v * (1 - pan) * 0.5);
    right[i] += static_cast<float>(v * (1 + pan) * 0.5);
  }
  std::vector<float> left, right;
};

// ---- Instruments: each writes one note starting at time t ----

void kick(Mix& m, double t, double level) {
  double phase = 0;
  for (int i = 0; i < kRate * 0.35; ++i) {
    double s = static_cast<double>(i) / kRate;
    phase += 2 * kPi * (45 + 90 * std::exp(-s * 28)) / kRate;
    m.add(t + s, level * std::sin(phase) * std::exp(-s * 9), 0);
  }
}

void snare(Mix& m, double t, double level, Rng& rng) {
  double y = 0;
  for (int i = 0; i < kRate * 0.25; ++i) {
    double s = static_cast<double>(i) / kRate;
    double n = rng.range(-1, 1);
    y += 0.5 * (n - y);
    double tone = std::sin(2 * kPi * 185 * s) * std::exp(-s * 30);
    m.add(t + s, level * ((n - y) * 0.8 * std::exp(-s * 16) + tone * 0.5), 0.1);
  }
}

void hat(Mix& m, double t, double level, double length, Rng& rng) {
  double prev = 0;
  for (int i = 0; i < kRate * length; ++i) {
    double s = static_cast<double>(i) / kRate;
    double n = rng.range(-1, 1);
    m.add(t + s, level * (n - prev) * 0.5 * std::exp(-s * 6 / length), 0.35);
    prev = n;
  }
}

void crash(Mix& m, double t, double level, Rng& rng) {
  double prev = 0;
  for (int i = 0; i < kRate * 1.6; ++i) {
    double s = static_cast<double>(i) / kRate;
    double n = rng.range(-1, 1);
    m.add(t + s, level * (n - prev) * 0.45 * std::exp(-s * 2.6), -0.3);
    prev = n;
  }
}

void bass(Mix& m, double t, double midi, double length, double level) {
  double f = hz(midi), phase = 0, y = 0;
  for (int i = 0; i < kRate * (length + 0.05); ++i) {
    double s = static_cast<double>(i) / kRate;
    phase += f / kRate;
    double saw = 2 * (phase - std::floor(phase)) - 1;
    double cutoff = 300 + 1400 * std::exp(-s * 14);
    y += (1 - std::exp(-2 * kPi * cutoff / kRate)) * (saw - y);
    double env = std::min(1.0, s * 400) * (s < length ? 1.0 : std::max(0.0, 1 - (s - length) * 20));
    m.add(t + s, level * y * env, -0.05);
  }
}

// One sample of a lead voice at phase p (0..1) and time s into the note.
double voiceSample(Voice voice, double p, double s) {
  switch (voice) {
    case Voice::Bell: {  // two sines a twelfth apart, the upper one dying first: a struck bar
      double upper = std::sin(2 * kPi * 3 * p) * 0.45 * std::exp(-s * 9);
      return std::sin(2 * kPi * p) + upper;
    }
    case Voice::Reed: {  // a narrow pulse with its odd harmonics pushed: nasal and hard
      double square = p < 0.5 ? 1.0 : -1.0;
      return square * 0.55 + (p < 0.18 ? 0.45 : -0.1);
    }
    case Voice::Whistle:  // a sine with a touch of its octave: a distant train whistle
      return std::sin(2 * kPi * p) * 0.85 + std::sin(4 * kPi * p) * 0.15;
    case Voice::Saw:  // a bright ramp, the neon synth
      return (2 * p - 1) * 0.8;
    case Voice::Organ:  // drawbars at the fundamental, octave and twelfth: the fairground organ
      return std::sin(2 * kPi * p) * 0.5 + std::sin(4 * kPi * p) * 0.3 + std::sin(6 * kPi * p) * 0.2;
    case Voice::Pulse:
    default:
      return (p < 0.3 ? 1.0 : -1.0) * 0.6 + (2 * p - 1) * 0.4;
  }
}

void lead(Mix& m, Voice voice, double t, double midi, double length, double level, double echo) {
  double f = hz(midi), phase = 0, y = 0;
  const double smoothing = voice == Voice::Reed ? 0.55 : voice == Voice::Bell ? 0.8 : 0.35;
  const double vibratoDepth = voice == Voice::Bell ? 0.0 : voice == Voice::Reed ? 0.009 : 0.006;
  for (int i = 0; i < kRate * (length + 0.25); ++i) {
    double s = static_cast<double>(i) / kRate;
    double vibrato = s > 0.12 ? vibratoDepth * std::sin(2 * kPi * 5.5 * s) : 0;
    phase += f * (1 + vibrato) / kRate;
    double p = phase - std::floor(phase);
    y += smoothing * (voiceSample(voice, p, s) - y);
    double held = voice == Voice::Bell ? std::exp(-s * 2.5) : 1 - 0.25 * std::min(1.0, s / 0.4);
    double env = std::min(1.0, s * 150) * (s < length ? held : held * std::exp(-(s - length) * 14));
    m.add(t + s, level * y * env, 0.15);
    m.add(t + s + echo, level * 0.28 * y * env, -0.6);  // echo to the other side
  }
}

void pad(Mix& m, double t, const std::vector<double>& notes, double length, double level) {
  for (size_t k = 0; k < notes.size(); ++k)
    for (double detune : {-0.08, 0.08}) {
      double f = hz(notes[k] + detune), phase = 0.37 * k, y = 0;
      double pan = (k % 2 ? 0.5 : -0.5) * (detune > 0 ? 1 : -1);
      for (int i = 0; i < kRate * (length + 0.3); ++i) {
        double s = static_cast<double>(i) / kRate;
        phase += f / kRate;
        double saw = 2 * (phase - std::floor(phase)) - 1;
        y += 0.06 * (saw - y);
        double env = std::min(1.0, s / 0.35) * (s < length ? 1.0 : std::exp(-(s - length) * 10));
        m.add(t + s, level * y * env, pan);
      }
    }
}

void arp(Mix& m, double t, double midi, double level, double pan) {
  double f = hz(midi), phase = 0;
  for (int i = 0; i < kRate * 0.14; ++i) {
    double s = static_cast<double>(i) / kRate;
    phase += f / kRate;
    double sq = phase - std::floor(phase) < 0.5 ? 1.0 : -1.0;
    m.add(t + s, level * sq * std::exp(-s * 24), pan);
  }
}

// ---- Arrangement ----

struct Motif {
  struct Note {
    int step, length, degree;
  };
  std::vector<Note> notes;  // on a grid of eighth notes over two bars
};

Motif makeMotif(Rng& rng) {
  Motif motif;
  int step = 0, degree = rng.below(3) * 2;
  while (step < 15) {
    int length = rng.unit() < 0.5 ? 1 : rng.unit() < 0.6 ? 2 : 3;
    if (step + length > 16) length = 16 - step;
    motif.notes.push_back({step, length, degree});
    step += length + (rng.unit() < 0.25 ? 1 : 0);
    degree += rng.below(5) - 2;
    degree = std::max(-2, std::min(9, degree));
  }
  motif.notes.back().length = std::max(motif.notes.back().length, 16 - motif.notes.back().step);
  return motif;
}


// Eighth-note bass figures over one bar, in semitones above the chord's root.
const int kBassFigures[3][8] = {{0, 0, 12, 0, 0, 12, 0, 7}, {0, 7, 12, 7, 0, 7, 10, 12}, {0, 0, 0, 12, 0, 0, 3, 5}};

struct Arranger {
  const Song& song;
  Mix& mix;
  Timing time;
  Rng rng;
  Motif motifA, motifB;

  Arranger(const Song& s, Mix& m)
      : song(s), mix(m), time(s.loopBars), rng(s.seed), motifA(makeMotif(rng)), motifB(makeMotif(rng)) {}

  double scaleNote(int degree, int octaveBase) const {
    static const int minor[7] = {0, 2, 3, 5, 7, 8, 10}, major[7] = {0, 2, 4, 5, 7, 9, 11};
    const int* scale = song.minorKey ? minor : major;
    int octave = degree >= 0 ? degree / 7 : -((-degree + 6) / 7);
    int index = degree - octave * 7;
    return octaveBase + 12 * octave + scale[index];
  }

  std::vector<double> chordNotes(const Chord& c, int base) const {
    return {double(base + c.root), double(base + c.root + (c.minor ? 3 : 4)), double(base + c.root + 7)};
  }

  bool kickOn(Part part, int beat) const {
    switch (song.groove) {
      case Groove::FourFloor: return true;
      case Groove::HalfTime: return beat == 0 || (part == Part::B && beat == 2);
      case Groove::Backbeat:
      default: return beat % 2 == 0 || (part == Part::B && beat == 3);
    }
  }

  bool snareOn(int beat) const { return song.groove == Groove::HalfTime ? beat == 2 : beat % 2 == 1; }

  void drums(double t, Part part, int bar) {
    bool fill = part == Part::Turnaround;
    if (song.groove == Groove::HalfTime && part != Part::Breakdown && part != Part::IntroLight)
      kick(mix, t + 2.5 * time.beat, 0.7);  // the push before the half-time snare
    for (int beat = 0; beat < 4; ++beat) {
      double b = t + beat * time.beat;
      if (part != Part::Breakdown && kickOn(part, beat)) kick(mix, b, 0.9);
      if (part == Part::Breakdown && beat == 0 && bar % 2 == 0) kick(mix, b, 0.6);
      if (part != Part::IntroLight && part != Part::Breakdown && snareOn(beat)) snare(mix, b, 0.55, rng);
      if (part == Part::Breakdown && beat == 3 && bar % 4 == 3) snare(mix, b, 0.4, rng);
      bool open = part == Part::B;
      hat(mix, b, 0.16, 0.05, rng);
      hat(mix, b + time.beat / 2, open ? 0.2 : 0.14, open ? 0.18 : 0.05, rng);
      if (song.groove == Groove::FourFloor) {  // sixteenths on the off-beats drive the factory
        hat(mix, b + time.beat / 4, 0.08, 0.03, rng);
        hat(mix, b + 3 * time.beat / 4, 0.08, 0.03, rng);
      }
    }
    if (fill)
      for (int k = 0; k < 4; ++k) snare(mix, t + 3 * time.beat + k * time.beat / 4, 0.3 + 0.1 * k, rng);
  }

  void bassLine(double t, const Chord& c, Part part) {
    int root = song.key + c.root;
    const int* pattern = kBassFigures[song.bassFigure];
    for (int k = 0; k < 8; ++k) {
      if (part == Part::Breakdown && k % 4 != 0) continue;
      double len = part == Part::Breakdown ? time.beat * 1.8 : time.beat / 2 * 0.8;
      bass(mix, t + k * time.beat / 2, root + pattern[k], len, 0.42);
    }
  }

  void melody(double t, const Motif& motif, int half, const Chord& c, double level) {
    for (const Motif::Note& n : motif.notes) {
      int step = n.step - half * 8;
      if (step < 0 || step >= 8) continue;
      int shift = c.root >= 7 ? 1 : 0;
      lead(mix, song.voice, t + step * time.beat / 2, scaleNote(n.degree + shift, song.key + 24), n.length * time.beat / 2 * 0.9, level,
           3 * time.beat / 4);
    }
  }

  void bar(double t, Part part, int barInSection, const Chord& c) {
    drums(t, part, barInSection);
    if (part == Part::Turnaround) {
      bassLine(t, c, Part::A);
      pad(mix, t, chordNotes(c, song.key + 12), time.bar, 0.05);
      for (int k = 0; k < 8; ++k) arp(mix, t + k * time.beat / 2, song.key + 24 + c.root + (k % 3) * 4, 0.08, 0.4);
      return;
    }
    bassLine(t, c, part);
    if (part != Part::IntroLight) pad(mix, t, chordNotes(c, song.key + 12), time.bar, part == Part::Breakdown ? 0.08 : 0.05);
    if (part == Part::IntroFull || part == Part::Breakdown || part == Part::B) {
      std::vector<double> tones = chordNotes(c, song.key + 24);
      for (int k = 0; k < 16; ++k)
        arp(mix, t + k * time.beat / 4, tones[k % 3] + (k % 6 >= 3 ? 12 : 0), 0.06, k % 2 ? 0.5 : -0.5);
    }
    if (part == Part::A) melody(t, motifA, barInSection % 2, c, 0.16);
    if (part == Part::B) melody(t, motifB, barInSection % 2, c, 0.17);
    if (part == Part::Breakdown && barInSection >= 8) melody(t, motifA, barInSection % 2, c, 0.1);
    if (barInSection == 0 && (part == Part::A || part == Part::B || part == Part::IntroFull)) crash(mix, t, 0.22, rng);
  }

  // Bar k of the loop (0 to loopBars - 1): theme, second theme, breakdown, theme, turnaround.
  // Every bar's noises come from a generator seeded by the bar's place in the loop, so the bars
  // after the loop end sound exactly like the loop's first bars, and the intro's last bar exactly
  // like the loop's last: the jump back lands on the same sound either way.
  void reseed(int loopBar) { rng = Rng(song.seed * 1000 + static_cast<uint64_t>(loopBar)); }

  void loopBar(double t, int k) {
    reseed(k);
    const Chord& c = song.chords[k % 4];
    int first = 0;
    for (const Section& section : song.form) {
      if (k < first + section.bars) return bar(t, section.part, k - first, c);
      first += section.bars;
    }
    bar(t, Part::Turnaround, 0, song.chords[3]);
  }

  // Start of loop bar k (k may run past the loop into the bars after it), on a whole sample:
  // every bar that repeats another starts a whole number of samples after it, so its notes fall
  // on the same samples relative to their bar and the repeat matches sample for sample.
  double loopBarStart(int k) const {
    const double loopStart = std::round(kLoopStart * kRate);
    const double loopLength = std::round(time.loopBars * time.bar * kRate);
    const int cycle = k / time.loopBars, within = k % time.loopBars;
    return (loopStart + cycle * loopLength + std::round(within * time.bar * kRate)) / kRate;
  }

  void render() {
    crash(mix, 0.05, 0.15, rng);  // a swell before the first bar
    for (int k = 0; k < time.introBars; ++k) {
      double t = time.introStart + k * time.bar;
      if (k == time.introBars - 1) {
        // The loop's last bar, one loop earlier.
        t = loopBarStart(time.loopBars - 1) - std::round(time.loopBars * time.bar * kRate) / kRate;
        reseed(time.loopBars - 1);
        bar(t, Part::Turnaround, 0, song.chords[3]);
      } else {
        bar(t, k < 8 ? Part::IntroLight : Part::IntroFull, k % 8, song.chords[k % 4]);
      }
    }
    for (int k = 0; k < time.loopBars + kTailBars; ++k) loopBar(loopBarStart(k), k % time.loopBars);
  }
};

// Interleaves the two channels, takes out any standing offset and sets the loop's level under
// the mastering ceiling; a plain gain, so nothing is squashed or clipped.
std::vector<float> master(const Mix& mix, const Timing& time) {
  std::vector<float> out(mix.left.size() * 2);
  for (size_t i = 0; i < mix.left.size(); ++i) {
    out[2 * i] = mix.left[i];
    out[2 * i + 1] = mix.right[i];
  }
  removeDc(out, 0, 2);
  removeDc(out, 1, 2);
  const size_t loopFrom = static_cast<size_t>(kLoopStart * kRate) * 2;
  const size_t loopTo = static_cast<size_t>((kLoopStart + time.loopBars * time.bar) * kRate) * 2;
  Levels loop = measure(out, 0, 1, loopFrom, loopTo);
  loop.peak = measure(out).peak;
  const double gain = fittingGain(loop, kMusicRmsDb, kMusicMasterCeilingDb);
  for (float& v : out) v = static_cast<float>(v * gain);
  return out;
}

const std::vector<Song>& songs() {
  // Harbour: D major, a bell over a backbeat, the breakdown early; factory: E minor, a hard reed
  // over four to the floor, opening on the second theme; downtown: A minor, the pulse lead over
  // a half-time groove.
  static const std::vector<Song> list = {
      {"stage3", {{Part::A, 16}, {Part::B, 16}, {Part::Breakdown, 12}, {Part::A, 15}}, Voice::Pulse, Groove::HalfTime, 2, 60,
       45, true, {{0, true}, {8, false}, {10, false}, {7, true}}, 303},
      {"stage1", {{Part::A, 16}, {Part::Breakdown, 8}, {Part::B, 16}, {Part::A, 15}}, Voice::Bell, Groove::Backbeat, 0, 56,
       38, false, {{0, false}, {9, true}, {5, false}, {7, false}}, 101},
      {"stage2", {{Part::B, 8}, {Part::A, 16}, {Part::B, 16}, {Part::Breakdown, 12}, {Part::A, 11}}, Voice::Reed,
       Groove::FourFloor, 1, 64, 40, true, {{0, true}, {3, false}, {10, false}, {7, false}}, 202},
      // World 2. Rail yard: F minor at about 110, a whistle over a backbeat; rooftops: B minor
      // at about 146, a saw lead over four to the floor; pier: G major at about 102, the
      // fairground organ over a half-time sway.
      {"railyard", {{Part::A, 16}, {Part::Breakdown, 8}, {Part::B, 16}, {Part::A, 11}}, Voice::Whistle, Groove::Backbeat,
       1, 52, 41, true, {{0, true}, {8, false}, {3, false}, {7, true}}, 404},
      {"rooftops", {{Part::B, 16}, {Part::A, 16}, {Part::Breakdown, 8}, {Part::B, 16}, {Part::A, 11}}, Voice::Saw,
       Groove::FourFloor, 2, 68, 35, true, {{0, true}, {5, true}, {10, false}, {8, false}}, 505},
      {"pier", {{Part::A, 16}, {Part::B, 16}, {Part::A, 15}}, Voice::Organ, Groove::HalfTime, 0, 48, 43, false,
       {{0, false}, {5, false}, {7, false}, {0, false}}, 606},
  };
  return list;
}

}  // namespace

void writeMusic(const std::string& root) {
  for (const Song& song : songs()) {
    Timing time(song.loopBars);
    Mix mix(kLoopStart + (time.loopBars + kTailBars) * time.bar + 1.0);
    Arranger(song, mix).render();
    writeOggVorbis(root + "/bgm/" + song.name + ".ogg", master(mix, time), kRate, kQuality);
  }
}
