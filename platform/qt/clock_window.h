// The clock's top-level window: borderless, shaped, presenting the runtime's surface and
// label, and passing mouse input and close requests back to the runtime.
#pragma once

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <optional>

#include "platform/host.h"
#include "platform/qt/label_watch.h"
#include "platform/qt/pointer_shapes.h"

namespace forms {
class Runtime;
}

namespace qt_host {

class ClockWindow : public QWidget {
 public:
  ClockWindow();

  void Attach(forms::Runtime& runtime) { runtime_ = &runtime; }

  // Device pixels per Qt coordinate unit; the runtime's pixels are device pixels.
  double scale() const { return scale_; }

  // Window rectangle in device pixels.
  void Place(int left, int top, int width, int height);
  // Where the window is now in device pixels, also after the window manager or the user
  // moved it.
  QPoint DeviceOrigin() const;
  // Collects what changed in the runtime's picture and schedules repainting it.
  void SurfaceChanged();
  // Keeps the window above normal windows, or lets it stack normally.
  void SetStaysOnTop(bool on_top);
  // The window's shape in device pixels; none shows the whole rectangle.
  void SetShape(const std::optional<QRegion>& shape);
  // From now on the window closes when asked; before, a close request goes to the runtime.
  void CloseForGood();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QPoint DevicePoint(const QPointF& position) const;
  QRect ToLogical(const QRect& device) const;
  void UpdateCursor(QPoint device);
  void LabelChanged(forms::LabelView label);

  forms::Runtime* runtime_ = nullptr;
  double scale_ = 1;
  PointerShapes shapes_;
  forms::Cursor cursor_ = forms::Cursor::kDefault;
  // The runtime's surface pixels, wrapped without copying while they stay where they are.
  QImage frame_;
  // The label as last presented, its font and the area its caption covers (device pixels).
  LabelWatch label_watch_;
  forms::LabelView label_;
  QFont label_font_;
  QImage label_image_;  // the caption over a transparent ground, covering label_area_
  QRect label_area_;
  bool closing_ = false;
};

}  // namespace qt_host
