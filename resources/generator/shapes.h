// The shapes the artwork is built from, painted antialiased onto a Canvas.
#pragma once

#include <vector>

#include "resources/generator/canvas.h"
#include "resources/generator/geometry.h"

namespace artwork {

using Polyline = std::vector<Point>;

// Strokes the polylines, moved by `offset`, with a pen `width` pixels wide: round ends and
// joins, and overlapping parts covered once.
void StrokeLines(Canvas& canvas, const std::vector<Polyline>& lines, Point offset, double width,
                 Colour colour);

// A bar with square ends: it runs along the unit vector `direction` from `from` to `to`
// (distances from `origin`) and is `width` pixels wide.
void FillBar(Canvas& canvas, Point origin, Point direction, double from, double to, double width,
             Colour colour);

// A ring of pixels between two radii around `centre`.
void FillRing(Canvas& canvas, Point centre, double inner_radius, double outer_radius,
              Colour colour);

}  // namespace artwork
