// What any Qt 6 Widgets program pays: one frameless 170 x 174 window filled with one colour,
// started with the same environment the clock sets for itself, that repaints a 40 x 60 patch
// once a second as a clock repaints its second hand. bench/compare_xclock.sh runs it beside
// the clock and xclock, so the start-up, memory and CPU figures show how much of the clock's
// cost is the toolkit's.
#include <malloc.h>

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class FilledWindow : public QWidget {
 public:
  void Tick() {
    ++ticks_;
    update(kPatch);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(0, 128, 0));
    painter.fillRect(kPatch, QColor(ticks_ % 2 == 0 ? 255 : 0, 0, 0));
  }

 private:
  static constexpr QRect kPatch{10, 10, 40, 60};
  int ticks_ = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_NO_GLIB", "1");
  qputenv("QT_XCB_NO_MITSHM", "1");
  qputenv("QT_IM_MODULE", "none");
  mallopt(M_ARENA_MAX, 1);
  QGuiApplication::setDesktopSettingsAware(false);
  QApplication app(argc, argv);
  FilledWindow window;
  window.setWindowFlags(Qt::FramelessWindowHint);
  window.setGeometry(800, 0, 170, 174);  // clear of the clock and xclock
  window.show();
  QTimer ticks;
  ticks.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticks, &QTimer::timeout, &window, &FilledWindow::Tick);
  ticks.start(1000);
  return app.exec();
}
