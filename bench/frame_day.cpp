// Draws every frame of a day with the clock program on the headless host, one call of
// DrawFrame per frame, for counting each frame's instructions with callgrind
// (bench/frame_day.sh): frame_day [small] [hh:mm:ss] [frames]. The first frame is the start
// of the program; then one frame a second, 86400 by default, from the given time.
// FRAME_DAY_WARM_UP=n draws n frames first through WarmUpFrame, so that
//   valgrind --tool=callgrind --toggle-collect='*DrawFrame*' frame_day 10:00:00 1
// profiles one frame with the caches as a running clock has them.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/clock_program.h"

namespace {

[[gnu::noipa]] void DrawFrame(vestrel::bench::ClockProgram& clock) {
  clock.DrawnFrame();
}
// Frames drawn before those of interest. noipa keeps the two functions apart (identical code
// folding would merge them, and callgrind would count both).
[[gnu::noipa]] void WarmUpFrame(vestrel::bench::ClockProgram& clock) {
  clock.DrawnFrame();
}

}  // namespace

int main(int argc, char** argv) {
  bool small = false;
  int hour = 0, minute = 0, second = 0;
  long frames = 86400;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "small") == 0) {
      small = true;
    } else if (std::strchr(argv[i], ':') != nullptr) {
      if (std::sscanf(argv[i], "%d:%d:%d", &hour, &minute, &second) != 3) return 2;
    } else {
      frames = std::atol(argv[i]);
    }
  }
  vestrel::bench::ClockProgram clock(small, hour, minute, second);
  if (const char* skip = std::getenv("FRAME_DAY_WARM_UP")) {
    for (long i = std::atol(skip); i > 0; --i) WarmUpFrame(clock);
  }
  for (long i = 0; i < frames; ++i) DrawFrame(clock);
  std::printf("%ld frames\n", frames);
  return 0;
}
