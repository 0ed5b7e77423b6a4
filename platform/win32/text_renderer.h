// Text printed onto the visible surface: the line is rendered white on black in the default
// GUI font into a DIB section kept between calls, and its coverage blends the wanted colour
// into the surface image, so the text looks as if drawn with a transparent background.
#pragma once

#include "platform/win32/windows_api.h"

#include <cstdint>
#include <string_view>

#include "platform/host.h"
#include "platform/win32/gdi_objects.h"

namespace win32 {

class TextRenderer {
 public:
  TextRenderer();

  forms::TextExtent Draw(raster::Image& target, int x, int y, std::string_view text,
                         raster::Pixel colour);

 private:
  // Makes the scratch bitmap at least this large; it only ever grows.
  bool EnsureScratch(int width, int height);

  MemoryDc dc_;
  GdiObject<HBITMAP> scratch_;
  std::uint32_t* scratch_bits_ = nullptr;
  int scratch_width_ = 0;
  int scratch_height_ = 0;
  int line_height_ = 0;
};

}  // namespace win32
