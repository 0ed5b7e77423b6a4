// Waking the clock tick once a second, at the second, instead of every 100 ms: over a whole
// simulated day with clock changes, midnight, size switches and countdowns, the program draws
// exactly the same frames in the same order.
#include <cstdint>
#include <random>

#include "clock_fixture.h"

namespace vestrel {
namespace {

constexpr std::int64_t kDay = headless::HeadlessHost::kMillisecondsPerDay;

std::uint64_t Mix(std::uint64_t hash, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001B3ull;
  return hash;
}

// What one step of the script left behind: when it ended, what was drawn during it, and the
// visible face at its end.
struct Step {
  std::int64_t ended_at = 0;
  std::uint64_t drawing = 0;
  std::uint64_t face = 0;
  bool operator==(const Step&) const = default;
};

struct Day {
  std::vector<Step> steps;
  std::uint64_t timer1_ticks = 0;
  std::size_t frames = 0;
};

// Plays the same script of a day on a fresh program. Every action happens half a second into
// a second, when both ways of ticking have long drawn that second's frame.
class SecondWakes : public testing::ClockTest {
 protected:
  Day PlayDay(bool second_wakes) {
    host = {};
    host.second_wakes = second_wakes;
    host.SetTimeOfDay(23, 59, 50, 500);
    Start();
    Day day;
    std::mt19937 random(12);
    std::int64_t advanced = 0;
    while (advanced < kDay) {
      const int action = static_cast<int>(random() % 100);
      if (action < 4) {
        // The system clock is set, forwards or backwards, sometimes to just before midnight.
        const int second = action == 0 ? 86398 : static_cast<int>(random() % 86400);
        host.SetTimeOfDay(second / 3600, second / 60 % 60, second % 60, 500);
      } else if (action < 8) {
        ChooseMenu(action % 2 == 0 ? testing::kLarger : testing::kSmaller);
      } else if (action < 11) {
        ChooseMenu(testing::kTimer3 + action % 3);
      } else if (action < 13) {
        ClickIndicator();  // silences an alarm, or fades the window
        host.Advance(500 - host.now() % 1000 + (host.now() % 1000 > 500 ? 1000 : 0));
      }
      const std::int64_t seconds = 1 + static_cast<std::int64_t>(random() % 400);
      host.Advance(seconds * 1000);
      advanced += seconds * 1000;

      Step step{host.now()};
      for (const std::string& op : host.drawing) {
        step.drawing = Mix(step.drawing, op.data(), op.size());
        day.frames += op.starts_with("PaintPicture") ? 1 : 0;
      }
      host.drawing.clear();
      const raster::Image& face = runtime().SurfaceImage();
      step.face = Mix(0, face.pixels().data(), face.pixels().size() * sizeof(raster::Pixel));
      day.steps.push_back(step);
    }
    day.timer1_ticks = host.timers[form().Timer1.index()].ticks;
    return day;
  }
};

TEST_F(SecondWakes, DrawTheSameFramesAsTicksEveryTenthOfASecond) {
  const Day every_tenth = PlayDay(false);
  const Day on_the_second = PlayDay(true);

  // The script exercised what it is meant to: a frame for nearly every second of the day.
  EXPECT_GT(every_tenth.frames, 86000u);
  EXPECT_GT(every_tenth.timer1_ticks, 860000u);
  // One wake a second, plus one for each change of the clock.
  EXPECT_LT(on_the_second.timer1_ticks, 87000u);

  ASSERT_EQ(on_the_second.steps.size(), every_tenth.steps.size());
  for (std::size_t i = 0; i < every_tenth.steps.size(); ++i) {
    ASSERT_EQ(on_the_second.steps[i], every_tenth.steps[i])
        << "step " << i << " ending at " << every_tenth.steps[i].ended_at << " ms";
  }
}

}  // namespace
}  // namespace vestrel
