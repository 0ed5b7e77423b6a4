// Start-up and shut-down: the order of the native calls, the settings file and its faults.
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
  EXPECT_EQ(host.window.left, 0);
  EXPECT_EQ(host.window.top, 0);
  EXPECT_EQ(host.window.width, 170);
  EXPECT_EQ(host.window.height, 174);
  EXPECT_TRUE(host.window.visible);
  EXPECT_TRUE(host.window.topmost);
  EXPECT_EQ(host.window.alpha, 128);
  EXPECT_EQ(state().SizeSetting, "0");
  EXPECT_EQ(form().Label1.Tag(), "");
  EXPECT_TRUE(form().Max.Checked());
  EXPECT_FALSE(form().Low.Checked());
  EXPECT_TRUE(form().TopSet.Checked());
  // Timer1 ticks every 100 ms; Timer2 is enabled but silent.
  EXPECT_TRUE(host.timers[form().Timer1.index()].running);
  EXPECT_EQ(host.timers[form().Timer1.index()].interval, 100);
  EXPECT_FALSE(host.timers[form().Timer2.index()].running);
  EXPECT_TRUE(form().Timer2.Enabled());
}

TEST_F(Lifecycle, SavedSettingsAreApplied) {
  const struct {
    const char* file;
    int left, top;
    bool small, opaque, topmost;
  } cases[] = {
      {"\"1\",\"1\",975,600,\"1\"\r\n", 65, 40, true, true, false},
      {"\"1\",\"0\",-120,300,\"1\"\r\n", 0, 20, true, false, false},
      {"\"0\",\"5\",0,0,\"-1\"\r\n", 0, 0, false, true, false},
      {"\"2\",\"-1\",15,-300,\"0\"\r\n", 1, 0, true, true, true},
      {"\"x\",\"abc\",0,0,\"\"\r\n", 0, 0, false, false, true},
      // Five fields on five lines read like one line.
      {"\"1\"\r\n\"1\"\r\n30\r\n45\r\n\"1\"\r\n", 2, 3, true, true, false},
      // A position at or beyond the screen keeps the window where it was created.
      {"\"0\",\"0\",28800,16200,\"0\"\r\n", 7, 7, false, false, true},
      {"\"0\",\"0\",28785,16185,\"0\"\r\n", 1919, 1079, false, false, true},
  };
  for (const auto& c : cases) {
    host = {};
    host.files[kSettingsPath] = c.file;
    StartAt(10, 0, 0);
    EXPECT_EQ(host.window.left, c.left) << c.file;
    EXPECT_EQ(host.window.top, c.top) << c.file;
    EXPECT_EQ(host.window.width, c.small ? 108 : 170) << c.file;
    EXPECT_EQ(host.window.alpha, c.opaque ? 255 : 128) << c.file;
    EXPECT_EQ(form().Label1.Tag(), c.opaque ? "*" : "") << c.file;
    EXPECT_EQ(host.window.topmost, c.topmost) << c.file;
    EXPECT_EQ(form().TopSet.Checked(), c.topmost) << c.file;
    EXPECT_EQ(state().SizeSetting, c.small ? "1" : "0") << c.file;
  }
}

TEST_F(Lifecycle, ClosingTheWindowUnloadsAndSavesToo) {
  StartAt(10, 0, 0);
  host.PostClose();
  host.RunPending();
  EXPECT_EQ(host.exit_code, 0);
  EXPECT_EQ(host.files[kSettingsPath], "\"0\",\"\",0,0,\"\"\r\n");
  // Nothing is handled after the form is gone.
  host.drawing.clear();
  host.Advance(5000);
  EXPECT_TRUE(host.drawing.empty());
}

TEST_F(Lifecycle, SettingsSurviveARestart) {
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
  const std::string saved = host.files[kSettingsPath];
  EXPECT_EQ(saved, "\"1\",\"1\",450,600,\"1\"\r\n");  // the position the program moved to

  host = {};
  host.files[kSettingsPath] = saved;
  StartAt(10, 0, 0);
  EXPECT_EQ(host.window.left, 30);
  EXPECT_EQ(host.window.top, 40);
  EXPECT_EQ(host.window.width, 108);
  EXPECT_EQ(host.window.alpha, 255);
  EXPECT_FALSE(host.window.topmost);
}

// A failing write at exit: settings_file_test.cpp.
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
