// The painter-free frame gives the pixels Qt's raster painter gives for the same drawing.
#include "platform/qt/frame_copy.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <random>

namespace qt_host {
namespace {

// A premultiplied caption with ink in rows 2 to 13, columns 3 to 28 only; its pixels there
// cover every alpha, with random colours within it.
QImage EveryAlpha(std::mt19937& random) {
  QImage caption(32, 16, QImage::Format_ARGB32_Premultiplied);
  caption.fill(Qt::transparent);
  int k = 0;
  for (int y = 2; y <= 13; ++y) {
    for (int x = 3; x <= 28; ++x) {
      // Rows 8 and 9 have an opaque middle, as a glyph's rows do.
      const bool solid = (y == 8 || y == 9) && x >= 6 && x <= 20;
      const int alpha = solid ? 255 : k++ % 256;
      std::uniform_int_distribution<int> channel(0, alpha);
      caption.setPixel(x, y, qRgba(channel(random), channel(random), channel(random), alpha));
    }
  }
  return caption;
}

TEST(FrameCopy, MatchesThePainterForEveryAlphaAndTouchesOnlyItsRectangle) {
  std::mt19937 random(12);
  const QImage caption = EveryAlpha(random);
  raster::Image surface(48, 40);
  std::uniform_int_distribution<raster::Pixel> colour(0, 0xFFFFFF);
  for (int i = 0; i < 48 * 40; ++i) surface.set(i % 48, i / 48, colour(random));
  const QPoint at(9, 11);
  // Through the whole caption, and through the middle of its opaque runs.
  for (const QRect rect : {QRect(5, 12, 40, 14), QRect(20, 12, 7, 20)}) {
    for (const QImage::Format format :
         {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32}) {
      constexpr QRgb kUntouched = 0xFF123456;
      QImage copied(48, 40, format);
      copied.fill(kUntouched);
      CopyRows(surface, rect, copied, rect.topLeft());
      BlendOver(caption, InkSpans(caption), at, rect, copied);
      // The same rectangle composed alone, at the corner of an image of its size.
      QImage alone(rect.size(), format);
      CopyRows(surface, rect, alone, QPoint(0, 0));
      BlendOver(caption, InkSpans(caption), at - rect.topLeft(), alone.rect(), alone);

      const QImage wrapped(reinterpret_cast<const uchar*>(surface.pixels().data()), 48, 40, 48 * 4,
                           QImage::Format_RGB32);
      QImage painted(48, 40, format);
      painted.fill(kUntouched);
      {
        QPainter painter(&painted);
        painter.setClipRect(rect);
        painter.drawImage(QPoint(0, 0), wrapped);
        painter.drawImage(at, caption);
      }
      // Outside the rectangle both keep the colour they were filled with.
      EXPECT_EQ(copied, painted) << "format " << format << " rect " << rect.x() << "," << rect.y();
      EXPECT_EQ(alone, painted.copy(rect));
    }
  }
}

}  // namespace
}  // namespace qt_host
