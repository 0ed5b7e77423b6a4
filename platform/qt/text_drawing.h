// Text with Qt's font engine: the lines the program prints into its surface, and the font of
// the label drawn over it. Sizes are pixels, never derived from the display's reported DPI.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <string_view>

#include "platform/host.h"
#include "platform/raster/image.h"

namespace qt_host {

// The surface's default font: a face with the metrics of the Windows program's default GUI
// font, at that font's point size on the 96-dpi convention the twips use (15 twips per pixel).
QFont SurfaceDefaultFont();

// The pixels a line of text drawn from `origin` (its top-left corner) and laid out in
// `laid_out` may touch:
// the layout box and the glyphs' ink, which may reach past it (italic overhang, antialiased
// edges), one pixel around. Ink reported more than a line's height away from the layout, as
// Qt's placeholder font engine does when no font at all is installed, is ignored.
QRect TouchedByText(const QFontMetrics& metrics, const QString& line, QPoint origin,
                    const QRect& laid_out);

// Prints `text` with its top-left corner at (x, y) directly into `target`'s pixels.
forms::TextExtent DrawTextInto(raster::Image& target, int x, int y, std::string_view text,
                               raster::Pixel colour, const QFont& font);

// The label's font: the named family when installed, else a Japanese Mincho of the same
// design (the label's "●" comes from it), with an em of `pixel_height` pixels.
QFont LabelFont(std::string_view family, int pixel_height);

}  // namespace qt_host
