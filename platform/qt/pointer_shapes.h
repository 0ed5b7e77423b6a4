// The window icon and the two pointers, built from the same icon and cursor files as the
// Windows program uses.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <optional>

#include "platform/picture_files/icon_file.h"

namespace qt_host {

// An icon or cursor image with its AND mask as transparency. Pixels that would invert the
// screen cannot be expressed in alpha and are left transparent.
QImage ToArgbImage(const raster::IconFileImage& image);

// A pointer from a cursor file: a two-colour one as bitmap and mask (its inverting pixels
// stay inverting where the system supports it), a coloured one as a pixmap with alpha.
QCursor ToCursor(const raster::IconFileImage& image);

struct PointerShapes {
  QCursor pointing_hand;
  QCursor target;
  // Every size of the icon file, decoded whenever Qt asks for one and kept nowhere: Qt hands
  // them to the window manager once, and the largest alone would stay in memory all along.
  QIcon window_icon;
};

// Decoded from the embedded files; a file that does not decode leaves Qt's own shape.
PointerShapes LoadPointerShapes();

}  // namespace qt_host
