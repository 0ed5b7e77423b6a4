// The hands' angles, and their ends as the running clock computes them from the time.
#include "clock/hand_geometry.h"

#include "clock_fixture.h"

namespace vestrel {
namespace {

struct Offset {
  Long x, y;
  friend bool operator==(const Offset&, const Offset&) = default;
};
std::ostream& operator<<(std::ostream& out, const Offset& o) {
  return out << '(' << o.x << ", " << o.y << ')';
}

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

class HandsAtTime : public testing::ClockTest {};

TEST_F(HandsAtTime, EndsFloorTheScaledOffsetsOnBothSizes) {
  const struct {
    int h, m, s;
    bool small;
    Offset hour, minute, second;
  } cases[] = {
      {3, 0, 0, false, {150, 0}, {0, -200}, {0, -230}},
      {10, 10, 30, false, {-123, -87}, {173, -100}, {0, 230}},
      {10, 11, 20, false, {-122, -89}, {182, -82}, {199, 114}},
      {6, 30, 45, false, {-39, 144}, {0, 200}, {-230, 0}},
      {23, 59, 59, false, {-1, -150}, {-21, -199}, {-25, -229}},
      // The angle is not reduced: 13:00 and 1:00 differ by a pixel.
      {13, 0, 0, false, {74, -130}, {0, -200}, {0, -230}},
      {1, 0, 0, false, {75, -130}, {0, -200}, {0, -230}},
      {9, 40, 10, false, {-141, -52}, {-174, 100}, {199, -115}},
      {10, 10, 30, true, {-82, -58}, {112, -65}, {0, 147}},
  };
  for (const auto& c : cases) {
    StartSizedAt(c.small, c.h, c.m, c.s);
    const ClockFormState& s = state();
    ASSERT_EQ(std::pair(s.CenterX, s.CenterY), std::pair(244, 234));
    EXPECT_EQ((Offset{s.HourX - 244, s.HourY - 234}), c.hour) << c.h << ':' << c.m << ':' << c.s;
    EXPECT_EQ((Offset{s.MinuteX - 244, s.MinuteY - 234}), c.minute) << c.h << ':' << c.m;
    EXPECT_EQ((Offset{s.SecondX - 244, s.SecondY - 234}), c.second)
        << c.h << ':' << c.m << ':' << c.s;
  }
}

}  // namespace
}  // namespace vestrel
