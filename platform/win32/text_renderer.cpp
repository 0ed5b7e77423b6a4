#include "platform/win32/text_renderer.h"

#include <algorithm>
#include <string>

#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

// Room on both sides of the advance box for glyph parts that overhang it.
constexpr int kOverhang = 2;

// One channel of `background` moved towards `colour` by a coverage of 0..255.
std::uint32_t BlendChannel(std::uint32_t background, std::uint32_t colour, std::uint32_t coverage,
                           int shift) {
  const int b = static_cast<int>((background >> shift) & 0xFFu);
  const int c = static_cast<int>((colour >> shift) & 0xFFu);
  const int mixed = b + ((c - b) * static_cast<int>(coverage) + (c >= b ? 127 : -127)) / 255;
  return static_cast<std::uint32_t>(mixed) << shift;
}

}  // namespace

TextRenderer::TextRenderer() {
  HDC dc = dc_.get();
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, OPAQUE);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  line_height_ = static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading);
}

bool TextRenderer::EnsureScratch(int width, int height) {
  if (scratch_ && width <= scratch_width_ && height <= scratch_height_) return true;
  width = std::max(width, scratch_width_);
  height = std::max(height, scratch_height_);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, like raster::Image
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_.SelectBitmap(nullptr);
  scratch_ =
      GdiObject<HBITMAP>(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!scratch_) {
    scratch_width_ = scratch_height_ = 0;
    scratch_bits_ = nullptr;
    return false;
  }
  dc_.SelectBitmap(scratch_.get());
  scratch_bits_ = static_cast<std::uint32_t*>(bits);
  scratch_width_ = width;
  scratch_height_ = height;
  return true;
}

forms::TextExtent TextRenderer::Draw(raster::Image& target, int x, int y, std::string_view text,
                                     raster::Pixel colour) {
  const std::wstring wide = Widen(text);
  HDC dc = dc_.get();
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  const int width = static_cast<int>(size.cx) + 2 * kOverhang;
  const int height = std::max(static_cast<int>(size.cy), 1);
  if (wide.empty() || !EnsureScratch(width, height)) return {{}, line_height_};

  PatBlt(dc, 0, 0, width, height, BLACKNESS);
  TextOutW(dc, kOverhang, 0, wide.c_str(), static_cast<int>(wide.size()));
  GdiFlush();  // the bits are read directly below

  int left = target.width(), top = target.height(), right = 0, bottom = 0;
  const int origin_x = x - kOverhang;
  for (int row = 0; row < height; ++row) {
    const int ty = y + row;
    if (ty < 0 || ty >= target.height()) continue;
    const std::uint32_t* coverage_row =
        scratch_bits_ + static_cast<std::size_t>(row) * scratch_width_;
    raster::Pixel* target_row = target.row(ty);
    for (int col = 0; col < width; ++col) {
      const std::uint32_t coverage = coverage_row[col] & 0xFFFFFFu;
      const int tx = origin_x + col;
      if (coverage == 0 || tx < 0 || tx >= target.width()) continue;
      // Per channel, so that sub-pixel rendering keeps its colour fringes.
      const raster::Pixel background = target_row[tx];
      target_row[tx] = BlendChannel(background, colour, (coverage >> 16) & 0xFFu, 16) |
                       BlendChannel(background, colour, (coverage >> 8) & 0xFFu, 8) |
                       BlendChannel(background, colour, coverage & 0xFFu, 0);
      left = std::min(left, tx);
      top = std::min(top, ty);
      right = std::max(right, tx + 1);
      bottom = std::max(bottom, ty + 1);
    }
  }
  const raster::Rect drawn =
      right > left ? raster::Rect{left, top, right - left, bottom - top} : raster::Rect{};
  return {drawn, line_height_};
}

}  // namespace win32
