// The Linux host's timers: periods and ticks with their index. (That the clock's timer wakes
// once a second is measured by bench/compare_xclock.sh; that its frames come each second is
// seen end to end.)
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <vector>

#include "platform/qt/timer_bank.h"

namespace qt_host {
namespace {

TEST(TimerBank, WithoutIntervalOrStoppedATimerIsSilent) {
  TimerBank timers([](int) {});
  struct Case {
    forms::Long interval;
    bool running, active;
  };
  for (const Case c : {Case{100, true, true}, Case{0, true, false}, Case{100, false, false},
                       Case{-5, true, false}}) {
    timers.Set(0, 100, true);
    timers.Set(0, c.interval, c.running);
    EXPECT_EQ(timers.IsActive(0), c.active) << c.interval << " " << c.running;
  }
  timers.SetOnSecond(0, true);
  timers.SetOnSecond(0, false);
  EXPECT_FALSE(timers.IsActive(0));
  EXPECT_EQ(timers.RemainingMs(1), -1);
}

TEST(TimerBank, TicksArriveWithTheirIndexAndRepeat) {
  std::vector<int> ticks;
  TimerBank timers([&](int index) { ticks.push_back(index); });
  timers.SetOnSecond(3, true);
  timers.Set(3, 5, true);  // a second timer set to an interval repeats
  EXPECT_FALSE(timers.OnSecond(3));
  timers.Set(1, 10000, true);
  QElapsedTimer clock;
  clock.start();
  while (ticks.size() < 3 && clock.elapsed() < 2000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  timers.StopAll();
  EXPECT_EQ(ticks, (std::vector<int>{3, 3, 3}));
  EXPECT_FALSE(timers.IsActive(1));
}

}  // namespace
}  // namespace qt_host
