#include "resources/generator/stroke_font.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace artwork {
namespace {

constexpr double kDesignHeight = 10.0;
constexpr int kArcSegments = 40;

std::vector<Polyline> Rotated180(std::vector<Polyline> strokes) {
  for (Polyline& line : strokes) {
    for (Point& p : line) p = {6.0 - p.x, kDesignHeight - p.y};
  }
  return strokes;
}

Polyline Join(Polyline first, const Polyline& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// Arcs use clock angles: 0 is the top of the ellipse, 90 its right side.
std::vector<Polyline> Glyph(char c) {
  switch (c) {
    case '0':
      return {Arc({3, 5}, 3, 5, 0, 360, kArcSegments)};
    case '1':
      return {{{0.6, 2.4}, {3.0, 0}, {3.0, 10}}};
    case '2':
      return {Join(Arc({3, 3}, 3, 3, 285, 490, kArcSegments), {{0, 10}, {6.2, 10}})};
    case '3':
      return {Arc({3, 2.5}, 2.7, 2.5, 290, 540, kArcSegments),
              Arc({3, 7.4}, 3, 2.6, 0, 250, kArcSegments)};
    case '4':
      return {{{4.6, 10}, {4.6, 0}, {0, 7}, {6.2, 7}}};
    case '5':
      return {Join({{5.6, 0}, {1.0, 0}, {0.7, 4.7}}, Arc({3, 7}, 3, 3, 320, 600, kArcSegments))};
    case '6':
      return {Arc({3, 7}, 3, 3, 0, 360, kArcSegments),
              Arc({6.4, 7.4}, 6.4, 7.4, 270, 349, kArcSegments)};
    case '7':
      return {{{0, 0}, {6, 0}, {2.2, 10}}};
    case '8':
      return {Arc({3, 2.4}, 2.6, 2.4, 0, 360, kArcSegments),
              Arc({3, 7.3}, 3, 2.7, 0, 360, kArcSegments)};
    case '9':
      return Rotated180(Glyph('6'));
    // The capitals use even coordinates, so that at half size they fall on whole pixels.
    case 'T':
      return {{{0, 0}, {8, 0}}, {{4, 0}, {4, 10}}};
    case 'I':
      return {{{0, 0}, {0, 10}}};
    case 'M':
      return {{{0, 10}, {0, 0}, {4, 6}, {8, 0}, {8, 10}}};
    case 'E':
      return {{{6, 0}, {0, 0}, {0, 10}, {6, 10}}, {{0, 4}, {4, 4}}};
    default:
      throw std::invalid_argument(std::string("no glyph for '") + c + "'");
  }
}

struct Span {
  double low;
  double high;
};

Span HorizontalSpan(const std::vector<Polyline>& strokes) {
  Span span{strokes.front().front().x, strokes.front().front().x};
  for (const Polyline& line : strokes) {
    for (const Point& p : line) {
      span.low = std::min(span.low, p.x);
      span.high = std::max(span.high, p.x);
    }
  }
  return span;
}

}  // namespace

TextShape LayOutText(std::string_view text, double cap_height, double spacing) {
  const double scale = cap_height / kDesignHeight;
  TextShape shape;
  double pen = 0.0;
  for (const char c : text) {
    const std::vector<Polyline> glyph = Glyph(c);
    const Span span = HorizontalSpan(glyph);
    if (pen > 0.0) pen += spacing;
    for (const Polyline& line : glyph) {
      Polyline placed;
      for (const Point& p : line) placed.push_back({pen + (p.x - span.low) * scale, p.y * scale});
      shape.strokes.push_back(std::move(placed));
    }
    pen += (span.high - span.low) * scale;
  }
  shape.width = pen;
  shape.height = cap_height;
  for (Polyline& line : shape.strokes) {
    for (Point& p : line) p = p - Point{shape.width / 2.0, shape.height / 2.0};
  }
  return shape;
}

}  // namespace artwork
