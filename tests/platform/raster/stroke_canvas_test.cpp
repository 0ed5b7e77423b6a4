// The canvas against the reference renderer: its pixels, and its shrinking copies of any strokes
// through any rectangles. Copies follow each other on one canvas, so every copy must still be
// exact whatever changed since the last (the copy keeps the sums of strokes that did not change).
#include "platform/raster/stroke_canvas.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "clock_strokes.h"
#include "reference_raster.h"

namespace raster_test {
namespace {

using raster::Image;
using raster::Pixel;
using raster::Rect;

using StrokeSet = std::pair<std::string, std::vector<Stroke>>;

int Pick(std::mt19937& rng, int lo, int hi) {
  return std::uniform_int_distribution(lo, hi)(rng);
}

// Any colour, black one time in five: it covers what lies under it and adds nothing to the sums.
Pixel RandomColour(std::mt19937& rng) {
  return Pick(rng, 0, 4) == 0 ? 0 : static_cast<Pixel>(Pick(rng, 1, 0xFFFFFF));
}

// A point, a level, upright or short line, or any line, crossing the canvas's edges now and then.
Stroke RandomStroke(std::mt19937& rng) {
  const int x1 = Pick(rng, -60, kCanvasWidth + 60), y1 = Pick(rng, -60, kCanvasHeight + 60);
  int x2 = Pick(rng, -60, kCanvasWidth + 60), y2 = Pick(rng, -60, kCanvasHeight + 60);
  const int shape = Pick(rng, 0, 5);  // 0 point, 1 level, 2 upright, 3 short, else any
  if (shape == 0 || shape == 2) x2 = x1;
  if (shape == 0 || shape == 1) y2 = y1;
  if (shape == 3) x2 = x1 + Pick(rng, -3, 3), y2 = y1 + Pick(rng, -3, 3);
  return {x1, y1, x2, y2, Pick(rng, 1, 31), RandomColour(rng)};
}

// Clock hands level, lying on each other, leaving the canvas or of zero length (every clock
// time is compared in the whole day of surface_test.cpp), then random strokes, some of them
// segments repeated with other pens either way round.
std::vector<StrokeSet> StrokeSets() {
  std::vector<StrokeSet> sets = {
      {"nothing drawn", {}},
      {"09:45:45 level", ClockStrokes({94, 234}, {44, 234}, {14, 234}, true)},
      {"off canvas", ClockStrokes({-300, 500}, {700, -90}, {244, 900}, true)},
      {"zero length hands", ClockStrokes(kPivot, kPivot, kPivot, true)},
      {"stacked", ClockStrokes({386, 280}, {434, 295}, {462, 305}, true)},
  };
  std::mt19937 rng(7);
  for (int i = 0; i < 24; ++i) {
    StrokeSet set{"free " + std::to_string(i), {}};
    auto& strokes = set.second;
    for (int k = Pick(rng, 1, 12); k > 0; --k) {
      Stroke s = RandomStroke(rng);
      if (!strokes.empty() && Pick(rng, 0, 2) == 0) {  // the same segment again, another pen
        const Stroke& last = strokes.back();
        s.x1 = last.x1, s.y1 = last.y1, s.x2 = last.x2, s.y2 = last.y2;
        if (Pick(rng, 0, 1)) std::swap(s.x1, s.x2), std::swap(s.y1, s.y2);
      }
      strokes.push_back(s);
    }
    sets.push_back(set);
  }
  return sets;
}

struct Mapping {
  Rect dst, src;
  int target_width = 174, target_height = 176;
  bool changes_nothing = false;  // empty, or outside the target
};
const Mapping kLargeFace{kDest, kLargeSource}, kSmallFace{kDest, kSmallSource};
const Mapping kTwoFifths{{3, -4, 200, 188}, {-10, 5, 500, 470}};  // the target clips the top

// Copies the canvas, which shows `reference`, onto a pattern and compares with the reference.
void ExpectCopyMatches(const raster::StrokeCanvas& canvas, const Image& reference,
                       const Mapping& m) {
  const Image before = PatternTarget(m.target_width, m.target_height);
  Image expected = before, actual = before;
  ReferenceStretchOr(reference, expected, m.dst, m.src);
  const Rect changed = canvas.StretchOrInto(actual, m.dst, m.src);
  ASSERT_TRUE(actual == expected);
  ASSERT_TRUE(HoldsChanges(changed, before, actual));
  EXPECT_TRUE(!m.changes_nothing || changed.empty());
}

TEST(StrokeCanvas, PixelsAndCopiesMatchTheReference) {
  // The clock's two copies, and other ratios, offsets and clippings.
  const Mapping mappings[] = {
      kLargeFace,
      kSmallFace,
      kTwoFifths,
      {{10, 12, 150, 150}, {100, 90, 150, 150}},          // unscaled
      {{-20, 0, 200, 200}, {0, -30, 400, 800}},           // half by quarter
      {{-7, 2, 600, 601}, {-35, -54, 1999, 2003}},        // coprime sizes
      {{0, 0, 60, 60}, {450, 430, 200, 200}},             // source beyond the canvas
      {{-5, 0, 120, 150}, {200, 190, 40, 30}, 100, 120},  // enlarged
      {{0, 0, 0, 600}, kLargeSource, 174, 176, true},
      {kDest, {-35, -54, 2000, -5}, 174, 176, true},
      {{200, 0, 600, 600}, kLargeSource, 174, 176, true},
      {kDest, {600, 0, 2000, 2000}, 174, 176, true},
  };
  raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
  for (const StrokeSet& set : StrokeSets()) {
    SCOPED_TRACE(set.first);
    const Image reference = ReferenceCanvas(kCanvasWidth, kCanvasHeight, set.second);
    Draw(canvas, set.second);
    Image pixels(kCanvasWidth, kCanvasHeight);  // the canvas copied one to one
    canvas.StretchOrInto(pixels, pixels.bounds(), pixels.bounds());
    ASSERT_TRUE(pixels == reference);
    for (std::size_t i = 0; i < std::size(mappings); ++i) {
      SCOPED_TRACE("mapping " + std::to_string(i));
      ExpectCopyMatches(canvas, reference, mappings[i]);
    }
  }
}

using Frames = std::vector<std::pair<std::vector<Stroke>, Mapping>>;

// Sequences of frames, each sequence on a canvas of its own: every kind of change between frames,
// runs of clock seconds, and random strokes that change from frame to frame.
TEST(StrokeCanvas, FramesMatchTheReference) {
  const Stroke a{100, 100, 300, 200, 9, 0x4080C0};
  const Stroke a_inner{300, 200, 100, 100, 5, 0xFFFFFF};  // a's segment the other way round
  const Stroke b{244, 234, 250, 50, 11, 0x00FF00};
  const Stroke b_inner{250, 50, 244, 234, 7, 0xFFFF00};
  const Stroke c{244, 234, 400, 300, 7, 0xFF0000};
  const Stroke c_moved{244, 234, 390, 310, 7, 0xFF0000};
  const Stroke d{50, 400, 450, 60, 15, 0x123456};  // crosses all the others
  const Mapping& m = kLargeFace;
  const Mapping narrow_target{kDest, kLargeSource, 120};
  std::vector<std::pair<std::string, Frames>> cases = {
      {"last chain moves", {{{a, b, c}, m}, {{a, b, c_moved}, m}, {{a, b, c}, m}}},
      {"an earlier chain moves", {{{a, b, c}, m}, {{a, d, c}, m}, {{a, d, c_moved}, m}}},
      {"the last chain gains a stroke", {{{a, b}, m}, {{a, b, b_inner}, m}, {{a, b}, m}}},
      {"a kept chain gains a stroke", {{{a, c}, m}, {{a, a_inner, c}, m}, {{a, c}, m}}},
      {"fewer strokes, then more", {{{a, b, c}, m}, {{a, b}, m}, {{a}, m}, {{a, b, c}, m}}},
      {"the same strokes again", {{{d, a, b, c}, m}, {{d, a, b, c}, m}, {{d, a, b, c}, m}}},
      {"chains painted over kept ones",
       {{{a, b, d}, m}, {{a, b, c, d}, m}, {{a, b, c, c_moved}, m}, {{c, b, d}, m}}},
      {"other rectangles", {{{a, b, c}, m}, {{a, b, c}, kTwoFifths}, {{a, b, c_moved}, m}}},
      {"other target", {{{a, b, c}, m}, {{a, b, c_moved}, narrow_target}, {{a, b, c}, m}}},
      {"nothing drawn in between", {{{a, b, c}, m}, {{}, m}, {{a, b, c_moved}, m}}},
      {"one chain only", {{{c}, m}, {{c_moved}, m}, {{c}, kSmallFace}}},
  };
  // Runs of clock seconds over minute and hour changes, hands apart and lying on each other.
  // The longest: what the kept hands show on a row is kept for the rest of their minute, as the
  // second hand sweeps over both of them, into the next minute and over the new minute hand.
  const int runs[][3] = {{36657, 5, 1}, {43198, 4, 1}, {10798, 4, 0}, {23440, 3, 0},
                         {33344, 3, 1}, {86399, 3, 0}, {36580, 45, 1}};
  for (const auto& [first, count, large] : runs) {
    cases.push_back({"second " + std::to_string(first), {}});
    for (int s = first; s < first + count; ++s)
      cases.back().second.push_back({ClockStrokesAt(s % 86400, large), large ? m : kSmallFace});
  }
  // Random strokes of which mostly the last chain changes (a new end point, or a narrower
  // stroke along it), sometimes an earlier stroke, sometimes the rectangles.
  std::mt19937 rng(23);
  for (int sequence = 0; sequence < 6; ++sequence) {
    cases.push_back({"random " + std::to_string(sequence), {}});
    std::vector<Stroke> strokes;
    for (int k = Pick(rng, 2, 6); k > 0; --k) strokes.push_back(RandomStroke(rng));
    for (int i = 0; i < 5; ++i) {
      const int change = Pick(rng, 0, 9);
      Stroke& last = strokes.back();
      if (change < 3) {
        last.x2 += Pick(rng, -30, 30), last.y2 += Pick(rng, -30, 30);
      } else if (change < 6) {
        strokes.push_back(
            {last.x1, last.y1, last.x2, last.y2, Pick(rng, 1, last.pen_width), RandomColour(rng)});
      } else if (change < 9) {
        strokes[static_cast<std::size_t>(Pick(rng, 0, static_cast<int>(strokes.size()) - 1))] =
            RandomStroke(rng);
      }
      cases.back().second.push_back({strokes, change == 9 ? kTwoFifths : m});
    }
  }
  for (const auto& [name, frames] : cases) {
    SCOPED_TRACE(name);
    raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
    for (std::size_t i = 0; i < frames.size(); ++i) {
      SCOPED_TRACE("frame " + std::to_string(i));
      Draw(canvas, frames[i].first);
      ExpectCopyMatches(canvas, ReferenceCanvas(kCanvasWidth, kCanvasHeight, frames[i].first),
                        frames[i].second);
    }
  }
}

}  // namespace
}  // namespace raster_test
