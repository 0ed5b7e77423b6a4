// The Linux host's parts on their own: input codes, regions, menus, text and pointers.
#include <gtest/gtest.h>

#include <QAction>
#include <QBitmap>
#include <QMenu>

#include "platform/qt/dialogs.h"
#include "platform/qt/mouse_codes.h"
#include "platform/qt/pointer_shapes.h"
#include "platform/qt/text_drawing.h"
#include "platform/qt/window_regions.h"

namespace qt_host {
namespace {

TEST(MouseCodes, ButtonsAndModifiersAsTheRuntimeNumbersThem) {
  EXPECT_EQ(ButtonCode(Qt::LeftButton), 1);
  EXPECT_EQ(ButtonCode(Qt::RightButton), 2);
  EXPECT_EQ(ButtonCode(Qt::MiddleButton), 4);
  EXPECT_EQ(ButtonCode(Qt::BackButton), 0);
  EXPECT_EQ(HeldButtonsCode(Qt::LeftButton | Qt::MiddleButton), 5);
  EXPECT_EQ(HeldButtonsCode(Qt::RightButton | Qt::BackButton), 2);
  EXPECT_EQ(HeldButtonsCode(Qt::NoButton), 0);
  EXPECT_EQ(ShiftCode(Qt::ShiftModifier), 1);
  EXPECT_EQ(ShiftCode(Qt::ControlModifier | Qt::AltModifier), 6);
  EXPECT_EQ(ShiftCode(Qt::MetaModifier), 0);
}

TEST(WindowRegions, TheEllipseIsInscribedInTheRectangle) {
  WindowRegions regions;
  const forms::Long handle = regions.CreateEllipse(0, 0, 170, 174);
  const QRegion shape = *regions.SetWindowRegion(handle);
  EXPECT_EQ(shape.boundingRect(), QRect(0, 0, 170, 174));
  for (const QPoint inside :
       {QPoint(85, 87), QPoint(1, 87), QPoint(168, 87), QPoint(85, 0), QPoint(85, 173)}) {
    EXPECT_TRUE(shape.contains(inside)) << inside.x() << "," << inside.y();
  }
  for (const QPoint outside : {QPoint(0, 0), QPoint(169, 0), QPoint(0, 173), QPoint(169, 173),
                               QPoint(20, 20), QPoint(170, 87)}) {
    EXPECT_FALSE(shape.contains(outside)) << outside.x() << "," << outside.y();
  }
}

TEST(WindowRegions, TheWindowOwnsItsRegionAndReleasesTheOneItReplaces) {
  // A released region can no longer be set: setting it yields no shape.
  WindowRegions regions;
  const forms::Long first = regions.CreateEllipse(0, 0, 10, 10);
  const forms::Long second = regions.CreateEllipse(0, 0, 20, 20);
  EXPECT_NE(first, second);
  ASSERT_TRUE(regions.SetWindowRegion(first));
  ASSERT_TRUE(regions.SetWindowRegion(first));  // setting it again keeps it
  ASSERT_TRUE(regions.SetWindowRegion(second));
  EXPECT_FALSE(regions.SetWindowRegion(first));
  // No region (0 or an unknown handle) removes the shape and releases the last one.
  EXPECT_FALSE(regions.SetWindowRegion(0));
  EXPECT_FALSE(regions.SetWindowRegion(second));
  const forms::Long third = regions.CreateEllipse(0, 0, 5, 5);
  ASSERT_TRUE(regions.SetWindowRegion(third));
  regions.ReleaseWindowRegion();
  EXPECT_FALSE(regions.SetWindowRegion(third));
}

TEST(Dialogs, LineBreaksOfTheLogicBecomeQtLineBreaks) {
  EXPECT_EQ(DialogText("a\r\nb\r\n"), QStringLiteral("a\nb\n"));
  EXPECT_EQ(DialogText("ﾊﾞｰｼﾞｮﾝ情報"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
}

TEST(Dialogs, PopupMenuKeepsTheItemsOrderChecksAndIndices) {
  const std::vector<forms::PopupItem> items{{"終了", false, false},
                                            {"-", false, true},
                                            {"3分ﾀｲﾏｰ", false, false},
                                            {"大きく", true, false}};
  QMenu menu;
  FillPopupMenu(menu, items);
  const QList<QAction*> actions = menu.actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("終了"));
  EXPECT_TRUE(actions[1]->isSeparator());
  EXPECT_EQ(actions[2]->data().toInt(), 2);
  EXPECT_FALSE(actions[2]->isChecked());
  EXPECT_TRUE(actions[3]->isChecked());
  EXPECT_EQ(actions[3]->data().toInt(), 3);
}

TEST(TextDrawing, PrintsIntoTheImageWithinTheReportedArea) {
  raster::Image image(120, 60, 0);
  const forms::TextExtent extent =
      DrawTextInto(image, 10, 20, "A 3", 0x0000FF, SurfaceDefaultFont());
  EXPECT_GT(extent.line_height, 0);
  int blue = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.at(x, y) == 0) continue;
      ++blue;
      EXPECT_TRUE(x >= extent.drawn.left && x < extent.drawn.right() && y >= extent.drawn.top &&
                  y < extent.drawn.bottom())
          << x << "," << y;
      EXPECT_GE(y, 20);  // drawn from its top-left corner down
      EXPECT_EQ(image.at(x, y) & 0xFFFF00u, 0u) << "only shades of the text colour";
    }
  }
  EXPECT_GT(blue, 10);
  EXPECT_EQ(image.at(119, 0), 0u);
}

