// The pixels of a whole frame: the face picture with the hands of that time ORed over it,
// exactly as the slow reference renderer computes them.
#include "clock_fixture.h"
#include "clock_strokes.h"
#include "platform/picture_files/bmp.h"
#include "reference_raster.h"
#include "resources/assets.h"

namespace vestrel {
namespace {

class FacePixels : public testing::ClockTest {
 protected:
  // What the face must show: black ground, the face picture, the hands at that second.
  raster::Image Expected(int second_of_day, bool small) {
    raster::Image expected(174, 176, 0);
    expected.Blit(raster::DecodeBmp(resources::AssetBytes(small ? resources::Asset::kFaceSmall
                                                                : resources::Asset::kFaceLarge)),
                  0, 0);
    const auto strokes = raster_test::ClockStrokesAt(second_of_day, !small);
    raster_test::ReferenceStretchOr(
        raster_test::ReferenceCanvas(raster_test::kCanvasWidth, raster_test::kCanvasHeight,
                                     strokes),
        expected, raster_test::kDest,
        small ? raster_test::kSmallSource : raster_test::kLargeSource);
    return expected;
  }
};

TEST_F(FacePixels, FramesEqualTheReferenceRendering) {
  const struct {
    int h, m, s;
  } times[] = {{10, 10, 30}, {0, 0, 0},    {3, 0, 0},  // the first frame at midnight too
               {12, 0, 0},   {23, 59, 59}, {6, 30, 45}, {7, 21, 53}, {13, 0, 0}};
  for (bool small : {false, true}) {
    for (const auto& t : times) {
      StartSizedAt(small, t.h, t.m, t.s);
      for (const bool second_frame : {false, true}) {
        if (second_frame) host.Advance(1000);  // the next frame starts from a clean canvas
        const int second_of_day = (t.h * 3600 + t.m * 60 + t.s + second_frame) % 86400;
        EXPECT_TRUE(runtime().SurfaceImage() == Expected(second_of_day, small))
            << t.h << ':' << t.m << ':' << t.s << (small ? " small" : " large")
            << (second_frame ? ", a second later" : "");
      }
    }
  }
}

}  // namespace
}  // namespace vestrel
