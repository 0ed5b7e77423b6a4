// Opaque or half transparent: the "●" switches at once to opaque and fades to half.
#include "app/duzezezi.h"

namespace vestrel {

using namespace forms;

namespace {
constexpr Long kUseAlpha = 2;
constexpr int kFadeStepPercent = 2;
constexpr int kHalfTransparent = 50;
constexpr Long kFadeStepMilliseconds = 10;
}  // namespace

Byte AlphaForTransparency(double percent) {
  return CByte(CLng(255 - percent / 100 * 255));
}

void duzezezi::Label1_Click() {
  // While the alarm sounds the dot only silences it.
  if (Label1.ForeColor() != 0) {
    SilenceAlarm();
  } else {
    ToggleOpacity();
  }
}

void duzezezi::ToggleOpacity() {
  if (Label1.Tag() != "*") {
    Label1.SetTag("*");
    SetLayeredWindowAttributes(hWnd(), 0, AlphaForTransparency(0), kUseAlpha);
    DoEvents();
    OpaqueSetting = "1";
  } else {
    Label1.SetTag("");
    for (int w = 0; w <= kHalfTransparent; w += kFadeStepPercent) {
      SetLayeredWindowAttributes(hWnd(), 0, AlphaForTransparency(w), kUseAlpha);
      Sleep(kFadeStepMilliseconds);
    }
    OpaqueSetting = "0";
  }
}

}  // namespace vestrel
