// A small stroke font for the dial: the digits and the capitals of "TIME", each drawn as centre
// lines that are stroked with round ends. Glyphs are designed 10 units tall with y downwards.
#pragma once

#include <string_view>
#include <vector>

#include "resources/generator/geometry.h"

namespace artwork {

using Polyline = std::vector<Point>;

// A line of text scaled to a cap height, as centre lines around the centre of its box.
struct TextShape {
  std::vector<Polyline> strokes;
  double width = 0.0;  // of the box that the centre lines span
  double height = 0.0;
};

// Lays out `text` (digits and T, I, M, E) `cap_height` pixels tall, with `spacing` pixels
// between the boxes of neighbouring glyphs.
TextShape LayOutText(std::string_view text, double cap_height, double spacing);

}  // namespace artwork
