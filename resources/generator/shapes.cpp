#include "resources/generator/shapes.h"

#include <algorithm>
#include <cmath>

namespace artwork {

void StrokeLines(Canvas& canvas, const std::vector<Polyline>& lines, Point offset, double width,
                 Colour colour) {
  struct Segment {
    Point a;
    Point b;
  };
  std::vector<Segment> segments;
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
  for (const Polyline& line : lines) {
    for (std::size_t i = 0; i < line.size(); ++i) {
      const Point p = line[i] + offset;
      left = std::min(left, p.x);
      top = std::min(top, p.y);
      right = std::max(right, p.x);
      bottom = std::max(bottom, p.y);
      if (i > 0) segments.push_back({line[i - 1] + offset, p});
    }
  }
  const double half = width / 2.0;
  const double reach = half * half;
  canvas.Fill(canvas.Touching(left - half, top - half, right + half, bottom + half), colour,
              [&](Point p) {
                return std::any_of(segments.begin(), segments.end(), [&](const Segment& s) {
                  return SquaredDistanceToSegment(p, s.a, s.b) <= reach;
                });
              });
}

void FillBar(Canvas& canvas, Point origin, Point direction, double from, double to, double width,
             Colour colour) {
  const Point across{-direction.y, direction.x};
  const double half = width / 2.0;
  const Point a = origin + direction * from;
  const Point b = origin + direction * to;
  const double margin = half + 1.0;
  canvas.Fill(canvas.Touching(std::min(a.x, b.x) - margin, std::min(a.y, b.y) - margin,
                              std::max(a.x, b.x) + margin, std::max(a.y, b.y) + margin),
              colour, [&](Point p) {
                const Point v = p - origin;
                const double along = Dot(v, direction);
                return along >= from && along <= to && std::abs(Dot(v, across)) <= half;
              });
}

void FillRing(Canvas& canvas, Point centre, double inner_radius, double outer_radius,
              Colour colour) {
  const double inner = inner_radius * inner_radius;
  const double outer = outer_radius * outer_radius;
  canvas.Fill(canvas.Touching(centre.x - outer_radius, centre.y - outer_radius,
                              centre.x + outer_radius, centre.y + outer_radius),
              colour, [&](Point p) {
                const Point v = p - centre;
                const double d = Dot(v, v);
                return d >= inner && d <= outer;
              });
}

}  // namespace artwork
