// One Qt timer per runtime timer index. Every Set call restarts the period; a timer without
// an interval or not running is silent. A timer set with SetOnSecond ticks just after each
// boundary of the wall-clock second instead, and at once when the system clock is set.
#pragma once

#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "platform/qt/clock_change_watch.h"
#include "platform/types.h"

namespace qt_host {

class TimerBank {
 public:
  explicit TimerBank(std::function<void(int index)> on_tick);
  ~TimerBank();

  void Set(int index, forms::Long interval_ms, bool running);
  void SetOnSecond(int index, bool running);
  void StopAll();

 private:
  // How long after a second boundary a timer set with SetOnSecond wakes: enough that the
  // time of day read then is surely the new second.
  static constexpr int kSecondMarginMs = 2;
  // Milliseconds from now to the next wake of a timer set with SetOnSecond.
  static int MsToNextSecond();

  struct Entry {
    std::unique_ptr<QTimer> timer;
    bool on_second = false;
    bool running = false;
  };
  Entry& At(int index);
  void Tick(int index);
  void ClockChanged();

  std::function<void(int)> on_tick_;
  std::vector<Entry> entries_;
  std::unique_ptr<ClockChangeWatch> clock_watch_;
};

}  // namespace qt_host
