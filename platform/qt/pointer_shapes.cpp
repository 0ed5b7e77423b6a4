#include "platform/qt/pointer_shapes.h"

#include <QBitmap>
#include <QPixmap>
#include <vector>

#include "resources/assets.h"

namespace qt_host {
namespace {

bool IsWhite(raster::Pixel p) {
  const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return r + g + b >= 3 * 128;
}

// A QBitmap from one bit per pixel (1 = Qt::color1).
QBitmap PackBitmap(int width, int height, const std::vector<bool>& bits) {
  const int stride = (width + 7) / 8;
  std::vector<uchar> packed(static_cast<std::size_t>(stride) * height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (bits[static_cast<std::size_t>(y) * width + x]) {
        packed[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<uchar>(1u << (x % 8));
      }
    }
  }
  return QBitmap::fromData(QSize(width, height), packed.data(), QImage::Format_MonoLSB);
}

std::optional<raster::IconFileImage> Decode(resources::Asset asset) {
  return raster::DecodeIconFile(resources::AssetBytes(asset));
}

}  // namespace

QImage ToArgbImage(const raster::IconFileImage& image) {
  QImage argb(image.width(), image.height(), QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * image.width() + x;
      const QRgb alpha = image.alpha.empty() ? (image.masked(x, y) ? 0 : 0xFF) : image.alpha[at];
      line[x] = alpha == 0 ? qRgba(0, 0, 0, 0) : (alpha << 24 | image.colour.at(x, y));
    }
  }
  return argb;
}

QCursor ToCursor(const raster::IconFileImage& image) {
  if (image.bits_per_pixel != 1) {
    return QCursor(QPixmap::fromImage(ToArgbImage(image)), image.hotspot_x, image.hotspot_y);
  }
  // Qt's two-colour pointers: bitmap 1 and mask 1 black, bitmap 0 and mask 1 white, both 0
  // transparent, bitmap 1 and mask 0 inverts the screen.
  const int width = image.width(), height = image.height();
  std::vector<bool> bitmap(static_cast<std::size_t>(width) * height);
  std::vector<bool> mask(bitmap.size());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * width + x;
      const bool white = IsWhite(image.colour.at(x, y));
      mask[i] = !image.masked(x, y);
      bitmap[i] = mask[i] ? !white : white;
    }
  }
  return QCursor(PackBitmap(width, height, bitmap), PackBitmap(width, height, mask),
                 image.hotspot_x, image.hotspot_y);
}

PointerShapes LoadPointerShapes() {
  PointerShapes shapes{QCursor(Qt::PointingHandCursor), QCursor(Qt::CrossCursor), QIcon()};
  if (const auto hand = Decode(resources::Asset::kHandCursor))
    shapes.pointing_hand = ToCursor(*hand);
  if (const auto target = Decode(resources::Asset::kTargetCursor))
    shapes.target = ToCursor(*target);
  // Every size with alpha, so the window manager and task switchers pick a sharp one
  // (_NET_WM_ICON carries them all); the masked image only if there is nothing better.
  const std::span<const std::uint8_t> icon_file = resources::AssetBytes(resources::Asset::kIcon);
  const std::vector<raster::IconFileImage> icons = raster::DecodeIconFileImages(icon_file);
  for (const raster::IconFileImage& icon : icons) {
    if (!icon.alpha.empty()) shapes.window_icon.addPixmap(QPixmap::fromImage(ToArgbImage(icon)));
  }
  for (const std::span<const std::uint8_t> png : raster::IconFilePngImages(icon_file)) {
    const QImage image = QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG");
    if (!image.isNull()) shapes.window_icon.addPixmap(QPixmap::fromImage(image));
  }
  if (shapes.window_icon.isNull() && !icons.empty()) {
    shapes.window_icon = QIcon(QPixmap::fromImage(ToArgbImage(icons.front())));
  }
  return shapes;
}

}  // namespace qt_host
