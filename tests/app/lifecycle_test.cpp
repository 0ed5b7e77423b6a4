// Start-up and shut-down: the order of the native calls, the settings read and saved.
#include "clock_fixture.h"

namespace vestrel {
namespace {

using ::testing::ElementsAre;
using testing::kSettingsPath;

class Lifecycle : public testing::ClockTest {};

TEST_F(Lifecycle, FirstStartWithoutSettings) {
  StartAt(10, 0, 0);
  EXPECT_THAT(
      host.calls,
      ElementsAre("SetWindowPos(4097,-1,0,0,0,0,67)", "CreateRoundRectRgn(0,0,170,174,170,174)",
                  "SetWindowRgn(4097,8193,-1)", "GetWindowLongA(4097,-20)",
                  "SetWindowLongA(4097,-20,524288)", "SetLayeredWindowAttributes(4097,0,128,2)"));
  EXPECT_EQ(std::pair(host.window.width, host.window.height), std::pair(170, 174));
  EXPECT_TRUE(host.window.visible && host.window.topmost);
  EXPECT_EQ(host.window.alpha, 128);
}

// Closing saves like the menu's exit (checked end to end); nothing runs after the form is gone.
TEST_F(Lifecycle, ClosingTheWindowEndsTheProgramAndItsTimers) {
  StartAt(10, 0, 0);
  host.PostClose();
  host.RunPending();
  EXPECT_EQ(host.exit_code, 0);
  host.drawing.clear();
  host.Advance(5000);
  EXPECT_TRUE(host.drawing.empty());
}

TEST_F(Lifecycle, TheExitSavesWhatTheRunChanged) {
  StartAt(10, 0, 0);
  ChooseMenu(testing::kSmaller);
  ChooseMenu(testing::kOnTop);
  ClickIndicator();  // opaque
  form().SetLeft(450);
  form().SetTop(600);
  ChooseMenu(testing::kExit);
  EXPECT_EQ(host.exit_code, 0);
  EXPECT_FALSE(host.window.visible);
  EXPECT_TRUE(host.regions.empty());  // the window released its region
  // What the run changed, the position the program moved to (read back in the settings tests).
  EXPECT_EQ(host.files[kSettingsPath], "\"1\",\"1\",450,600,\"1\"\r\n");
}

TEST_F(Lifecycle, AnUnreadableFileEndsTheProgramWithTheStandardMessage) {
  host.files[kSettingsPath] = "\"0\",\"\",0,0,\"\"\r\n";
  host.unreadable.insert(kSettingsPath);
  StartAt(10, 0, 0);
  EXPECT_THAT(host.fatal_errors, ElementsAre("Run-time error '70':\n\nPermission denied"));
  EXPECT_EQ(host.exit_code, 1);
  EXPECT_FALSE(host.window.visible);  // ended before the window was shown
}

}  // namespace
}  // namespace vestrel
