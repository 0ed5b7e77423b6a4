// Start-up and shut-down of the clock form.
#include "app/duzezezi.h"

namespace vestrel {

using namespace forms;

void duzezezi::Form_Load() {
  ReadSettings();

  // Restore the saved position; a negative one goes to the screen edge, one beyond the
  // screen leaves the window where it was created. The test is made in double precision
  // first, so that a huge saved value counts as beyond the screen instead of overflowing.
  const Double x = Val(LeftSetting);
  if (x < 0) {
    SetLeft(0);
  } else if (x < Screen.Width() && CSng(x) < Screen.Width()) {
    SetLeft(CSng(x));
  }
  const Double y = Val(TopSetting);
  if (y < 0) {
    SetTop(0);
  } else if (y < Screen.Height() && CSng(y) < Screen.Height()) {
    SetTop(CSng(y));
  }

  if (Val(SizeSetting) == 0) {
    Max_Click();
  } else {
    Low_Click();
  }

  // The window is layered by now; start opaque or half transparent.
  double transparency;
  if (Val(OpaqueSetting) != 0) {
    Label1.SetTag("*");
    transparency = 0;
  } else {
    Label1.SetTag("");
    transparency = 50;
  }
  SetLayeredWindowAttributes(hWnd(), 0, AlphaForTransparency(transparency), 2);

  Timer1_Timer();
}

void duzezezi::Form_Unload(Integer& /*Cancel*/) {
  Pic1.SetPicture(nullptr);
  Pic2.SetPicture(nullptr);
  Bk.SetPicture(nullptr);
  Bk2.SetPicture(nullptr);
  WriteSettings();
}

}  // namespace vestrel
