#include "resources/generator/geometry.h"

#include <algorithm>
#include <cmath>

namespace artwork {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Taylor series around 0 after reducing the angle to [-pi, pi]; 30 terms are far more than
// enough there, and the fixed evaluation order keeps the result the same on every build.
double Sine(double radians) {
  const double turns = std::floor(radians / (2.0 * kPi) + 0.5);
  const double x = radians - turns * 2.0 * kPi;
  double term = x;
  double sum = x;
  for (int n = 1; n < 30; ++n) {
    term *= -x * x / ((2.0 * n) * (2.0 * n + 1.0));
    sum += term;
  }
  return sum;
}

}  // namespace

Point ClockDirection(double degrees) {
  const double quarter_turns = degrees / 90.0;
  if (quarter_turns == std::floor(quarter_turns)) {
    static constexpr Point kQuarters[] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    const long index = static_cast<long>(quarter_turns) % 4;
    return kQuarters[index < 0 ? index + 4 : index];
  }
  const double radians = degrees * (kPi / 180.0);
  return {Sine(radians), -Sine(radians + kPi / 2.0)};
}

double EllipseRadius(double radius_x, double radius_y, Point direction) {
  const double u = direction.x / radius_x;
  const double v = direction.y / radius_y;
  return 1.0 / std::sqrt(u * u + v * v);
}

double SquaredDistanceToSegment(Point p, Point a, Point b) {
  const Point ab = b - a;
  const Point ap = p - a;
  const double length_squared = Dot(ab, ab);
  double t = length_squared > 0.0 ? Dot(ap, ab) / length_squared : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  const Point off = ap - ab * t;
  return Dot(off, off);
}

std::vector<Point> Arc(Point centre, double radius_x, double radius_y, double from_degrees,
                       double to_degrees, int segments) {
  std::vector<Point> points;
  points.reserve(static_cast<std::size_t>(segments) + 1);
  for (int i = 0; i <= segments; ++i) {
    const double degrees = from_degrees + (to_degrees - from_degrees) * i / segments;
    const Point d = ClockDirection(degrees);
    points.push_back({centre.x + radius_x * d.x, centre.y + radius_y * d.y});
  }
  return points;
}

}  // namespace artwork
