// A steady clock must not allocate per frame: the canvas and the surface reuse their buffers.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "clock_strokes.h"
#include "platform/raster/surface.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace raster_test {
namespace {

TEST(FrameAllocationTest, SteadyFramesAllocateNothing) {
  for (const bool large : {false, true}) {
    // Frames that change every hand, and seconds that change only the second hand.
    std::vector<std::vector<raster::StrokeCanvas::Stroke>> frames;
    for (const int s : {0, 10800, 86399, 23440, 36630, 36631, 36632})
      frames.push_back(ClockStrokesAt(s, large));
    raster::Surface surface(174, 176, 0);
    const auto face = std::make_shared<const raster::Image>(170, 173, 0x203040);
    raster::StrokeCanvas canvas(kCanvasWidth, kCanvasHeight);
    const auto draw = [&](const std::vector<raster::StrokeCanvas::Stroke>& strokes) {
      surface.SetPicture(face);
      Draw(canvas, strokes);
      surface.PaintOr(canvas, kDest, large ? kLargeSource : kSmallSource);
      surface.TakeChanged();
    };
    for (const auto& strokes : frames) draw(strokes);  // sizes the buffers
    const long before = allocations;
    for (const auto& strokes : frames) draw(strokes);
    EXPECT_EQ(allocations - before, 0) << (large ? "large" : "small");
  }
}

}  // namespace
}  // namespace raster_test
