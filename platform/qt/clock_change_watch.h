// Hears when the system's wall clock is set (by the user, by time synchronisation, or on
// resume from suspend): a real-time timerfd armed far in the future with
// TFD_TIMER_CANCEL_ON_SET is cancelled by every such change, and its descriptor becomes
// readable.
#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace qt_host {

class ClockChangeWatch {
 public:
  explicit ClockChangeWatch(std::function<void()> on_change);
  ~ClockChangeWatch();
  ClockChangeWatch(const ClockChangeWatch&) = delete;
  ClockChangeWatch& operator=(const ClockChangeWatch&) = delete;

  // Whether changes can be heard (false where the kernel offers no such timer).
  bool watching() const { return notifier_ != nullptr; }

 private:
  void Arm();
  void Readable();

  std::function<void()> on_change_;
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace qt_host
