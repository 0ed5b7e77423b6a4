// The frame routine on the headless host: what it draws, in which order, and when.
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

TEST_F(Frame, DrawsTheFaceTwelveStrokesAndOneComposite) {
  StartAt(10, 10, 30);
  TakeDrawing();
  host.Advance(1000);  // 10:10:31
  EXPECT_THAT(
      TakeDrawing(),
      ElementsAre("Cls()", "Picture(nothing)", "Picture(nothing)", "Picture(170x173)",
                  // hour: 10:10 is 215 degrees
                  "DrawWidth(23)", "Line(244,234,121,147,&H4000)", "DrawWidth(21)",
                  "Line(244,234,121,147,&H8000)", "DrawWidth(19)", "Line(244,234,121,147,&HC000)",
                  "DrawWidth(17)", "Line(244,234,121,147,&HFF00)",
                  // minute
                  "DrawWidth(15)", "Line(244,234,417,134,&H4000)", "DrawWidth(13)",
                  "Line(244,234,417,134,&H8000)", "DrawWidth(11)", "Line(244,234,417,134,&HC000)",
                  "DrawWidth(9)", "Line(244,234,417,134,&HFF00)",
                  // second 31 is 96 degrees
                  "DrawWidth(11)", "Line(244,234,219,462,&H40)", "DrawWidth(9)",
                  "Line(244,234,219,462,&H80)", "DrawWidth(7)", "Line(244,234,219,462,&HC0)",
                  "DrawWidth(5)", "Line(244,234,219,462,&HFF)",
                  "PaintPicture(0,0,600,600,-35,-54,2000,2000,&HEE0086)"));
}

TEST_F(Frame, SmallSizeUsesItsOwnWidthsOriginAndFace) {
  host.files[testing::kSettingsPath] = "\"1\",\"\",0,0,\"\"\r\n";
  StartAt(3, 0, 0);
  const Strings drawn = TakeDrawing();
  const Strings expected_tail{"DrawWidth(9)",
                              "Line(244,234,244,87,&H40)",
                              "DrawWidth(7)",
                              "Line(244,234,244,87,&H80)",
                              "DrawWidth(5)",
                              "Line(244,234,244,87,&HC0)",
                              "DrawWidth(3)",
                              "Line(244,234,244,87,&HFF)",
                              "PaintPicture(0,0,600,600,65,53,2000,2000,&HEE0086)"};
  ASSERT_GE(drawn.size(), expected_tail.size());
  EXPECT_TRUE(std::equal(expected_tail.begin(), expected_tail.end(),
                         drawn.end() - static_cast<long>(expected_tail.size())));
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), "Picture(108x109)"), drawn.end());
  EXPECT_NE(std::find(drawn.begin(), drawn.end(), "DrawWidth(17)"), drawn.end());
}

TEST_F(Frame, OnlyTheFirstTickOfASecondDraws) {
  host.SetTimeOfDay(8, 0, 0, 50);
  Start();
  TakeDrawing();
  host.Advance(900);  // eight ticks within the same second
  EXPECT_TRUE(TakeDrawing().empty());
  host.Advance(100);  // 08:00:01.050
  EXPECT_FALSE(TakeDrawing().empty());
  EXPECT_EQ(state().CurrentTime, state().LastDrawnTime);
}

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

TEST_F(Frame, StartingAtMidnightStillDrawsTheFirstFrame) {
  StartAt(0, 0, 0);
  const Strings drawn = TakeDrawing();
  EXPECT_EQ(std::count_if(drawn.begin(), drawn.end(),
                          [](const std::string& op) { return op.starts_with("Line("); }),
            12);
  EXPECT_EQ(state().LastDrawnTime, 0);
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
  StartAt(7, 0, 0);
  ChooseMenu(testing::kTimer3);
  TakeDrawing();
  host.Advance(1000);
  Strings drawn = TakeDrawing();
  EXPECT_EQ(drawn.back(), "Print(120,82,A3)");
  host.Advance(60000);
  drawn = TakeDrawing();
  EXPECT_EQ(drawn.back(), "Print(120,82,A2)");
  host.Advance(120000);  // the alarm sounds from here: no text
  TakeDrawing();
  host.Advance(1000);
  drawn = TakeDrawing();
  ASSERT_FALSE(drawn.empty());
  EXPECT_TRUE(std::none_of(drawn.begin(), drawn.end(),
                           [](const std::string& op) { return op.starts_with("Print"); }));
  ClickIndicator();  // silenced: still no text
  host.Advance(1000);
  drawn = TakeDrawing();
  EXPECT_TRUE(std::none_of(drawn.begin(), drawn.end(),
                           [](const std::string& op) { return op.starts_with("Print"); }));
}

TEST_F(Frame, SmallSizePrintsAtItsOwnPositionAndANonNumberAsZero) {
  host.files[testing::kSettingsPath] = "\"1\",\"\",0,0,\"\"\r\n";
  StartAt(7, 0, 0);
  form().Timer2.SetTag("x");
  host.Advance(1000);
  EXPECT_EQ(host.drawing.back(), "Print(74,49,A0)");
}

}  // namespace
}  // namespace vestrel
