// The Linux host's parts on their own: regions, text and pointers. What the running program
// shows of them (the window's shape, the menu with its captions, fonts and check marks, the
// right button over the menu, the window icon) is checked end to end by tests/e2e/linux.
#include <gtest/gtest.h>

#include <QBitmap>
#include <tuple>

#include "platform/qt/pointer_shapes.h"
#include "platform/qt/text_drawing.h"
#include "platform/qt/window_regions.h"

namespace qt_host {
namespace {

// As the program uses them: a fresh region for each size, the last one released with the window.
TEST(WindowRegions, TheWindowOwnsItsRegionAndReleasesTheOneItReplaces) {
  // A released region can no longer be set: setting it yields no shape.
  WindowRegions regions;
  const forms::Long large = regions.CreateEllipse(0, 0, 170, 174);
  EXPECT_EQ(regions.SetWindowRegion(large).value_or(QRegion()).boundingRect(),
            QRect(0, 0, 170, 174));
  ASSERT_TRUE(regions.SetWindowRegion(regions.CreateEllipse(0, 0, 108, 110)));
  EXPECT_FALSE(regions.SetWindowRegion(large));
  const forms::Long last = regions.CreateEllipse(0, 0, 170, 174);
  ASSERT_TRUE(regions.SetWindowRegion(last));
  regions.ReleaseWindowRegion();
  EXPECT_FALSE(regions.SetWindowRegion(last));
}

TEST(TextDrawing, PrintsWithTheWindowsMetricsWithinTheReportedArea) {
  // Digits and capitals half an em (6 pixels) wide, as in the Windows build.
  EXPECT_EQ(QFontMetrics(SurfaceDefaultFont()).horizontalAdvance(QStringLiteral("A10")), 18);
  // In full, and cut off at the image's corner.
  for (const auto& [left, top, text] : {std::tuple{10, 20, "A 3"}, {100, 50, "A 12345"}}) {
    raster::Image image(120, 60, 0);
    const forms::TextExtent extent =
        DrawTextInto(image, left, top, text, 0x0000FF, SurfaceDefaultFont());
    EXPECT_EQ(raster::Intersect(extent.drawn, image.bounds()), extent.drawn) << text;
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (image.at(x, y) == 0) continue;
        ++ink;
        EXPECT_TRUE(x >= extent.drawn.left && x < extent.drawn.right() && y >= extent.drawn.top &&
                    y < extent.drawn.bottom())
            << x << "," << y;
        EXPECT_GE(y, top);  // drawn from its top-left corner down
        EXPECT_EQ(image.at(x, y) & 0xFFFF00u, 0u) << "only shades of the text colour";
      }
    }
    EXPECT_GT(ink, 10) << text;
  }
}

TEST(PointerShapes, TwoColourPointersMapToBitmapAndMaskOthersToAlpha) {
  // A 2 x 2 two-colour pointer holding each kind of pixel once.
  raster::IconFileImage pointer;
  pointer.is_cursor = true;
  pointer.bits_per_pixel = 1;
  pointer.hotspot_x = 1;
  pointer.colour = raster::Image(2, 2, 0);
  pointer.colour.set(1, 0, 0xFFFFFF);
  pointer.colour.set(1, 1, 0xFFFFFF);
  pointer.mask = {0, 0, 1, 1};  // top row drawn, bottom row through the screen
  const QCursor cursor = ToCursor(pointer);
  const QImage bitmap = cursor.bitmap().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage mask = cursor.mask().toImage().convertToFormat(QImage::Format_RGB32);
  auto bit = [](const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; };
  struct Case {
    int x, y;
    bool bitmap, mask;
  };
  // Black, white, transparent, inverting.
  for (const Case c : {Case{0, 0, true, true}, Case{1, 0, false, true}, Case{0, 1, false, false},
                       Case{1, 1, true, false}}) {
    EXPECT_EQ(bit(bitmap, c.x, c.y), c.bitmap) << c.x << "," << c.y;
    EXPECT_EQ(bit(mask, c.x, c.y), c.mask) << c.x << "," << c.y;
  }
  EXPECT_EQ(cursor.hotSpot(), QPoint(1, 0));
  // With more colours the mask becomes transparency, inverting pixels included.
  pointer.bits_per_pixel = 4;
  pointer.colour.set(0, 0, 0x336699);
  const QImage argb = ToArgbImage(pointer);
  EXPECT_EQ(argb.pixel(0, 0), 0xFF336699u);
  EXPECT_EQ(argb.pixel(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(qAlpha(argb.pixel(0, 1)), 0);
  EXPECT_EQ(qAlpha(argb.pixel(1, 1)), 0);
}

}  // namespace
}  // namespace qt_host
