// The hands' angles (their ends and strokes on the face are checked pixel for pixel in
// face_pixels_test.cpp).
#include "clock/hand_geometry.h"

#include <gtest/gtest.h>

namespace vestrel {
namespace {

TEST(HandGeometry, AnglesRoundTiesToEvenAndAreNeverReduced) {
  const Integer ten_past_ten[] = {215, 216, 216, 216, 217, 218};
  for (int minute = 10; minute <= 15; ++minute) {
    EXPECT_EQ(HourAngle(10, minute), ten_past_ten[minute - 10]) << minute;
  }
  // Over each hour the offsets repeat every four minutes and reach 30 at minute 59.
  const int offsets[] = {0, 0, 1, 2, 2, 2, 3, 4, 4, 4, 5, 6};
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute = 0; minute < 12; ++minute) {
      EXPECT_EQ(HourAngle(hour, minute), hour * 30 - 90 + offsets[minute]);
    }
    EXPECT_EQ(HourAngle(hour, 59), hour * 30 - 60);
  }
  EXPECT_EQ(MinuteAngle(0), -90);
  EXPECT_EQ(SecondAngle(59), 264);
}

}  // namespace
}  // namespace vestrel
