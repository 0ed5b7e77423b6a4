#include "platform/qt/text_drawing.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace qt_host {
namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr double kSurfaceFontPoints = 9;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;

QColor ToQColor(raster::Pixel colour) {
  return QColor::fromRgb(colour & 0xFFFFFFu);
}

}  // namespace

QFont SurfaceDefaultFont() {
  // The Windows program prints in the system's default GUI font: on the Japanese systems it
  // is made for, a 9-point Gothic whose Latin letters and digits are half an em wide. IPA
  // Gothic has the same metrics; sized from the same 9 points at 96 dpi (12 pixels), the
  // minutes take the same room on both builds and stay clear of the face's numerals.
  QFont font;
  font.setFamilies(
      {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"), QApplication::font().family()});
  font.setPixelSize(static_cast<int>(std::lround(kSurfaceFontPoints * kPixelsPerPoint)));
  return font;
}

QRect TouchedByText(const QFontMetrics& metrics, const QString& line, QPoint origin,
                    const QRect& laid_out) {
  const int reach = std::max(1, metrics.height());
  const QRect inked = metrics.boundingRect(line).translated(origin + QPoint(0, metrics.ascent()));
  const QRect plausible = laid_out.adjusted(-reach, -reach, reach, reach);
  return (laid_out | (inked & plausible)).adjusted(-1, -1, 1, 1);
}

forms::TextExtent DrawTextInto(raster::Image& target, int x, int y, std::string_view text,
                               raster::Pixel colour, const QFont& font) {
  const QFontMetrics metrics(font);
  const int line_height = metrics.height();
  if (target.width() == 0 || target.height() == 0) return {{}, line_height};
  QImage canvas(reinterpret_cast<uchar*>(target.row(0)), target.width(), target.height(),
                static_cast<qsizetype>(target.width()) * sizeof(raster::Pixel),
                QImage::Format_RGB32);
  const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  QRect laid_out;
  {
    QPainter painter(&canvas);
    painter.setFont(font);
    painter.setPen(ToQColor(colour));
    painter.drawText(QRect(x, y, 0, 0), kTextFlags, line, &laid_out);
  }
  const QRect touched = TouchedByText(metrics, line, QPoint(x, y), laid_out);
  const raster::Rect drawn{touched.x(), touched.y(), touched.width(), touched.height()};
  return {raster::Intersect(drawn, target.bounds()), line_height};
}

QFont LabelFont(std::string_view family, int pixel_height) {
  QFont font;
  // Families in order of preference; the first installed one is used.
  font.setFamilies({QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size())),
                    QStringLiteral("IPAPMincho"), QStringLiteral("IPA P明朝"),
                    QStringLiteral("IPAMincho")});
  font.setPixelSize(std::max(1, pixel_height));
  return font;
}

}  // namespace qt_host
