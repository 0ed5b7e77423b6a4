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

// The menu key waits while a mouse button is held; then it opens the menu even over the label
// (where the window's centre lies and a right press does nothing), and its release sets the
// drag anchor to the window's centre as a mouse release would.
TEST_F(Runtime, TheMenuKeyOpensThePopupMenuOnceNoButtonIsHeld) {
  StartAt(9, 0, 0);
  int popups = 0;
  host.on_popup = [&](const std::vector<forms::PopupItem>&) { ++popups; };
  const raster::Rect box = runtime().Label().box;
  const int x = box.left + box.width / 2, y = box.top + box.height / 2;
  host.PostMouseDown(forms::kLeftButton, 20, 120);
  host.RunPending();
  runtime().MenuKey(0, x, y);
  EXPECT_EQ(popups, 0);
  host.PostMouseUp(forms::kLeftButton, 20, 120);
  host.RunPending();
  host.menu_choices.push_back(testing::kSmaller);
  runtime().MenuKey(1, x, y);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(state().IsLarge, 0);
  EXPECT_EQ(state().DragX,
            static_cast<forms::Long>(std::lround(form().Width() / 2.0 + form().Left())));
}

}  // namespace
}  // namespace vestrel
