// Consecutive copies from one canvas: the copy keeps the sums of the strokes that did not change
// since the last call, so every frame of a sequence must still equal the reference, whatever
// changed in between (the last hand, an earlier one, the chains, the rectangles, the target).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "clock_strokes.h"
#include "platform/raster/stroke_canvas.h"
#include "reference_raster.h"

namespace raster_test {
namespace {

using raster::Image;
using raster::Pixel;
using raster::Rect;

struct Mapping {
  Rect dst, src;
  int target_width, target_height;
};
const Mapping kLargeFace{{0, 0, 600, 600}, {-35, -54, 2000, 2000}, 174, 176};
const Mapping kSmallFace{{0, 0, 600, 600}, {65, 53, 2000, 2000}, 174, 176};
const Mapping kTwoFifths{{3, -4, 200, 188}, {-10, 5, 500, 470}, 174, 176};
const Mapping kNarrowTarget{{0, 0, 600, 600}, {-35, -54, 2000, 2000}, 120, 176};

struct Frame {
  std::vector<Stroke> strokes;
  Mapping mapping;
};

// A target that already shows something, so the OR is visible.
Image PatternTarget(int width, int height) {
  Image target(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      target.set(x, y, ((x * 5 + y * 11) % 7 == 0) ? 0x0A1420u * static_cast<Pixel>(y % 3) : 0);
    }
  }
  return target;
}

// Copies every frame from the same canvas and compares it with the reference.
void ExpectFramesMatch(const std::vector<Frame>& frames) {
  raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    const Frame& f = frames[i];
    Draw(canvas, f.strokes);
    const Image before = PatternTarget(f.mapping.target_width, f.mapping.target_height);
    Image expected = before;
    ReferenceStretchOr(ReferenceCanvas(kCanvasWidth, kCanvasHeight, f.strokes), expected,
                       f.mapping.dst, f.mapping.src);
    Image actual = before;
    const Rect changed = canvas.StretchOrInto(actual, f.mapping.dst, f.mapping.src);
    ASSERT_TRUE(actual == expected);
    for (int y = 0; y < actual.height(); ++y) {
      for (int x = 0; x < actual.width(); ++x) {
        if (actual.at(x, y) == before.at(x, y)) continue;
        ASSERT_EQ(raster::Intersect(changed, {x, y, 1, 1}), (Rect{x, y, 1, 1})) << x << "," << y;
      }
    }
  }
}

TEST(StrokeCanvasFrames, ClockSecondsMatchTheReference) {
  // Runs of seconds over minute and hour changes, hands apart and lying on each other.
  struct Run {
    int h, m, s, count;
    bool large;
  } const runs[] = {
      {10, 10, 57, 5, true},
      {11, 59, 58, 4, true},
      {2, 59, 58, 4, false},
      {6, 30, 40, 3, false},
      {9, 15, 44, 3, true},
      {23, 59, 59, 3, false},
      // What the kept hands show on a row is kept for the rest of their minute: the second
      // hand sweeps over both of them, into the next minute and over the new minute hand.
      {10, 9, 40, 45, true},
  };
  for (const Run& run : runs) {
    SCOPED_TRACE(std::to_string(run.h) + ":" + std::to_string(run.m) + ":" + std::to_string(run.s) +
                 (run.large ? " large" : " small"));
    std::vector<Frame> frames;
    for (int i = 0; i < run.count; ++i) {
      frames.push_back({ClockStrokesAt((run.h * 3600 + run.m * 60 + run.s + i) % 86400, run.large),
                        run.large ? kLargeFace : kSmallFace});
    }
    ExpectFramesMatch(frames);
  }
}

