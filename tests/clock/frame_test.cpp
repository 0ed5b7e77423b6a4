// The frame routine on the headless host: when it draws, and what it prints. The pixels of
// its frames are checked in face_pixels_test.cpp, one frame a second in second_wakes_test.cpp.
#include <algorithm>

#include "clock_fixture.h"

namespace vestrel {
namespace {

using ::testing::ElementsAre;
using Strings = std::vector<std::string>;

class Frame : public testing::ClockTest {
 protected:
  // The drawing operations since the last call.
  Strings TakeDrawing() {
    Strings drawn = std::move(host.drawing);
    host.drawing.clear();
    return drawn;
  }
};

TEST_F(Frame, RedrawsWhenTheClockGoesBackOrPassesMidnight) {
  StartAt(23, 59, 59);
  TakeDrawing();
  host.Advance(1000);  // 00:00:00 of the next day
  EXPECT_FALSE(TakeDrawing().empty());
  EXPECT_EQ(state().LastDrawnTime, 0);
  host.SetTimeOfDay(0, 0, 0, 500);  // same second: nothing
  host.Advance(100);
  EXPECT_TRUE(TakeDrawing().empty());
  host.SetTimeOfDay(12, 0, 0);  // set forward
  host.Advance(100);
  EXPECT_FALSE(TakeDrawing().empty());
  host.SetTimeOfDay(11, 0, 0);  // set back
  host.Advance(100);
  EXPECT_FALSE(TakeDrawing().empty());
}

TEST_F(Frame, SizeSwitchShowsTheNewFaceWithoutHandsUntilTheNextSecond) {
  host.SetTimeOfDay(9, 0, 0, 300);
  Start();
  TakeDrawing();
  ChooseMenu(testing::kSmaller);
  EXPECT_THAT(TakeDrawing(), ElementsAre("Picture(nothing)", "Picture(108x109)"));
  host.Advance(600);  // still 09:00:00
  EXPECT_TRUE(TakeDrawing().empty());
  host.Advance(200);  // 09:00:01
  const Strings drawn = TakeDrawing();
  EXPECT_NE(
      std::find(drawn.begin(), drawn.end(), "PaintPicture(0,0,600,600,65,53,2000,2000,&HEE0086)"),
      drawn.end());
}

TEST_F(Frame, PrintsTheMinutesLeftOnlyWhileCounting) {
  // The last text printed in the frames of the next `milliseconds`.
  const auto printed_after = [&](int milliseconds) {
    TakeDrawing();
    host.Advance(milliseconds);
    const Strings drawn = TakeDrawing();
    const auto print = std::find_if(drawn.rbegin(), drawn.rend(),
                                    [](const std::string& op) { return op.starts_with("Print"); });
    return drawn.empty() ? "nothing drawn" : print == drawn.rend() ? "no text" : *print;
  };
  StartAt(7, 0, 0);
  ChooseMenu(testing::kTimer3);
  EXPECT_EQ(printed_after(1000), "Print(120,82,A3)");
  EXPECT_EQ(printed_after(60000), "Print(120,82,A2)");
  host.Advance(120000);
  EXPECT_EQ(printed_after(1000), "no text");  // the alarm sounds
  ClickIndicator();
  EXPECT_EQ(printed_after(1000), "no text");  // silenced
  // The small size prints at its own position, and a count that is no number as zero.
  StartSizedAt(true, 7, 0, 0);
  form().Timer2.SetTag("x");
  EXPECT_EQ(printed_after(1000), "Print(74,49,A0)");
}

}  // namespace
}  // namespace vestrel
