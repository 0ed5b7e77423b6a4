// Draws renderer frames for counting instructions with `valgrind --tool=callgrind`:
// raster_frame_count N [small] [hh:mm:ss]. After a first frame at the given time (10:10:30 by
// default), which sizes the reused buffers, it draws N frames one second apart, as the clock
// does. A run of N less a run of 0, divided by N, is the average cost of a frame. Each frame
// is one call of DrawFrame, so `--dump-after='*DrawFrame*'` writes one profile per frame (the
// first one holds the start-up and the first frame).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/raster_frame.h"

namespace {

[[gnu::noinline]] void DrawFrame(vestrel::bench::RasterFrame& frame, int second_of_day) {
  frame.Draw(second_of_day);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: raster_frame_count N [small] [hh:mm:ss]\n");
    return 2;
  }
  const long count = std::atol(argv[1]);
  bool small = false;
  int hour = 10, minute = 10, second = 30;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "small") == 0) {
      small = true;
    } else if (std::sscanf(argv[i], "%d:%d:%d", &hour, &minute, &second) != 3) {
      std::fprintf(stderr, "bad time: %s\n", argv[i]);
      return 2;
    }
  }
  constexpr int kDay = 24 * 3600;
  const int start = ((hour * 3600 + minute * 60 + second) % kDay + kDay) % kDay;
  vestrel::bench::RasterFrame frame(small);
  DrawFrame(frame, start);
  for (long i = 1; i <= count; ++i) DrawFrame(frame, static_cast<int>((start + i) % kDay));
  std::printf("%ld frames\n", count);
  return 0;
}
