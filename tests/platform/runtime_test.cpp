// The runtime's event handling: one handler at a time, yields, and the run-time error path.
#include "clock_fixture.h"

namespace vestrel {
namespace {

using testing::ClockTest;

class Runtime : public ClockTest {};

TEST_F(Runtime, AnErrorInsideAYieldEndsTheProgramOnce) {
  StartAt(9, 0, 0);
  // A bad pen width makes the next frame fail; the frame runs inside the countdown's yield.
  form().Timer2.SetTag("3");
  host.Advance(1000);
  host.SetTimeOfDay(9, 0, 5);
  host.timers[form().Timer1.index()].due = host.now();
  const_cast<ClockFormState&>(state()).HourWidth = 3;  // fourth stroke would be -3 wide
  host.menu_choices.push_back(testing::kTimer4);
  host.PostMouseDown(forms::kRightButton, 20, 20);
  host.RunPending();
  EXPECT_THAT(host.fatal_errors,
              ::testing::ElementsAre("Run-time error '380':\n\nInvalid property value"));
  EXPECT_EQ(host.exit_code, 1);
  // The handler that yielded did not go on.
  EXPECT_EQ(form().Timer2.Tag(), "3");
  host.Advance(120000);
  EXPECT_EQ(host.fatal_errors.size(), 1u);
}

TEST_F(Runtime, SurfaceUnitsFollowTheDisplayWhileTheFaceUnitStays) {
  host.screen = {2400, 1350, 12, 12};
  StartAt(9, 0, 0);
  EXPECT_EQ(form().Pic1.Width(), 609);   // 7305 / 12
  EXPECT_EQ(form().Pic1.Height(), 585);  // 7020 / 12
  EXPECT_EQ(state().CenterX, 304);       // 304.5 goes to the even neighbour
  EXPECT_EQ(host.window.width, 212);     // 2550 / 12 = 212.5 goes to the even 212
  // Label1's 60, 64 face units are 75, 80 pixels at 12 twips per pixel.
  EXPECT_EQ(runtime().Label().box, (raster::Rect{75, 80, 60, 60}));
}

TEST_F(Runtime, TheMenuKeyOpensThePopupMenuOverTheLabelToo) {
  StartAt(9, 0, 0);
  int popups = 0;
  host.on_popup = [&](const std::vector<forms::PopupItem>& items) {
    ++popups;
    EXPECT_EQ(items.size(), 9u);
  };
  host.menu_choices.push_back(testing::kSmaller);
  // The window's centre lies in the label's box, where a right press would do nothing.
  const raster::Rect box = runtime().Label().box;
  runtime().MenuKey(1, box.left + box.width / 2, box.top + box.height / 2);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(state().IsLarge, 0);
  // The menu key's release set the drag anchor to the window's centre, as a mouse release.
  EXPECT_EQ(state().DragX,
            static_cast<forms::Long>(std::lround(form().Width() / 2.0 + form().Left())));
}

TEST_F(Runtime, TheMenuKeyWaitsWhileAMouseButtonIsHeld) {
  StartAt(9, 0, 0);
  int popups = 0;
  host.on_popup = [&](const std::vector<forms::PopupItem>&) { ++popups; };
  host.PostMouseDown(forms::kLeftButton, 20, 120);
  host.RunPending();
  runtime().MenuKey(0, 85, 87);
  EXPECT_EQ(popups, 0);
  host.PostMouseUp(forms::kLeftButton, 20, 120);
  host.RunPending();
  host.menu_choices.push_back(std::nullopt);
  runtime().MenuKey(0, 85, 87);
  EXPECT_EQ(popups, 1);
}

}  // namespace
}  // namespace vestrel
