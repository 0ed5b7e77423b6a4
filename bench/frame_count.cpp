// Runs the frame routine a given number of times, for counting instructions with
// `valgrind --tool=callgrind`: frame_count draw|idle N [small]. Compare a run of N with a run
// of 0 to get the cost of one frame or tick (bench/callgrind.sh does this).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/clock_program.h"

int main(int argc, char** argv) {
  if (argc < 3 || (std::strcmp(argv[1], "draw") != 0 && std::strcmp(argv[1], "idle") != 0)) {
    std::fprintf(stderr, "usage: frame_count draw|idle N [small]\n");
    return 2;
  }
  const bool draw = std::strcmp(argv[1], "draw") == 0;
  const long count = std::atol(argv[2]);
  const bool small = argc > 3 && std::strcmp(argv[3], "small") == 0;
  vestrel::bench::ClockProgram clock(small);
  for (long i = 0; i < count; ++i) {
    if (draw) {
      clock.DrawnFrame();
    } else {
      clock.IdleTick();
    }
  }
  std::printf("%ld %s\n", count, draw ? "frames" : "idle ticks");
  return 0;
}
