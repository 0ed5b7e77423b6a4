// The painter-free frame gives the pixels Qt's raster painter gives for the same drawing.
#include "platform/qt/frame_copy.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <random>

namespace qt_host {
namespace {

// A premultiplied caption whose pixels cover every alpha, with random colours within it.
QImage EveryAlpha(std::mt19937& random) {
  QImage caption(32, 16, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < caption.height(); ++y) {
    for (int x = 0; x < caption.width(); ++x) {
      const int alpha = (y * caption.width() + x) % 256;
      std::uniform_int_distribution<int> channel(0, alpha);
      caption.setPixel(x, y, qRgba(channel(random), channel(random), channel(random), alpha));
    }
  }
  return caption;
}

raster::Image RandomSurface(std::mt19937& random, int width, int height) {
  raster::Image surface(width, height);
  std::uniform_int_distribution<raster::Pixel> colour(0, 0xFFFFFF);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) surface.set(x, y, colour(random));
  }
  return surface;
}

TEST(FrameCopy, MatchesThePainterForEveryAlphaAndTouchesOnlyItsRectangle) {
  std::mt19937 random(12);
  const QImage caption = EveryAlpha(random);
  const raster::Image surface = RandomSurface(random, 48, 40);
  const QPoint at(9, 11);
  const QRect rect(5, 14, 40, 9);  // cuts through the caption
  for (const QImage::Format format : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32}) {
    constexpr QRgb kUntouched = 0xFF123456;
    QImage copied(48, 40, format);
    copied.fill(kUntouched);
    CopyOpaque(surface, rect, copied);
    BlendOver(caption, at, rect, copied);

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
    // The colours as the painter gives them; the alpha opaque (the painter copies the
    // surface's unused fourth byte into a premultiplied image).
    int differing = 0, transparent = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 48; ++x) {
        differing += (copied.pixel(x, y) & 0xFFFFFFu) != (painted.pixel(x, y) & 0xFFFFFFu);
        transparent += qAlpha(copied.pixel(x, y)) != 255;
      }
    }
    EXPECT_EQ(transparent, 0) << "format " << format;
    EXPECT_EQ(differing, 0) << "format " << format;
    EXPECT_EQ(copied.pixel(rect.left() - 1, rect.top()), kUntouched);
    EXPECT_EQ(copied.pixel(rect.left(), rect.bottom() + 1), kUntouched);
  }
}

}  // namespace
}  // namespace qt_host
