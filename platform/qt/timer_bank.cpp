#include "platform/qt/timer_bank.h"

namespace qt_host {

TimerBank::TimerBank(std::function<void(int)> on_tick) : on_tick_(std::move(on_tick)) {}

TimerBank::~TimerBank() = default;

void TimerBank::Set(int index, forms::Long interval_ms, bool running) {
  if (index < 0) return;
  while (index >= static_cast<int>(timers_.size())) {
    auto timer = std::make_unique<QTimer>();
    timer->setTimerType(Qt::PreciseTimer);
    const int i = static_cast<int>(timers_.size());
    QObject::connect(timer.get(), &QTimer::timeout, [this, i] { on_tick_(i); });
    timers_.push_back(std::move(timer));
  }
  QTimer& timer = *timers_[index];
  if (running && interval_ms > 0) {
    timer.start(static_cast<int>(interval_ms));  // (re)starts the period
  } else {
    timer.stop();
  }
}

void TimerBank::StopAll() {
  for (auto& timer : timers_) timer->stop();
}

bool TimerBank::IsActive(int index) const {
  return index >= 0 && index < static_cast<int>(timers_.size()) && timers_[index]->isActive();
}

int TimerBank::RemainingMs(int index) const {
  return IsActive(index) ? timers_[index]->remainingTime() : -1;
}

}  // namespace qt_host
