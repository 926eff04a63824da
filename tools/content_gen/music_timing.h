// Where the game loops stage music, and the bar grid that makes a track loop without a seam.
#pragma once

// The game plays a track from its start and jumps back from kLoopEnd to kLoopStart for good.
const double kLoopStart = 32.583;
const double kLoopEnd = 145.072;

// Tempo and bar grid of a track whose loop holds loopBars bars of four beats: as many whole
// bars of intro as fit before the loop start, preceded by a short lead-in.
struct Timing {
  explicit Timing(int loopBars)
      : loopBars(loopBars),
        beat((kLoopEnd - kLoopStart) / (loopBars * 4)),
        bar(4 * beat),
        introBars(static_cast<int>(kLoopStart / bar)),
        introStart(kLoopStart - introBars * bar) {}
  int loopBars;
  double beat, bar;  // seconds
  int introBars;
  double introStart;  // seconds of lead-in before the intro's first bar
};
