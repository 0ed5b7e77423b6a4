// The 3, 4 or 5 minute countdown and its silent alarm: the "●" pulses red until clicked.
// Its whole state is in Timer2 (Tag: minutes left or red level) and Label1.ForeColor (0 unless
// the alarm sounds).
#include "app/duzezezi.h"

namespace vestrel {

using namespace forms;

namespace {
constexpr Long kMinute = 60000;
constexpr Long kPulseInterval = 25;
constexpr Double kPulseStep = 5;
constexpr Colour kFullRed = 255;
}  // namespace

void duzezezi::timerN_Click(Integer Index) {
  Label1.SetForeColor(0);
  Timer2.SetInterval(kMinute);
  Timer2.SetEnabled(False);
  DoEvents();
  Timer2.SetEnabled(True);  // restarts the period: the first tick comes a full minute later
  Timer2.SetTag(Str(static_cast<Long>(Index + 3)));
}

void duzezezi::Timer2_Timer() {
  if (Label1.ForeColor() == 0) {
    Timer2.SetTag(Str(Val(Timer2.Tag()) - 1));
    if (Val(Timer2.Tag()) > 0) return;
    Label1.SetForeColor(kFullRed);
    Timer2.SetTag(Str(static_cast<Long>(kFullRed)));
    Timer2.SetInterval(kPulseInterval);
  } else {
    // Fade from full red towards black, then jump back; the colour never reaches 0.
    Timer2.SetTag(Str(Val(Timer2.Tag()) - kPulseStep));
    if (!(Val(Timer2.Tag()) > 0)) Timer2.SetTag(Str(static_cast<Long>(kFullRed)));
    Label1.SetForeColor(RGB(CInt(Val(Timer2.Tag())), 0, 0));
  }
}

void duzezezi::SilenceAlarm() {
  Label1.SetForeColor(0);
  Timer2.SetTag("");
  Timer2.SetEnabled(False);
}

}  // namespace vestrel
