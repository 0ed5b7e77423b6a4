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

TEST_F(Countdown, CountsDownEachMinuteThenPulses) {
  for (int place : {testing::kTimer3, testing::kTimer4, testing::kTimer5}) {
    ChooseMenu(place);
    const int minutes = place + 1;
    for (int left = minutes; left >= 1; --left) {
      EXPECT_EQ(Tag(), std::to_string(left));
      EXPECT_EQ(Colour(), 0u);
      host.Advance(60000);
    }
    EXPECT_EQ(Tag(), "255");
    EXPECT_EQ(Colour(), 255u);
    EXPECT_EQ(Timer2().interval, 25);
    ClickIndicator();
  }
}

TEST_F(Countdown, PulseFadesInStepsOfFiveAndWraps) {
  ChooseMenu(testing::kTimer3);
  host.Advance(180000);
  ASSERT_EQ(Colour(), 255u);
  for (int level = 250; level >= 5; level -= 5) {
    host.Advance(25);
    ASSERT_EQ(Colour(), static_cast<forms::Colour>(level));
    ASSERT_EQ(Tag(), std::to_string(level));
  }
  host.Advance(25);
  EXPECT_EQ(Colour(), 255u);
  EXPECT_EQ(Tag(), "255");
}

TEST_F(Countdown, AClickTogglesOpacityWhileCountingAndSilencesTheAlarmOnly) {
  ChooseMenu(testing::kTimer3);
  ClickIndicator();
  EXPECT_EQ(host.window.alpha, 255);
  EXPECT_EQ(Tag(), "3");
  EXPECT_TRUE(Timer2().running);
  host.Advance(180000 + 100);
  ASSERT_NE(Colour(), 0u);
  ClickIndicator();
  EXPECT_EQ(Colour(), 0u);
  EXPECT_EQ(Tag(), "");
  EXPECT_FALSE(Timer2().running);
  EXPECT_EQ(host.window.alpha, 255);  // still opaque
}

TEST_F(Countdown, NewChoiceRestartsWithAFullMinute) {
  ChooseMenu(testing::kTimer3);
  host.Advance(150000);
  ASSERT_EQ(Tag(), "1");
  ChooseMenu(testing::kTimer4);
  EXPECT_EQ(Tag(), "4");
  host.Advance(59999);
  EXPECT_EQ(Tag(), "4");
  host.Advance(1);
  EXPECT_EQ(Tag(), "3");

  host.Advance(180000 + 50);  // alarm pulsing
  ASSERT_NE(Colour(), 0u);
  ChooseMenu(testing::kTimer5);
  EXPECT_EQ(Colour(), 0u);
  EXPECT_EQ(Tag(), "5");
  EXPECT_EQ(Timer2().interval, 60000);
}

}  // namespace
}  // namespace vestrel