TEST(TextDrawing, TheReportedAreaStaysInsideTheImage) {
  raster::Image image(30, 12, 0);
  const forms::TextExtent extent =
      DrawTextInto(image, 20, 5, "A 12345", 0xFFFFFF, SurfaceDefaultFont());
  EXPECT_EQ(raster::Intersect(extent.drawn, image.bounds()), extent.drawn);
  EXPECT_FALSE(extent.drawn.empty());
}

TEST(TextDrawing, LabelFontHasTheGivenEmInPixels) {
  const QFont font = LabelFont("ＭＳ Ｐ明朝", 48);
  EXPECT_EQ(font.pixelSize(), 48);
  // The named family, or the Mincho that stands in for it.
  const QString used = QFontInfo(font).family();
  EXPECT_TRUE(used == QStringLiteral("ＭＳ Ｐ明朝") || used.contains(QStringLiteral("Mincho")) ||
              used.contains(QStringLiteral("明朝")))
      << used.toStdString();
}

// A 2 x 2 two-colour pointer holding each kind of pixel once.
raster::IconFileImage FourKindsOfPixel() {
  raster::IconFileImage image;
  image.is_cursor = true;
  image.bits_per_pixel = 1;
  image.hotspot_x = 1;
  image.colour = raster::Image(2, 2, 0);
  image.colour.set(1, 0, 0xFFFFFF);
  image.colour.set(1, 1, 0xFFFFFF);
  image.mask = {0, 0, 1, 1};  // top row drawn, bottom row through the screen
  return image;
}

TEST(PointerShapes, TwoColourPointersMapToBitmapAndMask) {
  const QCursor cursor = ToCursor(FourKindsOfPixel());
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
}

TEST(PointerShapes, TheMaskBecomesTransparency) {
  raster::IconFileImage image = FourKindsOfPixel();
  image.bits_per_pixel = 4;
  image.colour.set(0, 0, 0x336699);
  const QImage argb = ToArgbImage(image);
  EXPECT_EQ(argb.pixel(0, 0), 0xFF336699u);
  EXPECT_EQ(argb.pixel(1, 0), 0xFFFFFFFFu);
  EXPECT_EQ(qAlpha(argb.pixel(0, 1)), 0);
  EXPECT_EQ(qAlpha(argb.pixel(1, 1)), 0);
}

TEST(PointerShapes, TheWindowIconHasEverySizeWithASmoothEdge) {
  const QIcon icon = LoadPointerShapes().window_icon;
  EXPECT_EQ(icon.availableSizes(),
            (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(256, 256)}));
  const QImage large = icon.pixmap(QSize(256, 256)).toImage();
  ASSERT_EQ(large.size(), QSize(256, 256));
  EXPECT_EQ(qAlpha(large.pixel(0, 0)), 0);       // outside the face
  EXPECT_EQ(qAlpha(large.pixel(128, 40)), 255);  // on the face
  int partly_covered = 0;                        // along the rim's outer edge
  for (int x = 0; x < 256; ++x) {
    const int alpha = qAlpha(large.pixel(x, 4));
    partly_covered += alpha > 0 && alpha < 255;
  }
  EXPECT_GE(partly_covered, 2);
}

}  // namespace
}  // namespace qt_host
