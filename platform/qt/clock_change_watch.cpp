#include "platform/qt/clock_change_watch.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

namespace qt_host {

ClockChangeWatch::ClockChangeWatch(std::function<void()> on_change)
    : on_change_(std::move(on_change)) {
  fd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
  if (fd_ < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Readable(); });
  Arm();
}

ClockChangeWatch::~ClockChangeWatch() {
  notifier_.reset();
  if (fd_ >= 0) close(fd_);
}

void ClockChangeWatch::Arm() {
  // The expiry only has to lie beyond any plausible run of the program; only the
  // cancellation matters.
  itimerspec far{};
  far.it_value.tv_sec = std::time(nullptr) + 10LL * 365 * 24 * 60 * 60;
  timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &far, nullptr);
}

void ClockChangeWatch::Readable() {
  std::uint64_t expirations = 0;
  const ssize_t got = read(fd_, &expirations, sizeof expirations);
  const int error = got < 0 ? errno : 0;
  if (error == EAGAIN) return;
  // ECANCELED: the clock was set. An expiry or any other outcome re-arms as well.
  Arm();
  if (error == ECANCELED) on_change_();
}

}  // namespace qt_host
