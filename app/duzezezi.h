// The clock form: its controls, its state and its sixteen procedures. The procedures are
// defined next to the concern they serve (app/, clock/, window/, countdown/). The names are
// the form's own and are kept; what each one is:
//
//   name                  role                                           defined in
//   Pic2                  the visible clock face; takes the mouse        window/mouse_menu.cpp
//   Pic1                  off-screen canvas the hands are drawn on       clock/face.cpp
//   Bk, Bk2               the large and the small face picture           window/size.cpp
//   Label1                the "●" dot: click toggles opacity             window/transparency.cpp
//   Timer1                the clock tick: redraws the hands each second  clock/face.cpp
//   Timer2                the countdown: its minutes, then the alarm     countdown/countdown.cpp
//   MenuBar               the popup menu (never shown as a bar)          window/mouse_menu.cpp
//   Menu                  the exit item                                  window/mouse_menu.cpp
//   bar                   the separator under it
//   timerN(0..2)          the 3, 4 and 5 minute countdowns               countdown/countdown.cpp
//   Max, Low              the large and the small clock size             window/size.cpp
//   TopSet                always on top, on or off                       window/stacking.cpp
//   Cre                   the version box                                window/mouse_menu.cpp
//   Form_Load/_Unload     start-up (settings read) and saving on exit    app/lifecycle.cpp
//
// Their design values (sizes, captions, menu order) are in resources/window_definition.h.
#pragma once

#include <array>
#include <string>

#include "app/clock_form_state.h"
#include "platform/forms.h"

namespace vestrel {

using forms::Integer;
using forms::Single;

class duzezezi : public forms::Form, private ClockFormState {
 public:
  explicit duzezezi(forms::Runtime& runtime);

  // What the handlers leave behind (size, drag anchor, last drawn second), read by the tests.
  const ClockFormState& State() const { return *this; }

  // Controls, in creation order.
  forms::Timer Timer2;
  forms::PictureBox Pic2;
  forms::Label Label1;
  forms::CanvasBox Pic1;
  forms::Timer Timer1;
  forms::ImageHolder Bk2;
  forms::ImageHolder Bk;
  // The popup menu and its items.
  forms::MenuItem Menu;
  forms::MenuItem bar;
  std::array<forms::MenuItem, 3> timerN;
  forms::MenuItem Max;
  forms::MenuItem Low;
  forms::MenuItem TopSet;
  forms::MenuItem Cre;
  forms::Menu MenuBar;

  // --- The procedures.
  void Form_Load();

 private:
  void ApplyTopMost();
  void ApplyClockSize();

 public:
  void Form_Unload(Integer& Cancel);
  void Label1_Click();
  void Pic2_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
  void Pic2_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
  void Menu_Click();
  void TopSet_Click();
  void Max_Click();
  void Low_Click();
  void Cre_Click();
  void Pic2_MouseUp(Integer Button, Integer Shift, Single X, Single Y);
  void Timer2_Timer();
  void timerN_Click(Integer Index);
  void Timer1_Timer();

 private:
  struct SizePreset;
  void ApplySizePreset(const SizePreset& preset);
  std::string SettingsHome();
  void ReadSettings();
  void WriteSettings();
  void ToggleOpacity();
  void SilenceAlarm();

  // --- Event routing.
  void OnLoad() override { Form_Load(); }
  void OnUnload(Integer& cancel) override { Form_Unload(cancel); }
  void OnTimer(const forms::Timer& timer) override;
  void OnLabelClick(const forms::Label&) override { Label1_Click(); }
  void OnMenuClick(const forms::MenuItem& item) override;
  void OnMouse(forms::MouseAction action, Integer button, Integer shift, Single x,
               Single y) override;
  forms::PictureBox& VisibleSurface() override { return Pic2; }
  forms::Label& SurfaceLabel() override { return Label1; }
};

// Window opacity for a transparency percentage: 255 - w / 100 * 255, rounded ties to even.
forms::Byte AlphaForTransparency(double percent);

}  // namespace vestrel
