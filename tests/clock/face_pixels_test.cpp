// The pixels of a whole frame: the face picture with the hands ORed over it, exactly as the
// slow reference renderer computes them.
#include "clock_fixture.h"
#include "platform/picture_files/bmp.h"
#include "reference_raster.h"
#include "resources/assets.h"

namespace vestrel {
namespace {

class FacePixels : public testing::ClockTest {
 protected:
  // What the face must show: black ground, the face picture, the hands of the form's state.
  raster::Image Expected(bool small) {
    const ClockFormState& st = state();
    raster::Image expected(174, 176, 0);
    expected.Blit(raster::DecodeBmp(resources::AssetBytes(small ? resources::Asset::kFaceSmall
                                                                : resources::Asset::kFaceLarge)),
                  0, 0);
    const int pens[2][3] = {{23, 15, 11}, {17, 11, 9}};
    const int ends[3][2] = {
        {st.HourX, st.HourY}, {st.MinuteX, st.MinuteY}, {st.SecondX, st.SecondY}};
    std::vector<raster_test::Stroke> strokes;
    for (int hand = 0; hand < 3; ++hand) {
      for (int k = 0; k < 4; ++k) {
        const raster::Pixel level = k == 3 ? 255 : 64 * (k + 1);
        strokes.push_back({244, 234, ends[hand][0], ends[hand][1], pens[small][hand] - 2 * k,
                           hand == 2 ? level << 16 : level << 8});
      }
    }
    const raster::Image canvas = raster_test::ReferenceCanvas(487, 468, strokes);
    const raster::Rect src =
        small ? raster::Rect{65, 53, 2000, 2000} : raster::Rect{-35, -54, 2000, 2000};
    raster_test::ReferenceStretchOr(canvas, expected, {0, 0, 600, 600}, src);
    return expected;
  }
};

TEST_F(FacePixels, FramesEqualTheReferenceRendering) {
  const struct {
    int h, m, s;
  } times[] = {{10, 10, 30}, {0, 0, 0},    {3, 0, 0},  // the first frame at midnight too
               {12, 0, 0},   {23, 59, 59}, {6, 30, 45}, {7, 21, 53}};
  for (bool small : {false, true}) {
    for (const auto& t : times) {
      StartSizedAt(small, t.h, t.m, t.s);
      for (const bool second_frame : {false, true}) {
        if (second_frame) host.Advance(1000);  // the next frame starts from a clean canvas
        EXPECT_TRUE(runtime().SurfaceImage() == Expected(small))
            << t.h << ':' << t.m << ':' << t.s << (small ? " small" : " large")
            << (second_frame ? ", a second later" : "");
      }
    }
  }
}

}  // namespace
}  // namespace vestrel
