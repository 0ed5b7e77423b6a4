#include "platform/qt/pointer_shapes.h"

#include <QBitmap>
#include <QBuffer>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <functional>
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

// Calls `visit` with the size of each image of the program's icon that has alpha, in the
// file's order, and a way to decode it, until `visit` returns true. Only when there is none,
// the masked first image.
void ForEachIconImage(const std::function<bool(QSize, const std::function<QImage()>&)>& visit) {
  const std::span<const std::uint8_t> file = resources::AssetBytes(resources::Asset::kIcon);
  const std::vector<raster::IconFileImage> icons = raster::DecodeIconFileImages(file);
  bool any = false;
  for (const raster::IconFileImage& icon : icons) {
    if (icon.alpha.empty()) continue;
    any = true;
    if (visit(QSize(icon.width(), icon.height()), [&icon] { return ToArgbImage(icon); })) return;
  }
  for (const std::span<const std::uint8_t> png : raster::IconFilePngImages(file)) {
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(png.data()),
                                               static_cast<qsizetype>(png.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "PNG");
    // Straight to Qt's own PNG reader: guessing would load every image format plugin (and the
    // JPEG library) into the program to ask each whether it reads the file.
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();  // from the header alone
    if (!size.isValid()) continue;
    any = true;
    if (visit(size, [&reader] { return reader.read(); })) return;
  }
  if (!any && !icons.empty()) {
    const raster::IconFileImage& first = icons.front();
    visit(QSize(first.width(), first.height()), [&first] { return ToArgbImage(first); });
  }
}

class EmbeddedIconEngine : public QIconEngine {
 public:
  explicit EmbeddedIconEngine(QList<QSize> sizes) : sizes_(std::move(sizes)) {}

  QIconEngine* clone() const override { return new EmbeddedIconEngine(sizes_); }
  QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    return sizes_;
  }
  QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    const QSize source = Source(size);
    const bool larger = source.width() > size.width() || source.height() > size.height();
    return larger ? source.scaled(size, Qt::KeepAspectRatio) : source;
  }
  // The smallest image that covers `size`, made smaller to fit it; never enlarged.
  QPixmap pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    const QSize source = Source(size);
    QImage image;
    ForEachIconImage([&](QSize each, const std::function<QImage()>& decode) {
      if (each != source) return false;
      image = decode();
      return true;
    });
    if (image.width() > size.width() || image.height() > size.height()) {
      image = image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return QPixmap::fromImage(std::move(image));
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }

 private:
  QSize Source(const QSize& size) const {
    QSize best;
    for (const QSize& each : sizes_) {
      const bool covers = each.width() >= size.width() && each.height() >= size.height();
      const bool best_covers = best.width() >= size.width() && best.height() >= size.height();
      if (best.isEmpty() || (covers && (!best_covers || each.width() < best.width())) ||
          (!covers && !best_covers && each.width() > best.width())) {
        best = each;
      }
    }
    return best;
  }

  QList<QSize> sizes_;
};

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
  // (_NET_WM_ICON carries them all).
  QList<QSize> sizes;
  ForEachIconImage([&sizes](QSize size, const std::function<QImage()>& /*decode*/) {
    sizes.append(size);
    return false;
  });
  if (!sizes.isEmpty()) shapes.window_icon = QIcon(new EmbeddedIconEngine(std::move(sizes)));
  return shapes;
}

}  // namespace qt_host
