// Time of one renderer frame (picture restore, twelve strokes, the shrinking OR copy) at
// several times of day, large and small size.
#include <benchmark/benchmark.h>

#include "bench/raster_frame.h"

namespace {

void BM_RasterFrame(benchmark::State& state) {
  const int seconds = static_cast<int>(state.range(1));
  vestrel::bench::RasterFrame frame(state.range(0) != 0);
  for (auto _ : state) {
    frame.Draw(seconds / 3600, seconds / 60 % 60, seconds % 60);
    benchmark::DoNotOptimize(frame.surface().image().pixels().data());
  }
}
// 10:10:30, 03:00:00, 12:00:00 (all hands overlap), 09:15:45 (hands far apart), 23:59:59.
BENCHMARK(BM_RasterFrame)
    ->ArgsProduct({{0, 1}, {36630, 10800, 43200, 33345, 86399}})
    ->ArgNames({"small", "second_of_day"});

}  // namespace

BENCHMARK_MAIN();
