// Frames sent to the clock's X11 window straight from the program's own pixels, as plain
// image requests: Qt's backing store would first copy them into its image and then walk its
// own flush machinery for every frame.
#pragma once

#include <xcb/xcb.h>

#include <QImage>
#include <QPoint>

class QWindow;

namespace qt_host {

class X11Frames {
 public:
  X11Frames() = default;
  X11Frames(const X11Frames&) = delete;
  X11Frames& operator=(const X11Frames&) = delete;
  ~X11Frames();

  // Whether `window` takes 32-bit RGB pixels as they are: a native window on the xcb
  // platform with a 24-bit true-colour visual, 32 bits per pixel in this machine's byte order.
  // Checked once per native window.
  bool Ready(const QWindow& window);
  // Puts `pixels` (RGB32, rows packed one after another) at `at` of the window. Ready only.
  void Put(const QImage& pixels, QPoint at);
  // Hands what was put to the X server.
  void Flush();

 private:
  bool TakesPixelsAsTheyAre() const;

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t window_ = XCB_NONE;
  xcb_gcontext_t gc_ = XCB_NONE;
  bool ready_ = false;
};

}  // namespace qt_host
