#include "resources/generator/face_art.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "resources/generator/canvas.h"
#include "resources/generator/shapes.h"
#include "resources/generator/stroke_font.h"

namespace artwork {
namespace {

constexpr Colour kGreen{0, 255, 0};

// Pixel (x, y) is centred on (x, y): a centre at x.5 lies between two pixel columns, and a
// ring reaching from 3.5 to 163.5 lights the pixels 4 to 163.
constexpr FaceDesign kLarge{
    .width = 170,
    .height = 173,
    .centre = {83.5, 86.5},
    .ring_radius_x = 80.0,
    .ring_radius_y = 81.0,
    .minute_tick = {4.0, 1.2},
    .hour_tick = {8.0, 2.2},
    .quarter_tick = {11.0, 3.0},
    .numeral_height = 12.0,
    .numeral_pen = 1.6,
    .numeral_spacing = 2.2,
    .numeral_gap = 3.0,
    .ball_radius = 31.0,
    .label_height = 5.0,
    .label_pen = 1.2,
    .label_spacing = 2.0,
    .label_gap = 3.0,
    .samples_per_side = 16,
};

constexpr FaceDesign kSmall{
    .width = 108,
    .height = 109,
    .centre = {52.5, 54.5},
    .ring_radius_x = 51.0,
    .ring_radius_y = 51.0,
    .minute_tick = {3.0, 1.0},
    .hour_tick = {5.0, 1.7},
    .quarter_tick = {7.0, 2.5},
    .numeral_height = 8.0,
    .numeral_pen = 1.2,
    .numeral_spacing = 1.5,
    .numeral_gap = 2.0,
    .ball_radius = 19.5,
    .label_height = 5.0,
    .label_pen = 1.0,
    .label_spacing = 2.0,
    .label_gap = 2.0,
    .samples_per_side = 16,
};

double Ring(const FaceDesign& d, Point direction) {
  return EllipseRadius(d.ring_radius_x, d.ring_radius_y, direction);
}

void DrawTicks(Canvas& canvas, const FaceDesign& d) {
  for (int minute = 0; minute < 60; ++minute) {
    const TickStyle& style =
        minute % 15 == 0 ? d.quarter_tick : (minute % 5 == 0 ? d.hour_tick : d.minute_tick);
    const Point direction = ClockDirection(minute * 6.0);
    const double outer = Ring(d, direction);
    FillBar(canvas, d.centre, direction, outer - style.length, outer, style.width, kGreen);
  }
}

// Moves a text box so that its top-left centre-line corner falls on a pixel centre: the tops,
// bottoms and left stems of the glyphs then land on whole pixels and stay crisp.
Point SnappedCentre(const TextShape& text, Point centre) {
  const Point corner{std::floor(centre.x - text.width / 2.0 + 0.5),
                     std::floor(centre.y - text.height / 2.0 + 0.5)};
  return corner + Point{text.width / 2.0, text.height / 2.0};
}

// The numerals' boxes all keep the same clearance inside the longest ticks: each box is moved
// inwards by its own extent along the direction of its hour.
void DrawNumerals(Canvas& canvas, const FaceDesign& d) {
  for (int hour = 1; hour <= 12; ++hour) {
    const TextShape text = LayOutText(std::to_string(hour), d.numeral_height, d.numeral_spacing);
    const Point direction = ClockDirection(hour * 30.0);
    const double clearance = Ring(d, direction) - d.quarter_tick.length - d.numeral_gap;
    const double half = d.numeral_pen / 2.0;
    const double extent = std::abs(direction.x) * (text.width / 2.0 + half) +
                          std::abs(direction.y) * (text.height / 2.0 + half);
    const Point centre = d.centre + direction * (clearance - extent);
    StrokeLines(canvas, text.strokes, SnappedCentre(text, centre), d.numeral_pen, kGreen);
  }
}

// The glow keeps full brightness over the centre pixels only and falls off at once around
// them, so that the centre stays the one brightest spot. Green fades faster than red: the
// ball turns from yellow through amber to a dark ember at its rim.
Colour Glow(double distance, double radius) {
  constexpr double kCore = 1.4;  // just reaches the far corners of the four centre pixels
  if (distance >= radius) return {};
  if (distance <= kCore) return {kBallCentre.r * 1.0, kBallCentre.g * 1.0, 0.0};
  const double u = (distance - kCore) / (radius - kCore);
  const double red = (1.0 - u) * (1.0 + 0.9 * u);
  const double green = (1.0 - u) * (1.0 + 0.3 * u);
  return {kBallCentre.r * red, kBallCentre.g * green, 0.0};
}

void DrawBall(Canvas& canvas, const FaceDesign& d) {
  const double r = d.ball_radius;
  canvas.Add(canvas.Touching(d.centre.x - r, d.centre.y - r, d.centre.x + r, d.centre.y + r),
             [&](Point p) {
               const Point v = p - d.centre;
               return Glow(std::sqrt(Dot(v, v)), r);
             });
}

// The label is only a few pixels tall: its lines are rounded to pixel centres so that it
// stays crisp.
void DrawLabel(Canvas& canvas, const FaceDesign& d) {
  const TextShape text = LayOutText("TIME", d.label_height, d.label_spacing);
  const Point at{d.centre.x,
                 d.centre.y + d.ball_radius + d.label_gap + d.label_pen / 2.0 + text.height / 2.0};
  const Point offset = SnappedCentre(text, at);
  std::vector<Polyline> snapped = text.strokes;
  for (Polyline& line : snapped) {
    for (Point& p : line) p = {std::floor(p.x + offset.x + 0.5), std::floor(p.y + offset.y + 0.5)};
  }
  StrokeLines(canvas, snapped, {}, d.label_pen, kGreen);
}

}  // namespace

const FaceDesign& LargeFace() {
  return kLarge;
}
const FaceDesign& SmallFace() {
  return kSmall;
}

Picture DrawFace(const FaceDesign& design) {
  Canvas canvas(design.width, design.height, design.samples_per_side);
  DrawBall(canvas, design);
  DrawTicks(canvas, design);
  DrawNumerals(canvas, design);
  DrawLabel(canvas, design);
  return canvas.ToPicture();
}

}  // namespace artwork