TEST(StrokeCanvasFrames, EveryKindOfChangeBetweenFrames) {
  const Stroke a{100, 100, 300, 200, 9, 0x4080C0};
  const Stroke a_inner{300, 200, 100, 100, 5, 0xFFFFFF};  // a's segment the other way round
  const Stroke b{244, 234, 250, 50, 11, 0x00FF00};
  const Stroke b_inner{250, 50, 244, 234, 7, 0xFFFF00};
  const Stroke c{244, 234, 400, 300, 7, 0xFF0000};
  const Stroke c_moved{244, 234, 390, 310, 7, 0xFF0000};
  const Stroke d{50, 400, 450, 60, 15, 0x123456};  // crosses all the others
  const Mapping& m = kLargeFace;
  const struct Case {
    std::string name;
    std::vector<Frame> frames;
  } cases[] = {
      {"last chain moves", {{{a, b, c}, m}, {{a, b, c_moved}, m}, {{a, b, c}, m}}},
      {"an earlier chain moves", {{{a, b, c}, m}, {{a, d, c}, m}, {{a, d, c_moved}, m}}},
      {"the last chain gains a stroke", {{{a, b}, m}, {{a, b, b_inner}, m}, {{a, b}, m}}},
      {"a kept chain gains a stroke", {{{a, c}, m}, {{a, a_inner, c}, m}, {{a, c}, m}}},
      {"fewer strokes, then more", {{{a, b, c}, m}, {{a, b}, m}, {{a}, m}, {{a, b, c}, m}}},
      {"the same strokes again", {{{d, a, b, c}, m}, {{d, a, b, c}, m}, {{d, a, b, c}, m}}},
      {"chains painted over kept ones",
       {{{a, b, d}, m}, {{a, b, c, d}, m}, {{a, b, c, c_moved}, m}, {{c, b, d}, m}}},
      {"other rectangles", {{{a, b, c}, m}, {{a, b, c}, kTwoFifths}, {{a, b, c_moved}, m}}},
      {"other target", {{{a, b, c}, m}, {{a, b, c_moved}, kNarrowTarget}, {{a, b, c}, m}}},
      {"nothing drawn in between", {{{a, b, c}, m}, {{}, m}, {{a, b, c_moved}, m}}},
      {"one chain only", {{{c}, m}, {{c_moved}, m}, {{c}, kSmallFace}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectFramesMatch(c.frames);
  }
}

// Random strokes of which mostly the last chain changes from frame to frame, sometimes an
// earlier stroke, sometimes the rectangles.
TEST(StrokeCanvasFrames, RandomChangesMatchTheReference) {
  std::mt19937 rng(23);
  const auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
  const auto random_stroke = [&] {
    return Stroke{pick(-40, kCanvasWidth + 40),
                  pick(-40, kCanvasHeight + 40),
                  pick(-40, kCanvasWidth + 40),
                  pick(-40, kCanvasHeight + 40),
                  pick(1, 25),
                  static_cast<Pixel>(pick(0, 0xFFFFFF))};
  };
  for (int sequence = 0; sequence < 6; ++sequence) {
    SCOPED_TRACE("sequence " + std::to_string(sequence));
    std::vector<Stroke> strokes;
    for (int k = pick(2, 6); k > 0; --k) strokes.push_back(random_stroke());
    std::vector<Frame> frames;
    for (int i = 0; i < 5; ++i) {
      const int change = pick(0, 9);
      if (change < 6) {  // the last chain: a new end point, or a narrower stroke along it
        Stroke last = strokes.back();
        if (change < 3) {
          last.x2 += pick(-30, 30);
          last.y2 += pick(-30, 30);
          strokes.back() = last;
        } else {
          strokes.push_back({last.x1, last.y1, last.x2, last.y2, pick(1, last.pen_width),
                             static_cast<Pixel>(pick(0, 0xFFFFFF))});
        }
      } else if (change < 9) {
        strokes[static_cast<std::size_t>(pick(0, static_cast<int>(strokes.size()) - 1))] =
            random_stroke();
      }
      frames.push_back({strokes, change == 9 ? kTwoFifths : kLargeFace});
    }
    ExpectFramesMatch(frames);
  }
}

}  // namespace
}  // namespace raster_test
