// What any Qt 6 Widgets program pays before it draws anything of its own: one frameless
// 170 x 174 window filled with one colour, started with the same environment the clock sets
// for itself. bench/compare_xclock.sh measures it beside the clock and xclock, so the start-up
// and memory figures show how much of the clock's cost is the toolkit's.
#include <malloc.h>

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class FilledWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(0, 128, 0)); }
};

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_NO_GLIB", "1");
  qputenv("QT_XCB_NO_MITSHM", "1");
  qputenv("QT_IM_MODULE", "none");
  mallopt(M_ARENA_MAX, 1);
  QApplication app(argc, argv);
  FilledWindow window;
  window.setWindowFlags(Qt::FramelessWindowHint);
  window.setGeometry(0, 0, 170, 174);
  window.show();
  return app.exec();
}
