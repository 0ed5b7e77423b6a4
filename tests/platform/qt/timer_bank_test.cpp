// The Linux host's timers as the runtime sees them: ticks with their index, and silence where
// a timer has no interval or was stopped. (That the clock's timer wakes once a second is
// measured by bench/compare_xclock.sh; that its frames come each second is seen end to end.)
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <vector>

#include "platform/qt/timer_bank.h"

namespace qt_host {
namespace {

TEST(TimerBank, OnlyRunningTimersWithAnIntervalTickAndStopAllSilencesThem) {
  std::vector<int> ticks;
  TimerBank timers([&](int index) { ticks.push_back(index); });
  const auto run_events = [](int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  };
  timers.Set(0, 0, true);  // silent: no interval, a negative one, stopped
  timers.Set(1, -5, true);
  timers.Set(2, 100, true);
  timers.Set(2, 5, false);
  // A second timer set to an interval ticks at that interval, not at the next second.
  timers.SetOnSecond(3, true);
  timers.Set(3, 5, true);
  run_events(300);
  ASSERT_GE(ticks.size(), 3u);
  EXPECT_EQ(std::count(ticks.begin(), ticks.end(), 3), std::ssize(ticks));
  timers.StopAll();
  ticks.clear();
  run_events(50);
  EXPECT_TRUE(ticks.empty());
}

}  // namespace
}  // namespace qt_host
