#include "platform/qt/timer_bank.h"

#include <ctime>

namespace qt_host {

TimerBank::TimerBank(std::function<void(int)> on_tick) : on_tick_(std::move(on_tick)) {}

TimerBank::~TimerBank() = default;

TimerBank::Entry& TimerBank::At(int index) {
  while (index >= static_cast<int>(entries_.size())) {
    auto timer = std::make_unique<QTimer>();
    timer->setTimerType(Qt::PreciseTimer);
    const int i = static_cast<int>(entries_.size());
    QObject::connect(timer.get(), &QTimer::timeout, [this, i] { Tick(i); });
    entries_.push_back({std::move(timer), false, false});
  }
  return entries_[index];
}

void TimerBank::Set(int index, forms::Long interval_ms, bool running) {
  if (index < 0) return;
  Entry& entry = At(index);
  entry.on_second = false;
  entry.running = running && interval_ms > 0;
  entry.timer->setSingleShot(false);
  if (running && interval_ms > 0) {
    entry.timer->start(static_cast<int>(interval_ms));  // (re)starts the period
  } else {
    entry.timer->stop();
  }
}

void TimerBank::SetOnSecond(int index, bool running) {
  if (index < 0) return;
  Entry& entry = At(index);
  entry.on_second = true;
  entry.running = running;
  entry.timer->setSingleShot(true);
  if (running) {
    if (!clock_watch_)
      clock_watch_ = std::make_unique<ClockChangeWatch>([this] { ClockChanged(); });
    entry.timer->start(MsToNextSecond());
  } else {
    entry.timer->stop();
  }
}

int TimerBank::MsToNextSecond() {
  // The C library's clock, the one the time of day is read from (a faked clock included).
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const long to_boundary_ns = 1'000'000'000L - now.tv_nsec;
  return static_cast<int>((to_boundary_ns + 999'999) / 1'000'000) + kSecondMarginMs;
}

void TimerBank::Tick(int index) {
  on_tick_(index);
  // A second timer that its handler did not set again waits for the next second.
  Entry& after = entries_[index];
  if (after.on_second && after.running && !after.timer->isActive()) {
    after.timer->start(MsToNextSecond());
  }
}

void TimerBank::ClockChanged() {
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    Entry& entry = entries_[i];
    if (entry.on_second && entry.running) {
      entry.timer->stop();
      Tick(i);
    }
  }
}

void TimerBank::StopAll() {
  for (auto& entry : entries_) {
    entry.running = false;
    entry.timer->stop();
  }
}

}  // namespace qt_host
