// Text printed onto an image, and the window painted from the surface and the label.
#include <algorithm>

#include "platform/win32/gdi_objects.h"
#include "platform/win32/text_renderer.h"
#include "platform/win32/window_painter.h"
#include "tests/platform/win32/checks/check.h"

namespace checks {

void CheckTextRenderer() {
  win32::TextRenderer renderer;
  raster::Image image(60, 24, 0);
  const forms::TextExtent extent = renderer.Draw(image, 2, 3, "A 3", 0xFF0000);
  CHECK(!extent.drawn.empty());
  CHECK(raster::Intersect(extent.drawn, image.bounds()) == extent.drawn);
  CHECK(extent.drawn.top >= 3);
  bool only_red = true, outside_untouched = true;
  raster::Pixel brightest = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const raster::Pixel p = image.at(x, y);
      const bool inside = x >= extent.drawn.left && x < extent.drawn.right() &&
                          y >= extent.drawn.top && y < extent.drawn.bottom();
      if (!inside && p != 0) outside_untouched = false;
      if ((p & 0x00FFFF) != 0) only_red = false;
      brightest = std::max(brightest, p >> 16);
    }
  }
  CHECK(only_red);  // black blended towards red stays red
  CHECK(outside_untouched);
  CHECK(brightest == 0xFF);  // fully covered pixels take the colour itself
}

void CheckWindowPainter() {
  const long held_before = win32::HandlesHeld().gdi;
  {
    win32::WindowPainter painter;
    HDC screen = GetDC(nullptr);  // a bitmap-backed DC stands in for the window
    const win32::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen, 120, 100));
    ReleaseDC(nullptr, screen);
    win32::MemoryDc window;
    window.SelectBitmap(bitmap.get());
    PatBlt(window.get(), 0, 0, 120, 100, BLACKNESS);
    // The surface is larger than the window and split red | blue, with one odd pixel.
    raster::Image surface(130, 110, 0xFF0000);
    surface.Fill({65, 0, 65, 110}, 0x0000FF);
    surface.set(5, 5, 0x123456);
    forms::LabelView label{"●", {40, 30, 30, 30}, "ＭＳ Ｐ明朝", 24, 0x00FF00};

    painter.Paint(window.get(), {0, 0, 10, 10}, {120, 100}, surface, label);
    CHECK(GetPixel(window.get(), 50, 50) == RGB(0, 0, 0));  // outside the painted area
    painter.Paint(window.get(), {0, 0, 120, 100}, {120, 100}, surface, label);
    CHECK(GetPixel(window.get(), 5, 5) == RGB(0x12, 0x34, 0x56));  // no channel swapped
    CHECK(GetPixel(window.get(), 20, 80) == RGB(255, 0, 0));
    CHECK(GetPixel(window.get(), 110, 80) == RGB(0, 0, 255));
    int green = 0;
    for (int y = 30; y < 60; ++y) {
      for (int x = 40; x < 70; ++x) green += GetPixel(window.get(), x, y) == RGB(0, 255, 0);
    }
    CHECK(green > 50);                                        // the glyph in the label's colour
    CHECK(GetPixel(window.get(), 40, 30) == RGB(255, 0, 0));  // around it, the surface

    const raster::Rect extent = painter.LabelExtent(label);
    CHECK(raster::Union(extent, label.box) == extent);

    // Repainting keeps what it holds; a new font size replaces the font.
    const long held = win32::HandlesHeld().gdi;
    for (int i = 0; i < 50; ++i) {
      label.colour = i % 2 ? 0xFF0000 : 0x00FF00;
      label.font_pixel_height = i % 3 ? 24 : 30;
      painter.Paint(window.get(), {0, 0, 120, 100}, {120, 100}, surface, label);
      painter.LabelExtent(label);
    }
    CHECK(win32::HandlesHeld().gdi == held);
    painter.Paint(window.get(), {0, 0, 60, 50}, {60, 50}, surface, label);  // a new size
    CHECK(win32::HandlesHeld().gdi == held);
  }
  CHECK(win32::HandlesHeld().gdi == held_before);
}

}  // namespace checks
