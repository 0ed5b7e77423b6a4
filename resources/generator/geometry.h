// Plane geometry for the artwork, in pixel-centre coordinates: pixel (x, y) covers the square
// from (x - 0.5, y - 0.5) to (x + 0.5, y + 0.5).
//
// The committed artwork must come out byte for byte the same from every build, so the drawing
// uses nothing but IEEE arithmetic and square roots: the sine and cosine here are computed by
// this code instead of the C library, whose last bits may differ between versions.
#pragma once

#include <vector>

namespace artwork {

struct Point {
  double x = 0.0;
  double y = 0.0;
};

inline Point operator+(Point a, Point b) {
  return {a.x + b.x, a.y + b.y};
}
inline Point operator-(Point a, Point b) {
  return {a.x - b.x, a.y - b.y};
}
inline Point operator*(Point a, double s) {
  return {a.x * s, a.y * s};
}
inline double Dot(Point a, Point b) {
  return a.x * b.x + a.y * b.y;
}

// The unit vector of a clock direction: 0 degrees points to 12 o'clock, angles grow clockwise
// (y grows downwards). Multiples of 90 degrees are exact.
Point ClockDirection(double degrees);

// Distance from the ellipse's centre to its edge along the unit vector `direction`.
double EllipseRadius(double radius_x, double radius_y, Point direction);

// Squared distance from `p` to the segment from `a` to `b`.
double SquaredDistanceToSegment(Point p, Point a, Point b);

// Points along an elliptical arc, both ends included; angles in degrees as ClockDirection,
// from `from_degrees` to `to_degrees` (either way round).
std::vector<Point> Arc(Point centre, double radius_x, double radius_y, double from_degrees,
                       double to_degrees, int segments);

}  // namespace artwork
