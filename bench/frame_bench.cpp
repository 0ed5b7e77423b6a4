// Cost of the clock's frame routine with the real renderer: a drawn frame (a new second) and
// an idle tick (the same second again).
#include <benchmark/benchmark.h>

#include "bench/clock_program.h"

namespace {

void BM_DrawnFrame(benchmark::State& state) {
  vestrel::bench::ClockProgram clock(state.range(0) != 0);
  for (auto _ : state) clock.DrawnFrame();
}
BENCHMARK(BM_DrawnFrame)->Arg(0)->Arg(1)->ArgNames({"small"});

void BM_IdleTick(benchmark::State& state) {
  vestrel::bench::ClockProgram clock(false);
  for (auto _ : state) clock.IdleTick();
}
BENCHMARK(BM_IdleTick);

}  // namespace

BENCHMARK_MAIN();
