// The clock-face pictures: a black ground, a green ring of 60 ticks, green numerals, a glowing
// yellow ball in the middle and the word TIME below it.
#pragma once

#include "resources/generator/geometry.h"
#include "resources/generator/picture.h"

namespace artwork {

struct TickStyle {
  double length = 0.0;
  double width = 0.0;
};

struct FaceDesign {
  int width = 0;
  int height = 0;
  Point centre;  // of the tick ring and of the ball
  // The outer ends of the ticks lie on this ellipse around the centre.
  double ring_radius_x = 0.0;
  double ring_radius_y = 0.0;
  TickStyle minute_tick;
  TickStyle hour_tick;
  TickStyle quarter_tick;  // at 12, 3, 6 and 9
  double numeral_height = 0.0;
  double numeral_pen = 0.0;
  double numeral_spacing = 0.0;
  double numeral_gap = 0.0;  // between the hour ticks' inner ends and the numerals
  double ball_radius = 0.0;
  double label_height = 0.0;  // of TIME
  double label_pen = 0.0;
  double label_spacing = 0.0;
  double label_gap = 0.0;  // between the ball's rim and TIME
  int samples_per_side = 0;
};

// The large face, 170 x 173 px, dial centre (83.5, 86.5), tick ring over x 4..163, y 6..167.
const FaceDesign& LargeFace();
// The small face, 108 x 109 px, dial centre (52.5, 54.5), tick ring over x 2..103, y 4..105.
const FaceDesign& SmallFace();

// The colour at the very centre of the ball, the brightest in the picture.
inline constexpr Rgb kBallCentre{255, 223, 0};

Picture DrawFace(const FaceDesign& design);

}  // namespace artwork
