// Presents the clock window: the surface image unscaled at the window's top-left, the label's
// glyph over it with a transparent background, composed in a back buffer that is created once
// per window size and copied to the window in one go.
#pragma once

#include "platform/win32/windows_api.h"

#include <string>

#include "platform/host.h"
#include "platform/win32/gdi_objects.h"

namespace win32 {

class WindowPainter {
 public:
  // Draws the window's `area` (client pixels) of a `client`-sized window.
  void Paint(HDC window_dc, const RECT& area, SIZE client, const raster::Image& surface,
             const forms::LabelView& label);
  // The pixels the label may touch: its box and the cell of its caption.
  raster::Rect LabelExtent(const forms::LabelView& label);

 private:
  bool EnsureBuffer(HDC window_dc, SIZE client);
  HFONT LabelFont(const forms::LabelView& label);

  MemoryDc dc_;
  GdiObject<HBITMAP> buffer_;
  SIZE buffer_size_{};
  GdiObject<HFONT> font_;
  std::string font_name_;
  int font_pixel_height_ = 0;
};

}  // namespace win32
