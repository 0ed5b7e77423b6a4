// Time of one renderer frame (picture restore, twelve strokes, the shrinking OR copy), large and
// small size, over a minute of frames one second apart from several times of day.
#include <benchmark/benchmark.h>

#include "bench/raster_frame.h"

namespace {

void BM_RasterFrame(benchmark::State& state) {
  const int start = static_cast<int>(state.range(1));
  vestrel::bench::RasterFrame frame(state.range(0) != 0);
  int second = 0;
  for (auto _ : state) {
    frame.Draw(start + second);
    second = (second + 1) % 60;
    benchmark::DoNotOptimize(frame.surface().image().pixels().data());
  }
}
// From 10:10:00, 03:00:00, 12:00:00 (all hands overlap), 09:15:00 (hands apart), 23:59:00.
BENCHMARK(BM_RasterFrame)
    ->ArgsProduct({{0, 1}, {36600, 10800, 43200, 33300, 86340}})
    ->ArgNames({"small", "start_second"});

}  // namespace

BENCHMARK_MAIN();
