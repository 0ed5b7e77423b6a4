// SIGTERM, SIGHUP and SIGINT as a request to close the window: a session ending, `kill` or
// Ctrl+C in the terminal close the clock the way the user would, so its settings are saved.
// The signal handler only writes a byte into a pipe; the event loop does the rest.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace qt_host {

class TerminationSignals : public QObject {
 public:
  // Calls `on_signal` from the event loop after each of the signals. Only one instance may
  // exist at a time; the previous handlers come back when it is gone.
  explicit TerminationSignals(std::function<void()> on_signal);
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  bool installed() const { return notifier_ != nullptr; }

 private:
  void Drain();

  std::function<void()> on_signal_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace qt_host
