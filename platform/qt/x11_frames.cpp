#include "platform/qt/x11_frames.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>

namespace qt_host {
namespace {

// The visual a window was created with and its depth, or none.
const xcb_visualtype_t* VisualOf(xcb_connection_t* connection, xcb_window_t window,
                                 uint8_t& depth) {
  xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
      connection, xcb_get_window_attributes(connection, window), nullptr);
  if (attributes == nullptr) return nullptr;
  const xcb_visualid_t id = attributes->visual;
  std::free(attributes);
  for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem;
       xcb_screen_next(&screens)) {
    for (auto depths = xcb_screen_allowed_depths_iterator(screens.data); depths.rem;
         xcb_depth_next(&depths)) {
      for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem;
           xcb_visualtype_next(&visuals)) {
        if (visuals.data->visual_id != id) continue;
        depth = depths.data->depth;
        return visuals.data;
      }
    }
  }
  return nullptr;
}

bool Packs24BitsInto32(const xcb_setup_t* setup) {
  for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem;
       xcb_format_next(&formats)) {
    if (formats.data->depth == 24) {
      return formats.data->bits_per_pixel == 32 && formats.data->scanline_pad == 32;
    }
  }
  return false;
}

}  // namespace

X11Frames::~X11Frames() {
  if (gc_ != XCB_NONE) xcb_free_gc(connection_, gc_);
}

bool X11Frames::Ready(const QWindow& window) {
  const auto id = static_cast<xcb_window_t>(window.winId());
  if (id == window_) return ready_;
  window_ = id;
  ready_ = false;
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
  const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return false;
  connection_ = x11->connection();
  if (!TakesPixelsAsTheyAre()) return false;
  // A graphics context serves every window of the same depth: made once.
  if (gc_ == XCB_NONE) {
    gc_ = xcb_generate_id(connection_);
    xcb_create_gc(connection_, gc_, window_, 0, nullptr);
  }
  ready_ = true;
  return true;
}

bool X11Frames::TakesPixelsAsTheyAre() const {
  const xcb_setup_t* setup = xcb_get_setup(connection_);
  const bool same_byte_order =
      (setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) == (Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
  uint8_t depth = 0;
  const xcb_visualtype_t* visual = VisualOf(connection_, window_, depth);
  return same_byte_order && Packs24BitsInto32(setup) && visual != nullptr && depth == 24 &&
         visual->_class == XCB_VISUAL_CLASS_TRUE_COLOR && visual->red_mask == 0xFF0000u &&
         visual->green_mask == 0xFF00u && visual->blue_mask == 0xFFu;
}

void X11Frames::Put(const QImage& pixels, QPoint at) {
  const int width = pixels.width();
  const auto row_bytes = static_cast<uint32_t>(width) * 4;
  // A request holds at most the server's maximum length (in 4-byte units), its header included.
  constexpr uint32_t kHeaderBytes = 24;
  const uint32_t most_bytes = xcb_get_maximum_request_length(connection_) * 4;
  const int rows_per_request =
      std::max<int>(1, static_cast<int>((most_bytes - kHeaderBytes) / row_bytes));
  for (int top = 0; top < pixels.height(); top += rows_per_request) {
    const int rows = std::min(rows_per_request, pixels.height() - top);
    xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_,
                  static_cast<uint16_t>(width), static_cast<uint16_t>(rows),
                  static_cast<int16_t>(at.x()), static_cast<int16_t>(at.y() + top), 0, 24,
                  row_bytes * static_cast<uint32_t>(rows), pixels.constScanLine(top));
  }
}

void X11Frames::Flush() {
  xcb_flush(connection_);
}

}  // namespace qt_host
