// The pixels of a whole frame: the face picture with the hands ORed over it, exactly as the
// slow reference renderer computes them, and the hand tips where the 0.3 shrink puts them.
#include <cmath>

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
      EXPECT_TRUE(runtime().SurfaceImage() == Expected(small))
          << t.h << ':' << t.m << ':' << t.s << (small ? " small" : " large");
      host.Advance(1000);  // the next frame starts from a clean canvas
      EXPECT_TRUE(runtime().SurfaceImage() == Expected(small))
          << "a second after " << t.h << ':' << t.m << ':' << t.s << (small ? " small" : " large");
    }
  }
}

TEST_F(FacePixels, SecondHandTipLandsWhereTheShrinkPutsIt) {
  for (bool small : {false, true}) {
    for (int second = 0; second < 60; second += 7) {
      StartSizedAt(small, 4, 20, second);
      const ClockFormState& st = state();
      const double ox = small ? 65 : -35, oy = small ? 53 : -54;
      // A pixel just inside the tip, towards the pivot.
      const double tx = 0.3 * (st.SecondX - ox), ty = 0.3 * (st.SecondY - oy);
      const double px = 0.3 * (244 - ox), py = 0.3 * (234 - oy);
      const double len = std::hypot(tx - px, ty - py);
      const int x = static_cast<int>(std::floor(tx + (px - tx) / len));
      const int y = static_cast<int>(std::floor(ty + (py - ty) / len));
      const raster::Pixel pixel = runtime().SurfaceImage().at(x, y);
      EXPECT_GE(pixel >> 16, 120u) << second << (small ? " small" : " large");
    }
  }
}

}  // namespace
}  // namespace vestrel
