// What the frame wait costs in processor time: sleeping most of the slot against spinning it.
// Wall time per frame should be 17 ms either way; CPU time is the difference.
#include <benchmark/benchmark.h>

#include "platform/null_platform.h"
#include "shell/window.h"

namespace {

void paceFrames(benchmark::State& state) {
  useNullPlatform(false);  // the real millisecond clock; no window is needed to wait
  framePacingBusyWait = static_cast<int>(state.range(0));
  presentFrame();
  for (auto _ : state) presentFrame();
  framePacingBusyWait = 0;
}

}  // namespace

BENCHMARK(paceFrames)->ArgName("busyWait")->Arg(0)->Arg(1)->Iterations(120)->Unit(benchmark::kMillisecond);
