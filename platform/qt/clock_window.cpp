#include "platform/qt/clock_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QExposeEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/qt/font_warm_up.h"
#include "platform/qt/frame_copy.h"
#include "platform/qt/mouse_codes.h"
#include "platform/qt/taskbar_states.h"
#include "platform/qt/text_drawing.h"
#include "platform/runtime.h"

namespace qt_host {
namespace {

constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;

bool SameLabel(const forms::LabelView& a, const forms::LabelView& b) {
  return a.caption == b.caption && a.box == b.box && a.font_name == b.font_name &&
         a.font_pixel_height == b.font_pixel_height && a.colour == b.colour;
}

bool IsWholeNumber(double value) {
  return value == std::floor(value);
}

}  // namespace

ClockWindow::ClockWindow() : shapes_(LoadPointerShapes()) {
  // A frameless tool window: like the Windows program, no taskbar button (see showEvent).
  setFlags(Qt::Tool | Qt::FramelessWindowHint);
  setTitle(QStringLiteral("Vestrel"));
  setIcon(shapes_.window_icon);
  QGuiApplication::setWindowIcon(shapes_.window_icon);  // the program's dialogs show it too
  // For the application's quit request (see eventFilter).
  QCoreApplication::instance()->installEventFilter(this);
}

QPoint ClockWindow::PixelAt(const QPointF& position) {
  return QPoint(static_cast<int>(std::floor(position.x())),
                static_cast<int>(std::floor(position.y())));
}

void ClockWindow::Place(int left, int top, int width, int height) {
  setGeometry(left, top, width, height);
}

QPoint ClockWindow::Origin() const {
  // Qt keeps the geometry up to date with every move the X server reports.
  return geometry().topLeft();
}

void ClockWindow::SurfaceChanged() {
  if (runtime_ == nullptr || runtime_->form() == nullptr) return;
  const raster::Rect changed = runtime_->TakeSurfaceChanges();
  if (!changed.empty()) dirty_ += QRect(changed.left, changed.top, changed.width, changed.height);
  if (label_watch_.Changed(runtime_->form()->SurfaceLabel())) {
    forms::LabelView label = runtime_->Label();
    if (!SameLabel(label, label_)) LabelChanged(std::move(label));
  }
  // Painted now, at the end of the handler that drew: no posted event or second pass of the
  // event loop per frame.
  if (!dirty_.isEmpty()) Present(std::exchange(dirty_, QRegion()));
}

void ClockWindow::LabelChanged(forms::LabelView label) {
  if (label.font_name != label_.font_name || label.font_pixel_height != label_.font_pixel_height) {
    AwaitFontConfig();
    label_font_ = LabelFont(label.font_name, label.font_pixel_height);
  }
  label_ = std::move(label);
  const QString caption = QString::fromStdString(label_.caption);
  // The caption is drawn from the box's top-left corner and may reach past the box.
  const QFontMetrics metrics(label_font_);
  const QPoint origin(label_.box.left, label_.box.top);
  const QRect box(origin, QSize(label_.box.width, label_.box.height));
  const QRect laid_out = metrics.boundingRect(QRect(origin, QSize()), kCaptionFlags, caption);
  const QRect area = box.adjusted(-1, -1, 1, 1) | TouchedByText(metrics, caption, origin, laid_out);
  // Rendered once per change and blended over every frame: far cheaper than laying out and
  // rasterising the glyph each second.
  if (caption.isEmpty()) {
    label_image_ = QImage();
  } else {
    // The glyph is drawn at the screen's resolution, not enlarged with the surface. The
    // alarm recolours the caption 40 times a second: the image is reused.
    const double ratio = devicePixelRatio();
    const QSize device_size(static_cast<int>(std::ceil(area.width() * ratio)),
                            static_cast<int>(std::ceil(area.height() * ratio)));
    if (label_image_.size() != device_size || label_image_.devicePixelRatio() != ratio) {
      label_image_ = QImage(device_size, QImage::Format_ARGB32_Premultiplied);
      label_image_.setDevicePixelRatio(ratio);
    }
    label_image_.fill(Qt::transparent);
    QPainter painter(&label_image_);
    painter.setFont(label_font_);
    painter.setPen(QColor::fromRgb(label_.colour & 0xFFFFFFu));
    painter.drawText(QRect(origin - area.topLeft(), QSize()), kCaptionFlags, caption);
    painter.end();
    label_ink_ = InkSpans(label_image_);
  }
  // Both where the caption was and where it is now.
  dirty_ += label_area_;
  dirty_ += area;
  label_area_ = area;
}

void ClockWindow::SetStaysOnTop(bool on_top) {
  Qt::WindowFlags wanted = flags();
  wanted.setFlag(Qt::WindowStaysOnTopHint, on_top);
  // Changed on the existing native window, which keeps its place in the stacking order.
  if (wanted != flags()) setFlags(wanted);
  if (on_top && isVisible()) raise();
}

void ClockWindow::SetShape(const std::optional<QRegion>& shape) {
  // The shape goes to the native window only; painting is not clipped to it, so each frame
  // stays one copy instead of one per row of the ellipse.
  // No region (0 or a released one) removes the shape, as the window function does; kept so
  // that every handle has a defined outcome, though the program always passes a fresh region.
  // In the window's own pixels; Qt enlarges it with the window on a scaled screen.
  setMask(shape ? *shape : QRegion());
}

void ClockWindow::CloseForGood() {
  closing_ = true;
  hide();
}

void ClockWindow::exposeEvent(QExposeEvent* /*event*/) {
  if (isExposed()) Present(QRect(QPoint(0, 0), size()));
}

void ClockWindow::resizeEvent(QResizeEvent* event) {
  // Through the backing store: its flush also answers a window manager that waits, during a
  // resize, for the window to have drawn its new size.
  if (isExposed()) PresentThroughStore(QRect(QPoint(0, 0), event->size()));
}

void ClockWindow::Present(const QRegion& part) {
  // Hidden or covered: the expose event paints the whole window when it shows.
  if (!isExposed()) return;
  if (!PutOnX11(part)) PresentThroughStore(part);
}

bool ClockWindow::PutOnX11(const QRegion& part) {
  if (devicePixelRatio() != 1.0 || !Copyable(part) || !x11_frames_.Ready(*this)) return false;
  // A frame changes a few thousand pixels; a whole window goes in bands, so that the buffer
  // stays small.
  constexpr int kPackedPixels = 8192;
  for (const QRect& rect : part) {
    const int band_rows = std::max(1, kPackedPixels / rect.width());
    for (int top = rect.top(); top <= rect.bottom(); top += band_rows) {
      const QRect band(rect.left(), top, rect.width(),
                       std::min(band_rows, rect.bottom() + 1 - top));
      packed_.resize(static_cast<std::size_t>(band.width()) *
                     static_cast<std::size_t>(band.height()));
      QImage packed(reinterpret_cast<uchar*>(packed_.data()), band.width(), band.height(),
                    static_cast<qsizetype>(band.width()) * 4, QImage::Format_RGB32);
      CopyRect(band, packed, QPoint(0, 0));
      x11_frames_.Put(packed, band.topLeft());
    }
  }
  x11_frames_.Flush();
  return true;
}

void ClockWindow::PresentThroughStore(const QRegion& part) {
  if (!store_) store_.emplace(this);
  if (store_->size() != size()) store_->resize(size());
  store_->beginPaint(part);
  if (QPaintDevice* device = store_->paintDevice()) Compose(*device, part);
  store_->endPaint();
  store_->flush(part);
}

void ClockWindow::Compose(QPaintDevice& device, const QRegion& part) {
  if (CopyFrame(device, part)) return;
  QPainter painter(&device);
  Paint(painter, part);
}

bool ClockWindow::Copyable(const QRegion& part) const {
  if (runtime_ == nullptr || runtime_->form() == nullptr) return false;
  const bool caption = !label_image_.isNull() && part.intersects(label_area_);
  if (caption && (label_image_.devicePixelRatio() != 1.0 ||
                  label_image_.format() != QImage::Format_ARGB32_Premultiplied)) {
    return false;
  }
  const raster::Image& image = runtime_->SurfaceImage();
  return QRect(0, 0, image.width(), image.height()).contains(part.boundingRect());
}

void ClockWindow::CopyRect(const QRect& rect, QImage& target, QPoint to) const {
  CopyRows(runtime_->SurfaceImage(), rect, target, to);
  if (!label_image_.isNull() && rect.intersects(label_area_)) {
    const QPoint offset = to - rect.topLeft();
    BlendOver(label_image_, label_ink_, label_area_.topLeft() + offset, rect.translated(offset),
              target);
  }
}

bool ClockWindow::CopyFrame(QPaintDevice& device, const QRegion& part) const {
  if (device.devType() != QInternal::Image || !Copyable(part)) return false;
  auto& target = static_cast<QImage&>(device);
  // Qt's backing store for an opaque window is premultiplied ARGB (its alpha is ignored by the
  // X server) or RGB32; the painter copies the surface's pixels into either as they are.
  const QImage::Format format = target.format();
  if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) ||
      target.devicePixelRatio() != 1.0 || !target.rect().contains(part.boundingRect())) {
    return false;
  }
  for (const QRect& rect : part) CopyRect(rect, target, rect.topLeft());
  return true;
}

