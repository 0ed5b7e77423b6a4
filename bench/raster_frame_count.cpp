// Draws N renderer frames for counting instructions with `valgrind --tool=callgrind`:
// raster_frame_count N [small] [hh:mm:ss]. A run of N less a run of 0, divided by N, is the
// cost of one frame (every frame draws the same time, as a steady clock does within the
// picture restore it needs).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/raster_frame.h"

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
  vestrel::bench::RasterFrame frame(small);
  frame.Draw(hour, minute, second);  // the first frame sizes the reused buffers
  for (long i = 0; i < count; ++i) frame.Draw(hour, minute, second);
  std::printf("%ld frames\n", count);
  return 0;
}
