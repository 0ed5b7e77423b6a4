// The clock's top-level window: borderless, shaped, presenting the runtime's surface and
// label, and passing mouse input and close requests back to the runtime.
#pragma once

#include <QBackingStore>
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QWindow>
#include <optional>
#include <vector>

#include "platform/host.h"
#include "platform/qt/frame_copy.h"
#include "platform/qt/label_watch.h"
#include "platform/qt/pointer_shapes.h"
#include "platform/qt/x11_frames.h"

namespace forms {
class Runtime;
}

namespace qt_host {

// A plain native window with its own backing store, not a widget: a widget would bring Qt's
// accessibility bridge, and with it a D-Bus connection and its thread, into every run, and
// every frame would pass through the widget repaint machinery.
class ClockWindow : public QWindow {
 public:
  ClockWindow();

  void Attach(forms::Runtime& runtime) { runtime_ = &runtime; }

  // Window rectangle in pixels. The runtime's pixels are Qt's device-independent ones: on a
  // scaled screen the window shows the whole clock enlarged as one picture.
  void Place(int left, int top, int width, int height);
  // Where the window is now, in the same pixels as Place, also after the window manager or
  // the user moved it.
  QPoint Origin() const;
  // Collects what changed in the runtime's picture and schedules repainting it.
  void SurfaceChanged();
  // Keeps the window above normal windows, or lets it stack normally.
  void SetStaysOnTop(bool on_top);
  // The window's shape in its pixels; none shows the whole rectangle.
  void SetShape(const std::optional<QRegion>& shape);
  // From now on the window closes when asked; before, a close request goes to the runtime.
  void CloseForGood();
  // Where a popup menu opens (global position): at the pointer, or at the window's centre
  // when the keyboard asked for it.
  QPoint PopupPosition() const;

 protected:
  void exposeEvent(QExposeEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The runtime's pixel under a pointer position.
  static QPoint PixelAt(const QPointF& position);
  void UpdateCursor(QPoint at);
  void LabelChanged(forms::LabelView label);
  // Composes the given part of the window (the runtime's pixels and the caption over them)
  // into `device`: copied as they are when possible, painted otherwise.
  void Compose(QPaintDevice& device, const QRegion& part);
  // Whether `part` can be composed by copying: the runtime's pixels cover it one to one, and
  // the caption, where it lies over the part, is drawn one to one too.
  bool Copyable(const QRegion& part) const;
  // Composes `rect` by copying, to `to` in `target` (32-bit, one to one).
  void CopyRect(const QRect& rect, QImage& target, QPoint to) const;
  // The common frame: the runtime's pixels copied row by row into an image that shows them one
  // to one, with the caption elsewhere. False, with nothing done, when that does not apply.
  bool CopyFrame(QPaintDevice& device, const QRegion& part) const;
  void Paint(QPainter& painter, const QRegion& part);
  // Hands the given part to the window system at once: straight from the program's pixels
  // when it can, painted through the backing store otherwise.
  void Present(const QRegion& part);
  // Sends the part to the X11 window itself. False, with nothing done, when that does not
  // apply (another platform, a scaled screen, another visual).
  bool PutOnX11(const QRegion& part);
  // Paints the given part into the backing store and hands it to the window system.
  void PresentThroughStore(const QRegion& part);

  forms::Runtime* runtime_ = nullptr;
  // Made when first needed: frames that go straight to the X11 window need none of its image.
  std::optional<QBackingStore> store_;
  X11Frames x11_frames_;
  // A rectangle's pixels packed row after row for the X server, reused frame after frame.
  std::vector<QRgb> packed_;
  PointerShapes shapes_;
  forms::Cursor cursor_ = forms::Cursor::kDefault;
  // The runtime's surface pixels, wrapped without copying while they stay where they are.
  QImage frame_;
  // The label as last presented, its font and the area its caption covers.
  LabelWatch label_watch_;
  forms::LabelView label_;
  QFont label_font_;
  // The caption over a transparent ground, covering label_area_ at the screen's resolution.
  QImage label_image_;
  std::vector<InkSpan> label_ink_;
  QRect label_area_;
  // What changed since the last frame was presented.
  QRegion dirty_;
  bool closing_ = false;
  bool menu_from_keyboard_ = false;
};

}  // namespace qt_host
