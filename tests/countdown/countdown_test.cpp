// The countdown and its pulsing alarm, driven by the virtual clock.
#include "clock_fixture.h"

namespace vestrel {
namespace {

using testing::ClockTest;

class Countdown : public ClockTest {
 protected:
  void SetUp() override { StartAt(9, 0, 0); }
  std::string Tag() { return form().Timer2.Tag(); }
  forms::Colour Colour() { return form().Label1.ForeColor(); }
  const headless::HeadlessHost::TimerState& Timer2() { return host.timers[form().Timer2.index()]; }
};

TEST_F(Countdown, CountsDownEachMinuteThenPulsesUntilAClickSilencesIt) {
  for (int place : {testing::kTimer3, testing::kTimer4, testing::kTimer5}) {
    ChooseMenu(place);
    for (int left = place + 1; left >= 1; --left) {
      EXPECT_EQ(Tag(), std::to_string(left));
      EXPECT_EQ(Colour(), 0u);
      host.Advance(60000);
    }
    // The alarm: red fading in steps of five every 25 ms, then red again.
    for (int level = 255; level >= 5; level -= 5) {
      ASSERT_EQ(Colour(), static_cast<forms::Colour>(level));
      ASSERT_EQ(Tag(), std::to_string(level));
      host.Advance(25);
    }
    EXPECT_EQ(Colour(), 255u);
    ClickIndicator();
    EXPECT_EQ(Colour(), 0u);
    EXPECT_EQ(Tag(), "");
    EXPECT_FALSE(Timer2().running);
  }
  EXPECT_EQ(host.window.alpha, 128);  // the clicks only silenced the alarms
}

TEST_F(Countdown, AClickWhileCountingFadesAndANewChoiceRestartsWithAFullMinute) {
  ChooseMenu(testing::kTimer3);
  ClickIndicator();
  EXPECT_EQ(host.window.alpha, 255);
  host.Advance(150000);
  ASSERT_EQ(Tag(), "1");
  ChooseMenu(testing::kTimer4);
  host.Advance(59999);
  EXPECT_EQ(Tag(), "4");
  host.Advance(1);
  EXPECT_EQ(Tag(), "3");
  host.Advance(180000 + 50);  // the alarm pulses
  ASSERT_NE(Colour(), 0u);
  ChooseMenu(testing::kTimer5);
  EXPECT_EQ(Colour(), 0u);
  EXPECT_EQ(Tag(), "5");
  EXPECT_EQ(Timer2().interval, 60000);
}

}  // namespace
}  // namespace vestrel
