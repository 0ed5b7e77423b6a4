#include "resources/generator/icon_art.h"

#include "resources/generator/canvas.h"
#include "resources/generator/shapes.h"

namespace artwork {
namespace {

constexpr int kSize = 32;
constexpr int kSamples = 16;
constexpr Point kCentre{15.5, 15.5};
constexpr double kFaceRadius = 15.5;

constexpr Colour kGreen{0, 255, 0};
constexpr Colour kRed{255, 0, 0};
constexpr Colour kOlive{128, 128, 0};
constexpr Colour kWhite{255, 255, 255};

void DrawHand(Canvas& canvas, double degrees, double length, double width, Colour colour) {
  const Point tip = kCentre + ClockDirection(degrees) * length;
  StrokeLines(canvas, {{kCentre, tip}}, {}, width, colour);
}

}  // namespace

IconImage DrawWindowIcon() {
  Canvas face(kSize, kSize, kSamples);
  // The rim reaches past the face's edge, so the mask alone shapes the outline and the rim's
  // outer pixels keep their full colour on any desktop.
  FillRing(face, kCentre, kFaceRadius - 2.1, kFaceRadius + 1.0, kGreen);
  for (int quarter = 0; quarter < 4; ++quarter) {
    FillBar(face, kCentre, ClockDirection(quarter * 90.0), 11.0, 13.5, 2.0, kGreen);
  }
  DrawHand(face, 270.0, 6.5, 2.0, kRed);
  DrawHand(face, 0.0, 8.8, 2.0, kGreen);
  DrawHand(face, 135.0, 11.0, 1.1, kGreen);
  FillRing(face, kCentre, 0.0, 1.3, {});
  FillRing(face, kCentre, 1.3, 3.0, kOlive);

  Canvas disc(kSize, kSize, kSamples);
  FillRing(disc, kCentre, 0.0, kFaceRadius, kWhite);

  const Picture colours = face.ToPicture();
  IconImage icon;
  icon.width = kSize;
  icon.height = kSize;
  icon.bits_per_pixel = 24;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const bool outside = disc.at(x, y).r < 127.5;
      icon.colour.push_back(outside ? Rgb{} : colours.at(x, y));
      icon.mask.push_back(outside ? 1 : 0);
    }
  }
  return icon;
}

}  // namespace artwork
