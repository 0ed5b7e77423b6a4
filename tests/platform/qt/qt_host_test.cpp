// The Linux host with the clock's logic running on it (Qt's offscreen platform): what the
// window shows pixel for pixel, the end of the session, the pointer and the label's repaints.
// What a user sees of the running program (shape, opacity, always-on-top, dragging, the hands
// moving, saving at exit) is checked end to end by tests/e2e/linux.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "platform/program.h"
#include "platform/qt/qt_host.h"
#include "platform/runtime.h"

namespace qt_host {
namespace {

class RunningClock : public ::testing::Test {
 protected:
  void SetUp() override {
    // The logic reads and writes its settings beside the program; start from none.
    QFile::remove(QCoreApplication::applicationDirPath() + "/Vestrel.ini");
    host_.Attach(runtime_);
    runtime_.Start(forms::CreateStartupForm);
  }
  void TearDown() override {
    QFile::remove(QCoreApplication::applicationDirPath() + "/Vestrel.ini");
  }

  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QWindow& window = host_.window();
    QMouseEvent event(type, QPointF(at), QPointF(window.mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
  }

  // What the window shows, as the screen has it: Qt's offscreen platform keeps the window's
  // backing store.
  QImage Shown() {
    return QGuiApplication::primaryScreen()->grabWindow(host_.window().winId()).toImage();
  }
  // The pixels the window shows otherwise than the surface: outside `label`, inside it, and
  // inside it neither black nor the surface's (the caption's smoothed rim).
  struct Differences {
    int outside = 0, inside = 0, rim = 0;
  };
  Differences Differing(const QRect& label) {
    const QImage shown = Shown();
    const raster::Image& surface = runtime_.SurfaceImage();
    Differences found;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        const QRgb pixel = shown.pixel(x, y) & 0xFFFFFFu;
        if (pixel == surface.at(x, y)) continue;
        ++(label.contains(x, y) ? found.inside : found.outside);
        found.rim += label.contains(x, y) && pixel != 0;
      }
    }
    return found;
  }

  QtHost host_;
  forms::Runtime runtime_{host_};
};

TEST_F(RunningClock, TheWindowShowsTheSurfaceWithTheLabelOverIt) {
  QCoreApplication::sendPostedEvents();  // the window shows, as the event loop would show it
  QCoreApplication::processEvents();
  const forms::LabelView label = runtime_.Label();
  const QRect box(label.box.left, label.box.top, label.box.width, label.box.height);
  const Differences shown = Differing(box);
  EXPECT_EQ(shown.outside, 0);
  // The black "●" covers the middle of the face's yellow ball, its rim blended over it.
  EXPECT_GT(shown.inside, 400);
  EXPECT_GT(shown.rim, 20);
  EXPECT_EQ(Shown().pixel(box.center()) & 0xFFFFFFu, 0u);
  EXPECT_NE(runtime_.SurfaceImage().at(box.center().x(), box.center().y()), 0u);
  // The next second repaints the part the second hand changed, in its place.
  const raster::Image before = runtime_.SurfaceImage();
  QElapsedTimer waited;
  waited.start();
  while (runtime_.SurfaceImage() == before && waited.elapsed() < 3000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  ASSERT_FALSE(runtime_.SurfaceImage() == before) << "no frame within 3 s";
  const Differences repainted = Differing(box);
  EXPECT_EQ(repainted.outside, 0);
  // The hand's repaint crosses the caption; where the hand passes under the rim, a few of its
  // faintest pixels may come out as the surface's own colour.
  EXPECT_NEAR(repainted.rim, shown.rim, 6);
  // A size switch moves the "●", the alarm turns it red: the window follows each.
  forms::Label& dot = runtime_.form()->SurfaceLabel();
  dot.SetLeft(dot.Left() - 30);
  host_.Invalidate();  // as the runtime does when a handler returns
  const QRect moved = box.translated(-30, 0);
  EXPECT_EQ(Differing(moved).outside, 0);
  dot.SetForeColor(0x0000FF);
  host_.Invalidate();
  EXPECT_EQ(Shown().pixel(moved.center()) & 0xFFFFFFu, 0xFF0000u);
}

// The session manager's quit request reaches the application as a Quit event, which closes
// the window like the user would: the program unloads and saves.
TEST_F(RunningClock, TheSessionsQuitRequestUnloadsTheFormAndSaves) {
  QCoreApplication::sendPostedEvents();  // the window shows, as the event loop would show it
  QEvent quit(QEvent::Quit);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
  EXPECT_TRUE(runtime_.ended());
  EXPECT_EQ(runtime_.exit_code(), 0);
  QFile file(QCoreApplication::applicationDirPath() + "/Vestrel.ini");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), "\"0\",\"\",0,0,\"\"\r\n");
}

TEST_F(RunningClock, ThePointerShowsWhatIsUnderIt) {
  QWindow& window = host_.window();
  const forms::LabelView label = runtime_.Label();
  Mouse(QEvent::MouseMove, {30, 130}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(window.cursor().hotSpot(), QPoint(12, 1));  // the hand
  Mouse(QEvent::MouseMove, {label.box.left + 5, label.box.top + 5}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(window.cursor().hotSpot(), QPoint(15, 15));  // the target
}

}  // namespace
}  // namespace qt_host
