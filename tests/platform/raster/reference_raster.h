// A slow, obviously correct renderer to check the fast one against: it materialises every
// canvas pixel from the distance rule and averages by visiting every overlapping source pixel.
#pragma once

#include <vector>

#include "platform/raster/image.h"
#include "platform/raster/stroke_canvas.h"

namespace raster_test {

using Stroke = raster::StrokeCanvas::Stroke;

// Whether the pixel centre lies within pen_width / 2 of the segment, via the exact closest
// point (a rational on the segment).
bool ReferenceCovers(const Stroke& stroke, int x, int y);

// The canvas with the strokes painted in order.
raster::Image ReferenceCanvas(int width, int height, const std::vector<Stroke>& strokes);

// ORs into `target` the average of `canvas` over `src` shrunk into `dst`.
void ReferenceStretchOr(const raster::Image& canvas, raster::Image& target, const raster::Rect& dst,
                        const raster::Rect& src);

}  // namespace raster_test
