#include "resources/generator/icon_art.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "resources/generator/canvas.h"
#include "resources/generator/shapes.h"

namespace artwork {
namespace {

// The design, in the units of the 32 px icon; other sizes scale it.
constexpr double kDesignSize = 32.0;
constexpr double kFaceRadius = 15.5;
constexpr double kRimWidth = 2.1;
constexpr double kRimOverhang = 1.0;  // past the face's edge, so the edge pixels keep full colour
constexpr double kMarkFrom = 11.0;
constexpr double kMarkTo = 13.5;
constexpr double kMarkWidth = 2.0;
struct HandDesign {
  double degrees;
  double length;
  double width;
  bool red;
};
constexpr HandDesign kHands[] = {{270.0, 6.5, 2.0, true},  // to 9
                                 {0.0, 8.8, 2.0, false},   // to 12
                                 {135.0, 11.0, 1.1, false}};
constexpr double kHubRadius = 1.3;
constexpr double kHubRingRadius = 3.0;

constexpr Colour kGreen{0, 255, 0};
constexpr Colour kRed{255, 0, 0};
constexpr Colour kOlive{128, 128, 0};
constexpr Colour kWhite{255, 255, 255};

// Fine sampling for the small sizes, where every edge pixel shows; enough for smooth edges at
// the large ones without drawing millions of samples.
int SamplesPerSide(int size) {
  return size <= 32 ? 16 : std::max(4, 512 / size);
}

// The face's colours and, separately, the disc that it covers (white inside).
struct IconLayers {
  Picture colours;
  Canvas disc;
};

IconLayers DrawLayers(int size) {
  const double scale = size / kDesignSize;
  const int samples = SamplesPerSide(size);
  const Point centre{size / 2.0 - 0.5, size / 2.0 - 0.5};
  const double radius = kFaceRadius * scale;

  Canvas face(size, size, samples);
  // The rim reaches past the face's edge, so the outline comes from the disc alone.
  FillRing(face, centre, radius - kRimWidth * scale, radius + kRimOverhang * scale, kGreen);
  for (int quarter = 0; quarter < 4; ++quarter) {
    FillBar(face, centre, ClockDirection(quarter * 90.0), kMarkFrom * scale, kMarkTo * scale,
            kMarkWidth * scale, kGreen);
  }
  for (const HandDesign& hand : kHands) {
    const Point tip = centre + ClockDirection(hand.degrees) * (hand.length * scale);
    StrokeLines(face, {{centre, tip}}, {}, hand.width * scale, hand.red ? kRed : kGreen);
  }
  FillRing(face, centre, 0.0, kHubRadius * scale, {});
  FillRing(face, centre, kHubRadius * scale, kHubRingRadius * scale, kOlive);

  Canvas disc(size, size, samples);
  FillRing(disc, centre, 0.0, radius, kWhite);
  return {face.ToPicture(), std::move(disc)};
}

std::string Number(double value) {
  // Whole values and halves, tenths and hundredths only: two decimals say them exactly.
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

}  // namespace

IconImage DrawWindowIcon() {
  constexpr int kSize = 32;
  const IconLayers layers = DrawLayers(kSize);
  IconImage icon;
  icon.width = kSize;
  icon.height = kSize;
  icon.bits_per_pixel = 24;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const bool outside = layers.disc.at(x, y).r < 127.5;
      icon.colour.push_back(outside ? Rgb{} : layers.colours.at(x, y));
      icon.mask.push_back(outside ? 1 : 0);
    }
  }
  return icon;
}

IconImage DrawWindowIconWithAlpha(int size) {
  const IconLayers layers = DrawLayers(size);
  IconImage icon;
  icon.width = size;
  icon.height = size;
  icon.bits_per_pixel = 32;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const auto alpha = static_cast<std::uint8_t>(
          std::clamp(std::floor(layers.disc.at(x, y).r + 0.5), 0.0, 255.0));
      icon.colour.push_back(alpha == 0 ? Rgb{} : layers.colours.at(x, y));
      icon.alpha.push_back(alpha);
      icon.mask.push_back(alpha == 0 ? 1 : 0);
    }
  }
  return icon;
}

std::string DrawWindowIconSvg() {
  // Drawn in the 32 px design's units; the centre of a 32 px icon is at (16, 16) in an SVG's
  // edge coordinates.
  const double c = kDesignSize / 2.0;
  const auto at = [&](double degrees, double distance) {
    return Point{c, c} + ClockDirection(degrees) * distance;
  };
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
      "viewBox=\"0 0 32 32\">\n";
  const std::string centre = "cx=\"" + Number(c) + "\" cy=\"" + Number(c) + "\"";
  const auto line = [&](Point from, Point to, double width, const char* colour, const char* cap) {
    svg += "  <line x1=\"" + Number(from.x) + "\" y1=\"" + Number(from.y) + "\" x2=\"" +
           Number(to.x) + "\" y2=\"" + Number(to.y) + "\" stroke=\"" + colour +
           "\" stroke-width=\"" + Number(width) + "\" stroke-linecap=\"" + cap + "\"/>\n";
  };
  svg += "  <circle " + centre + " r=\"" + Number(kFaceRadius) + "\" fill=\"#000000\"/>\n";
  // The rim, from its inner radius to the face's edge.
  svg += "  <circle " + centre + " r=\"" + Number(kFaceRadius - kRimWidth / 2.0) +
         "\" fill=\"none\" stroke=\"#00ff00\" stroke-width=\"" + Number(kRimWidth) + "\"/>\n";
  for (int quarter = 0; quarter < 4; ++quarter) {
    line(at(quarter * 90.0, kMarkFrom), at(quarter * 90.0, kMarkTo), kMarkWidth, "#00ff00", "butt");
  }
  for (const HandDesign& hand : kHands) {
    line({c, c}, at(hand.degrees, hand.length), hand.width, hand.red ? "#ff0000" : "#00ff00",
         "round");
  }
  svg += "  <circle " + centre + " r=\"" + Number(kHubRingRadius) + "\" fill=\"#808000\"/>\n";
  svg += "  <circle " + centre + " r=\"" + Number(kHubRadius) + "\" fill=\"#000000\"/>\n";
  svg += "</svg>\n";
  return svg;
}

}  // namespace artwork
