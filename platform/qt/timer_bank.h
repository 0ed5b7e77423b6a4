// One Qt timer per runtime timer index. Every SetTimer call restarts the period; a timer
// without an interval or not running is silent.
#pragma once

#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "platform/types.h"

namespace qt_host {

class TimerBank {
 public:
  explicit TimerBank(std::function<void(int index)> on_tick);
  ~TimerBank();

  void Set(int index, forms::Long interval_ms, bool running);
  void StopAll();
  bool IsActive(int index) const;
  // Milliseconds until the timer's next tick; -1 when it is silent.
  int RemainingMs(int index) const;

 private:
  std::function<void(int)> on_tick_;
  std::vector<std::unique_ptr<QTimer>> timers_;
};

}  // namespace qt_host
