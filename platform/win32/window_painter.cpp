#include "platform/win32/window_painter.h"

#include "platform/win32/wide_text.h"

namespace win32 {
namespace {

// The label's font carries the Japanese character set, so its name resolves as it does on a
// Japanese system.
constexpr int kLabelWeight = FW_NORMAL;

}  // namespace

bool WindowPainter::EnsureBuffer(HDC window_dc, SIZE client) {
  if (buffer_ && client.cx == buffer_size_.cx && client.cy == buffer_size_.cy) return true;
  dc_.SelectBitmap(nullptr);
  buffer_ = GdiObject<HBITMAP>(CreateCompatibleBitmap(window_dc, client.cx, client.cy));
  buffer_size_ = buffer_ ? client : SIZE{};
  if (!buffer_) return false;
  dc_.SelectBitmap(buffer_.get());
  return true;
}

HFONT WindowPainter::LabelFont(const forms::LabelView& label) {
  if (!font_ || label.font_name != font_name_ || label.font_pixel_height != font_pixel_height_) {
    font_.Reset();
    font_ = GdiObject<HFONT>(
        CreateFontW(-label.font_pixel_height, 0, 0, 0, kLabelWeight, FALSE, FALSE, FALSE,
                    SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_DONTCARE, Widen(label.font_name).c_str()));
    font_name_ = label.font_name;
    font_pixel_height_ = label.font_pixel_height;
  }
  return font_.get();
}

raster::Rect WindowPainter::LabelExtent(const forms::LabelView& label) {
  raster::Rect extent = label.box;
  const std::wstring caption = Widen(label.caption);
  HFONT font = LabelFont(label);
  if (caption.empty() || font == nullptr) return extent;
  HGDIOBJ previous = SelectObject(dc_.get(), font);
  SIZE cell{};
  GetTextExtentPoint32W(dc_.get(), caption.c_str(), static_cast<int>(caption.size()), &cell);
  SelectObject(dc_.get(), previous);
  // A glyph may reach a little beyond its advance on either side.
  const int overhang = label.font_pixel_height / 4 + 1;
  return raster::Union(
      extent, {label.box.left - overhang, label.box.top, static_cast<int>(cell.cx) + 2 * overhang,
               static_cast<int>(cell.cy)});
}

void WindowPainter::Paint(HDC window_dc, const RECT& area, SIZE client,
                          const raster::Image& surface, const forms::LabelView& label) {
  if (client.cx <= 0 || client.cy <= 0 || !EnsureBuffer(window_dc, client)) return;
  HDC dc = dc_.get();

  if (surface.width() < client.cx || surface.height() < client.cy) {
    PatBlt(dc, 0, 0, client.cx, client.cy, BLACKNESS);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = surface.width();
  info.bmiHeader.biHeight = -surface.height();  // top-down: the image's own row order
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, 0, 0, surface.width(), surface.height(), 0, 0, 0, surface.height(),
                    surface.pixels().data(), &info, DIB_RGB_COLORS);

  const std::wstring caption = Widen(label.caption);
  HFONT font = caption.empty() ? nullptr : LabelFont(label);
  if (font != nullptr) {
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, raster::ToColourRef(label.colour));
    TextOutW(dc, label.box.left, label.box.top, caption.c_str(), static_cast<int>(caption.size()));
    SelectObject(dc, previous);
  }

  BitBlt(window_dc, area.left, area.top, area.right - area.left, area.bottom - area.top, dc,
         area.left, area.top, SRCCOPY);
}

}  // namespace win32