void ClockWindow::Paint(QPainter& painter, const QRegion& part) {
  const QRect whole(QPoint(0, 0), size());
  // Only the part asked for is copied: a frame changes a few hundred pixels.
  painter.setClipRegion(part);
  if (runtime_ == nullptr || runtime_->form() == nullptr) {
    painter.fillRect(whole, Qt::black);
    return;
  }
  // On a scaled screen the surface is enlarged as one picture: pixel for pixel at whole
  // ratios, so the face stays sharp, and smoothly at fractional ones.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, !IsWholeNumber(devicePixelRatio()));
  // The runtime's pixels as they are, wrapped without a copy.
  const raster::Image& image = runtime_->SurfaceImage();
  const auto* pixels = reinterpret_cast<const uchar*>(image.pixels().data());
  if (frame_.constBits() != pixels || frame_.width() != image.width() ||
      frame_.height() != image.height()) {
    frame_ = QImage(pixels, image.width(), image.height(),
                    static_cast<qsizetype>(image.width()) * 4, QImage::Format_RGB32);
  }
  painter.drawImage(QPoint(0, 0), frame_);
  if (width() > image.width() || height() > image.height()) {
    const QRegion uncovered = QRegion(whole) - QRegion(0, 0, image.width(), image.height());
    for (const QRect& rect : uncovered) painter.fillRect(rect, QGuiApplication::palette().window());
  }
  if (!label_image_.isNull()) painter.drawImage(label_area_.topLeft(), label_image_);
}

