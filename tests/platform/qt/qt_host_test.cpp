// The Linux host with the clock's logic running on it (Qt's offscreen platform): what the
// window shows pixel for pixel, the end of the session, the pointer and the label's repaints.
// What a user sees of the running program (shape, opacity, always-on-top, dragging, the hands
// moving, saving at exit) is checked end to end by tests/e2e/linux.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QWindow>

#include "platform/program.h"
#include "platform/qt/label_watch.h"
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

  QImage Shown() { return host_.window().Snapshot(); }

  QtHost host_;
  forms::Runtime runtime_{host_};
};

TEST_F(RunningClock, TheWindowShowsTheSurfaceWithTheLabelOverIt) {
  const QImage shown = Shown();
  const raster::Image& surface = runtime_.SurfaceImage();
  const forms::LabelView label = runtime_.Label();
  const QRect box(label.box.left, label.box.top, label.box.width, label.box.height);
  int outside = 0, inside = 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if ((shown.pixel(x, y) & 0xFFFFFFu) != surface.at(x, y))
        ++(box.contains(x, y) ? inside : outside);
    }
  }
  EXPECT_EQ(outside, 0);
  // The black "●" covers the middle of the face's yellow ball; the alarm turns it red.
  EXPECT_GT(inside, 400);
  const QPoint middle = box.center();
  EXPECT_EQ(shown.pixel(middle) & 0xFFFFFFu, 0u);
  EXPECT_NE(surface.at(middle.x(), middle.y()), 0u);
  runtime_.form()->SurfaceLabel().SetForeColor(0x0000FF);
  EXPECT_EQ(Shown().pixel(middle) & 0xFFFFFFu, 0xFF0000u);
  // A repaint of a part clear of the caption's glyph shows exactly that part.
  const QRect part(10, 100, 30, 20);
  ASSERT_LT(part.right() + 8, box.left());
  constexpr QRgb kGround = 0x123456;
  const QImage repainted = host_.window().Snapshot(part, QColor::fromRgb(kGround));
  int differing = 0;
  for (int y = 0; y < repainted.height(); ++y) {
    for (int x = 0; x < repainted.width(); ++x) {
      const QRgb expected = part.contains(x, y) ? surface.at(x, y) : kGround;
      differing += (repainted.pixel(x, y) & 0xFFFFFFu) != expected;
    }
  }
  EXPECT_EQ(differing, 0);
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

// A window mapped before its shape and transparency would flash up as an opaque rectangle.
TEST_F(RunningClock, TheWindowShowsOnlyOnceShapedAndTranslucent) {
  QWindow& window = host_.window();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.mask().boundingRect(), QRect(0, 0, 170, 174));
  EXPECT_EQ(window.opacity(), 128 / 255.0);
  QCoreApplication::sendPostedEvents();
  EXPECT_TRUE(window.isVisible());
}

TEST_F(RunningClock, ThePointerShowsWhatIsUnderIt) {
  QWindow& window = host_.window();
  const forms::LabelView label = runtime_.Label();
  Mouse(QEvent::MouseMove, {30, 130}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(window.cursor().hotSpot(), QPoint(12, 1));  // the hand
  Mouse(QEvent::MouseMove, {label.box.left + 5, label.box.top + 5}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(window.cursor().hotSpot(), QPoint(15, 15));  // the target
}

TEST(LabelWatch, NoticesEveryDrawnProperty) {
  QtHost host;
  forms::Runtime runtime(host);
  forms::Label label(runtime, "●", "ＭＳ Ｐ明朝", 36, 0, 60, 64, 48, 47);
  LabelWatch watch;
  EXPECT_TRUE(watch.Changed(label));
  EXPECT_FALSE(watch.Changed(label));
  const std::function<void()> changes[] = {
      [&] { label.SetForeColor(0xFF); }, [&] { label.SetFontSize(23); },
      [&] { label.SetLeft(38); },        [&] { label.SetTop(39); },
      [&] { label.SetWidth(36); },       [&] { label.SetHeight(35); },
  };
  for (const auto& change : changes) {
    change();
    EXPECT_TRUE(watch.Changed(label));
    EXPECT_FALSE(watch.Changed(label));
  }
  label.SetTag("*");  // not drawn
  EXPECT_FALSE(watch.Changed(label));
}

}  // namespace
}  // namespace qt_host