void ClockWindow::UpdateCursor(QPoint at) {
  if (runtime_ == nullptr) return;
  const forms::Cursor shape = runtime_->CursorAt(at.x(), at.y());
  if (shape == cursor_) return;
  cursor_ = shape;
  switch (shape) {
    case forms::Cursor::kPointingHand:
      setCursor(shapes_.pointing_hand);
      break;
    case forms::Cursor::kTarget:
      setCursor(shapes_.target);
      break;
    case forms::Cursor::kDefault:
      unsetCursor();
      break;
  }
}

void ClockWindow::mousePressEvent(QMouseEvent* event) {
  const forms::Integer button = ButtonCode(event->button());
  if (runtime_ == nullptr || button == 0) return;
  const QPoint at = PixelAt(event->position());
  UpdateCursor(at);
  // Qt grabs the pointer until the release, so moves and the release outside the window
  // still arrive here.
  runtime_->MouseDown(button, ShiftCode(event->modifiers()), at.x(), at.y());
}

void ClockWindow::mouseMoveEvent(QMouseEvent* event) {
  if (runtime_ == nullptr) return;
  const QPoint at = PixelAt(event->position());
  UpdateCursor(at);
  runtime_->MouseMove(HeldButtonsCode(event->buttons()), ShiftCode(event->modifiers()), at.x(),
                      at.y());
}

void ClockWindow::mouseReleaseEvent(QMouseEvent* event) {
  const forms::Integer button = ButtonCode(event->button());
  if (runtime_ == nullptr || button == 0) return;
  const QPoint at = PixelAt(event->position());
  runtime_->MouseUp(button, ShiftCode(event->modifiers()), at.x(), at.y());
  UpdateCursor(at);
}

QPoint ClockWindow::PopupPosition() const {
  return menu_from_keyboard_ ? mapToGlobal(QPoint(width() / 2, height() / 2)) : QCursor::pos();
}

void ClockWindow::keyPressEvent(QKeyEvent* event) {
  const bool menu_key = event->key() == Qt::Key_Menu ||
                        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
  if (!menu_key || runtime_ == nullptr) {
    QWindow::keyPressEvent(event);
    return;
  }
  // The same menu as a right press on the face, opened at the window's centre.
  menu_from_keyboard_ = true;
  runtime_->MenuKey(ShiftCode(event->modifiers()), width() / 2, height() / 2);
  menu_from_keyboard_ = false;
}

void ClockWindow::showEvent(QShowEvent* event) {
  // Before the native window is mapped: Qt keeps these states when it maps the window, and
  // the window manager removes them whenever the window is hidden.
  if (!event->spontaneous()) SkipTaskbarAndPager(*this);
  QWindow::showEvent(event);
}

bool ClockWindow::eventFilter(QObject* watched, QEvent* event) {
  // A session that ends asks the application to quit. QApplication then closes its widgets
  // only; the clock's window is closed as the user would, so the form unloads and saves.
  if (event->type() == QEvent::Quit && watched == QCoreApplication::instance() && isVisible() &&
      !closing_) {
    close();
  }
  return QWindow::eventFilter(watched, event);
}

void ClockWindow::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  // The runtime decides: unloading the form ends the program through the host's Quit.
  event->ignore();
  if (runtime_ != nullptr) runtime_->CloseRequested();
}

}  // namespace qt_host
